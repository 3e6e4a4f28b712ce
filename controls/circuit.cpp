// The circuit of the bench: the recalculation, the refusals, the reveals, the pauses and the end.
#include "controls/circuit.h"

#include "controls/galvanometer.h"
#include "controls/key.h"
#include "controls/resistance_box.h"
#include "controls/rheostat.h"
#include "controls/slide_wire.h"
#include "controls/source.h"
#include "controls/unknown_resistor.h"
#include "model/bridge.h"
#include "model/number_format.h"
#include "toolkit/desktop.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/timer.h"

#include <QEventLoop>
#include <QLocale>
#include <QWidget>
#include <algorithm>
#include <cmath>

Circuit::Circuit(Desktop &desktop, QWidget *window)
    : QObject(window), m_desktop(desktop), m_window(window), m_timer(new Timer(this))
{
    setObjectName(QStringLiteral("circuit"));
    // The pause timer: enabled, with no interval until a pause gives it one.
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &Timer::tick, this, [this] {
        m_timer->setInterval(0);
        endPauses();
    });
}

Circuit::~Circuit() = default;

void Circuit::start()
{
    m_starting = true;
    m_state.istochnik = 0;
    m_state.rabota = 0;
    m_state.Rx = 1963;
    m_instruments.unknown->load();
    // The limits of the source and the galvanometer, A; the resistances of the wire and the
    // galvanometer, Ω.
    m_state.Imax = 3;
    m_state.Igmax = 0.0025f;
    m_state.Rmax = 5;
    m_state.Rg = 2.3f;
    m_instruments.galvanometer->load();
    m_state.Edc = 8;
    m_state.r = 10;
    m_instruments.source->load();
    m_state.Reo_max = 150;
    m_instruments.rheostat->load();
    m_instruments.slideWire->load(0.5);
    m_instruments.box->load();
    showKey();
    showSource();
    // The bars set above and the two views asked for the bridge to be solved; it is solved once,
    // with every instrument at its first setting.
    m_starting = false;
    recalculate();
}

void Circuit::setSliderFraction(double fraction)
{
    m_state.R_dlina = fraction;
    m_state.R_L = m_state.R_dlina * m_state.Rmax;
    m_state.R_R = static_cast<float>(m_state.Rmax - m_state.R_L);
}

void Circuit::setDecade(int i, int digit)
{
    double *const digits[] = {&m_state.R_m_1, &m_state.R_m_2, &m_state.R_m_3, &m_state.R_m_4,
                              &m_state.R_m_5};
    if (i < 5)
        *digits[i] = digit;
    else
        m_state.R_m_6 = static_cast<std::int16_t>(digit);
    // Whole partial sums, then the tenths in double precision; the box holds a single.
    const double sum = m_state.R_m_1 * 10000 + m_state.R_m_2 * 1000 + m_state.R_m_3 * 100 +
                       m_state.R_m_4 * 10 + m_state.R_m_5 * 1 + m_state.R_m_6 * 0.1;
    m_state.R_m = static_cast<float>(sum);
}

void Circuit::toggleKey()
{
    m_state.rabota = m_state.rabota == 0 ? 1 : 0;
    showKey();
}

void Circuit::toggleSource()
{
    m_state.istochnik = m_state.istochnik == 0 ? 1 : 0;
    showSource();
}

void Circuit::drawUnknown()
{
    bool running;
    if (m_state.istochnik != 0) {
        running = refuse(QStringLiteral(
            "Чтобы поменять неизвестное сопротивление, сначала выключите источник!"));
    } else {
        m_desktop.seedRandom();
        // One of the 101 whole values 50 … 150, each equally likely; a draw close to 1 stays 150.
        const double u = m_desktop.randomUniform();
        m_state.Rx = 50 + std::clamp(static_cast<int>(std::floor(u * 101)), 0, 100);
        running = refuse(QStringLiteral("Неизвестное сопротивление изменено! Удачной работы!"));
    }
    if (running)
        m_instruments.unknown->showResistance(m_state.Rx);
}

// With the key open only the rheostat maximum can be set; closed, the slide wire, the rheostat and
// the box can, and the bridge is recalculated. The order of the bars matters to the focus.
void Circuit::showKey()
{
    showKeyView();
    if (m_state.rabota != 0)
        showSliderAndRecalculate();
}

void Circuit::showKeyView()
{
    const bool closed = m_state.rabota != 0;
    m_instruments.slideWire->showBar(closed);
    m_instruments.rheostat->showSetting(closed);
    m_instruments.box->showDecades(closed);
    m_instruments.rheostat->showMaximum(!closed);
    if (!closed)
        m_instruments.slideWire->showArms(
            false); // closed, they stay as they are: a reveal may show them
    m_instruments.key->showClosed(closed);
}

// The lamp lit while the source is on; its EMF and internal resistance set only while it is off.
void Circuit::showSource()
{
    m_instruments.source->showSwitchedOn(m_state.istochnik != 0);
    showSliderAndRecalculate();
}

// A switch thrown shows the slider again where the circuit has it, then solves the bridge.
void Circuit::showSliderAndRecalculate()
{
    m_instruments.slideWire->showSlider();
    recalculate();
}

