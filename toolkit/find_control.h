// Finding a control of the bench by its system name: a drawn item of the canvas, or a widget.
#pragma once

#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"

#include <QObject>
#include <QString>
#include <type_traits>

/**
 * The control called `name` in `root` (a window or its bench), or null: drawn items are looked up
 * on the bench, widgets, actions and timers among the children.
 */
template <typename T> T *findControl(const QObject &root, const QString &name)
{
    if constexpr (std::is_base_of_v<BenchItem, T>) {
        auto *bench = qobject_cast<const BenchCanvas *>(&root);
        if (!bench)
            bench = root.findChild<BenchCanvas *>();
        return bench ? dynamic_cast<T *>(bench->item(name)) : nullptr;
    } else {
        return root.findChild<T *>(name);
    }
}
