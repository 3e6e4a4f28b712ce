// docgen lays out one reference document of the bench as an A4 PDF with real, searchable text.
//
//   docgen <source.html> <output.pdf> [title]
//
// The source is HTML of the kind QTextDocument understands. The title (the PDF's title metadata)
// is the third argument or, without it, the <title> of the source. Images named in the source are
// the drawings of figures.h, painted at print resolution.
#include "figures.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <cstdio>
#include <utility>

namespace {

constexpr double kMarginMm = 20.0;      // on every side of the page
constexpr double kFooterOffsetMm = 9.0; // from the bottom of the text to the footer's baseline
constexpr int kFigureDpi = 300;
constexpr int kPdfResolution = 1200;

// The typography of every document: one place, so that all of them look alike.
const char kStyleSheet[] = R"(
body { font-family: "Liberation Serif"; font-size: 11pt; }
p { margin-top: 0px; margin-bottom: 3px; }
h1 { font-family: "Liberation Sans"; font-size: 17pt; font-weight: bold; text-align: center;
     margin-top: 0px; margin-bottom: 4px; }
h2 { font-family: "Liberation Sans"; font-size: 12.5pt; font-weight: bold; text-align: left;
     margin-top: 16px; margin-bottom: 6px; }
h3 { font-family: "Liberation Sans"; font-size: 11pt; font-weight: bold; text-align: left;
     margin-top: 10px; margin-bottom: 4px; }
p.subtitle { text-align: center; font-style: italic; margin-bottom: 22px; }
p.figure { text-align: center; margin-top: 8px; margin-bottom: 2px; }
p.caption { text-align: center; font-size: 10pt; margin-bottom: 12px; }
p.cont { text-indent: 0px; }
li { margin-bottom: 3px; }
ul, ol { margin-top: 0px; margin-bottom: 6px; }
table { margin-top: 2px; margin-bottom: 6px; }
table.grid { margin-top: 4px; margin-bottom: 10px; border-collapse: collapse;
             border-width: 1px; border-style: solid; border-color: #505050; }
table.grid th, table.grid td { border-width: 1px; border-style: solid; border-color: #505050; }
th { font-family: "Liberation Sans"; font-size: 9.5pt; font-weight: bold; background-color: #ececec; }
table.grid td { font-size: 10pt; }
table.numbers td { text-align: center; }
)";

bool isInTable(const QTextBlock &block)
{
    return QTextCursor(block).currentTable() != nullptr;
}

bool holdsImage(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            return true;
    }
    return false;
}

// What the style sheet cannot say: running text is justified, its paragraphs start with an indent,
// and its lines are a little apart. A block with an alignment of its own (a title, a caption,
// <p align="left">) is left as written, and so is the indent of <p class="cont">, which goes on
// with the paragraph that a formula interrupted.
void setRunningText(QTextDocument &doc, const QPaintDevice &device)
{
    const double indent = 7.0 / 25.4 * device.logicalDpiX();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const bool inTable = QTextCursor(block).currentTable() != nullptr;
        if (!holdsImage(block))
            format.setLineHeight(inTable ? 0.8 : 2.5, QTextBlockFormat::LineDistanceHeight);
        if (!inTable && format.headingLevel() == 0 &&
            !format.hasProperty(QTextFormat::BlockAlignment)) {
            format.setAlignment(Qt::AlignJustify);
            if (!block.textList() && !format.hasProperty(QTextFormat::TextIndent))
                format.setTextIndent(indent);
        }
        QTextCursor(block).setBlockFormat(format);
    }
}

// At print resolution QTextDocument sets a list bullet only a hair's breadth before its text.
// Bulleted items become paragraphs with a hanging indent instead: the bullet, a tab, the text, the
// text where a numbered item's text starts.
void setBullets(QTextDocument &doc, const QPaintDevice &device)
{
    const qreal textStart = doc.indentWidth() / 96.0 * device.logicalDpiX();
    const qreal hang = 3.5 / 25.4 * device.logicalDpiX();
    QList<QTextBlock> items;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextList *list = block.textList();
        if (list && (list->format().style() == QTextListFormat::ListDisc ||
                     list->format().style() == QTextListFormat::ListCircle ||
                     list->format().style() == QTextListFormat::ListSquare))
            items.append(block);
    }
    for (QTextBlock &item : items) {
        item.textList()->remove(item);
        QTextBlockFormat format = item.blockFormat();
        format.setIndent(0);
        format.setLeftMargin(textStart);
        format.setTextIndent(-hang);
        // Tab positions count from the start of the first line, in the layout's 96-dpi units.
        format.setTabPositions(
            {QTextOption::Tab(hang / device.logicalDpiX() * 96.0, QTextOption::LeftTab)});
        QTextCursor cursor(item);
        cursor.setBlockFormat(format);
        cursor.insertText(QStringLiteral("•\t"), item.charFormat());
    }
}

