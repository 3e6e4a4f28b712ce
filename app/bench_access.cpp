// The bench without a mouse: the keyboard's focus order and what screen readers call each control.
#include "app/bench_access.h"

#include "app/bench_layout.h"
#include "controls/circuit.h"
#include "view/source_picture.h"

#include "toolkit/announcing_desktop.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <initializer_list>
#include <utility>

void makeAccessible(BenchCanvas &bench, const BenchParts &parts, const Circuit &circuit,
                    AnnouncingDesktop &announcer)
{
    // Screen readers' view of the bench comes first: naming a control already asks for it.
    auto *access = new BenchAccessibility(&bench);
    announcer.setSpeaker(access);
    const Source::Parts &s = parts.source;
    const Rheostat::Parts &r = parts.rheostat;
    const SlideWire::Parts &w = parts.slideWire;
    const ResistanceBox::Parts &b = parts.box;
    const Galvanometer::Parts &g = parts.galvanometer;
    BenchItem *source = s.picture;
    BenchItem *key = parts.key.key;

    // Tab follows a measurement: the source (its switch, then its EMF and internal resistance,
    // which are set while it is off), the key, the rheostat (its maximum while the key is open, its
    // setting while closed), the unknown resistor, then what balances the bridge (the box from its
    // largest decade down, the slider) and last the two reveals that read the result. The bench
    // passes over whatever the present view hides, and Tab wraps round from the end to the start.
    bench.keyboard().setFocusChain({source, s.emfBar, s.resistanceBar, key, r.maximumBar, r.bar,
                                    parts.unknown.resistor, b.decades[0], b.decades[1],
                                    b.decades[2], b.decades[3], b.decades[4], b.decades[5], w.bar,
                                    w.wire, g.picture});
    bench.setAccessibleName(QStringLiteral("Мост Корвела"));

    // The tooltip has a typo that a screen reader would stumble over.
    s.resistanceReadout->setAccessibleName(
        QStringLiteral("Внутреннее сопротивление источника, Ом"));
    // The two current readouts share one tooltip; by ear each must say which current it shows.
    b.display->setAccessibleName(QStringLiteral("Сопротивление магазина, Ом"));
    g.current->setAccessibleName(QStringLiteral("Ток гальванометра, А"));
    s.current->setAccessibleName(QStringLiteral("Ток источника, А"));

    // The two switches show their state only by their pictures: say it in words, and check them
    // while on and closed, so that screen readers announce each throw.
    source->accessibleValue = [&circuit] {
        return circuit.state().istochnik != 0 ? QStringLiteral("включён")
                                              : QStringLiteral("выключен");
    };
    key->accessibleValue = [&circuit] {
        return circuit.state().rabota != 0 ? QStringLiteral("замкнут")
                                           : QStringLiteral("разомкнут");
    };
    access->setCheckable(source, [&circuit] { return circuit.state().istochnik != 0; });
    access->setCheckable(key, [&circuit] { return circuit.state().rabota != 0; });

    // A reveal tells what it shows for as long as it shows it.
    auto shown = [](std::initializer_list<const BenchLabel *> labels) {
        QStringList captions;
        for (const BenchLabel *label : labels)
            if (label->isVisible())
                captions << label->caption();
        return captions.join(QStringLiteral(", "));
    };
    const BenchLabel *leftArm = w.leftArm, *rightArm = w.rightArm;
    const BenchLabel *unknown = parts.unknown.value, *measured = g.measured;
    access->setDescription(w.wire, [=] { return shown({leftArm, rightArm}); });
    access->setDescription(g.picture, [=] { return shown({unknown, measured}); });
    // And says it as it shows it: the key stays on the picture pressed.
    access->speakWhenShown({leftArm, rightArm});
    access->speakWhenShown({unknown, measured});

    // What balances the bridge tells what it changes now, so the reading is heard without
    // leaving the control: the currents, the box's resistance, the rheostat's setting.
    auto reading = [](const QString &what, const QString &shown, const QString &unit) {
        return shown.isEmpty() ? QString() : what + QLatin1Char(' ') + shown + unit;
    };
    const ReadoutBox *galvanometerCurrent = g.current, *sourceCurrent = s.current, *box = b.display;
    const BenchLabel *rheostat = r.readout;
    auto galvanometer = [=] {
        return reading(QStringLiteral("ток гальванометра"), galvanometerCurrent->text(),
                       QStringLiteral(" А"));
    };
    auto joined = [](const QString &a, const QString &b) {
        return a.isEmpty() || b.isEmpty() ? a + b : a + QStringLiteral(", ") + b;
    };
    access->setDescription(w.bar, galvanometer);
    access->setDescription(r.bar, [=] {
        return joined(
            reading(QStringLiteral("ток источника"), sourceCurrent->text(), QStringLiteral(" А")),
            galvanometer());
    });
    for (const ScrollBar *decade : b.decades)
        access->setDescription(decade, [=] {
            return joined(reading(QStringLiteral("сопротивление магазина"), box->text(),
                                  QStringLiteral(" Ом")),
                          galvanometer());
        });
    access->setDescription(r.maximumBar, [=] {
        return reading(QStringLiteral("сопротивление реостата"), rheostat->caption(),
                       QStringLiteral(" Ом"));
    });

    // The scroll bars have no tooltips: each is named after what it sets.
    const std::pair<ScrollBar *, const char *> bars[] = {
        {s.emfBar, "ЭДС источника, В"},
        {s.resistanceBar, "Внутреннее сопротивление источника, Ом"},
        {r.maximumBar, "Максимальное сопротивление реостата, Ом"},
        {r.bar, "Сопротивление реостата, Ом"},
        {b.decades[0], "1 декада магазина, ×10000 Ом"},
        {b.decades[1], "2 декада магазина, ×1000 Ом"},
        {b.decades[2], "3 декада магазина, ×100 Ом"},
        {b.decades[3], "4 декада магазина, ×10 Ом"},
        {b.decades[4], "5 декада магазина, ×1 Ом"},
        {b.decades[5], "6 декада магазина, ×0,1 Ом"},
        {w.bar, "Ползун реохорда, от 0 до 100 % длины"}};
    for (const auto &[bar, name] : bars)
        bar->setAccessibleName(QString::fromUtf8(name));
    // The slider's bar steps in half-divisions; its card, and so the bar by ear, in divisions.
    access->setBarUnit(w.bar, 0.5);
}
