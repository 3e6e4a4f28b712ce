// Tests of the bench window as it stands: its controls, menus, hit testing and the calculation.
#include "bench_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <cmath>

class tst_BenchWindow : public QObject
{
    Q_OBJECT
  private slots:
    void window();
    void items_data();
    void items();
    void widgets_data();
    void widgets();
    void zOrder();
    void menus();
    void hitTesting();
    void lampTakesTheClick();
    void openCircuit();
    void balance();
    void workedExample();
    void overload_data();
    void overload();
    void rightArmZero();
    void decimalComma();
};

void tst_BenchWindow::window()
{
    FakeDesktop desktop;
    Form1 form(desktop);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Моделирование моста Корвела"));
    QCOMPARE(form.bench->size(), QSize(640, 480));
    QCOMPARE(form.bench->y(), form.menuBar()->height());
    QCOMPARE(form.size(), QSize(640, 480 + form.menuBar()->height()));
    QCOMPARE(form.minimumSize(), form.maximumSize()); // cannot be resized
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!form.windowIcon().isNull());
    // The bench's background colour.
    const QImage shot = form.bench->grab().toImage();
    QCOMPARE(shot.pixelColor(630, 10), QColor(224, 224, 224));
}

void tst_BenchWindow::items_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRectF>("geometry"); // lines: (x1, y1) and (x2, y2) as a rectangle's corners
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    auto image = [](const char *n, QRectF g, const QString &tip) {
        QTest::newRow(n) << n << "image" << g << QString() << tip;
    };
    auto label = [](const char *n, QRectF g, const QString &caption, const QString &tip) {
        QTest::newRow(n) << n << "label" << g << caption << tip;
    };
    auto line = [](const char *n, double x1, double y1, double x2, double y2) {
        QTest::newRow(n) << n << "line" << QRectF(QPointF(x1, y1), QPointF(x2, y2)) << QString()
                         << QString();
    };
    image("Image1", {128, 5, 200, 96}, "Источник ЭДС");
    image("Image10", {168, 24, 20, 20}, "");
    image("Image8", {20, 72, 100, 60}, "");
    image("Image9", {0, 24, 100, 60}, "");
    image("Image2", {360, 80, 200, 76}, "Реостат");
    image("Image3", {32, 178, 500, 65}, "Реохорд R=5 Ом (по паспорту)");
    image("Image4", {280, 198, 35, 39}, "");
    image("Image5", {216, 240, 127, 150}, "Гальванометр R=2,3 Ом (по паспорту)");
    image("Image6", {40, 417, 200, 46},
          "Неизвестное сопротивление. При старте 1963 Ом. При щелчке устанавливается случайным "
          "образом от 50 до 150 Ом");
    image("Image7", {380, 292, 250, 177}, "Магазин сопротивлений Р33");
    label("LblEdc", {192, 32, 22, 22}, "0", "ЭДС источника, В");
    label("Lblr", {244, 32, 22, 22}, "0", "Вутреннее сопротивление источника, Ом");
    label("Lbl_reo", {472, 60, 36, 22}, "Lbl_reo", "Сопротивление реостата, Ом");
    label("LblReomax", {575, 104, 40, 22}, "0", "Максимальное сопротивление реостата, Ом");
    label("Lbl_R_L", {100, 144, 120, 22}, "R_L(Ом)=", "Сопротивление левого плеча реохорда");
    label("Lbl_R_R", {232, 144, 120, 22}, "R_R(Oм)=", "Сопротивление правого плеча реохорда");
    label("Lbldv", {280, 200, 35, 22}, "100", "Положение ползуна");
    label("Lbl_Rx", {80, 352, 120, 22}, "Rx=", "Неизвестное сопротивление");
    label("Lbl_Ri", {80, 384, 120, 22}, "Ri=", "Рассчитанное по измерениям сопротивление");
    label("Lbl_R_m_1", {416, 340, 20, 20}, "0", "1 декада ");
    label("lbl_R_m_2", {496, 340, 20, 20}, "0", "2 декада");
    label("lbl_R_m_3", {576, 340, 20, 20}, "0", "3 декада");
    label("Lbl_R_m_4", {416, 420, 20, 20}, "0", "4 декада");
    label("Lbl_R_m_5", {496, 420, 20, 20}, "0", "5 декада");
    label("Lbl_R_m_6", {576, 420, 20, 20}, "0", "6 декада");
    label("Lblvkl", {40, 88, 44, 52}, "", "Ключ");
    label("Label1", {512, 16, 113, 25}, "Label1", "Для вывода отладочной информации");
    line("Line17", 200, 344, 200, 280);
    line("Line1", 296, 230, 256, 384);
    line("Line11", 282, 78, 282, 112);
    line("Line12", 72, 112, 282, 112);
    line("Line7", 10, 112, 40, 112);
    line("Line8", 10, 440, 10, 112);
    line("Line13", 10, 198, 32, 198);
    line("Line6", 8, 440, 366, 440);
    line("Line9", 304, 440, 304, 376);
    line("Line3", 368, 440, 368, 306);
    line("Line15", 424, 306, 368, 306);
    line("Line10", 304, 72, 362, 94);
    line("Line16", 368, 136, 376, 136);
    line("Line14", 368, 160, 368, 136);
    line("Line2", 368, 160, 584, 160);
    line("Line5", 584, 160, 584, 304);
    line("Line4", 520, 198, 584, 198);
}

