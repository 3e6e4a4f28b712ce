// The bench as the documents show it: built offscreen, operated through its own controls and read
// from its own readouts, so that no picture, key or number in a document can differ from it.
#include "bench_facts.h"

#include "app/bench_driver.h"
#include "app/bench_window.h"
#include "model/balancing.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/find_control.h"
#include "toolkit/quiet_desktop.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QApplication>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace benchfacts {
namespace {

// The one place where the documents operate the bench's window: through the bench driver, as a
// user would. Everything else here reads only the places of its controls for the pictures.
struct Bench
{
    // No box may appear while the documents are made: a refusal would mean the documented
    // settings are wrong, and that must fail the build.
    QuietDesktop desktop;
    BenchWindow form{desktop};
    BenchDriver drive{form};
    Bench()
    {
        form.start();
        QApplication::processEvents();
    }
    BenchItem *item(const char *name) const { return drive.control<BenchItem>(name); }
    ScrollBar *bar(const char *name) const { return drive.bar(name); }
    QRectF place(const char *name) const
    {
        if (const BenchItem *drawn = findControl<BenchItem>(form, QString::fromLatin1(name)))
            return drawn->bounds();
        return QRectF(drive.control<QWidget>(name)->geometry());
    }
    ScrollBar *decade(int k) const { return drive.decade(k); }
    void setDecades(const int (&digits)[kDecades])
    {
        drive.setDecades({digits[0], digits[1], digits[2], digits[3], digits[4], digits[5]});
    }
    void clickKey() { drive.click("Lblvkl"); }
    void clickSource() { drive.click("Image1"); }
    void setSource(int emf, int internalResistance) { drive.setSource(emf, internalResistance); }
    void setRheostatMaximum(int ohms) { bar("VScroll7")->setBenchValue(ohms); }
    void setRheostat(int ohms) { bar("HScroll2")->setBenchValue(ohms); }
    void rheostatToMaximum() { setRheostat(bar("HScroll2")->endValue()); }
    void setSlider(int position) { drive.slider()->setBenchValue(position); }

    // Whether the bench showed a box; the last one is told on the error stream.
    bool refused() const
    {
        if (desktop.boxes == 0)
            return false;
        std::fprintf(stderr, "docgen: the bench refused: %s\n", qPrintable(desktop.lastBox));
        return true;
    }
    QString readout() const { return drive.shown("Picture2"); }
    QString sourceCurrent() const { return drive.shown("Picture3"); }
    QString box() const { return drive.shown("Picture1"); }
    QString rheostat() const { return drive.caption("Lbl_reo"); }
    QString slider() const { return drive.caption("Lbldv").trimmed(); }
    // The value of a caption such as "R_L=2,500 Ом".
    QString leftArm() const { return drive.caption("Lbl_R_L").section('=', 1); }
    QString rightArm() const { return drive.caption("Lbl_R_R").section('=', 1); }
    QString measured() const { return drive.caption("Lbl_Ri"); }
    const CircuitState &state() const { return drive.state(); }
    // A number as the readouts write it: the pattern's digits, the locale's decimal separator.
    QString format(double value, const char *pattern) const { return drive.format(value, pattern); }
    QImage shot() const { return form.centralWidget()->grab().toImage(); }
};

// Minus signs as typeset, for the text of a document.
QString typeset(QString text)
{
    return text.replace(QLatin1Char('-'), QChar(0x2212));
}

// Every number that a document derives from the bench: with the given decimals, in the bench's
// own number pattern and locale, with a typeset minus.
QString number(const Bench &b, double value, int decimals)
{
    const std::string pattern = decimals > 0 ? "0." + std::string(size_t(decimals), '0') : "0";
    return typeset(b.format(value, pattern.c_str()));
}

// A result with its error: the error to two significant figures, the value to the same place.
QString withError(const Bench &b, double value, double error)
{
    int decimals = std::max(0, 1 - int(std::floor(std::log10(error))));
    if (decimals > 0 && std::round(error * std::pow(10, decimals)) >= 100)
        --decimals; // 9,96 rounds to 10
    return QStringLiteral("%1 ± %2").arg(number(b, value, decimals), number(b, error, decimals));
}

// ---- The measurement that the instruction teaches, made on the bench ----

struct Step
{
    QString rheostat, box, readout, note;
};

const QStringList kDecadeNames{QStringLiteral("×10000"), QStringLiteral("×1000"),
                               QStringLiteral("×100"),   QStringLiteral("×10"),
                               QStringLiteral("×1"),     QStringLiteral("×0,1")};

// The instruction's balancing on the generator's bench, with a row of the table at each point.
class Measurement : public BalancingBench
{
  public:
    explicit Measurement(Bench &bench) : b(bench) {}

