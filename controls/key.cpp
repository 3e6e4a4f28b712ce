// The key that closes the bridge's supply circuit.
#include "controls/key.h"

#include "controls/circuit.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_items.h"

Key::Key(Circuit &circuit, const Parts &parts)
    : Instrument(circuit, "key", {parts.key, parts.open, parts.closed}), m_parts(parts)
{
    m_parts.key->onClick = circuit.whileRunning([&circuit] { circuit.toggleKey(); });
    connect(&circuit, &Circuit::keyThrown, this, &Key::showClosed);
}

void Key::describe(BenchAccessibility &access) const
{
    describeSwitch(access, m_parts.key, &Circuit::isKeyClosed, QStringLiteral("замкнут"),
                   QStringLiteral("разомкнут"));
}

void Key::showClosed(bool closed)
{
    const bool thrown = m_parts.open->isVisible() == closed; // the picture is about to change
    BenchImage *shown = closed ? m_parts.closed : m_parts.open;
    shown->setVisible(true);
    shown->setLeft(20);
    shown->setTop(72);
    (closed ? m_parts.open : m_parts.closed)->setVisible(false);
    if (thrown)
        m_parts.key->valueChanged(); // screen readers hear the key thrown
}