// The design state, before start-up: every drawn control where and as the bench lays it out.
void tst_BenchWindow::items()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRectF, geometry);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    FakeDesktop desktop;
    Form1 form(desktop);
    BenchItem *item = form.bench->item(name);
    QVERIFY(item);
    QVERIFY(item->isVisible());
    QCOMPARE(item->toolTip(), tip);
    if (kind == "line") {
        auto *line = dynamic_cast<BenchLine *>(item);
        QVERIFY(line);
        QCOMPARE(QRectF(QPointF(line->X1(), line->Y1()), QPointF(line->X2(), line->Y2())),
                 geometry);
        QCOMPARE(line->color(), name == "Line17" ? QColor(255, 0, 0) : QColor(Qt::black));
        QVERIFY(!line->takesClicks());
        return;
    }
    QCOMPARE(item->bounds(), geometry);
    QVERIFY(item->takesClicks());
    if (kind == "label") {
        auto *label = dynamic_cast<BenchLabel *>(item);
        QVERIFY(label);
        QCOMPARE(label->caption(), caption);
    } else {
        QVERIFY(dynamic_cast<BenchImage *>(item));
    }
}

void tst_BenchWindow::widgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("HScroll1") << "HScroll1" << QRect(60, 170, 448, 12) << 0 << 200 << 100 << 1 << 5
                              << false;
    QTest::newRow("HScroll2") << "HScroll2" << QRect(386, 82, 160, 12) << 0 << 100 << 0 << 1 << 5
                              << false;
    QTest::newRow("VScroll7") << "VScroll7" << QRect(565, 96, 10, 40) << 500 << 15 << 30 << 5 << 1
                              << true;
    QTest::newRow("HScroll3") << "HScroll3" << QRect(192, 80, 25, 9) << 4 << 12 << 4 << 1 << 1
                              << false;
    QTest::newRow("HScroll4") << "HScroll4" << QRect(248, 80, 25, 9) << 0 << 20 << 0 << 1 << 1
                              << false;
    const int xs[] = {452, 530, 610};
    for (int k = 1; k <= 6; ++k) {
        const QString name = QStringLiteral("VScroll%1").arg(k);
        QTest::newRow(qPrintable(name))
            << name << QRect(xs[(k - 1) % 3], k <= 3 ? 332 : 408, 15, 40) << 9 << 0 << 0 << 1 << 1
            << true;
    }
}

void tst_BenchWindow::widgets()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, value);
    QFETCH(int, arrow);
    QFETCH(int, page);
    QFETCH(bool, vertical);
    FakeDesktop desktop;
    Form1 form(desktop);
    auto *bar = form.findChild<ScrollBar *>(name);
    QVERIFY(bar);
    QCOMPARE(bar->geometry(), geometry);
    QCOMPARE(bar->startValue(), top);
    QCOMPARE(bar->endValue(), bottom);
    QCOMPARE(bar->benchValue(), value);
    QCOMPARE(bar->singleStep(), arrow);
    QCOMPARE(bar->pageStep(), page);
    QCOMPARE(bar->orientation(), vertical ? Qt::Vertical : Qt::Horizontal);
    QCOMPARE(bar->focusPolicy(), Qt::StrongFocus);
}

