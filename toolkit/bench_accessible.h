// What screen readers see of the bench: its drawn items, scroll bars, readouts and announcements.
#pragma once

#include <functional>

class BenchCanvas;
class BenchItem;
class QAccessibleEvent;
class QAccessibleInterface;

/** Registers the bench's accessible interfaces with Qt; later calls do nothing. */
void installBenchAccessibility();
/** Whether anyone hears of changes: a screen reader, or the observer below. */
bool screenReadersListen();
/** Tells screen readers of a change on the bench, and the observer if one is set. */
void tellScreenReaders(QAccessibleEvent *event);
/**
 * Sets a function that sees everything the bench tells screen readers, even while none listens
 * (Qt drops the events then, and offscreen it always does): tests listen here. Empty to stop.
 */
void setScreenReaderObserver(std::function<void(QAccessibleEvent *)> observer);
/** A new interface for one drawn item; the canvas registers it and deletes it with the item. */
QAccessibleInterface *newItemAccessible(BenchCanvas *canvas, BenchItem *item);
/** A new interface for the canvas's announcement: an alert whose name is the message. */
QAccessibleInterface *newAnnouncementAccessible(BenchCanvas *canvas);
