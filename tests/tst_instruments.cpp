// Tests of the working bench: start-up, the instruments, the views, the reveals and shutdown.
#include "app/authors_window.h"
#include "app/real_desktop.h"
#include "bench_fixture.h"
#include "toolkit/pause_timer.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTextDocumentFragment>
#include <QTimer>
#include <cmath>

namespace {

const auto top = QStyle::SC_ScrollBarSubLine;    // the top (or left) arrow
const auto bottom = QStyle::SC_ScrollBarAddLine; // the bottom (or right) arrow

void closeKeyAndSetBox(BenchWindow &form, int d1, int d2, int d3, int d4, int d5, int d6)
{
    if (stateOf(form).rabota == 0)
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    setBox(form, {d1, d2, d3, d4, d5, d6});
}

} // namespace

class tst_Instruments : public QObject
{
    Q_OBJECT
  private slots:
    void startUp();
    void oneRecalculationPerAction_data();
    void oneRecalculationPerAction();
    void slideWire_data();
    void slideWire();
    void measuredResistance_data();
    void measuredResistance();
    void rheostatMaximum_data();
    void rheostatMaximum();
    void rheostatMaximumLowered_data();
    void rheostatMaximumLowered();
    void rheostatAtZero();
    void box_data();
    void box();
    void boxArrowAtTheEnd();
    void views_data();
    void views();
    void openingTheKeyKeepsReadouts();
    void sourceAlwaysRecomputes();
    void sourceSettingsAtSwitchingOn_data();
    void sourceSettingsAtSwitchingOn();
    void overloadThrowsBack();
    void unknownResistorRefused();
    void unknownResistorDrawn_data();
    void unknownResistorDrawn();
    void realDrawCoversTheRange();
    void revealShownThenHidden();
    void nestedRevealsEndTogether();
    void revealFollowsTheSlider();
    void waitZero();
    void closeAnsweredNo();
    void closeAnsweredYes();
    void closeDuringReveal();
    void enterAnswersYes();
    void yesEndsTheRunLoop();
    void studentSession();
};

namespace {

/** Whether a readout box is drawn on `back` with figures in `figures`. */
bool drawnIn(QWidget *box, QColor back, QColor figures)
{
    const QImage shot = box->grab().toImage();
    // Inside the sunken frame: the background at the corner, figures along the middle.
    const QRect inside = QRect(QPoint(), shot.size()).adjusted(3, 3, -3, -3);
    if (shot.pixelColor(inside.topLeft()) != back)
        return false;
    bool inked = false;
    for (int x = inside.left(); x <= inside.right(); ++x)
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            inked |= shot.pixelColor(x, y) == figures;
    return inked;
}

} // namespace

void tst_Instruments::startUp()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    QCOMPARE(control<BenchLabel>(form, "LblEdc")->caption(), QStringLiteral("8"));
    QCOMPARE(control<BenchLabel>(form, "Lblr")->caption(), QStringLiteral("10"));
    QCOMPARE(control<BenchLabel>(form, "LblReomax")->caption(), QStringLiteral("150"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_reo")->caption(), QStringLiteral("112"));
    QCOMPARE(control<BenchLabel>(form, "Lbldv")->caption(), QStringLiteral(" 50"));
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible());
    QCOMPARE(control<BenchLabel>(form, "Lbl_Rx")->caption(), QStringLiteral("Rx=1963.0 Ом"));
    QVERIFY(!control<BenchLabel>(form, "Lbl_Ri")->isVisible());
    QVERIFY(!control<BenchLabel>(form, "Label1")->isVisible());
    QCOMPARE(control<ScrollBar>(form, "HScroll1")->benchValue(), 100);
    QCOMPARE(control<ScrollBar>(form, "HScroll2")->benchValue(), 112);
    QCOMPARE(control<ScrollBar>(form, "HScroll2")->endValue(), 150);
    QCOMPARE(stateOf(form).R_L, 2.5);
    QCOMPARE(stateOf(form).R_R, 2.5f);
    QCOMPARE(stateOf(form).Reo, 112.5f); // until the rheostat is first moved
    QCOMPARE(stateOf(form).Rx, 1963.0);
    QCOMPARE(stateOf(form).R_m, 0.0f);
    QCOMPARE(stateOf(form).I, 0.0);
    QCOMPARE(stateOf(form).Ig, 0.0);
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->text(),
             QString()); // blank until a decade is turned
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.00"));
    // The readouts as drawn: black boxes, the currents in green.
    QVERIFY(drawnIn(control<ReadoutBox>(form, "Picture2"), Qt::black, QColor(0, 255, 0)));
    QVERIFY(drawnIn(control<ReadoutBox>(form, "Picture3"), Qt::black, QColor(0, 255, 0)));
    QCOMPARE(control<BenchImage>(form, "Image8")->bounds().topLeft(), QPointF(20, 72));
    QVERIFY(bench.desktop.boxes.isEmpty());
    // The whole window, frame and menu bar included, stands in the middle of the screen.
    const QRect screen = form.screen()->geometry();
    const QRect frame = form.frameGeometry();
    QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= 1);
    QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= 1);
    // The box's display, once a decade is turned: its resistance in white.
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "VScroll6")->setBenchValue(1);
    QVERIFY(drawnIn(control<ReadoutBox>(form, "Picture1"), Qt::black, Qt::white));
}

