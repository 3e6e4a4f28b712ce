// The resistance box: six decades summed into the box's resistance and shown on its display.
#include "app/form1.h"

#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"

namespace {

// One decade turned: its digit from the bar, shown on its knob.
template <typename Digit> void setDecade(Digit &digit, const ScrollBar *bar, BenchLabel *label)
{
    digit = static_cast<Digit>(bar->benchValue());
    label->setCaption(QString::number(bar->benchValue()));
}

} // namespace

void Form1::VScroll1_Change()
{
    setDecade(state.R_m_1, VScroll1, Lbl_R_m_1);
    magazin();
}

void Form1::VScroll2_Change()
{
    setDecade(state.R_m_2, VScroll2, lbl_R_m_2);
    magazin();
}

void Form1::VScroll3_Change()
{
    setDecade(state.R_m_3, VScroll3, lbl_R_m_3);
    magazin();
}

void Form1::VScroll4_Change()
{
    setDecade(state.R_m_4, VScroll4, Lbl_R_m_4);
    magazin();
}

void Form1::VScroll5_Change()
{
    setDecade(state.R_m_5, VScroll5, Lbl_R_m_5);
    magazin();
}

void Form1::VScroll6_Change()
{
    setDecade(state.R_m_6, VScroll6, Lbl_R_m_6);
    magazin();
}

void Form1::magazin()
{
    // Whole partial sums, then the tenths in double precision; the box holds a single.
    const double sum = state.R_m_1 * 10000 + state.R_m_2 * 1000 + state.R_m_3 * 100 +
                       state.R_m_4 * 10 + state.R_m_5 * 1 + state.R_m_6 * 0.1;
    state.R_m = static_cast<float>(sum);
    Picture1->Cls();
    Picture1->Print(format(state.R_m, "#00000.0"));
    raschet();
}
