// The unknown resistor and the readout that reveals its resistance.
#include "controls/unknown_resistor.h"

#include "controls/circuit.h"
#include "toolkit/bench_items.h"

UnknownResistor::UnknownResistor(Circuit &circuit, const Parts &parts)
    : Instrument(circuit, "unknown resistor", {parts.resistor, parts.value}), m_parts(parts)
{
    m_parts.resistor->onClick = circuit.whileRunning([&circuit] { circuit.drawUnknown(); });
    connect(&circuit, &Circuit::unknownChanged, this, &UnknownResistor::showResistance);
    connect(&circuit, &Circuit::revealed, this, [this](Circuit::Reveal what, bool shown) {
        if (what == Circuit::Reveal::Result)
            m_parts.value->setVisible(shown);
    });
}

void UnknownResistor::showResistance(double ohms)
{
    m_parts.value->setCaption(QStringLiteral("Rx=") + m_circuit.format(ohms, "0.0") +
                              QStringLiteral(" Ом"));
}
