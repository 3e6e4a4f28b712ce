// Tests of the bench under the mouse: the jockey dragged along the wire, the knobs turned with the
// wheel, the pointer's shape; and of the repaint of only what changed.
#include "bench_fixture.h"
#include "toolkit/svg_cache.h"

#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <random>

namespace {

// One half-division of the slide wire: its bar's 448 pixels over 200 positions.
constexpr double kStep = 448.0 / 200;

/** Where a press takes the jockey: its picture below the card, or the card with its reading. */
QPoint grip(BenchWindow &form, const QString &part)
{
    const QRectF r = part == QLatin1String("card") ? control<BenchLabel>(form, "Lbldv")->bounds()
                                                   : control<BenchImage>(form, "Image4")->bounds();
    return QPoint(qRound(r.center().x()),
                  qRound(part == QLatin1String("card") ? r.center().y() : r.bottom() - 6));
}

/** A press, moves of `dx` pixels in all spread over `moves` steps, and a release. */
void drag(BenchWindow &form, QPoint from, double dx, int moves,
          const std::function<void(QPoint)> &afterEachMove = {})
{
    QTest::mousePress(benchOf(form), Qt::LeftButton, Qt::NoModifier, from);
    QPoint at = from;
    for (int i = 1; i <= moves; ++i) {
        at = from + QPoint(qRound(dx * i / moves), 0);
        QTest::mouseMove(benchOf(form), at);
        if (afterEachMove)
            afterEachMove(at);
    }
    QTest::mouseRelease(benchOf(form), Qt::LeftButton, Qt::NoModifier, at);
}

/**
 * A turn of the mouse wheel at a point of the bench, delivered where a real one would go, in
 * `events` equal parts: one per notch for a common wheel, several per notch for a fine one.
 */
void wheel(BenchWindow &form, QPointF at, int notches, int events = 1)
{
    QWidget *target = widgetAt(form, at.toPoint());
    const QPointF local = target->mapFrom(benchOf(form), at.toPoint());
    for (int i = 0; i < events; ++i) {
        QWheelEvent event(local, target->mapToGlobal(local), QPoint(),
                          QPoint(0, 120 * notches / events), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
}

/** What the bench shows of the slide wire and the bridge, as text. */
QStringList bridgeReadings(BenchWindow &form)
{
    return {control<BenchLabel>(form, "Lbldv")->caption(),
            control<BenchLabel>(form, "Lbl_R_L")->caption(),
            control<BenchLabel>(form, "Lbl_R_R")->caption(),
            control<ReadoutBox>(form, "Picture2")->text(),
            control<ReadoutBox>(form, "Picture3")->text(),
            QString::number(control<BenchLine>(form, "Line17")->p2().x(), 'f', 3),
            QString::number(control<BenchLine>(form, "Line17")->p2().y(), 'f', 3)};
}

/** How many device pixels differ between two images of one size, and where they lie. */
QString difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes %1x%2 and %3x%4")
            .arg(a.width())
            .arg(a.height())
            .arg(b.width())
            .arg(b.height());
    int count = 0;
    QRect where;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++count;
                where |= QRect(x, y, 1, 1);
            }
    return QStringLiteral("%1 device pixels within (%2, %3) %4x%5")
        .arg(count)
        .arg(where.x())
        .arg(where.y())
        .arg(where.width())
        .arg(where.height());
}

} // namespace

class tst_Handling : public QObject
{
    Q_OBJECT
  private slots:
    void dragJockey_data();
    void dragJockey();
    void dragDuringReveal();
    void dragIntoOverload();
    void dragEndsWhenBarHides_data();
    void dragEndsWhenBarHides();
    void pressRaisingMessage_data();
    void pressRaisingMessage();
    void wheel_data();
    void wheel();
    void pointerShape();
    void partialRepaintMatchesWhole();
    void picturesLieOnDevicePixels();
    void barWalkMatchesWhole_data();
    void barWalkMatchesWhole();
    void arrowLooksReleased_data();
    void arrowLooksReleased();
};

