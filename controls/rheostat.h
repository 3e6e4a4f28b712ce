// The rheostat in the supply circuit: its setting and its maximum.
#pragma once

#include "controls/instrument.h"

/** The rheostat: its maximum set while the key is open, its setting while the key is closed. */
class Rheostat : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        BenchImage *picture = nullptr;
        ScrollBar *bar = nullptr, *maximumBar = nullptr;
        BenchLabel *readout = nullptr, *maximumReadout = nullptr;
    };

    Rheostat(Circuit &circuit, const Controls &controls);

    void describe(BenchAccessibility &access) const override;

  private:
    void showSetting(double ohms);
    void showMaximum(double ohms);
    /** The setting's bar and readout while the key is closed, the maximum's while it is open. */
    void showForKey(bool closed);

    Controls m_controls;
};
