// The source, the key, the unknown resistor and the two timed reveals.
#include "app/form1.h"

#include "model/number_format.h"
#include "toolkit/bench_items.h"
#include "toolkit/desktop.h"
#include "toolkit/scroll_bar.h"

#include <algorithm>
#include <cmath>

void Form1::HScroll3_Change()
{
    state.Edc = HScroll3->benchValue();
    LblEdc->setCaption(QString::fromStdString(formatGeneral(state.Edc, decimalSeparator())));
    Image1->setEmf(state.Edc);
}

void Form1::HScroll4_Change()
{
    state.r = static_cast<float>(HScroll4->benchValue());
    Lblr->setCaption(QString::fromStdString(formatGeneral(state.r, decimalSeparator())));
}

void Form1::Image1_Click()
{
    state.istochnik = state.istochnik == 0 ? 1 : 0;
    ekran_0();
}

void Form1::Lblvkl_Click()
{
    state.rabota = state.rabota == 0 ? 1 : 0;
    ekran();
}

void Form1::Image6_Click()
{
    if (state.istochnik != 0) {
        showError(QStringLiteral(
            "Чтобы поменять неизвестное сопротивление, сначала выключите источник!"));
    } else {
        m_desktop.seedRandom();
        // One of the 101 whole values 50 … 150, each equally likely; a draw close to 1 stays 150.
        const double u = m_desktop.randomUniform();
        state.Rx = 50 + std::clamp(static_cast<int>(std::floor(u * 101)), 0, 100);
        showError(QStringLiteral("Неизвестное сопротивление изменено! Удачной работы!"));
    }
    if (m_ending)
        return;
    Lbl_Rx->setCaption(QStringLiteral("Rx=") + format(state.Rx, "0.0") + QStringLiteral(" Ом"));
}

void Form1::Image3_Click()
{
    Lbl_R_L->setVisible(true);
    Lbl_R_R->setVisible(true);
    Wait(10);
    if (m_ending)
        return;
    Lbl_R_L->setVisible(false);
    Lbl_R_R->setVisible(false);
}

void Form1::Image5_Click()
{
    Lbl_Rx->setVisible(true);
    Lbl_Ri->setVisible(true);
    Wait(10);
    if (m_ending)
        return;
    Lbl_Rx->setVisible(false);
    Lbl_Ri->setVisible(false);
}
