// The rheostat in the supply circuit: its setting and its maximum.
#include "controls/rheostat.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/scroll_bar.h"

Rheostat::Rheostat(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_picture(part<BenchImage>("Image2")),
      m_bar(bar("HScroll2", [this] { onSettingChanged(); })),
      m_maximumBar(bar("VScroll7", [this] { onMaximumChanged(); })),
      m_readout(part<BenchLabel>("Lbl_reo")), m_maximumReadout(part<BenchLabel>("LblReomax"))
{
    m_picture->onWheel = [this](QPointF, int notches) {
        m_circuit.turnKnob(m_bar, notches);
        return true;
    };
}

void Rheostat::load()
{
    m_maximumBar->setBenchValue(static_cast<int>(m_circuit.state().Reo_max));
    // The rheostat keeps 112.5 until the bar is first moved; the bar already shows 112.
    m_circuit.setRheostat(static_cast<float>(m_circuit.state().Reo_max * 3 / 4));
    m_bar->setBenchValue(roundHalfEven(m_circuit.state().Reo));
}

void Rheostat::showSetting(bool shown)
{
    m_bar->setVisible(shown);
    m_readout->setVisible(shown);
}

void Rheostat::showMaximum(bool shown)
{
    m_maximumBar->setVisible(shown);
    m_maximumReadout->setVisible(shown);
}

void Rheostat::onSettingChanged()
{
    m_circuit.setRheostat(static_cast<float>(m_bar->benchValue()));
    m_readout->setCaption(
        QString::fromStdString(formatGeneral(m_circuit.state().Reo, m_circuit.separator())));
    // The readout rides centred over the thumb.
    m_readout->setLeft(static_cast<double>(m_bar->benchValue()) / m_bar->endValue() *
                           m_bar->width() +
                       m_bar->x() - m_readout->width() / 2);
    if (!m_maximumChanging)
        m_circuit.recalculate();
}

// A new maximum resets the rheostat to three quarters of it. The setting's bar may move twice on
// the way (pulled into the new range, then set): the bridge is solved once, at the end.
void Rheostat::onMaximumChanged()
{
    m_circuit.setRheostatMaximum(m_maximumBar->benchValue());
    // The maximum is shown as plain decimal text, not in the locale's general form; a whole number
    // of ohms has no separator to show either way.
    m_maximumReadout->setCaption(
        QString::fromStdString(formatGeneral(m_circuit.state().Reo_max, ".")));
    m_maximumChanging = true;
    m_bar->setEndValue(static_cast<int>(m_circuit.state().Reo_max));
    m_bar->setBenchValue(roundHalfEven(m_bar->endValue() / 4.0 * 3));
    m_maximumChanging = false;
    onSettingChanged();
}
