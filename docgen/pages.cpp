// What each page of a laid-out document draws: its lines in bands, its lists' numbers and bullets.
#include "pages.h"
#include "page_breaks.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>

#include <algorithm>
#include <vector>

namespace pages {

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
