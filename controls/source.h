// The DC source: its switch, its EMF and internal resistance, its lamp and its current.
#pragma once

#include "controls/instrument.h"

/** The source: switched by a click on its picture, set by its two knobs while it is off. */
class Source : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        SourcePicture *picture = nullptr;
        BenchImage *lamp = nullptr;
        BenchLabel *emfReadout = nullptr, *resistanceReadout = nullptr;
        ScrollBar *emfBar = nullptr, *resistanceBar = nullptr;
        ReadoutBox *current = nullptr;
    };

    Source(Circuit &circuit, const Controls &controls);

    void describe(BenchAccessibility &access) const override;

  private:
    void showEmf(double volts);
    void showInternalResistance(double ohms);
    /** The lamp and the switch for the source on or off; the knobs only while it is off. */
    void showSwitchedOn(bool on);
    void showCurrent(double amperes);

    Controls m_controls;
};
