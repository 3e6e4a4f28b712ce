// Tests of the bench without a mouse: the focus order, the keys on scroll bars and pictures, and a
// whole measurement made from the keyboard.
#include "bench_fixture.h"

#include <QTimer>
#include <cmath>
#include <functional>
#include <map>

namespace {

const auto top = QStyle::SC_ScrollBarSubLine;
const auto bottom = QStyle::SC_ScrollBarAddLine;

/** A loaded bench whose window has the keyboard, as a freshly started program's has. */
struct ActiveBench : LoadedBench
{
    ActiveBench()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
};

/** A key typed by the user: it goes wherever the window sends its keys. */
void press(BenchWindow &form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(form.windowHandle(), key, modifiers);
}

/** The control that has the keyboard: a drawn item of the bench or a scroll bar. */
QString focused(BenchWindow &form)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus == benchOf(form))
        return benchOf(form)->keyboard().focusItem() ? benchOf(form)->keyboard().focusItem()->name()
                                                     : QStringLiteral("bench");
    return focus ? focus->objectName() : QString();
}

/** Presses Tab until the named control has the keyboard; false if a whole round misses it. */
bool tabTo(BenchWindow &form, const QString &name)
{
    for (int i = 0; i <= static_cast<int>(benchOf(form)->keyboard().focusChain().size()); ++i) {
        if (focused(form) == name)
            return true;
        press(form, Qt::Key_Tab);
    }
    return focused(form) == name;
}

/** Everything the bench shows and holds, as text, to compare two sessions. */
QStringList snapshot(BenchWindow &form)
{
    const CircuitState &s = stateOf(form);
    QStringList out;
    for (double v : {s.Edc, double(s.r), s.Reo_max, double(s.Reo), s.R_dlina, s.R_L, double(s.R_R),
                     double(s.R_m), s.Rx, s.rabota, double(s.istochnik), s.I, s.Ig, s.alpha})
        out << QString::number(v, 'g', 17);
    for (const auto &item : benchOf(form)->items()) {
        const QRectF b = item->bounds();
        QString line = QStringLiteral("%1 %2 %3,%4,%5,%6")
                           .arg(item->name(), item->isVisible() ? "shown" : "hidden")
                           .arg(b.left())
                           .arg(b.top())
                           .arg(b.right())
                           .arg(b.bottom());
        if (auto *label = dynamic_cast<const BenchLabel *>(item.get()))
            line += QLatin1Char(' ') + label->caption();
        out << line;
    }
    for (QObject *child : benchOf(form)->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w)
            continue;
        QString line = w->objectName() + (w->isHidden() ? " hidden" : " shown");
        if (auto *bar = qobject_cast<ScrollBar *>(w))
            line += QStringLiteral(" %1 of %2").arg(bar->benchValue()).arg(bar->endValue());
        if (auto *box = qobject_cast<ReadoutBox *>(w))
            line += QLatin1Char(' ') + box->text();
        out << line;
    }
    return out;
}

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void focusOrder_data();
    void focusOrder();
    void barKeys_data();
    void barKeys();
    void spaceAndEnter_data();
    void spaceAndEnter();
    void hiddenBarHandsTheFocusOn();
    void clickMovesTheKeyboard();
    void outlineOnlyFromTheKeyboard();
    void keysDuringReveal();
    void keyboardSession();
};

void tst_Keyboard::initTestCase()
{
    QLocale::setDefault(QLocale::c()); // readouts with a decimal point, whatever the machine's
}

