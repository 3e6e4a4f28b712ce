// The DC source: its switch, its EMF and internal resistance, its lamp and its current.
#include "controls/source.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"
#include "view/source_picture.h"

#include <QLineF>

namespace {

// The EMF knob's reach about its centre, below its readout, in bench pixels.
constexpr double kKnobRadius = 12;

} // namespace

Source::Source(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_picture(part<SourcePicture>("Image1")),
      m_lamp(part<BenchImage>("Image10")), m_emfReadout(part<BenchLabel>("LblEdc")),
      m_resistanceReadout(part<BenchLabel>("Lblr")),
      m_emfBar(bar("HScroll3", [this] { onEmfChanged(); })),
      m_resistanceBar(bar("HScroll4", [this] { onResistanceChanged(); })),
      m_current(part<ReadoutBox>("Picture3"))
{
    m_picture->onClick = circuit.whileRunning([this] { m_circuit.toggleSource(); });
    // The EMF knob turns with the wheel over it or its readout, the resistance over its readout.
    m_picture->onWheel = [this](QPointF at, int notches) {
        const QPointF knob = m_picture->bounds().topLeft() + SourcePicture::knobCentre();
        if (QLineF(at, knob).length() <= kKnobRadius || m_emfReadout->bounds().contains(at))
            m_circuit.turnKnob(m_emfBar, notches);
        else if (m_resistanceReadout->bounds().contains(at))
            m_circuit.turnKnob(m_resistanceBar, notches);
        else
            return false;
        return true;
    };
}

void Source::load()
{
    m_emfBar->setBenchValue(static_cast<int>(m_circuit.state().Edc));
    m_resistanceBar->setBenchValue(roundHalfEven(m_circuit.state().r));
    m_current->setBackColor(QColor(0, 0, 0));
    m_current->setForeColor(QColor(0, 255, 0));
}

void Source::onEmfChanged()
{
    m_circuit.setEmf(m_emfBar->benchValue());
    const double emf = m_circuit.state().Edc;
    m_emfReadout->setCaption(QString::fromStdString(formatGeneral(emf, m_circuit.separator())));
    m_picture->setEmf(emf);
}

void Source::onResistanceChanged()
{
    m_circuit.setInternalResistance(static_cast<float>(m_resistanceBar->benchValue()));
    m_resistanceReadout->setCaption(
        QString::fromStdString(formatGeneral(m_circuit.state().r, m_circuit.separator())));
}

void Source::showSwitchedOn(bool on)
{
    m_lamp->setVisible(on);
    m_picture->setSwitchedOn(on);
    m_emfBar->setVisible(!on);
    m_resistanceBar->setVisible(!on);
}

void Source::showCurrent(double amperes)
{
    m_current->clear();
    m_current->print(m_circuit.format(amperes, "#0.00"));
}