void tst_Handling::dragJockey_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("dx");
    QTest::addColumn<int>("moves");
    QTest::addColumn<int>("end");
    QTest::newRow("ten half-divisions right") << "jockey" << 100 << 10 * kStep << 4 << 110;
    QTest::newRow("by the card, left") << "card" << 100 << -20 * kStep << 3 << 80;
    QTest::newRow("one pixel short of a step") << "jockey" << 100 << 1.0 << 1 << 100;
    QTest::newRow("past the right end") << "jockey" << 150 << 500.0 << 5 << 200;
    QTest::newRow("past the left end") << "card" << 20 << -300.0 << 2 << 0;
    QTest::newRow("press and release") << "jockey" << 100 << 0.0 << 0 << 100;
}

// The jockey follows the pointer between the wire's ends; every position it passes goes through
// the slider's bar one step at a time, and the bench ends as the bar's arrow would leave it.
void tst_Handling::dragJockey()
{
    QFETCH(QString, part);
    QFETCH(int, start);
    QFETCH(double, dx);
    QFETCH(int, moves);
    QFETCH(int, end);
    LiveBench bench;
    BenchWindow &form = *bench.form;
    control<ScrollBar>(form, "HScroll1")->setBenchValue(start);
    const double startX = control<BenchLine>(form, "Line1")->p1().x();
    QList<int> passed;
    QObject::connect(control<ScrollBar>(form, "HScroll1"), &ScrollBar::change,
                     [&] { passed << control<ScrollBar>(form, "HScroll1")->benchValue(); });
    const QPoint from = grip(form, part);
    QStringList astray;
    drag(form, from, dx, moves, [&](QPoint at) {
        // Under the pointer within half a step, or at the end of the wire it has run past.
        const double wanted = std::clamp(startX + (at.x() - from.x()), 60.0, 508.0);
        if (std::fabs(control<BenchLine>(form, "Line1")->p1().x() - wanted) > kStep / 2 + 1e-3)
            astray << QStringLiteral("%1 for %2")
                          .arg(control<BenchLine>(form, "Line1")->p1().x())
                          .arg(wanted);
    });
    QCOMPARE(astray, QStringList());
    QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), end);
    QCOMPARE(passed.size(), std::abs(end - start));
    for (int i = 0; i < passed.size(); ++i)
        QCOMPARE(passed[i], start + (end > start ? i + 1 : -(i + 1)));
    QCOMPARE(control<BenchImage>(form, "Image4")->left(),
             control<BenchLine>(form, "Line1")->p1().x() -
                 control<BenchImage>(form, "Image4")->width() / 2);
    // At the right end the right arm is zero, and the bench says so, once.
    QCOMPARE(bench.desktop.texts(), end == 200
                                        ? QStringList{"Правое плечо реохорда равно 0! Думать надо!"}
                                        : QStringList());

    // The same bench brought there by the bar's arrow reads the same.
    LiveBench arrows;
    control<ScrollBar>(arrows, "HScroll1")->setBenchValue(start);
    for (int i = 0; i < std::abs(end - start); ++i)
        clickBar(control<ScrollBar>(arrows, "HScroll1"),
                 end > start ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine);
    QCOMPARE(bridgeReadings(form), bridgeReadings(*arrows.form));
}

// While a reveal shows the arms, the drag goes on and the arms follow the jockey.
void tst_Handling::dragDuringReveal()
{
    LiveBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.pauseScale = 1; // ended below by the timer's own procedure, not by the clock
    QStringList seen;
    QTimer::singleShot(0, &form, [&] {
        drag(form, grip(form, "jockey"), 10 * kStep, 2);
        seen << (control<BenchLabel>(form, "Lbl_R_L")->isVisible()
                     ? control<BenchLabel>(form, "Lbl_R_L")->caption()
                     : QStringLiteral("hidden"))
             << (control<BenchLabel>(form, "Lbl_R_R")->isVisible()
                     ? control<BenchLabel>(form, "Lbl_R_R")->caption()
                     : QStringLiteral("hidden"));
        tick(form);
    });
    clickBench(form, control<BenchImage>(form, "Image3")->bounds().topLeft() +
                         QPointF(60, 40)); // beside the jockey
    QCOMPARE(seen, (QStringList{"R_L=2.750 Ом", "R_R=2.250 Ом"}));
    QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), 110);
    QVERIFY(!control<BenchLabel>(form, "Lbl_R_L")->isVisible() &&
            !control<BenchLabel>(form, "Lbl_R_R")->isVisible());
}

