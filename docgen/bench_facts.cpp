// The bench as the documents show it: built offscreen, operated through its own controls and read
// from its own readouts, so that no key or number in a document can differ from it.
#include "bench_facts.h"

#include "docs_bench.h"

#include <QRegularExpression>
#include <functional>
#include <vector>

namespace benchfacts {
namespace {

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
        b.click("Lblvkl");
        b.rheostatToMaximum();
        b.setDecades({9, 9, 9, 9, 9, 9});
        b.slider()->setBenchValue(sliderPosition);
        b.click("Image1");
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

// ---- The values the sources name ----

using Producer = std::function<void(QHash<QString, QString> &)>;

void sensitive(QHash<QString, QString> &v)
{
    // The start-up unknown balanced at the middle of the wire under the sensitive settings.
    Bench b;
    b.setSource(12, 0);
    b.click("Lblvkl");
    b.setDecades({0, 1, 9, 6, 3, 0});
    b.setRheostat(0);
    b.click("Image1");
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
    v[QStringLiteral("EXAMPLE_SLIDER")] = b.sliderCard();
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
        {"@SENSITIVE_", sensitive}, {"@EXAMPLE_", example},      {"@FOCUS_", keyboard},
        {"@BAR_", keyboard},        {"@BENCH_", calloutLegends}, {"@GALV_", galvanometer}};
    QHash<QString, QString> v;
    for (const auto &[prefix, produce] : producers)
        if (needs.contains(QLatin1String(prefix)))
            produce(v);
    return v;
}

} // namespace benchfacts