void tst_Instruments::slideWire_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("contact");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<QString>("leftCaption");
    QTest::addColumn<QString>("rightCaption");
    QTest::newRow("left end") << 0 << " 0" << 60.0 << 0.0 << 5.0 << "R_L=0.000 Ом"
                              << "R_R=5.000 Ом";
    QTest::newRow("first step") << 1 << " .5" << 62.24 << 0.025 << 4.975 << "R_L=0.025 Ом"
                                << "R_R=4.975 Ом";
    QTest::newRow("middle") << 100 << " 50" << 284.0 << 2.5 << 2.5 << "R_L=2.500 Ом"
                            << "R_R=2.500 Ом";
    QTest::newRow("past the middle") << 101 << " 50.5" << 286.24 << 2.525 << 2.475 << "R_L=2.525 Ом"
                                     << "R_R=2.475 Ом";
    QTest::newRow("right end") << 200 << " 100" << 508.0 << 5.0 << 0.0 << "R_L=5.000 Ом"
                               << "R_R=0.000 Ом";
}

void tst_Instruments::slideWire()
{
    QFETCH(int, position);
    QFETCH(QString, caption);
    QFETCH(double, contact);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(QString, leftCaption);
    QFETCH(QString, rightCaption);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "HScroll1")->setBenchValue(position == 100 ? 99 : 100);
    control<ScrollBar>(form, "HScroll1")->setBenchValue(position);
    QCOMPARE(stateOf(form).R_dlina, position * 0.005);
    QCOMPARE(control<BenchLabel>(form, "Lbldv")->caption(), caption);
    QVERIFY(std::fabs(control<BenchLine>(form, "Line1")->p1().x() - contact) < 1e-4);
    QCOMPARE(control<BenchLine>(form, "Line1")->p2().x(),
             256.0); // the lead's other end stays on the galvanometer
    QVERIFY(std::fabs(control<BenchImage>(form, "Image4")->left() - (contact - 17.5)) < 1e-4);
    QVERIFY(std::fabs(control<BenchLabel>(form, "Lbldv")->left() - (contact - 21.5)) < 1e-4);
    QVERIFY(std::fabs(stateOf(form).R_L - left) < 1e-12);
    QVERIFY(std::fabs(stateOf(form).R_R - right) < 1e-6);
    QVERIFY(std::fabs(stateOf(form).R_L + stateOf(form).R_R - 5.0) <
            1e-6); // the right arm is a single
    QCOMPARE(control<BenchLabel>(form, "Lbl_R_L")->caption(), leftCaption);
    QCOMPARE(control<BenchLabel>(form, "Lbl_R_R")->caption(), rightCaption);
}

void tst_Instruments::measuredResistance_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("measured");
    QTest::addColumn<QString>("current");
    // Rx = 1963 Ω, the box at 1963 Ω, 8 V, 10 Ω and the rheostat at 112.5 Ω; currents solved by
    // hand. The source current reads 0.06 at every position.
    QTest::newRow("left end") << 0 << "Ri=0.0 Ом"
                              << "-0.0001591";
    QTest::newRow("first step") << 1 << "Ri=9.9 Ом"
                                << "-0.0001575";
    QTest::newRow("balance") << 100 << "Ri=1963.0 Ом"
                             << "0.0000000";
    QTest::newRow("three fifths") << 120 << "Ri=2944.5 Ом"
                                  << "0.0000318";
    QTest::newRow("last step before the end") << 199 << "Ri=390637.0 Ом"
                                              << "0.0001575";
}

// The balance resistance and the galvanometer's current along the wire of a live circuit.
void tst_Instruments::measuredResistance()
{
    QFETCH(int, position);
    QFETCH(QString, measured);
    QFETCH(QString, current);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    closeKeyAndSetBox(form, 0, 1, 9, 6, 3, 0);
    control<ScrollBar>(form, "HScroll1")->setBenchValue(position);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QVERIFY2(bench.desktop.boxes.isEmpty(), qPrintable(bench.desktop.texts().join('\n')));
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), measured);
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), current);
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.06"));
}

void tst_Instruments::rheostatMaximum_data()
{
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("rheostat");
    QTest::newRow("30") << 30 << 22;
    QTest::newRow("26 rounds up to even") << 26 << 20;
    QTest::newRow("15") << 15 << 11;
    QTest::newRow("500") << 500 << 375;
    QTest::newRow("150 rounds down to even") << 150 << 112;
    // Every other maximum: three quarters of it, a half going to the even neighbour.
    for (int maximum = 15; maximum <= 500; ++maximum) {
        if (maximum == 30 || maximum == 26 || maximum == 15 || maximum == 500 || maximum == 150)
            continue;
        const int quarters = 3 * maximum, whole = quarters / 4, rest = quarters % 4;
        const int rheostat = rest < 2 ? whole : rest > 2 ? whole + 1 : whole + whole % 2;
        QTest::newRow(qPrintable(QStringLiteral("maximum %1").arg(maximum))) << maximum << rheostat;
    }
}

