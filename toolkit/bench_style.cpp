// The application's style: the platform's own, with the menu bar's overflow icon drawn in code.
#include "toolkit/bench_style.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QWidget>
#include <algorithm>

void BenchStyle::install()
{
    if (qobject_cast<BenchStyle *>(QApplication::style()))
        return;
    QStyle *base = QStyleFactory::create(QApplication::style()->name());
    if (base)
        QApplication::setStyle(new BenchStyle(base));
}

namespace {

// A double chevron pointing where the hidden menus are, in the window text's colour.
QIcon overflowIcon(bool vertical, const QColor &color)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(8, 8) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(color, 1.2));
        if (vertical) {
            painter.translate(8, 0);
            painter.rotate(90);
        }
        for (const qreal x : {1.5, 4.5}) {
            const QPointF chevron[] = {{x, 1.5}, {x + 2.5, 4}, {x, 6.5}};
            painter.drawPolyline(chevron, 3);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon BenchStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QPalette palette = widget ? widget->palette() : QApplication::palette();
        return overflowIcon(icon == SP_ToolBarVerticalExtensionButton,
                            palette.color(QPalette::WindowText));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

namespace {

const QColor kThumbFace(128, 134, 142);
const QColor kThumbEdge(72, 76, 82);
const QColor kArrowFace(246, 246, 246);
const QColor kArrowPressed(204, 208, 214);
const QColor kArrowEdge(168, 172, 178);
const QColor kArrowInk(44, 48, 54);
const QColor kArrowSpent(164, 168, 174); // the bar stands at the end this arrow moves it to

// Where the parts of a short bar lie: arrows no longer than the bar is thick and short enough to
// leave the thumb room to move two pixels a step (up to half the bar's length), and a thumb a third
// as long as the bar is thick.
QRect shortBarPart(const QStyleOptionSlider &bar, QStyle::SubControl part)
{
    const bool horizontal = bar.orientation == Qt::Horizontal;
    const QRect r = bar.rect;
    const int length = horizontal ? r.width() : r.height();
    const int thickness = horizontal ? r.height() : r.width();
    const int range = bar.maximum - bar.minimum;
    const int thumb = std::max(3, thickness / 3);
    const int travel = std::min(2 * range, length / 2);
    const int arrow = std::clamp((length - travel - thumb) / 2, 4, thickness);
    const int track = length - 2 * arrow;
    const int at = QStyle::sliderPositionFromValue(bar.minimum, bar.maximum, bar.sliderPosition,
                                                   std::max(0, track - thumb), bar.upsideDown);
    int from = 0, size = 0; // along the bar
    switch (part) {
    case QStyle::SC_ScrollBarSubLine:
        size = arrow;
        break;
    case QStyle::SC_ScrollBarAddLine:
        from = length - arrow;
        size = arrow;
        break;
    case QStyle::SC_ScrollBarGroove:
        from = arrow;
        size = track;
        break;
    case QStyle::SC_ScrollBarSlider:
        from = arrow + at;
        size = std::min(thumb, track);
        break;
    case QStyle::SC_ScrollBarSubPage:
        from = arrow;
        size = at;
        break;
    case QStyle::SC_ScrollBarAddPage:
        from = arrow + at + thumb;
        size = std::max(0, track - at - thumb);
        break;
    default:
        return QRect();
    }
    const QRect along =
        horizontal ? QRect(from, 0, size, thickness) : QRect(0, from, thickness, size);
    return QStyle::visualRect(bar.direction, r, along.translated(r.topLeft()));
}

} // namespace

// A bar on which the wrapped style's thumb cannot show the value (it fills the track, there is no
// track, or it moves less than a pixel a step over a few pixels) is laid out anew as a short bar.
const QStyleOptionSlider *BenchStyle::shortBar(const QStyleOptionComplex *option,
                                               const QWidget *widget) const
{
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (!bar || bar->maximum <= bar->minimum)
        return nullptr;
    const QRect groove =
        QProxyStyle::subControlRect(CC_ScrollBar, option, SC_ScrollBarGroove, widget);
    const QRect thumb =
        QProxyStyle::subControlRect(CC_ScrollBar, option, SC_ScrollBarSlider, widget);
    const int room = bar->orientation == Qt::Horizontal ? groove.width() - thumb.width()
                                                        : groove.height() - thumb.height();
    return room < bar->maximum - bar->minimum && room < 8 ? bar : nullptr;
}

QRect BenchStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                 SubControl part, const QWidget *widget) const
{
    if (control == CC_ScrollBar)
        if (const QStyleOptionSlider *bar = shortBar(option, widget))
            return shortBarPart(*bar, part);
    return QProxyStyle::subControlRect(control, option, part, widget);
}

