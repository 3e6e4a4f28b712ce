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

void makeAccessible(BenchCanvas &bench, const BenchControls &controls,
                    std::initializer_list<const Instrument *> instruments,
                    AnnouncingDesktop &announcer)
{
    // Screen readers' view of the bench comes first: naming a control already asks for it.
    auto *access = new BenchAccessibility(&bench);
    announcer.setSpeaker(access);
    const Source::Controls &s = controls.source;
    const Rheostat::Controls &r = controls.rheostat;
    const SlideWire::Controls &w = controls.slideWire;
    const ResistanceBox::Controls &b = controls.box;
    const Galvanometer::Controls &g = controls.galvanometer;

    // Tab follows a measurement: the source (its switch, then its EMF and internal resistance,
    // which are set while it is off), the key, the rheostat (its maximum while the key is open, its
    // setting while closed), the unknown resistor, then what balances the bridge (the box from its
    // largest decade down, the slider) and last the two reveals that read the result. The bench
    // passes over whatever the present view hides, and Tab wraps round from the end to the start.
    bench.keyboard().setFocusChain({s.picture, s.emfBar, s.resistanceBar, controls.key.key,
                                    r.maximumBar, r.bar, controls.unknown.resistor, b.decades[0],
                                    b.decades[1], b.decades[2], b.decades[3], b.decades[4],
                                    b.decades[5], w.bar, w.wire, g.picture});
    bench.setAccessibleName(QStringLiteral("Мост Корвела"));
    for (const Instrument *instrument : instruments)
        instrument->describe(*access);

    // The galvanometer reveals the unknown resistance and the measured one: it tells them for as
    // long as it shows them, and says them as it shows them.
    const BenchLabel *unknown = controls.unknown.value, *measured = g.measured;
    access->setDescription(g.picture, [=] {
        QStringList captions;
        for (const BenchLabel *label : {unknown, measured})
            if (label->isVisible())
                captions << label->caption();
        return captions.join(QStringLiteral(", "));
    });
    access->speakWhenShown({unknown, measured});

    // What balances the bridge tells what it changes now, so the reading is heard without
    // leaving the control: the currents, the box's resistance.
    auto reading = [](const QString &what, const QString &shown, const QString &unit) {
        return shown.isEmpty() ? QString() : what + QLatin1Char(' ') + shown + unit;
    };
    const ReadoutBox *galvanometerCurrent = g.current, *sourceCurrent = s.current, *box = b.display;
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
}