// A drag that overloads the galvanometer shows one message, opens the key and ends there: the
// rest of the movement does nothing.
void tst_Handling::dragIntoOverload()
{
    LiveBench bench(12, 0);
    BenchWindow &form = *bench.form;
    control<ScrollBar>(form, "HScroll2")->setBenchValue(0);
    QVERIFY(bench.desktop.boxes.isEmpty());
    int stoppedAt = -1;
    drag(form, grip(form, "jockey"), -100 * kStep, 20, [&](QPoint) {
        if (stoppedAt < 0 && !bench.desktop.boxes.isEmpty())
            stoppedAt = control<ScrollBar>(form, "HScroll1")->benchValue();
    });
    QCOMPARE(bench.desktop.texts(),
             QStringList{"Такой ток сожжёт гальванометр! Измените сопротивление!"});
    QVERIFY(stoppedAt > 0 && stoppedAt < 100);
    QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), stoppedAt);
    QCOMPARE(stateOf(form).rabota, 0.0);
    QVERIFY(!control<ScrollBar>(form, "HScroll1")->isVisible());
    // With the key open the jockey stays where it is.
    drag(form, grip(form, "jockey"), 30 * kStep, 3);
    QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), stoppedAt);
    QCOMPARE(bench.desktop.boxes.size(), 1);
}

void tst_Handling::dragEndsWhenBarHides_data()
{
    QTest::addColumn<bool>("overload"); // else the key is opened from the keyboard
    QTest::addColumn<bool>("movedBetween");
    QTest::newRow("overload, the pointer moving on") << true << true;
    QTest::newRow("key opened, the pointer moving on") << false << true;
    QTest::newRow("key opened and closed at once") << false << false;
}

// A drag whose slider bar hides (an overload opens the key, or the student opens it from the
// keyboard) ends there, though the button is still held and the pointer moves on; the key closed
// again does not make the jockey follow the pointer.
void tst_Handling::dragEndsWhenBarHides()
{
    QFETCH(bool, overload);
    QFETCH(bool, movedBetween);
    LiveBench bench(12, 0);
    BenchWindow &form = *bench.form;
    if (overload)
        control<ScrollBar>(form, "HScroll2")->setBenchValue(0);
    QPoint at = grip(form, "jockey");
    QTest::mousePress(benchOf(form), Qt::LeftButton, Qt::NoModifier, at);
    auto moveBy = [&](int dx) {
        at += QPoint(dx, 0);
        QTest::mouseMove(benchOf(form), at);
    };
    if (overload) {
        for (int i = 0; i < 40 && bench.desktop.boxes.isEmpty(); ++i)
            moveBy(-5);
        QCOMPARE(bench.desktop.texts(),
                 QStringList{"Такой ток сожжёт гальванометр! Измените сопротивление!"});
    } else {
        moveBy(-10);
        control<BenchItem>(form, "Lblvkl")->onClick();
    }
    QVERIFY(!control<ScrollBar>(form, "HScroll1")->isVisible());
    const int stoppedAt = control<ScrollBar>(form, "HScroll1")->benchValue();
    if (movedBetween)
        moveBy(30);
    control<BenchItem>(form, "Lblvkl")->onClick();
    QVERIFY(control<ScrollBar>(form, "HScroll1")->isVisible());
    moveBy(40);
    moveBy(-90);
    QTest::mouseRelease(benchOf(form), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), stoppedAt);
}

void tst_Handling::pressRaisingMessage_data()
{
    QTest::addColumn<int>("unknown"); // 0: the unknown as at start-up
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("rheostat");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("message"); // empty: the held arrow repeats as any bar's does
    const QString rightArm = QStringLiteral("Правое плечо реохорда равно 0! Думать надо!");
    const QString burns = QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!");
    QTest::newRow("slider's right arrow onto the end")
        << 0 << "019630" << 112 << 199 << "HScroll1" << 199 << int(QStyle::SC_ScrollBarAddLine)
        << 200 << rightArm;
    QTest::newRow("slider's track into an overload")
        << 129 << "002504" << 0 << 80 << "HScroll1" << 80 << int(QStyle::SC_ScrollBarAddPage) << 85
        << burns;
    QTest::newRow("a decade's arrow into an overload")
        << 129 << "001935" << 0 << 80 << "VScroll3" << 1 << int(QStyle::SC_ScrollBarAddLine) << 0
        << burns;
    QTest::newRow("slider's arrow held, no message")
        << 0 << "019630" << 112 << 100 << "HScroll1" << 100 << int(QStyle::SC_ScrollBarAddLine)
        << -1 << "";
}

