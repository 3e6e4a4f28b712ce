// docgen lays out one reference document of the bench as an A4 PDF with real, searchable text.
//
//   docgen <source.html> <output.pdf> [title]
//
// The source is HTML of the kind QTextDocument understands. Its pages break where pages.h's rules
// put them, and where it asks for a break ("page-break-before: always"). A source ending in ".txt"
// is plain text, laid out as it stands.
// The title (the PDF's title metadata) is the third argument or, without it, the <title> of the
// source. "@NAME@" in a source stands for a value read from the bench, and an image is one of the
// drawings of figures.h or a picture of the bench itself (bench_facts.h). A source that names an
// unknown value or image fails, and leaves no PDF.
#include "bench_facts.h"
#include "figures.h"
#include "pages.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>

namespace {

constexpr double kMarginMm = 20.0;      // on every side of the page
constexpr double kFooterOffsetMm = 9.0; // from the bottom of the text to the footer's baseline
constexpr double kLayoutDpi = 96.0;     // the unit of lengths inside a QTextDocument
constexpr int kFigureDpi = 300;
constexpr int kPdfResolution = 1200;

// The typography of every document: one place, so that all of them look alike.
const char kStyleSheet[] = R"(
body { font-family: "Liberation Serif"; font-size: 11pt; }
p { margin-top: 0px; margin-bottom: 3px; text-indent: 26px; text-align: justify; line-height: 112%; }
li { margin-bottom: 3px; text-align: justify; line-height: 112%; }
h1 { font-family: "Liberation Sans"; font-size: 17pt; font-weight: bold; text-align: center;
     margin-top: 0px; margin-bottom: 4px; }
h2 { font-family: "Liberation Sans"; font-size: 12.5pt; font-weight: bold;
     margin-top: 16px; margin-bottom: 6px; }
h3 { font-family: "Liberation Sans"; font-size: 11pt; font-weight: bold;
     margin-top: 10px; margin-bottom: 4px; }
p.subtitle { text-align: center; text-indent: 0px; font-style: italic; margin-bottom: 22px; }
p.figure { text-align: center; text-indent: 0px; margin-top: 8px; margin-bottom: 2px;
           line-height: 100%; }
p.caption { text-align: center; text-indent: 0px; font-size: 10pt; margin-bottom: 12px; }
p.cont { text-indent: 0px; }
ul, ol { margin-top: 0px; margin-bottom: 6px; }
table { margin-top: 2px; margin-bottom: 6px; }
table.grid { margin-top: 4px; margin-bottom: 10px; border-collapse: collapse;
             border-width: 1px; border-style: solid; border-color: #505050; }
table.grid th, table.grid td { border-width: 1px; border-style: solid; border-color: #505050; }
th { font-family: "Liberation Sans"; font-size: 9.5pt; font-weight: bold; background-color: #ececec; }
table.grid td { font-size: 10pt; }
table.numbers td { text-align: center; }
p.plain { font-family: "Liberation Mono"; font-size: 9.5pt; white-space: pre; text-indent: 0px;
          text-align: left; margin-bottom: 0px; line-height: 100%; }
)";

void fail(const QString &message)
{
    std::fprintf(stderr, "docgen: %s\n", qPrintable(message));
}

// The source with every "@NAME@" replaced by the bench's value; an unknown name is an error.
bool fillIn(QString &html)
{
    const QHash<QString, QString> values = benchfacts::values(html);
    const QRegularExpression token(QStringLiteral("@([A-Z_]+)@"));
    QString out;
    qsizetype from = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const auto value = values.constFind(match.captured(1));
        if (value == values.constEnd()) {
            fail(QStringLiteral("no value for %1").arg(match.captured(0)));
            return false;
        }
        out += html.mid(from, match.capturedStart() - from) + *value;
        from = match.capturedEnd();
    }
    html = out + html.mid(from);
    return true;
}

// A plain-text document as it stands, one paragraph of the layout per line, in a fixed-width font
// so that its tables and drawings keep their columns; its first line is its title.
QString fromPlainText(const QString &text)
{
    QString body;
    for (const QString &line : text.split(QLatin1Char('\n')))
        body += QStringLiteral("<p class=\"plain\">%1</p>\n")
                    .arg(line.isEmpty() ? QStringLiteral(" ") : line.toHtmlEscaped());
    const QString title = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    return QStringLiteral("<html><head><title>%1</title></head><body>\n%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

// Every image the source names, drawn at print resolution and no wider than nine tenths of the
// text: a picture of the bench across the whole width would take most of a page.
bool addImages(QTextDocument &doc, const QString &html, qreal textWidth)
{
    const qreal widest = 0.9 * textWidth;
    using Drawing = QImage (*)(int dpi);
    const std::pair<const char *, Drawing> drawings[] = {
        {"bridge-schematic", figures::bridgeSchematic},
        {"slide-wire-sketch", figures::slideWireSketch}};
    const QRegularExpression img(QStringLiteral("<img src=\"([^\"]*)\""));
    for (auto it = img.globalMatch(html); it.hasNext();) {
        const QString name = it.next().captured(1);
        QImage image = benchfacts::picture(name);
        for (const auto &[drawingName, draw] : drawings)
            if (name == QLatin1String(drawingName))
                image = draw(kFigureDpi);
        if (image.isNull()) {
            fail(QStringLiteral("unknown image \"%1\"").arg(name));
            return false;
        }
        if (image.width() / image.devicePixelRatio() > widest)
            image.setDevicePixelRatio(image.width() / widest);
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    return true;
}

// Where each image stands in the laid-out document: it sits on the baseline of its line.
QList<QPair<QString, QRectF>> placedImages(const QTextDocument &doc)
{
    QList<QPair<QString, QRectF>> placed;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            const QString name = fragment.charFormat().toImageFormat().name();
            const QImage image =
                doc.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
            const QSizeF size = image.size() / image.devicePixelRatio();
            const int at = fragment.position() - block.position();
            const QTextLine line = block.layout()->lineForTextPosition(at);
            const QPointF origin = doc.documentLayout()->blockBoundingRect(block).topLeft();
            placed.append({name, QRectF(origin + QPointF(line.cursorToX(at),
                                                         line.y() + line.ascent() - size.height()),
                                        size)});
        }
    }
    return placed;
}

void drawFooter(QPainter &painter, const QRectF &page, const QString &title, int number, int count)
{
    const double mm = kPdfResolution / 25.4;
    const double top = page.bottom() + (kFooterOffsetMm - 4.0) * mm;
    const double baseline = page.bottom() + kFooterOffsetMm * mm;

    painter.save();
    QPen rule(QColor(0x80, 0x80, 0x80));
    rule.setWidthF(0.2 * mm);
    painter.setPen(rule);
    painter.drawLine(QPointF(page.left(), top), QPointF(page.right(), top));

    QFont font(QStringLiteral("Liberation Serif"), 9);
    const QString pageText = QStringLiteral("Страница %1 из %2").arg(number).arg(count);
    const QFontMetricsF metrics(font, painter.device());
    const double pageTextWidth = metrics.horizontalAdvance(pageText);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setFont(font);
    painter.drawText(QPointF(page.right() - pageTextWidth, baseline), pageText);
    font.setItalic(true);
    painter.setFont(font);
    painter.drawText(
        QPointF(page.left(), baseline),
        QFontMetricsF(font, painter.device())
            .elidedText(title, Qt::ElideRight, page.width() - pageTextWidth - 10 * mm));
    painter.restore();
}

int render(const QString &sourcePath, const QString &outputPath, QString title)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(sourcePath, source.errorString()));
        return 1;
    }
    QString html = QString::fromUtf8(source.readAll());
    if (sourcePath.endsWith(QLatin1String(".txt")))
        html = fromPlainText(html);
    if (!fillIn(html))
        return 1;

