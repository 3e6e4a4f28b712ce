// The bench's controls in their places, from one table.
#include "app/bench_layout.h"

#include "app/bench_fonts.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"
#include "view/source_picture.h"

#include <memory>

QFont benchFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

namespace {

const QColor kButtonFace(240, 240, 240);
const QColor kOlive(128, 128, 0);

enum class Kind
{
    Note,    // a plain caption in the window's font
    Switch,  // a transparent area that takes clicks
    Card,    // the jockey's card: it grows to fit its caption
    Digit,   // a decade's digit, white on its knob
    Readout, // a framed number on its colour
    Arm,     // a framed caption in the medium font
    Picture,
    SourcePicture,
    Wire,
    Bar,
    Display, // a black readout box in front of the drawing
};

/** One control: its kind, system name and place, and what each kind needs besides. */
struct Row
{
    Kind kind;
    const char *name;
    QRectF place;             // a wire's two ends as its corners
    const char *text = "";    // a caption, or a picture's file in assets/bench
    const char *tip = "";     // the tooltip
    QColor color = Qt::black; // a readout's background, a wire's colour
    Qt::Orientation orientation = Qt::Horizontal;
    int top = 0, bottom = 0, value = 0, arrow = 1, page = 1; // a bar's range and steps
};

Row wire(const char *name, double x1, double y1, double x2, double y2, QColor color = Qt::black)
{
    return {Kind::Wire, name, QRectF(QPointF(x1, y1), QPointF(x2, y2)), "", "", color};
}

Row bar(const char *name, Qt::Orientation o, QRectF place, int top, int bottom, int value,
        int arrow, int page)
{
    return {Kind::Bar, name, place, "", "", Qt::black, o, top, bottom, value, arrow, page};
}

Row digit(const char *name, double x, double y, const char *tip)
{
    return {Kind::Digit, name, {x, y, 20, 20}, "0", tip};
}

// Drawn items front to back, then the readout boxes and bars back to front: each new widget lies
// over those before it.
const Row kBench[] = {
    {Kind::Card, "Lbldv", {280, 200, 35, 22}, "100", "Положение ползуна"},
    wire("Line17", 200, 344, 200, 280, QColor(255, 0, 0)),
    {Kind::Arm, "Lbl_Ri", {80, 384, 120, 22}, "Ri=", "Рассчитанное по измерениям сопротивление"},
    {Kind::Arm, "Lbl_Rx", {80, 352, 120, 22}, "Rx=", "Неизвестное сопротивление"},
    {Kind::Picture, "Image10", {168, 24, 20, 20}, "lamp"},
    wire("Line16", 368, 136, 376, 136),
    wire("Line14", 368, 160, 368, 136),
    {Kind::Note, "Label1", {512, 16, 113, 25}, "Label1", "Для вывода отладочной информации"},
    {Kind::Arm, "Lbl_R_R", {232, 144, 120, 22}, "R_R(Oм)=", "Сопротивление правого плеча реохорда"},
    digit("Lbl_R_m_6", 576, 420, "6 декада"),
    digit("Lbl_R_m_5", 496, 420, "5 декада"),
    digit("Lbl_R_m_4", 416, 420, "4 декада"),
    digit("lbl_R_m_3", 576, 340, "3 декада"),
    digit("lbl_R_m_2", 496, 340, "2 декада"),
    digit("Lbl_R_m_1", 416, 340, "1 декада "),
    wire("Line5", 584, 160, 584, 304),
    wire("Line15", 424, 306, 368, 306),
    wire("Line3", 368, 440, 368, 306),
    wire("Line2", 368, 160, 584, 160),
    {Kind::Picture, "Image7", {380, 292, 250, 177}, "resistance_box", "Магазин сопротивлений Р33"},
    {Kind::Picture,
     "Image6",
     {40, 417, 200, 46},
     "resistor",
     "Неизвестное сопротивление. При старте 1963 Ом. При щелчке устанавливается случайным "
     "образом от 50 до 150 Ом"},
    {Kind::Picture,
     "Image5",
     {216, 240, 127, 150},
     "galvanometer",
     "Гальванометр R=2,3 Ом (по паспорту)"},
    {Kind::Picture, "Image4", {280, 198, 35, 39}, "jockey"},
    {Kind::Readout,
     "Lbl_reo",
     {472, 60, 36, 22},
     "Lbl_reo",
     "Сопротивление реостата, Ом",
     Qt::white},
    {Kind::Picture, "Image2", {360, 80, 200, 76}, "rheostat", "Реостат"},
    wire("Line10", 304, 72, 362, 94),
    {Kind::Readout,
     "LblReomax",
     {575, 104, 40, 22},
     "0",
     "Максимальное сопротивление реостата, Ом",
     Qt::white},
    {Kind::Readout,
     "Lblr",
     {244, 32, 22, 22},
     "0",
     "Вутреннее сопротивление источника, Ом",
     kOlive},
    {Kind::Arm, "Lbl_R_L", {100, 144, 120, 22}, "R_L(Ом)=", "Сопротивление левого плеча реохорда"},
    {Kind::Readout, "LblEdc", {192, 32, 22, 22}, "0", "ЭДС источника, В", kOlive},
    {Kind::Switch, "Lblvkl", {40, 88, 44, 52}, "", "Ключ"},
    wire("Line9", 304, 440, 304, 376),
    wire("Line7", 10, 112, 40, 112),
    wire("Line6", 8, 440, 366, 440),
    wire("Line13", 10, 198, 32, 198),
    wire("Line12", 72, 112, 282, 112),
    wire("Line11", 282, 78, 282, 112),
    wire("Line8", 10, 440, 10, 112),
    wire("Line4", 520, 198, 584, 198),
    wire("Line1", 296, 230, 256, 384),
    {Kind::Picture, "Image8", {20, 72, 100, 60}, "key_open"},
    {Kind::Picture, "Image9", {0, 24, 100, 60}, "key_closed"},
    {Kind::Picture, "Image3", {32, 178, 500, 65}, "slide_wire", "Реохорд R=5 Ом (по паспорту)"},
    {Kind::SourcePicture, "Image1", {128, 5, 200, 96}, "source", "Источник ЭДС"},

    bar("HScroll1", Qt::Horizontal, {60, 170, 448, 12}, 0, 200, 100, 1, 5),
    {Kind::Display, "Picture1", {472, 376, 81, 24}, "", "Сопротивление магазина"},
    {Kind::Display, "Picture2", {235, 360, 95, 24}, "", "Сила тока, А"},
    bar("HScroll2", Qt::Horizontal, {386, 82, 160, 12}, 0, 100, 0, 1, 5),
    bar("HScroll3", Qt::Horizontal, {192, 80, 25, 9}, 4, 12, 4, 1, 1),
    bar("VScroll1", Qt::Vertical, {452, 332, 15, 40}, 9, 0, 0, 1, 1),
    bar("VScroll2", Qt::Vertical, {530, 332, 15, 40}, 9, 0, 0, 1, 1),
    bar("VScroll3", Qt::Vertical, {610, 332, 15, 40}, 9, 0, 0, 1, 1),
    bar("VScroll4", Qt::Vertical, {452, 408, 15, 40}, 9, 0, 0, 1, 1),
    bar("VScroll5", Qt::Vertical, {530, 408, 15, 40}, 9, 0, 0, 1, 1),
    bar("VScroll6", Qt::Vertical, {610, 408, 15, 40}, 9, 0, 0, 1, 1),
    bar("HScroll4", Qt::Horizontal, {248, 80, 25, 9}, 0, 20, 0, 1, 1),
    // The rheostat maximum steps by 5 on its arrows and by 1 in its track: the other way round
    // from the slider and the rheostat.
    bar("VScroll7", Qt::Vertical, {565, 96, 10, 40}, 500, 15, 30, 5, 1),
    {Kind::Display, "Picture3", {0, 140, 40, 25}, "", "Сила тока, А"},
};

void place(BenchCanvas &bench, const Row &row)
{
    const QString name = QString::fromLatin1(row.name);
    const QString text = QString::fromUtf8(row.text);
    const QString tip = QString::fromUtf8(row.tip);
    const QString picture = QStringLiteral(":/assets/bench/%1.svg").arg(text);
    switch (row.kind) {
    case Kind::Wire:
        bench.add(std::make_unique<BenchLine>(name, row.place.topLeft(), row.place.bottomRight(),
                                              row.color));
        return;
    case Kind::Picture:
        bench.add(std::make_unique<BenchImage>(name, row.place, picture))->setToolTip(tip);
        return;
    case Kind::SourcePicture:
        bench.add(std::make_unique<SourcePicture>(name, row.place, picture))->setToolTip(tip);
        return;
    case Kind::Bar: {
        auto *b = new ScrollBar(row.orientation, row.top, row.bottom, row.value, &bench);
        b->setObjectName(name);
        b->setGeometry(row.place.toRect());
        b->setSingleStep(row.arrow);
        b->setPageStep(row.page);
        return;
    }
    case Kind::Display: {
        auto *p = new ReadoutBox(&bench);
        p->setObjectName(name);
        p->setGeometry(row.place.toRect());
        p->setFont(benchFont(kLargeFontPx));
        p->setToolTip(tip);
        return;
    }
    default:
        break;
    }
    BenchLabel *l = bench.add(std::make_unique<BenchLabel>(name, row.place, text));
    l->setToolTip(tip);
    l->background = kButtonFace;
    switch (row.kind) {
    case Kind::Card:
        l->font = benchFont(kLargeFontPx);
        l->alignment = Qt::AlignHCenter;
        l->transparent = true;
        l->growsToFit = true; // " 50.5" is wider than the jockey's 35 pixels
        break;
    case Kind::Digit:
        l->font = benchFont(kLargeFontPx);
        l->alignment = Qt::AlignHCenter;
        l->transparent = true;
        l->foreground = Qt::white;
        break;
    case Kind::Readout:
        l->font = benchFont(kLargeFontPx);
        l->framed = true;
        l->alignment = Qt::AlignRight;
        l->background = row.color;
        break;
    case Kind::Arm:
        l->font = benchFont(kMediumFontPx);
        l->framed = true;
        break;
    case Kind::Switch:
        l->transparent = true;
        break;
    default:
        break;
    }
}

} // namespace

void layOutBench(BenchCanvas &bench)
{
    for (const Row &row : kBench)
        place(bench, row);
}
