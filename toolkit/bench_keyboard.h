// The bench without a mouse: the order in which Tab visits its controls, which one has the
// keyboard, the Space and Enter keys that click a drawn control, and where the outline goes.
#pragma once

#include <QObject>
#include <QRectF>
#include <vector>

class BenchItem;
class QFocusEvent;
class QKeyEvent;
class QWidget;

/** One stop of the keyboard's focus order: a drawn item or a widget lying on the bench. */
struct FocusStop
{
    FocusStop(BenchItem *i) : item(i) {}
    FocusStop(QWidget *w) : widget(w) {}
    BenchItem *item = nullptr;
    QWidget *widget = nullptr;
};

/**
 * The keyboard on one bench widget: its focus chain of drawn items and child widgets, the drawn
 * item that has the keyboard while the bench has the focus, and whether the outline shows. The
 * bench widget hands it its focus, key and press events; it knows the bench only as a widget.
 */
class BenchKeyboard : public QObject
{
    Q_OBJECT
  public:
    explicit BenchKeyboard(QWidget *bench);
    ~BenchKeyboard() override;

    /** The order in which Tab and Shift+Tab visit the bench; hidden stops are passed over. */
    void setFocusChain(std::vector<FocusStop> chain);
    const std::vector<FocusStop> &focusChain() const { return m_chain; }
    bool inFocusChain(const BenchItem *item) const;
    /** Whether a stop is offered to the keyboard now: shown and, for a widget, enabled. */
    bool isAvailable(const FocusStop &stop) const;
    /** The drawn item that Space and Enter click while the bench has the focus, or null. */
    BenchItem *focusItem() const { return m_focusItem; }
    /** Gives the keyboard focus to a drawn item of the focus chain. */
    void setFocusItem(BenchItem *item, Qt::FocusReason reason = Qt::OtherFocusReason);
    /** The rectangle drawn round the control that has the keyboard; null when none is drawn. */
    QRectF outline() const;
    /** Repaints where the outline was and where it is now, when they differ. */
    void refreshOutline();

    // What the bench widget hands on.
    /** Tab, Shift+Tab and the hand-over from a focused widget being hidden; false if unused. */
    bool focusNextPrevChild(bool next);
    /** Space and Enter click the focus item; true if the key was used. */
    bool keyPress(QKeyEvent *event);
    void focusIn(QFocusEvent *event);
    void focusOut();
    /** The left button went down on an item (or on none): the keyboard follows to a chain item. */
    void pressed(BenchItem *item);

  signals:
    /** A drawn item has the keyboard now, the bench having the focus. */
    void focusMoved(BenchItem *item);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    int currentStop() const;
    void focusCame(Qt::FocusReason reason);
    void setShowFocus(bool show);
    void tellFocus(BenchItem *item);

    QWidget *m_bench;
    std::vector<FocusStop> m_chain;
    BenchItem *m_focusItem = nullptr;
    bool m_showFocus = false;
    QRectF m_drawnOutline; // where the outline was last asked to be painted
};
