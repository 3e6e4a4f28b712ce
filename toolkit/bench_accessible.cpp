// The bench's screen-reader support: what it keeps for each control, and the factory of its
// interfaces.
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_accessible_parts.h"

#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QApplication>

namespace {

QAccessibleInterface *benchFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("BenchCanvas"))
        return newCanvasAccessible(static_cast<BenchCanvas *>(object));
    if (className == QLatin1String("ScrollBar"))
        return newScrollBarAccessible(static_cast<ScrollBar *>(object));
    if (className == QLatin1String("ReadoutBox"))
        return newReadoutAccessible(static_cast<ReadoutBox *>(object));
    return nullptr;
}

void installBenchAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(benchFactory);
}

} // namespace

// A screen reader that is there from the start asks for each scroll bar as the window builds it,
// before any bench has its BenchAccessibility: Qt keeps the interface it makes then, and its own
// reads the bar's raw position. So the factory comes with the application. It stays in the file
// of the constructor: of a static library, only the files something calls are linked in.
Q_COREAPP_STARTUP_FUNCTION(installBenchAccessibility)

BenchAccessibility::BenchAccessibility(BenchCanvas *canvas) : QObject(canvas), m_canvas(canvas)
{
    installBenchAccessibility();
    connect(canvas, &BenchCanvas::itemShownOrHidden, this, &BenchAccessibility::itemShownOrHidden);
    connect(canvas, &BenchCanvas::itemValueChanged, this, &BenchAccessibility::itemValueChanged);
    connect(&canvas->keyboard(), &BenchKeyboard::focusMoved, this, &BenchAccessibility::focusMoved);
    for (ReadoutBox *box : canvas->findChildren<ReadoutBox *>())
        connect(box, &ReadoutBox::printed, this, [this, box] { readoutPrinted(box); });
    // The news after a message is told by the control the keyboard went back to, until it leaves.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now != m_canvas && now->window() == m_canvas->window())
            newsHeard(now);
    });
}

BenchAccessibility::~BenchAccessibility()
{
    // The items' interfaces point at the items, which go with the canvas: delete them first.
    for (QAccessible::Id id : std::as_const(m_itemIds))
        QAccessible::deleteAccessibleInterface(id);
    if (m_announcementId)
        QAccessible::deleteAccessibleInterface(m_announcementId);
    if (m_noticeId)
        QAccessible::deleteAccessibleInterface(m_noticeId);
}

BenchAccessibility *BenchAccessibility::of(const BenchCanvas *canvas)
{
    return canvas->findChild<BenchAccessibility *>(QString(), Qt::FindDirectChildrenOnly);
}

QAccessibleInterface *BenchAccessibility::item(BenchItem *item)
{
    const auto it = m_itemIds.constFind(item);
    if (it != m_itemIds.constEnd())
        return QAccessible::accessibleInterface(*it);
    QAccessibleInterface *iface = newItemAccessible(m_canvas, item);
    m_itemIds.insert(item, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface *BenchAccessibility::announcementInterface()
{
    if (!m_announcementId)
        m_announcementId = QAccessible::registerAccessibleInterface(newSpokenAccessible(
            m_canvas, this, QAccessible::AlertMessage, &BenchAccessibility::announcement));
    return QAccessible::accessibleInterface(m_announcementId);
}

QAccessibleInterface *BenchAccessibility::noticeInterface()
{
    if (!m_noticeId)
        m_noticeId = QAccessible::registerAccessibleInterface(newSpokenAccessible(
            m_canvas, this, QAccessible::Notification, &BenchAccessibility::notice));
    return QAccessible::accessibleInterface(m_noticeId);
}

void BenchAccessibility::setDescription(const BenchItem *item, std::function<QString()> description)
{
    m_descriptions.insert(item, std::move(description));
}

void BenchAccessibility::setDescription(const QWidget *widget, std::function<QString()> description)
{
    m_descriptions.insert(widget, std::move(description));
}

QString BenchAccessibility::description(const BenchItem *item) const
{
    const QString news = newsFor(item);
    if (!news.isEmpty())
        return news;
    const auto it = m_descriptions.constFind(item);
    return it != m_descriptions.constEnd() ? (*it)() : QString();
}

QString BenchAccessibility::description(const QWidget *widget) const
{
    const QString news = newsFor(widget);
    if (!news.isEmpty())
        return news;
    const auto it = m_descriptions.constFind(widget);
    return it != m_descriptions.constEnd() ? (*it)() : QString();
}

void BenchAccessibility::setBarUnit(const ScrollBar *bar, double unit)
{
    m_barUnits.insert(bar, unit);
}

double BenchAccessibility::barUnit(const ScrollBar *bar) const
{
    return m_barUnits.value(bar, 1.0);
}

void BenchAccessibility::setCheckable(const BenchItem *item, std::function<bool()> checked)
{
    m_checked.insert(item, std::move(checked));
}

bool BenchAccessibility::isChecked(const BenchItem *item) const
{
    const auto it = m_checked.constFind(item);
    return it != m_checked.constEnd() && (*it)();
}
