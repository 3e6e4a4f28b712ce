// What every instrument of the bench has: the circuit it tells and listens to, and its own bars.
#include "controls/instrument.h"

#include "controls/circuit.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_items.h"
#include "toolkit/scroll_bar.h"

#include <QtGlobal>

// An instrument without one of its controls could only fail later, on the student's first move:
// the bench does not start.
Instrument::Instrument(Circuit &circuit, const char *name,
                       std::initializer_list<const void *> controls)
    : QObject(&circuit), m_circuit(circuit)
{
    setObjectName(QString::fromLatin1(name));
    for (const void *control : controls)
        if (!control)
            qFatal("the %s was not handed all its controls", name);
}

void Instrument::follow(ScrollBar *bar, std::function<void(int value)> moved)
{
    connect(bar, &ScrollBar::change, this,
            m_circuit.whileRunning([this, bar, moved = std::move(moved)] {
                if (!m_showing)
                    moved(bar->benchValue());
            }));
}

void Instrument::showOnBar(ScrollBar *bar, int value)
{
    showing([bar, value] { bar->setBenchValue(value); });
}

void Instrument::showing(const std::function<void()> &change)
{
    const bool was = m_showing;
    m_showing = true;
    change();
    m_showing = was;
}

// The bar moves one step at a time towards `target`, as its arrows would move it, telling the
// circuit of each; it stops at the end of its range, once it is hidden (the key opened, an
// overload) and once the bench is closing.
void Instrument::stepBar(ScrollBar *bar, int target) const
{
    while (!m_circuit.isEnding() && !bar->isHidden() && bar->benchValue() != target) {
        const int before = bar->benchValue();
        bar->setBenchValue(before + (target > before ? 1 : -1));
        if (bar->benchValue() == before)
            break;
    }
}

void Instrument::describeSwitch(BenchAccessibility &access, BenchBox *item,
                                bool (Circuit::*on)() const, const QString &onWord,
                                const QString &offWord) const
{
    const Circuit *circuit = &m_circuit;
    item->accessibleValue = [=] { return (circuit->*on)() ? onWord : offWord; };
    access.setCheckable(item, [=] { return (circuit->*on)(); });
}

// One step of the bar per notch, away from the user raising the value, as a knob turned
// clockwise would.
void Instrument::turnKnob(ScrollBar *bar, int notches) const
{
    stepBar(bar, bar->benchValue() + notches);
}
