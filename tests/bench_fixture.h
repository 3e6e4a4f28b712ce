// Shared helpers of the window tests: a loaded bench, clicks on its drawn controls.
#pragma once

#include "app/bench_driver.h"
#include "app/bench_window.h"
#include "controls/circuit.h"
#include "fake_desktop.h"
#include "offscreen_hinting.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/find_control.h"
#include "toolkit/pause_timer.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"
#include "view/source_picture.h"

#include <QAction>
#include <QBackingStore>
#include <QMenu>

#include <QtTest>
#include <memory>

/** A bench that has run its start-up and stands on the (offscreen) screen. */
struct LoadedBench
{
    FakeDesktop desktop;
    std::unique_ptr<BenchWindow> form;

    explicit LoadedBench(const DocumentFolders &folders = BenchWindow::installedFolders())
    {
        form = std::make_unique<BenchWindow>(desktop, folders);
        form->start();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    BenchWindow *operator->() const { return form.get(); }
    BenchWindow &operator*() const { return *form; }
    BenchDriver driver() const { return BenchDriver(*form); }
};

/** A control of the window by its system name, as the accessible tree names it; never null. */
template <typename T> T *control(BenchWindow &window, const char *name)
{
    return BenchDriver(window).control<T>(name);
}
template <typename T> T *control(const LoadedBench &bench, const char *name)
{
    return control<T>(*bench.form, name);
}

/** The bench the window draws its instruments on. */
inline BenchCanvas *benchOf(BenchWindow &window)
{
    return &BenchDriver(window).bench();
}
inline BenchCanvas *benchOf(const LoadedBench &bench)
{
    return benchOf(*bench.form);
}

/** The window's circuit: tests listen to its signals. */
inline Circuit &circuitOf(BenchWindow &window)
{
    return *window.findChild<Circuit *>();
}

/** The circuit's state record. */
inline const CircuitState &stateOf(BenchWindow &window)
{
    return BenchDriver(window).state();
}
inline const CircuitState &stateOf(const LoadedBench &bench)
{
    return stateOf(*bench.form);
}

/** The box's six decades set through their bars, from ×10000 down to ×0.1. */
inline void setBox(BenchWindow &window, const QList<int> &digits)
{
    BenchDriver(window).setDecades(
        {digits[0], digits[1], digits[2], digits[3], digits[4], digits[5]});
}

/** The bench as the window draws it now. */
inline QImage benchShot(BenchWindow &window)
{
    return benchOf(window)->grab().toImage();
}

/**
 * The window as its backing store holds it, once every waiting repaint is done: what the screen
 * shows. The offscreen platform keeps the store in an image, at the screen's pixel ratio. The
 * image is copied deep: a copy that shares its pixels (as converting to the format it already has
 * does) would make the next repaint detach the store's image and paint where the platform no
 * longer reads, so that the store would seem frozen at every later reading.
 */
inline QImage storeShot(BenchWindow &window)
{
    QCoreApplication::processEvents();
    QPaintDevice *store = window.backingStore()->paintDevice();
    if (!store || store->devType() != QInternal::Image)
        return QImage();
    return static_cast<const QImage *>(store)->copy().convertToFormat(QImage::Format_RGB32);
}

/**
 * The window repainted whole in its backing store: every widget shown, each before the widgets on
 * it. Repainting the window alone repaints only what no opaque child covers (its menu bar), not
 * the bench.
 */
inline QImage paintedWhole(BenchWindow &window)
{
    QCoreApplication::processEvents();
    QList<QWidget *> widgets{&window};
    widgets += window.findChildren<QWidget *>();
    for (QWidget *w : widgets)
        if (w->isVisible())
            w->repaint();
    return storeShot(window);
}

/** The device pixels of a part of the bench, rounded outwards, in the window's store. */
inline QRect onDevice(BenchWindow &window, QRect onBench)
{
    const qreal ratio = window.devicePixelRatioF();
    const QRectF r(QPointF(benchOf(window)->mapTo(&window, onBench.topLeft())) * ratio,
                   QSizeF(onBench.size()) * ratio);
    return r.toAlignedRect();
}

/**
 * A trace left in the window's store, as a faulty repaint leaves one: a row of device pixels, one
 * colour level off, across a part of the bench. Only a repaint that covers it takes it away.
 */
inline void plantTrace(BenchWindow &window, QRect onBench)
{
    QCoreApplication::processEvents();
    auto &store = *static_cast<QImage *>(window.backingStore()->paintDevice());
    const QRect row = onDevice(window, onBench);
    for (int x = row.left(); x <= row.right(); ++x) {
        const QRgb was = store.pixel(x, row.top());
        store.setPixel(x, row.top(), qRgb(qRed(was) ^ 1, qGreen(was), qBlue(was)));
    }
}

/**
 * True when a trace planted in a part of the bench shows in the store and a whole repaint takes it
 * away again, leaving that part as it was: a pixel test that compares the store with the window
 * repainted whole can fail there. Tests prove this before they trust the comparison.
 */
inline bool tracesShow(BenchWindow &window, QRect onBench)
{
    const QRect area = onDevice(window, onBench);
    const QImage before = paintedWhole(window).copy(area);
    plantTrace(window, onBench);
    const QImage traced = storeShot(window).copy(area);
    const QImage whole = paintedWhole(window).copy(area);
    return traced != before && whole == before;
}

/** The widget a real click at this point of the bench reaches: a readout or bar, else the bench. */
inline QWidget *widgetAt(BenchWindow &form, QPoint at)
{
    return BenchDriver(form).widgetAt(at);
}

/** A left click at a point of the bench, delivered where a real click would go. */
inline void clickBench(BenchWindow &form, QPointF at)
{
    QWidget *target = widgetAt(form, at.toPoint());
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                      target->mapFrom(benchOf(form), at.toPoint()));
}