void tst_Keyboard::focusOrder_data()
{
    QTest::addColumn<bool>("closeKey");
    QTest::addColumn<bool>("sourceOn");
    QTest::addColumn<bool>("hideSlideWire");
    QTest::addColumn<QStringList>("order");
    const QStringList decades = {"VScroll1", "VScroll2", "VScroll3",
                                 "VScroll4", "VScroll5", "VScroll6"};
    QTest::newRow("key open, source off")
        << false << false << false << QStringList{"Image1",   "HScroll3", "HScroll4", "Lblvkl",
                                                  "VScroll7", "Image6",   "Image3",   "Image5"};
    QTest::newRow("key open, source on")
        << false << true << false
        << QStringList{"Image1", "Lblvkl", "VScroll7", "Image6", "Image3", "Image5"};
    QTest::newRow("key closed, source off")
        << true << false << false
        << QStringList{"Image1", "HScroll3", "HScroll4", "Lblvkl", "HScroll2", "Image6"} + decades +
               QStringList{"HScroll1", "Image3", "Image5"};
    QTest::newRow("key closed, source on")
        << true << true << false
        << QStringList{"Image1", "Lblvkl", "HScroll2", "Image6"} + decades +
               QStringList{"HScroll1", "Image3", "Image5"};
    QTest::newRow("a hidden picture too")
        << false << false << true
        << QStringList{"Image1", "HScroll3", "HScroll4", "Lblvkl", "VScroll7", "Image6", "Image5"};
}

// A whole round forwards from the bench, then backwards: each shown control once, hidden ones
// never.
void tst_Keyboard::focusOrder()
{
    QFETCH(bool, closeKey);
    QFETCH(bool, sourceOn);
    QFETCH(bool, hideSlideWire);
    QFETCH(QStringList, order);
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    setBox(form, {0, 1, 9, 6, 3, 0}); // balanced: switching on refuses nothing
    if (closeKey)
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    if (sourceOn)
        clickItem(form, control<SourcePicture>(form, "Image1"));
    control<BenchImage>(form, "Image3")->setVisible(!hideSlideWire);
    QVERIFY(bench.desktop.boxes.isEmpty());
    benchOf(form)->keyboard().setFocusItem(nullptr);
    QCOMPARE(focused(form), QStringLiteral("bench"));

    QStringList forwards;
    for (int i = 0; i <= order.size(); ++i) {
        press(form, Qt::Key_Tab);
        forwards << focused(form);
    }
    QCOMPARE(forwards, order + QStringList{order.first()}); // and round to the start again
    QStringList backwards;
    for (int i = 0; i < order.size(); ++i) {
        press(form, Qt::Key_Tab, Qt::ShiftModifier);
        backwards.prepend(focused(form));
    }
    QCOMPARE(backwards, order);
}

void tst_Keyboard::barKeys_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("caption"); // of the readout that the bar's procedure writes
    auto row = [](const char *name, const char *bar, int start, Qt::Key key, int expected,
                  const char *caption) {
        QTest::newRow(name) << bar << start << int(key) << expected << QString::fromUtf8(caption);
    };
    // Decades: the top holds 9, so Up, Page Up and Home raise the digit.
    row("decade Up", "VScroll2", 4, Qt::Key_Up, 5, "5");
    row("decade Down", "VScroll2", 4, Qt::Key_Down, 3, "3");
    row("decade Right", "VScroll2", 4, Qt::Key_Right, 5, "5");
    row("decade Left", "VScroll2", 4, Qt::Key_Left, 3, "3");
    row("decade Page Up", "VScroll2", 4, Qt::Key_PageUp, 5, "5");
    row("decade Page Down", "VScroll2", 4, Qt::Key_PageDown, 3, "3");
    row("decade Home", "VScroll2", 4, Qt::Key_Home, 9, "9");
    row("decade End", "VScroll2", 4, Qt::Key_End, 0, "0");
    row("decade Up at 9", "VScroll2", 9, Qt::Key_Up, 9, "9");
    row("decade Down at 0", "VScroll6", 0, Qt::Key_Down, 0, "0");
    // The rheostat maximum: 5 on the arrows, 1 on the page keys, like its arrows and track.
    row("maximum Up", "VScroll7", 150, Qt::Key_Up, 155, "155");
    row("maximum Down", "VScroll7", 150, Qt::Key_Down, 145, "145");
    row("maximum Page Up", "VScroll7", 150, Qt::Key_PageUp, 151, "151");
    row("maximum Home", "VScroll7", 150, Qt::Key_Home, 500, "500");
    row("maximum End", "VScroll7", 150, Qt::Key_End, 15, "15");
    // Horizontal bars grow to the right: Right, Up and Page Up raise, Home is the left end.
    row("slider Right", "HScroll1", 100, Qt::Key_Right, 101, " 50.5");
    row("slider Left", "HScroll1", 100, Qt::Key_Left, 99, " 49.5");
    row("slider Up", "HScroll1", 100, Qt::Key_Up, 101, " 50.5");
    row("slider Down", "HScroll1", 100, Qt::Key_Down, 99, " 49.5");
    row("slider Page Up", "HScroll1", 100, Qt::Key_PageUp, 105, " 52.5");
    row("slider Page Down", "HScroll1", 100, Qt::Key_PageDown, 95, " 47.5");
    row("slider Home", "HScroll1", 100, Qt::Key_Home, 0, " 0");
    row("slider End", "HScroll1", 100, Qt::Key_End, 200, " 100");
    row("EMF Right", "HScroll3", 8, Qt::Key_Right, 9, "9");
    row("EMF End", "HScroll3", 8, Qt::Key_End, 12, "12");
    row("internal resistance Home", "HScroll4", 10, Qt::Key_Home, 0, "0");
    row("rheostat Left", "HScroll2", 112, Qt::Key_Left, 111, "111");
}

