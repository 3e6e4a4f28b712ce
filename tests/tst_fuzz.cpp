// The fuzzer: seeded random user actions on the real bench window, its invariants checked after
// each.
#include "app/authors_window.h"
#include "bench_fixture.h"
#include "fuzz_invariants.h"
#include "help/about.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>

namespace {

const QString kOverloadSource =
    QStringLiteral("Такой ток сожжёт источник! Измените сопротивление!");
const QString kOverloadGalvanometer =
    QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!");
const QString kRightArm = QStringLiteral("Правое плечо реохорда равно 0! Думать надо!");
const QString kConfirm = QStringLiteral("Вы абсолютно уверены?");

// The pause of a reveal: none, or a few milliseconds instead of ten seconds.
const double kWaitScales[] = {0, 0.0001, 0.0003};
const int kMaxRevealDepth = 3;

// The seed of a plain run, so that CTest replays the same actions every time; the long run draws
// a fresh one (KORVEL_FUZZ_SEED=random).
const quint64 kFixedSeed = 20261207;

struct Options
{
    quint64 seed = kFixedSeed;
    qint64 actions = 20000;
};

Options g_options;

quint64 clockSeed()
{
    return static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count()) %
           1000000007ULL;
}

/** A seed given as a number, or "random" for one taken from the clock. */
quint64 parseSeed(const QByteArray &text)
{
    return text == "random" ? clockSeed() : text.toULongLong();
}

void sendMouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

/** Runs random actions on a bench, one window after another, and keeps the broken invariants. */
class Fuzzer
{
  public:
    explicit Fuzzer(quint64 seed) : m_rng(seed)
    {
        m_desktop.onBox = [this] { onBox(); };
        m_trace = qEnvironmentVariableIsSet("KORVEL_FUZZ_TRACE");
    }
    ~Fuzzer() { endWindow(); }

    void run(qint64 actions)
    {
        newWindow();
        while (m_done < actions) {
            try {
                action(0);
            } catch (const std::exception &e) {
                violation(
                    QStringLiteral("uncaught exception: %1").arg(QString::fromUtf8(e.what())));
            } catch (...) {
                violation(QStringLiteral("uncaught exception"));
            }
            if (m_ended) {
                endWindow();
                newWindow();
            }
            if (actions >= 200000 && m_done >= m_nextReport) {
                qInfo("fuzz: %lld actions, %lld violations", m_done, m_violations);
                m_nextReport += 100000;
            }
            m_desktop.opened.clear();
            m_desktop.started.clear();
        }
        endWindow();
    }

    /** What the run reached: live circuits, refusals, the deepest reveal. */
    QString coverage() const
    {
        return QStringLiteral("%1 actions on a live circuit, %2 overloads, %3 right-arm messages, "
                              "%4 reveals nested %5 deep at most")
            .arg(m_live)
            .arg(m_overloads)
            .arg(m_rightArms)
            .arg(m_reveals)
            .arg(m_deepest);
    }
    qint64 done() const { return m_done; }
    qint64 violations() const { return m_violations; }
    int windows() const { return m_windows; }
    const QStringList &report() const { return m_report; }

  private:
    struct Record
    {
        QList<FakeDesktop::Box> boxes;
    };

