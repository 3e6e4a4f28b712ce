// The bench without a mouse: the keyboard's focus order and what screen readers call each control.
#include "app/bench_access.h"

#include "controls/circuit.h"

#include "toolkit/announcing_desktop.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/find_control.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <initializer_list>
#include <utility>

namespace {

// The bench's controls by their system names.
struct Controls
{
    BenchCanvas &bench;
    BenchItem *item(const char *name) const
    {
        return findControl<BenchItem>(bench, QString::fromLatin1(name));
    }
    BenchLabel *label(const char *name) const
    {
        return findControl<BenchLabel>(bench, QString::fromLatin1(name));
    }
    ScrollBar *bar(const char *name) const
    {
        return findControl<ScrollBar>(bench, QString::fromLatin1(name));
    }
    ReadoutBox *display(const char *name) const
    {
        return findControl<ReadoutBox>(bench, QString::fromLatin1(name));
    }
};

} // namespace

void makeAccessible(BenchCanvas &bench, const Circuit &circuit, AnnouncingDesktop &announcer)
{
    // Screen readers' view of the bench comes first: naming a control already asks for it.
    auto *access = new BenchAccessibility(&bench);
    announcer.setSpeaker(access);
    const Controls c{bench};
    BenchItem *source = c.item("Image1");
    BenchItem *key = c.item("Lblvkl");

    // Tab follows a measurement: the source (its switch, then its EMF and internal resistance,
    // which are set while it is off), the key, the rheostat (its maximum while the key is open, its
    // setting while closed), the unknown resistor, then what balances the bridge (the box from its
    // largest decade down, the slider) and last the two reveals that read the result. The bench
    // passes over whatever the present view hides, and Tab wraps round from the end to the start.
    bench.keyboard().setFocusChain({source, c.bar("HScroll3"), c.bar("HScroll4"), key,
                                    c.bar("VScroll7"), c.bar("HScroll2"), c.item("Image6"),
                                    c.bar("VScroll1"), c.bar("VScroll2"), c.bar("VScroll3"),
                                    c.bar("VScroll4"), c.bar("VScroll5"), c.bar("VScroll6"),
                                    c.bar("HScroll1"), c.item("Image3"), c.item("Image5")});
    bench.setAccessibleName(QStringLiteral("Мост Корвела"));

    // The tooltip has a typo that a screen reader would stumble over.
    c.item("Lblr")->setAccessibleName(QStringLiteral("Внутреннее сопротивление источника, Ом"));
    // The two current readouts share one tooltip; by ear each must say which current it shows.
    c.display("Picture1")->setAccessibleName(QStringLiteral("Сопротивление магазина, Ом"));
    c.display("Picture2")->setAccessibleName(QStringLiteral("Ток гальванометра, А"));
    c.display("Picture3")->setAccessibleName(QStringLiteral("Ток источника, А"));

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
    const BenchLabel *leftArm = c.label("Lbl_R_L"), *rightArm = c.label("Lbl_R_R");
    const BenchLabel *unknown = c.label("Lbl_Rx"), *measured = c.label("Lbl_Ri");
    access->setDescription(c.item("Image3"), [=] { return shown({leftArm, rightArm}); });
    access->setDescription(c.item("Image5"), [=] { return shown({unknown, measured}); });
    // And says it as it shows it: the key stays on the picture pressed.
    access->speakWhenShown({leftArm, rightArm});
    access->speakWhenShown({unknown, measured});

    // What balances the bridge tells what it changes now, so the reading is heard without
    // leaving the control: the currents, the box's resistance, the rheostat's setting.
    auto reading = [](const QString &what, const QString &shown, const QString &unit) {
        return shown.isEmpty() ? QString() : what + QLatin1Char(' ') + shown + unit;
    };
    const ReadoutBox *galvanometerCurrent = c.display("Picture2"),
                     *sourceCurrent = c.display("Picture3"), *box = c.display("Picture1");
    const BenchLabel *rheostat = c.label("Lbl_reo");
    auto galvanometer = [=] {
        return reading(QStringLiteral("ток гальванометра"), galvanometerCurrent->text(),
                       QStringLiteral(" А"));
    };
    auto joined = [](const QString &a, const QString &b) {
        return a.isEmpty() || b.isEmpty() ? a + b : a + QStringLiteral(", ") + b;
    };
    access->setDescription(c.bar("HScroll1"), galvanometer);
    access->setDescription(c.bar("HScroll2"), [=] {
        return joined(
            reading(QStringLiteral("ток источника"), sourceCurrent->text(), QStringLiteral(" А")),
            galvanometer());
    });
    for (const char *decade :
         {"VScroll1", "VScroll2", "VScroll3", "VScroll4", "VScroll5", "VScroll6"})
        access->setDescription(c.bar(decade), [=] {
            return joined(reading(QStringLiteral("сопротивление магазина"), box->text(),
                                  QStringLiteral(" Ом")),
                          galvanometer());
        });
    access->setDescription(c.bar("VScroll7"), [=] {
        return reading(QStringLiteral("сопротивление реостата"), rheostat->caption(),
                       QStringLiteral(" Ом"));
    });

    // The scroll bars have no tooltips: each is named after what it sets.
    const std::pair<const char *, const char *> bars[] = {
        {"HScroll3", "ЭДС источника, В"},
        {"HScroll4", "Внутреннее сопротивление источника, Ом"},
        {"VScroll7", "Максимальное сопротивление реостата, Ом"},
        {"HScroll2", "Сопротивление реостата, Ом"},
        {"VScroll1", "1 декада магазина, ×10000 Ом"},
        {"VScroll2", "2 декада магазина, ×1000 Ом"},
        {"VScroll3", "3 декада магазина, ×100 Ом"},
        {"VScroll4", "4 декада магазина, ×10 Ом"},
        {"VScroll5", "5 декада магазина, ×1 Ом"},
        {"VScroll6", "6 декада магазина, ×0,1 Ом"},
        {"HScroll1", "Ползун реохорда, от 0 до 100 % длины"}};
    for (const auto &[bar, name] : bars)
        c.bar(bar)->setAccessibleName(QString::fromUtf8(name));
    // The slider's bar steps in half-divisions; its card, and so the bar by ear, in divisions.
    access->setBarUnit(c.bar("HScroll1"), 0.5);
}
