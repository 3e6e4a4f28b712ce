// What reaches the windows besides their handlers: right clicks, double clicks, tooltips over the
// bars, the session's end, the window's placement, and the look of the framed labels.
#include "bench_fixture.h"
#include "toolkit/pause_timer.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QToolTip>

class tst_WindowEvents : public QObject
{
    Q_OBJECT
  private slots:
    void noContextMenu_data();
    void noContextMenu();
    void doubleClickIsOneClick_data();
    void doubleClickIsOneClick();
    void barsLendNoTooltip_data();
    void barsLendNoTooltip();
    void sessionEnd_data();
    void sessionEnd();
    void movedWindowStays();
    void framedLabels_data();
    void framedLabels();
};

void tst_WindowEvents::noContextMenu_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name : {"HScroll1", "HScroll2", "HScroll3", "HScroll4", "VScroll1", "VScroll6",
                             "VScroll7", "Picture1", "Picture2", "Picture3", "bench"})
        QTest::newRow(name) << name;
}

// A right click opens no menu anywhere: not Qt's English scroll bar menu, not the window's.
void tst_WindowEvents::noContextMenu()
{
    QFETCH(QString, control);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    QWidget *target = control == "bench" ? static_cast<QWidget *>(benchOf(form))
                                         : benchOf(form)->findChild<QWidget *>(control);
    QVERIFY(target);
    QStringList menus;
    // A menu would run its own event loop: note it and close it, so a failure cannot hang here.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions())
                menus << action->text();
            menu->close();
        }
    });
    watch.start(10);
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QTest::qWait(30);
    QCOMPARE(menus, QStringList());
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_WindowEvents::doubleClickIsOneClick_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("source") << "Image1";
    QTest::newRow("key") << "Lblvkl";
    QTest::newRow("unknown resistor") << "Image6";
    QTest::newRow("slide wire") << "Image3";
    QTest::newRow("galvanometer") << "Image5";
}

// A double click is a click and then a double-click event, which the bench does not handle: the
// switches turn once, the resistor draws once, the reveals start once.
void tst_WindowEvents::doubleClickIsOneClick()
{
    QFETCH(QString, item);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const BenchItem *target = benchOf(form)->item(item);
    QVERIFY(target);
    // Away from the jockey, which lies in front of the middle of the slide wire.
    const QPoint at = (item == "Image3" ? target->bounds().topLeft() + QPointF(60, 40)
                                        : target->bounds().center())
                          .toPoint();
    QSignalSpy pauses(control<PauseTimer>(form, "Timer1"),
                      &PauseTimer::elapsed); // each reveal's pause ends with one tick
    // Through the window, as the desktop delivers it: press, release, press, double click, release.
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       benchOf(form)->mapTo(&form, at));
    if (item == "Image1")
        QCOMPARE(stateOf(form).istochnik, std::int16_t(1));
    if (item == "Lblvkl")
        QCOMPARE(stateOf(form).rabota, 1.0);
    if (item == "Image6") {
        QCOMPARE(bench.desktop.seeds, 1);
        QCOMPARE(bench.desktop.boxes.size(), 1);
    }
    if (item == "Image3" || item == "Image5") {
        QCOMPARE(pauses.count(), 1); // one reveal, not two
        QVERIFY(item == "Image3" ? !control<BenchLabel>(form, "Lbl_R_L")->isVisible()
                                 : !control<BenchLabel>(form, "Lbl_Ri")->isVisible());
    }
    if (item != "Image6")
        QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_WindowEvents::barsLendNoTooltip_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<bool>("keyClosed");
    QTest::newRow("rheostat over its picture") << "HScroll2" << true;
    QTest::newRow("first decade over the box") << "VScroll1" << true;
    QTest::newRow("EMF over the source") << "HScroll3" << false;
    QTest::newRow("internal resistance over the source") << "HScroll4" << false;
    QTest::newRow("slider over the slide wire") << "HScroll1" << true;
    QTest::newRow("rheostat maximum") << "VScroll7" << false;
}

