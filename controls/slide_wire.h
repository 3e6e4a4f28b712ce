// The slide wire: its jockey, the jockey's card and lead, and the wire's two arms.
#pragma once

#include "controls/instrument.h"

/** The slide wire: the jockey set by its bar or dragged along the wire; a click reveals the arms.
 */
class SlideWire : public Instrument
{
    Q_OBJECT
  public:
    SlideWire(Circuit &circuit, BenchCanvas &bench);

    /** The slider at `fraction` of the wire, its jockey and the arms shown for it. */
    void load(double fraction);
    /** The slider's bar shown, and the jockey draggable, while the key is closed. */
    void showBar(bool shown);
    /** The two arms' readouts shown or hidden. */
    void showArms(bool shown);
    /** The card, the jockey and the arms' readouts shown again for where the circuit has the
     * slider, as a switch thrown shows them. */
    void showSlider();

  private:
    /** The slider taken from its bar, as moving it does. */
    void readBar();
    void placeJockey();
    void showArmValues();
    bool dragJockey(double shift);

    BenchImage *m_wire, *m_jockey;
    BenchLabel *m_card, *m_leftArm, *m_rightArm;
    BenchLine *m_lead;
    ScrollBar *m_bar;
};