void fail(const QString &message)
{
    std::fprintf(stderr, "docgen: %s\n", qPrintable(message));
}

double mmToDevice(double mm, const QPaintDevice &device)
{
    return mm / 25.4 * device.logicalDpiY();
}

// A line of a block, in document coordinates (a block in a table cell included).
QRectF lineRect(const QTextDocument &doc, const QTextBlock &block, int index)
{
    const QTextLayout *layout = block.layout();
    if (!layout || index < 0 || index >= layout->lineCount())
        return QRectF();
    return layout->lineAt(index).rect().translated(
        doc.documentLayout()->blockBoundingRect(block).topLeft());
}

// A formula is set as a borderless table: the formula centred, its number at the right.
bool isFormula(const QTextBlock &block)
{
    const QTextTable *table = QTextCursor(block).currentTable();
    return table && table->format().border() == 0;
}

// Blocks that must stand on the same page as the start of what follows them.
bool keepsWithNext(const QTextBlock &block)
{
    return block.blockFormat().headingLevel() > 0 || holdsImage(block) ||
           block.text().trimmed().endsWith(QLatin1Char(':')) || isFormula(block.next());
}

// A table's header row is repeated on the next page whenever the table's frame reaches over the
// page end, even by its bottom margin alone, and then it is drawn over the text that starts that
// page. The tables of these documents are short and kept on one page (see keepTableTogether), so
// their headers are not repeated.
void dontRepeatTableHeaders(QTextDocument &doc)
{
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setHeaderRowCount(0);
            table->setFormat(format);
        }
    }
}

// QTextDocument puts an empty paragraph after every table, a blank line of the body text's height.
// The paragraph that follows in the source takes its place instead.
void dropBlankLinesAfterTables(QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!block.text().isEmpty() || isInTable(block) || !block.previous().isValid() ||
            !isInTable(block.previous()) || !next.isValid() || isInTable(next))
            continue;
        QTextCursor cursor(block);
        cursor.setBlockFormat(next.blockFormat());
        cursor.setBlockCharFormat(next.charFormat());
        cursor.deleteChar(); // the paragraph break: the next paragraph moves up into this one
    }
}

// Lays the whole document out anew. After a change of a block's format the layout is redone only
// from that block on and, when tables follow, leaves some later blocks without lines at all.
void relayout(QTextDocument &doc)
{
    doc.markContentsDirty(0, doc.characterCount());
    doc.documentLayout()->documentSize();
}

// The page on which a line that starts (or ends) at y lies. The layout places a line that it moved
// to a new page at the page's top as rounded to its fixed-point unit, a hair above the exact edge.
int pageOfTop(const QTextDocument &doc, qreal top)
{
    return int((top + 1.0) / doc.pageSize().height());
}

int pageOfBottom(const QTextDocument &doc, qreal bottom)
{
    return int((bottom - 1.0) / doc.pageSize().height());
}

// The block and those before it that keep with what follows them: they go to a new page together.
QTextBlock startOfKeptGroup(QTextBlock block)
{
    for (QTextBlock previous = block.previous();
         previous.isValid() && !isInTable(previous) && keepsWithNext(previous);
         previous = previous.previous())
        block = previous;
    return block;
}

