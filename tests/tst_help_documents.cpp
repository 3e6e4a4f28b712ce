// The reference documents as they land beside the program: PDFs laid out by docgen, with their
// titles, real extractable text and crisp figures, and the plain-text laboratory instruction.
// The PDFs are read back with the poppler tools (pdfinfo, pdftotext, pdfimages) and held against a
// fresh bench: its pictures, its keyboard, its model's numbers, and the instruction followed on it.
#include "bench_fixture.h"
#include "docgen/bench_facts.h"
#include "model/balancing.h"
#include "model/bridge.h"
#include "model/number_format.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

const QString kHelpDir = QStringLiteral(HELP_DOCUMENTS_DIR);
const QString kDocgen = QStringLiteral(DOCGEN_PATH);

/** A source and an output for docgen in a folder of their own, deleted with it. */
struct DocgenScratch
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.html"));
    const QString output = dir.filePath(QStringLiteral("output.pdf"));

    /** Writes the source; false when it cannot. */
    bool write(const QString &html) const
    {
        QFile file(source);
        return dir.isValid() && file.open(QIODevice::WriteOnly) &&
               file.write(html.toUtf8()) == html.toUtf8().size();
    }
};

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QString out;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    result.finished =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    return result;
}

// Text extracted from a PDF breaks lines and spaces where the layout did; compare without them.
QString withoutSpaces(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (!c.isSpace())
            out.append(c);
    }
    return out;
}

QString pdfInfoField(const QString &info, const QString &field)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

QString readText(const QString &path, bool *validUtf8)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    *validUtf8 = !decoder.hasError();
    return text;
}

// The text of a built document, in drawing order, with the typeset minus read as "-".
QString documentText(const QString &file)
{
    const Run text = run(QStringLiteral("pdftotext"),
                         {QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                          QDir(kHelpDir).filePath(file), QStringLiteral("-")});
    return text.finished && text.exitCode == 0 ? QString(text.out).replace(QChar(0x2212), '-')
                                               : QString();
}

// The same without the page footers, which break the text where a page ends.
QString bodyText(const QString &file)
{
    QString body;
    for (const QString &page : documentText(file).split(QChar(u'\f')))
        body += page.left(page.lastIndexOf(QStringLiteral("Страница ")));
    return body;
}

double number(const QString &text)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

QString pattern(double value, const char *form)
{
    return QString::fromStdString(formatPattern(value, form, ","));
}

// The galvanometer readout the model gives for an unknown (the start-up one unless told), the arms
// of a slider position, the box and the source circuit; the arms and the box in the bench's own
// precision.
BridgeResult modelled(int position, double box, double Reo, double r, double Edc, double Rx = 1963)
{
    const double R_L = position * 0.005 * 5;
    const float R_R = static_cast<float>(5 - R_L);
    return solveBridge({Rx, static_cast<float>(box), R_R, R_L, 2.3f, Reo, r, Edc, 1, 1});
}

// Whether a box setting is the balance: the true current grows one step of 0.1 Ω either way.
bool isBalance(int position, double box, double Reo, double Rx)
{
    const double at = std::fabs(modelled(position, box, Reo, 0, 12, Rx).Ig);
    return std::fabs(modelled(position, box - 0.1, Reo, 0, 12, Rx).Ig) > at &&
           std::fabs(modelled(position, box + 0.1, Reo, 0, 12, Rx).Ig) > at;
}

// The keyboard's stops, in order, as the bench defines them.
const std::vector<FocusStop> &focusChain(BenchWindow &form)
{
    return benchOf(form)->keyboard().focusChain();
}

QString stopName(const FocusStop &stop)
{
    return benchfacts::stopName(stop.item ? stop.item->accessibleName()
                                          : stop.widget->accessibleName());
}

// The pictures of a document, extracted as PNG files in page order.
QList<QImage> documentImages(const QString &file, const QTemporaryDir &dir)
{
    run(QStringLiteral("pdfimages"),
        {QStringLiteral("-png"), QDir(kHelpDir).filePath(file), dir.filePath(QStringLiteral("i"))});
    QList<QImage> images;
    QStringList names = QDir(dir.path()).entryList({QStringLiteral("i-*.png")}, QDir::Files);
    names.sort();
    for (const QString &name : names)
        images << QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB888);
    return images;
}

// ---- The instruction, followed literally on the bench ----

/** One row of a results table, as a student writes it down. */
struct Row
{
    int position;
    double R_L, R_R, R_m, Rx, threshold, dRx, dResolution;
    QString Ri;
    double Reo; // the rheostat at the balance
    Balancing balancing;
};

// The balancing of points 9–12 as the student does it: one click on an arrow per step.
class Student : public BalancingBench
{
  public:
    Student(BenchWindow &form) : f(form) {}

    // Points 2–4: the sensitive source, the rheostat maximum at its top, the key closed.
    void prepare()
    {
        while (control<ScrollBar>(f, "HScroll3")->benchValue() < 12)
            clickBar(control<ScrollBar>(f, "HScroll3"), QStyle::SC_ScrollBarAddLine);
        while (control<ScrollBar>(f, "HScroll4")->benchValue() > 0)
            clickBar(control<ScrollBar>(f, "HScroll4"), QStyle::SC_ScrollBarSubLine);
        control<ScrollBar>(f, "VScroll7")
            ->setBenchValue(
                control<ScrollBar>(f, "VScroll7")->startValue()); // the thumb up to its stop
        clickItem(f, control<BenchLabel>(f, "Lblvkl"));
    }

    // Points 5–16 at one slider position.
    Row measure(int percent)
    {
        control<ScrollBar>(f, "HScroll2")
            ->setBenchValue(control<ScrollBar>(f, "HScroll2")
                                ->endValue()); // 5: the rheostat's thumb to the right
        for (ScrollBar *bar : decades())       // 6: every decade's thumb to the top
            bar->setBenchValue(bar->startValue());
        control<ScrollBar>(f, "HScroll1")->setBenchValue(percent * 2); // 7: read on the slider
        if (stateOf(f).istochnik == 0)                                 // 8
            clickItem(f, control<SourcePicture>(f, "Image1"));
        Row row;
        row.balancing = balance(*this); // 9–12
        row.position = percent;
        row.Reo = stateOf(f).Reo; // 10: at 0, whatever the coarse pass read
        row.threshold = row.balancing.threshold;
        row.R_m = number(control<ReadoutBox>(f, "Picture1")->text()); // 13
        clickItem(f, control<BenchImage>(f, "Image3"));               // 14
        row.R_L =
            number(control<BenchLabel>(f, "Lbl_R_L")->caption().section('=', 1).section(' ', 0, 0));
        row.R_R =
            number(control<BenchLabel>(f, "Lbl_R_R")->caption().section('=', 1).section(' ', 0, 0));
        row.Rx = row.R_m * row.R_L / row.R_R;           // 15
        clickItem(f, control<BenchImage>(f, "Image5")); // 16
        row.Ri = control<BenchLabel>(f, "Lbl_Ri")->caption();
        // Section 6, point 4, and the resolution of point 8.
        const double resolution = std::hypot(0.05, row.threshold);
        row.dRx = std::hypot(0.002 * row.R_m, resolution) * row.R_L / row.R_R;
        row.dResolution = resolution * row.R_L / row.R_R;
        return row;
    }

