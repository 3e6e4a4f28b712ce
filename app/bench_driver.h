// A bench operated as a user operates it: the one way the tests, the document generator and the
// benchmark set up a live bench and move its controls.
#pragma once

#include "model/circuit_state.h"
#include "toolkit/find_control.h"

#include <QString>
#include <array>
#include <string>

class AuthorsWindow;
class BenchWindow;
class Circuit;
class ReadoutBox;
class ScrollBar;

/**
 * Drives a bench window through its controls, found by their system names as a screen reader
 * finds them, and reads it from its readouts and its circuit's record. It adds nothing to the
 * window: whatever it does, a user can do.
 */
class BenchDriver
{
  public:
    /** The decades' digits, from ×10000 down to ×0.1. */
    using Digits = std::array<int, 6>;

    explicit BenchDriver(BenchWindow &window);

    BenchWindow &window() const { return m_window; }
    BenchCanvas &bench() const { return m_bench; }
    /** The control called `name`, of type T; a name the bench lacks stops the program. */
    template <typename T> T *control(const char *name) const
    {
        T *found = findControl<T>(m_window, QString::fromLatin1(name));
        if (!found)
            missing(name);
        return found;
    }
    ScrollBar *bar(const char *name) const;
    /** The slide wire's bar: the slider in half-divisions, 0 … 200. */
    ScrollBar *slider() const;
    /** The bar of decade `i`: 0 for ×10000 … 5 for ×0.1. */
    ScrollBar *decade(int i) const;

    /** The widget a real click at a point of the bench reaches: a readout or a bar, else the
     * bench's drawing. */
    QWidget *widgetAt(QPointF at) const;
    /** A left click, pressed and released, at a point of the bench, where a real one would go. */
    void click(QPointF at) const;
    /** A left click on the middle of a drawn control. */
    void click(const char *name) const;
    /** The six decades set through their bars. */
    void setDecades(const Digits &digits) const;
    /** The source's knobs at an EMF and internal resistance, while it is off. */
    void setSource(int emf, int internalResistance) const;
    /**
     * The bench made live as the instruction has it: the source's knobs set, the key closed, the
     * box set, the source switched on.
     */
    void goLive(int emf = 8, int internalResistance = 10, const Digits &box = {0, 1, 9, 6, 3, 0});

    /** The circuit's record of the bench. */
    const CircuitState &state() const;
    /** True once the user has confirmed leaving: nothing more runs on the bench. */
    bool isEnding() const;
    /** What a readout box shows, and a label's caption. */
    QString shown(const char *readout) const;
    QString caption(const char *label) const;
    /** The user's decimal separator, as the readouts write it (not always one byte). */
    std::string separator() const;
    /** A number in one of the readouts' patterns, with the user's separator. */
    QString format(double value, const char *pattern) const;
    /** The Authors window while it is open, else null. */
    static AuthorsWindow *authorsWindow();

  private:
    [[noreturn]] static void missing(const char *name);

    BenchWindow &m_window;
    BenchCanvas &m_bench;
    const Circuit &m_circuit;
};