void Circuit::reveal(Reveal what)
{
    showRevealed(what, true);
    if (!pause(10))
        return;
    showRevealed(what, false);
}

void Circuit::showRevealed(Reveal what, bool shown)
{
    if (what == Reveal::Arms) {
        m_instruments.slideWire->showArms(shown);
    } else {
        m_instruments.unknown->showValue(shown);
        m_instruments.galvanometer->showMeasured(shown);
    }
}

// One recalculation for each action, never one inside another: an overload shows its box, opens the
// key and switches the source off, then shows the open circuit (readouts at zero, the needle at
// rest) in the same recalculation. While the bench starts, the bars' first settings solve nothing.
void Circuit::recalculate()
{
    if (m_starting)
        return;
    ++m_recalculations;
    if (solveAndShow() == Overload::None || m_ending)
        return;
    m_state.rabota = 0;
    m_state.istochnik = 0;
    showKeyView();
    m_instruments.source->showSwitchedOn(false);
    solveAndShow();
}

Overload Circuit::solveAndShow()
{
    CircuitState &s = m_state;
    s.R1 = s.Rx;
    s.R2 = s.R_m;
    s.R3 = s.R_R;
    s.R4 = s.R_L;
    const BridgeResult bridge =
        solveBridge({s.R1, s.R2, s.R3, s.R4, s.Rg, s.Reo, s.r, s.Edc, s.rabota, s.istochnik});
    s.I = bridge.I;
    s.Ig = bridge.Ig;
    if (bridge.live) {
        if (bridge.hasRi)
            m_instruments.galvanometer->setMeasured(bridge.Ri);
        else if (!refuse(QStringLiteral("Правое плечо реохорда равно 0! Думать надо!")))
            return Overload::None;
    }
    m_instruments.galvanometer->showCurrent(s.Ig);
    m_instruments.source->showCurrent(s.I);
    const NeedleGeometry g = m_instruments.galvanometer->pointNeedle(s.Ig, s.Igmax);
    s.alpha_max = g.alpha_max;
    s.k_alpha = g.k_alpha;
    s.alpha = g.alpha;
    s.dx = g.dx;
    s.dy = g.dy;

    const Overload overload = overloadVerdict(s.I, s.Imax, s.Ig, s.Igmax);
    if (overload == Overload::None)
        return overload;
    if (!refuse(overload == Overload::Source
                    ? QStringLiteral("Такой ток сожжёт источник! Измените сопротивление!")
                    : QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!")))
        return Overload::None;
    return overload;
}

// Refusals and warnings: a modal box captioned "Ошибка" with an OK button only.
bool Circuit::refuse(const QString &text)
{
    m_desktop.messageBox(m_window, text, QStringLiteral("Ошибка"), Desktop::Buttons::Ok);
    return !m_ending;
}

// The pause blocks in a nested event loop, so the window keeps working and the processor idles.
// All pauses share one timer: its tick ends every pause at once.
bool Circuit::pause(double seconds)
{
    m_timer->setEnabled(true);
    m_timer->setInterval(static_cast<int>(std::nearbyint(seconds * 1000 * m_pauseScale)));
    while (m_timer->interval() > 0 && !m_ending) {
        QEventLoop loop;
        m_pauses.push_back(&loop);
        loop.exec();
        m_pauses.erase(std::find(m_pauses.begin(), m_pauses.end(), &loop));
    }
    m_timer->setEnabled(false);
    // The timer is stopped now, so a pause running outside this one (a pause(0) inside a reveal)
    // would never tick again: let it test the interval, which is 0, and end as well.
    endPauses();
    return !m_ending;
}

void Circuit::endPauses()
{
    for (QEventLoop *loop : m_pauses)
        loop->quit();
}

std::function<void()> Circuit::whileRunning(std::function<void()> action) const
{
    return [this, action = std::move(action)] {
        if (!m_ending)
            action();
    };
}

// Every running pause returns at once; its handler sees isEnding() and does nothing more.
void Circuit::end()
{
    m_ending = true;
    m_timer->setEnabled(false);
    endPauses();
}

// The bar moves one step at a time towards `target`, as its arrows would move it, running its
// change handler at each; it stops at the end of its range, once it is hidden (the key opened,
// an overload) and once the bench is closing.
void Circuit::stepBar(ScrollBar *bar, int target) const
{
    while (!m_ending && !bar->isHidden() && bar->benchValue() != target) {
        const int before = bar->benchValue();
        bar->setBenchValue(before + (target > before ? 1 : -1));
        if (bar->benchValue() == before)
            break;
    }
}

// One step of the bar per notch, away from the user raising the value, as a knob turned
// clockwise would.
void Circuit::turnKnob(ScrollBar *bar, int notches) const
{
    stepBar(bar, bar->benchValue() + notches);
}

std::string Circuit::separator() const
{
    return m_window->locale().decimalPoint().toStdString();
}

QString Circuit::format(double value, const char *pattern) const
{
    return QString::fromStdString(formatPattern(value, pattern, separator()));
}
