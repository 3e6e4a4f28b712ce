// The bridge model on the window: the calculation, the needle and the timed pause.
#include "app/form1.h"

#include "model/bridge.h"
#include "model/needle.h"
#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/timer.h"

#include <QEventLoop>
#include <algorithm>
#include <cmath>

void Form1::raschet()
{
    state.R1 = state.Rx;
    state.R2 = state.R_m;
    state.R3 = state.R_R;
    state.R4 = state.R_L;
    const BridgeResult bridge =
        solveBridge({state.R1, state.R2, state.R3, state.R4, state.Rg, state.Reo, state.r,
                     state.Edc, state.rabota, state.istochnik});
    state.I = bridge.I;
    state.Ig = bridge.Ig;
    if (bridge.live) {
        if (bridge.hasRi)
            Lbl_Ri->setCaption(QStringLiteral("Ri=") + format(bridge.Ri, "0.0") +
                               QStringLiteral(" Ом"));
        else
            showError(QStringLiteral("Правое плечо реохорда равно 0! Думать надо!"));
        if (m_ending)
            return;
    }
    Picture2->Cls();
    Picture2->Print(format(state.Ig, "#0.0000000"));
    Picture3->Cls();
    Picture3->Print(format(state.I, "#0.00"));
    strelka();

    const Overload overload = overloadVerdict(state.I, state.Imax, state.Ig, state.Igmax);
    if (overload == Overload::None)
        return;
    showError(overload == Overload::Source
                  ? QStringLiteral("Такой ток сожжёт источник! Измените сопротивление!")
                  : QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!"));
    if (m_ending)
        return;
    // Open the key and switch the source off; the nested calculation finds the circuit open.
    state.rabota = 0;
    state.istochnik = 0;
    ekran();
    ekran_0();
}

void Form1::strelka()
{
    Line17->setX1(kNeedlePivotX);
    Line17->setY1(kNeedlePivotY);
    const NeedleGeometry g = needleGeometry(state.Ig, state.Igmax, static_cast<float>(Line17->X1()),
                                            static_cast<float>(Line17->Y1()));
    state.alpha_max = g.alpha_max;
    state.k_alpha = g.k_alpha;
    state.alpha = g.alpha;
    state.dx = g.dx;
    state.dy = g.dy;
    Line17->setX2(g.x2);
    Line17->setY2(g.y2);
}

// The pause blocks in a nested event loop, so the window keeps working and the processor idles.
// All pauses share Timer1: its tick ends every pause at once.
void Form1::Wait(double seconds)
{
    Timer1->setEnabled(true);
    Timer1->setInterval(static_cast<int>(std::nearbyint(seconds * 1000 * waitScale)));
    while (Timer1->interval() > 0 && !m_ending) {
        QEventLoop loop;
        m_pauses.push_back(&loop);
        loop.exec();
        m_pauses.erase(std::find(m_pauses.begin(), m_pauses.end(), &loop));
    }
    Timer1->setEnabled(false);
    // The timer is stopped now, so a pause running outside this one (a Wait(0) inside a reveal)
    // would never tick again: let it test the interval, which is 0, and end as well.
    for (QEventLoop *loop : m_pauses)
        loop->quit();
}

void Form1::Timer1_Timer()
{
    Timer1->setInterval(0);
    for (QEventLoop *loop : m_pauses)
        loop->quit();
}
