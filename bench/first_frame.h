// The start-up probe of the bench and of the bare program: first frame and peak memory.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>

// The high-water mark of this process's own memory; getrusage would count the parent's from
// before the exec.
inline long peakResidentKb()
{
    FILE *status = std::fopen("/proc/self/status", "r");
    long kb = 0;
    char line[256];
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    if (status)
        std::fclose(status);
    return kb;
}

/**
 * Watches the first paint of a widget, reports the times since `clock` started and the peak
 * memory ("painted <kB>" on standard output, for the launcher), and quits.
 */
class FirstFrame : public QObject
{
  public:
    QElapsedTimer clock;
    double built = 0;
    double loaded = -1; // the bench's load procedure, when there is one

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            const double paintStart = clock.nsecsElapsed() / 1e6;
            QTimer::singleShot(0, [this, paintStart] {
                std::fprintf(stderr, "built %.1f ms", built);
                if (loaded >= 0)
                    std::fprintf(stderr, ", loaded %.1f ms", loaded);
                std::fprintf(stderr, ", first paint from %.1f to %.1f ms\n", paintStart,
                             clock.nsecsElapsed() / 1e6);
                std::printf("painted %ld\n", peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

  private:
    bool m_seen = false;
};
