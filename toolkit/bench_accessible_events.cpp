// The events that tell screen readers of the bench's changes, and the one way they go out.
#include "toolkit/bench_accessible.h"

#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"

#include <algorithm>

namespace {

std::function<void(QAccessibleEvent *)> &observer()
{
    static std::function<void(QAccessibleEvent *)> listener;
    return listener;
}

} // namespace

// Only items that have a name are shown to screen readers: unnamed pictures are decoration.
void BenchAccessibility::itemShownOrHidden(BenchItem *item)
{
    // A group is spoken once the procedure that shows it has shown all of it.
    for (int group = 0; group < m_spokenGroups.size(); ++group) {
        if (!m_spokenGroups[group].contains(item))
            continue;
        if (item->isVisible() && !m_groupsDue.contains(group)) {
            m_groupsDue.append(group);
            QMetaObject::invokeMethod(
                this,
                [this, group] {
                    m_groupsDue.removeOne(group);
                    speakGroup(group);
                },
                Qt::QueuedConnection);
        } else if (!item->isVisible() && group == m_noticeGroup &&
                   std::none_of(m_spokenGroups[group].cbegin(), m_spokenGroups[group].cend(),
                                [](const BenchItem *i) { return i->isVisible(); })) {
            endNotice();
        }
    }
    if (item->accessibleName().isEmpty() || !screenReadersListen())
        return;
    QAccessibleEvent shown(this->item(item),
                           item->isVisible() ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    tellScreenReaders(&shown);
}

void BenchAccessibility::itemValueChanged(BenchItem *item)
{
    m_news.clear(); // the switches have moved on since
    m_newsAt = nullptr;
    if (item->accessibleName().isEmpty() || !screenReadersListen())
        return;
    // Windows' screen readers hear the value, Linux's the description; Orca hears neither from
    // Qt 6.4, but a switch's checked state it does.
    QAccessibleValueChangeEvent changed(this->item(item), item->valueText());
    tellScreenReaders(&changed);
    QAccessibleEvent described(this->item(item), QAccessible::DescriptionChanged);
    tellScreenReaders(&described);
    if (isCheckable(item)) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent toggled(this->item(item), checked);
        tellScreenReaders(&toggled);
    }
}

void BenchAccessibility::focusMoved(BenchItem *item)
{
    newsHeard(item);
    if (!screenReadersListen())
        return;
    QAccessibleEvent focus(this->item(item), QAccessible::Focus);
    tellScreenReaders(&focus);
}

// Screen readers hear a readout only when what it shows has changed: a recomputation clears and
// reprints every readout, mostly with the same text.
void BenchAccessibility::readoutPrinted(ReadoutBox *box)
{
    QString &said = m_readoutsSaid[box];
    if (!screenReadersListen() || box->text() == said)
        return;
    said = box->text();
    // Windows' screen readers hear the value, Linux's the description.
    QAccessibleValueChangeEvent changed(box, said);
    tellScreenReaders(&changed);
    QAccessibleEvent described(box, QAccessible::DescriptionChanged);
    tellScreenReaders(&described);
}

bool screenReadersListen()
{
    return QAccessible::isActive() || observer();
}

void tellScreenReaders(QAccessibleEvent *event)
{
    if (observer())
        observer()(event);
    QAccessible::updateAccessibility(event);
}

void setScreenReaderObserver(std::function<void(QAccessibleEvent *)> listener)
{
    observer() = std::move(listener);
}
