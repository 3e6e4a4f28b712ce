// The page rules of HTML documents: what stays with what follows it, and no line alone on a page.
#include "page_breaks.h"
#include "pages.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>

#include <vector>

namespace pages {
namespace {

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

} // namespace

void breakHtml(QTextDocument &doc)
{
    // Each move only pushes what follows it down the pages; a few hundred are more than any
    // document here needs.
    for (int move = 0; move < 500; ++move)
        if (!HtmlPages(doc).mendOne())
            return;
}

} // namespace pages
