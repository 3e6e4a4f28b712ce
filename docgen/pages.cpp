// How a laid-out document falls into pages: where a page may end, and what each page draws.
//
// Lengths are the document's own (its layout pixels); a page is doc.pageSize().height() of them.
// QTextDocument breaks pages only between lines, with no regard for what the lines say: the rules
// here move whole paragraphs, or the last lines of one, onto the next page, and lay the document
// out again after each move until no rule is broken.
#include "pages.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pages {
namespace {

// A line whose top lies up to half a layout pixel above a page's edge belongs to the page below
// it: the layout places lines in 1/64 of a pixel, and a line moved to a new page may start a
// little above the edge it was moved to.
constexpr qreal kEdge = 0.5;

// Properties of the generator's own on the documents' formats.
constexpr int kMarkerStyle = QTextFormat::UserProperty + 1; // a list's style, drawn by drawPage
constexpr int kContinued = QTextFormat::UserProperty + 2;   // a paragraph's lines after a break

int pageAt(const QTextDocument &doc, qreal y)
{
    return int(std::floor((y + kEdge) / doc.pageSize().height()));
}

qreal lineTop(const QTextDocument &doc, const QTextBlock &block, int line)
{
    return doc.documentLayout()->blockBoundingRect(block).top() + block.layout()->lineAt(line).y();
}

// The number of a block's lines that stand on the page of its last line.
int linesOnLastPage(const QTextDocument &doc, const QTextBlock &block)
{
    const int count = block.layout()->lineCount();
    const int page = pageAt(doc, lineTop(doc, block, count - 1));
    int on = 0;
    while (on < count && pageAt(doc, lineTop(doc, block, count - 1 - on)) == page)
        ++on;
    return on;
}

void markDirty(QTextDocument &doc)
{
    // The layout below a change is stale until the document is laid out anew.
    doc.markContentsDirty(0, doc.characterCount());
}

void breakBeforeBlock(QTextDocument &doc, const QTextBlock &block)
{
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
    markDirty(doc);
}

// Splits a paragraph before one of its lines, which begins the next page. The lines before keep
// the paragraph's justification to the last: the line before the break is not its last line.
void splitBefore(QTextDocument &doc, const QTextBlock &block, int line)
{
    QTextBlockFormat first = block.blockFormat();
    QTextBlockFormat rest = first;
    first.setBottomMargin(0);
    rest.setTopMargin(0);
    rest.setTextIndent(0);
    rest.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    rest.setProperty(kContinued, true);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.layout()->lineAt(line).textStart());
    cursor.insertBlock(rest, cursor.charFormat());
    QTextCursor(cursor.block().previous()).setBlockFormat(first);
    cursor.block().previous().layout()->setFlags(Qt::TextJustificationForced);
    markDirty(doc);
}

// ---- HTML documents ----

/** A part of the document's body: a paragraph, a heading, a list item, or a table. */
struct Element
{
    QTextBlock block;
    QTextFrame *frame = nullptr;
};

std::vector<Element> elementsOf(const QTextDocument &doc)
{
    std::vector<Element> elements;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *frame = it.currentFrame())
            elements.push_back({QTextBlock(), frame});
        else if (!it.currentBlock().text().isEmpty())
            elements.push_back({it.currentBlock(), nullptr});
    }
    return elements;
}

qreal topOf(const QTextDocument &doc, const Element &e)
{
    if (e.frame)
        return doc.documentLayout()->frameBoundingRect(e.frame).top();
    return lineTop(doc, e.block, 0);
}

int lastPageOf(const QTextDocument &doc, const Element &e)
{
    if (e.frame)
        return pageAt(doc, doc.documentLayout()->frameBoundingRect(e.frame).bottom() - 2 * kEdge);
    return pageAt(doc, lineTop(doc, e.block, e.block.layout()->lineCount() - 1));
}

QString textOf(const Element &e)
{
    return e.frame ? QString() : e.block.text().trimmed();
}

bool isContinued(const Element &e)
{
    return !e.frame && e.block.blockFormat().hasProperty(kContinued);
}

bool isPicture(const Element &e)
{
    return textOf(e) == QString(QChar::ObjectReplacementCharacter);
}

// A paragraph that goes on from what stands before it: one that begins in lower case, or a plain
// paragraph without the first line's indent, as the text after a formula is set.
bool goesOn(const Element &e)
{
    if (e.frame || isContinued(e) || isPicture(e))
        return false;
    const QString text = textOf(e);
    const QTextBlockFormat format = e.block.blockFormat();
    return (!text.isEmpty() && text.front().isLower()) ||
           (format.textIndent() == 0 && format.headingLevel() == 0 && !e.block.textList());
}