// Each key runs the bar's change procedure once, as a click on an arrow or the track does.
void tst_Keyboard::barKeys()
{
    QFETCH(QString, bar);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    QFETCH(QString, caption);
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    auto *scroll = form.findChild<ScrollBar *>(bar);
    QVERIFY(scroll);
    if (scroll != control<ScrollBar>(form, "VScroll7") &&
        scroll != control<ScrollBar>(form, "HScroll3") &&
        scroll != control<ScrollBar>(form, "HScroll4"))
        clickItem(form,
                  control<BenchLabel>(
                      form, "Lblvkl")); // the slider, the rheostat and the box want the key closed
    scroll->setBenchValue(start);
    const std::map<QString, const BenchLabel *> readouts = {
        {"VScroll2", control<BenchLabel>(form, "lbl_R_m_2")},
        {"VScroll6", control<BenchLabel>(form, "Lbl_R_m_6")},
        {"VScroll7", control<BenchLabel>(form, "LblReomax")},
        {"HScroll1", control<BenchLabel>(form, "Lbldv")},
        {"HScroll2", control<BenchLabel>(form, "Lbl_reo")},
        {"HScroll3", control<BenchLabel>(form, "LblEdc")},
        {"HScroll4", control<BenchLabel>(form, "Lblr")}};
    QVERIFY(tabTo(form, bar));
    QSignalSpy changes(scroll, &ScrollBar::change);
    press(form, Qt::Key(key));
    QCOMPARE(scroll->benchValue(), expected);
    QCOMPARE(changes.count(), expected == start ? 0 : 1);
    QCOMPARE(readouts.at(bar)->caption(), caption);
    QCOMPARE(focused(form), bar); // the keys do not move the focus
}

void tst_Keyboard::spaceAndEnter_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("clicks");
    const int none = Qt::NoModifier;
    QTest::newRow("source, Space") << "Image1" << int(Qt::Key_Space) << none << 1;
    QTest::newRow("key, Return") << "Lblvkl" << int(Qt::Key_Return) << none << 1;
    QTest::newRow("unknown resistor, keypad Enter")
        << "Image6" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("slide wire, Space") << "Image3" << int(Qt::Key_Space) << none << 1;
    QTest::newRow("galvanometer, Enter") << "Image5" << int(Qt::Key_Return) << none << 1;
    QTest::newRow("a letter clicks nothing") << "Image1" << int(Qt::Key_A) << none << 0;
    QTest::newRow("Ctrl+Space clicks nothing")
        << "Lblvkl" << int(Qt::Key_Space) << int(Qt::ControlModifier) << 0;
    QTest::newRow("Alt+Return clicks nothing")
        << "Image1" << int(Qt::Key_Return) << int(Qt::AltModifier) << 0;
}