    // Random numbers that replay the same on every platform.
    quint64 next() { return m_rng(); }
    int below(int n) { return static_cast<int>(next() % static_cast<quint64>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    void newWindow()
    {
        m_form = std::make_unique<BenchWindow>(m_desktop);
        m_desktop.pauseScale = kWaitScales[1];
        m_form->start();
        if (!QTest::qWaitForWindowExposed(m_form.get()))
            violation(QStringLiteral("the window was not exposed"));
        m_history = BenchHistory();
        trackHistory(*m_form, m_history);
        m_ended = false;
        ++m_windows;
        const QByteArray decimal = qgetenv("KORVEL_EXPECT_DECIMAL");
        if (!decimal.isEmpty() && BenchDriver(*m_form).separator() != decimal.toStdString())
            violation(QStringLiteral("the locale's separator is '%1', expected '%2'")
                          .arg(QString::fromStdString(BenchDriver(*m_form).separator()),
                               QString::fromUtf8(decimal)));
        check(QStringLiteral("start-up"), {});
    }

    // Destroys the window; a handler that still ran on it would show a box for a dead parent.
    void endWindow()
    {
        if (!m_form)
            return;
        m_form.reset();
        m_afterDestroy = true;
        QTest::qWait(5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_afterDestroy = false;
    }

    void onBox()
    {
        if (m_afterDestroy)
            violation(QStringLiteral("a box after the window was destroyed: %1")
                          .arg(m_desktop.boxes.last().text));
        if (!m_records.empty())
            m_records.back()->boxes.append(m_desktop.boxes.last());
        m_desktop.boxes.clear();
        // A real box runs its own event loop: timers, a reveal's end among them, fire meanwhile;
        // now and then the box stays up while it is read, longer than a bar's delay before it
        // repeats a held step.
        if (chance(10)) {
            ++m_inBox;
            if (m_inBox == 1 && chance(20)) {
                QElapsedTimer clock;
                clock.start();
                const int ms = 100 + below(600);
                while (clock.elapsed() < ms && m_form)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            } else {
                QCoreApplication::processEvents();
            }
            --m_inBox;
        }
    }

    void violation(const QString &what)
    {
        ++m_violations;
        if (m_report.size() >= 40)
            return;
        m_report << QStringLiteral("action %1: %2").arg(m_done).arg(what);
        if (m_violations == 1) {
            m_report << QStringLiteral("  the actions before it:");
            for (const QString &step : m_trail)
                m_report << QStringLiteral("    ") + step;
        }
    }

    void note(const QString &what)
    {
        const QString step = QStringLiteral("%1 [depth %2] %3").arg(m_done).arg(m_depth).arg(what);
        if (m_trace)
            qInfo("%s", qPrintable(step));
        m_trail.push_back(step);
        if (m_trail.size() > 30)
            m_trail.pop_front();
    }

    // One action, chosen at random, then the invariants.
    void action(int depth)
    {
        ++m_done;
        Record record;
        m_records.push_back(&record);
        if (m_ended) {
            // The user said Yes: nothing may run on the window any more.
            const CircuitState before = stateOf(*m_form);
            randomClick();
            if (!sameState(before, stateOf(*m_form)) || !record.boxes.isEmpty())
                violation(QStringLiteral("a handler ran after the window was closed"));
            m_records.pop_back();
            return;
        }
        const CircuitState before = stateOf(*m_form);
        QString what;
        bool stateKept = false;
        int expectedBoxes = -1;
        QString expectedText;
        const int roll = below(1000);
        if (roll < 200) {
            what = randomClick();
        } else if (roll < 300) {
            what = randomPressAndRelease();
        } else if (roll < 470) {
            what = barPart();
        } else if (roll < 530) {
            what = barDrag();
        } else if (roll < 680) {
            what = barFromCode();
        } else if (roll < 760) {
            what = QStringLiteral("click the source");
            note(what);
            clickItem(*m_form, control<SourcePicture>(*m_form, "Image1"));
        } else if (roll < 850) {
            what = QStringLiteral("click the key");
            note(what);
            clickItem(*m_form, control<BenchLabel>(*m_form, "Lblvkl"));
        } else if (roll < 880) {
            what = unknownResistor();
        } else if (roll < 930) {
            what = reveal(depth);
        } else if (roll < 960) {
            what = menuCommand(expectedBoxes, expectedText);
            stateKept = true;
        } else if (roll < 975) {
            what = QStringLiteral("close, answered No");
            note(what);
            m_desktop.yesNoAnswer = Desktop::Answer::No;
            if (m_form->close())
                violation(QStringLiteral("the window closed on No"));
            stateKept = true;
            expectedBoxes = 1;
            expectedText = kConfirm;
        } else if (roll < 985) {
            what = QStringLiteral("close the Authors window");
            note(what);
            if (BenchDriver::authorsWindow())
                BenchDriver::authorsWindow()->close();
            stateKept = true;
            expectedBoxes = 0;
        } else if (roll < 999) {
            what = QStringLiteral("process events");
            note(what);
            if (m_inBox == 0)
                QCoreApplication::processEvents();
        } else {
            what = QStringLiteral("close, answered Yes");
            note(what);
            m_desktop.yesNoAnswer = Desktop::Answer::Yes;
            m_form->close();
            m_desktop.yesNoAnswer = Desktop::Answer::No;
            if (!BenchDriver(*m_form).isEnding())
                violation(QStringLiteral("the window did not end on Yes"));
            m_ended = true;
            m_records.pop_back();
            return;
        }
        m_records.pop_back();
        if (m_ended)
            return; // a nested action closed the window
        if (stateKept && !sameState(before, stateOf(*m_form)))
            violation(what + QStringLiteral(": the circuit state changed"));
        if (expectedBoxes >= 0 && record.boxes.size() != expectedBoxes)
            violation(QStringLiteral("%1: %2 boxes").arg(what).arg(record.boxes.size()));
        if (!expectedText.isEmpty() && !record.boxes.isEmpty() &&
            record.boxes.first().text != expectedText)
            violation(what + QStringLiteral(": box \"%1\"").arg(record.boxes.first().text));
        check(what, record.boxes);
    }

    void check(const QString &what, const QList<FakeDesktop::Box> &boxes)
    {
        m_history.revealRunning = m_depth > 0;
        BenchWindow &form = *m_form;
        QStringList broken = benchViolations(form, m_history);
        int overloads = 0, rightArms = 0;
        for (const FakeDesktop::Box &box : boxes) {
            if (box.text == kOverloadSource || box.text == kOverloadGalvanometer)
                ++overloads;
            if (box.text == kRightArm)
                ++rightArms;
            const bool confirm = box.text == kConfirm;
            if (box.buttons != (confirm ? Desktop::Buttons::YesNo : Desktop::Buttons::Ok))
                broken << QStringLiteral("box \"%1\" has the wrong buttons").arg(box.text);
        }
        m_overloads += overloads;
        m_rightArms += rightArms;
        if (stateOf(form).rabota == 1 && stateOf(form).istochnik == 1)
            ++m_live;
        if (overloads > 1 || rightArms > 1)
            broken << QStringLiteral("%1 overload and %2 right-arm messages for one action")
                          .arg(overloads)
                          .arg(rightArms);
        if (overloads > 0) {
            const QString sep = QString::fromStdString(BenchDriver(form).separator());
            const CircuitState &s = stateOf(form);
            if (s.rabota != 0 || s.istochnik != 0)
                broken << QStringLiteral("after an overload the switches are not both off");
            if (control<ReadoutBox>(form, "Picture2")->text() != "0" + sep + "0000000" ||
                control<ReadoutBox>(form, "Picture3")->text() != "0" + sep + "00")
                broken << QStringLiteral("after an overload the readouts are not zero");
            if (control<BenchLine>(form, "Line17")->p2().x() != 279.0 ||
                control<BenchLine>(form, "Line17")->p2().y() != 278.0)
                broken << QStringLiteral("after an overload the needle is not at rest");
        }
        for (const QString &b : broken)
            violation(what + QStringLiteral(": ") + b);
    }

    QPoint randomPoint() { return QPoint(below(640), below(480)); }

    // A press and a release at points of the bench, delivered as the window system would:
    // both to the widget under the press.
    void pressAndRelease(QPoint from, QPoint to, int moves)
    {
        QWidget *target = widgetAt(*m_form, from);
        const QPoint offset = target->mapFrom(benchOf(*m_form), QPoint(0, 0));
        sendMouse(target, QEvent::MouseButtonPress, from + offset, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= moves && !m_ended; ++i) {
            const QPoint at = from + (to - from) * i / moves;
            sendMouse(target, QEvent::MouseMove, at + offset, Qt::NoButton, Qt::LeftButton);
        }
        sendMouse(target, QEvent::MouseButtonRelease, to + offset, Qt::LeftButton, Qt::NoButton);
    }

    QString randomClick()
    {
        const QPoint at = randomPoint();
        note(QStringLiteral("click at (%1, %2)").arg(at.x()).arg(at.y()));
        pressAndRelease(at, at, 0);
        return QStringLiteral("click at (%1, %2)").arg(at.x()).arg(at.y());
    }

    QString randomPressAndRelease()
    {
        const QPoint from = randomPoint();
        const QPoint to =
            chance(50) ? from + QPoint(below(21) - 10, below(21) - 10) : randomPoint();
        const int moves = below(4);
        const QString what = QStringLiteral("press at (%1, %2), release at (%3, %4)")
                                 .arg(from.x())
                                 .arg(from.y())
                                 .arg(to.x())
                                 .arg(to.y());
        note(what);
        pressAndRelease(from, to, moves);
        return what;
    }

    QList<ScrollBar *> shownBars() const
    {
        QList<ScrollBar *> bars;
        for (ScrollBar *bar : benchOf(*m_form)->findChildren<ScrollBar *>())
            if (!bar->isHidden())
                bars << bar;
        return bars;
    }

    QString barPart()
    {
        const QList<ScrollBar *> bars = shownBars();
        ScrollBar *bar = bars.at(below(int(bars.size())));
        static const QStyle::SubControl parts[] = {
            QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubPage,
            QStyle::SC_ScrollBarAddPage};
        const QStyle::SubControl part = parts[below(4)];
        const QRect r = bar->partRect(part);
        const QString what = QStringLiteral("%1 part %2").arg(bar->objectName()).arg(int(part));
        note(what);
        if (r.isEmpty())
            return what;
        const QPoint at = bar->mapTo(benchOf(*m_form), r.center());
        if (chance(20))
            return holdBar(bar, r.center(), what);
        pressAndRelease(at, at, 0);
        return what;
    }

    // A bar's arrow or track held down for a while, the event loop running. A press that raises a
    // message is its bar's last step: the release lands on the box, and after the box the bar
    // stays where it is however long the button is held, longer than the delay before a held
    // arrow repeats. Without a message the button is released soon.
    QString holdBar(ScrollBar *bar, QPoint at, QString what)
    {
        note(what + QStringLiteral(" held"));
        QPointer<ScrollBar> held(bar);
        const int boxesBefore = int(m_records.back()->boxes.size());
        sendMouse(bar, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        if (m_ended || !held)
            return what;
        const bool boxed = m_records.back()->boxes.size() > boxesBefore;
        const int after = held->benchValue();
        const int ms = boxed ? 600 : below(60);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms && !m_ended && held)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (m_ended || !held)
            return what;
        if (boxed && held->benchValue() != after)
            violation(what + QStringLiteral(": the bar stepped on from %1 to %2 after its message")
                                 .arg(after)
                                 .arg(held->benchValue()));
        if (!boxed)
            sendMouse(held, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        return what;
    }

    QString barDrag()
    {
        const QList<ScrollBar *> bars = shownBars();
        ScrollBar *bar = bars.at(below(int(bars.size())));
        const QPoint thumb =
            bar->mapTo(benchOf(*m_form), bar->partRect(QStyle::SC_ScrollBarSlider).center());
        const int span = bar->orientation() == Qt::Horizontal ? bar->width() : bar->height();
        const int delta = below(2 * span + 1) - span;
        const QPoint to =
            thumb + (bar->orientation() == Qt::Horizontal ? QPoint(delta, 0) : QPoint(0, delta));
        const QString what = QStringLiteral("drag %1 by %2").arg(bar->objectName()).arg(delta);
        note(what);
        pressAndRelease(thumb, to, 1 + below(5));
        return what;
    }

    QString barFromCode()
    {
        const QList<ScrollBar *> bars = shownBars();
        ScrollBar *bar = bars.at(below(int(bars.size())));
        const int lo = std::min(bar->startValue(), bar->endValue()),
                  hi = std::max(bar->startValue(), bar->endValue());
        int value;
        const int kind = below(10);
        if (kind == 0)
            value = lo;
        else if (kind == 1)
            value = hi;
        else if (kind == 2)
            value = chance(50) ? lo - 1 - below(5) : hi + 1 + below(5); // held at the end
        else if (kind < 6)
            value = bar->benchValue() + below(7) - 3;
        else
            value = lo + below(hi - lo + 1);
        const QString what = QStringLiteral("%1 set to %2").arg(bar->objectName()).arg(value);
        note(what);
        bar->setBenchValue(value);
        return what;
    }

    QString unknownResistor()
    {
        static const double edges[] = {0.0, 100.0 / 101, std::nextafter(1.0, 0.0)};
        const double u = chance(20) ? edges[below(3)] : unit();
        m_desktop.draws = {u};
        const QString what =
            QStringLiteral("click the unknown resistor (draw %1)").arg(u, 0, 'g', 17);
        note(what);
        clickItem(*m_form, control<BenchImage>(*m_form, "Image6"));
        m_desktop.draws.clear();
        return what;
    }

    // A point of the picture that a click there reaches, or its centre when none is found.
    QPoint pointOn(const BenchItem *item)
    {
        const QRect r = item->bounds().toRect();
        for (int tries = 0; tries < 20; ++tries) {
            const QPoint at(r.left() + below(r.width()), r.top() + below(r.height()));
            if (widgetAt(*m_form, at) == benchOf(*m_form) && benchOf(*m_form)->itemAt(at) == item)
                return at;
        }
        return r.center();
    }

    // A reveal whose pause runs a few more actions, perhaps another reveal among them.
    QString reveal(int depth)
    {
        BenchImage *picture = chance(50) ? control<BenchImage>(*m_form, "Image3")
                                         : control<BenchImage>(*m_form, "Image5");
        const double scale = kWaitScales[below(3)];
        const int nested = depth < kMaxRevealDepth && scale > 0 ? below(4) : 0;
        const QString what = QStringLiteral("reveal %1 (scale %2, %3 nested)")
                                 .arg(picture->name())
                                 .arg(scale)
                                 .arg(nested);
        note(what);
        m_desktop.pauseScale = scale;
        QObject context;
        std::function<void()> inside = [this, nested, depth, &context, &inside] {
            if (m_inBox > 0) { // a box is up: the user cannot act until it is answered
                QTimer::singleShot(0, &context, inside);
                return;
            }
            for (int i = 0; i < nested && !m_ended; ++i)
                action(depth + 1);
        };
        if (nested > 0)
            QTimer::singleShot(0, &context, inside);
        ++m_reveals;
        ++m_depth;
        m_deepest = std::max(m_deepest, m_depth);
        clickBench(*m_form, pointOn(picture));
        --m_depth;
        if (!m_ended)
            m_desktop.pauseScale = kWaitScales[1];
        return what;
    }

    QString menuCommand(int &expectedBoxes, QString &expectedText)
    {
        QList<QAction *> commands;
        for (QAction *a : control<QMenu>(*m_form, "mnuFile")->actions() +
                              control<QMenu>(*m_form, "mnuHelp")->actions())
            if (!a->isSeparator())
                commands << a;
        QAction *command = commands.at(below(int(commands.size())));
        const QString what = QStringLiteral("menu %1").arg(command->objectName());
        note(what);
        if (command == control<QAction>(*m_form, "mnuHelpAbout")) {
            expectedBoxes = 1;
            expectedText = ::aboutText();
        } else if (command == control<QAction>(*m_form, "mnuHelpAvtors")) {
            expectedBoxes = 0;
        }
        command->trigger();
        if (command == control<QAction>(*m_form, "mnuHelpAvtors") &&
            !(BenchDriver::authorsWindow() && BenchDriver::authorsWindow()->isVisible()))
            violation(QStringLiteral("the Authors window is not shown"));
        return what;
    }

    std::mt19937_64 m_rng;
    FakeDesktop m_desktop;
    std::unique_ptr<BenchWindow> m_form;
    BenchHistory m_history;
    std::vector<Record *> m_records;
    std::deque<QString> m_trail;
    QStringList m_report;
    qint64 m_done = 0;
    qint64 m_nextReport = 100000;
    qint64 m_violations = 0;
    int m_windows = 0;
    int m_depth = 0;
    int m_deepest = 0;
    qint64 m_reveals = 0;
    qint64 m_live = 0;
    qint64 m_overloads = 0;
    qint64 m_rightArms = 0;
    int m_inBox = 0;
    bool m_ended = false;
    bool m_afterDestroy = false;
    bool m_trace = false;
};

// The offscreen platform cannot raise the Authors window; that says nothing about the bench.
QtMessageHandler g_defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support raise()"))
        return;
    g_defaultHandler(type, context, message);
}

} // namespace

class tst_Fuzz : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void randomActions();
};

void tst_Fuzz::initTestCase()
{
    g_defaultHandler = qInstallMessageHandler(quietHandler); // over Qt Test's own
}

void tst_Fuzz::randomActions()
{
    const quint64 seed = g_options.seed;
    QElapsedTimer clock;
    clock.start();
    Fuzzer fuzzer(seed);
    fuzzer.run(g_options.actions);
    const QString summary =
        QStringLiteral("fuzz: seed %1, %2 actions on %3 windows, %4 violations, "
                       "%5 s (replay: KORVEL_FUZZ_SEED=%1 KORVEL_FUZZ_ACTIONS=%2)")
            .arg(seed)
            .arg(fuzzer.done())
            .arg(fuzzer.windows())
            .arg(fuzzer.violations())
            .arg(clock.elapsed() / 1000.0, 0, 'f', 1);
    qInfo("%s", qPrintable(summary));
    qInfo("fuzz: %s", qPrintable(fuzzer.coverage()));
    for (const QString &line : fuzzer.report())
        qWarning("%s", qPrintable(line));
    QVERIFY2(fuzzer.violations() == 0, qPrintable(summary));
}

// Takes --seed N (or "random") and --actions N, or KORVEL_FUZZ_SEED and KORVEL_FUZZ_ACTIONS,
// before Qt Test's own.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (qEnvironmentVariableIsSet("KORVEL_FUZZ_SEED"))
        g_options.seed = parseSeed(qgetenv("KORVEL_FUZZ_SEED"));
    if (qEnvironmentVariableIsSet("KORVEL_FUZZ_ACTIONS"))
        g_options.actions = qgetenv("KORVEL_FUZZ_ACTIONS").toLongLong();
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if ((arg == "--seed" || arg == "--actions") && i + 1 < argc) {
            const QByteArray value(argv[++i]);
            if (arg == "--seed")
                g_options.seed = parseSeed(value);
            else
                g_options.actions = value.toLongLong();
        } else {
            rest.push_back(argv[i]);
        }
    }
    tst_Fuzz test;
    return QTest::qExec(&test, static_cast<int>(rest.size()), rest.data());
}

#include "tst_fuzz.moc"
