// The bench widget: paints the drawn controls back to front and routes clicks and tooltips.
#pragma once

#include <QColor>
#include <QWidget>
#include <memory>
#include <vector>

class BenchItem;

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

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void addItem(std::unique_ptr<BenchItem> item);

    std::vector<std::unique_ptr<BenchItem>> m_items; // front to back
    QColor m_background;
    BenchItem *m_pressed = nullptr;
};
