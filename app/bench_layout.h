// The bench's controls in their places, from one table.
#pragma once

class BenchCanvas;

/** Puts every picture, wire, readout and scroll bar of the bench on it, under its system name. */
void layOutBench(BenchCanvas &bench);