    std::string readout() const override
    {
        return control<ReadoutBox>(f, "Picture2")->text().toStdString();
    }
    int digit(int k) const override { return decades()[size_t(k)]->benchValue(); }
    void turn(int k, int by) override
    {
        for (int i = 0; i < std::abs(by); ++i)
            clickBar(decades()[size_t(k)],
                     by > 0 ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    }
    void rheostatToZero() override
    {
        control<ScrollBar>(f, "HScroll2")->setBenchValue(0);
    } // 10: its thumb to the left

  private:
    std::vector<ScrollBar *> decades() const
    {
        return {control<ScrollBar>(f, "VScroll1"), control<ScrollBar>(f, "VScroll2"),
                control<ScrollBar>(f, "VScroll3"), control<ScrollBar>(f, "VScroll4"),
                control<ScrollBar>(f, "VScroll5"), control<ScrollBar>(f, "VScroll6")};
    }

    BenchWindow &f;
};

} // namespace

class tst_HelpDocuments : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void pdfDocument_data();
    void pdfDocument();
    void noLineOnTwoPages_data();
    void noLineOnTwoPages();
    void instructionIsUtf8WithResultsTable();
    void instructionTablesAreAligned();
    void docgenRefusesBrokenSources_data();
    void docgenRefusesBrokenSources();
    void docgenTitleArgumentWins();
    void docgenBreaksPagesByRule_data();
    void docgenBreaksPagesByRule();
    void workedExampleIsTheModels();
    void benchPicturesAreTheWindow_data();
    void benchPicturesAreTheWindow();
    void keyboardSectionIsTheFocusChain();
    void instructionMeasuresCorrectly_data();
    void instructionMeasuresCorrectly();
    void instructionRoundingExamples_data();
    void instructionRoundingExamples();
    void instructionRheostatIsSafe();
};

void tst_HelpDocuments::initTestCase()
{
    for (const char *tool : {"pdfinfo", "pdftotext", "pdfimages"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("%1 is missing: install poppler-utils").arg(QLatin1String(tool))));
    }
}

void tst_HelpDocuments::pdfDocument_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("phrases"); // quoted exactly as the bench or the theory has them
    QTest::addColumn<int>("figures");

    QTest::newRow("spravka1") << "spravka1.pdf"
                              << "Мост Корвела. Нулевой метод измерения сопротивления"
                              << QStringList{"Rx = Rм·Rл/Rп", "Правило контуров"} << 1;
    QTest::newRow("galvanometr")
        << "galvanometr.pdf"
        << "Гальванометр"
        << QStringList{"2,3 Ом", "2,5 мА = 0,0025 А", "±0,78 рад",
                       "«Такой ток сожжёт гальванометр! Измените сопротивление!»"}
        << 1;
    QTest::newRow("reochord") << "reochord.pdf"
                              << "Реохорд"
                              << QStringList{"201 положение", "0,5 % длины",
                                             "«Правое плечо реохорда равно 0! Думать надо!»"}
                              << 1;
    QTest::newRow("Korvel") << "Korvel.pdf"
                            << "Мостовой метод в измерительной практике"
                            << QStringList{"Термо-ЭДС", "Тензометрия"} << 0;
    QTest::newRow("uprav")
        << "uprav.pdf"
        << "Управление стендом"
        << QStringList{"«Такой ток сожжёт источник! Измените сопротивление!»",
                       "«Такой ток сожжёт гальванометр! Измените сопротивление!»",
                       "«Неизвестное сопротивление изменено! Удачной работы!»",
                       "«Чтобы поменять неизвестное сопротивление, сначала выключите источник!»",
                       "«Вы абсолютно уверены?»",
                       "1963 Ом",
                       "99 999,9 Ом",
                       "(например, 29.5)"}
        << 2;
    QTest::newRow("instruction") << "instruction.pdf"
                                 << "Лабораторная работа. Измерение сопротивления мостом Корвела"
                                 << QStringList{"δR = k Ом / n", "ΔRx = √( ΔRx_сл² + ΔRx_пр² )"}
                                 << 0;
}

void tst_HelpDocuments::pdfDocument()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QStringList, phrases);
    QFETCH(int, figures);

    // A whole PDF file, as the program's menu will find it.
    const QString path = QDir(kHelpDir).filePath(file);
    QFile pdf(path);
    QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY2(bytes.right(64).contains("%%EOF"), "the PDF ends before its trailer");

    // Its title metadata and A4 pages.
    const Run info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY(info.finished);
    QCOMPARE(info.exitCode, 0);
    QCOMPARE(pdfInfoField(info.out, QStringLiteral("Title")), title);
    QVERIFY2(pdfInfoField(info.out, QStringLiteral("Page size")).contains(QLatin1String("A4")),
             qPrintable(info.out));
    const int pages = pdfInfoField(info.out, QStringLiteral("Pages")).toInt();
    QVERIFY(pages >= 1);

    // Real text, not pictures of text: the title on the first page, the phrases, the page numbers.
    // Read in the order it was drawn (-raw), so that the lines of neighbouring table cells do not
    // interleave.
    const Run text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QVERIFY(text.finished);
    QCOMPARE(text.exitCode, 0);
    const QString all = withoutSpaces(text.out);
    const QString firstPage = withoutSpaces(text.out.section(QChar(u'\f'), 0, 0));
    QVERIFY2(firstPage.contains(withoutSpaces(title)), qPrintable(text.out.left(400)));
    for (const QString &phrase : phrases)
        QVERIFY2(all.contains(withoutSpaces(phrase)), qPrintable(phrase));
    QVERIFY2(all.contains(withoutSpaces(QStringLiteral("Страница %1 из %1").arg(pages))),
             "the last page's footer does not count the pages");

    // Figures are embedded once each and print at no less than 250 dpi.
    const Run images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    QVERIFY(images.finished);
    QCOMPARE(images.exitCode, 0);
    const QStringList rows = images.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    QCOMPARE(rows.size(), figures);
    for (const QString &row : rows) {
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        const QStringList columns = row.simplified().split(QLatin1Char(' '));
        QVERIFY2(columns.size() >= 14, qPrintable(row));
        QVERIFY2(columns.at(12).toInt() >= 250 && columns.at(13).toInt() >= 250, qPrintable(row));
    }
}

