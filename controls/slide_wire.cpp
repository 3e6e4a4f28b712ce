// The slide wire: its jockey, the jockey's card and lead, and the wire's two arms.
#include "controls/slide_wire.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/scroll_bar.h"

#include <algorithm>
#include <cmath>

SlideWire::SlideWire(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "slide wire",
                 {controls.bench, controls.wire, controls.jockey, controls.card, controls.leftArm,
                  controls.rightArm, controls.lead, controls.bar}),
      m_controls(controls)
{
    const Controls &p = m_controls;
    p.wire->onClick = circuit.whileRunning([&circuit] { circuit.reveal(Circuit::Reveal::Arms); });
    // The jockey and its card move together: either may be taken.
    for (BenchBox *taken : {static_cast<BenchBox *>(p.jockey), static_cast<BenchBox *>(p.card)})
        taken->onDrag = [this, taken](QPointF wanted) {
            return dragJockey(wanted.x() - taken->left());
        };
    // The drag ends as soon as the slider's bar goes, even if the pointer has not moved since: the
    // key closed again before the button is released must not take the jockey back to the pointer.
    connect(p.bar, &ScrollBar::hidden, p.bench, &BenchCanvas::endDrag);
    follow(p.bar, [&circuit](int position) { circuit.moveSlider(position); });
    connect(&circuit, &Circuit::sliderShown, this, &SlideWire::showSlider);
    connect(&circuit, &Circuit::keyThrown, this, &SlideWire::showForKey);
    connect(&circuit, &Circuit::revealed, this, [this](Circuit::Reveal what, bool shown) {
        if (what == Circuit::Reveal::Arms)
            showArms(shown);
    });
}

void SlideWire::describe(BenchAccessibility &access) const
{
    m_controls.bar->setAccessibleName(QStringLiteral("Ползун реохорда, от 0 до 100 % длины"));
    // The bar steps in half-divisions; its card, and so the bar by ear, in divisions.
    access.setBarUnit(m_controls.bar, 0.5);
    // The wire tells the arms it reveals for as long as it shows them, and says them as it shows
    // them: the key stays on the wire pressed.
    const BenchLabel *left = m_controls.leftArm, *right = m_controls.rightArm;
    access.setDescription(m_controls.wire, [left, right] {
        QStringList captions;
        for (const BenchLabel *arm : {left, right})
            if (arm->isVisible())
                captions << arm->caption();
        return captions.join(QStringLiteral(", "));
    });
    access.speakWhenShown({left, right});
}

void SlideWire::showForKey(bool closed)
{
    m_controls.bar->setVisible(closed);
    for (BenchItem *taken :
         {static_cast<BenchItem *>(m_controls.jockey), static_cast<BenchItem *>(m_controls.card)})
        taken->cursor = closed ? Qt::SizeHorCursor : Qt::ArrowCursor;
    if (!closed)
        showArms(false); // closed, they stay as they are: a reveal may show them
}

void SlideWire::showArms(bool shown)
{
    m_controls.leftArm->setVisible(shown);
    m_controls.rightArm->setVisible(shown);
}

void SlideWire::showSlider()
{
    const CircuitState &s = m_circuit.state();
    showOnBar(m_controls.bar, m_circuit.sliderPosition());
    m_controls.card->setCaption(
        QString::fromStdString(sliderCaption(s.R_dlina, m_circuit.separator())));
    placeJockey();
    m_controls.leftArm->setCaption(QStringLiteral("R_L=") + m_circuit.format(s.R_L, "0.000") +
                                   QStringLiteral(" Ом"));
    m_controls.rightArm->setCaption(QStringLiteral("R_R=") + m_circuit.format(s.R_R, "0.000") +
                                    QStringLiteral(" Ом"));
}

// The jockey, its lead and its card follow the slider along the bar's track, in fractional pixels.
void SlideWire::placeJockey()
{
    const ScrollBar *bar = m_controls.bar;
    const float x = static_cast<float>(static_cast<double>(m_circuit.sliderPosition()) /
                                           Circuit::kSliderPositions * bar->width() +
                                       bar->x());
    m_controls.lead->setPoints(QPointF(x, m_controls.lead->p1().y()), m_controls.lead->p2());
    m_controls.jockey->setLeft(m_controls.lead->p1().x() - m_controls.jockey->width() / 2);
    m_controls.card->setLeft(m_controls.jockey->left() - 4);
}

// The jockey follows the pointer along the wire: the slider's bar steps one half-division at a
// time towards the place asked for, as its arrows would, so the bench recalculates at every
// position passed. The drag ends when the bar goes (the key opened, after an overload too).
bool SlideWire::dragJockey(double shift)
{
    const ScrollBar *bar = m_controls.bar;
    // The position whose jockey lies nearest the place asked for: placeJockey reversed.
    const double wanted = m_controls.lead->p1().x() + shift;
    const int target = std::clamp(static_cast<int>(std::lround((wanted - bar->x()) / bar->width() *
                                                               Circuit::kSliderPositions)),
                                  0, Circuit::kSliderPositions);
    stepBar(m_controls.bar, target);
    return !m_circuit.isEnding() && !m_controls.bar->isHidden();
}
