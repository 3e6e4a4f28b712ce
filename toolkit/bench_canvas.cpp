// The bench widget: paints the drawn controls back to front and routes clicks, tooltips, the
// keyboard focus and what screen readers are told.
#include "bench_canvas.h"

#include "bench_accessible.h"
#include "bench_items.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// Bright enough to stand out on the grey bench and on the dark instruments alike.
const QColor kFocusOutline(0, 102, 255);

bool isKeyboardReason(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
}

} // namespace

BenchCanvas::BenchCanvas(QWidget *parent) : QWidget(parent), m_background(224, 224, 224)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    installBenchAccessibility();
}

BenchCanvas::~BenchCanvas()
{
    // The items' interfaces point at the items, which go with this object: delete them first.
    for (QAccessible::Id id : std::as_const(m_accessibleIds))
        QAccessible::deleteAccessibleInterface(id);
    if (m_announcementId)
        QAccessible::deleteAccessibleInterface(m_announcementId);
    for (const FocusStop &stop : m_chain)
        if (stop.widget)
            stop.widget->removeEventFilter(this);
}

void BenchCanvas::addItem(std::unique_ptr<BenchItem> item)
{
    item->attach(this);
    m_items.push_back(std::move(item));
    update();
}

BenchItem *BenchCanvas::itemAt(QPointF point) const
{
    for (const auto &item : m_items)
        if (item->isVisible() && item->takesClicks() && item->bounds().contains(point))
            return item.get();
    return nullptr;
}

BenchItem *BenchCanvas::item(const QString &name) const
{
    for (const auto &item : m_items)
        if (item->name() == name)
            return item.get();
    return nullptr;
}

void BenchCanvas::setBackground(const QColor &color)
{
    m_background = color;
    update();
}

void BenchCanvas::render(QPainter &painter) const
{
    painter.fillRect(rect(), m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if ((*it)->isVisible())
            (*it)->paint(painter);
}

void BenchCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter);
    const QRectF outline = focusOutline();
    if (outline.isNull())
        return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kFocusOutline, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline);
}

// Just outside the focused item or scroll bar, so that it covers none of it.
QRectF BenchCanvas::focusOutline() const
{
    QRectF around;
    if (!m_showFocus)
        return around;
    if (hasFocus()) {
        if (m_focusItem && m_focusItem->isVisible())
            around = m_focusItem->bounds().toAlignedRect();
    } else {
        for (const FocusStop &stop : m_chain)
            if (stop.widget && stop.widget->hasFocus() && isAvailable(stop))
                around = stop.widget->geometry();
    }
    return around.isNull() ? around : around.adjusted(-2, -2, 2, 2);
}

void BenchCanvas::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? itemAt(event->position()) : nullptr;
    setShowFocus(false);
    if (event->button() != Qt::LeftButton)
        return;
    // A click on a control of the focus order puts the keyboard there too.
    BenchItem *chosen = nullptr;
    for (const FocusStop &stop : m_chain)
        if (stop.item && stop.item == m_pressed)
            chosen = m_pressed;
    if (chosen != m_focusItem) {
        m_focusItem = chosen;
        notifyFocus(chosen);
    }
}

// A click is a press and a release over the same control.
void BenchCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    BenchItem *pressed = m_pressed;
    m_pressed = nullptr;
    if (event->button() != Qt::LeftButton || !pressed || itemAt(event->position()) != pressed)
        return;
    if (pressed->onClick)
        pressed->onClick();
}

// The bench has no double-click: the second press of a double-click is not a second click, so
// its release does nothing either.
void BenchCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressed = nullptr;
    event->accept();
}

