// The key that closes the bridge's supply circuit.
#include "controls/key.h"

#include "controls/circuit.h"

Key::Key(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_key(part<BenchLabel>("Lblvkl")),
      m_open(part<BenchImage>("Image8")), m_closed(part<BenchImage>("Image9"))
{
    m_key->onClick = circuit.whileRunning([&circuit] { circuit.toggleKey(); });
}

void Key::showClosed(bool closed)
{
    const bool thrown = m_open->isVisible() == closed; // the picture is about to change
    BenchImage *shown = closed ? m_closed : m_open;
    shown->setVisible(true);
    shown->setLeft(20);
    shown->setTop(72);
    (closed ? m_open : m_closed)->setVisible(false);
    if (thrown)
        m_key->valueChanged(); // screen readers hear the key thrown
}