// Starts a new page with the block (and what keeps with it), or with the table that the block
// opens. False when that would not help: the group starts a page already, or was moved once.
bool moveToNextPage(QTextDocument &doc, const QTextBlock &block, QTextTable *table = nullptr)
{
    const QTextBlock start = startOfKeptGroup(block);
    if (start.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return false;
    if (start == block && table &&
        (table->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
        return false;
    const qreal pageHeight = doc.pageSize().height();
    const qreal top = lineRect(doc, start, 0).top();
    if (top - pageOfTop(doc, top) * pageHeight < pageHeight * 0.03)
        return false;
    if (start == block && table) {
        QTextTableFormat format = table->format();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
    } else {
        QTextBlockFormat format = start.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(start).setBlockFormat(format);
    }
    relayout(doc);
    return true;
}

bool hasLines(const QTextBlock &block)
{
    return block.isValid() && block.layout() && block.layout()->lineCount() > 0;
}

// A table shorter than a page is not split: if it does not fit where it is, it starts the next
// page.
bool keepTableTogether(QTextDocument &doc, QTextTable *table)
{
    if (!table)
        return false;
    const QTextBlock first = table->firstCursorPosition().block();
    const QTextBlock last = table->lastCursorPosition().block();
    if (!hasLines(first) || !hasLines(last))
        return false;
    const qreal top = lineRect(doc, first, 0).top();
    const qreal bottom = lineRect(doc, last, last.layout()->lineCount() - 1).bottom();
    if (pageOfBottom(doc, bottom) == pageOfTop(doc, top) ||
        bottom - top > 0.8 * doc.pageSize().height())
        return false;
    return moveToNextPage(doc, first, table);
}

// Nothing is left alone at the foot of a page: a heading goes with the first line of what it heads,
// a figure with its caption, a paragraph that ends with a colon or leads into a formula with what
// follows. A paragraph is not split so that its first or (when it is short) its last line stands
// alone on a page, nor is a short table. What breaks a rule is moved to the next page, one at a
// time, until none does.
void paginate(QTextDocument &doc)
{
    relayout(doc);
    for (int pass = 0; pass < 500; ++pass) {
        bool moved = false;
        for (QTextBlock block = doc.begin(); block.isValid() && !moved; block = block.next()) {
            if (isInTable(block) || !hasLines(block))
                continue;
            const int lines = block.layout()->lineCount();
            const auto pageOfLine = [&](int line) {
                return pageOfTop(doc, lineRect(doc, block, line).top());
            };
            const int lastPage = pageOfLine(lines - 1);
            const bool orphan = lines >= 2 && pageOfLine(1) > pageOfLine(0);
            const bool widow = lines >= 2 && lines <= 6 && lastPage > pageOfLine(lines - 2);
            const QTextBlock next = block.next();
            const bool parted = keepsWithNext(block) && hasLines(next) &&
                                pageOfBottom(doc, lineRect(doc, next, 0).bottom()) > lastPage;
            if (orphan || widow || parted)
                moved = moveToNextPage(doc, block);
        }
        for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
            if (moved)
                break;
            moved = keepTableTogether(doc, qobject_cast<QTextTable *>(frame));
        }
        if (!moved)
            return;
    }
}

// A block with text but without lines would silently be missing from the PDF.
bool everyBlockLaidOut(const QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!block.text().isEmpty() && (!block.layout() || block.layout()->lineCount() == 0))
            return false;
    }
    return true;
}

// Every image the source names must be one of the drawings: a missing picture is an error, not a
// blank.
bool checkImages(const QTextDocument &doc)
{
    bool ok = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (!doc.resource(QTextDocument::ImageResource, QUrl(name)).isValid()) {
                fail(QStringLiteral("unknown image \"%1\"").arg(name));
                ok = false;
            }
        }
    }
    return ok;
}

