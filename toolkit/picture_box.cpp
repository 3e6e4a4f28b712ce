// A sunken digital readout that is cleared and printed into.
#include "picture_box.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent), m_back(240, 240, 240), m_fore(Qt::black)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // A click on a readout runs nothing, and must not fall through to the picture behind it.
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureBox::setBackColor(const QColor &color)
{
    m_back = color;
    update();
}

void PictureBox::setForeColor(const QColor &color)
{
    m_fore = color;
    update();
}

void PictureBox::Cls()
{
    m_lines.clear();
    update();
}

void PictureBox::Print(const QString &text)
{
    m_lines << text;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), m_back);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font());
        painter.setPen(m_fore);
        const QFontMetrics metrics(font());
        int y = contentsRect().top();
        for (const QString &line : m_lines) {
            painter.drawText(contentsRect().left(), y + metrics.ascent(), line);
            y += metrics.height();
        }
    }
    QFrame::paintEvent(event);
}
