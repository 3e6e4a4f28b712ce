// The bench without a mouse: the keyboard's focus order and what screen readers call each control.
#include "app/form1.h"

#include "toolkit/announcing_desktop.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"

#include <utility>

void Form1::buildKeyboardAccess()
{
    // Screen readers' view of the bench comes first: naming a control already asks for it.
    m_announcer->setSpeaker(new BenchAccessibility(bench));

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

    // The two switches show their state only by their pictures: say it in words.
    Image1->accessibleValue = [this] {
        return state.istochnik != 0 ? QStringLiteral("включён") : QStringLiteral("выключен");
    };
    Lblvkl->accessibleValue = [this] {
        return state.rabota != 0 ? QStringLiteral("замкнут") : QStringLiteral("разомкнут");
    };

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
