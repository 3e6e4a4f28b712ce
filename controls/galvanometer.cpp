// The galvanometer: its needle, its current readout and the measured resistance it reveals.
#include "controls/galvanometer.h"

#include "controls/circuit.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"

Galvanometer::Galvanometer(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "galvanometer",
                 {controls.picture, controls.needle, controls.current, controls.measured}),
      m_controls(controls)
{
    m_controls.picture->onClick =
        circuit.whileRunning([&circuit] { circuit.reveal(Circuit::Reveal::Result); });
    connect(&circuit, &Circuit::measured, this, &Galvanometer::showMeasured);
    connect(&circuit, &Circuit::galvanometerCurrentChanged, this, &Galvanometer::showCurrent);
    connect(&circuit, &Circuit::needleMoved, this, &Galvanometer::showNeedle);
    connect(&circuit, &Circuit::revealed, this, [this](Circuit::Reveal what, bool shown) {
        if (what == Circuit::Reveal::Result)
            m_controls.measured->setVisible(shown);
    });
}

void Galvanometer::describe(BenchAccessibility &) const
{
    // The two current readouts share one tooltip; by ear each must say which current it shows.
    m_controls.current->setAccessibleName(QStringLiteral("Ток гальванометра, А"));
}

void Galvanometer::showCurrent(double amperes)
{
    m_controls.current->clear();
    m_controls.current->print(m_circuit.format(amperes, "#0.0000000"));
}

void Galvanometer::showNeedle()
{
    const NeedleGeometry &g = m_circuit.needle();
    m_controls.needle->setPoints(QPointF(g.x1, g.y1), QPointF(g.x2, g.y2));
}

void Galvanometer::showMeasured(double ohms)
{
    m_controls.measured->setCaption(QStringLiteral("Ri=") + m_circuit.format(ohms, "0.0") +
                                    QStringLiteral(" Ом"));
}