// Whether an element and the next must share a page: a heading, a picture (with its caption), a
// paragraph whose sentence runs on (it ends in a colon, or in a word or a number with no stop, as
// before a formula), and whatever comes before a paragraph that goes on from it.
bool keepsWithNext(const Element &e, const Element &next)
{
    if (isContinued(next))
        return false;
    if ((!e.frame && e.block.blockFormat().headingLevel() > 0) || isPicture(e))
        return true;
    const QString text = textOf(e);
    if (!text.isEmpty() && (text.back() == QLatin1Char(':') || text.back().isLetterOrNumber()))
        return true;
    return goesOn(next);
}

// A paragraph that may be split between its lines: not a list item, whose number or bullet
// belongs to its first line only.
bool splittable(const Element &e)
{
    return !e.frame && !e.block.textList() && e.block.layout()->lineCount() > 1;
}

class HtmlPages
{
  public:
    explicit HtmlPages(QTextDocument &doc)
        : m_doc(doc), m_elements(elementsOf(doc)), m_half(doc.pageSize().height() / 2)
    {
        // The layout is lazy: a paragraph not yet laid out has no lines to count.
        doc.pageCount();
    }

    /** Mends the first broken rule; false when none is broken or none can be mended. */
    bool mendOne()
    {
        for (size_t i = 0; i < m_elements.size(); ++i)
            if (mend(i))
                return true;
        return false;
    }

  private:
    bool mend(size_t i)
    {
        const Element &e = m_elements[i];
        // A table no taller than half a page is not cut.
        if (e.frame && pageAt(m_doc, topOf(m_doc, e)) != lastPageOf(m_doc, e) &&
            m_doc.documentLayout()->frameBoundingRect(e.frame).height() <= m_half)
            return bringWhole(i);
        if (!e.frame && e.block.layout()->lineCount() > 1) {
            const int count = e.block.layout()->lineCount();
            const int onLast = linesOnLastPage(m_doc, e.block);
            const int before = count - onLast;
            if (before == 1) // the first line alone at the foot of a page
                return bringWhole(i);
            if (before > 1 && onLast == 1) { // the last line alone at the head of a page
                if (before >= 3 && splittable(e)) {
                    splitBefore(m_doc, e.block, count - 2);
                    return true;
                }
                return bringWhole(i);
            }
        }
        if (i + 1 < m_elements.size() && keepsWithNext(e, m_elements[i + 1]) &&
            pageAt(m_doc, topOf(m_doc, m_elements[i + 1])) > lastPageOf(m_doc, e))
            return bringTail(i);
        return false;
    }

    // The element begins a page, or nothing before it on its page is of the document.
    bool beginsPage(size_t i) const
    {
        const int page = pageAt(m_doc, topOf(m_doc, m_elements[i]));
        return i == 0 || lastPageOf(m_doc, m_elements[i - 1]) < page;
    }

    // Moves the element, and what must stay with it before it, to the next page.
    bool bringWhole(size_t i)
    {
        if (i > 0 && keepsWithNext(m_elements[i - 1], m_elements[i]))
            return bringTail(i - 1);
        return breakBefore(i);
    }

    // Moves the last lines of the element, at least two, or the whole of it, to the next page.
    bool bringTail(size_t i)
    {
        const Element &e = m_elements[i];
        if (splittable(e) && linesOnLastPage(m_doc, e.block) >= 4) {
            splitBefore(m_doc, e.block, e.block.layout()->lineCount() - 2);
            return true;
        }
        return bringWhole(i);
    }

    bool breakBefore(size_t i)
    {
        // Nothing is gained at the head of a page, and more than half a page left empty is worse
        // than the rule broken.
        const Element &e = m_elements[i];
        const qreal top = topOf(m_doc, e);
        const qreal pageEnd = (pageAt(m_doc, top) + 1) * m_doc.pageSize().height();
        if (beginsPage(i) || pageEnd - top > m_half)
            return false;
        if (e.frame) {
            QTextFrameFormat format = e.frame->frameFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            e.frame->setFrameFormat(format);
            markDirty(m_doc);
        } else {
            breakBeforeBlock(m_doc, e.block);
        }
        return true;
    }

    QTextDocument &m_doc;
    const std::vector<Element> m_elements;
    const qreal m_half;
};

// ---- Plain text ----

/** Lines of a plain-text document that the end of a page should not cut, and their own parts. */
struct Part
{
    int first, last; // the lines, counted from 0
    std::vector<Part> parts;
};

