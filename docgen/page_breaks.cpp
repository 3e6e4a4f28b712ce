// Which page a line lies on, and the moves the page rules make to push text to the next page.
#include "page_breaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace pages {

int pageAt(const QTextDocument &doc, qreal y)
{
    return int(std::floor((y + kEdge) / doc.pageSize().height()));
}

qreal lineTop(const QTextDocument &doc, const QTextBlock &block, int line)
{
    return doc.documentLayout()->blockBoundingRect(block).top() + block.layout()->lineAt(line).y();
}

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

} // namespace pages
