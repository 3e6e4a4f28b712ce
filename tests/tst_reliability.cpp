// Faults a user can meet: no display, missing fonts, clicks piled up in a reveal, every overload.
#include "app/bench_fonts.h"
#include "bench_fixture.h"
#include "fuzz_invariants.h"

#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {

const auto top = QStyle::SC_ScrollBarSubLine;    // the top (or left) arrow
const auto bottom = QStyle::SC_ScrollBarAddLine; // the bottom (or right) arrow

const QString kOverloadGalvanometer =
    QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!");
const QString kRightArm = QStringLiteral("Правое плечо реохорда равно 0! Думать надо!");

/** A started bench whose history the invariant checker follows. */
struct CheckedBench : LoadedBench
{
    BenchHistory history;
    CheckedBench() { trackHistory(*form, history); }
    QStringList violations() const { return benchViolations(*form, history); }
};

/** Counts the presses and releases that reach one widget. */
class ClickCounter : public QObject
{
  public:
    explicit ClickCounter(QWidget *target) { target->installEventFilter(this); }
    int presses = 0;
    int releases = 0;

  protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        else if (event->type() == QEvent::MouseButtonRelease)
            ++releases;
        return false;
    }
};

void postClick(QWidget *target, QPoint at)
{
    const QPoint global = target->mapToGlobal(at);
    QCoreApplication::postEvent(target,
                                new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(target,
                                new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

/**
 * The sensitive setting: Rx = 50, the slider in the middle, 12 V, no internal resistance and the
 * rheostat at `rheostat`; the key closed, the box at `box` tenths of an ohm, the source on.
 */
void liveSensitive(BenchWindow &form, FakeDesktop &desktop, int box, int rheostat)
{
    desktop.draws = {0.0}; // Rx = 50
    clickItem(form, control<BenchImage>(form, "Image6"));
    control<ScrollBar>(form, "HScroll3")->setBenchValue(12);
    control<ScrollBar>(form, "HScroll4")->setBenchValue(0);
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "HScroll2")->setBenchValue(rheostat);
    ScrollBar *decades[] = {
        control<ScrollBar>(form, "VScroll1"), control<ScrollBar>(form, "VScroll2"),
        control<ScrollBar>(form, "VScroll3"), control<ScrollBar>(form, "VScroll4"),
        control<ScrollBar>(form, "VScroll5"), control<ScrollBar>(form, "VScroll6")};
    for (int k = 5, rest = box; k >= 0; --k, rest /= 10)
        decades[k]->setBenchValue(rest % 10);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    desktop.boxes.clear();
}

QStringList serifFamilies()
{
    return {"Times New Roman",
            "Liberation Serif",
            "Tinos",
            "Nimbus Roman",
            "Nimbus Roman No9 L",
            "DejaVu Serif",
            "FreeSerif",
            "Noto Serif",
            "C059",
            "P052",
            "Times",
            "Bitstream Vera Serif",
            "Droid Serif",
            "Gelasio"};
}

} // namespace

class tst_Reliability : public QObject
{
    Q_OBJECT
  private slots:
    void noDisplay();
    void benchFont_data();
    void benchFont();
    void hundredClicksDuringReveal_data();
    void hundredClicksDuringReveal();
    void hundredNestedReveals();
    void zeroPauseInsideReveal();
    void tickWhileBoxIsUp_data();
    void tickWhileBoxIsUp();
    void overloadFromEveryInstrument_data();
    void overloadFromEveryInstrument();
    void rightEndOnLiveCircuit();
};

// run.sh without a display says so in one line and stops before it installs or builds anything.
void tst_Reliability::noDisplay()
{
#ifdef Q_OS_WIN
    QSKIP("run.sh is the Debian command");
#endif
    QTemporaryDir stubs;
    QVERIFY(stubs.isValid());
    const QString log = stubs.filePath(QStringLiteral("called.log"));
    for (const char *tool : {"apt-get", "sudo", "dpkg-query", "cmake", "ninja", "g++", "make"}) {
        QFile stub(stubs.filePath(QString::fromLatin1(tool)));
        QVERIFY(stub.open(QIODevice::WriteOnly));
        stub.write(QStringLiteral("#!/bin/sh\necho %1 >> '%2'\nexit 1\n").arg(tool, log).toUtf8());
        stub.close();
        stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("PATH"), stubs.path() + ':' + env.value(QStringLiteral("PATH")));
    QProcess run;
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(stubs.path());
    run.start(QStringLiteral(KORVEL_SOURCE_DIR "/run.sh"), {});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QVERIFY(run.exitCode() != 0);
    QCOMPARE(run.readAllStandardOutput(), QByteArray());
    const QStringList lines =
        QString::fromUtf8(run.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains(QStringLiteral("DISPLAY")), qPrintable(lines[0]));
    QVERIFY2(!QFile::exists(log), "run.sh reached an install or build step");
}

// The bench asks for Times New Roman, then Liberation Serif; without either a serif stands in.
void tst_Reliability::benchFont_data()
{
    QTest::addColumn<int>("pixels");
    QTest::newRow("large") << kLargeFontPx;
    QTest::newRow("medium") << kMediumFontPx;
}

void tst_Reliability::benchFont()
{
    QFETCH(int, pixels);
    const QFontInfo info(::benchFont(pixels));
    QVERIFY(info.bold());
    QCOMPARE(info.pixelSize(), pixels);
    QFont anySerif(QStringLiteral("no such family"));
    anySerif.setStyleHint(QFont::Serif);
    const QString fallback = QFontInfo(anySerif).family();
    QVERIFY2(serifFamilies().contains(info.family()) || info.family() == fallback,
             qPrintable(info.family()));
    // Under a font configuration without the two families the stand-in must be something else.
    if (qEnvironmentVariableIsSet("KORVEL_NO_BENCH_FONTS"))
        QVERIFY2(info.family() != QStringLiteral("Liberation Serif") &&
                     info.family() != QStringLiteral("Times New Roman"),
                 qPrintable(info.family()));
}

void tst_Reliability::hundredClicksDuringReveal_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("key") << "key";
    QTest::newRow("source") << "source";
    QTest::newRow("decade arrow") << "decade arrow";
    QTest::newRow("slider arrow") << "slider arrow";
}