bool underline(const QString &line)
{
    const QString t = line.trimmed();
    return !t.isEmpty() &&
           (t.count(QLatin1Char('-')) == t.size() || t.count(QLatin1Char('=')) == t.size());
}

// A numbered step ("  9. ", " 10. ") at the left margin, or a dash within a step.
bool numbered(const QString &line)
{
    static const QRegularExpression step(QStringLiteral("^ {0,3}\\d+\\. "));
    return step.match(line).hasMatch();
}

bool dashed(const QString &line)
{
    static const QRegularExpression dash(QStringLiteral("^ +— "));
    return dash.match(line).hasMatch();
}

// Splits lines [first, last] before each line that passes the test (the lines before the first
// such line go with it); no parts when fewer than two.
template <typename Test>
std::vector<Part> splitAt(const QStringList &lines, int first, int last, Test starts)
{
    std::vector<Part> parts;
    for (int i = first; i <= last; ++i)
        if (i > first && starts(lines[i]))
            parts.push_back({parts.empty() ? first : parts.back().last + 1, i - 1, {}});
    if (parts.empty())
        return parts;
    parts.push_back({parts.back().last + 1, last, {}});
    return parts;
}

// The steps of a group of lines and the dashes of each step.
std::vector<Part> stepsOf(const QStringList &lines, int first, int last)
{
    std::vector<Part> steps = splitAt(lines, first, last, numbered);
    if (steps.empty())
        return splitAt(lines, first, last, dashed);
    for (Part &step : steps)
        step.parts = splitAt(lines, step.first, step.last, dashed);
    return steps;
}

// Whether a group of lines goes with the group below it: a heading, a title of a line or two at
// the left margin (not a step), and a sentence that runs on below, ending in a colon or a word.
bool goesWithNext(const QStringList &lines, int first, int last)
{
    const QString end = lines[last].trimmed();
    if (underline(end) || end.endsWith(QLatin1Char(':')) || end.back().isLetter())
        return true;
    return last - first < 2 && !lines[first].startsWith(QLatin1Char(' ')) &&
           !numbered(lines[first]);
}

std::vector<Part> partsOf(const QStringList &lines)
{
    std::vector<Part> groups;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        int end = i;
        while (end + 1 < lines.size() && !lines[end + 1].trimmed().isEmpty())
            ++end;
        groups.push_back({i, end, stepsOf(lines, i, end)});
        i = end;
    }
    std::vector<Part> units;
    for (size_t g = 0; g < groups.size();) {
        size_t next = g + 1;
        while (next < groups.size() &&
               (goesWithNext(lines, groups[next - 1].first, groups[next - 1].last) ||
                lines[groups[next].first].trimmed().front().isLower()))
            ++next;
        if (next == g + 1)
            units.push_back(groups[g]);
        else
            units.push_back({groups[g].first, groups[next - 1].last,
                             std::vector<Part>(groups.begin() + g, groups.begin() + next)});
        g = next;
    }
    return units;
}

void keepPlain(QTextDocument &doc, const std::vector<QTextBlock> &blocks, const Part &part)
{
    const auto top = [&](int line) {
        return doc.documentLayout()->blockBoundingRect(blocks[line]).top();
    };
    const int page = pageAt(doc, top(part.first));
    if (pageAt(doc, top(part.last)) == page)
        return;
    const bool beginsPage = part.first == 0 || pageAt(doc, top(part.first - 1)) < page;
    const qreal height =
        doc.documentLayout()->blockBoundingRect(blocks[part.last]).bottom() - top(part.first);
    if (height <= doc.pageSize().height() / 2 && !beginsPage) {
        breakBeforeBlock(doc, blocks[part.first]);
        return;
    }
    for (const Part &inner : part.parts)
        keepPlain(doc, blocks, inner);
}

} // namespace

void breakHtml(QTextDocument &doc)
{
    // Each move only pushes what follows it down the pages; a few hundred are more than any
    // document here needs.
    for (int move = 0; move < 500; ++move)
        if (!HtmlPages(doc).mendOne())
            return;
}

void breakPlainText(QTextDocument &doc)
{
    QStringList lines;
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        lines << block.text();
        blocks.push_back(block);
    }
    for (const Part &unit : partsOf(lines))
        keepPlain(doc, blocks, unit);
}

void ownListMarkers(QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextList *list = block.textList();
        if (!list || list->format().hasProperty(kMarkerStyle))
            continue;
        QTextListFormat format = list->format();
        if (format.style() != QTextListFormat::ListDecimal &&
            format.style() != QTextListFormat::ListDisc)
            continue;
        format.setProperty(kMarkerStyle, int(format.style()));
        format.setStyle(QTextListFormat::ListStyleUndefined);
        list->setFormat(format);
    }
}