void tst_HelpDocuments::noLineOnTwoPages_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file : {"spravka1.pdf", "galvanometr.pdf", "reochord.pdf", "Korvel.pdf",
                             "uprav.pdf", "instruction.pdf"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

// Where a page ends inside a paragraph, the line before the break belongs to that page only: drawn
// again on the next one, above its margin and clipped away, it would still be found there by a
// search and copied with the text.
void tst_HelpDocuments::noLineOnTwoPages()
{
    QFETCH(QString, file);
    const QString text = documentText(file);
    QVERIFY(!text.isEmpty());
    QStringList pages = text.split(QChar(u'\f'));
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    QVERIFY(pages.size() > 1);
    QString lastLine;
    for (int i = 0; i < pages.size(); ++i) {
        // Each page's footer is drawn after its text: the body ends before it.
        const QString body = pages[i].left(pages[i].lastIndexOf(QStringLiteral("Страница ")));
        const QStringList lines = body.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(!lines.isEmpty(), qPrintable(QStringLiteral("page %1 is empty").arg(i + 1)));
        if (i > 0)
            QVERIFY2(lines.first().trimmed() != lastLine,
                     qPrintable(QStringLiteral("page %1 repeats \"%2\"").arg(i + 1).arg(lastLine)));
        lastLine = lines.last().trimmed();
    }
}

void tst_HelpDocuments::instructionIsUtf8WithResultsTable()
{
    bool validUtf8 = false;
    const QString text =
        readText(QDir(kHelpDir).filePath(QStringLiteral("instruction.txt")), &validUtf8);
    QVERIFY2(!text.isEmpty(), "instruction.txt is missing or empty");
    QVERIFY(validUtf8);
    QVERIFY(text.startsWith(
        QStringLiteral("Лабораторная работа. Измерение сопротивления мостом Корвела")));

    // The header of each results table, its lines joined cell by cell, however they are padded:
    // a column for every value the instruction asks to write down.
    const QStringList header{
        QStringLiteral("№"),        QStringLiteral("Ползун, %"), QStringLiteral("R_L, Ом"),
        QStringLiteral("R_R, Ом"),  QStringLiteral("R_m, Ом"),   QStringLiteral("δR, Ом"),
        QStringLiteral("Rx_i, Ом"), QStringLiteral("d_i, Ом"),   QStringLiteral("ΔRx_пр,i, Ом")};
    int headers = 0;
    QStringList cells;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('|'))) {
            const QStringList here = line.split(QLatin1Char('|')).mid(1);
            cells.resize(std::max(cells.size(), here.size() - 1));
            for (int i = 0; i + 1 < here.size(); ++i)
                cells[i] = (cells[i] + QLatin1Char(' ') + here[i]).simplified();
        } else {
            if (line.startsWith(QLatin1String("+=")) && cells == header)
                ++headers;
            cells.clear();
        }
    }
    QCOMPARE(headers, 2);

    // The instruction as a PDF is the same text; each page's footer is drawn after its text.
    QCOMPARE(withoutSpaces(bodyText(QStringLiteral("instruction.pdf"))),
             withoutSpaces(QString(text).replace(QChar(0x2212), '-')));
}

// Cyrillic letters are two bytes each: a table padded by bytes instead of characters falls apart
// on screen. Every cell border must stand under a corner of the ruling lines.
void tst_HelpDocuments::instructionTablesAreAligned()
{
    bool validUtf8 = false;
    const QString text =
        readText(QDir(kHelpDir).filePath(QStringLiteral("instruction.txt")), &validUtf8);
    QVERIFY(!text.isEmpty());

    int tables = 0;
    QList<int> corners;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('+'))) {
            QList<int> here;
            for (int i = 0; i < line.size(); ++i) {
                if (line.at(i) == QLatin1Char('+'))
                    here.append(i);
            }
            if (corners.isEmpty())
                ++tables;
            else
                QCOMPARE(here, corners);
            corners = here;
        } else if (line.startsWith(QLatin1Char('|'))) {
            QVERIFY2(!corners.isEmpty(), qPrintable(line));
            // No wider than an ordinary editor window.
            QVERIFY2(line.size() <= 80, qPrintable(line));
            QCOMPARE(line.size(), corners.last() + 1);
            for (int i = 0; i < line.size(); ++i) {
                if (line.at(i) == QLatin1Char('|'))
                    QVERIFY2(corners.contains(i), qPrintable(line));
            }
        } else {
            corners.clear();
        }
    }
    QVERIFY(tables >= 1);

    // The text is no wider than its tables: in Notepad's window, sized to them, no line wraps.
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1Char('+')))
            widest = std::max(widest, int(line.size()));
    for (const QString &line : text.split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= widest, qPrintable(line));
}

void tst_HelpDocuments::docgenRefusesBrokenSources_data()
{
    QTest::addColumn<QString>("html"); // empty: the source file does not exist

    QTest::newRow("unknown image")
        << "<html><head><title>Т</title></head><body><p><img src=\"no-such-figure\"></p>"
           "</body></html>";
    QTest::newRow("no title") << "<html><body><h1>Без заголовка в head</h1></body></html>";
    QTest::newRow("unknown bench value")
        << "<html><head><title>Т</title></head><body><p>@NO_SUCH_VALUE@</p></body></html>";
    QTest::newRow("missing source") << QString();
}

// A broken source fails the build loudly and leaves no PDF that a later build would take as done.
void tst_HelpDocuments::docgenRefusesBrokenSources()
{
    QFETCH(QString, html);
    const DocgenScratch scratch;
    QVERIFY(scratch.dir.isValid());
    const QString &output = scratch.output;
    if (!html.isEmpty())
        QVERIFY(scratch.write(html));

    const Run docgen = run(kDocgen, {scratch.source, output});
    QVERIFY(docgen.finished);
    QVERIFY(docgen.exitCode != 0);
    QVERIFY(!QFile::exists(output));
}