// The key runs the picture's own click procedure: the same one that a mouse click runs.
void tst_Keyboard::spaceAndEnter()
{
    QFETCH(QString, item);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, clicks);
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    BenchItem *picture = benchOf(form)->item(item);
    QVERIFY(picture);
    int calls = 0;
    const std::function<void()> procedure = picture->onClick;
    picture->onClick = [&] {
        ++calls;
        procedure();
    };
    QVERIFY(tabTo(form, item));
    press(form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(calls, clicks);
    QCOMPARE(focused(form), item);
    if (item == QLatin1String("Image1"))
        QCOMPARE(stateOf(form).istochnik, std::int16_t(clicks));
    if (item == QLatin1String("Lblvkl"))
        QCOMPARE(stateOf(form).rabota, double(clicks));
    if (item == QLatin1String("Image6")) // source off: a new unknown and its box
        QCOMPARE(bench.desktop.texts(),
                 QStringList{"Неизвестное сопротивление изменено! Удачной работы!"});
    if (item == QLatin1String("Image3") || item == QLatin1String("Image5"))
        QVERIFY(!control<BenchLabel>(form, "Lbl_R_L")->isVisible() &&
                !control<BenchLabel>(form, "Lbl_Rx")->isVisible()); // shown, then hidden

    // Holding the key down clicks once, not once per repeat.
    if (clicks == 1 && item == QLatin1String("Lblvkl")) {
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(benchOf(form), &repeat);
        QCOMPARE(calls, 1);
    }
}

// A decade that has the keyboard when an overload hides the box hands it on to a shown control.
void tst_Keyboard::hiddenBarHandsTheFocusOn()
{
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    setBox(form, {0, 1, 0, 0, 0, 0});
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QVERIFY(bench.desktop.boxes.isEmpty());
    QVERIFY(tabTo(form, "VScroll2"));
    press(form, Qt::Key_End); // the box at 0: the galvanometer would burn
    QCOMPARE(bench.desktop.boxes.size(), 1);
    QVERIFY(control<ScrollBar>(form, "VScroll2")->isHidden());
    const QString now = focused(form);
    bool offered = false;
    for (const FocusStop &stop : benchOf(form)->keyboard().focusChain())
        if (benchOf(form)->keyboard().isAvailable(stop) &&
            (stop.item ? stop.item->name() : stop.widget->objectName()) == now)
            offered = true;
    QVERIFY2(offered, qPrintable(now));
    press(form, Qt::Key_Tab); // and Tab goes on from there
    QVERIFY(focused(form) != now);
}

// A click on a picture of the focus order puts the keyboard there: Tab goes on from it.
void tst_Keyboard::clickMovesTheKeyboard()
{
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    QVERIFY(tabTo(form, "HScroll3"));
    clickItem(form, control<BenchImage>(form, "Image6"));
    QCOMPARE(focused(form), QStringLiteral("Image6"));
    press(form, Qt::Key_Tab);
    QCOMPARE(focused(form), QStringLiteral("Image3"));
    clickBench(form, {600, 250}); // bare bench: no control
    QCOMPARE(focused(form), QStringLiteral("bench"));
    press(form, Qt::Key_Tab);
    QCOMPARE(focused(form), QStringLiteral("Image1"));
}

// The outline stands just outside the control reached with Tab, and a mouse click removes it.
void tst_Keyboard::outlineOnlyFromTheKeyboard()
{
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    const QColor outline(0, 102, 255);
    auto leftEdge = [&](QRect around) {
        const QImage shot = benchShot(form);
        const QPointF at(around.left() - 2, around.center().y());
        return shot.pixelColor((at * shot.devicePixelRatio()).toPoint());
    };
    const QRect key = control<BenchLabel>(form, "Lblvkl")->bounds().toRect();
    const QRect emf = control<ScrollBar>(form, "HScroll3")->geometry();
    const QColor keyBefore = leftEdge(key);
    QVERIFY(keyBefore != outline);
    QVERIFY(tabTo(form, "Lblvkl"));
    QCOMPARE(leftEdge(key), outline);
    QVERIFY(tabTo(form, "HScroll3"));
    QCOMPARE(leftEdge(emf), outline);
    QCOMPARE(leftEdge(key), keyBefore);
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QVERIFY(leftEdge(key) != outline);
    QVERIFY(leftEdge(emf) != outline);
    press(form, Qt::Key_Space); // back on the keyboard: the outline returns
    QCOMPARE(leftEdge(key), outline);
}

