// The circuit of the bench: its state, the one recalculation, the refusals, the reveals and the
// pauses, and the one decision of what still runs once the bench is closing.
#pragma once

#include "model/bridge.h"
#include "model/circuit_state.h"
#include "model/needle.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class Desktop;
class PauseTimer;
class QEventLoop;
class QWidget;

/**
 * The circuit, the model of the bench. The instruments tell it what the student did; it keeps the
 * whole state, solves the bridge once per action, refuses what burns or makes no sense, and tells
 * by its signals what changed, in the order the bench shows it. It knows no instrument.
 */
class Circuit : public QObject
{
    Q_OBJECT
  public:
    /** The slider's positions along the wire: half-divisions of its 100 divisions. */
    static constexpr int kSliderPositions = 200;
    /** The box's decades, from ×10000 down to ×0.1. */
    static constexpr int kDecades = 6;

    /** Boxes open over `window` (none for a circuit on its own); `desktop` shows them, draws the
     * unknown resistance and times the pauses. */
    Circuit(Desktop &desktop, QWidget *window);
    ~Circuit() override;

    const CircuitState &state() const { return m_state; }
    bool isKeyClosed() const { return m_state.rabota != 0; }
    bool isSourceOn() const { return m_state.istochnik != 0; }
    /** Where the slider stands, in half-divisions from the left end of the wire. */
    int sliderPosition() const { return m_sliderPosition; }
    /** The needle as the last solution turned it. */
    const NeedleGeometry &needle() const { return m_needle; }

    /** The bench as it starts: key open, source off, every instrument at its first setting. */
    void start();

    // What the student did.
    void setEmf(int volts);
    void setInternalResistance(int ohms);
    void setRheostat(int ohms);
    /** A new maximum resets the rheostat to three quarters of it. */
    void setRheostatMaximum(int ohms);
    /** The slider moved to `position` half-divisions, and the wire's two arms from it. */
    void moveSlider(int position);
    /** Decade `i` (0 for ×10000 … 5 for ×0.1) turned to `digit`; the box's sum from all six. */
    void turnDecade(int i, int digit);
    /** The key thrown. */
    void toggleKey();
    /** The source switched. */
    void toggleSource();
    /** A new unknown resistance, refused while the source is on. */
    void drawUnknown();

    enum class Reveal
    {
        Arms,
        Result
    };
    /** Shows the arms or the result for ten seconds, then hides them again. */
    void reveal(Reveal what);

    /** `action`, run only while the bench is not closing: every handler of the bench runs so. */
    std::function<void()> whileRunning(std::function<void()> action) const;
    /** True once the user has confirmed leaving: nothing more runs on the bench. */
    bool isEnding() const { return m_ending; }
    /** Nothing more runs on the bench: pauses end, handlers do nothing. */
    void end();

    /** The user's decimal separator in UTF-8, as the readouts write it (not always one byte). */
    std::string separator() const;
    /** The value in one of the readouts' number patterns. */
    QString format(double value, const char *pattern) const;

  signals:
    // The student's settings, shown where they are set.
    void unknownChanged(double ohms);
    void emfChanged(double volts);
    void internalResistanceChanged(double ohms);
    void rheostatMaximumChanged(double ohms);
    /** The rheostat set, to a whole number of ohms but at start-up. */
    void rheostatChanged(double ohms);
    /** The slider shown where the circuit has it: after it moved, and when a switch is thrown. */
    void sliderShown();
    void decadeTurned(int i, int digit);

    // The switches: what each view of the bench shows.
    /** The key thrown or opened by an overload: what is set while it is open or closed. */
    void keyThrown(bool closed);
    /** The source switched on or off, by the student or by an overload. */
    void sourceSwitched(bool on);

    // The solution, in the order the bench shows it.
    /** The resistance the box and the arms measure. */
    void measured(double ohms);
    void galvanometerCurrentChanged(double amperes);
    void sourceCurrentChanged(double amperes);
    void needleMoved();
    /** One action's recalculation is over: everything shown is up to date. */
    void changed();

    /** What a reveal shows, shown or hidden again. */
    void revealed(Circuit::Reveal what, bool shown);

  private:
    /** The slider at `position` half-divisions, and the wire's two arms from it. */
    void placeSlider(int position);
    void showKey();
    void showSource();
    void recalculate();
    /** Solves and shows the bridge once; what it overloads, once its box has been answered. */
    Overload solveAndShow();
    /** A refusal or warning box; the bench may be ending once it is answered. */
    void refuse(const QString &text);
    /** Waits in a nested event loop, the window still working, until the pause timer elapses or
     * the bench ends. */
    void pause(double seconds);
    void endPauses();

    CircuitState m_state;
    int m_sliderPosition = kSliderPositions / 2;
    NeedleGeometry m_needle;
    Desktop &m_desktop;
    QWidget *m_window;
    PauseTimer *m_timer;
    std::vector<QEventLoop *> m_pauses;
    bool m_ending = false;
};
