// The slide wire: its jockey, the jockey's card and lead, and the wire's two arms.
#include "controls/slide_wire.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/scroll_bar.h"

#include <algorithm>
#include <cmath>

SlideWire::SlideWire(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_wire(part<BenchImage>("Image3")),
      m_jockey(part<BenchImage>("Image4")), m_card(part<BenchLabel>("Lbldv")),
      m_leftArm(part<BenchLabel>("Lbl_R_L")), m_rightArm(part<BenchLabel>("Lbl_R_R")),
      m_lead(part<BenchLine>("Line1")), m_bar(bar("HScroll1", [this] {
          readBar();
          m_circuit.recalculate();
      }))
{
    m_wire->onClick = circuit.whileRunning([&circuit] { circuit.reveal(Circuit::Reveal::Arms); });
    // The jockey and its card move together: either may be taken.
    for (BenchBox *taken : {static_cast<BenchBox *>(m_jockey), static_cast<BenchBox *>(m_card)})
        taken->onDrag = [this, taken](QPointF wanted) {
            return dragJockey(wanted.x() - taken->left());
        };
    // The drag ends as soon as the slider's bar goes, even if the pointer has not moved since: the
    // key closed again before the button is released must not take the jockey back to the pointer.
    connect(m_bar, &ScrollBar::hidden, &bench, &BenchCanvas::endDrag);
}

void SlideWire::load(double fraction)
{
    // The bar already stands there at start-up, so its change handler does not run.
    m_bar->setBenchValue(static_cast<int>(200 * fraction));
    readBar();
}

void SlideWire::showBar(bool shown)
{
    m_bar->setVisible(shown);
    for (BenchItem *taken : {static_cast<BenchItem *>(m_jockey), static_cast<BenchItem *>(m_card)})
        taken->cursor = shown ? Qt::SizeHorCursor : Qt::ArrowCursor;
}

void SlideWire::showArms(bool shown)
{
    m_leftArm->setVisible(shown);
    m_rightArm->setVisible(shown);
}

void SlideWire::readBar()
{
    m_circuit.setSliderFraction(m_bar->benchValue() * 0.005);
    showSlider();
}

void SlideWire::showSlider()
{
    m_card->setCaption(
        QString::fromStdString(sliderCaption(m_circuit.state().R_dlina, m_circuit.separator())));
    placeJockey();
    showArmValues();
}

// The jockey, its lead and its card follow the bar's thumb, in fractional pixels.
void SlideWire::placeJockey()
{
    const float x = static_cast<float>(
        static_cast<double>(m_bar->benchValue()) / m_bar->endValue() * m_bar->width() + m_bar->x());
    m_lead->setX1(x);
    m_jockey->setLeft(m_lead->X1() - m_jockey->width() / 2);
    m_card->setLeft(m_jockey->left() - 4);
}

void SlideWire::showArmValues()
{
    const CircuitState &s = m_circuit.state();
    m_leftArm->setCaption(QStringLiteral("R_L=") + m_circuit.format(s.R_L, "0.000") +
                          QStringLiteral(" Ом"));
    m_rightArm->setCaption(QStringLiteral("R_R=") + m_circuit.format(s.R_R, "0.000") +
                           QStringLiteral(" Ом"));
}

// The jockey follows the pointer along the wire: the slider's bar steps one half-division at a
// time towards the place asked for, as its arrows would, so the bench recalculates at every
// position passed. The drag ends when the bar goes (the key opened, after an overload too).
bool SlideWire::dragJockey(double shift)
{
    // The position whose jockey lies nearest the place asked for: placeJockey reversed.
    const double wanted = m_lead->X1() + shift;
    const int target = std::clamp(
        static_cast<int>(std::lround((wanted - m_bar->x()) / m_bar->width() * m_bar->endValue())),
        0, m_bar->endValue());
    m_circuit.stepBar(m_bar, target);
    return !m_circuit.isEnding() && !m_bar->isHidden();
}
