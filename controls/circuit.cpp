// The circuit of the bench: the recalculation, the refusals, the reveals, the pauses and the end.
#include "controls/circuit.h"

#include "model/bridge.h"
#include "model/number_format.h"
#include "toolkit/desktop.h"
#include "toolkit/pause_timer.h"

#include <QEventLoop>
#include <QLocale>
#include <QWidget>
#include <algorithm>
#include <cmath>

Circuit::Circuit(Desktop &desktop, QWidget *window)
    : QObject(window), m_desktop(desktop), m_window(window), m_timer(new PauseTimer(this))
{
    setObjectName(QStringLiteral("circuit"));
    // The pause timer: one count at a time, shared by every pause; its end ends them all.
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &PauseTimer::elapsed, this, &Circuit::endPauses);
}

Circuit::~Circuit() = default;

// The first settings are shown as the bench starts, hidden; the bridge is solved once, with every
// instrument at its first setting.
void Circuit::start()
{
    m_state.istochnik = 0;
    m_state.rabota = 0;
    m_state.Rx = 1963;
    emit unknownChanged(m_state.Rx);
    emit revealed(Reveal::Result, false);
    // The limits of the source and the galvanometer, A; the resistances of the wire and the
    // galvanometer, Ω.
    m_state.Imax = 3;
    m_state.Igmax = 0.0025f;
    m_state.Rmax = 5;
    m_state.Rg = 2.3f;
    m_state.Edc = 8;
    emit emfChanged(m_state.Edc);
    m_state.r = 10;
    emit internalResistanceChanged(m_state.r);
    m_state.Reo_max = 150;
    emit rheostatMaximumChanged(m_state.Reo_max);
    // The rheostat keeps 112.5 until it is first set; its bar shows 112.
    m_state.Reo = static_cast<float>(m_state.Reo_max * 3 / 4);
    emit rheostatChanged(m_state.Reo);
    placeSlider(kSliderPositions / 2);
    emit sliderShown();
    emit keyThrown(false);
    showSource();
}

void Circuit::setEmf(int volts)
{
    m_state.Edc = volts;
    emit emfChanged(m_state.Edc);
}

void Circuit::setInternalResistance(int ohms)
{
    m_state.r = static_cast<float>(ohms);
    emit internalResistanceChanged(m_state.r);
}

void Circuit::setRheostat(int ohms)
{
    m_state.Reo = static_cast<float>(ohms);
    emit rheostatChanged(m_state.Reo);
    recalculate();
}

void Circuit::setRheostatMaximum(int ohms)
{
    m_state.Reo_max = ohms;
    emit rheostatMaximumChanged(m_state.Reo_max);
    m_state.Reo = static_cast<float>(roundHalfEven(m_state.Reo_max / 4.0 * 3));
    emit rheostatChanged(m_state.Reo);
    recalculate();
}

void Circuit::moveSlider(int position)
{
    placeSlider(position);
    emit sliderShown();
    recalculate();
}

void Circuit::placeSlider(int position)
{
    m_sliderPosition = position;
    m_state.R_dlina = position * 0.005;
    m_state.R_L = m_state.R_dlina * m_state.Rmax;
    m_state.R_R = static_cast<float>(m_state.Rmax - m_state.R_L);
}

void Circuit::turnDecade(int i, int digit)
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
    emit decadeTurned(i, digit);
    recalculate();
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
    if (m_state.istochnik != 0) {
        refuse(QStringLiteral(
            "Чтобы поменять неизвестное сопротивление, сначала выключите источник!"));
    } else {
        m_desktop.seedRandom();
        // One of the 101 whole values 50 … 150, each equally likely; a draw close to 1 stays 150.
        const double u = m_desktop.randomUniform();
        m_state.Rx = 50 + std::clamp(static_cast<int>(std::floor(u * 101)), 0, 100);
        refuse(QStringLiteral("Неизвестное сопротивление изменено! Удачной работы!"));
    }
    if (!m_ending)
        emit unknownChanged(m_state.Rx);
}

// With the key open only the rheostat maximum can be set; closed, the slide wire, the rheostat and
// the box can, and the bridge is solved.
void Circuit::showKey()
{
    emit keyThrown(m_state.rabota != 0);
    if (m_state.rabota == 0)
        return;
    emit sliderShown();
    recalculate();
}

// A switch of the source shows the slider again where the circuit has it, then solves the bridge.
void Circuit::showSource()
{
    emit sourceSwitched(m_state.istochnik != 0);
    emit sliderShown();
    recalculate();
}

void Circuit::reveal(Reveal what)
{
    emit revealed(what, true);
    pause(10);
    if (!m_ending)
        emit revealed(what, false);
}

// One recalculation for each action, never one inside another: an overload shows its box, opens the
// key and switches the source off, then shows the open circuit (readouts at zero, the needle at
// rest) in the same recalculation.
void Circuit::recalculate()
{
    if (solveAndShow() != Overload::None && !m_ending) {
        m_state.rabota = 0;
        m_state.istochnik = 0;
        emit keyThrown(false);
        emit sourceSwitched(false);
        solveAndShow();
    }
    emit changed();
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
        if (bridge.hasRi) {
            emit measured(bridge.Ri);
        } else {
            refuse(QStringLiteral("Правое плечо реохорда равно 0! Думать надо!"));
            if (m_ending)
                return Overload::None;
        }
    }
    emit galvanometerCurrentChanged(s.Ig);
    emit sourceCurrentChanged(s.I);
    m_needle = needleGeometry(s.Ig, s.Igmax, kNeedlePivotX, kNeedlePivotY);
    s.alpha_max = m_needle.alpha_max;
    s.k_alpha = m_needle.k_alpha;
    s.alpha = m_needle.alpha;
    s.dx = m_needle.dx;
    s.dy = m_needle.dy;
    emit needleMoved();

    const Overload overload = overloadVerdict(s.I, s.Imax, s.Ig, s.Igmax);
    if (overload == Overload::None)
        return overload;
    refuse(overload == Overload::Source
               ? QStringLiteral("Такой ток сожжёт источник! Измените сопротивление!")
               : QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!"));
    return m_ending ? Overload::None : overload;
}

// Refusals and warnings: a modal box captioned "Ошибка" with an OK button only.
void Circuit::refuse(const QString &text)
{
    m_desktop.messageBox(m_window, text, QStringLiteral("Ошибка"), Desktop::Buttons::Ok);
}

// The pause blocks in a nested event loop, so the window keeps working and the processor idles.
// All pauses share one timer: a pause begun inside another counts its own length afresh, and its
// end ends every pause at once.
void Circuit::pause(double seconds)
{
    m_timer->start(m_desktop.pauseLength(seconds));
    while (m_timer->isCounting() && !m_ending) {
        QEventLoop loop;
        m_pauses.push_back(&loop);
        loop.exec();
        m_pauses.erase(std::find(m_pauses.begin(), m_pauses.end(), &loop));
    }
    m_timer->stop();
    // Nothing is counted now, so a pause running outside this one would never end: it ends too.
    endPauses();
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
    m_timer->stop();
    endPauses();
}

std::string Circuit::separator() const
{
    return (m_window ? m_window->locale() : QLocale()).decimalPoint().toStdString();
}

QString Circuit::format(double value, const char *pattern) const
{
    return QString::fromStdString(formatPattern(value, pattern, separator()));
}