void tst_HelpDocuments::docgenTitleArgumentWins()
{
    const DocgenScratch scratch;
    const QString &output = scratch.output;
    QVERIFY(scratch.write(QStringLiteral(
        "<html><head><title>Из источника</title></head><body><p>Текст.</p></body></html>")));

    const Run docgen =
        run(kDocgen, {scratch.source, output, QStringLiteral("Из командной строки")});
    QVERIFY(docgen.finished);
    QCOMPARE(docgen.exitCode, 0);
    const Run info = run(QStringLiteral("pdfinfo"), {output});
    QCOMPARE(pdfInfoField(info.out, QStringLiteral("Title")),
             QStringLiteral("Из командной строки"));
}

namespace {

// A paragraph of about the given number of lines, its first word "Начало" and its last "Конец".
QString paragraph(int lines)
{
    return QStringLiteral("<p>Начало") + QStringLiteral(" текст").repeated(13 * lines) +
           QStringLiteral(" Конец.</p>\n");
}

} // namespace

void tst_HelpDocuments::docgenBreaksPagesByRule_data()
{
    QTest::addColumn<QString>("body");
    // Paragraphs of two to nine lines, so that the pages end at every place of one.
    QString paragraphs, headings, formulas;
    for (int i = 0; i < 40; ++i) {
        paragraphs += paragraph(2 + i * 5 % 8);
        headings += QStringLiteral("<h2>Заголовок</h2>\n") + paragraph(2 + i * 3 % 7);
        formulas += paragraph(1 + i * 3 % 5)
                        .replace(QStringLiteral(" Конец.</p>"), QStringLiteral(" равна</p>")) +
                    QStringLiteral("<table width=\"100%\"><tr><td align=\"center\">Формула "
                                   "= 1,</td></tr></table>\n<p class=\"cont\">где формула "
                                   "кончается.</p>\n");
    }
    QString tables;
    for (int i = 0; i < 30; ++i) {
        tables += paragraph(1 + i * 3 % 5) + QStringLiteral("<table border=\"1\">");
        for (int row = 0; row < 6; ++row)
            tables += QStringLiteral("<tr><td>Таблица%1 строка</td></tr>").arg(i);
        tables += QStringLiteral("</table>\n");
    }
    QTest::newRow("paragraphs") << paragraphs;
    QTest::newRow("headings") << headings;
    QTest::newRow("formulas") << formulas;
    QTest::newRow("tables") << tables;
}

// Wherever a page ends, no paragraph leaves one line alone on either page, no heading stands last,
// a sentence that runs on into a formula and the formula's legend share the formula's page, and
// no short table is cut.
void tst_HelpDocuments::docgenBreaksPagesByRule()
{
    QFETCH(QString, body);
    const DocgenScratch scratch;
    const QString &output = scratch.output;
    QVERIFY(scratch.write(QStringLiteral("<html><head><title>Т</title></head><body>\n") + body +
                          QStringLiteral("</body></html>")));
    const Run docgen = run(kDocgen, {scratch.source, output});
    QVERIFY(docgen.finished);
    QCOMPARE(docgen.exitCode, 0);
    const Run text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), output, QStringLiteral("-")});
    QStringList pages = text.out.split(QChar(u'\f'));
    pages.removeLast();
    QVERIFY(pages.size() >= 4);
    for (int i = 0; i + 1 < pages.size(); ++i) {
        const QStringList here = pages[i]
                                     .left(pages[i].lastIndexOf(QStringLiteral("Страница ")))
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList next = pages[i + 1].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QString last = here.last().trimmed(), first = next.first().trimmed();
        const QString where =
            QStringLiteral("page %1: \"%2\" / \"%3\"").arg(i + 1).arg(last, first);
        QVERIFY2(!last.startsWith(QStringLiteral("Начало")) ||
                     last.endsWith(QStringLiteral("Конец.")),
                 qPrintable(where));
        QVERIFY2(!first.endsWith(QStringLiteral("Конец.")) ||
                     first.startsWith(QStringLiteral("Начало")),
                 qPrintable(where));
        QVERIFY2(last != QStringLiteral("Заголовок"), qPrintable(where));
        QVERIFY2(!last.endsWith(QStringLiteral("равна")), qPrintable(where));
        QVERIFY2(!first.startsWith(QStringLiteral("Формула")), qPrintable(where));
        QVERIFY2(!first.startsWith(QStringLiteral("где")), qPrintable(where));
        QVERIFY2(!last.startsWith(QStringLiteral("Таблица")) || last != first, qPrintable(where));
    }
}

