// The key that closes the bridge's supply circuit.
#pragma once

#include "controls/instrument.h"

/** The key: thrown by a click, drawn open or closed. */
class Key : public Instrument
{
    Q_OBJECT
  public:
    Key(Circuit &circuit, BenchCanvas &bench);

    /** The picture of the key closed or open, in the key's place. */
    void showClosed(bool closed);

  private:
    BenchLabel *m_key;
    BenchImage *m_open, *m_closed;
};
