// The galvanometer: its needle, its current readout and the measured resistance it reveals.
#pragma once

#include "model/needle.h"

#include "controls/instrument.h"

/** The galvanometer: the needle and readout show its current; a click reveals the result. */
class Galvanometer : public Instrument
{
    Q_OBJECT
  public:
    Galvanometer(Circuit &circuit, BenchCanvas &bench);

    void load();
    /** The galvanometer current on its readout, A. */
    void showCurrent(double amperes);
    /** The needle turned for a current `Ig` of a full scale `Igmax`; its geometry returned. */
    NeedleGeometry pointNeedle(double Ig, float Igmax);
    /** The resistance measured from the box and the arms, Ω. */
    void setMeasured(double ohms);
    void showMeasured(bool shown);

  private:
    BenchImage *m_picture;
    BenchLine *m_needle;
    ReadoutBox *m_current;
    BenchLabel *m_measured;
};
