// The unknown resistor and the readout that reveals its resistance.
#include "controls/unknown_resistor.h"

#include "controls/circuit.h"
#include "toolkit/bench_items.h"

UnknownResistor::UnknownResistor(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "unknown resistor", {controls.resistor, controls.value}),
      m_controls(controls)
{
    m_controls.resistor->onClick = circuit.whileRunning([&circuit] { circuit.drawUnknown(); });
    connect(&circuit, &Circuit::unknownChanged, this, &UnknownResistor::showResistance);
    connect(&circuit, &Circuit::revealed, this, [this](Circuit::Reveal what, bool shown) {
        if (what == Circuit::Reveal::Result)
            m_controls.value->setVisible(shown);
    });
}

void UnknownResistor::showResistance(double ohms)
{
    m_controls.value->setCaption(QStringLiteral("Rx=") + m_circuit.format(ohms, "0.0") +
                                 QStringLiteral(" Ом"));
}