void tst_Instruments::rheostatMaximum()
{
    QFETCH(int, maximum);
    QFETCH(int, rheostat);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<ScrollBar>(form, "VScroll7")->setBenchValue(maximum == 150 ? 30 : 150);
    control<ScrollBar>(form, "VScroll7")->setBenchValue(maximum);
    QCOMPARE(stateOf(form).Reo_max, double(maximum));
    QCOMPARE(control<BenchLabel>(form, "LblReomax")->caption(), QString::number(maximum));
    QCOMPARE(control<ScrollBar>(form, "HScroll2")->endValue(), maximum);
    QCOMPARE(control<ScrollBar>(form, "HScroll2")->benchValue(), rheostat);
    QCOMPARE(stateOf(form).Reo, float(rheostat));
    QCOMPARE(control<BenchLabel>(form, "Lbl_reo")->caption(), QString::number(rheostat));
    const double centred = double(rheostat) / maximum * 160 + 386 - 18;
    QVERIFY(std::fabs(control<BenchLabel>(form, "Lbl_reo")->left() - centred) < 1e-9);
    if (maximum == 150)
        QVERIFY(std::fabs(control<BenchLabel>(form, "Lbl_reo")->left() - 487.47) < 0.01);
}

void tst_Instruments::rheostatMaximumLowered_data()
{
    QTest::addColumn<int>("rheostat"); // set with the key closed
    QTest::addColumn<int>("first");    // the maximum before
    QTest::addColumn<int>("maximum");  // after one arrow click, or set on the bar
    QTest::addColumn<int>("setting");
    QTest::addColumn<double>("left"); // Lbl_reo's left edge, centred over the thumb
    // 150 lowered by one arrow step of 5 to 145, below the rheostat's 150: 108.75 makes 109.
    QTest::newRow("below the rheostat") << 150 << 150 << 145 << 109 << 488.276;
    // 29 · 3/4 = 21.75 keeps the 22 that 30 gave; the readout moves to 22/29 of the bar.
    QTest::newRow("30 to 29 keeps 22") << 22 << 30 << 29 << 22 << 489.379;
}

// A new maximum with the key open resets the rheostat and centres its readout over the thumb
// again, also when the rheostat's value stays.
void tst_Instruments::rheostatMaximumLowered()
{
    QFETCH(int, rheostat);
    QFETCH(int, first);
    QFETCH(int, maximum);
    QFETCH(int, setting);
    QFETCH(double, left);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<ScrollBar>(form, "VScroll7")->setBenchValue(first);
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "HScroll2")->setBenchValue(rheostat);
    QCOMPARE(control<BenchLabel>(form, "Lbl_reo")->caption(), QString::number(rheostat));
    clickItem(form, control<BenchLabel>(form, "Lblvkl")); // open: the maximum's bar is shown
    QVERIFY(control<ScrollBar>(form, "VScroll7")->isVisible());
    if (first - maximum == 5)
        clickBar(control<ScrollBar>(form, "VScroll7"), bottom);
    else
        control<ScrollBar>(form, "VScroll7")->setBenchValue(maximum);
    QCOMPARE(control<BenchLabel>(form, "LblReomax")->caption(), QString::number(maximum));
    QCOMPARE(control<ScrollBar>(form, "HScroll2")->endValue(), maximum);
    QCOMPARE(control<ScrollBar>(form, "HScroll2")->benchValue(), setting);
    QCOMPARE(stateOf(form).Reo, float(setting));
    QCOMPARE(control<BenchLabel>(form, "Lbl_reo")->caption(), QString::number(setting));
    QVERIFY2(std::fabs(control<BenchLabel>(form, "Lbl_reo")->left() - left) < 1e-3,
             qPrintable(QString::number(control<BenchLabel>(form, "Lbl_reo")->left())));
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_Instruments::rheostatAtZero()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<ScrollBar>(form, "HScroll2")->setBenchValue(0);
    QCOMPARE(stateOf(form).Reo, 0.0f);
    QCOMPARE(control<BenchLabel>(form, "Lbl_reo")->caption(), QStringLiteral("0"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_reo")->left(), 386.0 - 18);
}

void tst_Instruments::box_data()
{
    QTest::addColumn<QList<int>>("digits");
    QTest::addColumn<float>("total");
    QTest::addColumn<QString>("display");
    QTest::newRow("units only") << QList<int>{0, 0, 0, 0, 3, 0} << 3.0f << "00003.0";
    QTest::newRow("every decade") << QList<int>{1, 2, 3, 4, 5, 6} << 12345.6f << "12345.6";
    QTest::newRow("all nines") << QList<int>{9, 9, 9, 9, 9, 9} << 99999.9f << "99999.9";
    QTest::newRow("a tenth") << QList<int>{0, 0, 0, 0, 0, 1} << 0.1f << "00000.1";
    // A sample of the million settings: the display reads the six digits, the last one after
    // the point.
    quint32 seed = 2026;
    for (int row = 0; row < 24; ++row) {
        QList<int> digits;
        QString display;
        for (int k = 0; k < 6; ++k) {
            seed = seed * 1103515245u + 12345u;
            digits << int((seed >> 16) % 10);
            display += (k == 5 ? "." : "") + QString::number(digits.last());
        }
        if (display != "00000.0") // no decade moved: nothing is shown
            QTest::newRow(qPrintable("setting " + display))
                << digits << display.toFloat() << display;
    }
}

void tst_Instruments::box()
{
    QFETCH(QList<int>, digits);
    QFETCH(float, total);
    QFETCH(QString, display);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    ScrollBar *decades[] = {
        control<ScrollBar>(form, "VScroll1"), control<ScrollBar>(form, "VScroll2"),
        control<ScrollBar>(form, "VScroll3"), control<ScrollBar>(form, "VScroll4"),
        control<ScrollBar>(form, "VScroll5"), control<ScrollBar>(form, "VScroll6")};
    for (int k = 0; k < 6; ++k)
        for (int click = 0; click < digits[k]; ++click)
            clickBar(decades[k], top); // the top arrow raises a decade by one
    QCOMPARE(stateOf(form).R_m, total);
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->text(), display);
    const BenchLabel *labels[] = {
        control<BenchLabel>(form, "Lbl_R_m_1"), control<BenchLabel>(form, "lbl_R_m_2"),
        control<BenchLabel>(form, "lbl_R_m_3"), control<BenchLabel>(form, "Lbl_R_m_4"),
        control<BenchLabel>(form, "Lbl_R_m_5"), control<BenchLabel>(form, "Lbl_R_m_6")};
    for (int k = 0; k < 6; ++k)
        QCOMPARE(labels[k]->caption(), QString::number(digits[k]));
}

