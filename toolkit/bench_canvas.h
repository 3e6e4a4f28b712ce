// The bench widget: paints the drawn controls back to front and routes clicks, tooltips, the
// keyboard focus and what screen readers are told.
#pragma once

#include <QAccessible>
#include <QColor>
#include <QHash>
#include <QWidget>
#include <memory>
#include <vector>

class BenchItem;
class QAccessibleInterface;

/** Holds the bench's pictures, labels and lines in z-order and paints them as one surface. */
class BenchCanvas : public QWidget
{
    Q_OBJECT
  public:
    explicit BenchCanvas(QWidget *parent = nullptr);
    ~BenchCanvas() override;

    /** Adds an item behind every item added before it (items are added front to back). */
    template <typename T> T *add(std::unique_ptr<T> item)
    {
        T *raw = item.get();
        addItem(std::move(item));
        return raw;
    }

    /** The front-most visible item under `point` that takes clicks, or null. */
    BenchItem *itemAt(QPointF point) const;
    BenchItem *item(const QString &name) const;
    const std::vector<std::unique_ptr<BenchItem>> &items() const { return m_items; }

    void setBackground(const QColor &color);
    void render(QPainter &painter) const;

    /** One stop of the keyboard's focus order: a drawn item or a widget lying on the bench. */
    struct FocusStop
    {
        FocusStop(BenchItem *i) : item(i) {}
        FocusStop(QWidget *w) : widget(w) {}
        BenchItem *item = nullptr;
        QWidget *widget = nullptr;
    };
    /** The order in which Tab and Shift+Tab visit the bench; hidden stops are passed over. */
    void setFocusChain(std::vector<FocusStop> chain);
    const std::vector<FocusStop> &focusChain() const { return m_chain; }
    /** Whether a stop is offered to the keyboard now: shown and, for a widget, enabled. */
    bool isAvailable(const FocusStop &stop) const;
    /** The drawn item that Space and Enter click while the bench has the focus, or null. */
    BenchItem *focusItem() const { return m_focusItem; }
    /** Gives the keyboard focus to a drawn item of the focus chain. */
    void setFocusItem(BenchItem *item, Qt::FocusReason reason = Qt::OtherFocusReason);
    /** Whether the focus outline is drawn: only while the keyboard is in use, not after clicks. */
    bool showsFocus() const { return m_showFocus; }

    /** A message for screen readers, raised as an alert named by its text; empty ends it. */
    void setAnnouncement(const QString &text);
    const QString &announcement() const { return m_announcement; }

    /** The accessible interface of one drawn item: made on first use, deleted with the bench. */
    QAccessibleInterface *accessibleItem(BenchItem *item);
    /** The accessible interface of the announcement (an alert named by its text). */
    QAccessibleInterface *accessibleAnnouncement();
    void itemVisibilityChanged(BenchItem *item);
    void itemValueChanged(BenchItem *item);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void addItem(std::unique_ptr<BenchItem> item);
    int currentStop() const;
    void setShowFocus(bool show);
    QRectF focusOutline() const;
    void notifyFocus(BenchItem *item);

    std::vector<std::unique_ptr<BenchItem>> m_items; // front to back
    QColor m_background;
    BenchItem *m_pressed = nullptr;
    std::vector<FocusStop> m_chain;
    BenchItem *m_focusItem = nullptr;
    bool m_showFocus = false;
    QString m_announcement;
    QHash<const BenchItem *, QAccessible::Id> m_accessibleIds;
    QAccessible::Id m_announcementId = 0;
};
