// How a laid-out document falls into pages: where a page may end, and what each page draws.
#pragma once

class QPainter;
class QRectF;
class QTextDocument;

namespace pages {

/**
 * Moves the page breaks of a laid-out HTML document to where a reader expects them. A heading, a
 * paragraph that ends in a colon or runs on into a formula, and a picture stay on the page of what
 * follows them; so does whatever comes before a paragraph that begins in lower case, as a formula's
 * legend does. No paragraph leaves one line alone at the foot or the head of a page.
 */
void breakHtml(QTextDocument &doc);

/**
 * The same for a plain-text document laid out one line per paragraph. Its parts are the groups of
 * lines between blank lines, their numbered steps and the dashes within a step: a part that the end
 * of a page would cut starts on the next page unless it is longer than half a page, and then its
 * own parts are kept so. A heading (a line underlined with "-" or "="), a line alone and a group
 * that ends in a colon go with the group below; a group that begins in lower case with the one
 * above.
 */
void breakPlainText(QTextDocument &doc);

/**
 * Takes over the drawing of the numbers and bullets of the document's lists, which Qt places on
 * a whole layout pixel, up to half a pixel off the line they mark: drawPage draws them on the
 * baseline of their item's first line. Call before breaking the document into pages.
 */
void ownListMarkers(QTextDocument &doc);

/**
 * Draws what lies on one page of the laid-out document, the sheet being that page in the
 * document's coordinates, and nothing of its neighbours: a line drawn into a page where it does not
 * belong, even clipped away, would be in that page's text.
 */
void drawPage(const QTextDocument &doc, QPainter &painter, const QRectF &sheet);

} // namespace pages