void tst_BenchWindow::zOrder()
{
    FakeDesktop desktop;
    Form1 form(desktop);
    const QStringList drawn = {
        "Lbldv",     "Line17",  "Lbl_Ri",    "Lbl_Rx",    "Image10",   "Line16",    "Line14",
        "Label1",    "Lbl_R_R", "Lbl_R_m_6", "Lbl_R_m_5", "Lbl_R_m_4", "lbl_R_m_3", "lbl_R_m_2",
        "Lbl_R_m_1", "Line5",   "Line15",    "Line3",     "Line2",     "Image7",    "Image6",
        "Image5",    "Image4",  "Lbl_reo",   "Image2",    "Line10",    "LblReomax", "Lblr",
        "Lbl_R_L",   "LblEdc",  "Lblvkl",    "Line9",     "Line7",     "Line6",     "Line13",
        "Line12",    "Line11",  "Line8",     "Line4",     "Line1",     "Image8",    "Image9",
        "Image3",    "Image1"};
    QStringList items;
    for (const auto &item : form.bench->items())
        items << item->name();
    QCOMPARE(items, drawn);
    // Widgets: a later child lies over an earlier one, so the children run back to front.
    const QStringList front = {"Picture3", "VScroll7", "HScroll4", "VScroll6", "VScroll5",
                               "VScroll4", "VScroll3", "VScroll2", "VScroll1", "HScroll3",
                               "HScroll2", "Picture2", "Picture1", "HScroll1"};
    QStringList children;
    for (QObject *child : form.bench->children())
        if (child->isWidgetType())
            children.prepend(child->objectName());
    QCOMPARE(children, front);
    auto *picture = form.findChild<PictureBox *>("Picture2");
    QCOMPARE(picture->toolTip(), QStringLiteral("Сила тока, А"));
    QCOMPARE(form.Picture1->toolTip(), QStringLiteral("Сопротивление магазина"));
    QCOMPARE(form.Picture1->frameShadow(), QFrame::Sunken);
}

void tst_BenchWindow::menus()
{
    FakeDesktop desktop;
    Form1 form(desktop);
    const QList<QAction *> top = form.menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QStringLiteral("&Файл"));
    QCOMPARE(top[1]->text(), QStringLiteral("&Помощь"));
    auto describe = [](QMenu *menu) {
        QStringList out;
        for (QAction *a : menu->actions())
            out << a->objectName() + "=" + (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    };
    QCOMPARE(describe(form.mnuFile),
             QStringList({"mnuFileSpravka1=Справка", "mnuFileSpravka2=Гальванометр",
                          "mnuFileSpravka3=Реохорд", "mnuHelpSep1=-", "mnuFilesHistory=Корвел"}));
    QCOMPARE(describe(form.mnuHelp),
             QStringList({"mnuHelpInstruction=Инструкция", "mnuHelpUprav=Управление",
                          "mnuHelpSep2=-", "mnuHelpAvtors=Авторы", "mnuHelpAbout=&О программе"}));
    for (QAction *a : form.mnuFile->actions() + form.mnuHelp->actions()) {
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(!a->isCheckable());
        QVERIFY(a->isEnabled());
    }
}

void tst_BenchWindow::hitTesting()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    QStringList clicked;
    for (BenchItem *item :
         {static_cast<BenchItem *>(form.Image1), static_cast<BenchItem *>(form.Lblvkl),
          static_cast<BenchItem *>(form.Image3), static_cast<BenchItem *>(form.Image5),
          static_cast<BenchItem *>(form.Image6)})
        item->onClick = [&clicked, item] { clicked << item->name(); };

    clickBench(form, {62, 114});  // the transparent hotspot over the key
    clickBench(form, {279, 300}); // on the needle: it takes no clicks, the galvanometer does
    clickBench(form, {150, 440}); // the resistor over the bottom wire
    QCOMPARE(clicked, QStringList({"Lblvkl", "Image5", "Image6"}));

    clicked.clear();
    clickBench(form, {280, 370}); // the galvanometer's readout has no handler
    QCOMPARE(clicked, QStringList());

    form.Image6->setVisible(false); // a hidden picture takes no click
    clickBench(form, {150, 440});
    QCOMPARE(clicked, QStringList());

    // A press on one control and a release on another is no click.
    QTest::mousePress(form.bench, Qt::LeftButton, Qt::NoModifier, QPoint(62, 114));
    QTest::mouseRelease(form.bench, Qt::LeftButton, Qt::NoModifier, QPoint(279, 300));
    QCOMPARE(clicked, QStringList());
}

// The lamp lies on the source and has no handler of its own: while it is lit it takes the click.
void tst_BenchWindow::lampTakesTheClick()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    int sourceClicks = 0;
    form.Image1->onClick = [&] { ++sourceClicks; };
    clickBench(form, {178, 34});
    QCOMPARE(sourceClicks, 1);
    form.Image10->setVisible(true);
    clickBench(form, {178, 34});
    QCOMPARE(sourceClicks, 1);
}

namespace {

// Closes the circuit without the view's refresh, for calling the calculation directly.
void makeLive(Form1 &form, double R_m)
{
    form.state.rabota = 1;
    form.state.istochnik = 1;
    form.state.R_m = static_cast<float>(R_m);
}

void verifyAtRest(Form1 &form)
{
    QCOMPARE(form.Picture2->text(), QStringLiteral("0.0000000"));
    QCOMPARE(form.Picture3->text(), QStringLiteral("0.00"));
    QCOMPARE(form.Line17->X1(), 279.0);
    QCOMPARE(form.Line17->Y1(), 335.0);
    QCOMPARE(form.Line17->X2(), 279.0);
    QCOMPARE(form.Line17->Y2(), 278.0);
}

} // namespace

