// The slide wire and the rheostat: the slider, the wire's two arms and the rheostat's setting.
#include "app/form1.h"

#include "model/number_format.h"
#include "toolkit/bench_items.h"
#include "toolkit/scroll_bar.h"

// Moving the slider: new arms, then a full recomputation. Also the general entry for one.
void Form1::HScroll1_Change()
{
    state.R_dlina = HScroll1->benchValue() * 0.005;
    Lbldv->setCaption(QString::fromStdString(sliderCaption(state.R_dlina, decimalSeparator())));
    polzun();
    R_left_right();
    raschet();
}

// The slider picture, its lead and its readout follow the bar's thumb, in fractional pixels.
void Form1::polzun()
{
    const float X = static_cast<float>(static_cast<double>(HScroll1->benchValue()) /
                                           HScroll1->endValue() * HScroll1->width() +
                                       HScroll1->x());
    Line1->setX1(X);
    Image4->setLeft(Line1->X1() - Image4->width() / 2);
    Lbldv->setLeft(Image4->left() - 4);
}

void Form1::R_left_right()
{
    state.R_L = state.R_dlina * state.Rmax;
    state.R_R = static_cast<float>(state.Rmax - state.R_L);
    Lbl_R_L->setCaption(QStringLiteral("R_L=") + format(state.R_L, "0.000") +
                        QStringLiteral(" Ом"));
    Lbl_R_R->setCaption(QStringLiteral("R_R=") + format(state.R_R, "0.000") +
                        QStringLiteral(" Ом"));
}

void Form1::HScroll2_Change()
{
    state.Reo = static_cast<float>(HScroll2->benchValue());
    Lbl_reo->setCaption(QString::fromStdString(formatGeneral(state.Reo, decimalSeparator())));
    // The readout rides centred over the thumb.
    Lbl_reo->setLeft(static_cast<double>(HScroll2->benchValue()) / HScroll2->endValue() *
                         HScroll2->width() +
                     HScroll2->x() - Lbl_reo->width() / 2);
    raschet();
}

// A new rheostat maximum resets the rheostat to three quarters of it.
void Form1::VScroll7_Change()
{
    state.Reo_max = VScroll7->benchValue();
    // The maximum is shown as plain decimal text, not in the locale's general form; a whole number
    // of ohms has no separator to show either way.
    LblReomax->setCaption(QString::fromStdString(formatGeneral(state.Reo_max, ".")));
    HScroll2->setEndValue(static_cast<int>(state.Reo_max));
    HScroll2->setBenchValue(roundHalfEven(HScroll2->endValue() / 4.0 * 3));
    HScroll2_Change();
}
