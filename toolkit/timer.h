// A timer that ticks only while it is enabled and has an interval above zero.
#pragma once

#include <QObject>
#include <QTimer>

/** Ticks every interval milliseconds while enabled; an interval of 0 means it never ticks. */
class Timer : public QObject
{
    Q_OBJECT
  public:
    explicit Timer(QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }
    /** Sets the interval and starts counting it afresh. */
    void setInterval(int milliseconds);

  signals:
    void tick();

  private:
    void restart();

    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 0;
};
