// The bench the documents are made from: a window built offscreen and worked through the bench
// driver, and how the documents write the numbers read from it.
#pragma once

#include "app/bench_driver.h"
#include "app/bench_window.h"
#include "model/balancing.h"
#include "toolkit/bench_items.h"
#include "toolkit/quiet_desktop.h"
#include "toolkit/scroll_bar.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace benchfacts {

// The window the documents are made from, started offscreen.
struct DocsWindow
{
    // No box may appear while the documents are made: a refusal would mean the documented
    // settings are wrong, and that must fail the build.
    QuietDesktop desktop;
    BenchWindow form{desktop};
    DocsWindow()
    {
        form.start();
        QApplication::processEvents();
    }
};

// The one place where the documents operate the bench's window: the bench driver, as a user
// would, and the readouts by what the documents call them. Everything else here reads only the
// places of its controls for the pictures.
struct Bench : DocsWindow, BenchDriver
{
    Bench() : BenchDriver(form) {}
    QRectF place(const char *name) const
    {
        if (const BenchItem *drawn = findControl<BenchItem>(form, QString::fromLatin1(name)))
            return drawn->bounds();
        return QRectF(control<QWidget>(name)->geometry());
    }
    void setRheostatMaximum(int ohms) const { bar("VScroll7")->setBenchValue(ohms); }
    void setRheostat(int ohms) const { bar("HScroll2")->setBenchValue(ohms); }
    void rheostatToMaximum() const { setRheostat(bar("HScroll2")->endValue()); }

    // Whether the bench showed a box; the last one is told on the error stream.
    bool refused() const
    {
        if (desktop.boxes == 0)
            return false;
        std::fprintf(stderr, "docgen: the bench refused: %s\n", qPrintable(desktop.lastBox));
        return true;
    }
    QString readout() const { return shown("Picture2"); }
    QString sourceCurrent() const { return shown("Picture3"); }
    QString box() const { return shown("Picture1"); }
    QString rheostat() const { return caption("Lbl_reo"); }
    QString sliderCard() const { return caption("Lbldv").trimmed(); }
    // The value of a caption such as "R_L=2,500 Ом".
    QString leftArm() const { return caption("Lbl_R_L").section('=', 1); }
    QString rightArm() const { return caption("Lbl_R_R").section('=', 1); }
    QString measured() const { return caption("Lbl_Ri"); }
    QImage shot() const { return form.centralWidget()->grab().toImage(); }
};

// Minus signs as typeset, for the text of a document.
inline QString typeset(QString text)
{
    return text.replace(QLatin1Char('-'), QChar(0x2212));
}

// Every number that a document derives from the bench: with the given decimals, in the bench's
// own number pattern and locale, with a typeset minus.
inline QString number(const Bench &b, double value, int decimals)
{
    const std::string pattern = decimals > 0 ? "0." + std::string(size_t(decimals), '0') : "0";
    return typeset(b.format(value, pattern.c_str()));
}

// A result with its error: the error to two significant figures, the value to the same place.
inline QString withError(const Bench &b, double value, double error)
{
    int decimals = std::max(0, 1 - int(std::floor(std::log10(error))));
    if (decimals > 0 && std::round(error * std::pow(10, decimals)) >= 100)
        --decimals; // 9,96 rounds to 10
    return QStringLiteral("%1 ± %2").arg(number(b, value, decimals), number(b, error, decimals));
}

// The galvanometer under the start-up settings with a small box: a current the needle shows.
inline void galvanometerState(Bench &b)
{
    b.click("Lblvkl");
    b.decade(2)->setBenchValue(1);
    b.click("Image1");
}

/** The legends of the annotated pictures of the bench, under their names. */
void calloutLegends(QHash<QString, QString> &v);

} // namespace benchfacts