void tst_Instruments::boxArrowAtTheEnd()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    closeKeyAndSetBox(form, 9, 0, 0, 0, 0, 0);
    control<ReadoutBox>(form, "Picture1")->clear();
    control<ReadoutBox>(form, "Picture2")->clear();
    clickBar(control<ScrollBar>(form, "VScroll1"), top);                // already at 9
    clickBar(control<ScrollBar>(form, "VScroll6"), bottom);             // already at 0
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->text(), QString()); // nothing summed
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QString()); // nothing recomputed
    clickBar(control<ScrollBar>(form, "VScroll6"), top);
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->text(), QStringLiteral("90000.1"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_R_m_6")->caption(), QStringLiteral("1"));
}

void tst_Instruments::views_data()
{
    QTest::addColumn<bool>("closeKey");
    QTest::addColumn<bool>("sourceOn");
    QTest::newRow("key open, source off") << false << false;
    QTest::newRow("key open, source on") << false << true;
    QTest::newRow("key closed, source off") << true << false;
    QTest::newRow("key closed, source on") << true << true;
}

void tst_Instruments::views()
{
    QFETCH(bool, closeKey);
    QFETCH(bool, sourceOn);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    // With the box at 1963 and the slider in the middle the bridge is balanced: no refusal.
    closeKeyAndSetBox(form, 0, 1, 9, 6, 3, 0);
    if (!closeKey)
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    if (sourceOn)
        clickItem(form, control<SourcePicture>(form, "Image1"));
    QVERIFY(bench.desktop.boxes.isEmpty());
    QCOMPARE(shownControls(form), viewShows(closeKey, sourceOn));
    const BenchImage *key =
        closeKey ? control<BenchImage>(form, "Image9") : control<BenchImage>(form, "Image8");
    QCOMPARE(key->bounds().topLeft(), QPointF(20, 72));
}

void tst_Instruments::openingTheKeyKeepsReadouts()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    closeKeyAndSetBox(form, 0, 1, 0, 0, 0, 0);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    const QString current = control<ReadoutBox>(form, "Picture2")->text();
    const double tip = control<BenchLine>(form, "Line17")->p2().x();
    QVERIFY(current != QStringLiteral("0.0000000"));
    control<BenchLabel>(form, "Lbl_R_L")->setVisible(true); // as a reveal would show it
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));   // open: hides, refreshes nothing
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), current);
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().x(), tip);
    QVERIFY(stateOf(form).Ig != 0);
    QVERIFY(!control<BenchLabel>(form, "Lbl_R_L")->isVisible());
    control<BenchLabel>(form, "Lbl_R_L")->setVisible(true);
    clickItem(form,
              control<BenchLabel>(form, "Lblvkl")); // closing leaves the arm readouts as they are
    QVERIFY(control<BenchLabel>(form, "Lbl_R_L")->isVisible());
}

void tst_Instruments::sourceAlwaysRecomputes()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    for (int click = 1; click <= 2; ++click) {
        control<ReadoutBox>(form, "Picture2")->clear();
        control<BenchLabel>(form, "Lbldv")->setCaption(QString());
        clickItem(form, control<SourcePicture>(form, "Image1"));
        QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(),
                 QStringLiteral("0.0000000")); // key open: zero
        QCOMPARE(control<BenchLabel>(form, "Lbldv")->caption(), QStringLiteral(" 50"));
    }
    QCOMPARE(stateOf(form).istochnik, std::int16_t(0));
}

