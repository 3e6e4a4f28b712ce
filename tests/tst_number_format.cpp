// Tests of the readout number patterns, the general and the short invariant forms.
#include "model/number_format.h"

#include <QtTest>

class tst_NumberFormat : public QObject
{
    Q_OBJECT
  private slots:
    void patterns_data();
    void patterns();
    void general_data();
    void general();
    void shortInvariant_data();
    void shortInvariant();
    void sliderPositions_data();
    void sliderPositions();
    void parse();
};

void tst_NumberFormat::patterns_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("expected");
    QTest::newRow("current zero") << 0.0 << "#0.0000000"
                                  << "."
                                  << "0.0000000";
    QTest::newRow("current negative") << -0.0000767 << "#0.0000000"
                                      << "."
                                      << "-0.0000767";
    QTest::newRow("current rounded") << -0.00007668 << "#0.0000000"
                                     << "."
                                     << "-0.0000767";
    QTest::newRow("current comma") << -0.0331 << "#0.0000000"
                                   << ","
                                   << "-0,0331000";
    QTest::newRow("tiny negative keeps its sign") << -1e-12 << "#0.0000000"
                                                  << "."
                                                  << "-0.0000000";
    QTest::newRow("negative below the last digit") << -4.9e-8 << "#0.0000000"
                                                   << ","
                                                   << "-0,0000000";
    QTest::newRow("positive below the last digit") << 4.9e-8 << "#0.0000000"
                                                   << "."
                                                   << "0.0000000";
    QTest::newRow("negative zero") << -0.0 << "#0.0000000"
                                   << "."
                                   << "0.0000000";
    QTest::newRow("separator of two bytes")
        << -0.0331 << "#0.0000000" << QString(QChar(0x066B)) << QStringLiteral("-0٫0331000");
    QTest::newRow("source current") << 0.062997 << "#0.00"
                                    << "."
                                    << "0.06";
    QTest::newRow("half away from zero") << 3.365 << "#0.00"
                                         << "."
                                         << "3.37";
    QTest::newRow("binary just below half") << 2.675 << "#0.00"
                                            << "."
                                            << "2.68";
    QTest::newRow("negative half") << -0.05 << "0.0"
                                   << "."
                                   << "-0.1";
    QTest::newRow("carry into new digit") << 9.96 << "0.0"
                                          << "."
                                          << "10.0";
    QTest::newRow("box zero") << 0.0 << "#00000.0"
                              << "."
                              << "00000.0";
    QTest::newRow("box 105.3") << 105.3 << "#00000.0"
                               << "."
                               << "00105.3";
    QTest::newRow("box max single") << double(99999.9f) << "#00000.0"
                                    << ","
                                    << "99999,9";
    QTest::newRow("box 12345.6 single") << double(12345.6f) << "#00000.0"
                                        << "."
                                        << "12345.6";
    QTest::newRow("box tenth") << 0.1 << "#00000.0"
                               << "."
                               << "00000.1";
    QTest::newRow("Rx point") << 1963.0 << "0.0"
                              << "."
                              << "1963.0";
    QTest::newRow("Rx comma") << 1963.0 << "0.0"
                              << ","
                              << "1963,0";
    QTest::newRow("arm") << 2.5 << "0.000"
                         << "."
                         << "2.500";
    QTest::newRow("arm single") << double(2.475f) << "0.000"
                                << ","
                                << "2,475";
    QTest::newRow("percent middle") << 50.0 << "00.0"
                                    << "."
                                    << "50.0";
    QTest::newRow("percent small") << 0.5 << "00.0"
                                   << "."
                                   << "00.5";
    QTest::newRow("percent full") << 100.0 << "00.0"
                                  << "."
                                  << "100.0";
    QTest::newRow("percent 101 steps") << 101 * 0.005 * 100 << "00.0"
                                       << "."
                                       << "50.5";
}

void tst_NumberFormat::patterns()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, point);
    QFETCH(QString, expected);
    const std::string got = formatPattern(value, pattern.toStdString(), point.toStdString());
    QCOMPARE(QString::fromStdString(got), expected);
}

void tst_NumberFormat::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 112.0 << false << "."
                           << "112";
    QTest::newRow("whole single") << 10.0 << true << ","
                                  << "10";
    QTest::newRow("zero") << 0.0 << true << "."
                          << "0";
    QTest::newRow("half single comma") << 112.5 << true << ","
                                       << "112,5";
    QTest::newRow("tenth single") << 0.1 << true << "."
                                  << "0.1";
    QTest::newRow("tenth double") << 0.1 << false << "."
                                  << "0.1";
    QTest::newRow("negative") << -2.25 << false << "."
                              << "-2.25";
}

void tst_NumberFormat::general()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, point);
    QFETCH(QString, expected);
    const std::string sep = point.toStdString();
    const std::string got =
        single ? formatGeneral(static_cast<float>(value), sep) : formatGeneral(value, sep);
    QCOMPARE(QString::fromStdString(got), expected);
}

void tst_NumberFormat::shortInvariant_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("middle") << 50.0 << " 50";
    QTest::newRow("half") << 50.5 << " 50.5";
    QTest::newRow("below one") << 0.5 << " .5";
    QTest::newRow("negative below one") << -0.5 << "-.5";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero reads like zero") << -0.0 << " 0";
    QTest::newRow("hundred") << 100.0 << " 100";
    QTest::newRow("negative") << -12.25 << "-12.25";
}

void tst_NumberFormat::shortInvariant()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(formatShortInvariant(value)), expected);
}

void tst_NumberFormat::sliderPositions_data()
{
    QTest::addColumn<QString>("point");
    QTest::newRow("decimal point") << ".";
    QTest::newRow("decimal comma") << ",";
}

// All 201 positions: the percent is position / 2, shown without a trailing ".0" and without the
// zero before the point, always with "." whatever the locale.
void tst_NumberFormat::sliderPositions()
{
    QFETCH(QString, point);
    const std::string sep = point.toStdString();
    for (int position = 0; position <= 200; ++position) {
        const int whole = position / 2;
        QString expected = " ";
        if (position % 2 == 0)
            expected += QString::number(whole);
        else
            expected += (whole == 0 ? QString() : QString::number(whole)) + ".5";
        QCOMPARE(QString::fromStdString(sliderCaption(position * 0.005, sep)), expected);
    }
}

void tst_NumberFormat::parse()
{
    double v = 0;
    QVERIFY(parseDecimal("50,5", ",", v));
    QCOMPARE(v, 50.5);
    QVERIFY(parseDecimal("00.5", ".", v));
    QCOMPARE(v, 0.5);
    QVERIFY(!parseDecimal("50.5", ",", v));
    QVERIFY(!parseDecimal("", ".", v));
    QVERIFY(!parseDecimal("abc", ".", v));
    QVERIFY(parseDecimal("50\u066B5", "\u066B", v)); // a separator of more than one byte
    QCOMPARE(v, 50.5);
}

QTEST_APPLESS_MAIN(tst_NumberFormat)
#include "tst_number_format.moc"
