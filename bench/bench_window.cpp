// Timings of the window: one user action end to end, start-up and memory against a bare Qt
// program, the processor time of a reveal, and the artwork cache. `--quick` runs fewer actions and
// launches, `--startup` only the launches, `--partial` only the actions repainted where they
// change.
#include "first_frame.h"

#include "app/bench_driver.h"
#include "app/bench_window.h"
#include "app/real_desktop.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/quiet_desktop.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/svg_cache.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

double percentile(std::vector<double> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    const size_t at = std::min(samples.size() - 1, static_cast<size_t>(p * samples.size()));
    return samples[at];
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The processor time of all the process's threads, to the nanosecond: unlike the clock, it does not
// count the time the process waits for a processor on a busy machine.
double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

/**
 * The bench program as main() starts it, stopped at its first frame: reports that frame with the
 * peak resident memory and quits; on the error stream it tells how long the window took to
 * build, to load and to paint that frame.
 */
int firstFrame(int argc, char *argv[])
{
    FirstFrame probe;
    probe.clock.start();
    QApplication app(argc, argv);
    RealDesktop desktop;
    BenchWindow form(desktop);
    probe.built = probe.clock.nsecsElapsed() / 1e6;
    form.findChild<BenchCanvas *>()->installEventFilter(&probe);
    form.start();
    probe.loaded = probe.clock.nsecsElapsed() / 1e6;
    return app.exec();
}

struct Launch
{
    double milliseconds = 0;
    long peakKb = 0;
};

// Starts a program that prints "painted <peak kB>" at its first frame; the time is to that line.
Launch launch(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    QByteArray out;
    while (!out.contains('\n') && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    Launch result;
    result.milliseconds = clock.nsecsElapsed() / 1e6;
    process.waitForFinished(10000);
    const QList<QByteArray> words = out.trimmed().split(' ');
    if (words.size() == 2 && words[0] == "painted")
        result.peakKb = words[1].toLong();
    else
        std::fprintf(stderr, "%s did not report its first frame\n", qPrintable(program));
    return result;
}

void startUpAndMemory(int runs)
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = folder + QStringLiteral("/bench_bare");
    const QStringList benchSize{QStringLiteral("--bench-size")};
    std::vector<double> benchTimes, bareTimes, sizedTimes, benchPeaks, barePeaks;
    launch(self, {QStringLiteral("--first-frame")}); // warm the file cache for all three
    launch(bare, {});
    launch(bare, benchSize);
    for (int i = 0; i < runs; ++i) {
        const Launch b = launch(self, {QStringLiteral("--first-frame")});
        const Launch y = launch(bare, {});
        const Launch z = launch(bare, benchSize);
        benchTimes.push_back(b.milliseconds);
        benchPeaks.push_back(b.peakKb);
        bareTimes.push_back(y.milliseconds);
        barePeaks.push_back(y.peakKb);
        sizedTimes.push_back(z.milliseconds);
    }
    const double bt = percentile(benchTimes, 0.5), yt = percentile(bareTimes, 0.5);
    const double zt = percentile(sizedTimes, 0.5);
    const double bm = percentile(benchPeaks, 0.5), ym = percentile(barePeaks, 0.5);
    std::printf("start-up to first frame  bench %7.1f ms   bare %7.1f ms   ratio %.2f  (median "
                "of %d runs each)\n",
                bt, yt, bt / yt, runs);
    std::printf("  against a bare window of the bench's size   %7.1f ms   ratio %.2f\n", zt,
                bt / zt);
    std::printf("peak resident memory     bench %7.1f MB   bare %7.1f MB   ratio %.2f\n", bm / 1024,
                ym / 1024, bm / ym);
}

/** Counts the bench's paint events and the pixels they cover. */
class PaintCounter : public QObject
{
  public:
    long paints = 0;
    double pixels = 0;

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                pixels += double(r.width()) * r.height();
        }
        return false;
    }
};

