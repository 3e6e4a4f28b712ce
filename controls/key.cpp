// The key that closes the bridge's supply circuit.
#include "controls/key.h"

#include "controls/circuit.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_items.h"

Key::Key(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "key", {controls.key, controls.open, controls.closed}),
      m_controls(controls)
{
    m_controls.key->onClick = circuit.whileRunning([&circuit] { circuit.toggleKey(); });
    connect(&circuit, &Circuit::keyThrown, this, &Key::showClosed);
}

void Key::describe(BenchAccessibility &access) const
{
    describeSwitch(access, m_controls.key, &Circuit::isKeyClosed, QStringLiteral("замкнут"),
                   QStringLiteral("разомкнут"));
}

void Key::showClosed(bool closed)
{
    const bool thrown = m_controls.open->isVisible() == closed; // the picture is about to change
    BenchImage *shown = closed ? m_controls.closed : m_controls.open;
    shown->setVisible(true);
    shown->setLeft(20);
    shown->setTop(72);
    (closed ? m_controls.open : m_controls.closed)->setVisible(false);
    if (thrown)
        m_controls.key->valueChanged(); // screen readers hear the key thrown
}