void tst_Instruments::sourceSettingsAtSwitchingOn_data()
{
    QTest::addColumn<int>("emfClicks"); // on the EMF's right arrow; negative: on its left arrow
    QTest::addColumn<int>("internalClicks");
    QTest::addColumn<QString>("emf");
    QTest::addColumn<QString>("internal");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("galvanometer");
    // Rx = 1963 Ω, the box at 1000 Ω, the slider in the middle, the rheostat at 112.5 Ω; the
    // currents solved by hand.
    QTest::newRow("as started") << 0 << 0 << "8"
                                << "10"
                                << "0.06"
                                << "-0.0000764";
    QTest::newRow("12 V, no internal resistance") << 4 << -10 << "12"
                                                  << "0"
                                                  << "0.10"
                                                  << "-0.0001244";
    QTest::newRow("4 V, 20 Ω") << -4 << 10 << "4"
                               << "20"
                               << "0.03"
                               << "-0.0000354";
}

// The EMF and internal resistance set while the source is off change no reading; the next
// switching on computes with them.
void tst_Instruments::sourceSettingsAtSwitchingOn()
{
    QFETCH(int, emfClicks);
    QFETCH(int, internalClicks);
    QFETCH(QString, emf);
    QFETCH(QString, internal);
    QFETCH(QString, current);
    QFETCH(QString, galvanometer);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    closeKeyAndSetBox(form, 0, 1, 0, 0, 0, 0);
    auto turn = [](ScrollBar *bar, int clicks) {
        for (int i = 0; i < std::abs(clicks); ++i)
            clickBar(bar, clicks > 0 ? bottom : top);
    };
    turn(control<ScrollBar>(form, "HScroll3"), emfClicks);
    turn(control<ScrollBar>(form, "HScroll4"), internalClicks);
    QCOMPARE(control<BenchLabel>(form, "LblEdc")->caption(), emf);
    QCOMPARE(control<BenchLabel>(form, "Lblr")->caption(), internal);
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.00"));
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), current);
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), galvanometer);
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_Instruments::overloadThrowsBack()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<SourcePicture>(
                        form, "Image1")); // source on, box at 0: closing the key overloads
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QCOMPARE(bench.desktop.texts(),
             QStringList{"Такой ток сожжёт гальванометр! Измените сопротивление!"});
    QCOMPARE(stateOf(form).rabota, 0.0);
    QCOMPARE(stateOf(form).istochnik, std::int16_t(0));
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.00"));
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().x(), 279.0);
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().y(), 278.0);
    LoadedBench fresh;
    QCOMPARE(shownControls(form), shownControls(*fresh.form)); // the start-up view
}

void tst_Instruments::unknownResistorRefused()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<SourcePicture>(form, "Image1"));
    control<BenchLabel>(form, "Lbl_Rx")->setCaption(QString());
    QStringList captionWhileUp;
    bench.desktop.onBox = [&] { captionWhileUp << control<BenchLabel>(form, "Lbl_Rx")->caption(); };
    clickItem(form, control<BenchImage>(form, "Image6"));
    QCOMPARE(bench.desktop.texts(),
             QStringList{"Чтобы поменять неизвестное сопротивление, сначала выключите источник!"});
    QCOMPARE(captionWhileUp, QStringList{QString()}); // written again after the box is closed
    QCOMPARE(bench.desktop.captions(), QStringList{"Ошибка"});
    QCOMPARE(stateOf(form).Rx, 1963.0);
    QCOMPARE(control<BenchLabel>(form, "Lbl_Rx")->caption(), QStringLiteral("Rx=1963.0 Ом"));
    QCOMPARE(bench.desktop.seeds, 0);
}

void tst_Instruments::unknownResistorDrawn_data()
{
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("Rx");
    QTest::newRow("bottom") << 0.0 << 50.0;
    QTest::newRow("middle") << 0.5 << 100.0;
    QTest::newRow("just below the last step") << 100.0 / 101 - 1e-12 << 149.0;
    QTest::newRow("last step") << 100.0 / 101 << 150.0;
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 150.0;
    QTest::newRow("single just below 1") << double(std::nextafter(1.0f, 0.0f)) << 150.0;
}

void tst_Instruments::unknownResistorDrawn()
{
    QFETCH(double, u);
    QFETCH(double, Rx);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.draws = {u};
    control<ReadoutBox>(form, "Picture2")->clear();
    control<BenchLabel>(form, "Lbl_Rx")->setVisible(true);
    QStringList captionWhileUp;
    bench.desktop.onBox = [&] { captionWhileUp << control<BenchLabel>(form, "Lbl_Rx")->caption(); };
    clickItem(form, control<BenchImage>(form, "Image6"));
    QCOMPARE(captionWhileUp, QStringList{"Rx=1963.0 Ом"}); // the new value only once it is closed
    QCOMPARE(bench.desktop.seeds, 1);                      // a new seed at each click
    QCOMPARE(stateOf(form).Rx, Rx);
    QCOMPARE(control<BenchLabel>(form, "Lbl_Rx")->caption(),
             QStringLiteral("Rx=%1.0 Ом").arg(int(Rx)));
    QCOMPARE(bench.desktop.texts(),
             QStringList{"Неизвестное сопротивление изменено! Удачной работы!"});
    QCOMPARE(bench.desktop.captions(), QStringList{"Ошибка"});
    QVERIFY(control<BenchLabel>(form, "Lbl_Rx")->isVisible());          // visibility untouched
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QString()); // nothing recomputed
}

