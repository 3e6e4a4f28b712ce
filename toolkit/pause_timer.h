// The timer that ends the bench's pauses.
#pragma once

#include <QObject>
#include <QTimer>

/** Counts one pause's length and tells when it has elapsed; one count at a time. */
class PauseTimer : public QObject
{
    Q_OBJECT
  public:
    explicit PauseTimer(QObject *parent = nullptr);

    /** Counts `milliseconds` afresh, dropping any count under way; a pause of no length is over
     * at once, and nothing is counted. */
    void start(int milliseconds);
    /** Stops counting: no elapsed() comes from the count under way. */
    void stop();
    bool isCounting() const { return m_length > 0; }
    /** The length of the count under way, ms; 0 while nothing is counted. */
    int length() const { return m_length; }

  signals:
    /** The count has run out, or a test says it has. */
    void elapsed();

  private:
    QTimer m_timer;
    int m_length = 0;
};
