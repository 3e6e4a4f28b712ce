// What screen readers see of the bench: its drawn items, scroll bars, readouts and announcements.
#pragma once

#include <QAccessible>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

class BenchCanvas;
class BenchItem;
class PictureBox;
class QAccessibleEvent;
class QAccessibleInterface;

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

    /** A message for screen readers, raised as an alert named by its text; empty ends it. */
    void setAnnouncement(const QString &text);
    const QString &announcement() const { return m_announcement; }

  private:
    void itemShownOrHidden(BenchItem *item);
    void itemValueChanged(BenchItem *item);
    void focusMoved(BenchItem *item);
    void readoutPrinted(PictureBox *box);

    BenchCanvas *m_canvas;
    QString m_announcement;
    QHash<const BenchItem *, QAccessible::Id> m_itemIds;
    QAccessible::Id m_announcementId = 0;
    QHash<const PictureBox *, QString> m_readoutsSaid; // what each readout was last heard to show
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
