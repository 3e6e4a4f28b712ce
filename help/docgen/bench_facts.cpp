// The bench as the documents show it: built offscreen, operated through its own controls and read
// from its own readouts, so that no picture, key or number in a document can differ from it.
#include "bench_facts.h"

#include "app/form1.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/quiet_desktop.h"
#include "toolkit/scroll_bar.h"

#include <QApplication>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace benchfacts {
namespace {

struct Bench
{
    // No box may appear while the documents are made: a refusal would mean the documented
    // settings are wrong, and that must fail the build.
    QuietDesktop desktop;
    Form1 form{desktop};
    Bench()
    {
        form.start();
        QApplication::processEvents();
    }
    ScrollBar *decade(int k) const
    {
        ScrollBar *const bars[] = {form.VScroll1, form.VScroll2, form.VScroll3,
                                   form.VScroll4, form.VScroll5, form.VScroll6};
        return bars[k];
    }
    // Whether the bench showed a box; the last one is told on the error stream.
    bool refused() const
    {
        if (desktop.boxes == 0)
            return false;
        std::fprintf(stderr, "docgen: the bench refused: %s\n", qPrintable(desktop.lastBox));
        return true;
    }
    QString readout() const { return form.Picture2->text(); }
    // The sign of the galvanometer readout as printed: a minus sign, also on "-0,0000000", or a
    // digit other than 0; 0,0000000 without a sign counts as zero.
    int sign() const
    {
        const QString text = readout();
        if (text.startsWith(QLatin1Char('-')))
            return -1;
        return text.contains(QRegularExpression(QStringLiteral("[1-9]"))) ? 1 : 0;
    }
    QImage shot() const { return form.bench->grab().toImage(); }
};

QString decimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

// Minus signs as typeset, for the text of a document.
QString typeset(QString text)
{
    return text.replace(QLatin1Char('-'), QChar(0x2212));
}

// ---- The measurement that the instruction teaches, made on the bench ----

double readoutValue(const QString &text)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

struct Step
{
    QString rheostat, box, readout, note;
};

class Measurement
{
  public:
    explicit Measurement(Bench &bench) : b(bench) {}

    // Key open, source off: the settings of a sensitive measurement, the rheostat at its maximum,
    // all decades at 9, then the key closed and the source on.
    void prepare(int sliderPosition)
    {
        Form1 &f = b.form;
        f.HScroll3->setBenchValue(12);
        f.HScroll4->setBenchValue(0);
        f.VScroll7->setBenchValue(500);
        f.Lblvkl_Click();
        f.HScroll2->setBenchValue(f.HScroll2->endValue());
        for (int k = 0; k < 6; ++k)
            b.decade(k)->setBenchValue(9);
        f.HScroll1->setBenchValue(sliderPosition);
        f.Image1_Click();
    }

    // One decade by the sign of the readout: down while it is positive (back one step if it turns
    // negative), up while it is negative; a zero readout leaves the digit.
    void searchDecade(int k)
    {
        ScrollBar *bar = b.decade(k);
        const QString name = decadeNames[k];
        if (b.sign() > 0) {
            while (b.sign() > 0 && bar->benchValue() > 0)
                turn(bar, -1);
            if (b.sign() < 0) {
                note(QStringLiteral("%1: знак сменился").arg(name));
                turn(bar, +1);
                note(QStringLiteral("%1: на ступень назад").arg(name));
            } else {
                note(b.sign() == 0 ? QStringLiteral("%1: отсчёт нулевой").arg(name)
                                   : QStringLiteral("%1: цифра 0").arg(name));
            }
        } else if (b.sign() < 0) {
            while (b.sign() < 0 && bar->benchValue() < 9)
                turn(bar, +1);
            note(b.sign() < 0 ? QStringLiteral("%1: цифра 9").arg(name)
                              : QStringLiteral("%1: знак сменился").arg(name));
        }
        if (b.sign() == 0 && firstZero < 0)
            firstZero = k;
    }

    void search(int from)
    {
        for (int k = from; k < 6; ++k)
            searchDecade(k);
    }

