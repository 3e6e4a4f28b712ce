// Tests of the bench window as it stands: its controls, menus, hit testing and the calculation.
#include "app/bench_fonts.h"
#include "bench_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QtMath>
#include <cmath>

namespace {

/** Where a caption's ink lies in a picture, and how much of it is exactly the text's colour. */
struct Ink
{
    QRect box;             // in device pixels
    int pixels = 0;        // pixels the text changed
    int exactly = 0;       // of which are exactly the text's colour
    int nearest = 3 * 255; // the smallest distance of one of them from the text's colour
};

/** The ink that a text adds inside `area`: the pixels where `with` differs from `without`. */
Ink inkBetween(const QImage &with, const QImage &without, const QRect &area, const QColor &colour)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb a = with.pixel(x, y);
            if ((a & 0xffffff) == (without.pixel(x, y) & 0xffffff))
                continue;
            ink.box |= QRect(x, y, 1, 1);
            ++ink.pixels;
            ink.exactly += (a & 0xffffff) == (colour.rgb() & 0xffffff);
            ink.nearest = std::min(ink.nearest, std::abs(qRed(a) - colour.red()) +
                                                    std::abs(qGreen(a) - colour.green()) +
                                                    std::abs(qBlue(a) - colour.blue()));
        }
    return ink;
}

/** The ink of a text drawn in a font on a plain ground, at a device pixel ratio. */
Ink referenceInk(const QString &text, const QFont &font, const QColor &colour, qreal ratio)
{
    const QColor ground = colour.lightness() > 128 ? Qt::black : Qt::white;
    QImage blank(QSize(200, 80) * ratio, QImage::Format_RGB32);
    blank.setDevicePixelRatio(ratio);
    blank.fill(ground);
    QImage written = blank.copy();
    {
        QPainter painter(&written);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPointF(20, 50), text);
    }
    return inkBetween(written, blank, written.rect(), colour);
}

/** A rectangle of the bench in the device pixels of a grab. */
QRect devicePixels(const QImage &shot, const QRectF &r)
{
    const qreal d = shot.devicePixelRatio();
    return QRectF(r.x() * d, r.y() * d, r.width() * d, r.height() * d).toAlignedRect();
}

/** Whether every pixel of `area` has the colour. */
bool filledWith(const QImage &shot, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((shot.pixel(x, y) & 0xffffff) != (colour.rgb() & 0xffffff))
                return false;
    return true;
}

/** Whether the same text in the same font: size within a device pixel or so, and as much ink. */
QString sameLetters(const Ink &ink, const Ink &reference, qreal ratio)
{
    const int slack = qCeil(ratio);
    if (std::abs(ink.box.height() - reference.box.height()) > slack ||
        std::abs(ink.box.width() - reference.box.width()) > slack ||
        std::abs(ink.pixels - reference.pixels) > reference.pixels / 4)
        return QStringLiteral("ink %1×%2, %3 pixels; in its font %4×%5, %6 pixels")
            .arg(ink.box.width())
            .arg(ink.box.height())
            .arg(ink.pixels)
            .arg(reference.box.width())
            .arg(reference.box.height())
            .arg(reference.pixels);
    return QString();
}

} // namespace

