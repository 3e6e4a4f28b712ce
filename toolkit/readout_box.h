// A sunken digital readout that is cleared and printed into.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

/** A readout box: a sunken frame on a coloured background with one printed line of text. */
class ReadoutBox : public QFrame
{
    Q_OBJECT
  public:
    explicit ReadoutBox(QWidget *parent = nullptr);

    void setBackColor(const QColor &color);
    void setForeColor(const QColor &color);

    /** Clears the box to its background; the next print starts at the top-left corner. */
    void clear();
    /** Prints one line of text at the print position and moves it to the next line. */
    void print(const QString &text);
    /** The text printed since the last clear, lines joined by "\n". */
    QString text() const { return m_lines.join(QLatin1Char('\n')); }
    /** Where the box prints line `line` of its text: the left end of its baseline. */
    QPoint lineOrigin(int line) const;

  signals:
    /** A line has been printed: text() has grown. */
    void printed();

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QColor m_back;
    QColor m_fore;
    QStringList m_lines;
};
