// The unknown resistor and the readout that reveals its resistance.
#pragma once

#include "controls/instrument.h"

/** The unknown resistor: a click draws a new resistance while the source is off. */
class UnknownResistor : public Instrument
{
    Q_OBJECT
  public:
    UnknownResistor(Circuit &circuit, BenchCanvas &bench);

    /** The circuit's resistance on the hidden readout. */
    void load();
    void showResistance(double ohms);
    void showValue(bool shown);

  private:
    BenchImage *m_resistor;
    BenchLabel *m_value;
};
