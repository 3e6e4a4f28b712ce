// The instruments handled directly: the jockey dragged along the wire, the knobs turned with the
// mouse wheel. Each goes through the scroll bar that sets the same value, so every rule of the
// bars holds (ranges, change procedures, refusals), and a hidden bar turns nothing.
#include "app/form1.h"

#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/scroll_bar.h"
#include "view/source_picture.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

namespace {

// The knobs' reach about their centres, in bench pixels: the box's decade knobs are drawn round
// their digits, the source's EMF knob below its readout.
constexpr double kDecadeKnobRadius = 20;
constexpr double kSourceKnobRadius = 12;

bool within(QPointF at, QPointF centre, double radius)
{
    return QLineF(at, centre).length() <= radius;
}

} // namespace

void Form1::connectDirectHandling()
{
    // The jockey and its card move together: either may be taken.
    for (BenchBox *jockey : {static_cast<BenchBox *>(Image4), static_cast<BenchBox *>(Lbldv)})
        jockey->onDrag = [this, jockey](QPointF wanted) {
            return Image4_Drag(wanted.x() - jockey->left());
        };
    // The drag ends as soon as the slider's bar goes, even if the pointer has not moved since: the
    // key closed again before the button is released must not take the jockey back to the pointer.
    connect(HScroll1, &ScrollBar::hidden, bench, &BenchCanvas::endDrag);
    Image7->onWheel = [this](QPointF at, int notches) {
        const std::pair<BenchLabel *, ScrollBar *> decades[] = {
            {Lbl_R_m_1, VScroll1}, {lbl_R_m_2, VScroll2}, {lbl_R_m_3, VScroll3},
            {Lbl_R_m_4, VScroll4}, {Lbl_R_m_5, VScroll5}, {Lbl_R_m_6, VScroll6}};
        for (const auto &[digit, bar] : decades)
            if (within(at, digit->bounds().center(), kDecadeKnobRadius)) {
                turnKnob(bar, notches);
                return true;
            }
        return false;
    };
    Image2->onWheel = [this](QPointF, int notches) {
        turnKnob(HScroll2, notches);
        return true;
    };
    Image1->onWheel = [this](QPointF at, int notches) {
        const QPointF knob = Image1->bounds().topLeft() + SourcePicture::knobCentre();
        if (within(at, knob, kSourceKnobRadius) || LblEdc->bounds().contains(at))
            turnKnob(HScroll3, notches);
        else if (Lblr->bounds().contains(at))
            turnKnob(HScroll4, notches);
        else
            return false;
        return true;
    };
}

// The jockey follows the pointer along the wire: the slider's bar steps one half-division at a
// time towards the place asked for, as its arrows would, so the bench recomputes at every
// position passed. The drag ends when the bar goes (the key opened, after an overload too).
bool Form1::Image4_Drag(double shift)
{
    // The position whose jockey lies nearest the place asked for: polzun's placement reversed.
    const double wanted = Line1->X1() + shift;
    const int target =
        std::clamp(static_cast<int>(std::lround((wanted - HScroll1->x()) / HScroll1->width() *
                                                HScroll1->endValue())),
                   0, HScroll1->endValue());
    stepBar(HScroll1, target);
    return !m_ending && !HScroll1->isHidden();
}

// One step of the bar per notch, away from the user raising the value, as a knob turned
// clockwise would.
void Form1::turnKnob(ScrollBar *bar, int notches)
{
    stepBar(bar, bar->benchValue() + notches);
}

// The bar moves one step at a time towards `target`, as its arrows would move it, running its
// change procedure at each; it stops at the end of its range, once it is hidden (the key opened,
// an overload) and once the window is closing.
void Form1::stepBar(ScrollBar *bar, int target)
{
    while (!m_ending && !bar->isHidden() && bar->benchValue() != target) {
        const int before = bar->benchValue();
        bar->setBenchValue(before + (target > before ? 1 : -1));
        if (bar->benchValue() == before)
            break;
    }
}
