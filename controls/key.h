// The key that closes the bridge's supply circuit.
#pragma once

#include <QObject>

class BenchCanvas;
class BenchImage;
class BenchLabel;
class Circuit;

/** The key: thrown by a click, drawn open or closed. */
class Key : public QObject
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