// One press on a bar is one step and one message, though the button is released only while the
// message is read (the release lands on the box): the bar neither repeats its step under the box
// nor goes on by itself after it. Held with no message, an arrow repeats as on any scroll bar.
void tst_Handling::pressRaisingMessage()
{
    QFETCH(int, unknown);
    QFETCH(QString, box);
    QFETCH(int, rheostat);
    QFETCH(int, slider);
    QFETCH(QString, bar);
    QFETCH(int, from);
    QFETCH(int, part);
    QFETCH(int, to);
    QFETCH(QString, message);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    if (unknown) {
        bench.desktop.draws = {(unknown - 50 + 0.5) / 101};
        clickItem(form, control<BenchImage>(form, "Image6"));
    }
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    ScrollBar *decades[] = {
        control<ScrollBar>(form, "VScroll1"), control<ScrollBar>(form, "VScroll2"),
        control<ScrollBar>(form, "VScroll3"), control<ScrollBar>(form, "VScroll4"),
        control<ScrollBar>(form, "VScroll5"), control<ScrollBar>(form, "VScroll6")};
    for (int k = 0; k < 6; ++k)
        decades[k]->setBenchValue(box[k].digitValue());
    control<ScrollBar>(form, "HScroll2")->setBenchValue(rheostat);
    control<ScrollBar>(form, "HScroll1")->setBenchValue(slider);
    auto *pressed = benchOf(form)->findChild<ScrollBar *>(bar);
    pressed->setBenchValue(from);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    bench.desktop.boxes.clear();
    bench.desktop.lingerMs = 700; // longer than the bar's delay before it repeats

    QTest::mousePress(pressed, Qt::LeftButton, Qt::NoModifier,
                      pressed->partRect(QStyle::SubControl(part)).center());
    if (message.isEmpty()) {
        QTest::qWait(700);
        QVERIFY(pressed->benchValue() > from + 1);
        QTest::mouseRelease(pressed, Qt::LeftButton, Qt::NoModifier,
                            pressed->partRect(QStyle::SubControl(part)).center());
        const int released = pressed->benchValue();
        QTest::qWait(300);
        QCOMPARE(pressed->benchValue(), released);
        QVERIFY(bench.desktop.boxes.isEmpty());
        return;
    }
    // The release went to the box; the student then moves the bar back by hand.
    QCOMPARE(bench.desktop.texts(), QStringList{message});
    QCOMPARE(pressed->benchValue(), to);
    QTest::qWait(700);
    QCOMPARE(pressed->benchValue(), to);
    pressed->setBenchValue(from);
    QTest::qWait(700);
    QCOMPARE(pressed->benchValue(), from);
    QCOMPARE(bench.desktop.texts(), QStringList{message});
}