class tst_BenchWindow : public QObject
{
    Q_OBJECT
  private slots:
    void window();
    void items_data();
    void items();
    void widgets_data();
    void widgets();
    void labelLooks_data();
    void labelLooks();
    void readouts_data();
    void readouts();
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
    BenchWindow form(desktop);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Моделирование моста Корвела"));
    QCOMPARE(benchOf(form)->size(), QSize(640, 480));
    QCOMPARE(benchOf(form)->y(), form.menuBar()->height());
    QCOMPARE(form.size(), QSize(640, 480 + form.menuBar()->height()));
    QCOMPARE(form.minimumSize(), form.maximumSize()); // cannot be resized
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!form.windowIcon().isNull());
    // Showing the window reads no image file: no image format plugin is loaded (this test runs
    // first, before any message box has asked for its icon).
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("/imageformats/"));
    // The bench's background colour.
    const QImage shot = benchShot(form);
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
    BenchWindow form(desktop);
    BenchItem *item = benchOf(form)->item(name);
    QVERIFY(item);
    QVERIFY(item->isVisible());
    QCOMPARE(item->toolTip(), tip);
    if (kind == "line") {
        auto *line = dynamic_cast<BenchLine *>(item);
        QVERIFY(line);
        QCOMPARE(QRectF(QPointF(line->p1().x(), line->p1().y()),
                        QPointF(line->p2().x(), line->p2().y())),
                 geometry);
        const QColor colour = name == "Line17" ? QColor(255, 0, 0) : QColor(Qt::black);
        QCOMPARE(line->color(), colour);
        QVERIFY(!line->takesClicks());
        // Drawn 3 pixels wide in its colour: across its middle the ink adds up to 3 pixels
        // measured square to the line.
        QImage ink(640, 480, QImage::Format_ARGB32);
        ink.fill(Qt::transparent);
        {
            QPainter painter(&ink);
            painter.setRenderHint(QPainter::Antialiasing);
            line->paint(painter);
        }
        const double dx = std::fabs(geometry.width()), dy = std::fabs(geometry.height());
        const bool across = dx >= dy; // read down a column, else along a row
        const int at = qRound(across ? geometry.center().x() : geometry.center().y());
        double thickness = 0;
        QRgb strongest = 0;
        for (int i = 0; i < (across ? 480 : 640); ++i) {
            const QRgb p = across ? ink.pixel(at, i) : ink.pixel(i, at);
            thickness += qAlpha(p) / 255.0;
            if (qAlpha(p) > qAlpha(strongest))
                strongest = p;
        }
        const double wanted = 3 * std::hypot(dx, dy) / (across ? dx : dy);
        QVERIFY2(
            std::fabs(thickness - wanted) < 0.35,
            qPrintable(QStringLiteral("%1 pixels across, %2 wanted").arg(thickness).arg(wanted)));
        QCOMPARE(QColor::fromRgba(strongest), colour);
        return;
    }
    QCOMPARE(item->bounds(), geometry);
    QVERIFY(item->takesClicks());
    if (kind == "label") {
        auto *label = dynamic_cast<BenchLabel *>(item);
        QVERIFY(label);
        QCOMPARE(label->caption(), caption);
    } else {
        auto *image = dynamic_cast<BenchImage *>(item);
        QVERIFY(image);
        // The window shows through around every instrument but the box and the lamp, which are
        // pictures filled to their edges.
        QImage picture(geometry.size().toSize(), QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            painter.translate(-geometry.topLeft());
            image->paint(painter);
        }
        int clear = 0, opaque = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                clear += qAlpha(picture.pixel(x, y)) == 0;
                opaque += qAlpha(picture.pixel(x, y)) == 255;
            }
        if (name == "Image7" || name == "Image10") {
            QCOMPARE(opaque, picture.width() * picture.height());
        } else {
            QVERIFY2(clear > 0, "no background shows through");
            QVERIFY(qAlpha(picture.pixel(0, 0)) == 0 ||
                    qAlpha(picture.pixel(picture.width() - 1, 0)) == 0 ||
                    qAlpha(picture.pixel(0, picture.height() - 1)) == 0 ||
                    qAlpha(picture.pixel(picture.width() - 1, picture.height() - 1)) == 0);
            QVERIFY2(opaque > 0, "an empty picture");
        }
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
    QTest::newRow("VScroll1") << "VScroll1" << QRect(452, 332, 15, 40) << 9 << 0 << 0 << 1 << 1
                              << true;
    QTest::newRow("VScroll2") << "VScroll2" << QRect(530, 332, 15, 40) << 9 << 0 << 0 << 1 << 1
                              << true;
    QTest::newRow("VScroll3") << "VScroll3" << QRect(610, 332, 15, 40) << 9 << 0 << 0 << 1 << 1
                              << true;
    QTest::newRow("VScroll4") << "VScroll4" << QRect(452, 408, 15, 40) << 9 << 0 << 0 << 1 << 1
                              << true;
    QTest::newRow("VScroll5") << "VScroll5" << QRect(530, 408, 15, 40) << 9 << 0 << 0 << 1 << 1
                              << true;
    QTest::newRow("VScroll6") << "VScroll6" << QRect(610, 408, 15, 40) << 9 << 0 << 0 << 1 << 1
                              << true;
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
    BenchWindow form(desktop);
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

