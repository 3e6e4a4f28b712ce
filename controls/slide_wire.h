// The slide wire: its jockey, the jockey's card and lead, and the wire's two arms.
#pragma once

#include "controls/instrument.h"

/** The slide wire: the jockey set by its bar or dragged along the wire; a click reveals the arms.
 */
class SlideWire : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        BenchCanvas *bench = nullptr; // a drag of the jockey ends on it
        BenchImage *wire = nullptr, *jockey = nullptr;
        BenchLabel *card = nullptr; // the jockey's position, on a card that moves with it
        BenchLabel *leftArm = nullptr, *rightArm = nullptr; // hidden but while revealed
        BenchLine *lead = nullptr;
        ScrollBar *bar = nullptr;
    };

    SlideWire(Circuit &circuit, const Controls &controls);

    void describe(BenchAccessibility &access) const override;

  private:
    /** The bar, the card, the jockey and the arms' readouts for where the circuit has the slider.
     */
    void showSlider();
    /** The bar, and the jockey draggable, while the key is closed; the arms hidden once open. */
    void showForKey(bool closed);
    void showArms(bool shown);
    void placeJockey();
    bool dragJockey(double shift);

    Controls m_controls;
};
