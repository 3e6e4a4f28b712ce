// The unknown resistor and the readout that reveals its resistance.
#include "controls/unknown_resistor.h"

#include "controls/circuit.h"

UnknownResistor::UnknownResistor(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_resistor(part<BenchImage>("Image6")),
      m_value(part<BenchLabel>("Lbl_Rx"))
{
    m_resistor->onClick = circuit.whileRunning([&circuit] { circuit.drawUnknown(); });
}

void UnknownResistor::load()
{
    showResistance(m_circuit.state().Rx);
    m_value->setVisible(false);
}

void UnknownResistor::showResistance(double ohms)
{
    m_value->setCaption(QStringLiteral("Rx=") + m_circuit.format(ohms, "0.0") +
                        QStringLiteral(" Ом"));
}

void UnknownResistor::showValue(bool shown)
{
    m_value->setVisible(shown);
}