void drawFooter(QPainter &painter, const QRectF &page, const QString &title, int number, int count)
{
    const QPaintDevice &device = *painter.device();
    const double top = page.bottom() + mmToDevice(kFooterOffsetMm - 4.0, device);
    const double baseline = page.bottom() + mmToDevice(kFooterOffsetMm, device);

    painter.save();
    QPen rule(QColor(0x80, 0x80, 0x80));
    rule.setWidthF(mmToDevice(0.2, device));
    painter.setPen(rule);
    painter.drawLine(QPointF(page.left(), top), QPointF(page.right(), top));

    QFont font(QStringLiteral("Liberation Serif"), 9);
    const QString pageText = QStringLiteral("Страница %1 из %2").arg(number).arg(count);
    const double pageTextWidth = QFontMetricsF(font, &device).horizontalAdvance(pageText);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setFont(font);
    painter.drawText(QPointF(page.right() - pageTextWidth, baseline), pageText);

    font.setItalic(true);
    painter.setFont(font);
    const QString shownTitle =
        QFontMetricsF(font, &device)
            .elidedText(title, Qt::ElideRight,
                        page.width() - pageTextWidth - mmToDevice(10.0, device));
    painter.drawText(QPointF(page.left(), baseline), shownTitle);
    painter.restore();
}

int render(const QString &sourcePath, const QString &outputPath, QString title)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(sourcePath, source.errorString()));
        return 1;
    }
    const QString html = QString::fromUtf8(source.readAll());

    QPdfWriter writer(outputPath);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setCreator(QStringLiteral("docgen, Моделирование моста Корвела"));

    QTextDocument doc;
    using Drawing = QImage (*)(int dpi);
    for (const auto &[name, draw] :
         {std::pair<const char *, Drawing>{"bridge-schematic", figures::bridgeSchematic},
          {"galvanometer-scale", figures::galvanometerScale},
          {"slide-wire-sketch", figures::slideWireSketch}}) {
        if (html.contains(QLatin1String(name))) // paint only what the source shows
            doc.addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name)),
                            draw(kFigureDpi));
    }
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 11));
    doc.setDefaultStyleSheet(QString::fromUtf8(kStyleSheet));
    doc.setDocumentMargin(0);
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setHtml(html);
    if (!checkImages(doc))
        return 1;
    dropBlankLinesAfterTables(doc);
    dontRepeatTableHeaders(doc);
    setBullets(doc, writer);
    setRunningText(doc, writer);

    if (title.isEmpty())
        title = doc.metaInformation(QTextDocument::DocumentTitle).simplified();
    if (title.isEmpty()) {
        fail(QStringLiteral("%1 has no <title> and no title was given").arg(sourcePath));
        return 1;
    }
    writer.setTitle(title);

    const double margin = mmToDevice(kMarginMm, writer);
    const QRectF body(margin, margin, writer.width() - 2 * margin, writer.height() - 2 * margin);
    doc.setPageSize(body.size());
    paginate(doc);
    if (!everyBlockLaidOut(doc)) {
        fail(QStringLiteral("%1: some text was left out of the layout").arg(sourcePath));
        return 1;
    }

    QPainter painter;
    if (!painter.begin(&writer)) {
        fail(QStringLiteral("cannot write %1").arg(outputPath));
        return 1;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::LosslessImageRendering);

    const int pages = doc.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.setClipRect(body);
        painter.translate(body.left(), body.top() - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        drawFooter(painter, body, title, page + 1, pages);
    }
    if (!painter.end()) {
        fail(QStringLiteral("cannot finish %1").arg(outputPath));
        return 1;
    }
    return 0;
}

// Qt's own remarks go to stderr as usual, except the one about a missing XDG_RUNTIME_DIR, which a
// build machine without a login session always has and which says nothing about the documents.
void printMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg &&
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(printMessage);
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: docgen <source.html> <output.pdf> [title]\n");
        return 2;
    }
    const int status = render(args.at(1), args.at(2), args.size() == 4 ? args.at(3) : QString());
    if (status != 0)
        QFile::remove(args.at(2)); // no half-written document for the build to take as done
    return status;
}