// A hundred clicks on the galvanometer, each arriving inside the reveals before it: a hundred
// pauses, one inside the other, all end together at one tick.
void tst_Reliability::hundredNestedReveals()
{
    CheckedBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.pauseScale = 1; // the real ten seconds: the test ticks the timer itself
    QSignalSpy ticks(control<PauseTimer>(form, "Timer1"), &PauseTimer::elapsed);
    int clicks = 0, waiting = 0, deepest = 0;
    std::function<void()> next = [&] {
        if (++clicks < 100)
            QTimer::singleShot(0, &form, next);
        else
            QTimer::singleShot(0, &form, [&] { tick(form); }); // inside the hundredth
        deepest = std::max(deepest, ++waiting);
        clickBench(form, {279, 315});
        --waiting;
    };
    PauseRescue rescue(form);
    next();
    QVERIFY(!rescue.rescued);
    QCOMPARE(clicks, 100);
    QCOMPARE(deepest, 100);
    QCOMPARE(ticks.count(), 1);
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible() &&
            !control<BenchLabel>(form, "Lbl_Ri")->isVisible());
    QCOMPARE(control<PauseTimer>(form, "Timer1")->length(), 0);
    const QStringList broken = bench.violations();
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
}

// A reveal whose pause has no length, inside another reveal, stops the shared count: the outer
// reveal ends with it instead of waiting for an end that never comes.
void tst_Reliability::zeroPauseInsideReveal()
{
    CheckedBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.pauseScale = 1; // a ten-second reveal
    bool rescued = false;
    QTimer rescue; // ends a hung pause, so that a failure is reported rather than waited out
    rescue.setSingleShot(true);
    connect(&rescue, &QTimer::timeout, [&] {
        rescued = true;
        tick(form);
    });
    rescue.start(3000);
    QTimer::singleShot(0, &form, [&] {
        bench.desktop.pauseScale = 0; // the slide wire's reveal lasts no time
        clickBench(form, {100, 225});
    });
    clickItem(form, control<BenchImage>(form, "Image5"));
    QVERIFY(!rescued); // ended at once, by the zero pause
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible());
    QVERIFY(!control<BenchLabel>(form, "Lbl_R_L")->isVisible());
    QCOMPARE(control<PauseTimer>(form, "Timer1")->length(), 0);
}

void tst_Reliability::tickWhileBoxIsUp_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("refusal of the unknown resistor") << "refusal";
    QTest::newRow("new unknown resistor") << "new unknown";
    QTest::newRow("About box") << "about";
}

