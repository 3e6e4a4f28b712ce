// The pictures of the bench in the documents, as the bench draws itself, with numbered callouts
// in their margins.
#include "bench_facts.h"

#include "docs_bench.h"

#include <QPainter>
#include <optional>
#include <vector>

namespace benchfacts {
namespace {

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

} // namespace

void calloutLegends(QHash<QString, QString> &v)
{
    Bench b;
    v[QStringLiteral("BENCH_START_LEGEND")] = legend(startCallouts(b));
    v[QStringLiteral("BENCH_CLOSED_LEGEND")] = legend(closedCallouts(b));
}

QImage picture(const QString &name)
{
    Bench b;
    if (name == QLatin1String("bench-start")) {
        calloutsOf()[name] = startCallouts(b);
        return withMargins(b.shot());
    }
    if (name == QLatin1String("bench-key-closed")) {
        b.click("Lblvkl");
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
