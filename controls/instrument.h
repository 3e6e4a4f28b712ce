// What every instrument of the bench has: the circuit it tells and listens to, and its own bars.
#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>

class BenchAccessibility;
class BenchBox;
class BenchCanvas;
class BenchImage;
class BenchLabel;
class BenchLine;
class Circuit;
class ReadoutBox;
class ScrollBar;
class SourcePicture;

/**
 * An instrument on the bench. It is handed its controls, made by the bench's layout; it tells the
 * circuit what the student did with them and shows on them what the circuit tells.
 */
class Instrument : public QObject
{
    Q_OBJECT
  public:
    /**
     * Tells screen readers what the instrument's controls are called and what they read, beyond
     * their tooltips.
     */
    virtual void describe(BenchAccessibility &) const {}

  protected:
    /** The instrument of `circuit`; `name` and `controls` say which and what it was handed. */
    Instrument(Circuit &circuit, const char *name, std::initializer_list<const void *> controls);

    /** Every move the student makes on `bar` runs `moved` with its value, while the bench runs;
     * what the instrument shows on it itself (showOnBar) does not. */
    void follow(ScrollBar *bar, std::function<void(int value)> moved);
    /** `value` shown on one of the instrument's bars, as the circuit has it: nothing is told back.
     */
    void showOnBar(ScrollBar *bar, int value);
    /** A change the instrument makes to its own bars to show the circuit: nothing is told back. */
    void showing(const std::function<void()> &change);
    /** The bar stepped towards `target` as its arrows would, while it is shown and the bench runs.
     */
    void stepBar(ScrollBar *bar, int target) const;
    /** A knob turned by the wheel: its bar stepped once per notch. */
    void turnKnob(ScrollBar *bar, int notches) const;
    /**
     * A drawn switch, whose state shows only in its picture, tells it in words and is checked
     * while `on` says so: screen readers announce a checked state as it changes.
     */
    void describeSwitch(BenchAccessibility &access, BenchBox *item, bool (Circuit::*on)() const,
                        const QString &onWord, const QString &offWord) const;

    Circuit &m_circuit;

  private:
    bool m_showing = false;
};