    // The whole measurement: coarse with the rheostat at its maximum; where the readout fell to
    // zero, sensitive with the rheostat at 0; then the nearer of the two last settings.
    void run()
    {
        search(0);
        if (firstZero >= 0) {
            const int from = firstZero;
            b.form.HScroll2->setBenchValue(0);
            note(QStringLiteral("реостат на 0"));
            firstZero = -1;
            search(from);
        }
        ScrollBar *last = b.decade(5);
        const double upper = std::fabs(readoutValue(b.readout()));
        if (upper > 0 && last->benchValue() > 0) {
            turn(last, -1);
            if (std::fabs(readoutValue(b.readout())) < upper) {
                note(QStringLiteral("×0,1: ступенью ниже отсчёт ближе к нулю"));
            } else {
                note(QStringLiteral("×0,1: ступенью ниже отсчёт дальше от нуля"));
                turn(last, +1);
            }
        }
        note(QStringLiteral("равновесие"));
    }

    Bench &b;
    std::vector<Step> steps;
    int firstZero = -1;
    const QStringList decadeNames{QStringLiteral("×10000"), QStringLiteral("×1000"),
                                  QStringLiteral("×100"),   QStringLiteral("×10"),
                                  QStringLiteral("×1"),     QStringLiteral("×0,1")};

