// A scroll bar that reports its value changes as the bench's change procedures expect.
#pragma once

#include <QScrollBar>
#include <QStyle>

/**
 * A scroll bar between a top (or left) end and a bottom (or right) end, either of which may be the
 * larger value. It emits change() synchronously whenever its value really changes: an arrow or
 * track click, the release of a dragged thumb, a value or maximum set from code. A drag itself
 * reports nothing until the thumb is released.
 */
class ScrollBar : public QScrollBar
{
    Q_OBJECT
  public:
    ScrollBar(Qt::Orientation orientation, int topOrLeft, int bottomOrRight, int value,
              QWidget *parent = nullptr);

    int value() const;
    void setValue(int value);
    /** The value at the top (or left) end. */
    int min() const { return m_min; }
    /** The value at the bottom (or right) end. */
    int max() const { return m_max; }
    void setMax(int max);
    /** Shown unless hidden; independent of whether the window itself is on screen. */
    bool isShown() const { return !isHidden(); }
    /** Where one of the bar's parts (arrows, track, thumb) lies, in the bar's own pixels. */
    QRect partRect(QStyle::SubControl part) const;

  signals:
    void change();

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    int toRaw(int value) const;
    int fromRaw(int raw) const;

    int m_min;
    int m_max;
};
