// Placing a top-level window once the window manager has framed it.
#pragma once

#include <functional>

class QRect;
class QWidget;

/**
 * Runs `place` once, when `window` is first exposed on screen: by then the window manager has
 * framed it, so the frame's size is known. Call it before the window is first shown.
 */
void placeWhenFramed(QWidget *window, std::function<void()> place);

/**
 * Moves a top-level window so that its frame's centre lies on the centre of `outer`; where the
 * halves do not come out whole, the fraction is dropped.
 */
void centreFrameIn(QWidget *window, const QRect &outer);