// The desktop's own draw, clicked on the resistor: every whole value 50 … 150 turns up, each
// about equally often.
void tst_Instruments::realDrawCoversTheRange()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    RealDesktop real;
    bench.desktop.randomSource = &real;
    const int clicks = 101 * 200;
    QHash<QString, int> shown;
    for (int i = 0; i < clicks; ++i) {
        clickItem(form, control<BenchImage>(form, "Image6"));
        ++shown[control<BenchLabel>(form, "Lbl_Rx")->caption()];
    }
    QCOMPARE(bench.desktop.seeds, clicks);
    QCOMPARE(bench.desktop.boxes.size(), clicks);
    QCOMPARE(shown.size(), 101);
    for (int value = 50; value <= 150; ++value) {
        const int times = shown.value(QStringLiteral("Rx=%1.0 Ом").arg(value));
        QVERIFY2(times > 100 && times < 300,
                 qPrintable(QStringLiteral("%1: %2").arg(value).arg(times)));
    }
}

// The readouts stay for a pause of exactly 10,000 ms, which one tick of the timer ends.
void tst_Instruments::revealShownThenHidden()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.pauseScale = 1; // the real ten seconds: the test ticks the timer itself
    QSignalSpy ticks(control<PauseTimer>(form, "Timer1"), &PauseTimer::elapsed);
    bool shownDuring = false, enabledDuring = false;
    int intervalDuring = 0;
    QTimer::singleShot(0, &form, [&] {
        shownDuring = control<BenchLabel>(form, "Lbl_Rx")->isVisible() &&
                      control<BenchLabel>(form, "Lbl_Ri")->isVisible();
        enabledDuring = control<PauseTimer>(form, "Timer1")->isCounting();
        intervalDuring = control<PauseTimer>(form, "Timer1")->length();
        tick(form);
    });
    PauseRescue rescue(form);
    clickItem(form, control<BenchImage>(form, "Image5"));
    QVERIFY(!rescue.rescued);
    QVERIFY(shownDuring);
    QVERIFY(enabledDuring);
    QCOMPARE(intervalDuring, 10000);
    QCOMPARE(ticks.count(), 1);
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible());
    QVERIFY(!control<BenchLabel>(form, "Lbl_Ri")->isVisible());
    QVERIFY(!control<PauseTimer>(form, "Timer1")->isCounting());
    QCOMPARE(control<PauseTimer>(form, "Timer1")->length(), 0);
}

// A reveal four seconds into another: all four readouts go together ten seconds after the second.
void tst_Instruments::nestedRevealsEndTogether()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.pauseScale = 1; // the real ten seconds: the test ticks the timer itself
    QSignalSpy ticks(control<PauseTimer>(form, "Timer1"), &PauseTimer::elapsed);
    bool allShown = false, innerEnded = false;
    int restartedAt = 0;
    QTimer::singleShot(0, &form, [&] {     // inside the slide wire's reveal
        QTimer::singleShot(0, &form, [&] { // inside the galvanometer's
            allShown = control<BenchLabel>(form, "Lbl_R_L")->isVisible() &&
                       control<BenchLabel>(form, "Lbl_R_R")->isVisible() &&
                       control<BenchLabel>(form, "Lbl_Rx")->isVisible() &&
                       control<BenchLabel>(form, "Lbl_Ri")->isVisible();
            restartedAt = control<PauseTimer>(form, "Timer1")->length();
            tick(form); // ten seconds after the second click
        });
        clickItem(form, control<BenchImage>(form, "Image5"));
        innerEnded = true;
    });
    PauseRescue rescue(form);
    clickBench(form, {100, 225}); // on the wire's board, clear of the slider's readout
    QVERIFY(!rescue.rescued);     // the outer pause ended with the inner one, at the same tick
    QVERIFY(allShown);
    QVERIFY(innerEnded);
    QCOMPARE(restartedAt, 10000); // the second pause set its own ten seconds
    QCOMPARE(ticks.count(), 1);
    for (const BenchLabel *l :
         {control<BenchLabel>(form, "Lbl_R_L"), control<BenchLabel>(form, "Lbl_R_R"),
          control<BenchLabel>(form, "Lbl_Rx"), control<BenchLabel>(form, "Lbl_Ri")})
        QVERIFY(!l->isVisible());
}

void tst_Instruments::revealFollowsTheSlider()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    closeKeyAndSetBox(form, 0, 1, 9, 6, 3, 0);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    bench.desktop.pauseScale = 1;
    QString during, arms;
    QTimer::singleShot(0, &form, [&] {
        control<ScrollBar>(form, "HScroll1")->setBenchValue(120);
        during = control<BenchLabel>(form, "Lbl_Ri")->caption();
        arms = control<BenchLabel>(form, "Lbl_R_L")->caption();
        tick(form);
    });
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), QStringLiteral("Ri=1963.0 Ом"));
    clickItem(form, control<BenchImage>(form, "Image5"));
    QCOMPARE(during, QStringLiteral("Ri=2944.5 Ом")); // 1963 · 3 / 2
    QCOMPARE(arms, QStringLiteral("R_L=3.000 Ом"));
}

void tst_Instruments::waitZero()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    PauseRescue rescue(form);
    bench.desktop.pauseScale = 0; // a desktop whose clock gives the reveal no time
    clickItem(form, control<BenchImage>(form, "Image5"));
    QVERIFY(!rescue.rescued); // returned at once, without a pause
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible());
    QVERIFY(!control<PauseTimer>(form, "Timer1")->isCounting());
    QCOMPARE(control<PauseTimer>(form, "Timer1")->length(), 0);
}

