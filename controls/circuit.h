// The circuit of the bench: its state, the one recalculation, the refusals, the reveals and the
// pauses, and the one decision of what still runs once the bench is closing.
#pragma once

#include "model/bridge.h"
#include "model/circuit_state.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class Desktop;
class Galvanometer;
class Key;
class QEventLoop;
class QWidget;
class ResistanceBox;
class Rheostat;
class ScrollBar;
class SlideWire;
class Source;
class Timer;
class UnknownResistor;

/** The instruments the circuit tells what to show. */
struct Instruments
{
    Source *source = nullptr;
    Key *key = nullptr;
    Rheostat *rheostat = nullptr;
    SlideWire *slideWire = nullptr;
    ResistanceBox *box = nullptr;
    Galvanometer *galvanometer = nullptr;
    UnknownResistor *unknown = nullptr;
};

/**
 * The circuit. Instruments tell it what the student changed; it keeps the state, recalculates
 * once, refuses what burns or makes no sense, and tells the instruments what to show.
 */
class Circuit : public QObject
{
    Q_OBJECT
  public:
    /** Boxes open over `window`; `desktop` shows them and draws the unknown resistance. */
    Circuit(Desktop &desktop, QWidget *window);
    ~Circuit() override;

    void attach(const Instruments &instruments) { m_instruments = instruments; }

    const CircuitState &state() const { return m_state; }
    /** Replaces the whole record without recalculating (a circuit set up by hand). */
    void setState(const CircuitState &state) { m_state = state; }

    /** The bench as it starts: key open, source off, every instrument at its first setting. */
    void start();

    // What the student set; the instrument recalculates when it has shown its own part.
    void setEmf(double volts) { m_state.Edc = volts; }
    void setInternalResistance(float ohms) { m_state.r = ohms; }
    void setRheostat(float ohms) { m_state.Reo = ohms; }
    void setRheostatMaximum(double ohms) { m_state.Reo_max = ohms; }
    /** The slider at a fraction of the wire, and the wire's two arms from it. */
    void setSliderFraction(double fraction);
    /** Decade `i` (0 for ×10000 … 5 for ×0.1) at `digit`, and the box's resistance from all six. */
    void setDecade(int i, int digit);

    /** The key thrown: the bench shows the instruments for its new position. */
    void toggleKey();
    /** The source switched: the bench shows the instruments for its new state. */
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

    /**
     * Solves the bridge and shows the currents, the needle and the result; refuses overloads and
     * then shows the open circuit. One user action runs it once.
     */
    void recalculate();
    /** How many recalculations have run since the circuit was made. */
    int recalculations() const { return m_recalculations; }

    /** A refusal or warning box; true while the bench still runs after it. */
    bool refuse(const QString &text);
    /** Pauses in a nested event loop; true while the bench still runs after it. */
    bool pause(double seconds);
    /** Ends every pause at once, as the pause timer's tick does. */
    void endPauses();
    /** `action`, run only while the bench is not closing: every handler of the bench runs so. */
    std::function<void()> whileRunning(std::function<void()> action) const;
    bool isEnding() const { return m_ending; }
    /** The bar stepped towards `target` as its arrows would, while it is shown and the bench runs.
     */
    void stepBar(ScrollBar *bar, int target) const;
    /** A knob turned by the wheel: its bar stepped once per notch. */
    void turnKnob(ScrollBar *bar, int notches) const;
    /** Nothing more runs on the bench: pauses end, handlers do nothing. */
    void end();

    /** Scales every pause; tests shorten the ten-second reveals with it. */
    void setPauseScale(double scale) { m_pauseScale = scale; }

    /** The user's decimal separator in UTF-8, as the readouts write it (not always one byte). */
    std::string separator() const;
    /** The value in one of the readouts' number patterns. */
    QString format(double value, const char *pattern) const;

  private:
    void showKey();
    void showKeyView();
    void showSource();
    void showSliderAndRecalculate();
    /** Solves and shows the bridge once; what it overloads, once its box has been answered. */
    Overload solveAndShow();
    void showRevealed(Reveal what, bool shown);

    CircuitState m_state;
    Desktop &m_desktop;
    QWidget *m_window;
    Instruments m_instruments;
    Timer *m_timer;
    std::vector<QEventLoop *> m_pauses;
    double m_pauseScale = 1.0;
    bool m_ending = false;
    bool m_starting = false;
    int m_recalculations = 0;
};