// A reveal pauses in a nested loop: the keyboard goes on working meanwhile.
void tst_Keyboard::keysDuringReveal()
{
    ActiveBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    bench.desktop.pauseScale = 1; // a whole ten-second reveal, ended by its timer's tick below
    QString during;
    QVERIFY(tabTo(form, "Image5"));
    QTimer::singleShot(0, &form, [&] {
        press(form, Qt::Key_Tab, Qt::ShiftModifier); // back from the reveal to the slide wire
        press(form, Qt::Key_Tab, Qt::ShiftModifier); // and on to the slider
        press(form, Qt::Key_Right);
        during = control<BenchLabel>(form, "Lbl_R_L")->caption();
        tick(form);
    });
    press(form, Qt::Key_Space);
    QCOMPARE(during, QStringLiteral("R_L=2.525 Ом"));
    QCOMPARE(focused(form), QStringLiteral("HScroll1"));
    QVERIFY(!control<BenchLabel>(form, "Lbl_Rx")->isVisible()); // the reveal ended as usual
}

// The measurement of tst_Instruments::studentSession, once with the mouse and once with keys only:
// both end the same.
void tst_Keyboard::keyboardSession()
{
    ActiveBench keys;
    BenchWindow &form = *keys.form;
    keys.desktop.pauseScale = 0.01;
    QCOMPARE(focused(form), QStringLiteral("bench")); // the started program has the keyboard

    QVERIFY(tabTo(form, "Lblvkl"));
    press(form, Qt::Key_Space); // close the key while the source is still off
    QVERIFY(tabTo(form, "VScroll2"));
    press(form, Qt::Key_Up);
    QVERIFY(tabTo(form, "VScroll3"));
    press(form, Qt::Key_Home);
    QVERIFY(tabTo(form, "VScroll4"));
    for (int i = 0; i < 6; ++i)
        press(form, Qt::Key_Up);
    QVERIFY(tabTo(form, "VScroll5"));
    for (int i = 0; i < 3; ++i)
        press(form, Qt::Key_PageUp);
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->text(), QStringLiteral("01963.0"));
    QVERIFY(tabTo(form, "HScroll1"));
    press(form, Qt::Key_Right);     // off the middle: out of balance
    QVERIFY(tabTo(form, "Image1")); // Tab wraps round to the source
    press(form, Qt::Key_Space);
    QVERIFY(control<BenchImage>(form, "Image10")->isVisible());
    QVERIFY(stateOf(form).Ig != 0);
    QVERIFY(tabTo(form, "HScroll1"));
    press(form, Qt::Key_Left); // back to the middle: balance
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QVERIFY(std::fabs(control<BenchLine>(form, "Line17")->p2().x() - 279) < 1);
    QVERIFY(tabTo(form, "Image5"));
    QString revealed;
    keys.desktop.pauseScale = 1; // the reveal lasts until its timer's tick below
    QTimer::singleShot(0, &form, [&] {
        revealed = control<BenchLabel>(form, "Lbl_Ri")->isVisible()
                       ? control<BenchLabel>(form, "Lbl_Ri")->caption()
                       : QString();
        tick(form);
    });
    press(form, Qt::Key_Space);
    QCOMPARE(revealed, QStringLiteral("Ri=1963.0 Ом"));
    QVERIFY(keys.desktop.boxes.isEmpty());

    LoadedBench mouse;
    BenchWindow &other = *mouse.form;
    mouse.desktop.pauseScale = 0.01;
    clickItem(other, control<BenchLabel>(other, "Lblvkl"));
    const std::pair<ScrollBar *, int> turns[] = {{control<ScrollBar>(other, "VScroll2"), 1},
                                                 {control<ScrollBar>(other, "VScroll3"), 9},
                                                 {control<ScrollBar>(other, "VScroll4"), 6},
                                                 {control<ScrollBar>(other, "VScroll5"), 3}};
    for (const auto &[bar, clicks] : turns)
        for (int i = 0; i < clicks; ++i)
            clickBar(bar, top);
    clickBar(control<ScrollBar>(other, "HScroll1"), bottom);
    clickItem(other, control<SourcePicture>(other, "Image1"));
    clickBar(control<ScrollBar>(other, "HScroll1"), top);
    clickItem(other, control<BenchImage>(other, "Image5"));
    QVERIFY(mouse.desktop.boxes.isEmpty());
    QCOMPARE(snapshot(form), snapshot(other));
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
