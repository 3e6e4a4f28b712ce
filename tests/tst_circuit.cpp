// The circuit on its own, with no window, and one instrument on a small bench of its own controls.
#include "controls/circuit.h"
#include "controls/slide_wire.h"
#include "fake_desktop.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/pause_timer.h"
#include "toolkit/scroll_bar.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

/** Everything the circuit tells, in the order it tells it, with the boxes it opens between. */
struct Listener
{
    QStringList heard;

    Listener(Circuit &circuit, FakeDesktop &desktop)
    {
        auto note = [this](const QString &what) { heard << what; };
        desktop.onBox = [this, &desktop] { heard << "box: " + desktop.boxes.last().text; };
        // The signals that carry a value, heard with it to seven figures.
        const std::pair<void (Circuit::*)(double), const char *> values[] = {
            {&Circuit::unknownChanged, "unknown"},
            {&Circuit::emfChanged, "emf"},
            {&Circuit::internalResistanceChanged, "internal"},
            {&Circuit::rheostatMaximumChanged, "maximum"},
            {&Circuit::rheostatChanged, "rheostat"},
            {&Circuit::measured, "measured"},
            {&Circuit::galvanometerCurrentChanged, "Ig"},
            {&Circuit::sourceCurrentChanged, "I"}};
        for (const auto &[signal, name] : values)
            QObject::connect(&circuit, signal, [=, name = QString::fromLatin1(name)](double v) {
                note(name + ' ' + QString::number(v, 'g', 7));
            });
        QObject::connect(&circuit, &Circuit::sliderShown, [=] { note("slider"); });
        QObject::connect(&circuit, &Circuit::decadeTurned, [=](int i, int digit) {
            note(QStringLiteral("decade %1 at %2").arg(i).arg(digit));
        });
        QObject::connect(&circuit, &Circuit::keyThrown,
                         [=](bool closed) { note(closed ? "key closed" : "key open"); });
        QObject::connect(&circuit, &Circuit::sourceSwitched,
                         [=](bool on) { note(on ? "source on" : "source off"); });
        QObject::connect(&circuit, &Circuit::needleMoved, [=] { note("needle"); });
        QObject::connect(&circuit, &Circuit::changed, [=] { note("changed"); });
        QObject::connect(&circuit, &Circuit::revealed, [=](Circuit::Reveal what, bool shown) {
            note(QStringLiteral("%1 %2").arg(what == Circuit::Reveal::Arms ? "arms" : "result",
                                             shown ? "shown" : "hidden"));
        });
    }
    /** What was heard since the last take, and nothing kept. */
    QStringList take() { return std::exchange(heard, {}); }
};

/** The circuit closed on a box of 1963 Ω: the balance of the instruction, the source still off. */
void closeOnTheBalance(Circuit &circuit)
{
    circuit.toggleKey();
    const int digits[] = {0, 1, 9, 6, 3, 0};
    for (int i = 0; i < Circuit::kDecades; ++i)
        circuit.turnDecade(i, digits[i]);
}

} // namespace

class tst_Circuit : public QObject
{
    Q_OBJECT
  private slots:
    void startsOnce();
    void tells_data();
    void tells();
    void revealsNest();
    void sliderWireAlone();
    void missingControlStopsTheBench();
};

// Start-up tells every first setting, the switches' views, then one solution of the open circuit.
void tst_Circuit::startsOnce()
{
    FakeDesktop desktop;
    Circuit circuit(desktop, nullptr);
    Listener listener(circuit, desktop);
    circuit.start();
    QCOMPARE(listener.take(),
             QStringList({"unknown 1963", "result hidden", "emf 8", "internal 10", "maximum 150",
                          "rheostat 112.5", "slider", "key open", "source off", "slider", "Ig 0",
                          "I 0", "needle", "changed"}));
    QCOMPARE(circuit.sliderPosition(), 100);
    QCOMPARE(circuit.state().R_L, 2.5);
    QCOMPARE(circuit.needle().x2, kNeedlePivotX);
    QVERIFY(desktop.boxes.isEmpty());
}

