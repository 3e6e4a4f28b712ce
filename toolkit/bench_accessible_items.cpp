// Screen readers' view of the bench widget, its drawn items and what the bench says over them.
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_accessible_parts.h"

#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QKeySequence>
#include <QPointer>
#include <QSet>
#include <QWindow>
#include <algorithm>
#include <vector>

QRect toScreen(const BenchCanvas *canvas, const QRectF &area)
{
    return area.toAlignedRect().translated(canvas->mapToGlobal(QPoint(0, 0)));
}

namespace {

/** The bench widget: its children are the focus order first, then everything else it shows. */
class BenchCanvasAccessible : public QAccessibleWidget
{
  public:
    explicit BenchCanvasAccessible(BenchCanvas *canvas)
        : QAccessibleWidget(canvas, QAccessible::Pane)
    {
    }

    int childCount() const override { return static_cast<int>(children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const std::vector<QAccessibleInterface *> all = children();
        return index >= 0 && index < static_cast<int>(all.size()) ? all[index] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const std::vector<QAccessibleInterface *> all = children();
        const auto it = std::find(all.begin(), all.end(), child);
        return it == all.end() ? -1 : static_cast<int>(it - all.begin());
    }

    // The front-most widget or named item at a point of the screen.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        BenchCanvas *bench = canvas();
        BenchAccessibility *access = BenchAccessibility::of(bench);
        const QPoint at = bench->mapFromGlobal(QPoint(x, y));
        if (QWidget *w = bench->childAt(at)) {
            while (w->parentWidget() != bench)
                w = w->parentWidget();
            return QAccessible::queryAccessibleInterface(w);
        }
        for (const auto &item : bench->items())
            if (item->isVisible() && item->takesClicks() && !item->accessibleName().isEmpty() &&
                item->bounds().contains(at) && access)
                return access->item(item.get());
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        BenchCanvas *bench = canvas();
        BenchItem *focus = bench->keyboard().focusItem();
        BenchAccessibility *access = BenchAccessibility::of(bench);
        if (bench->hasFocus() && focus && focus->isVisible() && access)
            return access->item(focus);
        return QAccessibleWidget::focusChild();
    }

  private:
    BenchCanvas *canvas() const { return static_cast<BenchCanvas *>(widget()); }

    std::vector<QAccessibleInterface *> children() const
    {
        BenchCanvas *bench = canvas();
        std::vector<QAccessibleInterface *> out;
        BenchAccessibility *access = BenchAccessibility::of(bench);
        if (!access)
            return out;
        QSet<const void *> listed;
        for (const FocusStop &stop : bench->keyboard().focusChain()) {
            if (!bench->keyboard().isAvailable(stop))
                continue;
            if (stop.item && !stop.item->accessibleName().isEmpty()) {
                out.push_back(access->item(stop.item));
                listed.insert(stop.item);
            } else if (stop.widget) {
                out.push_back(QAccessible::queryAccessibleInterface(stop.widget));
                listed.insert(stop.widget);
            }
        }
        // The rest in reading order: top to bottom, then left to right.
        struct Entry
        {
            QRectF at;
            QAccessibleInterface *iface;
        };
        std::vector<Entry> rest;
        for (const auto &item : bench->items())
            if (item->isVisible() && item->takesClicks() && !item->accessibleName().isEmpty() &&
                !listed.contains(item.get()))
                rest.push_back({item->bounds(), access->item(item.get())});
        for (QObject *child : bench->children())
            if (auto *w = qobject_cast<QWidget *>(child);
                w && !w->isWindow() && !w->isHidden() && !listed.contains(w))
                rest.push_back({QRectF(w->geometry()), QAccessible::queryAccessibleInterface(w)});
        std::stable_sort(rest.begin(), rest.end(), [](const Entry &a, const Entry &b) {
            return a.at.top() != b.at.top() ? a.at.top() < b.at.top() : a.at.left() < b.at.left();
        });
        for (const Entry &e : rest)
            out.push_back(e.iface);
        if (!access->notice().isEmpty())
            out.push_back(access->noticeInterface());
        if (!access->announcement().isEmpty())
            out.push_back(access->announcementInterface());
        out.erase(std::remove(out.begin(), out.end(), nullptr), out.end());
        return out;
    }
};

/** A leaf of the bench's tree that is no widget: it lives as long as its canvas. */
class BenchLeafAccessible : public QAccessibleInterface
{
  public:
    explicit BenchLeafAccessible(BenchCanvas *canvas) : m_canvas(canvas) {}

    bool isValid() const override { return !m_canvas.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_canvas ? m_canvas->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_canvas ? QAccessible::queryAccessibleInterface(m_canvas.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}

  protected:
    QPointer<BenchCanvas> m_canvas;
};

/** One drawn item: a button when it takes a click procedure, else a text or a picture. */
class BenchItemAccessible : public BenchLeafAccessible,
                            public QAccessibleActionInterface,
                            public ShownText
{
  public:
    BenchItemAccessible(BenchCanvas *canvas, BenchItem *item)
        : BenchLeafAccessible(canvas), m_item(item)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (!m_canvas)
            return QString();
        switch (t) {
        case QAccessible::Name:
            return role() == QAccessible::StaticText
                       ? readoutName(m_item->accessibleName(), m_item->valueText())
                       : m_item->accessibleName();
        case QAccessible::Value:
            return m_item->valueText();
        case QAccessible::Description: {
            if (const BenchAccessibility *access = BenchAccessibility::of(m_canvas)) {
                const QString told = access->description(m_item);
                if (!told.isEmpty())
                    return told;
            }
            // AT-SPI carries no text value: the value goes here too
            if (!m_item->valueText().isEmpty())
                return m_item->valueText();
            return m_item->toolTip() == m_item->accessibleName() ? QString() : m_item->toolTip();
        }
        default:
            return QString();
        }
    }