    // Key open, source off: the settings of a sensitive measurement, the rheostat at its maximum,
    // all decades at 9, then the key closed and the source on.
    void prepare(int sliderPosition)
    {
        b.setSource(12, 0);
        b.setRheostatMaximum(500);
        b.clickKey();
        b.rheostatToMaximum();
        b.setDecades({9, 9, 9, 9, 9, 9});
        b.setSlider(sliderPosition);
        b.clickSource();
    }

    std::string readout() const override { return b.readout().toStdString(); }
    int digit(int k) const override { return b.decade(k)->benchValue(); }
    void turn(int k, int by) override { b.decade(k)->setBenchValue(digit(k) + by); }
    void rheostatToZero() override { b.setRheostat(0); }
    void reached(const BalancingEvent &event) override
    {
        const QString name = event.decade >= 0 ? kDecadeNames[event.decade] : QString();
        QString what;
        switch (event.kind) {
        case BalancingEvent::SignChanged:
            what = QStringLiteral("%1: знак сменился").arg(name);
            break;
        case BalancingEvent::StepBack:
            what = QStringLiteral("%1: на ступень назад").arg(name);
            break;
        case BalancingEvent::ZeroReadout:
            what = QStringLiteral("%1: отсчёт нулевой").arg(name);
            break;
        case BalancingEvent::DigitZero:
            what = QStringLiteral("%1: цифра 0").arg(name);
            break;
        case BalancingEvent::DigitNine:
            what = QStringLiteral("%1: цифра 9").arg(name);
            break;
        case BalancingEvent::RheostatZero:
            what = QStringLiteral("реостат на 0");
            break;
        case BalancingEvent::LowerNearer:
            what = QStringLiteral("на 0,1 Ом ниже отсчёт ближе к нулю: так и оставлено");
            break;
        case BalancingEvent::LowerFarther:
            what = QStringLiteral("на 0,1 Ом ниже отсчёт дальше от нуля");
            break;
        case BalancingEvent::AlreadyZero:
            what = QStringLiteral("отсчёт уже 0,0000000: п. 11 пропущен");
            break;
        case BalancingEvent::Balance:
            what = QStringLiteral("равновесие");
            break;
        }
        steps.push_back({b.rheostat(), b.box(), typeset(b.readout()), what});
    }