void tst_Instruments::closeAnsweredNo()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    closeKeyAndSetBox(form, 0, 1, 0, 0, 0, 0);
    control<QAction>(form, "mnuHelpAvtors")->trigger();
    QPointer<AuthorsWindow> authors = BenchDriver::authorsWindow();
    QVERIFY(authors && authors->isVisible());
    bench.desktop.yesNoAnswer = Desktop::Answer::No;
    QVERIFY(!form.close());
    QCOMPARE(bench.desktop.boxes.size(), 1);
    QCOMPARE(bench.desktop.boxes[0].text, QStringLiteral("Вы абсолютно уверены?"));
    QCOMPARE(bench.desktop.boxes[0].caption, QStringLiteral("На Выход"));
    QCOMPARE(bench.desktop.boxes[0].buttons, Desktop::Buttons::YesNo);
    QVERIFY(form.isVisible());
    QVERIFY(authors && authors->isVisible());
    QCOMPARE(stateOf(form).R_m, 1000.0f);
    QCOMPARE(stateOf(form).rabota, 1.0);
    QVERIFY(!BenchDriver(form).isEnding());
}

void tst_Instruments::closeAnsweredYes()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<QAction>(form, "mnuHelpAvtors")->trigger();
    QPointer<AuthorsWindow> authors = BenchDriver::authorsWindow();
    bench.desktop.yesNoAnswer = Desktop::Answer::Yes;
    QVERIFY(form.close());
    QVERIFY(!form.isVisible());
    QVERIFY(BenchDriver(form).isEnding());
    QTRY_VERIFY(!authors); // the Authors window closed and is gone
    const std::int16_t before = stateOf(form).istochnik;
    clickItem(form, control<SourcePicture>(form, "Image1")); // nothing runs any more
    QCOMPARE(stateOf(form).istochnik, before);
}

void tst_Instruments::closeDuringReveal()
{
    auto bench = std::make_unique<LoadedBench>();
    BenchWindow &form = *bench->form;
    bench->desktop.pauseScale = 1; // a ten-second pause
    bench->desktop.yesNoAnswer = Desktop::Answer::Yes;
    QTimer::singleShot(0, &form, [&] { form.close(); });
    PauseRescue rescue(form);
    clickItem(form, control<BenchImage>(form, "Image5"));
    QVERIFY(!rescue.rescued); // the pause ended with the program, not with a tick
    rescue.timer.stop();
    QVERIFY(BenchDriver(form).isEnding());
    QVERIFY(!control<PauseTimer>(form, "Timer1")->isCounting());
    QTest::qWait(150); // no timer or handler comes back to the window
    bench.reset();
}

void tst_Instruments::enterAnswersYes()
{
    RealDesktop desktop;
    LoadedBench bench;
    bool noIcon = false, modal = false;
    QStringList buttons;
    QString defaultButton, text, title;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        noIcon = box->icon() == QMessageBox::NoIcon;
        modal = box->isModal() && box->windowModality() == Qt::ApplicationModal;
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        text = Qt::mightBeRichText(box->text())
                   ? QTextDocumentFragment::fromHtml(box->text()).toPlainText()
                   : box->text();
        title = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Return);
    });
    const auto answer =
        desktop.messageBox(bench.form.get(), QStringLiteral("Вы абсолютно уверены?"),
                           QStringLiteral("На Выход"), Desktop::Buttons::YesNo);
    QCOMPARE(answer, Desktop::Answer::Yes);
    QVERIFY(noIcon);
    QVERIFY(modal); // the bench takes no input while it is up
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Да", "Нет"}));
    QCOMPARE(defaultButton, QStringLiteral("Да"));
    QCOMPARE(text, QStringLiteral("Вы абсолютно уверены?"));
    QCOMPARE(title, QStringLiteral("На Выход"));
}

