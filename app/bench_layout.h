// The bench's controls in their places, from one table, handed to the instruments that own them.
#pragma once

#include "controls/galvanometer.h"
#include "controls/key.h"
#include "controls/resistance_box.h"
#include "controls/rheostat.h"
#include "controls/slide_wire.h"
#include "controls/source.h"
#include "controls/unknown_resistor.h"

class BenchCanvas;

/** Every control of the bench, typed, by the instrument it belongs to. */
struct BenchControls
{
    Source::Controls source;
    Key::Controls key;
    Rheostat::Controls rheostat;
    SlideWire::Controls slideWire;
    ResistanceBox::Controls box;
    Galvanometer::Controls galvanometer;
    UnknownResistor::Controls unknown;
    BenchLabel *debugNote = nullptr; // a caption kept for debugging, hidden as the bench starts
};

/**
 * Puts every picture, wire, readout and scroll bar of the bench on it, under its system name, and
 * hands back those the instruments work.
 */
BenchControls layOutBench(BenchCanvas &bench);
