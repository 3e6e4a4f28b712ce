// The bench widget: paints the drawn controls back to front, repainting only where they changed,
// and routes clicks, drags, the wheel, tooltips and the keyboard to them.
#include "toolkit/bench_canvas.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace {

// Bright enough to stand out on the grey bench and on the dark instruments alike.
const QColor kFocusOutline(0, 102, 255);

// One notch of a common mouse wheel, in eighths of a degree.
constexpr int kNotch = 120;

} // namespace

BenchCanvas::BenchCanvas(QWidget *parent)
    : QWidget(parent), m_background(224, 224, 224), m_keyboard(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // the pointer's shape follows the item under it
}

BenchCanvas::~BenchCanvas()
{
    for (const auto &item : m_items)
        item->setObserver(nullptr);
}

void BenchCanvas::addItem(std::unique_ptr<BenchItem> item)
{
    item->setObserver(this);
    update(item->area().toAlignedRect());
    m_items.push_back(std::move(item));
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

// Items that reach nowhere into the region are passed over: a change repaints only what lies
// where it happened.
// At a fractional pixel ratio the device pixels that a repaint covers reach up to a pixel beyond
// the region's own edges, which lie between device pixels: the region is widened by a pixel, so
// that every device pixel the repaint covers is painted, and painted as the whole bench paints it.
// The device's own clip still keeps the paint within the repaint.
void BenchCanvas::paintBench(QPainter &painter, const QRegion &region) const
{
    QRegion widened;
    for (const QRect &r : region)
        widened += r.adjusted(-1, -1, 1, 1);
    paintOver(painter, widened);
}

void BenchCanvas::paintOver(QPainter &painter, const QRegion &region) const
{
    painter.save();
    painter.setClipRegion(region, Qt::IntersectClip);
    for (const QRect &r : region)
        painter.fillRect(r, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if ((*it)->isVisible() && region.intersects((*it)->area().toAlignedRect()))
            (*it)->paint(painter);
    painter.restore();
}

void BenchCanvas::paintBench(QPainter &painter) const
{
    paintOver(painter, QRegion(rect()));
}

void BenchCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paintBench(painter, event->region());
    const QRectF outline = m_keyboard.outline();
    if (outline.isNull())
        return;
    painter.setPen(QPen(kFocusOutline, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline);
}

void BenchCanvas::onItemChanged(BenchItem &item, const QRectF &before)
{
    update(before.toAlignedRect());
    if (item.isVisible())
        update(item.area().toAlignedRect());
}

// A hidden item loses the keyboard's outline; screen readers hear of named items only.
void BenchCanvas::onItemShownOrHidden(BenchItem &item)
{
    m_keyboard.refreshOutline();
    emit itemShownOrHidden(&item);
}

void BenchCanvas::onItemValueChanged(BenchItem &item)
{
    emit itemValueChanged(&item);
}

void BenchCanvas::mousePressEvent(QMouseEvent *event)
{
    const bool left = event->button() == Qt::LeftButton;
    m_pressed = left ? itemAt(event->position()) : nullptr;
    m_dragged = m_pressed && m_pressed->onDrag ? m_pressed : nullptr;
    m_dragMoved = false;
    if (m_dragged) {
        m_dragFrom = event->position();
        m_dragItemFrom = m_dragged->bounds().topLeft();
    }
    if (left)
        m_keyboard.pressed(m_pressed);
    else
        m_keyboard.pressed(m_keyboard.focusItem()); // the outline goes, the keyboard stays
}

// A drag moves its item by as much as the pointer has moved since the press; the item's handler
// decides where it may go and may end the drag.
void BenchCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged && !(event->buttons() & Qt::LeftButton))
        m_dragged = nullptr; // the release went elsewhere (a message box took it)
    if (!m_dragged) {
        showCursorAt(event->position());
        return;
    }
    if (event->position() == m_dragFrom && !m_dragMoved)
        return;
    m_dragMoved = true;
    QPointer<BenchCanvas> alive(this);
    BenchItem *dragged = m_dragged;
    const bool goesOn =
        dragged->isVisible() && dragged->onDrag(m_dragItemFrom + event->position() - m_dragFrom);
    if (alive && !goesOn && m_dragged == dragged)
        m_dragged = nullptr;
}

void BenchCanvas::endDrag()
{
    if (!m_dragged)
        return;
    m_dragged = nullptr;
    m_pressed = nullptr;
}

// A click is a press and a release over the same control, without a drag between.
void BenchCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    BenchItem *pressed = m_pressed;
    const bool dragged = m_dragMoved;
    m_pressed = nullptr;
    m_dragged = nullptr;
    m_dragMoved = false;
    if (event->button() != Qt::LeftButton || !pressed || dragged ||
        itemAt(event->position()) != pressed)
        return;
    if (pressed->onClick)
        pressed->onClick();
}

// The wheel goes to the front-most item under the pointer that takes it; a fine-stepping wheel
// turns a notch once its steps add up to one.
void BenchCanvas::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    m_wheelEighths += delta.y() != 0 ? delta.y() : -delta.x();
    const int notches = m_wheelEighths / kNotch;
    m_wheelEighths -= notches * kNotch;
    event->accept();
    if (notches == 0)
        return;
    const QPointF at = event->position();
    for (const auto &item : m_items)
        if (item->isVisible() && item->onWheel && item->bounds().contains(at) &&
            item->onWheel(at, notches))
            return;
}

void BenchCanvas::showCursorAt(QPointF point)
{
    const BenchItem *item = itemAt(point);
    const Qt::CursorShape shape = item ? item->cursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
}

// The bench has no double-click: the second press of a double-click is not a second click, so
// its release does nothing either; it may start a drag as any press does.
void BenchCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
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

bool BenchCanvas::focusNextPrevChild(bool next)
{
    if (m_keyboard.focusChain().empty())
        return QWidget::focusNextPrevChild(next);
    return m_keyboard.focusNextPrevChild(next);
}

void BenchCanvas::keyPressEvent(QKeyEvent *event)
{
    if (!m_keyboard.keyPress(event))
        QWidget::keyPressEvent(event);
}

void BenchCanvas::focusInEvent(QFocusEvent *event)
{
    m_keyboard.focusIn(event);
    QWidget::focusInEvent(event);
}

void BenchCanvas::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_keyboard.focusOut();
}
