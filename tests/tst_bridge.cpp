// Tests of the closed-form bridge solution against worked cases and an independent nodal solve.
#include "model/bridge.h"

#include <QtTest>
#include <cmath>

namespace {

BridgeInput workedExample()
{
    BridgeInput in;
    in.R1 = 1963;
    in.R2 = 1000;
    in.R3 = 2.5f; // R_R is single
    in.R4 = 2.5;
    in.Rg = 2.3f;
    in.Reo = 112;
    in.r = 10;
    in.Edc = 8;
    in.rabota = 1;
    in.istochnik = 1;
    return in;
}

// Kirchhoff's laws at the three free nodes, the second source pole grounded, solved by
// elimination in extended precision. Pole A joins R1 and R4, pole B joins R2 and R3, C is the
// R1–R2 junction and S the slider.
void nodalSolve(const BridgeInput &in, double &I, double &Ig)
{
    using L = long double;
    const L g1 = 1 / L(in.R1), g2 = 1 / L(in.R2), g3 = 1 / L(in.R3), g4 = 1 / L(in.R4);
    const L gg = 1 / L(in.Rg);
    const L Rs = L(in.Reo) + L(in.r);
    L VA, VC, VS;
    // Rows for C and S: their voltages given VA.
    //   C: (g1 + g2 + gg) VC − gg VS = g1 VA;  S: −gg VC + (g3 + g4 + gg) VS = g4 VA
    const L a = g1 + g2 + gg, b = -gg, c = -gg, d = g3 + g4 + gg;
    const L det = a * d - b * c;
    const L kC = (g1 * d - b * g4) / det; // VC = kC · VA
    const L kS = (a * g4 - c * g1) / det; // VS = kS · VA
    // Current drawn from A by the bridge for VA = 1: the bridge's conductance.
    const L gBridge = g1 * (1 - kC) + g4 * (1 - kS);
    VA = L(in.Edc) / (1 + Rs * gBridge);
    VC = kC * VA;
    VS = kS * VA;
    I = double(gBridge * VA);
    Ig = double((VC - VS) * gg);
}

} // namespace

class tst_Bridge : public QObject
{
    Q_OBJECT
  private slots:
    void workedCases_data();
    void workedCases();
    void openCircuit_data();
    void openCircuit();
    void rightArmZero();
    void verdict_data();
    void verdict();
    void agreesWithNodalSolve();
};

void tst_Bridge::workedCases_data()
{
    QTest::addColumn<double>("R_m");
    QTest::addColumn<double>("Edc");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("Reo");
    QTest::addColumn<double>("Rx");
    QTest::addColumn<double>("I");
    QTest::addColumn<double>("Ig");
    QTest::addColumn<double>("Ri");
    QTest::addColumn<int>("overload");
    QTest::newRow("worked example") << 1000.0 << 8.0 << 10.0 << 112.0 << 1963.0 << 0.062997
                                    << -0.0000767 << 1000.0 << int(Overload::None);
    QTest::newRow("balance") << 1963.0 << 8.0 << 10.0 << 112.0 << 1963.0 << 0.062997 << 0.0
                             << 1963.0 << int(Overload::None);
    QTest::newRow("galvanometer overload") << 0.0 << 8.0 << 10.0 << 112.0 << 1963.0 << 0.0636
                                           << -0.0331 << 0.0 << int(Overload::Galvanometer);
    QTest::newRow("source checked first")
        << 0.0 << 12.0 << 0.0 << 0.0 << 100.0 << 3.365 << -1.69 << 0.0 << int(Overload::Source);
}

void tst_Bridge::workedCases()
{
    QFETCH(double, R_m);
    QFETCH(double, Edc);
    QFETCH(double, r);
    QFETCH(double, Reo);
    QFETCH(double, Rx);
    QFETCH(double, I);
    QFETCH(double, Ig);
    QFETCH(double, Ri);
    QFETCH(int, overload);
    BridgeInput in = workedExample();
    in.R1 = Rx;
    in.R2 = R_m;
    in.Edc = Edc;
    in.r = r;
    in.Reo = Reo;
    const BridgeResult out = solveBridge(in);
    QVERIFY(out.live);
    QVERIFY(std::fabs(out.I - I) <= 0.001 * I);
    if (Ig == 0)
        QCOMPARE(out.Ig, 0.0);
    else
        QVERIFY2(std::fabs(out.Ig - Ig) <= 0.003 * std::fabs(Ig),
                 qPrintable(QString::number(out.Ig)));
    QVERIFY(out.hasRi);
    QVERIFY(std::fabs(out.Ri - Ri) < 1e-9);
    QCOMPARE(int(overloadVerdict(out.I, 3, out.Ig, 0.0025f)), overload);
}