// The wrapped style draws the arrows and the track in the short bar's places; its thumb, light on a
// light track, is lost on a few pixels, so the thumb is drawn over it in steel grey.
void BenchStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                    QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    const QStyleOptionSlider *bar = control == CC_ScrollBar ? shortBar(option, widget) : nullptr;
    if (!bar || !(bar->subControls & SC_ScrollBarSlider))
        return;
    const QRect thumb = shortBarPart(*bar, SC_ScrollBarSlider);
    if (thumb.isEmpty())
        return;
    auto pressed = [bar](SubControl part) {
        return (bar->activeSubControls & part) && (bar->state & State_Sunken);
    };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    drawShortBarArrow(*bar, SC_ScrollBarSubLine, pressed(SC_ScrollBarSubLine), painter);
    drawShortBarArrow(*bar, SC_ScrollBarAddLine, pressed(SC_ScrollBarAddLine), painter);
    painter->fillRect(thumb, pressed(SC_ScrollBarSlider) ? kThumbEdge : kThumbFace);
    painter->setPen(kThumbEdge);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(thumb).adjusted(0.5, 0.5, -0.5, -0.5));
    painter->restore();
}

// The wrapped style shrinks its arrow with the button and leaves a dot of a few pixels on the
// source's bars: a short bar's arrow is a solid triangle drawn here, its rows one bench pixel each
// and two pixels wider every row from the tip, so that it stays crisp at every pixel ratio. A
// pressed arrow sinks; an arrow whose end the bar has reached is drawn faint.
void BenchStyle::drawShortBarArrow(const QStyleOptionSlider &bar, SubControl part, bool pressed,
                                   QPainter *painter) const
{
    const QRect button = shortBarPart(bar, part);
    if (button.isEmpty())
        return;
    const bool horizontal = bar.orientation == Qt::Horizontal;
    painter->fillRect(button, pressed ? kArrowPressed : kArrowFace);
    painter->setPen(kArrowEdge);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5));

    const bool towardsStart =
        (part == SC_ScrollBarSubLine) != (horizontal && bar.direction == Qt::RightToLeft);
    const int along = horizontal ? button.width() : button.height();
    const int across = horizontal ? button.height() : button.width();
    const int height = std::clamp(std::min(along - 2, across / 2 - 1), 2, 5);
    const bool atEnd = part == SC_ScrollBarSubLine ? bar.sliderPosition <= bar.minimum
                                                   : bar.sliderPosition >= bar.maximum;
    const QColor ink = atEnd ? kArrowSpent : kArrowInk;
    // The tip a pixel in from the button's middle, towards the end the arrow points to.
    const int tipAlong = (along - height) / 2 + (pressed ? 1 : 0);
    const int middle = (across - 1) / 2 + (pressed ? 1 : 0);
    for (int row = 0; row < height; ++row) {
        const int at = towardsStart ? tipAlong + row : along - 1 - tipAlong - row;
        const QRect line = horizontal ? QRect(at, middle - row, 1, 2 * row + 1)
                                      : QRect(middle - row, at, 2 * row + 1, 1);
        painter->fillRect(line.translated(button.topLeft()), ink);
    }
}