bool BenchCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const BenchItem *item = itemAt(help->pos());
        if (item && !item->toolTip().isEmpty())
            QToolTip::showText(help->globalPos(), item->toolTip(), this,
                               item->bounds().toAlignedRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void BenchCanvas::setFocusChain(std::vector<FocusStop> chain)
{
    for (const FocusStop &stop : m_chain)
        if (stop.widget)
            stop.widget->removeEventFilter(this);
    m_chain = std::move(chain);
    for (const FocusStop &stop : m_chain)
        if (stop.widget)
            stop.widget->installEventFilter(this);
    update();
}

bool BenchCanvas::isAvailable(const FocusStop &stop) const
{
    if (stop.item)
        return stop.item->isVisible();
    return stop.widget && stop.widget->isVisibleTo(this) && stop.widget->isEnabled();
}

void BenchCanvas::setFocusItem(BenchItem *item, Qt::FocusReason reason)
{
    if (isKeyboardReason(reason))
        setShowFocus(true);
    m_focusItem = item;
    if (!hasFocus()) {
        setFocus(reason); // focusInEvent tells screen readers
        return;
    }
    update();
    notifyFocus(item);
}

void BenchCanvas::setShowFocus(bool show)
{
    if (m_showFocus == show)
        return;
    m_showFocus = show;
    update();
}

// The stop that has the focus: the bench with its focus item, or one of the chain's widgets.
int BenchCanvas::currentStop() const
{
    const QWidget *focus = window()->focusWidget();
    for (std::size_t i = 0; i < m_chain.size(); ++i) {
        const FocusStop &stop = m_chain[i];
        if (stop.item ? focus == this && stop.item == m_focusItem : stop.widget == focus)
            return static_cast<int>(i);
    }
    return -1;
}

// Tab and Shift+Tab on the bench or on any widget lying on it arrive here; so does the hand-over
// from a focused scroll bar that is being hidden.
bool BenchCanvas::focusNextPrevChild(bool next)
{
    if (m_chain.empty())
        return QWidget::focusNextPrevChild(next);
    const int count = static_cast<int>(m_chain.size());
    const int at = currentStop();
    const bool handOver = at >= 0 && !isAvailable(m_chain[at]);
    const Qt::FocusReason reason = handOver ? Qt::OtherFocusReason
                                   : next   ? Qt::TabFocusReason
                                            : Qt::BacktabFocusReason;
    for (int step = 1; step <= count; ++step) {
        const int i = at < 0 ? (next ? step - 1 : count - step)
                             : ((at + (next ? step : -step)) % count + count) % count;
        const FocusStop &stop = m_chain[i];
        if (!isAvailable(stop))
            continue;
        if (stop.item) {
            setFocusItem(stop.item, reason);
        } else {
            if (isKeyboardReason(reason))
                setShowFocus(true);
            m_focusItem = nullptr;
            stop.widget->setFocus(reason);
        }
        return true;
    }
    return false;
}

// Space and Enter click the focused item as the mouse would; holding the key down clicks once.
void BenchCanvas::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
                           key == Qt::Key_Select;
    BenchItem *item = m_focusItem;
    const bool plain =
        (event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) == Qt::NoModifier;
    if (!activates || !plain || !item || !item->isVisible() || !item->onClick) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    setShowFocus(true);
    if (event->isAutoRepeat())
        return;
    const QString before = item->valueText();
    item->onClick();
    if (item->valueText() != before)
        itemValueChanged(item);
}

void BenchCanvas::focusInEvent(QFocusEvent *event)
{
    if (isKeyboardReason(event->reason()))
        setShowFocus(true);
    else if (event->reason() == Qt::MouseFocusReason)
        setShowFocus(false);
    QWidget::focusInEvent(event);
    // Qt tells screen readers that the bench has the focus only after this event: the item's
    // own word must come later still, or the reader stays on the bench as a whole.
    if (event->reason() != Qt::MouseFocusReason)
        QMetaObject::invokeMethod(
            this,
            [this, item = m_focusItem] {
                if (item == m_focusItem)
                    notifyFocus(item);
            },
            Qt::QueuedConnection);
}

void BenchCanvas::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

// The chain's widgets: their focus and keys decide whether the outline shows, and where.
bool BenchCanvas::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (isKeyboardReason(reason))
            setShowFocus(true);
        else if (reason == Qt::MouseFocusReason)
            setShowFocus(false);
        update();
        break;
    }
    case QEvent::FocusOut:
    case QEvent::Show:
    case QEvent::Hide:
        update();
        break;
    case QEvent::KeyPress:
        setShowFocus(true);
        break;
    case QEvent::MouseButtonPress:
        setShowFocus(false);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void BenchCanvas::notifyFocus(BenchItem *item)
{
    if (!item || !hasFocus() || !screenReadersListen())
        return;
    QAccessibleEvent focus(accessibleItem(item), QAccessible::Focus);
    tellScreenReaders(&focus);
}

void BenchCanvas::setAnnouncement(const QString &text)
{
    const bool was = !m_announcement.isEmpty();
    m_announcement = text;
    if (!screenReadersListen())
        return;
    if (!text.isEmpty()) {
        QAccessibleEvent alert(accessibleAnnouncement(), QAccessible::Alert);
        tellScreenReaders(&alert);
    } else if (was) {
        QAccessibleEvent gone(accessibleAnnouncement(), QAccessible::ObjectHide);
        tellScreenReaders(&gone);
    }
}

QAccessibleInterface *BenchCanvas::accessibleItem(BenchItem *item)
{
    const auto it = m_accessibleIds.constFind(item);
    if (it != m_accessibleIds.constEnd())
        return QAccessible::accessibleInterface(*it);
    QAccessibleInterface *iface = newItemAccessible(this, item);
    m_accessibleIds.insert(item, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface *BenchCanvas::accessibleAnnouncement()
{
    if (!m_announcementId)
        m_announcementId =
            QAccessible::registerAccessibleInterface(newAnnouncementAccessible(this));
    return QAccessible::accessibleInterface(m_announcementId);
}

// Only items that have a name are shown to screen readers: unnamed pictures are decoration.
void BenchCanvas::itemVisibilityChanged(BenchItem *item)
{
    if (item->accessibleName().isEmpty() || !screenReadersListen())
        return;
    QAccessibleEvent shown(accessibleItem(item),
                           item->isVisible() ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    tellScreenReaders(&shown);
}

void BenchCanvas::itemValueChanged(BenchItem *item)
{
    if (item->accessibleName().isEmpty() || !screenReadersListen())
        return;
    // Windows' screen readers hear the value, Linux's the description.
    QAccessibleValueChangeEvent changed(accessibleItem(item), item->valueText());
    tellScreenReaders(&changed);
    QAccessibleEvent described(accessibleItem(item), QAccessible::DescriptionChanged);
    tellScreenReaders(&described);
}
