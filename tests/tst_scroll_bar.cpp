// Tests of the scroll bar's change reports, directions and steps, driven with real mouse input.
#include "toolkit/scroll_bar.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

void sendMouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void clickPart(ScrollBar &bar, QStyle::SubControl part)
{
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.partRect(part).center());
}

} // namespace

class tst_ScrollBar : public QObject
{
    Q_OBJECT
  private slots:
    void setFromCode();
    void lowerMaximum();
    void arrows_data();
    void arrows();
    void dragReportsOnRelease();
    void wheelAndKeysOnDecade();
};

void tst_ScrollBar::setFromCode()
{
    ScrollBar bar(Qt::Horizontal, 4, 12, 4);
    QSignalSpy spy(&bar, &ScrollBar::change);
    bar.setBenchValue(4);
    QCOMPARE(spy.count(), 0);
    bar.setBenchValue(8);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(bar.benchValue(), 8);
    bar.setBenchValue(40); // beyond the end: held at the end
    QCOMPARE(bar.benchValue(), 12);
    QCOMPARE(spy.count(), 2);
}

void tst_ScrollBar::lowerMaximum()
{
    ScrollBar bar(Qt::Horizontal, 0, 150, 112);
    int seen = -1, calls = 0;
    connect(&bar, &ScrollBar::change, [&] {
        ++calls;
        seen = bar.benchValue();
    });
    bar.setEndValue(200); // the value still fits: nothing to report
    QCOMPARE(calls, 0);
    bar.setEndValue(30); // the value is pulled to the new end, reported once and synchronously
    QCOMPARE(calls, 1);
    QCOMPARE(seen, 30);
    QCOMPARE(bar.endValue(), 30);
}

void tst_ScrollBar::arrows_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("arrowStep");
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("expected");
    const int V = Qt::Vertical, H = Qt::Horizontal;
    const int up = QStyle::SC_ScrollBarSubLine, down = QStyle::SC_ScrollBarAddLine;
    QTest::newRow("decade top arrow raises") << V << 9 << 0 << 3 << 1 << up << 4;
    QTest::newRow("decade bottom arrow lowers") << V << 9 << 0 << 3 << 1 << down << 2;
    QTest::newRow("decade at 9 stays") << V << 9 << 0 << 9 << 1 << up << 9;
    QTest::newRow("decade at 0 stays") << V << 9 << 0 << 0 << 1 << down << 0;
    QTest::newRow("rheostat maximum top arrow") << V << 500 << 15 << 30 << 5 << up << 35;
    QTest::newRow("rheostat maximum bottom arrow") << V << 500 << 15 << 30 << 5 << down << 25;
    QTest::newRow("slider right arrow") << H << 0 << 200 << 100 << 1 << down << 101;
    QTest::newRow("slider left arrow") << H << 0 << 200 << 100 << 1 << up << 99;
}

void tst_ScrollBar::arrows()
{
    QFETCH(int, orientation);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, start);
    QFETCH(int, arrowStep);
    QFETCH(int, part);
    QFETCH(int, expected);
    QWidget window;
    ScrollBar bar(Qt::Orientation(orientation), top, bottom, start, &window);
    bar.setSingleStep(arrowStep);
    bar.setGeometry(orientation == Qt::Vertical ? QRect(10, 10, 15, 80) : QRect(10, 10, 200, 15));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(&bar, &ScrollBar::change);
    clickPart(bar, QStyle::SubControl(part));
    QCOMPARE(bar.benchValue(), expected);
    QCOMPARE(spy.count(), expected == start ? 0 : 1);
}

void tst_ScrollBar::dragReportsOnRelease()
{
    QWidget window;
    ScrollBar bar(Qt::Vertical, 9, 0, 0, &window);
    bar.setGeometry(10, 10, 15, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(&bar, &ScrollBar::change);
    const QPoint thumb = bar.partRect(QStyle::SC_ScrollBarSlider).center();
    sendMouse(&bar, QEvent::MouseButtonPress, thumb, Qt::LeftButton);
    for (int dy = 5; dy <= 80; dy += 5)
        sendMouse(&bar, QEvent::MouseMove, thumb - QPoint(0, dy), Qt::LeftButton);
    QCOMPARE(spy.count(), 0); // nothing while the thumb is held
    sendMouse(&bar, QEvent::MouseButtonRelease, thumb - QPoint(0, 80), Qt::NoButton);
    QCOMPARE(spy.count(), 1);
    QVERIFY(bar.benchValue() > 0); // pushed up, the digit rose
}

void tst_ScrollBar::wheelAndKeysOnDecade()
{
    QWidget window;
    ScrollBar bar(Qt::Vertical, 9, 0, 4, &window);
    bar.setGeometry(10, 10, 15, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(bar.focusPolicy(), Qt::StrongFocus);
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Up);
    QCOMPARE(bar.benchValue(), 5);
    QTest::keyClick(&bar, Qt::Key_Down);
    QCOMPARE(bar.benchValue(), 4);
    const QPoint at = bar.rect().center();
    QWheelEvent up(at, bar.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &up);
    QVERIFY(bar.benchValue() > 4); // the wheel turned away from the user raises the digit
}

QTEST_MAIN(tst_ScrollBar)
#include "tst_scroll_bar.moc"
