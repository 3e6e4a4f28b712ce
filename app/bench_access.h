// The bench without a mouse: the keyboard's focus order and what screen readers call each control.
#pragma once

class AnnouncingDesktop;
class BenchCanvas;
class Circuit;
struct BenchParts;

/** The focus order, and the names, values and descriptions screen readers hear; boxes too. */
void makeAccessible(BenchCanvas &bench, const BenchParts &parts, const Circuit &circuit,
                    AnnouncingDesktop &announcer);
