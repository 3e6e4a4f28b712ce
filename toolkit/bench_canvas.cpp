// The bench widget: paints the drawn controls back to front and routes clicks and tooltips.
#include "bench_canvas.h"

#include "bench_items.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

BenchCanvas::BenchCanvas(QWidget *parent) : QWidget(parent), m_background(224, 224, 224)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BenchCanvas::~BenchCanvas() = default;

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
}

void BenchCanvas::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? itemAt(event->position()) : nullptr;
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