// One user action: a value change through its handler, the calculation and the needle, then the
// repaint Qt makes of it into the window's backing store. With `wholeBench` every action repaints
// the whole 640 × 480 bench, as each did before changes were repainted where they happened.
void actions(const BenchDriver &bench, int count, bool wholeBench)
{
    PaintCounter counter;
    bench.bench().installEventFilter(&counter);
    std::vector<double> total, handler, paint, processor;
    total.reserve(count);
    QElapsedTimer clock;
    for (int i = 0; i < count; ++i) {
        const double cpuBefore = processSeconds();
        clock.start();
        if (i % 2 == 0)
            bench.slider()->setBenchValue(bench.slider()->benchValue() == 100 ? 101 : 100);
        else
            bench.decade(5)->setBenchValue((bench.decade(5)->benchValue() + 1) % 10);
        if (wholeBench)
            bench.bench().update();
        const qint64 handled = clock.nsecsElapsed();
        QCoreApplication::processEvents(); // the repaint, as the event loop would make it
        const qint64 done = clock.nsecsElapsed();
        processor.push_back((processSeconds() - cpuBefore) * 1e3);
        total.push_back(done / 1e6);
        handler.push_back(handled / 1e6);
        paint.push_back((done - handled) / 1e6);
    }
    bench.bench().removeEventFilter(&counter);
    std::printf("%s\n", wholeBench ? "repainting the whole bench at each action"
                                   : "repainting where the bench changed");
    std::printf(
        "one action end to end    median %.3f ms   99th percentile %.3f ms   (%d actions)\n",
        percentile(total, 0.5), percentile(total, 0.99), count);
    std::printf("  of which the handlers  median %.3f ms   99th percentile %.3f ms\n",
                percentile(handler, 0.5), percentile(handler, 0.99));
    std::printf("  of which the repaint   median %.3f ms   99th percentile %.3f ms\n",
                percentile(paint, 0.5), percentile(paint, 0.99));
    std::printf("  processor time, all threads  median %.3f ms\n", percentile(processor, 0.5));
    std::printf("  bench repainted        %.1f %% of its area an action, in %.1f paint events\n",
                100 * counter.pixels / count / (640.0 * 480), double(counter.paints) / count);
}

void revealCpu(const BenchDriver &bench)
{
    QElapsedTimer clock;
    clock.start();
    const double before = cpuSeconds();
    bench.click("Image5"); // ten seconds with the readouts shown and no input
    const double used = cpuSeconds() - before;
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("ten-second reveal        %.1f s   processor %.1f ms   %.3f %% of one core\n",
                seconds, used * 1000, 100 * used / seconds);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--first-frame") == 0)
        return firstFrame(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    // Only the partial repaints, for a profiler to look at.
    const bool partialOnly = argc > 1 && std::strcmp(argv[1], "--partial") == 0;
    // Only start-up and memory, over 21 launches of each program.
    if (argc > 1 && std::strcmp(argv[1], "--startup") == 0) {
        QCoreApplication app(argc, argv);
        startUpAndMemory(21);
        return 0;
    }
    QApplication app(argc, argv);
    QuietDesktop desktop;
    BenchWindow form(desktop);
    form.start();
    while (!form.isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    // A live, balanced bridge: key closed, box at 1963 Ω, slider in the middle, source on.
    BenchDriver bench(form);
    bench.goLive();

    bench.bench().update(); // the live view's first frame
    QCoreApplication::processEvents();
    std::printf("device pixel ratio       %g\n", form.devicePixelRatioF());
    const int rendersBefore = SvgCache::instance().renders();
    const int hitsBefore = SvgCache::instance().hits();
    if (partialOnly) {
        actions(bench, 10000, false);
        return 0;
    }
    actions(bench, quick ? 2000 : 10000, true);
    actions(bench, quick ? 2000 : 10000, false);
    std::printf("artwork cache            %d pictures rendered before the actions, %d during "
                "them; %d hits during them\n",
                rendersBefore, SvgCache::instance().renders() - rendersBefore,
                SvgCache::instance().hits() - hitsBefore);
    if (desktop.boxes != 0)
        std::printf("warning: %d message boxes during the actions\n", desktop.boxes);
    if (!quick)
        revealCpu(bench);
    startUpAndMemory(quick ? 3 : 11);
    return 0;
}
