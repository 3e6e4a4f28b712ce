// The resistance box: six decades summed into the box's resistance and shown on its display.
#include "controls/resistance_box.h"

#include "toolkit/bench_accessible.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QLineF>

namespace {

// The decade knobs are drawn round their digits; they turn with the wheel this near them, in bench
// pixels.
constexpr double kKnobRadius = 20;

} // namespace

ResistanceBox::ResistanceBox(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "resistance box",
                 {controls.box, controls.display, controls.decades[0], controls.decades[1],
                  controls.decades[2], controls.decades[3], controls.decades[4],
                  controls.decades[5], controls.digits[0], controls.digits[1], controls.digits[2],
                  controls.digits[3], controls.digits[4], controls.digits[5]}),
      m_controls(controls)
{
    for (int i = 0; i < Circuit::kDecades; ++i)
        follow(m_controls.decades[i], [&circuit, i](int digit) { circuit.turnDecade(i, digit); });
    m_controls.box->onWheel = [this](QPointF at, int notches) {
        for (int i = 0; i < Circuit::kDecades; ++i)
            if (QLineF(at, m_controls.digits[i]->bounds().center()).length() <= kKnobRadius) {
                turnKnob(m_controls.decades[i], notches);
                return true;
            }
        return false;
    };
    connect(&circuit, &Circuit::decadeTurned, this, &ResistanceBox::showDecade);
    connect(&circuit, &Circuit::keyThrown, this, &ResistanceBox::showForKey);
}

void ResistanceBox::describe(BenchAccessibility &) const
{
    m_controls.display->setAccessibleName(QStringLiteral("Сопротивление магазина, Ом"));
    // The bars have no tooltips: each is named after its decade.
    const char *const names[] = {"1 декада магазина, ×10000 Ом", "2 декада магазина, ×1000 Ом",
                                 "3 декада магазина, ×100 Ом",   "4 декада магазина, ×10 Ом",
                                 "5 декада магазина, ×1 Ом",     "6 декада магазина, ×0,1 Ом"};
    for (int i = 0; i < Circuit::kDecades; ++i)
        m_controls.decades[i]->setAccessibleName(QString::fromUtf8(names[i]));
}

void ResistanceBox::showForKey(bool closed)
{
    for (ScrollBar *bar : m_controls.decades)
        bar->setVisible(closed);
    for (BenchLabel *digit : m_controls.digits)
        digit->setVisible(closed);
    m_controls.display->setVisible(closed);
}

// One decade turned: its digit on its knob, the box's sum on its display.
void ResistanceBox::showDecade(int i, int digit)
{
    showOnBar(m_controls.decades[i], digit);
    m_controls.digits[i]->setCaption(QString::number(digit));
    m_controls.display->clear();
    m_controls.display->print(m_circuit.format(m_circuit.state().R_m, "#00000.0"));
}
