// The unknown resistor and the readout that reveals its resistance.
#pragma once

#include "controls/instrument.h"

/** The unknown resistor: a click draws a new resistance while the source is off. */
class UnknownResistor : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        BenchImage *resistor = nullptr;
        BenchLabel *value = nullptr; // hidden but while the result is revealed
    };

    UnknownResistor(Circuit &circuit, const Controls &controls);

  private:
    void showResistance(double ohms);

    Controls m_controls;
};
