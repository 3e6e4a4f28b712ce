// The bench without a mouse: the order in which Tab visits its controls, which one has the
// keyboard, the Space and Enter keys that click a drawn control, and where the outline goes.
#include "toolkit/bench_keyboard.h"

#include "toolkit/bench_items.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace {

bool isKeyboardReason(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
}

// The outline's 2-pixel pen is centred on the rectangle's edges.
QRect paintedOutline(const QRectF &outline)
{
    return outline.isNull() ? QRect() : outline.adjusted(-2, -2, 2, 2).toAlignedRect();
}

} // namespace

BenchKeyboard::BenchKeyboard(QWidget *bench) : QObject(bench), m_bench(bench) {}

BenchKeyboard::~BenchKeyboard()
{
    for (const FocusStop &stop : m_chain)
        if (stop.widget)
            stop.widget->removeEventFilter(this);
}

void BenchKeyboard::setFocusChain(std::vector<FocusStop> chain)
{
    for (const FocusStop &stop : m_chain)
        if (stop.widget)
            stop.widget->removeEventFilter(this);
    m_chain = std::move(chain);
    for (const FocusStop &stop : m_chain)
        if (stop.widget)
            stop.widget->installEventFilter(this);
    refreshOutline();
}

bool BenchKeyboard::inFocusChain(const BenchItem *item) const
{
    return std::any_of(m_chain.begin(), m_chain.end(),
                       [item](const FocusStop &s) { return s.item && s.item == item; });
}

bool BenchKeyboard::isAvailable(const FocusStop &stop) const
{
    if (stop.item)
        return stop.item->isVisible();
    return stop.widget && stop.widget->isVisibleTo(m_bench) && stop.widget->isEnabled();
}

void BenchKeyboard::setFocusItem(BenchItem *item, Qt::FocusReason reason)
{
    if (isKeyboardReason(reason))
        setShowFocus(true);
    m_focusItem = item;
    if (!m_bench->hasFocus()) {
        m_bench->setFocus(reason); // focusIn tells screen readers
        return;
    }
    refreshOutline();
    tellFocus(item);
}

void BenchKeyboard::setShowFocus(bool show)
{
    if (m_showFocus == show)
        return;
    m_showFocus = show;
    refreshOutline();
}

// Just outside the focused item or scroll bar, so that it covers none of it.
QRectF BenchKeyboard::outline() const
{
    QRectF around;
    if (!m_showFocus)
        return around;
    if (m_bench->hasFocus()) {
        if (m_focusItem && m_focusItem->isVisible())
            around = m_focusItem->bounds().toAlignedRect();
    } else {
        for (const FocusStop &stop : m_chain)
            if (stop.widget && stop.widget->hasFocus() && isAvailable(stop))
                around = stop.widget->geometry();
    }
    return around.isNull() ? around : around.adjusted(-2, -2, 2, 2);
}

void BenchKeyboard::refreshOutline()
{
    const QRectF now = outline();
    if (now == m_drawnOutline)
        return;
    m_bench->update(paintedOutline(m_drawnOutline));
    m_bench->update(paintedOutline(now));
    m_drawnOutline = now;
}

// The stop that has the focus: the bench with its focus item, or one of the chain's widgets.
int BenchKeyboard::currentStop() const
{
    const QWidget *focus = m_bench->window()->focusWidget();
    for (std::size_t i = 0; i < m_chain.size(); ++i) {
        const FocusStop &stop = m_chain[i];
        if (stop.item ? focus == m_bench && stop.item == m_focusItem : stop.widget == focus)
            return static_cast<int>(i);
    }
    return -1;
}

// Tab and Shift+Tab on the bench or on any widget lying on it arrive here; so does the hand-over
// from a focused scroll bar that is being hidden.
bool BenchKeyboard::focusNextPrevChild(bool next)
{
    if (m_chain.empty())
        return false;
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
bool BenchKeyboard::keyPress(QKeyEvent *event)
{
    const int key = event->key();
    const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
                           key == Qt::Key_Select;
    BenchItem *item = m_focusItem;
    const bool plain =
        (event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) == Qt::NoModifier;
    if (!activates || !plain || !item || !item->isVisible() || !item->onClick)
        return false;
    event->accept();
    setShowFocus(true);
    if (event->isAutoRepeat())
        return true;
    item->onClick(); // a control whose state it changes tells screen readers itself
    return true;
}

void BenchKeyboard::focusIn(QFocusEvent *event)
{
    focusCame(event->reason());
    // Qt tells screen readers that the bench has the focus only after this event: the item's
    // own word must come later still, or the reader stays on the bench as a whole.
    if (event->reason() != Qt::MouseFocusReason)
        QMetaObject::invokeMethod(
            this,
            [this, item = m_focusItem] {
                if (item == m_focusItem)
                    tellFocus(item);
            },
            Qt::QueuedConnection);
}

// The keyboard brings the outline with the focus, a click takes it away; others leave it as it is.
void BenchKeyboard::focusCame(Qt::FocusReason reason)
{
    if (isKeyboardReason(reason))
        setShowFocus(true);
    else if (reason == Qt::MouseFocusReason)
        setShowFocus(false);
    refreshOutline();
}

void BenchKeyboard::focusOut()
{
    refreshOutline();
}

void BenchKeyboard::pressed(BenchItem *item)
{
    setShowFocus(false);
    // A click on a control of the focus order puts the keyboard there too.
    BenchItem *chosen = inFocusChain(item) ? item : nullptr;
    if (chosen != m_focusItem) {
        m_focusItem = chosen;
        tellFocus(chosen);
    }
}

// The chain's widgets: their focus and keys decide whether the outline shows, and where.
bool BenchKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        focusCame(static_cast<QFocusEvent *>(event)->reason());
        break;
    }
    case QEvent::FocusOut:
    case QEvent::Show:
    case QEvent::Hide:
        refreshOutline();
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
    return QObject::eventFilter(watched, event);
}

void BenchKeyboard::tellFocus(BenchItem *item)
{
    if (item && m_bench->hasFocus())
        emit focusMoved(item);
}