void tst_Circuit::tells_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("heard");
    const QString galvanometerBurns =
        QStringLiteral("box: Такой ток сожжёт гальванометр! Измените сопротивление!");
    // Balanced, the galvanometer carries nothing and the bridge measures the box's 1963 Ω.
    QTest::newRow("source on, balanced")
        << "source" << QStringList{"source on",    "slider", "measured 1963", "Ig 0",
                                   "I 0.06274823", "needle", "changed"};
    QTest::newRow("slider step") << "slider" << QStringList{"slider",          "measured 2002.657",
                                                            "Ig 1.590491e-06", "I 0.06274823",
                                                            "needle",          "changed"};
    QTest::newRow("decade") << "decade"
                            << QStringList{"decade 5 at 1", "measured 1963.1", "Ig 4.049972e-09",
                                           "I 0.06274823",  "needle",          "changed"};
    QTest::newRow("rheostat") << "rheostat"
                              << QStringList{"rheostat 100", "measured 1963", "Ig 0",
                                             "I 0.06956906", "needle",        "changed"};
    // A new maximum resets the rheostat to three quarters of it, solved once.
    QTest::newRow("rheostat maximum")
        << "maximum" << QStringList{"maximum 100",  "rheostat 75", "measured 1963", "Ig 0",
                                    "I 0.08889517", "needle",      "changed"};
    // Opening the key shows its view and solves nothing.
    QTest::newRow("key opened") << "key" << QStringList{"key open"};
    // The box at 0 Ω burns the galvanometer: its box after the readouts, then the open circuit,
    // in the same recalculation.
    QTest::newRow("overload")
        << "overload"
        << QStringList{
               "source on", "slider",          "measured 0", "Ig -0.03295666", "I 0.06339598",
               "needle",    galvanometerBurns, "key open",   "source off",     "Ig 0",
               "I 0",       "needle",          "changed"};
    QTest::newRow("unknown refused while on")
        << "unknown"
        << QStringList{"box: Чтобы поменять неизвестное сопротивление, сначала "
                       "выключите источник!",
                       "unknown 1963"};
}

// What each action tells, in order: one recalculation at most, closed by changed().
void tst_Circuit::tells()
{
    QFETCH(QString, action);
    QFETCH(QStringList, heard);
    FakeDesktop desktop;
    Circuit circuit(desktop, nullptr);
    circuit.start();
    closeOnTheBalance(circuit);
    if (action == QLatin1String("overload"))
        for (int i = 1; i <= 4; ++i)
            circuit.turnDecade(i, 0); // the box at 0 Ω
    else if (action != QLatin1String("source"))
        circuit.toggleSource();
    Listener listener(circuit, desktop);
    if (action == QLatin1String("source") || action == QLatin1String("overload"))
        circuit.toggleSource();
    else if (action == QLatin1String("slider"))
        circuit.moveSlider(101);
    else if (action == QLatin1String("decade"))
        circuit.turnDecade(5, 1);
    else if (action == QLatin1String("rheostat"))
        circuit.setRheostat(100);
    else if (action == QLatin1String("maximum"))
        circuit.setRheostatMaximum(100);
    else if (action == QLatin1String("key"))
        circuit.toggleKey();
    else
        circuit.drawUnknown();
    QCOMPARE(listener.take(), heard);
    if (action == QLatin1String("overload")) {
        QCOMPARE(circuit.state().rabota, 0.0);
        QCOMPARE(circuit.state().istochnik, std::int16_t(0));
        QCOMPARE(circuit.needle().x2, kNeedlePivotX);
    }
}

// A reveal inside another: each shows at once; one end of the shared pause hides both, the inner
// one first.
void tst_Circuit::revealsNest()
{
    FakeDesktop desktop;
    desktop.pauseScale = 1; // ten seconds, ended here by the timer
    Circuit circuit(desktop, nullptr);
    circuit.start();
    Listener listener(circuit, desktop);
    auto *timer = circuit.findChild<PauseTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QTimer::singleShot(0, &circuit, [&] {
        QTimer::singleShot(0, &circuit, [&] {
            QCOMPARE(timer->length(), 10000);
            emit timer->elapsed();
        });
        circuit.reveal(Circuit::Reveal::Result);
    });
    circuit.reveal(Circuit::Reveal::Arms);
    QCOMPARE(listener.take(),
             QStringList({"arms shown", "result shown", "result hidden", "arms hidden"}));
    QVERIFY(!timer->isCounting());
}

namespace {

/** The slide wire on a bench of its own controls only, with its circuit. */
struct SmallBench
{
    FakeDesktop desktop;
    BenchCanvas canvas;
    Circuit circuit{desktop, nullptr};
    SlideWire::Controls controls;

