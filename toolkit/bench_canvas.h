// The bench widget: paints the drawn controls back to front, repainting only where they changed,
// and routes clicks, drags, the wheel, tooltips and the keyboard to them.
#pragma once

#include "toolkit/bench_items.h"
#include "toolkit/bench_keyboard.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class QRegion;

/** Holds the bench's pictures, labels and lines in z-order and paints them as one surface. */
class BenchCanvas : public QWidget, private BenchItemObserver
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
    /** Paints the background and every shown item that reaches into `region`, back to front. */
    void paintBench(QPainter &painter, const QRegion &region) const;
    /** Paints the whole bench. */
    void paintBench(QPainter &painter) const;

    /**
     * Ends a drag under way, if any: what the pointer does until the button is released moves
     * nothing, and the release is no click.
     */
    void endDrag();

    /** The focus chain, the keyboard's drawn item and the focus outline. */
    BenchKeyboard &keyboard() { return m_keyboard; }
    const BenchKeyboard &keyboard() const { return m_keyboard; }

  signals:
    void itemShownOrHidden(BenchItem *item);
    void itemValueChanged(BenchItem *item);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent *event) override;

  private:
    void addItem(std::unique_ptr<BenchItem> item);
    /** Paints the background and the items within `region` exactly, back to front. */
    void paintOver(QPainter &painter, const QRegion &region) const;
    void onItemChanged(BenchItem &item, const QRectF &before) override;
    void onItemShownOrHidden(BenchItem &item) override;
    void onItemValueChanged(BenchItem &item) override;
    void showCursorAt(QPointF point);

    std::vector<std::unique_ptr<BenchItem>> m_items; // front to back
    QColor m_background;
    BenchItem *m_pressed = nullptr;
    // A drag: the item, where the press was and where the item lay then.
    BenchItem *m_dragged = nullptr;
    QPointF m_dragFrom;
    QPointF m_dragItemFrom;
    bool m_dragMoved = false;
    int m_wheelEighths = 0; // part of a notch turned on a fine-stepping wheel
    BenchKeyboard m_keyboard;
};