void tst_BenchWindow::openCircuit()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    form.Lbl_Ri->setCaption("Ri=12.0 Ом");
    form.state.istochnik = 1; // source on, key open
    form.raschet();
    verifyAtRest(form);
    QCOMPARE(form.Lbl_Ri->caption(), QStringLiteral("Ri=12.0 Ом"));
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_BenchWindow::balance()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    makeLive(form, 1963);
    form.raschet();
    QCOMPARE(form.state.Ig, 0.0);
    QCOMPARE(form.Picture2->text(), QStringLiteral("0.0000000"));
    QCOMPARE(form.Picture3->text(), QStringLiteral("0.06"));
    QCOMPARE(form.Lbl_Ri->caption(), QStringLiteral("Ri=1963.0 Ом"));
    QCOMPARE(form.Line17->X2(), 279.0);
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_BenchWindow::workedExample()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    form.state.Reo = 112;
    makeLive(form, 1000);
    form.raschet();
    QCOMPARE(form.Picture2->text(), QStringLiteral("-0.0000767"));
    QCOMPARE(form.Picture3->text(), QStringLiteral("0.06"));
    QCOMPARE(form.Lbl_Ri->caption(), QStringLiteral("Ri=1000.0 Ом"));
    QVERIFY(form.Line17->X2() < 279 - 1.3 && form.Line17->X2() > 279 - 1.4); // leans left
    QVERIFY(bench.desktop.boxes.isEmpty());
    QCOMPARE(form.state.R1, 1963.0);
    QCOMPARE(form.state.R2, 1000.0);
    QCOMPARE(form.state.R3, 2.5);
    QCOMPARE(form.state.R4, 2.5);
}

void tst_BenchWindow::overload_data()
{
    QTest::addColumn<int>("emf");
    QTest::addColumn<int>("internal");
    QTest::addColumn<int>("rheostat");
    QTest::addColumn<double>("unknown");
    QTest::addColumn<QString>("message");
    QTest::newRow("galvanometer") << 8 << 10 << 112 << 1963.0
                                  << "Такой ток сожжёт гальванометр! Измените сопротивление!";
    QTest::newRow("source first") << 12 << 0 << 0 << 100.0
                                  << "Такой ток сожжёт источник! Измените сопротивление!";
}

void tst_BenchWindow::overload()
{
    QFETCH(int, emf);
    QFETCH(int, internal);
    QFETCH(int, rheostat);
    QFETCH(double, unknown);
    QFETCH(QString, message);
    LoadedBench bench;
    Form1 &form = *bench.form;
    form.HScroll3->setBenchValue(emf);
    form.HScroll4->setBenchValue(internal);
    form.HScroll2->setBenchValue(rheostat);
    form.state.Rx = unknown;
    makeLive(form, 0);
    form.raschet();
    QCOMPARE(bench.desktop.texts(), QStringList{message});
    QCOMPARE(bench.desktop.captions(), QStringList{"Ошибка"});
    QCOMPARE(bench.desktop.boxes[0].buttons, Desktop::Buttons::Ok);
    QCOMPARE(form.state.rabota, 0.0);
    QCOMPARE(form.state.istochnik, std::int16_t(0));
    verifyAtRest(form);
    QVERIFY(form.Image8->isVisible() && !form.Image9->isVisible() && !form.Image10->isVisible());
}

void tst_BenchWindow::rightArmZero()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    form.Lbl_Ri->setCaption("Ri=7.0 Ом");
    form.state.R_L = 5;
    form.state.R_R = 0;
    makeLive(form, 1963);
    form.raschet();
    QCOMPARE(bench.desktop.texts(), QStringList{"Правое плечо реохорда равно 0! Думать надо!"});
    QCOMPARE(form.Lbl_Ri->caption(), QStringLiteral("Ri=7.0 Ом"));
    QVERIFY(form.state.I > 0); // the currents are still computed and shown
    QCOMPARE(form.Picture3->text(), QStringLiteral("0.06"));
}

void tst_BenchWindow::decimalComma()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    LoadedBench bench;
    Form1 &form = *bench.form;
    form.state.Reo = 112;
    makeLive(form, 1000);
    form.raschet();
    QLocale::setDefault(QLocale::c());
    QCOMPARE(form.Picture2->text(), QStringLiteral("-0,0000767"));
    QCOMPARE(form.Picture3->text(), QStringLiteral("0,06"));
    QCOMPARE(form.Lbl_Ri->caption(), QStringLiteral("Ri=1000,0 Ом"));
    QCOMPARE(form.Lbl_Rx->caption(), QStringLiteral("Rx=1963,0 Ом"));
    QCOMPARE(form.Lbldv->caption(), QStringLiteral(" 50")); // the slider's readout keeps its point
}

QTEST_MAIN(tst_BenchWindow)
#include "tst_bench_window.moc"