// The worked example in "Управление стендом": every readout in it is what the model gives for the
// settings the text states, printed in the bench's number patterns.
void tst_HelpDocuments::workedExampleIsTheModels()
{
    const QString text = bodyText(QStringLiteral("uprav.pdf"));
    QVERIFY(!text.isEmpty());
    const QString example = text.section(QStringLiteral("13. Пример измерения"), 1);
    QVERIFY2(example.contains(QStringLiteral("ЭДС 12 В, внутреннее сопротивление 0 Ом")),
             qPrintable(example.left(300)));
    const QRegularExpressionMatch slider =
        QRegularExpression(QStringLiteral("ползун на (\\d+) %")).match(example);
    QVERIFY(slider.hasMatch());
    const int position = slider.captured(1).toInt() * 2;

    // The table: rheostat, box display, galvanometer readout.
    const QRegularExpression row(QStringLiteral("\\s(\\d+) (\\d{5},\\d) (-?\\d,\\d{7})\\n"));
    int rows = 0;
    double lastBox = 0, Reo = 0;
    for (auto it = row.globalMatch(example); it.hasNext(); ++rows) {
        const QRegularExpressionMatch m = it.next();
        Reo = m.captured(1).toDouble();
        lastBox = number(m.captured(2));
        const BridgeResult bridge = modelled(position, lastBox, Reo, 0, 12);
        QCOMPARE(m.captured(2), pattern(static_cast<float>(lastBox), "#00000.0"));
        QCOMPARE(m.captured(3), pattern(bridge.Ig, "#0.0000000"));
    }
    QVERIFY2(rows >= 8, qPrintable(example.left(1500)));

    // The result: the box at balance, the bench's Ri, the source current and Rx by hand.
    const BridgeResult balance = modelled(position, lastBox, 0, 0, 12);
    const QString result = example.section(QStringLiteral("Результат."), 1, 1).simplified();
    QVERIFY2(
        result.contains(QStringLiteral("Равновесие при Rм = %1 Ом").arg(pattern(lastBox, "0.0"))),
        qPrintable(result));
    QVERIFY2(result.contains(QStringLiteral("ток источника %1 А").arg(pattern(balance.I, "#0.00"))),
             qPrintable(result));
    QVERIFY2(result.contains(QStringLiteral("Ri=%1 Ом").arg(pattern(balance.Ri, "0.0"))),
             qPrintable(result));
    const double R_L = position * 0.005 * 5;
    const double Rx = lastBox * R_L / (5 - R_L);
    QVERIFY2(withoutSpaces(result).contains(QStringLiteral("=%1Ом").arg(pattern(Rx, "0.00"))),
             qPrintable(result));

    // The same numbers by hand, so that they do not rest on the balancing that wrote them: the
    // slider at 70 % stands at step 140 of 200, so R_L = 5·140/200 = 3,5 Ом and R_R = 1,5 Ом;
    // the balance is 1963·1,5/3,5 = 841,29 Ом, whose nearest setting of the box is 841,3 Ом;
    // Rx = 841,3·3,5/1,5 = 1963,03 Ом, shown rounded as Ri=1963,0; its instrument error
    // √((0,002·841,3)² + 0,05² + δR²)·3,5/1,5 is 3,9 Ом to two figures for any δR below 0,1 Ом.
    QCOMPARE(slider.captured(1), QStringLiteral("70"));
    for (const char *literal : {"Rл = 3,500 Ом, Rп = 1,500 Ом", "Равновесие при Rм = 841,3 Ом",
                                "Rx = 1963,03 Ом", "Ri=1963,0 Ом", "Rx = (1963,0 ± 3,9) Ом"})
        QVERIFY2(withoutSpaces(example).contains(withoutSpaces(QString::fromUtf8(literal))),
                 literal);

    // The example proves its balance: one step of 0.1 Ω either way takes the current further
    // from zero.
    QVERIFY2(isBalance(position, lastBox, Reo, 1963), qPrintable(pattern(lastBox, "0.0")));

    // Its sensitivity is what the steps of the decade it names do to the readout.
    const QRegularExpressionMatch sensitivity =
        QRegularExpression(
            QStringLiteral("на (одну|две|три|четыре|пять) её ступен(?:ь|и|ей) (выше|ниже) отсчёт "
                           "стал (-?\\d,\\d{7}) А, то есть изменился на n = (\\d+) единиц.*δR = "
                           "(\\d|0,1) Ом/n = (\\d+,\\d+) Ом"))
            .match(example.simplified());
    QVERIFY2(sensitivity.hasMatch(), qPrintable(example.simplified()));
    const int steps =
        QStringList{"одну", "две", "три", "четыре", "пять"}.indexOf(sensitivity.captured(1)) + 1;
    const bool tenths = sensitivity.captured(5) == QStringLiteral("0,1");
    // One step of 0,1 Ом, or k steps of 1 Ом.
    QCOMPARE(tenths ? 1 : sensitivity.captured(5).toInt(), steps);
    const double step = (tenths ? 0.1 : 1.0) * steps * (sensitivity.captured(2) == "выше" ? 1 : -1);
    const QString at = pattern(modelled(position, lastBox, Reo, 0, 12).Ig, "#0.0000000");
    const QString stepped =
        pattern(modelled(position, lastBox + step, Reo, 0, 12).Ig, "#0.0000000");
    QCOMPARE(sensitivity.captured(3), stepped);
    const long units =
        std::labs(readoutUnits(stepped.toStdString()) - readoutUnits(at.toStdString()));
    QCOMPARE(sensitivity.captured(4).toLong(), units);
    QVERIFY(units >= 10);
    const double threshold = number(sensitivity.captured(6));
    QVERIFY(std::fabs(threshold - std::fabs(step) / units) < 0.0005);
    if (!tenths) { // a step of ×0,1 moves the readout by fewer than ten units
        const QString tenth =
            pattern(modelled(position, lastBox + 0.1, Reo, 0, 12).Ig, "#0.0000000");
        QVERIFY(std::labs(readoutUnits(tenth.toStdString()) - readoutUnits(at.toStdString())) < 10);
    }

    // The row's result: its instrument error to two significant figures, Rx to the same place;
    // the instruction quotes the same.
    const double dRx =
        std::sqrt(std::pow(0.002 * lastBox, 2) + 0.05 * 0.05 + threshold * threshold) * R_L /
        (5 - R_L);
    const QRegularExpressionMatch rounded =
        QRegularExpression(QStringLiteral("Rx = \\((\\d+),(\\d+) ± (\\d+),(\\d+)\\) Ом"))
            .match(example.simplified());
    QVERIFY2(rounded.hasMatch(), qPrintable(example.simplified()));
    const int decimals = int(rounded.captured(2).size());
    QCOMPARE(int(rounded.captured(4).size()), decimals);
    QCOMPARE(QString(rounded.captured(3) + rounded.captured(4)).toInt() >= 10, true);
    QCOMPARE(QString(rounded.captured(3) + rounded.captured(4)).toInt() < 100, true);
    const double half = 0.5 * std::pow(10.0, -decimals) + 1e-9;
    QVERIFY(std::fabs(number(rounded.captured(1) + ',' + rounded.captured(2)) - Rx) <= half);
    QVERIFY(std::fabs(number(rounded.captured(3) + ',' + rounded.captured(4)) - dRx) <= half);
    bool validUtf8 = false;
    const QString instruction =
        readText(QDir(kHelpDir).filePath(QStringLiteral("instruction.txt")), &validUtf8);
    QVERIFY2(instruction.simplified().contains(rounded.captured(0)),
             qPrintable(rounded.captured(0)));

    // The check: the unknown it gives agrees with the start-up one within the resolution printed.
    const QRegularExpressionMatch check =
        QRegularExpression(QStringLiteral("= (\\d+,\\d+) Ом\\. Найденное значение отличается от "
                                          "заданного при запуске 1963 Ом на (\\d+,\\d+) Ом"))
            .match(example.simplified());
    QVERIFY2(check.hasMatch(), qPrintable(example.simplified()));
    QCOMPARE(check.captured(2), pattern(std::fabs(Rx - 1963), "0.00"));
    QVERIFY(std::fabs(Rx - 1963) <= number(check.captured(1)));

    // The sensitive settings: the start-up unknown balanced at the middle, then one step up.
    const QString sensitive =
        example.section(QStringLiteral("Чувствительные установки"), 1).simplified();
    const BridgeResult balanced = modelled(100, 1963.0, 0, 0, 12);
    const BridgeResult upwards = modelled(100, 1963.1, 0, 0, 12);
    QVERIFY2(
        sensitive.contains(QStringLiteral("ток источника %1 А").arg(pattern(balanced.I, "#0.00"))),
        qPrintable(sensitive));
    QVERIFY2(
        sensitive.contains(QStringLiteral("отсчёт %1 А").arg(pattern(upwards.Ig, "#0.0000000"))),
        qPrintable(sensitive));
}

