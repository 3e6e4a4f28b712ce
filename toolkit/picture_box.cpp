// A sunken digital readout that is cleared and printed into.
#include "picture_box.h"

#include "bench_accessible.h"

#include <QAccessible>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QFrame(parent), m_back(240, 240, 240), m_fore(Qt::black)
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

// Screen readers hear a readout only when what it shows has changed: a recomputation clears and
// reprints every readout, mostly with the same text.
void PictureBox::Print(const QString &text)
{
    m_lines << text;
    update();
    if (!screenReadersListen() || this->text() == m_announced)
        return;
    m_announced = this->text();
    // Windows' screen readers hear the value, Linux's the description.
    QAccessibleValueChangeEvent changed(this, m_announced);
    tellScreenReaders(&changed);
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    tellScreenReaders(&described);
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
