// The bench's controls in their places, from one table, handed to the instruments that own them.
#include "app/bench_layout.h"

#include "app/bench_fonts.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"
#include "view/source_picture.h"

#include <memory>
#include <type_traits>

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
const QColor kGreen(0, 255, 0); // the currents' figures

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

/** Where a control goes once made: the instrument's slot for it, checked for its type. */
class Slot
{
  public:
    Slot() = default;
    Slot(std::nullptr_t) {}
    template <typename T> Slot(T *&slot)
    {
        m_take = [&slot](BenchItem *item, QWidget *widget) {
            if constexpr (std::is_base_of_v<BenchItem, T>)
                slot = dynamic_cast<T *>(item);
            else
                slot = qobject_cast<T *>(widget);
            return slot != nullptr;
        };
    }
    /** Hands the made control over; a control of another kind than its slot takes stops the bench.
     */
    void take(BenchItem *item, QWidget *widget, const char *name) const
    {
        if (m_take && !m_take(item, widget))
            qFatal("the bench's %s is not the kind of control its instrument works", name);
    }

  private:
    std::function<bool(BenchItem *, QWidget *)> m_take;
};

/** One control: its kind, system name and place, who takes it, and what each kind needs besides. */
struct Row
{
    Kind kind;
    const char *name;
    Slot into;                // the instrument's slot it goes to; none for the wires
    QRectF place;             // a wire's two ends as its corners
    const char *text = "";    // a caption, or a picture's file in assets/bench
    const char *tip = "";     // the tooltip
    QColor color = Qt::black; // a readout's background, a wire's colour, a display's figures
    Qt::Orientation orientation = Qt::Horizontal;
    int top = 0, bottom = 0, value = 0, arrow = 1, page = 1; // a bar's range and steps
};

Row wire(const char *name, double x1, double y1, double x2, double y2, QColor color = Qt::black,
         Slot into = nullptr)
{
    return {Kind::Wire, name, into, QRectF(QPointF(x1, y1), QPointF(x2, y2)), "", "", color};
}

Row bar(const char *name, Slot into, Qt::Orientation o, QRectF place, int top, int bottom,
        int value, int arrow, int page)
{
    return {Kind::Bar, name, into, place, "", "", Qt::black, o, top, bottom, value, arrow, page};
}

Row digit(const char *name, Slot into, double x, double y, const char *tip)
{
    return {Kind::Digit, name, into, {x, y, 20, 20}, "0", tip};
}

/** A black readout box whose figures are in `figures`. */
Row display(const char *name, Slot into, QRectF place, const char *tip, QColor figures)
{
    return {Kind::Display, name, into, place, "", tip, figures};
}

/** A label of one of the bench's kinds of caption. */
BenchLabel *placeLabel(BenchCanvas &bench, const Row &row, const QString &name)
{
    BenchLabel *l =
        bench.add(std::make_unique<BenchLabel>(name, row.place, QString::fromUtf8(row.text)));
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
    return l;
}

/** Makes the row's control on the bench and hands it to the instrument's slot for it. */
void place(BenchCanvas &bench, const Row &row)
{
    const QString name = QString::fromLatin1(row.name);
    const QString tip = QString::fromUtf8(row.tip);
    const QString picture =
        QStringLiteral(":/assets/bench/%1.svg").arg(QString::fromUtf8(row.text));
    BenchItem *item = nullptr;
    QWidget *widget = nullptr;
    switch (row.kind) {
    case Kind::Wire:
        item = bench.add(std::make_unique<BenchLine>(name, row.place.topLeft(),
                                                     row.place.bottomRight(), row.color));
        break;
    case Kind::Picture:
        item = bench.add(std::make_unique<BenchImage>(name, row.place, picture));
        break;
    case Kind::SourcePicture:
        item = bench.add(std::make_unique<SourcePicture>(name, row.place, picture));
        break;
    case Kind::Bar: {
        auto *b = new ScrollBar(row.orientation, row.top, row.bottom, row.value, &bench);
        b->setSingleStep(row.arrow);
        b->setPageStep(row.page);
        widget = b;
        break;
    }
    case Kind::Display: {
        auto *d = new ReadoutBox(&bench);
        d->setFont(benchFont(kLargeFontPx));
        d->setBackColor(Qt::black);
        d->setForeColor(row.color);
        widget = d;
        break;
    }
    default:
        item = placeLabel(bench, row, name);
        break;
    }
    if (item) {
        item->setToolTip(tip);
    } else {
        widget->setObjectName(name);
        widget->setGeometry(row.place.toRect());
        widget->setToolTip(tip);
    }
    row.into.take(item, widget, row.name);
}

} // namespace

