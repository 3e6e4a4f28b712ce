// The rheostat in the supply circuit: its setting and its maximum.
#pragma once

#include "controls/instrument.h"

/** The rheostat: its maximum set while the key is open, its setting while the key is closed. */
class Rheostat : public Instrument
{
    Q_OBJECT
  public:
    Rheostat(Circuit &circuit, BenchCanvas &bench);

    /** The maximum at the circuit's; the rheostat at three quarters of it. */
    void load();
    /** The setting's bar and readout shown or hidden. */
    void showSetting(bool shown);
    /** The maximum's bar and readout shown or hidden. */
    void showMaximum(bool shown);

  private:
    void onSettingChanged();
    void onMaximumChanged();

    BenchImage *m_picture;
    ScrollBar *m_bar, *m_maximumBar;
    BenchLabel *m_readout, *m_maximumReadout;
    bool m_maximumChanging = false; // the setting follows the maximum: one solution at the end
};