void tst_BenchWindow::labelLooks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("font"); // pixels of the bench's bold serif, or 0 for the window's font
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QColor>("background"); // none: transparent
    QTest::addColumn<QColor>("text");
    const QColor olive(128, 128, 0), buttonFace(240, 240, 240), white(Qt::white), black(Qt::black),
        none;
    const int large = kLargeFontPx, medium = kMediumFontPx;
    auto row = [](const char *name, int font, Qt::Alignment alignment, QColor background,
                  QColor text) {
        QTest::newRow(name) << name << font << int(alignment) << background << text;
    };
    row("LblEdc", large, Qt::AlignRight, olive, black);
    row("Lblr", large, Qt::AlignRight, olive, black);
    row("Lbl_reo", large, Qt::AlignRight, white, black);
    row("LblReomax", large, Qt::AlignRight, white, black);
    row("Lbl_R_L", medium, Qt::AlignLeft, buttonFace, black);
    row("Lbl_R_R", medium, Qt::AlignLeft, buttonFace, black);
    row("Lbldv", large, Qt::AlignHCenter, none, black);
    row("Lbl_Rx", medium, Qt::AlignLeft, buttonFace, black);
    row("Lbl_Ri", medium, Qt::AlignLeft, buttonFace, black);
    row("Lbl_R_m_1", large, Qt::AlignHCenter, none, white);
    row("lbl_R_m_2", large, Qt::AlignHCenter, none, white);
    row("lbl_R_m_3", large, Qt::AlignHCenter, none, white);
    row("Lbl_R_m_4", large, Qt::AlignHCenter, none, white);
    row("Lbl_R_m_5", large, Qt::AlignHCenter, none, white);
    row("Lbl_R_m_6", large, Qt::AlignHCenter, none, white);
    row("Lblvkl", 0, Qt::AlignLeft, none, black);
    row("Label1", 0, Qt::AlignLeft, buttonFace, black);
}

// Each label as the user sees it on the bench: its ground, and a caption in its font, colour and
// place.
void tst_BenchWindow::labelLooks()
{
    QFETCH(QString, name);
    QFETCH(int, font);
    QFETCH(int, alignment);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    FakeDesktop desktop;
    BenchWindow form(desktop); // the design state: every control shown
    auto *label = dynamic_cast<BenchLabel *>(benchOf(form)->item(name));
    QVERIFY(label);
    label->setVisible(false);
    const QImage behind = benchShot(form);
    label->setVisible(true);
    label->setCaption(QString());
    const QImage blank = benchShot(form);
    label->setCaption(QStringLiteral("8"));
    const QImage shot = benchShot(form);
    const qreal ratio = shot.devicePixelRatio();
    const QRect area = devicePixels(shot, label->bounds());

    if (background.isValid()) // filled inside its frame
        QVERIFY(filledWith(blank, area.adjusted(2 * ratio, 2 * ratio, -2 * ratio, -2 * ratio),
                           background));
    else // only its text is painted
        QCOMPARE(blank.copy(area), behind.copy(area));

    const Ink ink = inkBetween(shot, blank, area, text);
    const QFont expected = font ? benchFont(font) : QFont();
    const Ink reference = referenceInk("8", expected, text, ratio);
    // A thin default font, unhinted, may cover no pixel whole: then the ink comes as near the
    // text's colour as the same letter drawn alone does.
    QVERIFY2(ink.exactly >= std::min<int>(3 * ratio * ratio, reference.exactly) &&
                 ink.nearest <= reference.nearest + 24,
             qPrintable(QStringLiteral("%1 of %2 pixels in the text's colour, nearest %3 from it")
                            .arg(ink.exactly)
                            .arg(ink.pixels)
                            .arg(ink.nearest)));
    const QString letters = sameLetters(ink, reference, ratio);
    QVERIFY2(letters.isEmpty(), qPrintable(letters));

    const double margin = 4 * ratio;
    if (alignment == Qt::AlignLeft)
        QVERIFY2(ink.box.left() - area.left() <= margin, "not at the left");
    else if (alignment == Qt::AlignRight)
        QVERIFY2(area.right() - ink.box.right() <= margin, "not at the right");
    else
        QVERIFY2(std::fabs((ink.box.left() + ink.box.right()) / 2.0 -
                           (area.left() + area.right()) / 2.0) <= 1.5 * ratio,
                 "not centred");
}