    QPdfWriter writer(outputPath);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setCreator(QStringLiteral("docgen, Моделирование моста Корвела"));
    const double margin = kMarginMm / 25.4 * kPdfResolution;
    const QRectF body(margin, margin, writer.width() - 2 * margin, writer.height() - 2 * margin);
    const double scale = kPdfResolution / kLayoutDpi;

    // Laid out at 96 dpi, the unit of the style sheet, and printed scaled.
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 11));
    doc.setDefaultStyleSheet(QString::fromUtf8(kStyleSheet));
    doc.setDocumentMargin(0);
    doc.setPageSize(body.size() / scale);
    if (!addImages(doc, html, doc.pageSize().width()))
        return 1;
    doc.setHtml(html);
    pages::ownListMarkers(doc);
    if (sourcePath.endsWith(QLatin1String(".txt")))
        pages::breakPlainText(doc);
    else
        pages::breakHtml(doc);

    if (title.isEmpty())
        title = doc.metaInformation(QTextDocument::DocumentTitle).simplified();
    if (title.isEmpty()) {
        fail(QStringLiteral("%1 has no <title> and no title was given").arg(sourcePath));
        return 1;
    }
    writer.setTitle(title);

    QPainter painter;
    if (!painter.begin(&writer)) {
        fail(QStringLiteral("cannot write %1").arg(outputPath));
        return 1;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const int pages = doc.pageCount();
    const QSizeF page = doc.pageSize();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(body.topLeft());
        painter.scale(scale, scale);
        painter.translate(0, -i * page.height());
        const QRectF sheet(QPointF(0, i * page.height()), page);
        painter.setClipRect(sheet);
        pages::drawPage(doc, painter, sheet);
        for (const auto &[name, rect] : placedImages(doc))
            if (rect.intersects(sheet))
                benchfacts::drawCallouts(painter, name, rect);
        painter.restore();
        drawFooter(painter, body, title, i + 1, pages);
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
    // The bench is built offscreen, drawn for print, with the Russian decimal comma.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(benchfacts::kPrintRatio));
    qInstallMessageHandler(printMessage);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

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