// A bar has no tooltip, and the picture lying under it does not lend it its own.
void tst_WindowEvents::barsLendNoTooltip()
{
    QFETCH(QString, bar);
    QFETCH(bool, keyClosed);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    if (keyClosed)
        control<BenchItem>(form, "Lblvkl")->onClick();
    auto *target = benchOf(form)->findChild<ScrollBar *>(bar);
    QVERIFY(target && target->isVisible());
    const QPoint at = target->rect().center();
    QHelpEvent event(QEvent::ToolTip, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QVERIFY(!QToolTip::isVisible() || QToolTip::text().isEmpty());
    // The picture beside the bar keeps its tooltip.
    const QPoint beside = benchOf(form)->mapFromGlobal(target->mapToGlobal(QPoint(-3, at.y())));
    if (const BenchItem *item = benchOf(form)->itemAt(beside); item && !item->toolTip().isEmpty()) {
        QHelpEvent over(QEvent::ToolTip, beside, benchOf(form)->mapToGlobal(beside));
        QApplication::sendEvent(benchOf(form), &over);
        QTRY_COMPARE(QToolTip::text(), item->toolTip());
        QToolTip::hideText();
    }
}

void tst_WindowEvents::sessionEnd_data()
{
    QTest::addColumn<bool>("interaction");
    QTest::addColumn<bool>("yes");
    QTest::newRow("the user stays") << true << false;
    QTest::newRow("the user leaves") << true << true;
    QTest::newRow("no one may be asked") << false << false;
}

// Log-off asks as the close button does: the same box, No keeps the bench and cancels the log-off,
// Yes ends the program and lets the log-off go on. When no one may be asked, nothing is.
void tst_WindowEvents::sessionEnd()
{
    QFETCH(bool, interaction);
    QFETCH(bool, yes);
    struct RecordedLogOff : BenchWindow::LogOff
    {
        bool interaction = true;
        QStringList calls;
        bool allowsInteraction() override { return interaction; }
        void release() override { calls << QStringLiteral("release"); }
        void cancel() override { calls << QStringLiteral("cancel"); }
    } logOff;
    logOff.interaction = interaction;
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.yesNoAnswer = yes ? Desktop::Answer::Yes : Desktop::Answer::No;
    control<BenchItem>(form, "Lblvkl")->onClick();
    form.answerLogOff(logOff);
    if (!interaction) {
        QVERIFY(bench.desktop.boxes.isEmpty());
        QCOMPARE(logOff.calls, QStringList());
        QVERIFY(!BenchDriver(form).isEnding());
        return;
    }
    QCOMPARE(bench.desktop.texts(), QStringList{"Вы абсолютно уверены?"});
    QCOMPARE(bench.desktop.captions(), QStringList{"На Выход"});
    QCOMPARE(logOff.calls, yes ? QStringList{"release"} : (QStringList{"release", "cancel"}));
    QCOMPARE(BenchDriver(form).isEnding(), yes);
    QCOMPARE(stateOf(form).rabota, 1.0); // nothing of the bench changed either way
    // The session's request reaches the bench.
    QVERIFY(
        QObject::disconnect(qApp, SIGNAL(commitDataRequest(QSessionManager &)), &form, nullptr));
}

// The window is centred once it is on screen and then left where the user puts it.
void tst_WindowEvents::movedWindowStays()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const QRect screen = form.screen()->geometry();
    QVERIFY(std::abs(form.frameGeometry().center().x() - screen.center().x()) <= 1);
    form.move(17, 23);
    QTest::qWait(700);
    QCOMPARE(form.pos(), QPoint(17, 23));
}

void tst_WindowEvents::framedLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("keyClosed");
    QTest::newRow("rheostat, white") << "Lbl_reo" << true;
    QTest::newRow("rheostat maximum, white") << "LblReomax" << false;
    QTest::newRow("EMF, olive") << "LblEdc" << false;
    QTest::newRow("left arm") << "Lbl_R_L" << true;
    QTest::newRow("unknown") << "Lbl_Rx" << false;
}

// A framed label has one dark line on each of its four sides, whatever its background.
void tst_WindowEvents::framedLabels()
{
    QFETCH(QString, label);
    QFETCH(bool, keyClosed);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    if (keyClosed)
        control<BenchItem>(form, "Lblvkl")->onClick();
    for (const char *shown : {"Lbl_R_L", "Lbl_Rx"})
        benchOf(form)->item(shown)->setVisible(true);
    auto *item = dynamic_cast<const BenchLabel *>(benchOf(form)->item(label));
    QVERIFY(item && item->isVisible());
    const QImage image = benchOf(form)->grab().toImage();
    const QRect r = item->bounds().toAlignedRect();
    // A label may stand at a fractional place: its line lies on the outermost pixel or next to it.
    const auto dark = [&](int x, int y, int dx, int dy) {
        return qGray(image.pixel(x, y)) < 64 || qGray(image.pixel(x + dx, y + dy)) < 64;
    };
    const int midX = r.left() + r.width() / 2, midY = r.top() + r.height() / 2;
    QVERIFY(dark(midX, r.top(), 0, 1));
    QVERIFY(dark(midX, r.bottom(), 0, -1));
    QVERIFY(dark(r.left(), midY + 5, 1, 0));
    QVERIFY(dark(r.right(), midY + 5, -1, 0));
    // Inside the line the label's own background shows.
    QCOMPARE(QColor(image.pixel(r.left() + 2, r.bottom() - 2)), item->background);
}

QTEST_MAIN(tst_WindowEvents)
#include "tst_window_events.moc"