void tst_Handling::wheel_data()
{
    QTest::addColumn<QString>("over");
    QTest::addColumn<QPointF>("offset"); // from the centre of what it is over
    QTest::addColumn<bool>("closeKey");
    QTest::addColumn<bool>("sourceOn");
    QTest::addColumn<int>("notches");
    QTest::addColumn<int>("events");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown"); // the label's caption afterwards; empty: nothing changes
    const QPointF centre(0, 0);
    QTest::newRow("first decade up")
        << "Lbl_R_m_1" << centre << true << false << 1 << 1 << "VScroll1"
        << "Lbl_R_m_1"
        << "1";
    QTest::newRow("third decade, knob's rim, two notches")
        << "lbl_R_m_3" << QPointF(0, 17) << true << false << 2 << 1 << "VScroll3"
        << "lbl_R_m_3"
        << "2";
    QTest::newRow("sixth decade down at 0")
        << "Lbl_R_m_6" << QPointF(-15, 0) << true << false << -1 << 1 << "VScroll6"
        << "Lbl_R_m_6"
        << "";
    QTest::newRow("decades hidden with the key open")
        << "Lbl_R_m_4" << centre << false << false << 1 << 1 << "VScroll4"
        << "Lbl_R_m_4"
        << "";
    QTest::newRow("between the knobs")
        << "Lbl_R_m_5" << QPointF(0, 32) << true << false << 1 << 1 << "VScroll5"
        << "Lbl_R_m_5"
        << "";
    QTest::newRow("rheostat up") << "Image2" << centre << true << false << 1 << 1 << "HScroll2"
                                 << "Lbl_reo"
                                 << "113";
    QTest::newRow("rheostat down three")
        << "Image2" << QPointF(-60, 20) << true << false << -3 << 1 << "HScroll2"
        << "Lbl_reo"
        << "109";
    QTest::newRow("rheostat hidden with the key open")
        << "Image2" << centre << false << false << 1 << 1 << "HScroll2"
        << "Lbl_reo"
        << "";
    QTest::newRow("EMF knob") << "Image1" << QPointF(33 - 100, 66.5 - 48) << false << false << 1
                              << 1 << "HScroll3"
                              << "LblEdc"
                              << "9";
    QTest::newRow("EMF readout down")
        << "LblEdc" << centre << false << false << -2 << 1 << "HScroll3"
        << "LblEdc"
        << "6";
    QTest::newRow("internal resistance readout")
        << "Lblr" << centre << false << false << 1 << 1 << "HScroll4"
        << "Lblr"
        << "11";
    QTest::newRow("two one-notch events, two steps")
        << "Lbl_R_m_5" << centre << true << false << 2 << 2 << "VScroll5"
        << "Lbl_R_m_5"
        << "2";
    QTest::newRow("a fine wheel's eighth parts, one step")
        << "Lbl_R_m_4" << centre << true << false << 1 << 8 << "VScroll4"
        << "Lbl_R_m_4"
        << "1";
    QTest::newRow("EMF while the source is on")
        << "LblEdc" << centre << false << true << 1 << 1 << "HScroll3"
        << "LblEdc"
        << "";
}

// A notch of the wheel over a knob turns its bar one step, up raising the value; a hidden bar, or
// a place beside the knobs, turns nothing.
void tst_Handling::wheel()
{
    QFETCH(QString, over);
    QFETCH(QPointF, offset);
    QFETCH(bool, closeKey);
    QFETCH(bool, sourceOn);
    QFETCH(int, notches);
    QFETCH(int, events);
    QFETCH(QString, bar);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    if (closeKey)
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    if (sourceOn)
        clickItem(form, control<SourcePicture>(form, "Image1"));
    auto *turned = benchOf(form)->findChild<ScrollBar *>(bar);
    auto *caption = dynamic_cast<BenchLabel *>(benchOf(form)->item(label));
    QVERIFY(turned && caption);
    const QString before = caption->caption();
    QList<int> bars;
    for (ScrollBar *b : benchOf(form)->findChildren<ScrollBar *>())
        bars << b->benchValue();
    ::wheel(form, benchOf(form)->item(over)->bounds().center() + offset, notches, events);
    QCOMPARE(caption->caption(), shown.isEmpty() ? before : shown);
    int changed = 0;
    int k = 0;
    for (ScrollBar *b : benchOf(form)->findChildren<ScrollBar *>())
        changed += b->benchValue() != bars[k++];
    QCOMPARE(changed, shown.isEmpty() ? 0 : 1);
    if (!shown.isEmpty())
        QCOMPARE(turned->benchValue(), shown.toInt());
    QVERIFY(bench.desktop.boxes.isEmpty());
}

// The pointer shows that the jockey can be dragged while its bar is there to move it.
void tst_Handling::pointerShape()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    auto shapeAt = [&](QPoint at) {
        QTest::mouseMove(benchOf(form), at);
        return benchOf(form)->cursor().shape();
    };
    const QPoint wire =
        control<BenchImage>(form, "Image3")->bounds().topLeft().toPoint() + QPoint(60, 40);
    QCOMPARE(shapeAt(grip(form, "jockey")), Qt::ArrowCursor); // the key is open
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QCOMPARE(shapeAt(wire), Qt::ArrowCursor);
    QCOMPARE(shapeAt(grip(form, "jockey")), Qt::SizeHorCursor);
    QCOMPARE(shapeAt(grip(form, "card")), Qt::SizeHorCursor);
    QCOMPARE(shapeAt(wire), Qt::ArrowCursor);
}

