// Lightweight pictures, labels and lines that the bench widget paints and hit-tests.
#include "toolkit/bench_items.h"

#include "toolkit/svg_cache.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

void BenchItem::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    const QRectF before = shownArea();
    m_visible = visible;
    changedFrom(before);
    if (m_observer)
        m_observer->onItemShownOrHidden(*this);
}

void BenchItem::changedFrom(const QRectF &before)
{
    if (m_observer)
        m_observer->onItemChanged(*this, before);
}

void BenchItem::valueChanged()
{
    changed();
    if (m_observer)
        m_observer->onItemValueChanged(*this);
}

void BenchBox::setLeft(double left)
{
    if (m_geometry.left() == left)
        return;
    const QRectF before = shownArea();
    m_geometry.moveLeft(left);
    changedFrom(before);
}

void BenchBox::setTop(double top)
{
    if (m_geometry.top() == top)
        return;
    const QRectF before = shownArea();
    m_geometry.moveTop(top);
    changedFrom(before);
}

QPointF BenchBox::topLeftOnPixels(const QPainter &painter) const
{
    const QTransform toDevice = painter.deviceTransform();
    const QPointF onDevice = toDevice.map(m_geometry.topLeft());
    return toDevice.inverted().map(QPointF(std::round(onDevice.x()), std::round(onDevice.y())));
}

void BenchBox::setWidth(double width)
{
    if (m_geometry.width() == width)
        return;
    const QRectF before = shownArea();
    m_geometry.setWidth(width);
    changedFrom(before);
}

namespace {

// Qt spreads a blend of more than about a hundred rows over its threads; for the small part of a
// picture that a repaint copies, waking them costs more than the copy, so a part goes in bands.
constexpr int kBandRows = 64;

} // namespace

// Only the part within the painter's clip is copied, so that a small repaint copies little.
void BenchImage::paint(QPainter &painter) const
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    copyPicture(painter, SvgCache::instance().pixmap(m_resource, bounds().size().toSize(), ratio));
}

// The picture is copied in the device's own pixels: its corner on a whole device pixel, each of
// its pixels onto one of the device's. Copied through the bench's scale instead, a band that
// starts between the picture's rows at a fractional ratio (64 rows at 1,5 are 42,67 bench pixels)
// is resampled at its edges, and a part repainted in bands differs by a colour level, a row of
// device pixels long, from the picture copied whole.
void BenchImage::copyPicture(QPainter &painter, const QPixmap &pixmap) const
{
    if (pixmap.isNull())
        return;
    const QTransform toDevice = painter.deviceTransform();
    const QSizeF deviceSize = toDevice.mapRect(QRectF(QPointF(), bounds().size())).size();
    if (toDevice.type() > QTransform::TxScale ||
        std::abs(deviceSize.width() - pixmap.width()) > 1 ||
        std::abs(deviceSize.height() - pixmap.height()) > 1) {
        // Scaled beyond the device's pixel ratio (a picture of the bench drawn larger) or turned:
        // the picture is drawn to its size, not copied.
        const qreal ratio = painter.device()->devicePixelRatioF();
        painter.drawPixmap(QRectF(topLeftOnPixels(painter), QSizeF(pixmap.size()) / ratio), pixmap,
                           QRectF(pixmap.rect()));
        return;
    }
    const QPointF corner = toDevice.map(bounds().topLeft());
    const QPoint at(static_cast<int>(std::round(corner.x())),
                    static_cast<int>(std::round(corner.y())));
    QRect onDevice(at, pixmap.size());
    if (painter.hasClipping())
        onDevice &= toDevice.mapRect(painter.clipBoundingRect()).toAlignedRect();
    if (onDevice.isEmpty())
        return;
    painter.save();
    // The painter's own transform made to undo the bench's, so that one unit is one device pixel.
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform(), false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect source = onDevice.translated(-at);
    const int rows = source == pixmap.rect() ? source.height() : kBandRows;
    for (int top = source.top(); top <= source.bottom(); top += rows) {
        const QRect band(source.left(), top, source.width(),
                         std::min(rows, source.bottom() + 1 - top));
        painter.drawPixmap(QRectF(band.translated(at)), pixmap, QRectF(band));
    }
    painter.restore();
}

void BenchLabel::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    if (growsToFit)
        setWidth(std::max(m_designWidth, QFontMetricsF(font).horizontalAdvance(caption) + 1));
    valueChanged();
}

// The text keeps two pixels clear of the frame; too wide for that, it is set a pixel tighter and
// centred. It never paints over the frame.
CaptionLayout BenchLabel::captionLayout(const QRectF &rect) const
{
    CaptionLayout layout{rect, alignment, font, QRectF(), QPointF()};
    if (framed) {
        const QRectF inside = rect.adjusted(1, 1, -1, -1);
        layout.textRect = inside.adjusted(2, 0, -2, 0);
        layout.clip = inside;
        if (QFontMetricsF(font).horizontalAdvance(m_caption) > layout.textRect.width()) {
            layout.font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
            layout.textRect = inside;
            layout.alignment = Qt::AlignHCenter;
        }
    }
    const double width = QFontMetricsF(layout.font).horizontalAdvance(m_caption);
    double left = layout.textRect.left();
    if (layout.alignment & Qt::AlignRight)
        left = layout.textRect.right() - width;
    else if (layout.alignment & Qt::AlignHCenter)
        left = layout.textRect.center().x() - width / 2;
    layout.topLeft = QPointF(left, layout.textRect.top());
    return layout;
}

void BenchLabel::paint(QPainter &painter) const
{
    painter.save();
    // A label that slides with its bar (the rheostat's, the jockey's card) lies between pixels;
    // snapped to the device pixel grid its frame is crisp, and drawn the same whatever part of
    // it a repaint covers: a clipped line rounds its ends from where the clip cuts it.
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QRectF r(topLeftOnPixels(painter), bounds().size());
    if (!transparent)
        painter.fillRect(r, background);
    const CaptionLayout layout = captionLayout(r);
    if (framed) {
        // A single black line on all four sides, one device pixel wide, inside the label's
        // rectangle. Filled, not stroked: a stroked rectangle cut by the repaint's clip can lose
        // a corner pixel.
        painter.setRenderHint(QPainter::Antialiasing, false);
        const qreal px = 1 / ratio;
        for (const QRectF &side : {QRectF(r.left(), r.top(), r.width(), px),
                                   QRectF(r.left(), r.bottom() - px, r.width(), px),
                                   QRectF(r.left(), r.top(), px, r.height()),
                                   QRectF(r.right() - px, r.top(), px, r.height())})
            painter.fillRect(side, Qt::black);
        painter.setClipRect(layout.clip, Qt::IntersectClip);
    }
    painter.setFont(layout.font);
    painter.setPen(foreground);
    painter.drawText(layout.textRect, int(layout.alignment | Qt::AlignTop), m_caption);
    painter.restore();
}

void BenchLine::setPoints(QPointF p1, QPointF p2)
{
    if (p1 == m_p1 && p2 == m_p2)
        return;
    const QRectF before = shownArea();
    m_p1 = p1;
    m_p2 = p2;
    changedFrom(before);
}

void BenchLine::paint(QPainter &painter) const
{
    painter.save();
    painter.setPen(QPen(m_color, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(m_p1, m_p2);
    painter.restore();
}
