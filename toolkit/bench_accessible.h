// What screen readers see of the bench: its drawn items, scroll bars, readouts and announcements.
#pragma once

#include <QAccessible>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class BenchCanvas;
class BenchItem;
class ReadoutBox;
class QAccessibleEvent;
class QAccessibleInterface;
class QWidget;
class ScrollBar;

/**
 * The screen readers' side of one bench: the interfaces of its drawn items, the message it is
 * showing, and the events that tell of its changes. It listens to the bench, its keyboard and its
 * readouts; none of them knows it. Made as the bench's child once its readouts are there, and
 * before anything asks for the bench's accessible interface.
 */
class BenchAccessibility : public QObject
{
    Q_OBJECT
  public:
    explicit BenchAccessibility(BenchCanvas *canvas);
    ~BenchAccessibility() override;

    /** The one made for a bench, or null. */
    static BenchAccessibility *of(const BenchCanvas *canvas);

    /** The accessible interface of one drawn item: made on first use, deleted with this. */
    QAccessibleInterface *item(BenchItem *item);
    /** The accessible interface of the announcement (an alert named by its text). */
    QAccessibleInterface *announcementInterface();

    /**
     * A message for screen readers, raised as an alert named by its text; empty ends it. When the
     * last message ends, the keyboard goes back to the control it was on, and what the message's
     * procedure changed on the switches is told there.
     */
    void setAnnouncement(const QString &text);
    const QString &announcement() const { return m_announcement; }

    /**
     * Items heard together as they appear (the arms a reveal shows): once one of them is shown,
     * what those shown then read is raised as a notification, named by their values joined, which
     * ends when the last of them is hidden. Screen readers speak a notification as it shows,
     * wherever the keyboard is.
     */
    void speakWhenShown(QList<const BenchItem *> items);
    /** The notification up now; empty for none. */
    const QString &notice() const { return m_notice; }
    /** The accessible interface of the notification. */
    QAccessibleInterface *noticeInterface();

    /**
     * What a control tells as its description, asked each time a screen reader reads it: what it
     * changes now, what it has revealed. An empty answer leaves the control's usual description.
     */
    void setDescription(const BenchItem *item, std::function<QString()> description);
    void setDescription(const QWidget *widget, std::function<QString()> description);
    /** The description a control has now; empty for none. */
    QString description(const BenchItem *item) const;
    QString description(const QWidget *widget) const;

    /**
     * The units a scroll bar is read in: each of its steps counts `unit` of what its readout shows
     * (the slider's half-divisions, shown on its card in divisions: 0.5). Bars not set count 1.
     */
    void setBarUnit(const ScrollBar *bar, double unit);
    double barUnit(const ScrollBar *bar) const;

    /**
     * Makes a drawn switch a checkable button, checked while `checked` says so: screen readers
     * announce a checked state as it changes, which they do not for a value or a description.
     */
    void setCheckable(const BenchItem *item, std::function<bool()> checked);
    bool isCheckable(const BenchItem *item) const { return m_checked.contains(item); }
    bool isChecked(const BenchItem *item) const;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void itemShownOrHidden(BenchItem *item);
    void itemValueChanged(BenchItem *item);
    void focusMoved(BenchItem *item);
    void readoutPrinted(ReadoutBox *box);
    void speakGroup(int group);
    void endNotice();
    void messageShown();
    void messageAnswered();
    void backToTheControlUsed();
    QString newsFor(const void *control) const;
    void newsHeard(const void *control);

    BenchCanvas *m_canvas;
    QString m_announcement;
    QHash<const BenchItem *, QAccessible::Id> m_itemIds;
    QAccessible::Id m_announcementId = 0;
    QHash<const ReadoutBox *, QString> m_readoutsSaid; // what each readout was last heard to show
    QHash<const void *, std::function<QString()>> m_descriptions;
    QHash<const BenchItem *, std::function<bool()>> m_checked;
    QHash<const ScrollBar *, double> m_barUnits;
    QList<QList<const BenchItem *>> m_spokenGroups;
    QList<int> m_groupsDue; // shown since the last turn of the event loop: spoken in the next
    QString m_notice;
    int m_noticeGroup = -1;
    QAccessible::Id m_noticeId = 0;

    // While a message is up: the control that had the keyboard when it came, and what each switch
    // read then. After it: what changed, told by the control that has the keyboard again.
    BenchItem *m_usedItem = nullptr;
    QPointer<QWidget> m_usedWidget;
    QHash<const BenchItem *, QString> m_switchesBefore;
    bool m_userActed = false; // a key or button pressed between the answer and the going back
    QString m_news;
    const void *m_newsAt = nullptr;
};

/** Whether anyone hears of changes: a screen reader, or the observer below. */
bool screenReadersListen();
/** Tells screen readers of a change on the bench, and the observer if one is set. */
void tellScreenReaders(QAccessibleEvent *event);
/**
 * Sets a function that sees everything the bench tells screen readers, even while none listens
 * (Qt drops the events then, and offscreen it always does): tests listen here. Empty to stop.
 */
void setScreenReaderObserver(std::function<void(QAccessibleEvent *)> observer);
