// The rheostat in the supply circuit: its setting and its maximum.
#include "controls/rheostat.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_items.h"
#include "toolkit/scroll_bar.h"

Rheostat::Rheostat(Circuit &circuit, const Controls &controls)
    : Instrument(circuit, "rheostat",
                 {controls.picture, controls.bar, controls.maximumBar, controls.readout,
                  controls.maximumReadout}),
      m_controls(controls)
{
    m_controls.picture->onWheel = [this](QPointF, int notches) {
        turnKnob(m_controls.bar, notches);
        return true;
    };
    follow(m_controls.bar, [&circuit](int ohms) { circuit.setRheostat(ohms); });
    follow(m_controls.maximumBar, [&circuit](int ohms) { circuit.setRheostatMaximum(ohms); });
    connect(&circuit, &Circuit::rheostatMaximumChanged, this, &Rheostat::showMaximum);
    connect(&circuit, &Circuit::rheostatChanged, this, &Rheostat::showSetting);
    connect(&circuit, &Circuit::keyThrown, this, &Rheostat::showForKey);
}

void Rheostat::describe(BenchAccessibility &access) const
{
    // The bars have no tooltips: each is named after what it sets.
    m_controls.maximumBar->setAccessibleName(
        QStringLiteral("Максимальное сопротивление реостата, Ом"));
    m_controls.bar->setAccessibleName(QStringLiteral("Сопротивление реостата, Ом"));
    // The maximum tells the setting it resets, so it is heard without leaving the bar.
    const BenchLabel *setting = m_controls.readout;
    access.setDescription(m_controls.maximumBar, [setting] {
        const QString shown = setting->caption();
        return shown.isEmpty()
                   ? QString()
                   : QStringLiteral("сопротивление реостата ") + shown + QStringLiteral(" Ом");
    });
}

// The bar stands on whole ohms, and the readout shows the bar: 112 at start-up, where the
// circuit has 112.5.
void Rheostat::showSetting(double ohms)
{
    ScrollBar *bar = m_controls.bar;
    showOnBar(bar, roundHalfEven(ohms));
    m_controls.readout->setCaption(QString::fromStdString(
        formatGeneral(static_cast<float>(bar->benchValue()), m_circuit.separator())));
    // The readout rides centred over the thumb.
    m_controls.readout->setLeft(static_cast<double>(bar->benchValue()) / bar->endValue() *
                                    bar->width() +
                                bar->x() - m_controls.readout->width() / 2);
}

// The setting's bar reaches as far as the maximum.
void Rheostat::showMaximum(double ohms)
{
    showOnBar(m_controls.maximumBar, static_cast<int>(ohms));
    // The maximum is shown as plain decimal text, not in the locale's general form; a whole number
    // of ohms has no separator to show either way.
    m_controls.maximumReadout->setCaption(QString::fromStdString(formatGeneral(ohms, ".")));
    showing([&] { m_controls.bar->setEndValue(static_cast<int>(ohms)); });
}

// The order matters to the keyboard: closing the key shows the setting before the maximum goes,
// so that the keyboard on the maximum passes to the setting.
void Rheostat::showForKey(bool closed)
{
    m_controls.bar->setVisible(closed);
    m_controls.readout->setVisible(closed);
    m_controls.maximumBar->setVisible(!closed);
    m_controls.maximumReadout->setVisible(!closed);
}