void tst_BenchWindow::readouts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QColor>("text");
    QTest::newRow("Picture1") << "Picture1" << QRect(472, 376, 81, 24) << "Сопротивление магазина"
                              << QColor(255, 255, 255);
    QTest::newRow("Picture2") << "Picture2" << QRect(235, 360, 95, 24) << "Сила тока, А"
                              << QColor(0, 255, 0);
    QTest::newRow("Picture3") << "Picture3" << QRect(0, 140, 40, 25) << "Сила тока, А"
                              << QColor(0, 255, 0);
}

// The three digital readouts: large bold text in their colour at the top-left corner of a black
// box.
void tst_BenchWindow::readouts()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, tip);
    QFETCH(QColor, text);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(
                        form, "Lblvkl")); // the box's readout is shown with the key closed
    auto *box = benchOf(form)->findChild<ReadoutBox *>(name);
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->geometry(), geometry);
    QCOMPARE(box->toolTip(), tip);
    QCOMPARE(box->frameShadow(), QFrame::Sunken);
    box->clear();
    const QImage blank = box->grab().toImage();
    box->print(QStringLiteral("0.06"));
    const QImage shot = box->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const QRect inside = devicePixels(shot, box->contentsRect());
    QVERIFY(filledWith(blank, inside, Qt::black));
    const Ink ink = inkBetween(shot, blank, inside, text);
    QVERIFY2(ink.exactly >= 10 * ratio * ratio,
             qPrintable(QStringLiteral("%1 of %2 pixels in the text's colour")
                            .arg(ink.exactly)
                            .arg(ink.pixels)));
    QVERIFY(ink.box.left() - inside.left() <= 3 * ratio);
    QVERIFY(ink.box.top() - inside.top() <= 8 * ratio);
    const QString letters =
        sameLetters(ink, referenceInk("0.06", benchFont(kLargeFontPx), text, ratio), ratio);
    QVERIFY2(letters.isEmpty(), qPrintable(letters));
}

void tst_BenchWindow::zOrder()
{
    FakeDesktop desktop;
    BenchWindow form(desktop);
    const QStringList drawn = {
        "Lbldv",     "Line17",  "Lbl_Ri",    "Lbl_Rx",    "Image10",   "Line16",    "Line14",
        "Label1",    "Lbl_R_R", "Lbl_R_m_6", "Lbl_R_m_5", "Lbl_R_m_4", "lbl_R_m_3", "lbl_R_m_2",
        "Lbl_R_m_1", "Line5",   "Line15",    "Line3",     "Line2",     "Image7",    "Image6",
        "Image5",    "Image4",  "Lbl_reo",   "Image2",    "Line10",    "LblReomax", "Lblr",
        "Lbl_R_L",   "LblEdc",  "Lblvkl",    "Line9",     "Line7",     "Line6",     "Line13",
        "Line12",    "Line11",  "Line8",     "Line4",     "Line1",     "Image8",    "Image9",
        "Image3",    "Image1"};
    QStringList items;
    for (const auto &item : benchOf(form)->items())
        items << item->name();
    QCOMPARE(items, drawn);
    // Widgets: a later child lies over an earlier one, so the children run back to front.
    const QStringList front = {"Picture3", "VScroll7", "HScroll4", "VScroll6", "VScroll5",
                               "VScroll4", "VScroll3", "VScroll2", "VScroll1", "HScroll3",
                               "HScroll2", "Picture2", "Picture1", "HScroll1"};
    QStringList children;
    for (QObject *child : benchOf(form)->children())
        if (child->isWidgetType())
            children.prepend(child->objectName());
    QCOMPARE(children, front);
    auto *picture = form.findChild<ReadoutBox *>("Picture2");
    QCOMPARE(picture->toolTip(), QStringLiteral("Сила тока, А"));
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->toolTip(),
             QStringLiteral("Сопротивление магазина"));
    QCOMPARE(control<ReadoutBox>(form, "Picture1")->frameShadow(), QFrame::Sunken);
}

