// The pieces of the bench's accessible tree that its files share: the interfaces' makers and text
// helpers.
#pragma once

#include <QAccessible>
#include <QFont>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <functional>

class BenchAccessibility;
class BenchCanvas;
class BenchItem;
class ReadoutBox;
class ScrollBar;

/** A rectangle in bench pixels as the screen has it. */
QRect toScreen(const BenchCanvas *canvas, const QRectF &area);

/**
 * A readout's name: what it is and what it shows. Screen readers read a window's texts by their
 * names alone (Orca as a window opens or comes back after a message), so the value goes there too.
 */
QString readoutName(const QString &what, const QString &shows);

/**
 * Where one character lies of a text drawn in `font`, each of its lines from the top-left corner
 * `lineTopLeft` gives: screen readers that review a window by what it shows place the text by
 * these boxes.
 */
QRectF characterBox(const QString &text, int index, const QFont &font,
                    const std::function<QPointF(int line)> &lineTopLeft);

/**
 * What a readout shows, for screen readers that read text rather than values or descriptions:
 * the whole text, read only, without a cursor or selection.
 */
class ShownText : public QAccessibleTextInterface
{
  public:
    virtual QString shownText() const = 0;

    QString text(int startOffset, int endOffset) const override
    {
        return shownText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int offsetAtPoint(const QPoint &point) const override
    {
        for (int i = 0; i < characterCount(); ++i)
            if (characterRect(i).contains(point))
                return i;
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }
};

/** The bench widget: its children are the focus order first, then everything else it shows. */
QAccessibleInterface *newCanvasAccessible(BenchCanvas *canvas);
/** One drawn item: a button when it takes a click procedure, else a text or a picture. */
QAccessibleInterface *newItemAccessible(BenchCanvas *canvas, BenchItem *item);
/** What the bench says over its instruments: the text `spoken` reads, in the given role. */
QAccessibleInterface *newSpokenAccessible(BenchCanvas *canvas, const BenchAccessibility *access,
                                          QAccessible::Role role,
                                          const QString &(BenchAccessibility::*spoken)() const);
/** A scroll bar read in the bench's values. */
QAccessibleInterface *newScrollBarAccessible(ScrollBar *bar);
/** A readout: named by its tooltip, read out by what is printed in it. */
QAccessibleInterface *newReadoutAccessible(ReadoutBox *box);
