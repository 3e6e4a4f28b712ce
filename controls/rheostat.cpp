// The rheostat in the supply circuit: its setting and its maximum.
#include "controls/rheostat.h"

#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_items.h"
#include "toolkit/scroll_bar.h"

Rheostat::Rheostat(Circuit &circuit, const Parts &parts)
    : Instrument(circuit, "rheostat",
                 {parts.picture, parts.bar, parts.maximumBar, parts.readout, parts.maximumReadout}),
      m_parts(parts)
{
    m_parts.picture->onWheel = [this](QPointF, int notches) {
        turnKnob(m_parts.bar, notches);
        return true;
    };
    follow(m_parts.bar, [&circuit](int ohms) { circuit.setRheostat(ohms); });
    follow(m_parts.maximumBar, [&circuit](int ohms) { circuit.setRheostatMaximum(ohms); });
    connect(&circuit, &Circuit::rheostatMaximumChanged, this, &Rheostat::showMaximum);
    connect(&circuit, &Circuit::rheostatChanged, this, &Rheostat::showSetting);
    connect(&circuit, &Circuit::keyThrown, this, &Rheostat::showForKey);
}

void Rheostat::describe(BenchAccessibility &access) const
{
    // The bars have no tooltips: each is named after what it sets.
    m_parts.maximumBar->setAccessibleName(
        QStringLiteral("Максимальное сопротивление реостата, Ом"));
    m_parts.bar->setAccessibleName(QStringLiteral("Сопротивление реостата, Ом"));
    // The maximum tells the setting it resets, so it is heard without leaving the bar.
    const BenchLabel *setting = m_parts.readout;
    access.setDescription(m_parts.maximumBar, [setting] {
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
    ScrollBar *bar = m_parts.bar;
    showOnBar(bar, roundHalfEven(ohms));
    m_parts.readout->setCaption(QString::fromStdString(
        formatGeneral(static_cast<float>(bar->benchValue()), m_circuit.separator())));
    // The readout rides centred over the thumb.
    m_parts.readout->setLeft(static_cast<double>(bar->benchValue()) / bar->endValue() *
                                 bar->width() +
                             bar->x() - m_parts.readout->width() / 2);
}

// The setting's bar reaches as far as the maximum.
void Rheostat::showMaximum(double ohms)
{
    showOnBar(m_parts.maximumBar, static_cast<int>(ohms));
    // The maximum is shown as plain decimal text, not in the locale's general form; a whole number
    // of ohms has no separator to show either way.
    m_parts.maximumReadout->setCaption(QString::fromStdString(formatGeneral(ohms, ".")));
    showing([&] { m_parts.bar->setEndValue(static_cast<int>(ohms)); });
}

// The order matters to the keyboard: closing the key shows the setting before the maximum goes,
// so that the keyboard on the maximum passes to the setting.
void Rheostat::showForKey(bool closed)
{
    m_parts.bar->setVisible(closed);
    m_parts.readout->setVisible(closed);
    m_parts.maximumBar->setVisible(!closed);
    m_parts.maximumReadout->setVisible(!closed);
}
