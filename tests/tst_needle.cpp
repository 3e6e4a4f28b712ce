// Tests of the needle geometry for the currents the bench meets.
#include "model/needle.h"

#include <QtTest>
#include <cmath>

class tst_Needle : public QObject
{
    Q_OBJECT
  private slots:
    void tip_data();
    void tip();
    void constants();
};

void tst_Needle::tip_data()
{
    QTest::addColumn<double>("Ig");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("at rest") << 0.0 << 279.0 << 278.0 << 1e-4;
    QTest::newRow("full scale right") << double(0.0025f) << 319.09 << 294.48 << 0.01;
    QTest::newRow("full scale left") << -double(0.0025f) << 238.91 << 294.48 << 0.01;
    QTest::newRow("worked example") << -0.0000767 << 279 - 1.364 << 278.02 << 0.01;
    QTest::newRow("overload wraps round") << -0.0331 << 323.6 << 370.5 << 0.2;
}

void tst_Needle::tip()
{
    QFETCH(double, Ig);
    QFETCH(double, x2);
    QFETCH(double, y2);
    QFETCH(double, tolerance);
    const NeedleGeometry g = needleGeometry(Ig, 0.0025f);
    QCOMPARE(g.x1, 279.0f);
    QCOMPARE(g.y1, 335.0f);
    QVERIFY2(std::fabs(g.x2 - x2) <= tolerance, qPrintable(QString::number(g.x2, 'f', 4)));
    QVERIFY2(std::fabs(g.y2 - y2) <= tolerance, qPrintable(QString::number(g.y2, 'f', 4)));
    // The needle keeps its length whatever the angle.
    QVERIFY(std::fabs(std::hypot(g.x2 - g.x1, g.y2 - g.y1) - 57) < 1e-3);
}

void tst_Needle::constants()
{
    const NeedleGeometry g = needleGeometry(0.001, 0.0025f);
    QCOMPARE(g.alpha_max, 0.78);
    QVERIFY(std::fabs(g.k_alpha - 312) < 1e-4);
    QVERIFY(std::fabs(g.alpha - 0.312) < 1e-6);
    QCOMPARE(g.dy, static_cast<float>(std::cos(g.alpha) * 57));
}

QTEST_APPLESS_MAIN(tst_Needle)
#include "tst_needle.moc"