// The reveal's time runs out while a box opened inside it is up: the box's handler ends as usual
// once the box is closed, and the reveal ends with it, at that one tick.
void tst_Reliability::tickWhileBoxIsUp()
{
    QFETCH(QString, box);
    CheckedBench bench;
    BenchWindow &form = *bench.form;
    if (box == "refusal")
        clickItem(form,
                  control<SourcePicture>(form, "Image1")); // the source on: the resistor refuses
    bench.desktop.draws = {0.5};                           // a new unknown of 100 Ω
    bench.desktop.pauseScale = 1; // the real ten seconds: the tick comes from the box
    QSignalSpy ticks(control<PauseTimer>(form, "Timer1"), &PauseTimer::elapsed);
    bool shownUnderBox = false;
    bench.desktop.onBox = [&] {
        shownUnderBox = control<BenchLabel>(form, "Lbl_Rx")->isVisible() &&
                        control<BenchLabel>(form, "Lbl_Ri")->isVisible();
        tick(form);
    };
    QTimer::singleShot(0, &form, [&] {
        if (box == "about")
            control<QAction>(form, "mnuHelpAbout")->trigger();
        else
            clickItem(form, control<BenchImage>(form, "Image6"));
    });
    PauseRescue rescue(form);
    clickItem(form, control<BenchImage>(form, "Image5"));
    QVERIFY(!rescue.rescued);
    QVERIFY(shownUnderBox);
    QCOMPARE(ticks.count(), 1);
    QCOMPARE(bench.desktop.boxes.size(), 1);
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible() &&
            !control<BenchLabel>(form, "Lbl_Ri")->isVisible());
    QCOMPARE(control<PauseTimer>(form, "Timer1")->length(), 0);
    QVERIFY(!control<PauseTimer>(form, "Timer1")->isCounting());
    const QString sep = QString::fromStdString(BenchDriver(form).separator());
    QCOMPARE(control<BenchLabel>(form, "Lbl_Rx")->caption(),
             (box == "new unknown" ? "Rx=100" : "Rx=1963") + sep + QStringLiteral("0 Ом"));
    const QStringList broken = bench.violations();
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
}

// A hundred clicks queued while a reveal waits: each is handled, and the reveal ends once.
void tst_Reliability::hundredClicksDuringReveal()
{
    QFETCH(QString, target);
    CheckedBench bench;
    BenchWindow &form = *bench.form;
    QWidget *widget = benchOf(form);
    QPoint at;
    if (target == "key") {
        at = control<BenchLabel>(form, "Lblvkl")->bounds().center().toPoint();
    } else if (target == "source") {
        at = control<SourcePicture>(form, "Image1")->bounds().center().toPoint();
    } else if (target == "decade arrow") {
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
        widget = control<ScrollBar>(form, "VScroll5");
        at = control<ScrollBar>(form, "VScroll5")->partRect(top).center();
    } else {
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
        widget = control<ScrollBar>(form, "HScroll1");
        at = control<ScrollBar>(form, "HScroll1")->partRect(bottom).center();
    }
    std::unique_ptr<ClickCounter> counter;
    QSignalSpy ticks(control<PauseTimer>(form, "Timer1"), &PauseTimer::elapsed);
    bench.desktop.pauseScale = 1; // the real ten seconds: the tick comes after the hundred clicks
    QTimer::singleShot(0, &form, [&] {
        counter = std::make_unique<ClickCounter>(widget); // counts from inside the reveal
        for (int i = 0; i < 100; ++i)
            postClick(widget, at);
        QMetaObject::invokeMethod(
            control<PauseTimer>(form, "Timer1"), [&] { tick(form); }, Qt::QueuedConnection);
    });
    PauseRescue rescue(form);
    clickItem(form, control<BenchImage>(form, "Image5"));
    QVERIFY(!rescue.rescued);
    QVERIFY(counter);
    QCOMPARE(counter->presses, 100);
    QCOMPARE(counter->releases, 100);
    QCOMPARE(ticks.count(), 1);
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible() &&
            !control<BenchLabel>(form, "Lbl_Ri")->isVisible());
    QCOMPARE(control<PauseTimer>(form, "Timer1")->length(), 0);
    QVERIFY(bench.desktop.boxes.isEmpty());
    if (target == "key" || target == "source")
        QVERIFY(stateOf(form).rabota == 0 &&
                stateOf(form).istochnik == 0); // an even number of toggles
    if (target == "decade arrow")
        QCOMPARE(stateOf(form).R_m_5, 9.0);
    if (target == "slider arrow")
        QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), 200);
    const QStringList broken = bench.violations();
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
}

void tst_Reliability::overloadFromEveryInstrument_data()
{
    // Each row: the box in tenths and the rheostat of the setting, then one user action.
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("rheostat");
    QTest::addColumn<QString>("instrument");
    QTest::newRow("source switch") << 0 << 112 << "source switch";
    QTest::newRow("key") << 0 << 112 << "key";
    QTest::newRow("slider") << 500 << 0 << "slider";
    QTest::newRow("rheostat") << 486 << 1 << "rheostat";
    for (int k = 1; k <= 4; ++k)
        QTest::newRow(qPrintable(QStringLiteral("decade %1").arg(k)))
            << 489 << 0 << QStringLiteral("decade %1").arg(k);
    QTest::newRow("decade 5") << 503 << 0 << "decade 5";
    QTest::newRow("decade 6") << 512 << 0 << "decade 6";
}

