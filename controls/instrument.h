// What every instrument of the bench has: the circuit it tells, and its controls found by name.
#pragma once

#include "toolkit/find_control.h"

#include <QObject>
#include <functional>

class Circuit;
class ReadoutBox;
class ScrollBar;

/** An instrument on the bench: it takes its controls from the bench by their system names. */
class Instrument : public QObject
{
    Q_OBJECT
  protected:
    Instrument(Circuit &circuit, BenchCanvas &bench);

    /** The control of the bench called `name`. */
    template <typename T> T *part(const char *name) const
    {
        return findControl<T>(m_bench, QString::fromLatin1(name));
    }
    /** The bar called `name`, whose every change runs `changed` while the bench runs. */
    ScrollBar *bar(const char *name, std::function<void()> changed);

    Circuit &m_circuit;

  private:
    BenchCanvas &m_bench;
};
