// A sunken digital readout that is cleared and printed into.
#include "toolkit/readout_box.h"

#include <QPainter>

ReadoutBox::ReadoutBox(QWidget *parent) : QFrame(parent), m_back(240, 240, 240), m_fore(Qt::black)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // A click on a readout runs nothing, and must not fall through to the picture behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    // Its background and frame cover every pixel: nothing behind it need be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReadoutBox::setBackColor(const QColor &color)
{
    m_back = color;
    update();
}

void ReadoutBox::setForeColor(const QColor &color)
{
    m_fore = color;
    update();
}

void ReadoutBox::clear()
{
    m_lines.clear();
    update();
}

void ReadoutBox::print(const QString &text)
{
    m_lines << text;
    update();
    emit printed();
}

void ReadoutBox::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), m_back);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font());
        painter.setPen(m_fore);
        for (int i = 0; i < m_lines.size(); ++i)
            painter.drawText(lineOrigin(i), m_lines[i]);
    }
    QFrame::paintEvent(event);
}

// The digits stand two pixels in from the frame, centred in height (the font's ascent leaves room
// for accents above them, which readouts never show); each line below the one before.
QPoint ReadoutBox::lineOrigin(int line) const
{
    const QFontMetrics metrics(font());
    const QRect inside = contentsRect();
    const int baseline = inside.top() + (inside.height() + metrics.capHeight()) / 2;
    return QPoint(inside.left() + 2, baseline + line * metrics.height());
}