// After each of many random actions (bars, clicks, drags, the wheel, the keyboard), the bench as
// repainted where it changed is pixel for pixel the bench painted whole.
void tst_Handling::partialRepaintMatchesWhole()
{
    LiveBench bench;
    BenchWindow &form = *bench.form;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const unsigned seed = 20261207;
    qInfo("seed %u", seed);
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const QStyle::SubControl parts[] = {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine,
                                        QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarSubPage};
    // The comparison sees a trace on the galvanometer's dial, on a picture, on a bar and on a
    // readout.
    for (const QRect &at :
         {QRect(365, 300, 40, 1), QRect(560, 390, 30, 1),
          control<ScrollBar>(form, "HScroll1")->geometry().adjusted(20, 8, -20, 0),
          control<ReadoutBox>(form, "Picture2")->geometry().adjusted(2, 6, -2, 0)})
        QVERIFY2(tracesShow(form, at.adjusted(0, 0, 0, 1 - at.height())),
                 qPrintable(QStringLiteral("at %1, %2").arg(at.x()).arg(at.y())));
    {
        const QImage partly = storeShot(form), whole = paintedWhole(form);
        QVERIFY2(partly == whole, qPrintable(difference(partly, whole)));
    }
    for (int i = 0; i < 300; ++i) {
        QString action;
        switch (pick(5)) {
        case 0: {
            QList<ScrollBar *> shown;
            for (ScrollBar *b : benchOf(form)->findChildren<ScrollBar *>())
                if (b->isVisible())
                    shown << b;
            ScrollBar *b = shown[pick(shown.size())];
            action = QStringLiteral("bar ") + b->objectName();
            clickBar(b, parts[pick(4)]);
            break;
        }
        case 1: {
            BenchItem *items[] = {
                control<SourcePicture>(form, "Image1"), control<BenchLabel>(form, "Lblvkl"),
                control<BenchImage>(form, "Image6"), control<BenchImage>(form, "Image3"),
                control<BenchImage>(form, "Image5")};
            BenchItem *item = items[pick(pick(3) == 0 ? 5 : 2)];
            action = QStringLiteral("click ") + item->name();
            clickBench(form, item == control<BenchImage>(form, "Image3")
                                 ? item->bounds().topLeft() + QPointF(60, 40)
                                 : item->bounds().center()); // beside the jockey
            break;
        }
        case 2:
            action = QStringLiteral("drag");
            drag(form, grip(form, pick(2) ? "jockey" : "card"), (pick(81) - 40) * 1.7, 1 + pick(4));
            break;
        case 3: {
            BenchItem *knobs[] = {
                control<BenchLabel>(form, "Lbl_R_m_1"), control<BenchLabel>(form, "lbl_R_m_3"),
                control<BenchLabel>(form, "Lbl_R_m_6"), control<BenchImage>(form, "Image2"),
                control<BenchLabel>(form, "LblEdc"),    control<BenchLabel>(form, "Lblr")};
            BenchItem *knob = knobs[pick(6)];
            action = QStringLiteral("wheel ") + knob->name();
            ::wheel(form, knob->bounds().center(), pick(2) ? 1 : -1);
            break;
        }
        default:
            action = QStringLiteral("tab");
            QTest::keyClick(form.windowHandle(), Qt::Key_Tab,
                            pick(2) ? Qt::NoModifier : Qt::ShiftModifier);
            break;
        }
        const QImage partly = storeShot(form);
        const QImage whole = paintedWhole(form);
        QVERIFY2(partly == whole, qPrintable(QStringLiteral("after action %1: %2; %3")
                                                 .arg(i)
                                                 .arg(action, difference(partly, whole))));
    }
}

// The pictures are copied onto whole device pixels, not resampled between them, wherever the
// bench lies on the screen's grid: a part of the resistance box clear of every other control shows
// on screen exactly as it was drawn. Resampled, its pictures blur, and a repaint that copies them
// in bands leaves a faint line across them at each band's edge.
void tst_Handling::picturesLieOnDevicePixels()
{
    LiveBench bench;
    BenchWindow &form = *bench.form;
    const qreal ratio = form.devicePixelRatioF();
    const QRectF box = control<BenchImage>(form, "Image7")->bounds();
    const QRect plate(565, 380, 40, 24); // its maker's plate: class and serial number
    QVERIFY(box.contains(plate));
    const QImage drawn =
        SvgCache::instance()
            .pixmap(QStringLiteral(":/assets/bench/resistance_box.svg"), box.size().toSize(), ratio)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    const QPointF corner = QPointF(benchOf(form)->mapTo(&form, QPoint(0, 0))) + box.topLeft();
    const QPoint onPixels(qRound(corner.x() * ratio), qRound(corner.y() * ratio));
    const QRect shown = onDevice(form, plate).adjusted(1, 1, -1, -1);
    QVERIFY(tracesShow(form, plate.adjusted(0, 10, 0, 11 - plate.height())));
    QCOMPARE(storeShot(form).copy(shown), drawn.copy(shown.translated(-onPixels)));
}