void tst_Bridge::openCircuit_data()
{
    QTest::addColumn<double>("rabota");
    QTest::addColumn<int>("istochnik");
    QTest::newRow("key open") << 0.0 << 1;
    QTest::newRow("source off") << 1.0 << 0;
    QTest::newRow("both off") << 0.0 << 0;
}

void tst_Bridge::openCircuit()
{
    QFETCH(double, rabota);
    QFETCH(int, istochnik);
    BridgeInput in = workedExample();
    in.rabota = rabota;
    in.istochnik = istochnik;
    const BridgeResult out = solveBridge(in);
    QVERIFY(!out.live);
    QCOMPARE(out.I, 0.0);
    QCOMPARE(out.Ig, 0.0);
    QVERIFY(!out.hasRi);
    // The imbalance and denominator are computed whatever the switches.
    QVERIFY(std::fabs(out.N - (1000 * 2.5 - 1963 * 2.5)) < 1e-9);
    QVERIFY(out.D > 0);
}

void tst_Bridge::rightArmZero()
{
    BridgeInput in = workedExample();
    in.R3 = 0;
    in.R4 = 5;
    const BridgeResult out = solveBridge(in);
    QVERIFY(!out.hasRi);
    QVERIFY(out.I > 0);
    QVERIFY(std::isfinite(out.Ig));

    in.R3 = 5; // slider at the left end: the balance condition gives zero
    in.R4 = 0;
    const BridgeResult left = solveBridge(in);
    QVERIFY(left.hasRi);
    QCOMPARE(left.Ri, 0.0);
}

void tst_Bridge::verdict_data()
{
    QTest::addColumn<double>("I");
    QTest::addColumn<double>("Ig");
    QTest::addColumn<int>("expected");
    const double Igmax = 0.0025f;
    QTest::newRow("source at limit") << 3.0 << 0.0 << int(Overload::None);
    QTest::newRow("source over") << std::nextafter(3.0, 4.0) << 0.0 << int(Overload::Source);
    QTest::newRow("galvanometer at limit") << 0.5 << Igmax << int(Overload::None);
    QTest::newRow("galvanometer at negative limit") << 0.5 << -Igmax << int(Overload::None);
    QTest::newRow("galvanometer over")
        << 0.5 << std::nextafter(Igmax, 1.0) << int(Overload::Galvanometer);
    QTest::newRow("galvanometer over negative") << 0.5 << -0.003 << int(Overload::Galvanometer);
    QTest::newRow("both over: source first") << 4.0 << 1.0 << int(Overload::Source);
}

void tst_Bridge::verdict()
{
    QFETCH(double, I);
    QFETCH(double, Ig);
    QFETCH(int, expected);
    QCOMPARE(int(overloadVerdict(I, 3, Ig, 0.0025f)), expected);
}

void tst_Bridge::agreesWithNodalSolve()
{
    const double arms[] = {0.1, 3.7, 250, 1963, 99999.9};
    const double emfs[] = {4, 12};
    const double internals[] = {0, 20};
    const double rheostats[] = {0, 500};
    int cases = 0;
    for (double R1 : arms)
        for (double R2 : arms)
            for (double R3 : arms)
                for (double R4 : arms)
                    for (double Edc : emfs)
                        for (double r : internals)
                            for (double Reo : rheostats) {
                                BridgeInput in{R1, R2, R3, R4, double(2.3f), Reo, r, Edc, 1, 1};
                                const BridgeResult out = solveBridge(in);
                                double I = 0, Ig = 0;
                                nodalSolve(in, I, Ig);
                                const QString where =
                                    QString("R1=%1 R2=%2 R3=%3 R4=%4 E=%5 r=%6 Reo=%7")
                                        .arg(R1)
                                        .arg(R2)
                                        .arg(R3)
                                        .arg(R4)
                                        .arg(Edc)
                                        .arg(r)
                                        .arg(Reo);
                                QVERIFY2(std::fabs(out.I - I) <= 1e-9 * I, qPrintable(where));
                                const double scale = std::max(std::fabs(Ig), 1e-4 * I);
                                QVERIFY2(std::fabs(out.Ig - Ig) <= 1e-9 * scale, qPrintable(where));
                                ++cases;
                            }
    QCOMPARE(cases, 5000);
}

QTEST_APPLESS_MAIN(tst_Bridge)
#include "tst_bridge.moc"
