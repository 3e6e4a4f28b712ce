// The key that closes the bridge's supply circuit.
#pragma once

#include "controls/instrument.h"

/** The key: thrown by a click, drawn open or closed. */
class Key : public Instrument
{
    Q_OBJECT
  public:
    struct Controls
    {
        BenchLabel *key = nullptr; // the area that takes the click
        BenchImage *open = nullptr, *closed = nullptr;
    };

    Key(Circuit &circuit, const Controls &controls);

    void describe(BenchAccessibility &access) const override;

  private:
    /** The picture of the key closed or open, in the key's place. */
    void showClosed(bool closed);

    Controls m_controls;
};