// Yes ends the program's run loop, with the Authors window open: Yes itself, not the closing of
// the last window.
void tst_Instruments::yesEndsTheRunLoop()
{
    const bool lastWindowQuits = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    auto restore =
        qScopeGuard([&] { QGuiApplication::setQuitOnLastWindowClosed(lastWindowQuits); });
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<QAction>(form, "mnuHelpAvtors")->trigger();
    bench.desktop.yesNoAnswer = Desktop::Answer::Yes;
    QTimer::singleShot(0, &form, [&] { form.close(); });
    QTimer
        stuck; // ends a run loop that Yes failed to end, so that the test fails instead of hanging
    stuck.setSingleShot(true);
    connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(15000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(BenchDriver(form).isEnding());
    QVERIFY(!form.isVisible());
    QCOMPARE(bench.desktop.boxes.size(), 1);
}

// A student's measurement through real clicks: balance Rx = 1963, read it, overload, recover.
void tst_Instruments::studentSession()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form,
              control<BenchLabel>(form, "Lblvkl")); // close the key first: the source is still off
    auto turn = [&](ScrollBar *bar, QStyle::SubControl arrow, int clicks) {
        for (int i = 0; i < clicks && bench.desktop.boxes.isEmpty(); ++i)
            clickBar(bar, arrow);
    };
    turn(control<ScrollBar>(form, "VScroll2"), top, 1);
    turn(control<ScrollBar>(form, "VScroll3"), top, 9);
    turn(control<ScrollBar>(form, "VScroll4"), top, 6);
    turn(control<ScrollBar>(form, "VScroll5"), top, 3);
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->text(), QStringLiteral("01963.0"));
    clickBar(control<ScrollBar>(form, "HScroll1"),
             bottom); // slider off the middle: the bridge is out of balance
    clickItem(form, control<SourcePicture>(form, "Image1")); // source on
    QVERIFY(bench.desktop.boxes.isEmpty());
    QVERIFY(control<BenchImage>(form, "Image10")->isVisible());
    QVERIFY(stateOf(form).Ig != 0);
    clickBar(control<ScrollBar>(form, "HScroll1"), top); // back to the middle: balance
    QCOMPARE(control<BenchLabel>(form, "Lbldv")->caption(), QStringLiteral(" 50"));
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QVERIFY(std::fabs(control<BenchLine>(form, "Line17")->p2().x() - 279) < 1);
    bench.desktop.pauseScale = 1;
    QString revealed;
    QTimer::singleShot(0, &form, [&] {
        revealed = control<BenchLabel>(form, "Lbl_Ri")->isVisible()
                       ? control<BenchLabel>(form, "Lbl_Ri")->caption()
                       : "";
        tick(form);
    });
    clickItem(form, control<BenchImage>(form, "Image5"));
    QCOMPARE(revealed, QStringLiteral("Ri=1963.0 Ом"));

    // Turning the box down towards zero overloads the galvanometer before it gets there.
    turn(control<ScrollBar>(form, "VScroll2"), bottom, 1);
    turn(control<ScrollBar>(form, "VScroll3"), bottom, 9);
    turn(control<ScrollBar>(form, "VScroll4"), bottom, 6);
    QCOMPARE(bench.desktop.texts(),
             QStringList{"Такой ток сожжёт гальванометр! Измените сопротивление!"});
    QCOMPARE(stateOf(form).rabota, 0.0);
    QCOMPARE(stateOf(form).istochnik, std::int16_t(0));
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));

    // Recovery: close the key, set the box back, switch the source on again.
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    closeKeyAndSetBox(form, 0, 1, 9, 6, 3, 0);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QCOMPARE(bench.desktop.boxes.size(), 1);
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QVERIFY(stateOf(form).I > 0);
}

void tst_Instruments::oneRecalculationPerAction_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("live"); // key closed, box at 1963 Ω, source on
    for (const char *action : {"slider step", "decade", "rheostat", "key", "source"})
        QTest::newRow(action) << QString::fromLatin1(action) << true;
    QTest::newRow("rheostat maximum") << "rheostat maximum" << false;
    QTest::newRow("key, open circuit") << "key" << false;
    QTest::newRow("source, open circuit") << "source" << false;
    QTest::newRow("overload") << "overload" << false;
}

// Each action of the student solves the bridge once, an overload too (its box, the key opened and
// the source off, the open circuit shown), and start-up once with every instrument set.
void tst_Instruments::oneRecalculationPerAction()
{
    QFETCH(QString, action);
    QFETCH(bool, live);
    std::unique_ptr<LoadedBench> bench =
        live ? std::make_unique<LiveBench>() : std::make_unique<LoadedBench>();
    BenchWindow &form = *bench->form;
    if (!live) {
        FakeDesktop desktop;
        BenchWindow fresh(desktop);
        QSignalSpy startUp(&circuitOf(fresh), &Circuit::changed);
        fresh.start();
        QCOMPARE(startUp.count(), 1);
    }
    if (action == QLatin1String("overload")) // the box at 0 Ω
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QSignalSpy recalculations(&circuitOf(form), &Circuit::changed);
    if (action == QLatin1String("slider step"))
        clickBar(control<ScrollBar>(form, "HScroll1"), QStyle::SC_ScrollBarAddLine);
    else if (action == QLatin1String("decade"))
        clickBar(control<ScrollBar>(form, "VScroll6"), QStyle::SC_ScrollBarSubLine);
    else if (action == QLatin1String("rheostat"))
        clickBar(control<ScrollBar>(form, "HScroll2"), QStyle::SC_ScrollBarAddLine);
    else if (action == QLatin1String("rheostat maximum"))
        clickBar(control<ScrollBar>(form, "VScroll7"), QStyle::SC_ScrollBarAddLine);
    else if (action == QLatin1String("key"))
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    else // the source switched on: with the box at 0 Ω the galvanometer burns
        clickItem(form, control<SourcePicture>(form, "Image1"));

    // Opening the key shows the instruments for an open key and solves nothing.
    const bool solves = !(action == QLatin1String("key") && live);
    QCOMPARE(recalculations.count(), solves ? 1 : 0);
    if (action == QLatin1String("overload")) {
        QCOMPARE(bench->desktop.boxes.size(), 1);
        QCOMPARE(stateOf(form).rabota, std::int16_t(0));
        QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    }
}

QTEST_MAIN(tst_Instruments)
#include "tst_instruments.moc"
