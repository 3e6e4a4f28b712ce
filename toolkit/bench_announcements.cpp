// What the bench says over its instruments: its messages, its notifications, the news after one.
#include "toolkit/bench_accessible.h"

#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"

#include <QApplication>
#include <QSet>
#include <algorithm>

void BenchAccessibility::setAnnouncement(const QString &text)
{
    const bool was = !m_announcement.isEmpty();
    m_announcement = text;
    if (!was && !text.isEmpty())
        messageShown();
    else if (was && text.isEmpty())
        messageAnswered();
    if (!screenReadersListen())
        return;
    if (!text.isEmpty()) {
        QAccessibleEvent alert(announcementInterface(), QAccessible::Alert);
        tellScreenReaders(&alert);
    } else if (was) {
        QAccessibleEvent gone(announcementInterface(), QAccessible::ObjectHide);
        tellScreenReaders(&gone);
    }
}

void BenchAccessibility::speakWhenShown(QList<const BenchItem *> items)
{
    m_spokenGroups.append(std::move(items));
}

// A notification takes a name of its own each time: readers keep the name they read last until
// they are told it has changed.
void BenchAccessibility::speakGroup(int group)
{
    QStringList shown;
    for (const BenchItem *item : std::as_const(m_spokenGroups[group]))
        if (item->isVisible() && !item->valueText().trimmed().isEmpty())
            shown << item->valueText().trimmed();
    if (shown.isEmpty())
        return;
    m_notice = shown.join(QStringLiteral(", "));
    m_noticeGroup = group;
    if (!screenReadersListen())
        return;
    QAccessibleEvent renamed(noticeInterface(), QAccessible::NameChanged);
    tellScreenReaders(&renamed);
    QAccessibleEvent shownEvent(noticeInterface(), QAccessible::ObjectShow);
    tellScreenReaders(&shownEvent);
}

void BenchAccessibility::endNotice()
{
    if (m_notice.isEmpty())
        return;
    if (screenReadersListen()) {
        QAccessibleEvent gone(noticeInterface(), QAccessible::ObjectHide);
        tellScreenReaders(&gone);
    }
    m_notice.clear();
    m_noticeGroup = -1;
}

// The control that has the keyboard as a message comes, and what each switch reads then.
void BenchAccessibility::messageShown()
{
    QWidget *focus = m_canvas->window()->focusWidget();
    m_usedItem = focus == m_canvas ? m_canvas->keyboard().focusItem() : nullptr;
    m_usedWidget = focus == m_canvas ? nullptr : focus;
    m_switchesBefore.clear();
    for (auto it = m_checked.cbegin(); it != m_checked.cend(); ++it)
        m_switchesBefore.insert(it.key(), it.key()->valueText());
}

// The procedure that showed the message goes on once it is answered (an overload opens the key
// and switches the source off): the keyboard goes back when it has ended.
void BenchAccessibility::messageAnswered()
{
    m_userActed = false;
    qApp->installEventFilter(this);
    QMetaObject::invokeMethod(
        this, [this] { backToTheControlUsed(); }, Qt::QueuedConnection);
}

bool BenchAccessibility::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
        m_userActed = true;
    return QObject::eventFilter(watched, event);
}

// The keyboard stays on the control used, if it is still shown; if the message's procedure hid
// it, it goes to the switch before it in the focus order that the procedure changed (the key,
// which hides the box, the slider and the rheostat), else to the nearest shown control before it,
// unless the user has gone somewhere meanwhile. There, what changed on the switches is told as
// the control's description.
void BenchAccessibility::backToTheControlUsed()
{
    qApp->removeEventFilter(this);
    if (!m_announcement.isEmpty())
        return; // another message came meanwhile: it goes back when that one is answered
    BenchKeyboard &keys = m_canvas->keyboard();
    const std::vector<FocusStop> &chain = keys.focusChain();
    const int count = static_cast<int>(chain.size());
    int used = -1;
    for (int i = 0; i < count; ++i)
        if ((m_usedItem && chain[i].item == m_usedItem) ||
            (m_usedWidget && chain[i].widget == m_usedWidget))
            used = i;
    m_usedItem = nullptr;
    m_usedWidget = nullptr;
    if (used < 0)
        return;
    QStringList news;
    QSet<const BenchItem *> changed;
    for (const FocusStop &stop : chain) {
        const auto before = m_switchesBefore.constFind(stop.item);
        if (stop.item && before != m_switchesBefore.constEnd() &&
            *before != stop.item->valueText()) {
            news << stop.item->accessibleName() + QLatin1Char(' ') + stop.item->valueText();
            changed.insert(stop.item);
        }
    }
    const bool stays = keys.isAvailable(chain[used]);
    if (!stays && m_userActed)
        return;
    int to = stays ? used : -1;
    for (int i = used - 1; to < 0 && i >= 0; --i)
        if (changed.contains(chain[i].item) && keys.isAvailable(chain[i]))
            to = i;
    for (int i = used - 1; to < 0 && i >= 0; --i)
        if (keys.isAvailable(chain[i]))
            to = i;
    if (to < 0)
        return;
    const FocusStop &stop = chain[to];
    m_news = news.join(QStringLiteral(", "));
    m_newsAt = stop.item ? static_cast<const void *>(stop.item) : stop.widget;
    if (stays)
        return;
    if (stop.item)
        keys.setFocusItem(stop.item);
    else
        stop.widget->setFocus(Qt::OtherFocusReason);
}

QString BenchAccessibility::newsFor(const void *control) const
{
    return control && control == m_newsAt ? m_news : QString();
}

// The keyboard has gone to `control`: the news stays with the control it was told by.
void BenchAccessibility::newsHeard(const void *control)
{
    if (control == m_newsAt)
        return;
    m_news.clear();
    m_newsAt = nullptr;
}
