// Shared helpers of the window tests: a loaded bench, clicks on its drawn controls.
#pragma once

#include "app/form1.h"
#include "fake_desktop.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"

#include <QtTest>
#include <memory>

/** A bench that has run its start-up and stands on the (offscreen) screen. */
struct LoadedBench
{
    FakeDesktop desktop;
    std::unique_ptr<Form1> form;

    LoadedBench()
    {
        form = std::make_unique<Form1>(desktop);
        form->waitScale = 0.001; // ten seconds become ten milliseconds
        form->start();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    Form1 *operator->() const { return form.get(); }
};

/** The widget a real click at this point of the bench reaches: a readout or bar, else the bench. */
inline QWidget *widgetAt(Form1 &form, QPoint at)
{
    QWidget *child = form.bench->childAt(at);
    return child ? child : form.bench;
}

/** A left click at a point of the bench, delivered where a real click would go. */
inline void clickBench(Form1 &form, QPointF at)
{
    QWidget *target = widgetAt(form, at.toPoint());
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                      target->mapFrom(form.bench, at.toPoint()));
}

/** A left click at the centre of a drawn control. */
inline void clickItem(Form1 &form, const BenchItem *item)
{
    clickBench(form, item->bounds().center());
}

/** A click on one part of a scroll bar (arrow, track, thumb). */
inline void clickBar(ScrollBar *bar, QStyle::SubControl part)
{
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->partRect(part).center());
}

/** What the bench shows now, by the names of its controls, sorted. */
inline QStringList shownControls(Form1 &form)
{
    QStringList shown;
    for (const auto &item : form.bench->items())
        if (item->isVisible())
            shown << item->name();
    for (QObject *child : form.bench->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && !w->isHidden())
            shown << w->objectName();
    shown.sort();
    return shown;
}