void tst_BenchWindow::menus()
{
    FakeDesktop desktop;
    BenchWindow form(desktop);
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
    QCOMPARE(describe(control<QMenu>(form, "mnuFile")),
             QStringList({"mnuFileSpravka1=Справка", "mnuFileSpravka2=Гальванометр",
                          "mnuFileSpravka3=Реохорд", "mnuHelpSep1=-", "mnuFilesHistory=Корвел"}));
    QCOMPARE(describe(control<QMenu>(form, "mnuHelp")),
             QStringList({"mnuHelpInstruction=Инструкция", "mnuHelpUprav=Управление",
                          "mnuHelpSep2=-", "mnuHelpAvtors=Авторы", "mnuHelpAbout=&О программе"}));
    for (QAction *a :
         control<QMenu>(form, "mnuFile")->actions() + control<QMenu>(form, "mnuHelp")->actions()) {
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(!a->isCheckable());
        QVERIFY(a->isEnabled());
    }
}

void tst_BenchWindow::hitTesting()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    QStringList clicked;
    for (BenchItem *item : {static_cast<BenchItem *>(control<SourcePicture>(form, "Image1")),
                            static_cast<BenchItem *>(control<BenchLabel>(form, "Lblvkl")),
                            static_cast<BenchItem *>(control<BenchImage>(form, "Image3")),
                            static_cast<BenchItem *>(control<BenchImage>(form, "Image5")),
                            static_cast<BenchItem *>(control<BenchImage>(form, "Image6"))})
        item->onClick = [&clicked, item] { clicked << item->name(); };

    clickBench(form, {62, 114});  // the transparent hotspot over the key
    clickBench(form, {279, 300}); // on the needle: it takes no clicks, the galvanometer does
    clickBench(form, {150, 440}); // the resistor over the bottom wire
    QCOMPARE(clicked, QStringList({"Lblvkl", "Image5", "Image6"}));

    clicked.clear();
    clickBench(form, {280, 370}); // the galvanometer's readout has no handler
    QCOMPARE(clicked, QStringList());

    control<BenchImage>(form, "Image6")->setVisible(false); // a hidden picture takes no click
    clickBench(form, {150, 440});
    QCOMPARE(clicked, QStringList());

    // A press on one control and a release on another is no click.
    QTest::mousePress(benchOf(form), Qt::LeftButton, Qt::NoModifier, QPoint(62, 114));
    QTest::mouseRelease(benchOf(form), Qt::LeftButton, Qt::NoModifier, QPoint(279, 300));
    QCOMPARE(clicked, QStringList());
}

// The lamp lies on the source and has no handler of its own: while it is lit it takes the click.
void tst_BenchWindow::lampTakesTheClick()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    int sourceClicks = 0;
    control<SourcePicture>(form, "Image1")->onClick = [&] { ++sourceClicks; };
    clickBench(form, {178, 34});
    QCOMPARE(sourceClicks, 1);
    control<BenchImage>(form, "Image10")->setVisible(true);
    clickBench(form, {178, 34});
    QCOMPARE(sourceClicks, 1);
}