/** A left click at the centre of a drawn control. */
inline void clickItem(BenchWindow &form, const BenchItem *item)
{
    clickBench(form, item->bounds().center());
}

/** A bench with the key closed, the box at 1963 Ω and the source on: a live, balanced bridge. */
struct LiveBench : LoadedBench
{
    explicit LiveBench(int emf = 8, int internal = 10) { driver().goLive(emf, internal); }
};

/** A click on one part of a scroll bar (arrow, track, thumb). */
inline void clickBar(ScrollBar *bar, QStyle::SubControl part)
{
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->partRect(part).center());
}

/** The pause timer's tick, as when its interval has passed: tests end the pauses with it. */
inline void tick(BenchWindow &form)
{
    emit control<PauseTimer>(form, "Timer1")->elapsed();
}

/**
 * Ends a pause that has not ended by itself after `ms` milliseconds, so that a test reports a hung
 * pause instead of waiting for ever.
 */
struct PauseRescue
{
    QTimer timer;
    bool rescued = false;
    explicit PauseRescue(BenchWindow &form, int ms = 15000)
    {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [this, &form] {
            rescued = true;
            tick(form);
        });
        timer.start(ms);
    }
};

/** What the bench shows now, by the names of its controls, sorted. */
inline QStringList shownControls(BenchWindow &form)
{
    QStringList shown;
    for (const auto &item : benchOf(form)->items())
        if (item->isVisible())
            shown << item->name();
    for (QObject *child : benchOf(form)->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && !w->isHidden())
            shown << w->objectName();
    shown.sort();
    return shown;
}

/**
 * What the bench shows in the view of its two switches, by the names of its controls, sorted:
 * the pictures, wires and readouts of every view, then the key's half and the source's half.
 */
inline QStringList viewShows(bool keyClosed, bool sourceOn)
{
    QStringList shown = {"Image1", "Image2", "Image3", "Image4", "Image5",   "Image6",
                         "Image7", "Lbldv",  "Lblvkl", "LblEdc", "Lblr",     "Line1",
                         "Line2",  "Line3",  "Line4",  "Line5",  "Line6",    "Line7",
                         "Line8",  "Line9",  "Line10", "Line11", "Line12",   "Line13",
                         "Line14", "Line15", "Line16", "Line17", "Picture2", "Picture3"};
    if (keyClosed)
        shown += {"HScroll1",  "HScroll2",  "VScroll1",  "VScroll2",  "VScroll3",  "VScroll4",
                  "VScroll5",  "VScroll6",  "Lbl_R_m_1", "lbl_R_m_2", "lbl_R_m_3", "Lbl_R_m_4",
                  "Lbl_R_m_5", "Lbl_R_m_6", "Lbl_reo",   "Picture1",  "Image9"};
    else
        shown += {"VScroll7", "LblReomax", "Image8"};
    if (sourceOn)
        shown << QStringLiteral("Image10");
    else
        shown += {"HScroll3", "HScroll4"};
    shown.sort();
    return shown;
}
