// The unknown resistor and the readout that reveals its resistance.
#include "controls/unknown_resistor.h"

#include "controls/circuit.h"
#include "toolkit/find_control.h"

UnknownResistor::UnknownResistor(Circuit &circuit, BenchCanvas &bench)
    : QObject(&circuit), m_circuit(circuit),
      m_resistor(findControl<BenchImage>(bench, QStringLiteral("Image6"))),
      m_value(findControl<BenchLabel>(bench, QStringLiteral("Lbl_Rx")))
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
