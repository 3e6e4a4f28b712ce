// The unknown resistor and the readout that reveals its resistance.
#pragma once

#include <QObject>

class BenchCanvas;
class BenchImage;
class BenchLabel;
class Circuit;

/** The unknown resistor: a click draws a new resistance while the source is off. */
class UnknownResistor : public QObject
{
    Q_OBJECT
  public:
    UnknownResistor(Circuit &circuit, BenchCanvas &bench);

    /** The circuit's resistance on the hidden readout. */
    void load();
    void showResistance(double ohms);
    void showValue(bool shown);

  private:
    Circuit &m_circuit;
    BenchImage *m_resistor;
    BenchLabel *m_value;
};
