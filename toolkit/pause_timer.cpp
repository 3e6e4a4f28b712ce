// The timer that ends the bench's pauses.
#include "toolkit/pause_timer.h"

PauseTimer::PauseTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PauseTimer::elapsed);
    // Elapsed, by the clock or by a test's word: nothing is counted any more.
    connect(this, &PauseTimer::elapsed, this, &PauseTimer::stop);
}

void PauseTimer::start(int milliseconds)
{
    m_length = milliseconds > 0 ? milliseconds : 0;
    if (m_length > 0)
        m_timer.start(m_length);
    else
        m_timer.stop();
}

void PauseTimer::stop()
{
    m_length = 0;
    m_timer.stop();
}
