// The resistance box: six decades summed into the box's resistance and shown on its display.
#pragma once

#include "controls/circuit.h"
#include "controls/instrument.h"

/** The resistance box: six decade knobs, each with its bar and digit, and the box's display. */
class ResistanceBox : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        BenchImage *box = nullptr;
        ScrollBar *decades[Circuit::kDecades] = {}; // from ×10000 down to ×0.1
        BenchLabel *digits[Circuit::kDecades] = {}; // each on its knob
        ReadoutBox *display = nullptr;
    };

    ResistanceBox(Circuit &circuit, const Controls &controls);

    void describe(BenchAccessibility &access) const override;

  private:
    /** The decades' bars and digits and the display while the key is closed. */
    void showForKey(bool closed);
    void showDecade(int i, int digit);

    Controls m_controls;
};
