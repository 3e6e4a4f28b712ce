// The DC source: its switch, its EMF and internal resistance, its lamp and its current.
#include "controls/source.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"
#include "view/source_picture.h"

#include <QLineF>

namespace {

// The EMF knob's reach about its centre, below its readout, in bench pixels.
constexpr double kKnobRadius = 12;

} // namespace

Source::Source(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "source",
                 {controls.picture, controls.lamp, controls.emfReadout, controls.resistanceReadout,
                  controls.emfBar, controls.resistanceBar, controls.current}),
      m_controls(controls)
{
    const Controls &p = m_controls;
    p.picture->onClick = circuit.whileRunning([&circuit] { circuit.toggleSource(); });
    // The EMF knob turns with the wheel over it or its readout, the resistance over its readout.
    p.picture->onWheel = [this](QPointF at, int notches) {
        const Controls &p = m_controls;
        const QPointF knob = p.picture->bounds().topLeft() + SourcePicture::knobCentre();
        if (QLineF(at, knob).length() <= kKnobRadius || p.emfReadout->bounds().contains(at))
            turnKnob(p.emfBar, notches);
        else if (p.resistanceReadout->bounds().contains(at))
            turnKnob(p.resistanceBar, notches);
        else
            return false;
        return true;
    };
    follow(p.emfBar, [&circuit](int volts) { circuit.setEmf(volts); });
    follow(p.resistanceBar, [&circuit](int ohms) { circuit.setInternalResistance(ohms); });
    connect(&circuit, &Circuit::emfChanged, this, &Source::showEmf);
    connect(&circuit, &Circuit::internalResistanceChanged, this, &Source::showInternalResistance);
    connect(&circuit, &Circuit::sourceSwitched, this, &Source::showSwitchedOn);
    connect(&circuit, &Circuit::sourceCurrentChanged, this, &Source::showCurrent);
}

void Source::describe(BenchAccessibility &access) const
{
    describeSwitch(access, m_controls.picture, &Circuit::isSourceOn, QStringLiteral("включён"),
                   QStringLiteral("выключен"));
    // The tooltip has a typo that a screen reader would stumble over.
    m_controls.resistanceReadout->setAccessibleName(
        QStringLiteral("Внутреннее сопротивление источника, Ом"));
    // The two current readouts share one tooltip; by ear each must say which current it shows.
    m_controls.current->setAccessibleName(QStringLiteral("Ток источника, А"));
    // The knobs' bars have no tooltips: each is named after what it sets.
    m_controls.emfBar->setAccessibleName(QStringLiteral("ЭДС источника, В"));
    m_controls.resistanceBar->setAccessibleName(
        QStringLiteral("Внутреннее сопротивление источника, Ом"));
}

void Source::showEmf(double volts)
{
    showOnBar(m_controls.emfBar, static_cast<int>(volts));
    m_controls.emfReadout->setCaption(
        QString::fromStdString(formatGeneral(volts, m_circuit.separator())));
    m_controls.picture->setEmf(volts);
}

void Source::showInternalResistance(double ohms)
{
    showOnBar(m_controls.resistanceBar, roundHalfEven(ohms));
    m_controls.resistanceReadout->setCaption(
        QString::fromStdString(formatGeneral(m_circuit.state().r, m_circuit.separator())));
}

void Source::showSwitchedOn(bool on)
{
    m_controls.lamp->setVisible(on);
    m_controls.picture->setSwitchedOn(on);
    m_controls.emfBar->setVisible(!on);
    m_controls.resistanceBar->setVisible(!on);
}

void Source::showCurrent(double amperes)
{
    m_controls.current->clear();
    m_controls.current->print(m_circuit.format(amperes, "#0.00"));
}