void tst_HelpDocuments::benchPicturesAreTheWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("index"); // of the picture in the document
    QTest::addColumn<QString>("view");
    QTest::newRow("start-up") << "uprav.pdf" << 0 << "start";
    QTest::newRow("key closed") << "uprav.pdf" << 1 << "closed";
    QTest::newRow("galvanometer") << "galvanometr.pdf" << 0 << "galvanometer";
}

// Each picture of the bench in a document is, pixel for pixel, the window drawn now.
void tst_HelpDocuments::benchPicturesAreTheWindow()
{
    QFETCH(QString, file);
    QFETCH(int, index);
    QFETCH(QString, view);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QList<QImage> images = documentImages(file, dir);
    QVERIFY(images.size() > index);
    const QImage printed = images.at(index);

    LoadedBench bench;
    BenchWindow &form = *bench.form;
    QImage expected;
    const int ratio = benchfacts::kPrintRatio;
    if (view == QLatin1String("galvanometer")) {
        // As the caption says: the start-up settings with the box at the value it names.
        const QString caption = bodyText(file).section(QStringLiteral("Рис. 1."), 1).simplified();
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral("магазина (\\d{5},\\d) Ом")).match(caption);
        QVERIFY2(box.hasMatch(), qPrintable(caption));
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
        const int tenths = qRound(number(box.captured(1)) * 10);
        QList<int> digits;
        for (int weight = 100000; weight > 0; weight /= 10)
            digits << tenths / weight % 10;
        setBox(form, digits);
        clickItem(form, control<SourcePicture>(form, "Image1"));
        QVERIFY2(
            caption.contains(
                QStringLiteral("отсчёт %1 А").arg(control<ReadoutBox>(form, "Picture2")->text())),
            qPrintable(caption));
        const QRectF dial = control<BenchImage>(form, "Image5")->bounds();
        expected = benchShot(form)
                       .convertToFormat(QImage::Format_RGB888)
                       .copy(QRectF(dial.topLeft() * ratio, dial.size() * ratio).toAlignedRect());
    } else {
        if (view == QLatin1String("closed"))
            clickItem(form, control<BenchLabel>(form, "Lblvkl"));
        expected = benchShot(form).convertToFormat(QImage::Format_RGB888);
        const int m = benchfacts::kCalloutMargin * ratio;
        QCOMPARE(printed.size(), expected.size() + QSize(2 * m, 2 * m));
        const QImage inner = printed.copy(QRect(QPoint(m, m), expected.size()));
        QVERIFY2(inner == expected, qPrintable(QStringLiteral("%1: the bench has changed since the "
                                                              "document was drawn")
                                                   .arg(view)));
        return;
    }
    QCOMPARE(printed.size(), expected.size());
    QVERIFY(printed == expected);
}

// What "Управление стендом" says about the keyboard is the bench's focus chain and scroll bars.
void tst_HelpDocuments::keyboardSectionIsTheFocusChain()
{
    const QString text = withoutSpaces(bodyText(QStringLiteral("uprav.pdf")));
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const auto &chain = focusChain(form);
    QVERIFY(!chain.empty());

    QVERIFY(text.contains(QStringLiteral("Всегоостановок%1,попорядку:").arg(chain.size())));
    QString order;
    for (size_t i = 0; i < chain.size(); ++i) {
        const ScrollBar *bar = qobject_cast<const ScrollBar *>(chain[i].widget);
        order += QStringLiteral("%1)%2%3%4")
                     .arg(i + 1)
                     .arg(withoutSpaces(stopName(chain[i])))
                     .arg(bar ? QString() : QStringLiteral("(щелчок)"))
                     .arg(i + 1 < chain.size() ? QStringLiteral(";") : QStringLiteral("."));
    }
    QVERIFY2(text.contains(order), qPrintable(order));

    for (const auto &stop : chain) {
        const ScrollBar *bar = qobject_cast<const ScrollBar *>(stop.widget);
        if (!bar)
            continue;
        const bool rheostat = bar == control<ScrollBar>(form, "HScroll2");
        const QString far =
            rheostat ? QStringLiteral("максимум") : QString::number(bar->endValue());
        const QString row =
            withoutSpaces(stopName(stop)) +
            QStringLiteral("%1…%2%3%4%5%6")
                .arg(std::min(bar->startValue(), bar->endValue()))
                .arg(rheostat ? far : QString::number(std::max(bar->startValue(), bar->endValue())))
                .arg(bar->singleStep())
                .arg(bar->pageStep())
                .arg(bar->startValue())
                .arg(far);
        QVERIFY2(text.contains(row), qPrintable(row));
    }
    QVERIFY(text.contains(QStringLiteral("удекадыHomeдаёт%1,End—%2")
                              .arg(control<ScrollBar>(form, "VScroll1")->startValue())
                              .arg(control<ScrollBar>(form, "VScroll1")->endValue())));
    QVERIFY(text.contains(QStringLiteral("уползунареохордаHomeдаёт%1,End—%2")
                              .arg(control<ScrollBar>(form, "HScroll1")->startValue())
                              .arg(control<ScrollBar>(form, "HScroll1")->endValue())));

    // As the section says of every bar: the larger value at the top of a vertical bar and at the
    // right of a horizontal one; Up, Right and Page Up raise it, Down, Left and Page Down lower
    // it; Home goes to the top or left end, End to the bottom or right one.
    QVERIFY(text.contains(QStringLiteral("Увертикальнойполосы(декады,максимумреостата)большее"
                                         "значениестоитуверхнегоконца,угоризонтальной—управого;"
                                         "Homeставитбегунокнаверхнийилилевыйконецполосы,End—на"
                                         "нижнийилиправый.")));
    QVERIFY(text.contains(QStringLiteral("вверхивправо—кбольшемузначению,внизивлево—кменьшему")));
    QVERIFY(text.contains(QStringLiteral("PageUp—кбольшемузначению,PageDown—кменьшему")));
    for (const auto &stop : chain) {
        ScrollBar *bar = qobject_cast<ScrollBar *>(stop.widget);
        if (!bar)
            continue;
        const QString name = stopName(stop);
        QCOMPARE(bar->startValue() > bar->endValue(), bar->orientation() == Qt::Vertical);
        const int middle = (bar->startValue() + bar->endValue()) / 2;
        const std::pair<Qt::Key, int> keys[] = {
            {Qt::Key_Up, bar->singleStep()},    {Qt::Key_Right, bar->singleStep()},
            {Qt::Key_PageUp, bar->pageStep()},  {Qt::Key_Down, -bar->singleStep()},
            {Qt::Key_Left, -bar->singleStep()}, {Qt::Key_PageDown, -bar->pageStep()}};
        for (const auto &[key, by] : keys) {
            bar->setBenchValue(middle);
            QTest::keyClick(bar, key);
            QVERIFY2(bar->benchValue() == middle + by, qPrintable(name));
        }
        QTest::keyClick(bar, Qt::Key_Home);
        QVERIFY2(bar->benchValue() == bar->startValue(), qPrintable(name));
        QTest::keyClick(bar, Qt::Key_End);
        QVERIFY2(bar->benchValue() == bar->endValue(), qPrintable(name));
    }
}