  private:
    void turn(ScrollBar *bar, int by) { bar->setBenchValue(bar->benchValue() + by); }
    void note(const QString &what)
    {
        steps.push_back({b.form.Lbl_reo->caption(), b.form.Picture1->text(), b.readout(), what});
    }
};

// ---- Keyboard order ----

// The stops of the keyboard order as the documents name them, and whether each is a scroll bar.
struct Stop
{
    QString name;
    ScrollBar *bar = nullptr;
};

std::vector<Stop> focusStops(const Form1 &form)
{
    std::vector<Stop> stops;
    for (const FocusStop &stop : form.bench->keyboard().focusChain()) {
        if (stop.item)
            stops.push_back({stopName(stop.item->accessibleName()), nullptr});
        else
            stops.push_back(
                {stopName(stop.widget->accessibleName()), qobject_cast<ScrollBar *>(stop.widget)});
    }
    return stops;
}

// The stops in one paragraph, numbered; the pictures, which Space and Enter click, marked so.
QString focusList(const Form1 &form)
{
    QStringList items;
    int number = 0;
    for (const Stop &stop : focusStops(form))
        items << QStringLiteral("%1)&nbsp;%2%3")
                     .arg(++number)
                     .arg(stop.name, stop.bar ? QString() : QStringLiteral(" (щелчок)"));
    return QStringLiteral("<p class=\"cont\">") + items.join(QStringLiteral("; ")) +
           QStringLiteral(".</p>");
}

QString barRows(const Form1 &form)
{
    QString rows;
    for (const Stop &stop : focusStops(form)) {
        if (!stop.bar)
            continue;
        const ScrollBar *bar = stop.bar;
        const bool rheostat = bar == form.HScroll2; // its far end is the rheostat's maximum
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

QRectF of(const QWidget *widget)
{
    return QRectF(widget->geometry());
}

std::vector<Callout> startCallouts(const Form1 &f)
{
    return {
        {on(f.Image1->bounds()), Top,
         QStringLiteral("Источник ЭДС: щелчок включает и выключает его; зелёная лампа горит, "
                        "пока он включён.")},
        {on(of(f.HScroll3)), Top,
         QStringLiteral("ЭДС источника, В: отсчёт и полоса прокрутки под ним (видна, пока "
                        "источник выключен).")},
        {on(of(f.HScroll4)), Top,
         QStringLiteral("Внутреннее сопротивление источника, Ом: отсчёт и полоса прокрутки под "
                        "ним (видна, пока источник выключен).")},
        {on(f.Image2->bounds()), Top, QStringLiteral("Реостат.")},
        {on(of(f.VScroll7)), Right,
         QStringLiteral("Максимум реостата, Ом: отсчёт и полоса прокрутки (видна, пока ключ "
                        "разомкнут).")},
        {on(f.Lblvkl->bounds()), Left, QStringLiteral("Ключ: щелчок замыкает и размыкает цепь.")},
        {on(of(f.Picture3)), Left, QStringLiteral("Ток источника, А.")},
        {on(f.Image3->bounds(), 0.08), Left,
         QStringLiteral("Реохорд с ползуном; на ползуне — его положение в процентах длины "
                        "проволоки. Щелчок по реохорду на 10 секунд показывает сопротивления "
                        "плеч.")},
        {on(f.Image5->bounds(), 0.2, 0.25), Left,
         QStringLiteral("Гальванометр: щелчок по нему на 10 секунд показывает неизвестное "
                        "сопротивление Rx и значение Ri.")},
        {on(f.Image6->bounds()), Bottom,
         QStringLiteral("Неизвестное сопротивление: щелчок при выключенном источнике заменяет "
                        "его.")},
        {on(of(f.Picture2)), Bottom,
         QStringLiteral("Отсчёт тока гальванометра, А: по нему находят равновесие.")},
        {on(f.Image7->bounds(), 0.5, 0.92), Bottom,
         QStringLiteral("Магазин сопротивлений (на нём указан класс точности 0,2).")},
    };
}

std::vector<Callout> closedCallouts(const Form1 &f)
{
    return {
        {on(f.Image9->bounds()), Left, QStringLiteral("Ключ замкнут.")},
        {on(of(f.Picture3)), Left, QStringLiteral("Ток источника, А.")},
        {on(of(f.HScroll1), 0.05), Left, QStringLiteral("Полоса прокрутки ползуна реохорда.")},
        {on(of(f.HScroll2)), Top,
         QStringLiteral("Полоса прокрутки реостата; над бегунком — сопротивление реостата, Ом.")},
        {on(of(f.Picture1)), Right,
         QStringLiteral("Табло магазина: сопротивление R<sub>м</sub>, Ом.")},
        {on(of(f.VScroll4)), Bottom,
         QStringLiteral("Полоса прокрутки декады справа от её ручки (здесь — декада ×10); цифра "
                        "декады — на ручке. Верхний ряд: ×10000, ×1000, ×100; нижний: ×10, ×1, "
                        "×0,1.")},
        {on(of(f.Picture2)), Bottom, QStringLiteral("Отсчёт тока гальванометра, А.")},
    };
}

// ---- The values the sources name ----

using Producer = std::function<void(QHash<QString, QString> &)>;

void sensitive(QHash<QString, QString> &v)
{
    // The start-up unknown balanced at the middle of the wire under the sensitive settings.
    Bench b;
    Form1 &f = b.form;
    f.HScroll3->setBenchValue(12);
    f.HScroll4->setBenchValue(0);
    f.Lblvkl_Click();
    const int digits[] = {0, 1, 9, 6, 3, 0};
    for (int k = 0; k < 6; ++k)
        b.decade(k)->setBenchValue(digits[k]);
    f.HScroll2->setBenchValue(0);
    f.Image1_Click();
    v[QStringLiteral("SENSITIVE_I")] = f.Picture3->text();
    b.decade(5)->setBenchValue(1);
    v[QStringLiteral("SENSITIVE_STEP")] = typeset(b.readout());
    v[QStringLiteral("SENSITIVE_BOX")] = f.Picture1->text();
    if (b.refused())
        v.clear();
}

void example(QHash<QString, QString> &v)
{
    Bench b;
    Measurement m(b);
    const int position = 140;
    m.prepare(position);
    m.run();
    Form1 &f = b.form;
    QString rows;
    for (const Step &s : m.steps)
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(s.note, s.rheostat, s.box, typeset(s.readout));
    v[QStringLiteral("EXAMPLE_ROWS")] = rows;
    v[QStringLiteral("EXAMPLE_SLIDER")] = f.Lbldv->caption().trimmed();
    v[QStringLiteral("EXAMPLE_RL")] = f.Lbl_R_L->caption().section(QLatin1Char('='), 1);
    v[QStringLiteral("EXAMPLE_RR")] = f.Lbl_R_R->caption().section(QLatin1Char('='), 1);
    v[QStringLiteral("EXAMPLE_I")] = f.Picture3->text();
    const QString box = f.Picture1->text();
    const double Rm = readoutValue(box);
    v[QStringLiteral("EXAMPLE_BOX")] = box;
    v[QStringLiteral("EXAMPLE_RM")] = decimal(Rm, 1);
    v[QStringLiteral("EXAMPLE_RI")] = f.Lbl_Ri->caption();
    v[QStringLiteral("EXAMPLE_READOUT")] = typeset(b.readout());

    // The sensitivity threshold: one step of the last decade and the change of the readout.
    const double at = readoutValue(b.readout());
    b.decade(5)->setBenchValue(b.decade(5)->benchValue() + 1);
    const QString stepped = b.readout();
    b.decade(5)->setBenchValue(b.decade(5)->benchValue() - 1);
    const int n = qRound(std::fabs(readoutValue(stepped) - at) / 1e-7);
    v[QStringLiteral("EXAMPLE_STEPPED")] = typeset(stepped);
    v[QStringLiteral("EXAMPLE_N")] = QString::number(n);
    const double threshold = n > 0 ? 0.1 / n : 0.1;
    v[QStringLiteral("EXAMPLE_THRESHOLD")] = decimal(threshold, 3);

    const double ratio = f.state.R_L / f.state.R_R;
    const double Rx = Rm * ratio;
    const double klass = 0.002 * Rm;
    const double resolution = std::sqrt(0.05 * 0.05 + threshold * threshold);
    const double dRm = std::sqrt(klass * klass + resolution * resolution);
    v[QStringLiteral("EXAMPLE_RX")] = decimal(Rx, 2);
    v[QStringLiteral("EXAMPLE_CLASS")] = decimal(klass, 2);
    v[QStringLiteral("EXAMPLE_DRM")] = decimal(dRm, 2);
    v[QStringLiteral("EXAMPLE_DRX")] = decimal(dRm * ratio, 2);
    v[QStringLiteral("EXAMPLE_RES")] = decimal(resolution, 3);
    v[QStringLiteral("EXAMPLE_DRES")] = decimal(resolution * ratio, 2);
    v[QStringLiteral("EXAMPLE_RESULT")] = QStringLiteral("%1 ± %2").arg(
        decimal(std::round(Rx), 0), decimal(std::ceil(dRm * ratio), 0));
    v[QStringLiteral("EXAMPLE_DEVIATION")] = decimal(std::fabs(Rx - f.state.Rx), 2);
    if (b.refused())
        v.clear();
}

void keyboard(QHash<QString, QString> &v)
{
    Bench b;
    v[QStringLiteral("FOCUS_LIST")] = focusList(b.form);
    v[QStringLiteral("FOCUS_COUNT")] = QString::number(focusStops(b.form).size());
    v[QStringLiteral("BAR_ROWS")] = barRows(b.form);
}

void legends(QHash<QString, QString> &v)
{
    Bench b;
    v[QStringLiteral("BENCH_START_LEGEND")] = legend(startCallouts(b.form));
    v[QStringLiteral("BENCH_CLOSED_LEGEND")] = legend(closedCallouts(b.form));
}

// The galvanometer under the start-up settings with a small box: a current the needle shows.
void galvanometerState(Bench &b)
{
    Form1 &f = b.form;
    f.Lblvkl_Click();
    b.decade(2)->setBenchValue(1);
    f.Image1_Click();
}

void galvanometer(QHash<QString, QString> &v)
{
    Bench b;
    galvanometerState(b);
    v[QStringLiteral("GALV_IG")] = typeset(decimal(b.form.state.Ig * 1000, 2));
    v[QStringLiteral("GALV_READOUT")] = typeset(b.readout());
    v[QStringLiteral("GALV_BOX")] = b.form.Picture1->text();
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
        calloutsOf()[name] = startCallouts(b.form);
        return withMargins(b.shot());
    }
    if (name == QLatin1String("bench-key-closed")) {
        b.form.Lblvkl_Click();
        calloutsOf()[name] = closedCallouts(b.form);
        return withMargins(b.shot());
    }
    if (name == QLatin1String("galvanometer")) {
        galvanometerState(b);
        const QImage shot = b.shot();
        const QRectF dial = b.form.Image5->bounds();
        QImage crop = shot.copy(
            QRectF(dial.topLeft() * kPrintRatio, dial.size() * kPrintRatio).toAlignedRect());
        crop.setDevicePixelRatio(kPrintRatio);
        return crop;
    }
    return QImage();
}

// Each marker stands in the margin nearest its target, and its leader runs to the target's centre;
// markers on one side are pushed apart so that none covers another.
void drawCallouts(QPainter &painter, const QString &name, const QRectF &placed)
{
    const auto callouts = calloutsOf().constFind(name);
    if (callouts == calloutsOf().constEnd())
        return;
    const int m = kCalloutMargin;
    struct Marker
    {
        int number;
        Side side;
        qreal along;
        QPointF target;
    };
    std::vector<Marker> markers;
    for (size_t i = 0; i < callouts->size(); ++i) {
        const Callout &callout = (*callouts)[i];
        const QPointF c = callout.target;
        markers.push_back({int(i) + 1, callout.side, callout.side < Left ? c.x() : c.y(), c});
    }
    const qreal gap = 18;
    for (Side side : {Top, Bottom, Left, Right}) {
        std::vector<Marker *> row;
        for (Marker &marker : markers)
            if (marker.side == side)
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
        const qreal mid = -m / 2.0;
        const QPointF at = marker.side == Top      ? QPointF(marker.along, mid)
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
