// A scroll bar that reports its value changes as the bench's change procedures expect.
#include "toolkit/scroll_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

ScrollBar::ScrollBar(Qt::Orientation orientation, int topOrLeft, int bottomOrRight, int value,
                     QWidget *parent)
    : QScrollBar(orientation, parent), m_start(topOrLeft), m_end(bottomOrRight)
{
    // The underlying bar always runs 0 … |max − min| from its top or left end; the bench's value
    // is converted in toRaw/fromRaw only, so arrows, wheel and keys keep their usual directions.
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    // The bench offers no menu of its own on a bar, and not Qt's English one either.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setRange(0, std::abs(m_end - m_start));
    QScrollBar::setValue(toRaw(value));
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::change);
}

int ScrollBar::toRaw(int value) const
{
    return m_end >= m_start ? value - m_start : m_start - value;
}

int ScrollBar::fromRaw(int raw) const
{
    return m_end >= m_start ? m_start + raw : m_start - raw;
}

int ScrollBar::benchValue() const
{
    return fromRaw(QScrollBar::value());
}

void ScrollBar::setBenchValue(int value)
{
    const int lo = std::min(m_start, m_end), hi = std::max(m_start, m_end);
    QScrollBar::setValue(toRaw(std::clamp(value, lo, hi)));
}

void ScrollBar::setEndValue(int value)
{
    // Keep the value while the new range holds it; otherwise it is pulled to the nearer end,
    // and that change is reported like any other.
    const int keep = benchValue();
    m_end = value;
    QSignalBlocker block(this);
    setRange(0, std::abs(m_end - m_start));
    const int lo = std::min(m_start, m_end), hi = std::max(m_start, m_end);
    const int now = std::clamp(keep, lo, hi);
    QScrollBar::setValue(toRaw(now));
    block.unblock();
    if (now != keep)
        emit change();
}

// The keys move the thumb the way they point, whichever end holds the larger value: Up and Page Up
// towards the top of a vertical bar (a decade's 9) and towards the right of a horizontal one, Right
// as Up and Left as Down on a vertical bar; Home and End to the top or left end and to the bottom
// or right end. QScrollBar alone turns the left and right arrows of a horizontal bar round.
void ScrollBar::keyPressEvent(QKeyEvent *event)
{
    const bool vertical = orientation() == Qt::Vertical;
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Up:
        action = vertical ? SliderSingleStepSub : SliderSingleStepAdd;
        break;
    case Qt::Key_Down:
        action = vertical ? SliderSingleStepAdd : SliderSingleStepSub;
        break;
    case Qt::Key_Left:
        action = vertical ? SliderSingleStepAdd : SliderSingleStepSub;
        break;
    case Qt::Key_Right:
        action = vertical ? SliderSingleStepSub : SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = vertical ? SliderPageStepSub : SliderPageStepAdd;
        break;
    case Qt::Key_PageDown:
        action = vertical ? SliderPageStepAdd : SliderPageStepSub;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

// A bar has no tooltip of its own, and the picture lying under it must not lend it one.
bool ScrollBar::event(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        m_thumb = QRect(); // its next value change repaints the bar whole
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        QToolTip::hideText();
        event->accept();
        return true;
    }
    return QScrollBar::event(event);
}

QPointer<ScrollBar> ScrollBar::s_held;

// The press steps the bar at once, and the step may raise a message before the press returns: the
// bar is known as held before it steps.
void ScrollBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        s_held = this;
    QScrollBar::mousePressEvent(event);
}

// QScrollBar repaints only the released part, but the style draws a pressed arrow a pixel beyond
// it: repaint the whole bar, or that pixel stays pressed on screen.
void ScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) && s_held == this)
        s_held = nullptr;
    QScrollBar::mouseReleaseEvent(event);
    update();
}

void ScrollBar::letGo()
{
    ScrollBar *bar = s_held;
    if (!bar)
        return;
    s_held = nullptr;
    const QPointF at(-1, -1); // over no part, so that nothing is activated on the way out
    QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    bar->mouseReleaseEvent(&release);
}

// A value change moves only the thumb, so only where it was and where it is now are repainted, not
// the whole bar: a step of the slide wire's bar moves its thumb two pixels, and repainting all 448
// pixels of its length (long lines, which Qt's raster engine hands to its threads) took longer
// than the rest of the bench's repaint.
// At either end of its travel the style may draw the arrows differently, so the bar is repainted
// whole when the value reaches or leaves an end.
void ScrollBar::sliderChange(SliderChange change)
{
    const QRect before = m_thumb;
    const bool wasAtEnd = m_atEnd;
    // The style draws the thumb's outline a pixel beyond its part: take a margin of two.
    m_thumb = partRect(QStyle::SC_ScrollBarSlider).adjusted(-2, -2, 2, 2);
    m_atEnd = value() == minimum() || value() == maximum();
    if (change == SliderValueChange && !before.isNull() && !wasAtEnd && !m_atEnd)
        update(QRegion(before) + m_thumb);
    else
        QScrollBar::sliderChange(change);
}

void ScrollBar::resizeEvent(QResizeEvent *event)
{
    QScrollBar::resizeEvent(event);
    m_thumb = QRect(); // its next value change repaints the bar whole
}

void ScrollBar::hideEvent(QHideEvent *event)
{
    QScrollBar::hideEvent(event);
    emit hidden();
}

QRect ScrollBar::partRect(QStyle::SubControl part) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}
