// The bench's invariants, checked after every action by the fuzzer and the reliability tests.
#pragma once

#include "app/bench_window.h"
#include "bench_fixture.h"
#include "model/number_format.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/pause_timer.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QSet>
#include <QStringList>
#include <cmath>
#include <tuple>

/** What the checker cannot read from the window: what has happened to it since start-up. */
struct BenchHistory
{
    bool boxTurned = false; // a decade has changed: Picture1 shows the box from then on
    bool rheostatMoved =
        false; // the rheostat or its maximum has changed: Reo is whole from then on
    bool revealRunning = false; // a reveal is waiting: the four readouts it shows are not checked
};

/** Keeps `history` up to date with the bars of a started bench. */
inline void trackHistory(BenchWindow &form, BenchHistory &history)
{
    for (ScrollBar *bar :
         {control<ScrollBar>(form, "VScroll1"), control<ScrollBar>(form, "VScroll2"),
          control<ScrollBar>(form, "VScroll3"), control<ScrollBar>(form, "VScroll4"),
          control<ScrollBar>(form, "VScroll5"), control<ScrollBar>(form, "VScroll6")})
        QObject::connect(bar, &ScrollBar::change, bar, [&history] { history.boxTurned = true; });
    for (ScrollBar *bar :
         {control<ScrollBar>(form, "HScroll2"), control<ScrollBar>(form, "VScroll7")})
        QObject::connect(bar, &ScrollBar::change, bar,
                         [&history] { history.rheostatMoved = true; });
}

inline auto stateFields(const CircuitState &s)
{
    return std::tie(s.Edc, s.r, s.Reo_max, s.Reo, s.R_m_1, s.R_m_2, s.R_m_3, s.R_m_4, s.R_m_5,
                    s.R_m_6, s.R_m, s.R_dlina, s.Rmax, s.R_L, s.R_R, s.Rx, s.R1, s.R2, s.R3, s.R4,
                    s.Rg, s.rabota, s.istochnik, s.I, s.Imax, s.Ig, s.Igmax, s.alpha_max, s.alpha,
                    s.k_alpha, s.dx, s.dy);
}

/** Every field equal: what the menus and a refused close must leave as it was. */
inline bool sameState(const CircuitState &a, const CircuitState &b)
{
    return stateFields(a) == stateFields(b);
}

/** The view that the two switches call for: the names of every control that must be shown. */
inline QSet<QString> expectedShown(const CircuitState &s)
{
    const QStringList shown = viewShows(s.rabota != 0, s.istochnik != 0);
    return QSet<QString>(shown.begin(), shown.end());
}

/** The readouts that only a reveal shows. */
inline const QSet<QString> &revealedReadouts()
{
    static const QSet<QString> names = {"Lbl_R_L", "Lbl_R_R", "Lbl_Rx", "Lbl_Ri"};
    return names;
}