void tst_HelpDocuments::instructionMeasuresCorrectly_data()
{
    QTest::addColumn<double>("draw"); // the random draw of a new unknown; negative: keep 1963
    QTest::addColumn<QList<int>>("positions"); // of the slider, in per cent, in the order measured
    // The box at the balance for each position, worked out by hand: R_L = 5·n/200 Ом for the
    // slider's step n, R_m = Rx·R_R/R_L, and of the two settings 0.1 Ω apart around it the one
    // whose readout is nearer to zero, a zero readout without a sign being the balance. Empty: not
    // known by hand.
    QTest::addColumn<QList<double>>("boxes");
    QTest::addColumn<int>("tie"); // where the two settings read the same size, in per cent; 0: none

    const QList<int> positions{50, 30, 40, 60, 70};
    // 1963·2,5/2,5; 1963·3,5/1,5 = 4580,33, where 4580,4 already reads zero; 1963·3/2 = 2944,5;
    // 1963·2/3 = 1308,67; 1963·1,5/3,5 = 841,29.
    QTest::newRow("start-up unknown")
        << -1.0 << positions << QList<double>{1963.0, 4580.4, 2944.5, 1308.7, 841.3} << 0;
    // 50·3,5/1,5 = 116,67; 50·1,5 = 75; 50/1,5 = 33,33; 50·1,5/3,5 = 21,43.
    QTest::newRow("drawn 50") << 0.0 << positions << QList<double>{50.0, 116.7, 75.0, 33.3, 21.4}
                              << 0;
    QTest::newRow("drawn 87") << 0.37 << positions << QList<double>() << 0;
    QTest::newRow("drawn 150") << 0.999 << positions << QList<double>() << 0;
    // Exact balances where the sensitivity is high: a step of 1 Ω there overloads the galvanometer.
    QTest::newRow("drawn 51") << 0.015 << positions << QList<double>() << 0;
    QTest::newRow("drawn 56") << 0.065 << positions << QList<double>() << 0;
    // 50·3,4/1,6 = 106,25 lies halfway between 106,2 and 106,3: their readouts are equal in size,
    // and a readout lower by 0.1 Ω that is not nearer to zero is not kept.
    QTest::newRow("tie: 50 at 32 %") << 0.0 << QList<int>{50, 32, 40, 60, 70}
                                     << QList<double>{50.0, 106.3, 75.0, 33.3, 21.4} << 32;
}

// The instruction followed point by point on a fresh bench reaches the unknown within the
// resolution it promises, with no refusal on the way. Each step is held against the model's
// readouts and the instruction's own words, not against the balancing that took it.
void tst_HelpDocuments::instructionMeasuresCorrectly()
{
    QFETCH(double, draw);
    QFETCH(QList<int>, positions);
    QFETCH(QList<double>, boxes);
    QFETCH(int, tie);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    Student student(form);
    student.prepare();
    if (draw >= 0) { // point 18, before the measurements
        bench.desktop.draws = {draw};
        clickItem(form, control<BenchImage>(form, "Image6"));
        QCOMPARE(
            bench.desktop.texts(),
            QStringList{QStringLiteral("Неизвестное сопротивление изменено! Удачной работы!")});
        bench.desktop.boxes.clear();
    }
    const double truth = stateOf(form).Rx;

    QList<Row> rows;
    for (int percent : positions)
        rows << student.measure(percent);
    QCOMPARE(bench.desktop.texts(), QStringList());

    double mean = 0, dPr = 0, dRes = 0;
    bool tied = false;
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        mean += row.Rx / rows.size();
        dPr = std::max(dPr, row.dRx);
        dRes = std::max(dRes, row.dResolution);
        qInfo("Rx %g: %d %% R_L %.3f R_R %.3f R_m %.1f Rx %.3f dR %.4f (%d × %s) dRx %.2f dRes "
              "%.3f %s",
              truth, row.position, row.R_L, row.R_R, row.R_m, row.Rx, row.threshold,
              row.balancing.steps, row.balancing.sensitivityDecade == kOnes ? "1" : "0,1", row.dRx,
              row.dResolution, qPrintable(row.Ri));
        const QString where = QStringLiteral("%1 %").arg(row.position);
        if (!boxes.isEmpty())
            QCOMPARE(pattern(row.R_m, "0.0"), pattern(boxes[i], "0.0"));
        QCOMPARE(row.Reo, 0.0); // point 10
        // The bench's Ri is the student's Rx, rounded to tenths.
        QVERIFY2(std::fabs(number(row.Ri.section('=', 1).section(' ', 0, 0)) - row.Rx) <=
                     0.05 + 1e-9,
                 qPrintable(row.Ri));

        // Point 11: the readout is zero without a sign; or it has none, 0.1 Ω lower it has one and
        // is no nearer to zero; or it has one, 0.1 Ω higher it has none and is farther from zero.
        const int position = row.position * 2;
        const auto readout = [&](double box) {
            return pattern(modelled(position, box, row.Reo, 0, 12, truth).Ig, "#0.0000000")
                .toStdString();
        };
        const std::string at = readout(row.R_m);
        const std::string lower = readout(row.R_m - 0.1);
        const std::string upper = readout(row.R_m + 0.1);
        const long units = readoutUnits(at);
        const bool nearest =
            readoutSign(at) == 0 ||
            (readoutSign(at) > 0 && readoutSign(lower) < 0 &&
             std::labs(readoutUnits(lower)) >= units) ||
            (readoutSign(at) < 0 && readoutSign(upper) >= 0 && readoutUnits(upper) > -units);
        QVERIFY2(nearest, qPrintable(QStringLiteral("%1: %2, %3 lower, %4 higher")
                                         .arg(where, QString::fromStdString(at),
                                              QString::fromStdString(lower),
                                              QString::fromStdString(upper))));
        if (row.position == tie) {
            QVERIFY2(readoutSign(at) > 0 && lower == "-" + at,
                     qPrintable(QStringLiteral("%1: no tie between %2 and %3")
                                    .arg(where, QString::fromStdString(at),
                                         QString::fromStdString(lower))));
            tied = true;
        }
        // Unless the readouts tie, the box is also where the true current is least.
        QVERIFY2(isBalance(position, row.R_m, row.Reo, truth) || readoutSign(at) == 0 ||
                     row.position == tie,
                 qPrintable(where));

        // Point 12: one step of ×0,1, up or from 9 down; if it moves the readout by fewer than ten
        // units, steps of ×1 one way, up from 0 … 4 and down from 5 … 9, until it has moved ten.
        const int tenths = qRound(row.R_m * 10) % 10, ones = qRound(row.R_m * 10) / 10 % 10;
        int by = tenths < 9 ? 1 : -1, steps = 1;
        double step = 0.1;
        long moved = std::labs(readoutUnits(readout(row.R_m + by * step)) - units);
        if (moved < 10) {
            by = ones < 5 ? 1 : -1;
            step = 1;
            for (steps = 1;; ++steps) {
                moved = std::labs(readoutUnits(readout(row.R_m + by * steps * step)) - units);
                if (moved >= 10 || steps == 5)
                    break;
            }
        }
        QCOMPARE(row.balancing.sensitivityDecade, step == 1 ? kOnes : kTenths);
        QCOMPARE(row.balancing.by, by);
        QCOMPARE(row.balancing.steps, steps);
        QCOMPARE(row.balancing.units, moved);
        QVERIFY2(moved >= 10, qPrintable(where));
        QVERIFY(std::fabs(row.threshold - step * steps / moved) < 1e-12);
    }
    QCOMPARE(tied, tie != 0);
    double squares = 0;
    for (const Row &row : rows)
        squares += (row.Rx - mean) * (row.Rx - mean);
    const double random = 2.78 * std::sqrt(squares / (rows.size() * (rows.size() - 1)));
    const double total = std::hypot(random, dPr);
    qInfo("Rx %g: <Rx> %.3f random %.3f instrument %.2f total %.2f resolution %.3f off by %.3f",
          truth, mean, random, dPr, total, dRes, std::fabs(mean - truth));
    QVERIFY(std::fabs(mean - truth) <= dRes);
    QVERIFY(std::fabs(mean - truth) <= total);
}

