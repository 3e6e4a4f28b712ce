// The resistance box: six decades summed into the box's resistance and shown on its display.
#pragma once

#include "controls/instrument.h"

/** The resistance box: six decade knobs, each with its bar and digit, and the box's display. */
class ResistanceBox : public Instrument
{
    Q_OBJECT
  public:
    static constexpr int kDecades = 6;

    ResistanceBox(Circuit &circuit, BenchCanvas &bench);

    /** The bar of decade `i`: 0 for ×10000 … 5 for ×0.1. */
    ScrollBar *decade(int i) const { return m_decades[i]; }

    void load();
    /** The decades' bars and digits and the display shown or hidden. */
    void showDecades(bool shown);

  private:
    void onDecadeChanged(int i);

    BenchImage *m_box;
    ScrollBar *m_decades[kDecades];
    BenchLabel *m_digits[kDecades];
    ReadoutBox *m_display;
};
