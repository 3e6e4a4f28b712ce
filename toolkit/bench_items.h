// Lightweight pictures, labels and lines that the bench widget paints and hit-tests.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

class QPainter;
class BenchItem;

/** Hears every change of the items it watches; the canvas that holds them is one. */
class BenchItemObserver
{
  public:
    /** The item looks different: `before` is the area it covered (empty if it was hidden). */
    virtual void onItemChanged(BenchItem &item, const QRectF &before) = 0;
    /** The item was shown or hidden (after onItemChanged). */
    virtual void onItemShownOrHidden(BenchItem &item) = 0;
    /** What valueText() reads has changed. */
    virtual void onItemValueChanged(BenchItem &item) = 0;

  protected:
    ~BenchItemObserver() = default;
};

/** One drawn control of the bench: not a widget, painted and hit-tested by its canvas. */
class BenchItem
{
  public:
    explicit BenchItem(QString name) : m_name(std::move(name)) {}
    virtual ~BenchItem() = default;
    BenchItem(const BenchItem &) = delete;
    BenchItem &operator=(const BenchItem &) = delete;

    const QString &name() const { return m_name; }
    const QString &toolTip() const { return m_toolTip; }
    void setToolTip(const QString &tip) { m_toolTip = tip; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    /** What a screen reader calls the item: its own accessible name, else its tooltip. */
    QString accessibleName() const
    {
        return m_accessibleName.isEmpty() ? m_toolTip : m_accessibleName;
    }
    void setAccessibleName(const QString &name) { m_accessibleName = name; }
    /** What a screen reader reads as the item's state: accessibleValue's answer, else nothing. */
    virtual QString valueText() const { return accessibleValue ? accessibleValue() : QString(); }
    std::function<QString()> accessibleValue;

    /** Whether the item takes clicks at all (pictures and labels do, lines do not). */
    virtual bool takesClicks() const { return true; }
    /** The area that takes clicks and tooltips, in bench pixels. */
    virtual QRectF bounds() const = 0;
    /** Every pixel that paint() may touch, in bench pixels. */
    virtual QRectF area() const { return bounds().adjusted(-1, -1, 1, 1); }
    virtual void paint(QPainter &painter) const = 0;

    std::function<void()> onClick;
    /**
     * Called on each move of a drag that began on the item, with the place its top-left corner
     * would take to stay under the pointer as it was grabbed; returns false to end the drag.
     */
    std::function<bool(QPointF wanted)> onDrag;
    /**
     * Called for the wheel over the item, with the point in bench pixels and the notches turned
     * (positive away from the user); returns false to let the items behind it have the wheel.
     */
    std::function<bool(QPointF at, int notches)> onWheel;
    /** The mouse pointer's shape over the item. */
    Qt::CursorShape cursor = Qt::ArrowCursor;

    /** The one observer told of the item's changes (its canvas); null for none. */
    void setObserver(BenchItemObserver *observer) { m_observer = observer; }
    /** Tells the observer that valueText() reads something new: for values kept elsewhere. */
    void valueChanged();

  protected:
    /** Tells the observer that the item looks different where it lies now. */
    void changed() { changedFrom(shownArea()); }
    /** Tells the observer that the item looks different and may have moved from `before`. */
    void changedFrom(const QRectF &before);
    /** The area the item covers on screen now: empty while hidden. */
    QRectF shownArea() const { return m_visible ? area() : QRectF(); }

  private:
    QString m_name;
    QString m_toolTip;
    QString m_accessibleName;
    bool m_visible = true;
    BenchItemObserver *m_observer = nullptr;
};

/** A rectangle item whose left and top edges may be set to fractional pixels. */
class BenchBox : public BenchItem
{
  public:
    BenchBox(QString name, QRectF geometry) : BenchItem(std::move(name)), m_geometry(geometry) {}
    double left() const { return m_geometry.left(); }
    double top() const { return m_geometry.top(); }
    double width() const { return m_geometry.width(); }
    double height() const { return m_geometry.height(); }
    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    QRectF bounds() const override { return m_geometry; }
    /**
     * The top-left corner moved to the nearest whole pixel of the painter's device, for drawing on
     * that grid. The bench itself may lie between device pixels (at 150 % a menu bar 19 pixels
     * high puts it 28.5 device pixels down), so the corner is snapped where the device has it.
     */
    QPointF topLeftOnPixels(const QPainter &painter) const;

  private:
    QRectF m_geometry;
};

/** A picture shown at its own size from an SVG resource. */
class BenchImage : public BenchBox
{
  public:
    BenchImage(QString name, QRectF geometry, QString resource)
        : BenchBox(std::move(name), geometry), m_resource(std::move(resource))
    {
    }
    const QString &resource() const { return m_resource; }
    void paint(QPainter &painter) const override;

  protected:
    /**
     * Copies a picture of the item's size, drawn for the painter's pixel ratio, to the item's
     * place on whole device pixels: only its part inside the painter's clip.
     */
    void copyPicture(QPainter &painter, const QPixmap &pixmap) const;

  private:
    QString m_resource;
};

/** Where a label sets its caption: painting and screen readers' character boxes both read it. */
struct CaptionLayout
{
    QRectF textRect;         // the caption is drawn in it, from its top, aligned as below
    Qt::Alignment alignment; // horizontal only
    QFont font;
    QRectF clip; // the caption paints only inside the frame; empty for a label without one
    /** Where the caption's first line begins, as drawText places it in textRect. */
    QPointF topLeft;
};

/** A text label: framed or plain, filled or transparent. */
class BenchLabel : public BenchBox
{
  public:
    BenchLabel(QString name, QRectF geometry, QString caption)
        : BenchBox(std::move(name), geometry), m_caption(std::move(caption)),
          m_designWidth(geometry.width())
    {
    }
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);
    /** A label reads out its caption unless given a value of its own. */
    QString valueText() const override { return accessibleValue ? accessibleValue() : m_caption; }

    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool framed = false;
    bool transparent = false;
    QColor background = QColor(240, 240, 240);
    QColor foreground = Qt::black;
    /** Widens the label to its caption and half a pixel each side; never narrower than designed. */
    bool growsToFit = false;

    /**
     * How the caption is set in the label laid in `rect`: its bounds, or, as painted, those moved
     * to whole device pixels.
     */
    CaptionLayout captionLayout(const QRectF &rect) const;
    void paint(QPainter &painter) const override;

  private:
    QString m_caption;
    double m_designWidth;
};

/** A wire or the needle: a 3-pixel line between two end points; takes no clicks. */
class BenchLine : public BenchItem
{
  public:
    BenchLine(QString name, QPointF p1, QPointF p2, QColor color = Qt::black)
        : BenchItem(std::move(name)), m_p1(p1), m_p2(p2), m_color(color)
    {
    }
    /** The line's two ends, in bench pixels: the needle's pivot and its tip, say. */
    QPointF p1() const { return m_p1; }
    QPointF p2() const { return m_p2; }
    void setPoints(QPointF p1, QPointF p2);
    const QColor &color() const { return m_color; }

    bool takesClicks() const override { return false; }
    QRectF bounds() const override { return QRectF(m_p1, m_p2).normalized(); }
    /** The round-capped pen reaches half its width past the ends, and smoothing one pixel more. */
    QRectF area() const override { return bounds().adjusted(-3, -3, 3, 3); }
    void paint(QPainter &painter) const override;

  private:
    QPointF m_p1, m_p2;
    QColor m_color;
};