    QRect rect() const override
    {
        return m_canvas ? toScreen(m_canvas, m_item->bounds()) : QRect();
    }

    // A switch is a checkable button, which Qt calls a check box.
    QAccessible::Role role() const override
    {
        const BenchAccessibility *access = m_canvas ? BenchAccessibility::of(m_canvas) : nullptr;
        if (access && access->isCheckable(m_item))
            return QAccessible::CheckBox;
        if (m_item->onClick)
            return QAccessible::Button;
        return dynamic_cast<const BenchLabel *>(m_item) ? QAccessible::StaticText
                                                        : QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_canvas)
            return s;
        s.invisible = !m_item->isVisible();
        if (const BenchAccessibility *access = BenchAccessibility::of(m_canvas);
            access && access->isCheckable(m_item)) {
            s.checkable = true;
            s.checked = access->isChecked(m_item);
        }
        if (inFocusChain()) {
            s.focusable = true;
            s.focused = m_canvas->hasFocus() && m_canvas->keyboard().focusItem() == m_item;
        }
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        if (type == QAccessible::TextInterface && dynamic_cast<const BenchLabel *>(m_item))
            return static_cast<QAccessibleTextInterface *>(this);
        return nullptr;
    }

    QString shownText() const override
    {
        const auto *label = dynamic_cast<const BenchLabel *>(m_item);
        return m_canvas && label ? label->caption() : QString();
    }

    QRect characterRect(int offset) const override
    {
        const auto *label = dynamic_cast<const BenchLabel *>(m_item);
        if (!m_canvas || !label)
            return QRect();
        // Where the label lies, not moved to the device's pixels: within half a pixel of the ink.
        const CaptionLayout layout = label->captionLayout(label->bounds());
        const double lineHeight = QFontMetricsF(layout.font).height();
        return toScreen(m_canvas,
                        characterBox(label->caption(), offset, layout.font, [&](int line) {
                            return layout.topLeft + QPointF(0, line * lineHeight);
                        }));
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (m_canvas && m_item->onClick)
            names << pressAction();
        if (m_canvas && inFocusChain())
            names << setFocusAction();
        return names;
    }

    // A press comes from outside any event handler: it runs later, as a click's procedure would.
    void doAction(const QString &name) override
    {
        if (!m_canvas || !m_item->isVisible())
            return;
        if (name == pressAction() && m_item->onClick) {
            QPointer<BenchCanvas> canvas = m_canvas;
            BenchItem *item = m_item;
            QMetaObject::invokeMethod(
                canvas,
                [canvas, item] {
                    if (canvas && item->isVisible() && item->onClick)
                        item->onClick();
                },
                Qt::QueuedConnection);
        } else if (name == setFocusAction() && inFocusChain()) {
            m_canvas->keyboard().setFocusItem(m_item);
        }
    }

    QStringList keyBindingsForAction(const QString &name) const override
    {
        if (name == pressAction() && m_item->onClick)
            return {QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
        return {};
    }

  private:
    bool inFocusChain() const { return m_canvas->keyboard().inFocusChain(m_item); }

    BenchItem *m_item;
};

/**
 * What the bench says over its instruments, named by its text and shown only while there is one:
 * the message it is showing (an alert) or what has just appeared on it (a notification).
 */
class SpokenAccessible : public BenchLeafAccessible
{
  public:
    using Text = const QString &(BenchAccessibility::*)() const;
    SpokenAccessible(BenchCanvas *canvas, const BenchAccessibility *access, QAccessible::Role role,
                     Text spoken)
        : BenchLeafAccessible(canvas), m_access(access), m_role(role), m_spoken(spoken)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return m_canvas && t == QAccessible::Name ? (m_access->*m_spoken)() : QString();
    }
    QRect rect() const override
    {
        return m_canvas ? toScreen(m_canvas, QRectF(m_canvas->rect())) : QRect();
    }
    QAccessible::Role role() const override { return m_role; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_canvas || (m_access->*m_spoken)().isEmpty();
        return s;
    }

  private:
    const BenchAccessibility *m_access; // deleted with the canvas, as this is
    QAccessible::Role m_role;
    Text m_spoken;
};

} // namespace

QAccessibleInterface *newCanvasAccessible(BenchCanvas *canvas)
{
    return new BenchCanvasAccessible(canvas);
}

QAccessibleInterface *newItemAccessible(BenchCanvas *canvas, BenchItem *item)
{
    return new BenchItemAccessible(canvas, item);
}

QAccessibleInterface *newSpokenAccessible(BenchCanvas *canvas, const BenchAccessibility *access,
                                          QAccessible::Role role,
                                          const QString &(BenchAccessibility::*spoken)() const)
{
    return new SpokenAccessible(canvas, access, role, spoken);
}
