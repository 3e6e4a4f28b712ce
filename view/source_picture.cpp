// The source's picture, drawn for its state: the voltage knob at the EMF, the mains toggle up or
// down.
#include "view/source_picture.h"

#include "toolkit/svg_cache.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

// The scale runs from 4 V at 115° left of straight up to 12 V at 115° right; 8 V points up.
double SourcePicture::pointerDegrees(double volts)
{
    return (std::clamp(volts, 4.0, 12.0) - 8) / 4 * 115;
}

void SourcePicture::setEmf(double volts)
{
    if (m_emf == volts)
        return;
    m_emf = volts;
    changed();
}

void SourcePicture::setSwitchedOn(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    valueChanged(); // screen readers hear the switch thrown
}

// The picture is drawn once for each state, the pointer and the toggle over the body, and copied
// as the other pictures are: drawn straight onto the bench, their shading would come out a shade
// different wherever a repaint's region happened to cut across them.
void SourcePicture::paint(QPainter &painter) const
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (!qFuzzyCompare(painter.deviceTransform().m11(), ratio)) {
        // Painted at another scale than its device's (a picture of the bench taken at a higher
        // ratio): drawn straight, so that it stays sharp.
        BenchImage::paint(painter);
        painter.save();
        painter.translate(bounds().topLeft());
        drawState(painter);
        painter.restore();
        return;
    }
    if (m_state.isNull() || m_stateEmf != m_emf || m_stateOn != m_on || m_stateRatio != ratio) {
        m_state = SvgCache::instance().pixmap(resource(), bounds().size().toSize(), ratio).copy();
        if (m_state.isNull())
            return;
        m_state.setDevicePixelRatio(ratio);
        QPainter state(&m_state);
        drawState(state);
        m_stateEmf = m_emf;
        m_stateOn = m_on;
        m_stateRatio = ratio;
    }
    copyPicture(painter, m_state);
}

void SourcePicture::drawState(QPainter &painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // The knob's pointer: a light line on the black cap.
    painter.save();
    painter.translate(knobCentre());
    painter.rotate(pointerDegrees(m_emf));
    painter.setPen(QPen(QColor(0xf2, 0xef, 0xe6), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, -2.2), QPointF(0, -7.4));
    painter.restore();

    // The toggle's lever: from its bushing up to "I" when on, down to "О" when off.
    const QPointF pivot = togglePivot();
    const double reach = m_on ? -8.5 : 8.5;
    const QPointF tip = pivot + QPointF(0, reach);
    QPainterPath lever;
    lever.moveTo(pivot + QPointF(-1.6, 0));
    lever.lineTo(tip + QPointF(-1.1, 0));
    lever.lineTo(tip + QPointF(1.1, 0));
    lever.lineTo(pivot + QPointF(1.6, 0));
    lever.closeSubpath();
    QLinearGradient metal(pivot.x() - 1.6, 0, pivot.x() + 1.6, 0);
    metal.setColorAt(0, QColor(0x6a, 0x6e, 0x72));
    metal.setColorAt(0.35, Qt::white);
    metal.setColorAt(0.7, QColor(0xae, 0xb2, 0xb6));
    metal.setColorAt(1, QColor(0x55, 0x59, 0x5d));
    painter.setPen(QPen(QColor(0x4a, 0x4e, 0x52), 0.4));
    painter.setBrush(metal);
    painter.drawPath(lever);
    QRadialGradient ball(tip + QPointF(-0.7, -0.8), 2.4);
    ball.setColorAt(0, Qt::white);
    ball.setColorAt(0.6, QColor(0xb5, 0xb9, 0xbd));
    ball.setColorAt(1, QColor(0x55, 0x59, 0x5d));
    painter.setBrush(ball);
    painter.drawEllipse(tip, 2.2, 2.2);
    painter.restore();
}
