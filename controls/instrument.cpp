// What every instrument of the bench has: the circuit it tells, and its controls found by name.
#include "controls/instrument.h"

#include "controls/circuit.h"
#include "toolkit/scroll_bar.h"

Instrument::Instrument(Circuit &circuit, BenchCanvas &bench)
    : QObject(&circuit), m_circuit(circuit), m_bench(bench)
{
}

ScrollBar *Instrument::bar(const char *name, std::function<void()> changed)
{
    auto *found = part<ScrollBar>(name);
    connect(found, &ScrollBar::change, this, m_circuit.whileRunning(std::move(changed)));
    return found;
}