void tst_Handling::barWalkMatchesWhole_data()
{
    QTest::addColumn<QString>("bar");
    for (const char *name :
         {"HScroll1", "HScroll2", "HScroll3", "HScroll4", "VScroll1", "VScroll6", "VScroll7"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// A bar moved a step at a time from end to end and back repaints only its thumb, where it was and
// where it is; the bar on screen is at every step the bar painted whole.
void tst_Handling::barWalkMatchesWhole()
{
    QFETCH(QString, bar);
    LiveBench bench;
    BenchWindow &form = *bench.form;
    auto *b = benchOf(form)->findChild<ScrollBar *>(bar);
    if (!b->isVisible())
        clickItem(form, control<SourcePicture>(
                            form, "Image1")); // the source's own knobs turn only while it is off
    if (!b->isVisible())
        clickItem(form, control<BenchLabel>(
                            form, "Lblvkl")); // the rheostat's range is set while the key is open
    QVERIFY(b->isVisible());
    const QRect around = onDevice(form, b->geometry().adjusted(-3, -3, 3, 3));
    auto differs = [&] { return storeShot(form).copy(around) != paintedWhole(form).copy(around); };
    const int lo = std::min(b->startValue(), b->endValue());
    const int hi = std::max(b->startValue(), b->endValue());
    QVERIFY(tracesShow(form, b->geometry().adjusted(0, b->height() / 2, 0, 1 - b->height() / 2)));
    QVERIFY(!differs());
    for (int v = b->benchValue() + 1, step = 1; v >= lo; v += step) {
        if (v > hi) {
            step = -1;
            continue;
        }
        b->setBenchValue(v);
        QVERIFY2(!differs(), qPrintable(QStringLiteral("at %1").arg(v)));
    }
}

void tst_Handling::arrowLooksReleased_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QStyle::SubControl>("arrow");
    for (const char *name : {"HScroll1", "HScroll3", "VScroll2", "VScroll7"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 before").arg(name)))
            << QString::fromLatin1(name) << QStyle::SC_ScrollBarSubLine;
        QTest::newRow(qPrintable(QStringLiteral("%1 after").arg(name)))
            << QString::fromLatin1(name) << QStyle::SC_ScrollBarAddLine;
    }
}

// An arrow looks pressed while the button is down on it, and once the button comes up nothing of
// that look stays on screen: the bar shows as the bar painted whole.
void tst_Handling::arrowLooksReleased()
{
    QFETCH(QString, bar);
    QFETCH(QStyle::SubControl, arrow);
    LiveBench bench;
    BenchWindow &form = *bench.form;
    auto *b = benchOf(form)->findChild<ScrollBar *>(bar);
    if (!b->isVisible())
        clickItem(form, control<SourcePicture>(form, "Image1"));
    if (!b->isVisible())
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QVERIFY(b->isVisible());
    if (!bar.startsWith(QLatin1String("VScroll2"))) // the ×1000 decade stands at 1, a step from 0
        b->setBenchValue((b->startValue() + b->endValue()) / 2);
    const QRect around = onDevice(form, b->geometry().adjusted(-2, -2, 2, 2));
    const QPoint at = b->partRect(arrow).center();
    const int before = b->benchValue();
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, at);
    const QImage pressed = storeShot(form).copy(around);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, at);
    QVERIFY(b->benchValue() != before);
    const QImage released = storeShot(form).copy(around);
    const QImage whole = paintedWhole(form).copy(around);
    const QRect button =
        onDevice(form, b->partRect(arrow).translated(b->pos())).translated(-around.topLeft());
    QVERIFY(pressed.copy(button) != whole.copy(button));
    QVERIFY2(released == whole, qPrintable(difference(released, whole)));
}

QTEST_MAIN(tst_Handling)
#include "tst_handling.moc"