    Bench &b;
    std::vector<Step> steps;
};

// ---- Keyboard order ----

// The stops of the keyboard order as the documents name them, and whether each is a scroll bar.
struct Stop
{
    QString name;
    ScrollBar *bar = nullptr;
};

// A name as a line may break it: never between a number and its unit ("×1 Ом", "R=5 Ом").
QString withUnitsKept(QString name)
{
    static const QRegularExpression unit(QStringLiteral("(\\d) (?=(?:Ом|мА|А|В)(?!\\p{L}))"));
    return name.replace(unit, QStringLiteral("\\1") + QChar(QChar::Nbsp));
}

std::vector<Stop> focusStops(const Bench &b)
{
    std::vector<Stop> stops;
    for (const FocusStop &stop : b.form.findChild<BenchCanvas *>()->keyboard().focusChain()) {
        if (stop.item)
            stops.push_back({withUnitsKept(stopName(stop.item->accessibleName())), nullptr});
        else
            stops.push_back({withUnitsKept(stopName(stop.widget->accessibleName())),
                             qobject_cast<ScrollBar *>(stop.widget)});
    }
    return stops;
}

// The stops in one paragraph of their own, numbered; the pictures, which Space and Enter click,
// marked so.
QString focusList(const Bench &b)
{
    QStringList items;
    int number = 0;
    for (const Stop &stop : focusStops(b))
        items << QStringLiteral("%1)&nbsp;%2%3")
                     .arg(++number)
                     .arg(stop.name, stop.bar ? QString() : QStringLiteral(" (щелчок)"));
    return QStringLiteral("<p>") + items.join(QStringLiteral("; ")) + QStringLiteral(".</p>");
}

QString barRows(const Bench &b)
{
    QString rows;
    for (const Stop &stop : focusStops(b)) {
        if (!stop.bar)
            continue;
        const ScrollBar *bar = stop.bar;
        const bool rheostat = bar == b.bar("HScroll2"); // its far end is the rheostat's maximum
        const QString far =
            rheostat ? QStringLiteral("максимум") : QString::number(bar->endValue());
        rows +=
            QStringLiteral("<tr><td>%1</td><td align=\"center\">%2…%3</td>"
                           "<td align=\"center\">%4</td><td align=\"center\">%5</td>"
                           "<td align=\"center\">%6</td><td align=\"center\">%7</td></tr>")
                .arg(stop.name, QString::number(std::min(bar->startValue(), bar->endValue())),
                     rheostat ? far : QString::number(std::max(bar->startValue(), bar->endValue())),
                     QString::number(bar->singleStep()), QString::number(bar->pageStep()),
                     QString::number(bar->startValue()), far);
    }
    return rows;
}

// ---- Annotated pictures ----

enum Side
{
    Top,
    Bottom,
    Left,
    Right
};

struct Callout
{
    QPointF target; // in bench pixels
    Side side;      // the margin that holds its marker
    QString text;
    // Where the marker stands, in bench pixels, when not in its margin straight across from the
    // target: a leader that would cross a readout or a label comes another way.
    std::optional<QPointF> marker = std::nullopt;
};

// The bench's picture on a white sheet whose margins hold the callouts; the picture itself is left
// exactly as the bench drew it.
QImage withMargins(const QImage &shot)
{
    const int m = kCalloutMargin;
    const qreal ratio = shot.devicePixelRatio();
    QImage sheet(QSize(640 + 2 * m, 480 + 2 * m) * ratio, QImage::Format_RGB32);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(QPointF(m, m), shot);
    return sheet;
}

// The callouts of each picture, kept when the picture is drawn.
QHash<QString, std::vector<Callout>> &calloutsOf()
{
    static QHash<QString, std::vector<Callout>> callouts;
    return callouts;
}

QString legend(const std::vector<Callout> &callouts)
{
    QString html = QStringLiteral("<ol>");
    for (const Callout &callout : callouts)
        html += QStringLiteral("<li>%1</li>").arg(callout.text);
    return html + QStringLiteral("</ol>");
}

// A point of a control: fx and fy are fractions of its width and height.
QPointF on(const QRectF &rect, qreal fx = 0.5, qreal fy = 0.5)
{
    return rect.topLeft() + QPointF(rect.width() * fx, rect.height() * fy);
}

// Where the callouts point, so that no dot and no leader covers a readout or the writing on an
// instrument: a readout by the middle of one edge of its frame, a bar by its thumb or an arrow,
// a picture at a plain part of it. The source's two small bars sit under its readouts, between the
// nameplate and the labels "Е, В" and "r, Ом": their markers stand on the bench below the source,
// where the arms of the slide wire show only when revealed, and their leaders come up to them from
// there.
std::vector<Callout> startCallouts(const Bench &b)
{
    const QRectF emf = b.place("HScroll3"), internal = b.place("HScroll4");
    const qreal below = b.place("Image1").bottom() + 36;
    return {
        {on(b.place("Image1"), 0.095, 0.31), Top,
         QStringLiteral("Источник ЭДС: щелчок включает и выключает его; зелёная лампа горит, "
                        "пока он включён.")},
        {on(emf, 0.5, 0.5), Bottom,
         QStringLiteral("ЭДС источника, В: отсчёт и полоса прокрутки под ним (видна, пока "
                        "источник выключен)."),
         QPointF(emf.center().x() - 6, below)},
        {on(internal, 0.5, 0.5), Bottom,
         QStringLiteral("Внутреннее сопротивление источника, Ом: отсчёт и полоса прокрутки под "
                        "ним (видна, пока источник выключен)."),
         QPointF(internal.center().x() + 6, below)},
        {on(b.place("Image2")), Top, QStringLiteral("Реостат.")},
        {on(b.place("VScroll7"), 0.5, 0.85), Right,
         QStringLiteral("Максимум реостата, Ом: отсчёт и полоса прокрутки (видна, пока ключ "
                        "разомкнут)."),
         QPointF(640 + kCalloutMargin / 2.0, b.place("LblReomax").bottom() + 20)},
        {on(b.place("Lblvkl")), Left, QStringLiteral("Ключ: щелчок замыкает и размыкает цепь.")},
        {on(b.place("Picture3"), 0, 0.5), Left, QStringLiteral("Ток источника, А.")},
        {on(b.place("Image3"), 0.12, 0.2), Left,
         QStringLiteral("Реохорд с ползуном; на ползуне — его положение в процентах длины "
                        "проволоки. Щелчок по реохорду на 10 секунд показывает сопротивления "
                        "плеч.")},
        {on(b.place("Image5"), 0.06, 0.5), Left,
         QStringLiteral("Гальванометр: щелчок по нему на 10 секунд показывает неизвестное "
                        "сопротивление Rx и значение Ri.")},
        {on(b.place("Image6")), Bottom,
         QStringLiteral("Неизвестное сопротивление: щелчок при выключенном источнике заменяет "
                        "его.")},
        {on(b.place("Picture2"), 0.5, 1), Bottom,
         QStringLiteral("Отсчёт тока гальванометра, А: по нему находят равновесие.")},
        {on(b.place("Image7"), 0.68, 0.97), Bottom,
         QStringLiteral("Магазин сопротивлений (на нём указан класс точности 0,2).")},
    };
}

std::vector<Callout> closedCallouts(const Bench &b)
{
    const QRectF display = b.place("Picture1");
    return {
        {on(b.place("Image9")), Left, QStringLiteral("Ключ замкнут.")},
        {on(b.place("Picture3"), 0, 0.5), Left, QStringLiteral("Ток источника, А.")},
        {on(b.place("HScroll1"), 0.05), Left, QStringLiteral("Полоса прокрутки ползуна реохорда.")},
        {on(b.place("HScroll2")), Top,
         QStringLiteral("Полоса прокрутки реостата; над бегунком — сопротивление реостата, Ом.")},
        // Up from below, between the ×10 bar and the ×1 knob: from the right the leader would
        // cross the box's class and number.
        {QPointF(display.left() + 4, display.bottom()), Bottom,
         QStringLiteral("Табло магазина: сопротивление R<sub>м</sub>, Ом.")},
        {on(b.place("VScroll4")), Bottom,
         QStringLiteral("Полоса прокрутки декады справа от её ручки (здесь — декада ×10); цифра "
                        "декады — на ручке. Верхний ряд: ×10000, ×1000, ×100; нижний: ×10, ×1, "
                        "×0,1.")},
        {on(b.place("Picture2"), 0.5, 1), Bottom, QStringLiteral("Отсчёт тока гальванометра, А.")},
    };
}

// ---- The values the sources name ----

using Producer = std::function<void(QHash<QString, QString> &)>;

void sensitive(QHash<QString, QString> &v)
{
    // The start-up unknown balanced at the middle of the wire under the sensitive settings.
    Bench b;
    b.setSource(12, 0);
    b.clickKey();
    b.setDecades({0, 1, 9, 6, 3, 0});
    b.setRheostat(0);
    b.clickSource();
    v[QStringLiteral("SENSITIVE_I")] = b.sourceCurrent();
    b.decade(kTenths)->setBenchValue(1);
    v[QStringLiteral("SENSITIVE_STEP")] = typeset(b.readout());
    v[QStringLiteral("SENSITIVE_BOX")] = b.box();
    if (b.refused())
        v.clear();
}

void example(QHash<QString, QString> &v)
{
    Bench b;
    Measurement m(b);
    const int position = 140;
    m.prepare(position);
    const Balancing found = balance(m);
    QString rows;
    for (const Step &s : m.steps)
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(s.note, s.rheostat, s.box, s.readout);
    v[QStringLiteral("EXAMPLE_ROWS")] = rows;
    v[QStringLiteral("EXAMPLE_SLIDER")] = b.slider();
    v[QStringLiteral("EXAMPLE_RL")] = b.leftArm();
    v[QStringLiteral("EXAMPLE_RR")] = b.rightArm();
    v[QStringLiteral("EXAMPLE_I")] = b.sourceCurrent();
    v[QStringLiteral("EXAMPLE_BOX")] = b.box();
    const double Rm = std::round(double(b.state().R_m) * 10) / 10;
    v[QStringLiteral("EXAMPLE_RM")] = number(b, Rm, 1);
    v[QStringLiteral("EXAMPLE_RI")] = b.measured().replace(QLatin1Char(' '), QChar::Nbsp);
    v[QStringLiteral("EXAMPLE_READOUT")] = typeset(QString::fromStdString(found.atBalance));

    // The sensitivity threshold, as the instruction measures it.
    const bool ones = found.sensitivityDecade == kOnes;
    const QStringList steps{QStringLiteral("одну её ступень"), QStringLiteral("две её ступени"),
                            QStringLiteral("три её ступени"), QStringLiteral("четыре её ступени"),
                            QStringLiteral("пять её ступеней")};
    v[QStringLiteral("EXAMPLE_SENS_HOW")] =
        (ones ? QStringLiteral("Ступень декады ×0,1 сдвигает отсчёт меньше чем на 10 единиц "
                               "последнего разряда, поэтому порог измерен декадой ×1: ")
              : QStringLiteral("Порог измерен декадой ×0,1: ")) +
        QStringLiteral("на %1 %2")
            .arg(steps.value(found.steps - 1),
                 found.by > 0 ? QStringLiteral("выше") : QStringLiteral("ниже"));
    // k steps of 1 Ω, or one of 0,1 Ω
    v[QStringLiteral("EXAMPLE_STEP")] = ones ? QString::number(found.steps) : QStringLiteral("0,1");
    v[QStringLiteral("EXAMPLE_STEPPED")] = typeset(QString::fromStdString(found.stepped));
    v[QStringLiteral("EXAMPLE_N")] = QString::number(found.units);
    const double threshold = found.threshold;
    v[QStringLiteral("EXAMPLE_THRESHOLD")] = number(b, threshold, 3);

    const double ratio = b.state().R_L / b.state().R_R;
    const double Rx = Rm * ratio;
    const double klass = 0.002 * Rm;
    const double resolution = std::sqrt(0.05 * 0.05 + threshold * threshold);
    const double dRm = std::sqrt(klass * klass + resolution * resolution);
    v[QStringLiteral("EXAMPLE_RX")] = number(b, Rx, 2);
    v[QStringLiteral("EXAMPLE_CLASS")] = number(b, klass, 2);
    v[QStringLiteral("EXAMPLE_DRM")] = number(b, dRm, 2);
    v[QStringLiteral("EXAMPLE_DRX")] = number(b, dRm * ratio, 2);
    v[QStringLiteral("EXAMPLE_DRES")] = number(b, resolution * ratio, 2);
    v[QStringLiteral("EXAMPLE_RESULT")] = withError(b, Rx, dRm * ratio);
    v[QStringLiteral("EXAMPLE_DEVIATION")] = number(b, std::fabs(Rx - b.state().Rx), 2);
    if (b.refused())
        v.clear();
}

void keyboard(QHash<QString, QString> &v)
{
    Bench b;
    v[QStringLiteral("FOCUS_LIST")] = focusList(b);
    v[QStringLiteral("FOCUS_COUNT")] = QString::number(focusStops(b).size());
    v[QStringLiteral("BAR_ROWS")] = barRows(b);
}

void legends(QHash<QString, QString> &v)
{
    Bench b;
    v[QStringLiteral("BENCH_START_LEGEND")] = legend(startCallouts(b));
    v[QStringLiteral("BENCH_CLOSED_LEGEND")] = legend(closedCallouts(b));
}

// The galvanometer under the start-up settings with a small box: a current the needle shows.
void galvanometerState(Bench &b)
{
    b.clickKey();
    b.decade(2)->setBenchValue(1);
    b.clickSource();
}

void galvanometer(QHash<QString, QString> &v)
{
    Bench b;
    galvanometerState(b);
    v[QStringLiteral("GALV_IG")] = number(b, b.state().Ig * 1000, 2);
    v[QStringLiteral("GALV_READOUT")] = typeset(b.readout());
    v[QStringLiteral("GALV_BOX")] = b.box();
    if (b.refused())
        v.clear();
}

} // namespace

