// The bench without a mouse: the keyboard's focus order and what screen readers call each control.
#pragma once

class AnnouncingDesktop;
#include <initializer_list>

class BenchCanvas;
class Instrument;
struct BenchControls;

/**
 * The focus order, what each instrument tells screen readers of itself, and what the bench tells
 * across them: the result a reveal reads, what balancing changes; boxes too.
 */
void makeAccessible(BenchCanvas &bench, const BenchControls &controls,
                    std::initializer_list<const Instrument *> instruments,
                    AnnouncingDesktop &announcer);