namespace {

/** The rheostat set to exactly `ohms` through its bar: start-up leaves it at 112.5 on a bar at 112.
 */
void setRheostat(BenchWindow &form, int ohms)
{
    ScrollBar *bar = control<ScrollBar>(form, "HScroll2");
    bar->setBenchValue(ohms + 1);
    bar->setBenchValue(ohms);
}

/** The key closed, the slider and the box set through their bars, then the source switched on. */
void makeLive(BenchWindow &form, const QList<int> &box, int slider = 100)
{
    BenchDriver bench(form);
    bench.click("Lblvkl");
    bench.slider()->setBenchValue(slider);
    setBox(form, box);
    bench.click("Image1");
}

void verifyAtRest(BenchWindow &form)
{
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.00"));
    QCOMPARE(control<BenchLine>(form, "Line17")->p1().x(), 279.0);
    QCOMPARE(control<BenchLine>(form, "Line17")->p1().y(), 335.0);
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().x(), 279.0);
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().y(), 278.0);
}

} // namespace

void tst_BenchWindow::openCircuit()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<BenchLabel>(form, "Lbl_Ri")->setCaption("Ri=12.0 Ом");
    BenchDriver(form).click("Image1"); // source on, key open
    QCOMPARE(stateOf(form).istochnik, std::int16_t(1));
    verifyAtRest(form);
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), QStringLiteral("Ri=12.0 Ом"));
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_BenchWindow::balance()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    makeLive(form, {0, 1, 9, 6, 3, 0});
    QCOMPARE(stateOf(form).Ig, 0.0);
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("0.0000000"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.06"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), QStringLiteral("Ri=1963.0 Ом"));
    QCOMPARE(control<BenchLine>(form, "Line17")->p2().x(), 279.0);
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_BenchWindow::workedExample()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    setRheostat(form, 112);
    makeLive(form, {0, 1, 0, 0, 0, 0});
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("-0.0000767"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.06"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), QStringLiteral("Ri=1000.0 Ом"));
    QVERIFY(control<BenchLine>(form, "Line17")->p2().x() < 279 - 1.3 &&
            control<BenchLine>(form, "Line17")->p2().x() > 279 - 1.4); // leans left
    QVERIFY(bench.desktop.boxes.isEmpty());
    QCOMPARE(stateOf(form).R1, 1963.0);
    QCOMPARE(stateOf(form).R2, 1000.0);
    QCOMPARE(stateOf(form).R3, 2.5);
    QCOMPARE(stateOf(form).R4, 2.5);
}

namespace {

/** What the galvanometer's and the source's readouts and the needle show, in one line. */
QString shownReadouts(BenchWindow &form)
{
    return QStringLiteral("%1 %2 (%3, %4)")
        .arg(control<ReadoutBox>(form, "Picture2")->text(),
             control<ReadoutBox>(form, "Picture3")->text())
        .arg(control<BenchLine>(form, "Line17")->p2().x(), 0, 'f', 1)
        .arg(control<BenchLine>(form, "Line17")->p2().y(), 0, 'f', 1);
}

} // namespace

void tst_BenchWindow::overload_data()
{
    QTest::addColumn<int>("emf");
    QTest::addColumn<int>("internal");
    QTest::addColumn<int>("rheostat");
    QTest::addColumn<double>("unknown");
    QTest::addColumn<double>("box");
    QTest::addColumn<double>("leftArm"); // the right arm is the rest of the wire's 5 Ω
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("whileUp"); // what the readouts show while each box is up
    const QString galvanometer =
        QStringLiteral("Такой ток сожжёт гальванометр! Измените сопротивление!");
    const QString source = QStringLiteral("Такой ток сожжёт источник! Измените сопротивление!");
    const QString rightArm = QStringLiteral("Правое плечо реохорда равно 0! Думать надо!");
    // Currents solved by hand for each setting; a box comes after the new readouts and needle.
    QTest::newRow("galvanometer") << 8 << 10 << 112 << 1963.0 << 0.0 << 2.5
                                  << QStringList{galvanometer}
                                  << QStringList{"-0.0330878 0.06 (323.6, 370.5)"};
    QTest::newRow("source first") << 12 << 0 << 0 << 100.0 << 0.0 << 2.5 << QStringList{source}
                                  << QStringList{"-1.6901409 3.37 (304.5, 284.0)"};
    // No right arm and too much galvanometer current from one calculation: the right arm's
    // message before anything is shown, then the overload's after it.
    QTest::newRow("right arm, then galvanometer")
        << 12 << 0 << 0 << 1963.0 << 1000.0 << 5.0 << QStringList{rightArm, galvanometer}
        << QStringList{"0.0000000 0.00 (279.0, 278.0)", "0.0060919 2.41 (332.9, 353.5)"};
}

void tst_BenchWindow::overload()
{
    QFETCH(int, emf);
    QFETCH(int, internal);
    QFETCH(int, rheostat);
    QFETCH(double, unknown);
    QFETCH(double, box);
    QFETCH(double, leftArm);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, whileUp);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    BenchDriver(form).setSource(emf, internal);
    if (unknown != 1963) {
        bench.desktop.draws = {(unknown - 50 + 0.5) / 101}; // the draw that gives it
        BenchDriver(form).click("Image6");
        QCOMPARE(stateOf(form).Rx, unknown);
        bench.desktop.boxes.clear();
    }
    setRheostat(form, rheostat);
    QStringList shownWhileUp;
    bench.desktop.onBox = [&] { shownWhileUp << shownReadouts(form); };
    makeLive(form, box == 0 ? QList<int>{0, 0, 0, 0, 0, 0} : QList<int>{0, 1, 0, 0, 0, 0},
             static_cast<int>(leftArm / 5 * 200));
    QCOMPARE(bench.desktop.texts(), messages);
    QCOMPARE(shownWhileUp, whileUp);
    for (const FakeDesktop::Box &b : bench.desktop.boxes) {
        QCOMPARE(b.caption, QStringLiteral("Ошибка"));
        QCOMPARE(b.buttons, Desktop::Buttons::Ok);
    }
    QCOMPARE(stateOf(form).rabota, 0.0);
    QCOMPARE(stateOf(form).istochnik, std::int16_t(0));
    verifyAtRest(form);
    QVERIFY(control<BenchImage>(form, "Image8")->isVisible() &&
            !control<BenchImage>(form, "Image9")->isVisible() &&
            !control<BenchImage>(form, "Image10")->isVisible());
}