// One refusal for one action on any instrument, and then the start-up view.
void tst_Reliability::overloadFromEveryInstrument()
{
    QFETCH(int, box);
    QFETCH(int, rheostat);
    QFETCH(QString, instrument);
    CheckedBench bench;
    BenchWindow &form = *bench.form;
    const QStringList startUpView = expectedShown(stateOf(form)).values();
    if (instrument == "source switch") {
        clickItem(
            form,
            control<BenchLabel>(
                form, "Lblvkl")); // key closed with the box at 0: the bridge is far off balance
        QVERIFY(bench.desktop.boxes.isEmpty());
        clickItem(form, control<SourcePicture>(form, "Image1"));
    } else if (instrument == "key") {
        clickItem(form, control<SourcePicture>(form, "Image1"));
        QVERIFY(bench.desktop.boxes.isEmpty());
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    } else {
        liveSensitive(form, bench.desktop, box, rheostat);
        QVERIFY2(bench.desktop.boxes.isEmpty(), qPrintable(bench.desktop.texts().join('\n')));
        QCOMPARE(stateOf(form).rabota, 1.0);
        QCOMPARE(stateOf(form).istochnik, std::int16_t(1));
        if (instrument == "slider") {
            clickBar(control<ScrollBar>(form, "HScroll1"),
                     bottom); // one step off balance is still within the limit
            QVERIFY(bench.desktop.boxes.isEmpty());
            clickBar(control<ScrollBar>(form, "HScroll1"), bottom);
        } else if (instrument == "rheostat") {
            clickBar(control<ScrollBar>(form, "HScroll2"),
                     top); // 1 Ω to 0: the current grows past the limit
        } else {
            ScrollBar *decades[] = {
                control<ScrollBar>(form, "VScroll1"), control<ScrollBar>(form, "VScroll2"),
                control<ScrollBar>(form, "VScroll3"), control<ScrollBar>(form, "VScroll4"),
                control<ScrollBar>(form, "VScroll5"), control<ScrollBar>(form, "VScroll6")};
            clickBar(decades[instrument.back().digitValue() - 1], top);
        }
    }
    QCOMPARE(bench.desktop.texts(), QStringList{kOverloadGalvanometer});
    QCOMPARE(stateOf(form).rabota, 0.0);
    QCOMPARE(stateOf(form).istochnik, std::int16_t(0));
    const QString sep = QString::fromStdString(BenchDriver(form).separator());
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), "0" + sep + "0000000");
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), "0" + sep + "00");
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().x(), 279.0);
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().y(), 278.0);
    const QStringList shown = shownControls(form);
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()),
             QSet<QString>(startUpView.begin(), startUpView.end()));
    const QStringList broken = bench.violations();
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
}

// The slider at the right end of a live circuit: one message for each recomputation, no more.
void tst_Reliability::rightEndOnLiveCircuit()
{
    CheckedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "HScroll1")
        ->setBenchValue(200); // the source is off: nothing to refuse yet
    QVERIFY(bench.desktop.boxes.isEmpty());
    const QString balance = control<BenchLabel>(form, "Lbl_Ri")->caption();
    // Each step and the number of messages it must add.
    const std::pair<const char *, std::function<void()>> steps[] = {
        {"source on", [&] { clickItem(form, control<SourcePicture>(form, "Image1")); }},
        {"rheostat", [&] { clickBar(control<ScrollBar>(form, "HScroll2"), bottom); }},
        {"slider arrow at the end",
         [&] { clickBar(control<ScrollBar>(form, "HScroll1"), bottom); }},
        {"a tenth on the box", [&] { clickBar(control<ScrollBar>(form, "VScroll6"), top); }},
        {"source off", [&] { clickItem(form, control<SourcePicture>(form, "Image1")); }},
    };
    const int added[] = {1, 1, 0, 1, 0};
    int expected = 0;
    for (int i = 0; i < 5; ++i) {
        steps[i].second();
        expected += added[i];
        QVERIFY2(bench.desktop.boxes.size() == expected, steps[i].first);
        for (const QString &text : bench.desktop.texts())
            QCOMPARE(text, kRightArm);
        QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(),
                 balance); // no balance resistance without a right arm
        const QStringList broken = bench.violations();
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join('\n')));
    }
    QCOMPARE(stateOf(form).I, 0.0);
}

QTEST_MAIN(tst_Reliability)
#include "tst_reliability.moc"