QHash<QString, QString> values(const QString &needs)
{
    const std::pair<const char *, Producer> producers[] = {
        {"@SENSITIVE_", sensitive}, {"@EXAMPLE_", example}, {"@FOCUS_", keyboard},
        {"@BAR_", keyboard},        {"@BENCH_", legends},   {"@GALV_", galvanometer}};
    QHash<QString, QString> v;
    for (const auto &[prefix, produce] : producers)
        if (needs.contains(QLatin1String(prefix)))
            produce(v);
    return v;
}

QImage picture(const QString &name)
{
    Bench b;
    if (name == QLatin1String("bench-start")) {
        calloutsOf()[name] = startCallouts(b);
        return withMargins(b.shot());
    }
    if (name == QLatin1String("bench-key-closed")) {
        b.clickKey();
        calloutsOf()[name] = closedCallouts(b);
        return withMargins(b.shot());
    }
    if (name == QLatin1String("galvanometer")) {
        galvanometerState(b);
        const QImage shot = b.shot();
        const QRectF dial = b.place("Image5");
        QImage crop = shot.copy(
            QRectF(dial.topLeft() * kPrintRatio, dial.size() * kPrintRatio).toAlignedRect());
        crop.setDevicePixelRatio(kPrintRatio);
        return crop;
    }
    return QImage();
}