void tst_BenchWindow::rightArmZero()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    BenchDriver live(form);
    live.click("Lblvkl");
    live.slider()->setBenchValue(200); // the slider at the right end: no right arm
    setBox(form, {0, 1, 9, 6, 3, 0});
    QCOMPARE(stateOf(form).R_R, 0.0f);
    control<BenchLabel>(form, "Lbl_Ri")->setCaption("Ri=7.0 Ом");
    QStringList shownWhileUp;
    bench.desktop.onBox = [&] { shownWhileUp << shownReadouts(form); };
    live.click("Image1");
    QCOMPARE(bench.desktop.texts(), QStringList{"Правое плечо реохорда равно 0! Думать надо!"});
    // The message comes before the readouts and the needle change.
    QCOMPARE(shownWhileUp, QStringList{"0.0000000 0.00 (279.0, 278.0)"});
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), QStringLiteral("Ri=7.0 Ом"));
    QVERIFY(stateOf(form).I > 0); // the currents are still computed and shown
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0.06"));
}

void tst_BenchWindow::decimalComma()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    setRheostat(form, 112);
    makeLive(form, {0, 1, 0, 0, 0, 0});
    QLocale::setDefault(QLocale::c());
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), QStringLiteral("-0,0000767"));
    QCOMPARE(control<ReadoutBox>(form, "Picture3")->text(), QStringLiteral("0,06"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_Ri")->caption(), QStringLiteral("Ri=1000,0 Ом"));
    QCOMPARE(control<BenchLabel>(form, "Lbl_Rx")->caption(), QStringLiteral("Rx=1963,0 Ом"));
    QCOMPARE(control<BenchLabel>(form, "Lbldv")->caption(),
             QStringLiteral(" 50")); // the slider's readout keeps its point
}

QTEST_MAIN(tst_BenchWindow)
#include "tst_bench_window.moc"
