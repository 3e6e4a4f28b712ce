// The bench without a mouse: the keyboard's focus order and what screen readers call each control.
#include "app/form1.h"

#include "toolkit/announcing_desktop.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"

#include <initializer_list>
#include <utility>

void Form1::buildKeyboardAccess()
{
    // Screen readers' view of the bench comes first: naming a control already asks for it.
    auto *access = new BenchAccessibility(bench);
    m_announcer->setSpeaker(access);

    // Tab follows a measurement: the source (its switch, then its EMF and internal resistance,
    // which are set while it is off), the key, the rheostat (its maximum while the key is open, its
    // setting while closed), the unknown resistor, then what balances the bridge (the box from its
    // largest decade down, the slider) and last the two reveals that read the result. The bench
    // passes over whatever the present view hides, and Tab wraps round from the end to the start.
    bench->keyboard().setFocusChain({Image1, HScroll3, HScroll4, Lblvkl, VScroll7, HScroll2, Image6,
                                     VScroll1, VScroll2, VScroll3, VScroll4, VScroll5, VScroll6,
                                     HScroll1, Image3, Image5});
    bench->setAccessibleName(QStringLiteral("Мост Корвела"));

    // The tooltip has a typo that a screen reader would stumble over.
    Lblr->setAccessibleName(QStringLiteral("Внутреннее сопротивление источника, Ом"));
    // The two current readouts share one tooltip; by ear each must say which current it shows.
    Picture1->setAccessibleName(QStringLiteral("Сопротивление магазина, Ом"));
    Picture2->setAccessibleName(QStringLiteral("Ток гальванометра, А"));
    Picture3->setAccessibleName(QStringLiteral("Ток источника, А"));

    // The two switches show their state only by their pictures: say it in words, and check them
    // while on and closed, so that screen readers announce each throw.
    Image1->accessibleValue = [this] {
        return state.istochnik != 0 ? QStringLiteral("включён") : QStringLiteral("выключен");
    };
    Lblvkl->accessibleValue = [this] {
        return state.rabota != 0 ? QStringLiteral("замкнут") : QStringLiteral("разомкнут");
    };
    access->setCheckable(Image1, [this] { return state.istochnik != 0; });
    access->setCheckable(Lblvkl, [this] { return state.rabota != 0; });

    // A reveal tells what it shows for as long as it shows it.
    auto shown = [](std::initializer_list<const BenchLabel *> labels) {
        QStringList captions;
        for (const BenchLabel *label : labels)
            if (label->isVisible())
                captions << label->caption();
        return captions.join(QStringLiteral(", "));
    };
    access->setDescription(Image3, [this, shown] { return shown({Lbl_R_L, Lbl_R_R}); });
    access->setDescription(Image5, [this, shown] { return shown({Lbl_Rx, Lbl_Ri}); });

    // What balances the bridge tells what it changes now, so the reading is heard without
    // leaving the control: the currents, the box's resistance, the rheostat's setting.
    auto reading = [](const QString &what, const QString &shown, const QString &unit) {
        return shown.isEmpty() ? QString() : what + QLatin1Char(' ') + shown + unit;
    };
    auto galvanometer = [this, reading] {
        return reading(QStringLiteral("ток гальванометра"), Picture2->text(), QStringLiteral(" А"));
    };
    auto joined = [](const QString &a, const QString &b) {
        return a.isEmpty() || b.isEmpty() ? a + b : a + QStringLiteral(", ") + b;
    };
    access->setDescription(HScroll1, galvanometer);
    access->setDescription(HScroll2, [this, reading, galvanometer, joined] {
        return joined(
            reading(QStringLiteral("ток источника"), Picture3->text(), QStringLiteral(" А")),
            galvanometer());
    });
    for (const ScrollBar *decade : {VScroll1, VScroll2, VScroll3, VScroll4, VScroll5, VScroll6})
        access->setDescription(decade, [this, reading, galvanometer, joined] {
            return joined(reading(QStringLiteral("сопротивление магазина"), Picture1->text(),
                                  QStringLiteral(" Ом")),
                          galvanometer());
        });
    access->setDescription(VScroll7, [this, reading] {
        return reading(QStringLiteral("сопротивление реостата"), Lbl_reo->caption(),
                       QStringLiteral(" Ом"));
    });

    // The scroll bars have no tooltips: each is named after what it sets.
    const std::pair<ScrollBar *, const char *> bars[] = {
        {HScroll3, "ЭДС источника, В"},
        {HScroll4, "Внутреннее сопротивление источника, Ом"},
        {VScroll7, "Максимальное сопротивление реостата, Ом"},
        {HScroll2, "Сопротивление реостата, Ом"},
        {VScroll1, "1 декада магазина, ×10000 Ом"},
        {VScroll2, "2 декада магазина, ×1000 Ом"},
        {VScroll3, "3 декада магазина, ×100 Ом"},
        {VScroll4, "4 декада магазина, ×10 Ом"},
        {VScroll5, "5 декада магазина, ×1 Ом"},
        {VScroll6, "6 декада магазина, ×0,1 Ом"},
        {HScroll1, "Ползун реохорда, от 0 до 200 полуделений"}};
    for (const auto &[bar, name] : bars)
        bar->setAccessibleName(QString::fromUtf8(name));
}