void tst_HelpDocuments::instructionRoundingExamples_data()
{
    QTest::addColumn<QString>("quote"); // as point 16 of the instruction has it
    QTest::addColumn<double>("Rx");
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("box");
    QTest::addColumn<QString>("shown"); // the bench's Ri
    QTest::newRow("down") << "1308,7·3/2 = 1963,05 он показывает как Ri=1963,0" << 1963.0 << 60
                          << 1308.7 << "1963,0";
    QTest::newRow("up") << "36,7·1,5 = 55,05 — как Ri=55,1" << 55.0 << 60 << 36.7 << "55,1";
}

// Point 16 quotes two products that end in exactly five hundredths and are shown rounded different
// ways: each is such a product, the balance of its unknown, and the bench shows it so.
void tst_HelpDocuments::instructionRoundingExamples()
{
    QFETCH(QString, quote);
    QFETCH(double, Rx);
    QFETCH(int, percent);
    QFETCH(double, box);
    QFETCH(QString, shown);
    bool validUtf8 = false;
    const QString text =
        readText(QDir(kHelpDir).filePath(QStringLiteral("instruction.txt")), &validUtf8);
    QVERIFY2(withoutSpaces(text).contains(withoutSpaces(quote)), qPrintable(quote));

    // R_m·R_L/R_R in hundredths of an ohm, R_L/R_R being percent/(100 − percent): a whole number
    // ending in 5.
    const qint64 hundredths = qint64(qRound(box * 10)) * 10 * percent;
    QCOMPARE(hundredths % (100 - percent), 0);
    const qint64 product = hundredths / (100 - percent);
    QCOMPARE(product % 10, qint64(5));
    QVERIFY(quote.startsWith(pattern(box, "0.0") + QStringLiteral("·")));
    QVERIFY(quote.contains(QStringLiteral(" = %1 ").arg(pattern(product / 100.0, "0.00"))));
    QVERIFY(quote.endsWith(QStringLiteral("Ri=") + shown));
    // The box is the balance of its unknown to the box's step.
    QVERIFY(std::fabs(box - Rx * (100 - percent) / percent) < 0.05);

    const BridgeResult bridge = modelled(percent * 2, box, 0, 0, 12, Rx);
    QVERIFY(bridge.hasRi);
    QCOMPARE(pattern(bridge.Ri, "0.0"), shown);
}

// Point 10 puts the rheostat at 0 within 0.1 Ω of the balance whatever the unknown, and names the
// worst galvanometer current that can give: the largest of any unknown the bench draws at any
// slider position of the tables, and well below the limit.
void tst_HelpDocuments::instructionRheostatIsSafe()
{
    double worst = 0;
    int worstRx = 0, worstPercent = 0;
    for (int Rx = 50; Rx <= 150; ++Rx)
        for (int percent = 30; percent <= 70; percent += 10) {
            const double R_L = 5 * percent / 100.0;
            const double balance = Rx * (5 - R_L) / R_L;
            for (double off : {-0.1, 0.1}) {
                const double Ig = std::fabs(modelled(percent * 2, balance + off, 0, 0, 12, Rx).Ig);
                if (Ig > worst) {
                    worst = Ig;
                    worstRx = Rx;
                    worstPercent = percent;
                }
            }
        }
    QVERIFY(worst < 0.0025);
    bool validUtf8 = false;
    const QString text =
        readText(QDir(kHelpDir).filePath(QStringLiteral("instruction.txt")), &validUtf8);
    const QString quote = QStringLiteral("(Rx = %1 Ом, ползун на %2 %) около %3 мА")
                              .arg(worstRx)
                              .arg(worstPercent)
                              .arg(pattern(worst * 1000, "0.00"));
    QVERIFY2(withoutSpaces(text).contains(withoutSpaces(quote)), qPrintable(quote));
}

int main(int argc, char *argv[])
{
    // The bench is drawn as the documents print it: three times its size, with a decimal comma.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(benchfacts::kPrintRatio));
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    tst_HelpDocuments test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_help_documents.moc"