// Each marker stands in the margin nearest its target, unless its callout places it, and its
// leader runs straight to the target; markers on one side are pushed apart so that none covers
// another.
void drawCallouts(QPainter &painter, const QString &name, const QRectF &placed)
{
    const auto callouts = calloutsOf().constFind(name);
    if (callouts == calloutsOf().constEnd())
        return;
    const int m = kCalloutMargin;
    const qreal mid = -m / 2.0;
    struct Marker
    {
        int number;
        Side side;
        qreal along;
        QPointF target;
        std::optional<QPointF> at;
    };
    std::vector<Marker> markers;
    for (size_t i = 0; i < callouts->size(); ++i) {
        const Callout &callout = (*callouts)[i];
        const QPointF c = callout.target;
        markers.push_back(
            {int(i) + 1, callout.side, callout.side < Left ? c.x() : c.y(), c, callout.marker});
    }
    const qreal gap = 18;
    for (Side side : {Top, Bottom, Left, Right}) {
        std::vector<Marker *> row;
        for (Marker &marker : markers)
            if (marker.side == side && !marker.at)
                row.push_back(&marker);
        std::sort(row.begin(), row.end(),
                  [](const Marker *a, const Marker *b) { return a->along < b->along; });
        for (size_t i = 1; i < row.size(); ++i)
            row[i]->along = std::max(row[i]->along, row[i - 1]->along + gap);
    }

    painter.save();
    painter.translate(placed.topLeft());
    painter.scale(placed.width() / (640 + 2 * m), placed.height() / (480 + 2 * m));
    painter.translate(m, m);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0, 70, 160);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    for (const Marker &marker : markers) {
        const QPointF at = marker.at               ? *marker.at
                           : marker.side == Top    ? QPointF(marker.along, mid)
                           : marker.side == Bottom ? QPointF(marker.along, 480 - mid)
                           : marker.side == Left   ? QPointF(mid, marker.along)
                                                   : QPointF(640 - mid, marker.along);
        // A white halo keeps the leader visible over dark parts of the bench.
        painter.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(at, marker.target);
        painter.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(at, marker.target);
        painter.setBrush(ink);
        painter.drawEllipse(marker.target, 2.2, 2.2);
        painter.setPen(QPen(Qt::white, 1.0));
        painter.drawEllipse(at, 8, 8);
        painter.drawText(QRectF(at - QPointF(8, 8), QSizeF(16, 16)), Qt::AlignCenter,
                         QString::number(marker.number));
    }
    painter.restore();
}

} // namespace benchfacts
