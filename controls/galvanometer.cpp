// The galvanometer: its needle, its current readout and the measured resistance it reveals.
#include "controls/galvanometer.h"

#include "controls/circuit.h"
#include "toolkit/readout_box.h"

Galvanometer::Galvanometer(Circuit &circuit, BenchCanvas &bench)
    : Instrument(circuit, bench), m_picture(part<BenchImage>("Image5")),
      m_needle(part<BenchLine>("Line17")), m_current(part<ReadoutBox>("Picture2")),
      m_measured(part<BenchLabel>("Lbl_Ri"))
{
    m_picture->onClick =
        circuit.whileRunning([&circuit] { circuit.reveal(Circuit::Reveal::Result); });
}

void Galvanometer::load()
{
    m_current->setBackColor(QColor(0, 0, 0));
    m_current->setForeColor(QColor(0, 255, 0));
    m_measured->setVisible(false);
}

void Galvanometer::showCurrent(double amperes)
{
    m_current->clear();
    m_current->print(m_circuit.format(amperes, "#0.0000000"));
}

NeedleGeometry Galvanometer::pointNeedle(double Ig, float Igmax)
{
    m_needle->setX1(kNeedlePivotX);
    m_needle->setY1(kNeedlePivotY);
    const NeedleGeometry g = needleGeometry(Ig, Igmax, static_cast<float>(m_needle->X1()),
                                            static_cast<float>(m_needle->Y1()));
    m_needle->setX2(g.x2);
    m_needle->setY2(g.y2);
    return g;
}

void Galvanometer::setMeasured(double ohms)
{
    m_measured->setCaption(QStringLiteral("Ri=") + m_circuit.format(ohms, "0.0") +
                           QStringLiteral(" Ом"));
}

void Galvanometer::showMeasured(bool shown)
{
    m_measured->setVisible(shown);
}
