// A scroll bar that reports its value changes as the bench's change procedures expect.
#pragma once

#include <QPointer>
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

    /**
     * The bench's value of the bar, between its two ends. QScrollBar's own value() is the thumb's
     * raw position, which counts from the top (or left) end whichever end holds the larger value.
     */
    int benchValue() const;
    void setBenchValue(int value);
    /** The value at the top (or left) end. */
    int startValue() const { return m_start; }
    /** The value at the bottom (or right) end. */
    int endValue() const { return m_end; }
    /** Moves the bottom (or right) end; a value outside the new range goes to the nearer end. */
    void setEndValue(int value);
    /** Where one of the bar's parts (arrows, track, thumb) lies, in the bar's own pixels. */
    QRect partRect(QStyle::SubControl part) const;

    /**
     * A message box is opening and takes the mouse: the bar held pressed, if any, lets go as if
     * the button had been released. Its auto-repeat stops and it forgets its pressed part, so the
     * press that raised the message is the last step it makes; the release itself will land on
     * the box, and the bar would otherwise go on stepping by itself once the box is answered.
     */
    static void letGo();

  signals:
    void change();
    /** The bar has been hidden: what it sets cannot be changed until it shows again. */
    void hidden();

  protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void sliderChange(SliderChange change) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

  private:
    int toRaw(int value) const;
    int fromRaw(int raw) const;

    int m_start;
    int m_end;
    /** Where the thumb was drawn last; a value change repaints it there and where it goes. */
    QRect m_thumb;
    bool m_atEnd = true;
    /** The bar under a held mouse button: one at most, as there is one mouse. */
    static QPointer<ScrollBar> s_held;
};