BenchControls layOutBench(BenchCanvas &bench)
{
    BenchControls p;
    p.slideWire.bench = &bench;
    // Drawn items front to back, then the readout boxes and bars back to front: each new widget
    // lies over those before it.
    // clang-format off
    const Row rows[] = {
        {Kind::Card, "Lbldv", p.slideWire.card, {280, 200, 35, 22}, "100", "Положение ползуна"},
        wire("Line17", 200, 344, 200, 280, QColor(255, 0, 0), p.galvanometer.needle),
        {Kind::Arm, "Lbl_Ri", p.galvanometer.measured, {80, 384, 120, 22}, "Ri=", "Рассчитанное по измерениям сопротивление"},
        {Kind::Arm, "Lbl_Rx", p.unknown.value, {80, 352, 120, 22}, "Rx=", "Неизвестное сопротивление"},
        {Kind::Picture, "Image10", p.source.lamp, {168, 24, 20, 20}, "lamp"},
        wire("Line16", 368, 136, 376, 136),
        wire("Line14", 368, 160, 368, 136),
        {Kind::Note, "Label1", p.debugNote, {512, 16, 113, 25}, "Label1", "Для вывода отладочной информации"},
        {Kind::Arm, "Lbl_R_R", p.slideWire.rightArm, {232, 144, 120, 22}, "R_R(Oм)=", "Сопротивление правого плеча реохорда"},
        digit("Lbl_R_m_6", p.box.digits[5], 576, 420, "6 декада"),
        digit("Lbl_R_m_5", p.box.digits[4], 496, 420, "5 декада"),
        digit("Lbl_R_m_4", p.box.digits[3], 416, 420, "4 декада"),
        digit("lbl_R_m_3", p.box.digits[2], 576, 340, "3 декада"),
        digit("lbl_R_m_2", p.box.digits[1], 496, 340, "2 декада"),
        digit("Lbl_R_m_1", p.box.digits[0], 416, 340, "1 декада "),
        wire("Line5", 584, 160, 584, 304),
        wire("Line15", 424, 306, 368, 306),
        wire("Line3", 368, 440, 368, 306),
        wire("Line2", 368, 160, 584, 160),
        {Kind::Picture, "Image7", p.box.box, {380, 292, 250, 177}, "resistance_box", "Магазин сопротивлений Р33"},
        {Kind::Picture, "Image6", p.unknown.resistor, {40, 417, 200, 46}, "resistor",
         "Неизвестное сопротивление. При старте 1963 Ом. При щелчке устанавливается случайным "
         "образом от 50 до 150 Ом"},
        {Kind::Picture, "Image5", p.galvanometer.picture, {216, 240, 127, 150}, "galvanometer", "Гальванометр R=2,3 Ом (по паспорту)"},
        {Kind::Picture, "Image4", p.slideWire.jockey, {280, 198, 35, 39}, "jockey"},
        {Kind::Readout, "Lbl_reo", p.rheostat.readout, {472, 60, 36, 22}, "Lbl_reo", "Сопротивление реостата, Ом", Qt::white},
        {Kind::Picture, "Image2", p.rheostat.picture, {360, 80, 200, 76}, "rheostat", "Реостат"},
        wire("Line10", 304, 72, 362, 94),
        {Kind::Readout, "LblReomax", p.rheostat.maximumReadout, {575, 104, 40, 22}, "0", "Максимальное сопротивление реостата, Ом", Qt::white},
        {Kind::Readout, "Lblr", p.source.resistanceReadout, {244, 32, 22, 22}, "0", "Вутреннее сопротивление источника, Ом", kOlive},
        {Kind::Arm, "Lbl_R_L", p.slideWire.leftArm, {100, 144, 120, 22}, "R_L(Ом)=", "Сопротивление левого плеча реохорда"},
        {Kind::Readout, "LblEdc", p.source.emfReadout, {192, 32, 22, 22}, "0", "ЭДС источника, В", kOlive},
        {Kind::Switch, "Lblvkl", p.key.key, {40, 88, 44, 52}, "", "Ключ"},
        wire("Line9", 304, 440, 304, 376),
        wire("Line7", 10, 112, 40, 112),
        wire("Line6", 8, 440, 366, 440),
        wire("Line13", 10, 198, 32, 198),
        wire("Line12", 72, 112, 282, 112),
        wire("Line11", 282, 78, 282, 112),
        wire("Line8", 10, 440, 10, 112),
        wire("Line4", 520, 198, 584, 198),
        wire("Line1", 296, 230, 256, 384, Qt::black, p.slideWire.lead),
        {Kind::Picture, "Image8", p.key.open, {20, 72, 100, 60}, "key_open"},
        {Kind::Picture, "Image9", p.key.closed, {0, 24, 100, 60}, "key_closed"},
        {Kind::Picture, "Image3", p.slideWire.wire, {32, 178, 500, 65}, "slide_wire", "Реохорд R=5 Ом (по паспорту)"},
        {Kind::SourcePicture, "Image1", p.source.picture, {128, 5, 200, 96}, "source", "Источник ЭДС"},

        bar("HScroll1", p.slideWire.bar, Qt::Horizontal, {60, 170, 448, 12}, 0, 200, 100, 1, 5),
        display("Picture1", p.box.display, {472, 376, 81, 24}, "Сопротивление магазина", Qt::white),
        display("Picture2", p.galvanometer.current, {235, 360, 95, 24}, "Сила тока, А", kGreen),
        bar("HScroll2", p.rheostat.bar, Qt::Horizontal, {386, 82, 160, 12}, 0, 100, 0, 1, 5),
        bar("HScroll3", p.source.emfBar, Qt::Horizontal, {192, 80, 25, 9}, 4, 12, 4, 1, 1),
        bar("VScroll1", p.box.decades[0], Qt::Vertical, {452, 332, 15, 40}, 9, 0, 0, 1, 1),
        bar("VScroll2", p.box.decades[1], Qt::Vertical, {530, 332, 15, 40}, 9, 0, 0, 1, 1),
        bar("VScroll3", p.box.decades[2], Qt::Vertical, {610, 332, 15, 40}, 9, 0, 0, 1, 1),
        bar("VScroll4", p.box.decades[3], Qt::Vertical, {452, 408, 15, 40}, 9, 0, 0, 1, 1),
        bar("VScroll5", p.box.decades[4], Qt::Vertical, {530, 408, 15, 40}, 9, 0, 0, 1, 1),
        bar("VScroll6", p.box.decades[5], Qt::Vertical, {610, 408, 15, 40}, 9, 0, 0, 1, 1),
        bar("HScroll4", p.source.resistanceBar, Qt::Horizontal, {248, 80, 25, 9}, 0, 20, 0, 1, 1),
        // The rheostat maximum steps by 5 on its arrows and by 1 in its track: the other way round
        // from the slider and the rheostat.
        bar("VScroll7", p.rheostat.maximumBar, Qt::Vertical, {565, 96, 10, 40}, 500, 15, 30, 5, 1),
        display("Picture3", p.source.current, {0, 140, 40, 25}, "Сила тока, А", kGreen),
    };
    // clang-format on
    for (const Row &row : rows)
        place(bench, row);
    return p;
}
