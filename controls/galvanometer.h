// The galvanometer: its needle, its current readout and the measured resistance it reveals.
#pragma once

#include "controls/instrument.h"

/** The galvanometer: the needle and readout show its current; a click reveals the result. */
class Galvanometer : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        BenchImage *picture = nullptr;
        BenchLine *needle = nullptr;
        ReadoutBox *current = nullptr;
        BenchLabel *measured = nullptr; // hidden but while the result is revealed
    };

    Galvanometer(Circuit &circuit, const Controls &controls);

    void describe(BenchAccessibility &access) const override;

  private:
    void showCurrent(double amperes);
    void showNeedle();
    void showMeasured(double ohms);

    Controls m_controls;
};
