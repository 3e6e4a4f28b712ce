// The yardstick for start-up and memory: a bare Qt program with one main window and one label.
#include "peak_memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

namespace {

/** Reports the first frame painted into the label, with the peak resident memory, and quits. */
class FirstFrame : public QObject
{
  public:
    QElapsedTimer clock;
    double built = 0;

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            const double paintStart = clock.nsecsElapsed() / 1e6;
            QTimer::singleShot(0, [this, paintStart] {
                std::fprintf(stderr, "built %.1f ms, first paint from %.1f to %.1f ms\n", built,
                             paintStart, clock.nsecsElapsed() / 1e6);
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

} // namespace

int main(int argc, char *argv[])
{
    FirstFrame probe;
    probe.clock.start();
    QApplication app(argc, argv);
    QMainWindow window;
    auto *label = new QLabel(QStringLiteral("Моделирование моста Корвела"));
    window.setCentralWidget(label);
    probe.built = probe.clock.nsecsElapsed() / 1e6;
    label->installEventFilter(&probe);
    window.show();
    return app.exec();
}
