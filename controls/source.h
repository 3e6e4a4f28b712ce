// The DC source: its switch, its EMF and internal resistance, its lamp and its current.
#pragma once

#include "controls/instrument.h"

class SourcePicture;

/** The source: switched by a click on its picture, set by its two knobs while it is off. */
class Source : public Instrument
{
    Q_OBJECT
  public:
    Source(Circuit &circuit, BenchCanvas &bench);

    /** The knobs at the circuit's EMF and internal resistance. */
    void load();
    /** The lamp and the switch for the source on or off; the knobs only while it is off. */
    void showSwitchedOn(bool on);
    /** The source current on its readout, A. */
    void showCurrent(double amperes);

  private:
    void onEmfChanged();
    void onResistanceChanged();

    SourcePicture *m_picture;
    BenchImage *m_lamp;
    BenchLabel *m_emfReadout, *m_resistanceReadout;
    ScrollBar *m_emfBar, *m_resistanceBar;
    ReadoutBox *m_current;
};