    SmallBench()
    {
        canvas.resize(640, 480);
        controls.bench = &canvas;
        controls.wire = canvas.add(std::make_unique<BenchImage>("Image3", QRectF(32, 178, 500, 65),
                                                                ":/assets/bench/slide_wire.svg"));
        controls.card = canvas.add(
            std::make_unique<BenchLabel>("Lbldv", QRectF(280, 200, 35, 22), QStringLiteral("100")));
        controls.jockey = canvas.add(std::make_unique<BenchImage>(
            "Image4", QRectF(280, 198, 35, 39), ":/assets/bench/jockey.svg"));
        controls.leftArm = canvas.add(
            std::make_unique<BenchLabel>("Lbl_R_L", QRectF(100, 144, 120, 22), QString()));
        controls.rightArm = canvas.add(
            std::make_unique<BenchLabel>("Lbl_R_R", QRectF(232, 144, 120, 22), QString()));
        controls.lead =
            canvas.add(std::make_unique<BenchLine>("Line1", QPointF(296, 230), QPointF(256, 384)));
        controls.bar = new ScrollBar(Qt::Horizontal, 0, 200, 100, &canvas);
        controls.bar->setGeometry(60, 170, 448, 12);
    }
};

} // namespace

// The slide wire alone: its bar tells the circuit, the circuit's slider moves the jockey and the
// card, the key's view shows the bar, and a reveal the arms.
void tst_Circuit::sliderWireAlone()
{
    SmallBench bench;
    new SlideWire(bench.circuit, bench.controls);
    bench.circuit.start();
    const SlideWire::Controls &p = bench.controls;
    QVERIFY(p.bar->isHidden()); // the key is open
    QVERIFY(!p.leftArm->isVisible());
    bench.circuit.toggleKey();
    QVERIFY(!p.bar->isHidden());
    p.bar->setBenchValue(150);
    QCOMPARE(bench.circuit.sliderPosition(), 150);
    QCOMPARE(bench.circuit.state().R_L, 3.75);
    QCOMPARE(p.card->caption(), QStringLiteral(" 75"));
    QCOMPARE(p.lead->p1().x(), 60 + 448 * 0.75);
    QCOMPARE(p.jockey->left(), p.lead->p1().x() - 35 / 2.0);
    QCOMPARE(p.leftArm->caption(), QStringLiteral("R_L=3.750 Ом"));
    QCOMPARE(p.rightArm->caption(), QStringLiteral("R_R=1.250 Ом"));
    // A drag of the jockey steps the bar towards the pointer, one half-division at a time.
    QSignalSpy steps(&bench.circuit, &Circuit::changed);
    QVERIFY(p.jockey->onDrag(QPointF(p.jockey->left() - 448 * 0.025, p.jockey->top())));
    QCOMPARE(bench.circuit.sliderPosition(), 145);
    QCOMPARE(steps.count(), 5);
    bench.desktop.pauseScale = 0; // a reveal that ends at once
    p.wire->onClick();
    QVERIFY(!p.leftArm->isVisible());
    bench.circuit.toggleKey(); // opened: the bar goes, and a drag with it
    QVERIFY(p.bar->isHidden());
    QVERIFY(!p.jockey->onDrag(QPointF(p.jockey->left() + 50, p.jockey->top())));
    QCOMPARE(bench.circuit.sliderPosition(), 145);
}

// An instrument not handed one of its controls stops the bench at once, saying which: a control
// missing from the layout is not found later as a null on the student's first move.
void tst_Circuit::missingControlStopsTheBench()
{
    if (qEnvironmentVariableIsSet("KORVEL_MISSING_CONTROL")) {
        SmallBench bench;
        bench.controls.lead = nullptr;
        new SlideWire(bench.circuit, bench.controls);
        return; // not reached
    }
    // The child reports to a file: on Windows, Qt Test writes to the debugger when no console
    // is there to write to.
    QTemporaryDir folder;
    const QString report = folder.filePath(QStringLiteral("report.txt"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KORVEL_MISSING_CONTROL"), QStringLiteral("1"));
    env.insert(QStringLiteral("QTEST_DISABLE_STACK_DUMP"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("missingControlStopsTheBench"), QStringLiteral("-o"),
                 report + QStringLiteral(",txt")});
    QVERIFY(child.waitForFinished(30000));
    QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
    QFile written(report);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY2(written.readAll().contains("the slide wire was not handed all its controls"),
             "no word of the missing control");
}

QTEST_MAIN(tst_Circuit)
#include "tst_circuit.moc"
