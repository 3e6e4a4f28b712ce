// The resistance box: six decades summed into the box's resistance and shown on its display.
#include "controls/resistance_box.h"

#include "controls/circuit.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QLineF>

namespace {

// The decade knobs are drawn round their digits; they turn with the wheel this near them, in bench
// pixels.
constexpr double kKnobRadius = 20;

// The system names of the decades' bars and digits, from ×10000 down to ×0.1.
const char *const kBars[] = {"VScroll1", "VScroll2", "VScroll3",
                             "VScroll4", "VScroll5", "VScroll6"};
const char *const kDigits[] = {"Lbl_R_m_1", "lbl_R_m_2", "lbl_R_m_3",
                               "Lbl_R_m_4", "Lbl_R_m_5", "Lbl_R_m_6"};

} // namespace

ResistanceBox::ResistanceBox(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_box(part<BenchImage>("Image7")),
      m_display(part<ReadoutBox>("Picture1"))
{
    for (int i = 0; i < kDecades; ++i) {
        m_decades[i] = bar(kBars[i], [this, i] { onDecadeChanged(i); });
        m_digits[i] = part<BenchLabel>(kDigits[i]);
    }
    m_box->onWheel = [this](QPointF at, int notches) {
        for (int i = 0; i < kDecades; ++i)
            if (QLineF(at, m_digits[i]->bounds().center()).length() <= kKnobRadius) {
                m_circuit.turnKnob(m_decades[i], notches);
                return true;
            }
        return false;
    };
}

void ResistanceBox::load()
{
    m_display->setBackColor(QColor(0, 0, 0));
    m_display->setForeColor(QColor(255, 255, 255));
}

void ResistanceBox::showDecades(bool shown)
{
    for (ScrollBar *bar : m_decades)
        bar->setVisible(shown);
    for (BenchLabel *digit : m_digits)
        digit->setVisible(shown);
    m_display->setVisible(shown);
}

// One decade turned: its digit on its knob, the box's sum on its display, one recalculation.
void ResistanceBox::onDecadeChanged(int i)
{
    const int digit = m_decades[i]->benchValue();
    m_circuit.setDecade(i, digit);
    m_digits[i]->setCaption(QString::number(digit));
    m_display->clear();
    m_display->print(m_circuit.format(m_circuit.state().R_m, "#00000.0"));
    m_circuit.recalculate();
}