/** Every broken invariant of the bench as it stands, one line each; empty when all hold. */
inline QStringList benchViolations(BenchWindow &form, const BenchHistory &history)
{
    QStringList v;
    const CircuitState &s = stateOf(form);
    const std::string sep = BenchDriver(form).separator();
    const auto num = [](double x) { return QString::number(x, 'g', 17); };
    const auto whole = [](double x) { return std::isfinite(x) && std::floor(x) == x; };
    const auto expect = [&v](bool ok, const QString &what) {
        if (!ok)
            v << what;
    };
    const auto shows = [&v](const char *name, const QString &shown, const std::string &wanted) {
        const QString w = QString::fromStdString(wanted);
        if (shown != w)
            v << QStringLiteral("%1 shows \"%2\", expected \"%3\"").arg(name, shown, w);
    };
    const auto pattern = [sep](double x, const char *p) { return formatPattern(x, p, sep); };

    // Every field within its range.
    expect(whole(s.Edc) && s.Edc >= 4 && s.Edc <= 12, "Edc = " + num(s.Edc));
    expect(whole(s.r) && s.r >= 0 && s.r <= 20, "r = " + num(s.r));
    expect(whole(s.Reo_max) && s.Reo_max >= 15 && s.Reo_max <= 500, "Reo_max = " + num(s.Reo_max));
    expect(s.Reo >= 0 && s.Reo <= s.Reo_max, "Reo = " + num(s.Reo));
    const double digits[] = {s.R_m_1, s.R_m_2, s.R_m_3, s.R_m_4, s.R_m_5, double(s.R_m_6)};
    for (int k = 0; k < 6; ++k)
        expect(whole(digits[k]) && digits[k] >= 0 && digits[k] <= 9,
               QStringLiteral("R_m_%1 = %2").arg(k + 1).arg(num(digits[k])));
    const double steps = s.R_dlina / 0.005;
    expect(s.R_dlina >= 0 && s.R_dlina <= 1 && std::fabs(steps - std::round(steps)) < 1e-9,
           "R_dlina = " + num(s.R_dlina));
    expect(s.Rmax == 5, "Rmax = " + num(s.Rmax));
    expect(std::fabs(s.R_L + s.R_R - s.Rmax) < 1e-6,
           QStringLiteral("R_L + R_R = %1").arg(num(s.R_L + s.R_R)));
    expect(s.Rx == 1963 || (whole(s.Rx) && s.Rx >= 50 && s.Rx <= 150), "Rx = " + num(s.Rx));
    expect(s.rabota == 0 || s.rabota == 1, "rabota = " + num(s.rabota));
    expect(s.istochnik == 0 || s.istochnik == 1, "istochnik = " + num(s.istochnik));
    expect(s.Rg == 2.3f && s.Imax == 3 && s.Igmax == 0.0025f, "a constant changed");

    // The state follows its bars.
    expect(s.Edc == control<ScrollBar>(form, "HScroll3")->benchValue(),
           "Edc is not HScroll3's value");
    expect(s.r == float(control<ScrollBar>(form, "HScroll4")->benchValue()),
           "r is not HScroll4's value");
    expect(s.Reo_max == control<ScrollBar>(form, "VScroll7")->benchValue() &&
               control<ScrollBar>(form, "HScroll2")->endValue() == s.Reo_max,
           "Reo_max is not VScroll7's value or HScroll2's maximum");
    expect(s.Reo == float(control<ScrollBar>(form, "HScroll2")->benchValue()) ||
               (!history.rheostatMoved && s.Reo == 112.5f &&
                control<ScrollBar>(form, "HScroll2")->benchValue() == 112),
           QStringLiteral("Reo = %1 with HScroll2 at %2")
               .arg(num(s.Reo))
               .arg(control<ScrollBar>(form, "HScroll2")->benchValue()));
    const ScrollBar *decades[] = {
        control<ScrollBar>(form, "VScroll1"), control<ScrollBar>(form, "VScroll2"),
        control<ScrollBar>(form, "VScroll3"), control<ScrollBar>(form, "VScroll4"),
        control<ScrollBar>(form, "VScroll5"), control<ScrollBar>(form, "VScroll6")};
    for (int k = 0; k < 6; ++k)
        expect(digits[k] == decades[k]->benchValue(),
               QStringLiteral("R_m_%1 is not VScroll%1's value").arg(k + 1));
    // The box reads its six digits as one decimal number with one decimal: 1 2 3 4 5 6 is
    // 12345.6 Ω.
    QString boxDigits;
    for (int k = 0; k < 6; ++k)
        boxDigits += (k == 5 ? "." : "") + QString::number(static_cast<int>(digits[k]));
    expect(std::fabs(s.R_m - boxDigits.toDouble()) < 0.004,
           "R_m = " + num(s.R_m) + " for the digits " + boxDigits);
    expect(s.R_dlina == control<ScrollBar>(form, "HScroll1")->benchValue() * 0.005,
           "R_dlina is not HScroll1's value");
    expect(s.R_L == s.R_dlina * s.Rmax && s.R_R == static_cast<float>(s.Rmax - s.R_L),
           "the arms do not follow R_dlina");

    // Every readout shows the state it stands for.
    shows("LblEdc", control<BenchLabel>(form, "LblEdc")->caption(), formatGeneral(s.Edc, sep));
    shows("Lblr", control<BenchLabel>(form, "Lblr")->caption(), formatGeneral(s.r, sep));
    shows("LblReomax", control<BenchLabel>(form, "LblReomax")->caption(),
          formatGeneral(s.Reo_max, sep));
    shows("Lbl_reo", control<BenchLabel>(form, "Lbl_reo")->caption(),
          formatGeneral(float(control<ScrollBar>(form, "HScroll2")->benchValue()), sep));
    const BenchLabel *digitLabels[] = {
        control<BenchLabel>(form, "Lbl_R_m_1"), control<BenchLabel>(form, "lbl_R_m_2"),
        control<BenchLabel>(form, "lbl_R_m_3"), control<BenchLabel>(form, "Lbl_R_m_4"),
        control<BenchLabel>(form, "Lbl_R_m_5"), control<BenchLabel>(form, "Lbl_R_m_6")};
    for (int k = 0; k < 6; ++k)
        shows("a decade's digit", digitLabels[k]->caption(),
              std::to_string(static_cast<int>(digits[k])));
    shows("Lbldv", control<BenchLabel>(form, "Lbldv")->caption(), sliderCaption(s.R_dlina, sep));
    shows("Lbl_R_L", control<BenchLabel>(form, "Lbl_R_L")->caption(),
          "R_L=" + pattern(s.R_L, "0.000") + " Ом");
    shows("Lbl_R_R", control<BenchLabel>(form, "Lbl_R_R")->caption(),
          "R_R=" + pattern(s.R_R, "0.000") + " Ом");
    shows("Lbl_Rx", control<BenchLabel>(form, "Lbl_Rx")->caption(),
          "Rx=" + pattern(s.Rx, "0.0") + " Ом");
    // A live calculation leaves I > 0; with a right arm it also wrote the balance resistance.
    if (s.I != 0 && s.R3 != 0)
        shows("Lbl_Ri", control<BenchLabel>(form, "Lbl_Ri")->caption(),
              "Ri=" + pattern(s.R4 * s.R2 / s.R3, "0.0") + " Ом");
    shows("Picture1", control<ReadoutBox>(form, "Picture1")->text(),
          history.boxTurned ? QString(boxDigits)
                                  .replace(QLatin1Char('.'), QString::fromStdString(sep))
                                  .toStdString()
                            : std::string());
    shows("Picture2", control<ReadoutBox>(form, "Picture2")->text(), pattern(s.Ig, "#0.0000000"));
    shows("Picture3", control<ReadoutBox>(form, "Picture3")->text(), pattern(s.I, "#0.00"));

    // The currents: zero with the source off, within the limits on a live circuit.
    if (s.istochnik == 0)
        expect(s.I == 0 && s.Ig == 0, "current with the source off: I = " + num(s.I));
    if (s.rabota == 1 && s.istochnik == 1)
        expect(s.I > 0 && s.I <= s.Imax && std::fabs(s.Ig) <= s.Igmax,
               QStringLiteral("live circuit past its limits: I = %1, Ig = %2")
                   .arg(num(s.I), num(s.Ig)));

    // The needle stands where the last galvanometer current puts it.
    // Pivot (279, 335), 57 pixels long, 0.78 rad at 2.5 mA: 312 rad per ampere (to the
    // precision of the limit, a single).
    const double alpha = s.Ig * 312;
    expect(control<BenchLine>(form, "Line17")->p1().x() == 279 &&
               control<BenchLine>(form, "Line17")->p1().y() == 335 &&
               std::fabs(control<BenchLine>(form, "Line17")->p2().x() -
                         (279 + 57 * std::sin(alpha))) < 1e-3 &&
               std::fabs(control<BenchLine>(form, "Line17")->p2().y() -
                         (335 - 57 * std::cos(alpha))) < 1e-3 &&
               std::fabs(s.alpha - alpha) < 1e-6 * std::max(1.0, std::fabs(alpha)),
           QStringLiteral("needle tip (%1, %2) for Ig = %3")
               .arg(control<BenchLine>(form, "Line17")->p2().x())
               .arg(control<BenchLine>(form, "Line17")->p2().y())
               .arg(num(s.Ig)));

    // The slider and the rheostat's readout ride on their thumbs.
    // The contact runs along the slider's bar, from 60 at position 0 to 508 at 200, 2.24 pixels
    // a step; the slider picture (35 wide) is centred on it and its readout 4 pixels left of that.
    const double contact = 60 + 2.24 * control<ScrollBar>(form, "HScroll1")->benchValue();
    expect(std::fabs(control<BenchLine>(form, "Line1")->p1().x() - contact) < 1e-3 &&
               std::fabs(control<BenchImage>(form, "Image4")->left() - (contact - 17.5)) < 1e-3 &&
               std::fabs(control<BenchLabel>(form, "Lbldv")->left() - (contact - 21.5)) < 1e-3,
           QStringLiteral("the slider at %1 for position %2")
               .arg(control<BenchLine>(form, "Line1")->p1().x())
               .arg(control<ScrollBar>(form, "HScroll1")->benchValue()));
    // The rheostat's bar is 160 pixels long from 386; its 36-pixel readout is centred over it.
    const double over =
        368 + 160.0 * control<ScrollBar>(form, "HScroll2")->benchValue() / s.Reo_max;
    expect(std::fabs(control<BenchLabel>(form, "Lbl_reo")->left() - over) < 1e-6,
           QStringLiteral("Lbl_reo at %1, not over the rheostat's thumb")
               .arg(control<BenchLabel>(form, "Lbl_reo")->left()));

    // What is shown is the view of the two switches; the revealed readouts only during a reveal.
    const QSet<QString> wanted = expectedShown(s);
    auto checkShown = [&](const QString &name, bool shown) {
        if (history.revealRunning && revealedReadouts().contains(name))
            return;
        if (shown != wanted.contains(name))
            v << QStringLiteral("%1 is %2").arg(name, shown ? "shown" : "hidden");
    };
    for (const auto &item : benchOf(form)->items())
        checkShown(item->name(), item->isVisible());
    for (QObject *child : benchOf(form)->children())
        if (auto *w = qobject_cast<QWidget *>(child))
            checkShown(w->objectName(), !w->isHidden());
    const BenchImage *key =
        s.rabota != 0 ? control<BenchImage>(form, "Image9") : control<BenchImage>(form, "Image8");
    expect(key->bounds().topLeft() == QPointF(20, 72), "the key's picture is out of its place");
    if (!history.revealRunning)
        expect(control<PauseTimer>(form, "Timer1")->length() == 0, "a pause is left running");
    return v;
}