namespace {

// A list item's number or bullet, a space before the text of its first line and on its baseline,
// as Qt would place them were it not for its rounding.
void drawMarker(const QTextDocument &doc, QPainter &painter, const QTextBlock &block, QPointF at)
{
    const QTextList *list = block.textList();
    const QTextListFormat format = list->format();
    QPaintDevice *device = doc.documentLayout()->paintDevice();
    QFont font = block.charFormat().font();
    if (device)
        font = QFont(font, device);
    const QFontMetricsF metrics(font, device);
    const QTextLine first = block.layout()->lineAt(0);
    const qreal right =
        at.x() + first.naturalTextRect().left() - metrics.horizontalAdvance(QLatin1Char(' '));
    const qreal top = at.y() + first.y();
    painter.save();
    if (format.intProperty(kMarkerStyle) == QTextListFormat::ListDisc) {
        const qreal size = metrics.lineSpacing() / 3;
        const QColor ink = painter.pen().color();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(
            QRectF(right - size, top + metrics.height() / 2 - size / 2, size, size));
    } else {
        const QString text =
            (format.hasProperty(QTextFormat::ListNumberPrefix) ? format.numberPrefix()
                                                               : QString()) +
            QString::number(list->itemNumber(block) + 1) +
            (format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                               : QStringLiteral("."));
        QTextLayout marker(text, font, device);
        marker.beginLayout();
        const QTextLine line = marker.createLine();
        marker.endLayout();
        marker.draw(&painter,
                    QPointF(right - line.naturalTextWidth(), top + first.ascent() - line.ascent()));
    }
    painter.restore();
}

bool onBand(const QRectF &band, qreal top)
{
    return top >= band.top() - kEdge && top < band.bottom() - kEdge;
}

// Draws the lines whose tops lie in a band across a page. QTextLayout draws a paragraph's lines
// from the one before the first that the clip takes: where the band begins inside a paragraph,
// that is a line above the band, which on a page's first band stands above the page's margin.
// Such a paragraph is drawn here by its own lines, from the first in the band, and the document's
// layout passes over it.
void drawBand(const QTextDocument &doc, QPainter &painter, const QRectF &band)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    std::vector<std::pair<QTextBlock, QPointF>> continued; // and where each is laid out
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QRectF placed = layout->blockBoundingRect(block);
        const QTextLayout *lines = block.layout();
        if (!block.isVisible() || lines->lineCount() < 2)
            continue;
        const qreal first = placed.top() + lines->lineAt(0).y();
        const qreal last = placed.top() + lines->lineAt(lines->lineCount() - 1).y();
        if (first < band.top() - kEdge && last >= band.top() - kEdge)
            continued.emplace_back(block, placed.topLeft());
    }
    // Drawn first, as they come first in the band: the page's text keeps the order it is read in.
    for (const auto &[block, at] : continued) {
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i)
            if (onBand(band, at.y() + lines->lineAt(i).y()))
                lines->lineAt(i).draw(&painter, at);
    }
    for (auto &[block, at] : continued)
        block.setVisible(false);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = band.adjusted(0, kEdge, 0, -kEdge);
    layout->draw(&painter, context);
    for (auto &[block, at] : continued)
        block.setVisible(true);
}

} // namespace

// A line belongs to the page that holds its top. The page is drawn in bands, each ending where a
// list item begins, whose number or bullet is drawn after the band and before the item's text.
void drawPage(const QTextDocument &doc, QPainter &painter, const QRectF &sheet)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    std::vector<std::pair<qreal, QTextBlock>> items; // the top of each item's first line
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextList *list = block.textList();
        if (!block.isVisible() || !list || !list->format().hasProperty(kMarkerStyle) ||
            block.layout()->lineCount() == 0)
            continue;
        const qreal top = layout->blockBoundingRect(block).top() + block.layout()->lineAt(0).y();
        if (onBand(sheet, top))
            items.emplace_back(top, block);
    }
    std::sort(items.begin(), items.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    qreal from = sheet.top();
    for (const auto &[top, block] : items) {
        if (top > from)
            drawBand(doc, painter, QRectF(sheet.left(), from, sheet.width(), top - from));
        drawMarker(doc, painter, block, layout->blockBoundingRect(block).topLeft());
        from = std::max(from, top);
    }
    drawBand(doc, painter, QRectF(sheet.left(), from, sheet.width(), sheet.bottom() - from));
}

} // namespace pages
