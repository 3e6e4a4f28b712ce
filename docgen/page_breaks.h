// What the page rules share: which page a line lies on, and the moves that push text to the next.
//
// Lengths are the document's own (its layout pixels); a page is doc.pageSize().height() of them.
// QTextDocument breaks pages only between lines, with no regard for what the lines say: the rules
// move whole paragraphs, or the last lines of one, onto the next page, and lay the document out
// again after each move until no rule is broken.
#pragma once

#include <QTextBlock>
#include <QTextFormat>

class QTextDocument;

namespace pages {

// A line whose top lies up to half a layout pixel above a page's edge belongs to the page below
// it: the layout places lines in 1/64 of a pixel, and a line moved to a new page may start a
// little above the edge it was moved to.
inline constexpr qreal kEdge = 0.5;

// Properties of the generator's own on the documents' formats: a list's style, drawn by drawPage,
// and the mark of a paragraph's lines after a break.
inline constexpr int kMarkerStyle = QTextFormat::UserProperty + 1;
inline constexpr int kContinued = QTextFormat::UserProperty + 2;

/** The page, counted from 0, that holds a line whose top is at `y`. */
int pageAt(const QTextDocument &doc, qreal y);
/** The top of one of a block's lines in the document. */
qreal lineTop(const QTextDocument &doc, const QTextBlock &block, int line);
/** The number of a block's lines that stand on the page of its last line. */
int linesOnLastPage(const QTextDocument &doc, const QTextBlock &block);
/** Marks the layout stale after a move, to be laid out anew. */
void markDirty(QTextDocument &doc);
/** Starts a new page with the block. */
void breakBeforeBlock(QTextDocument &doc, const QTextBlock &block);
/**
 * Splits a paragraph before one of its lines, which begins the next page. The lines before keep
 * the paragraph's justification to the last: the line before the break is not its last line.
 */
void splitBefore(QTextDocument &doc, const QTextBlock &block, int line);

} // namespace pages
