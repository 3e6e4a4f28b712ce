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
const std::vector<FocusStop> &focusChain(const BenchWindow &form)
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
        row.Reo = stateOf(f).Reo;
        row.threshold = row.balancing.threshold;
        row.R_m = number(control<PictureBox>(f, "Picture1")->text()); // 13
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
        return control<PictureBox>(f, "Picture2")->text().toStdString();
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
    void workedExampleIsTheModels();
    void benchPicturesAreTheWindow_data();
    void benchPicturesAreTheWindow();
    void keyboardSectionIsTheFocusChain();
    void instructionMeasuresCorrectly_data();
    void instructionMeasuresCorrectly();
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
                                 << QStringList{"δR = 1 Ом / n", "ΔRx = √( ΔRx_сл² + ΔRx_пр² )"}
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
    QString printed;
    for (const QString &page : documentText(QStringLiteral("instruction.pdf")).split(QChar(u'\f')))
        printed += page.left(page.lastIndexOf(QStringLiteral("Страница ")));
    QCOMPARE(withoutSpaces(printed), withoutSpaces(QString(text).replace(QChar(0x2212), '-')));
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
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("source.html"));
    const QString output = dir.filePath(QStringLiteral("output.pdf"));
    if (!html.isEmpty()) {
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(html.toUtf8());
    }

    const Run docgen = run(kDocgen, {source, output});
    QVERIFY(docgen.finished);
    QVERIFY(docgen.exitCode != 0);
    QVERIFY(!QFile::exists(output));
}

void tst_HelpDocuments::docgenTitleArgumentWins()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath(QStringLiteral("source.html"));
    const QString output = dir.filePath(QStringLiteral("output.pdf"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral(
            "<html><head><title>Из источника</title></head><body><p>Текст.</p></body></html>")
            .toUtf8());
    file.close();

    const Run docgen = run(kDocgen, {source, output, QStringLiteral("Из командной строки")});
    QVERIFY(docgen.finished);
    QCOMPARE(docgen.exitCode, 0);
    const Run info = run(QStringLiteral("pdfinfo"), {output});
    QCOMPARE(pdfInfoField(info.out, QStringLiteral("Title")),
             QStringLiteral("Из командной строки"));
}

// The worked example in "Управление стендом": every readout in it is what the model gives for the
// settings the text states, printed in the bench's number patterns.
void tst_HelpDocuments::workedExampleIsTheModels()
{
    const QString text = documentText(QStringLiteral("uprav.pdf"));
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

    // The example proves its balance: one step of 0.1 Ω either way takes the current further
    // from zero.
    QVERIFY2(isBalance(position, lastBox, Reo, 1963), qPrintable(pattern(lastBox, "0.0")));

    // Its sensitivity is what one step of the decade it names does to the readout.
    const QRegularExpressionMatch sensitivity =
        QRegularExpression(
            QStringLiteral("ступень (выше|ниже) отсчёт стал (-?\\d,\\d{7}) А, то "
                           "есть изменился на n = (\\d+) единиц.*δR = (1|0,1) Ом/n = "
                           "(\\d+,\\d+) Ом"))
            .match(example.simplified());
    QVERIFY2(sensitivity.hasMatch(), qPrintable(example.simplified()));
    const double step =
        number(sensitivity.captured(4)) * (sensitivity.captured(1) == "выше" ? 1 : -1);
    const QString at = pattern(modelled(position, lastBox, Reo, 0, 12).Ig, "#0.0000000");
    const QString stepped =
        pattern(modelled(position, lastBox + step, Reo, 0, 12).Ig, "#0.0000000");
    QCOMPARE(sensitivity.captured(2), stepped);
    const long units =
        std::labs(readoutUnits(stepped.toStdString()) - readoutUnits(at.toStdString()));
    QCOMPARE(sensitivity.captured(3).toLong(), units);
    const double threshold = number(sensitivity.captured(5));
    QVERIFY(std::fabs(threshold - std::fabs(step) / units) < 0.0005);
    if (std::fabs(step) == 1) { // a step of ×0,1 moves the readout by fewer than ten units
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
        const QString caption =
            documentText(file).section(QStringLiteral("Рис. 1."), 1).simplified();
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
                QStringLiteral("отсчёт %1 А").arg(control<PictureBox>(form, "Picture2")->text())),
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
    const QString text = withoutSpaces(documentText(QStringLiteral("uprav.pdf")));
    LoadedBench bench;
    const BenchWindow &form = *bench.form;
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
}

void tst_HelpDocuments::instructionMeasuresCorrectly_data()
{
    QTest::addColumn<double>("draw"); // the random draw of a new unknown; negative: keep 1963
    QTest::newRow("start-up unknown") << -1.0;
    QTest::newRow("drawn 50") << 0.0;
    QTest::newRow("drawn 87") << 0.37;
    QTest::newRow("drawn 150") << 0.999;
    // Exact balances where the sensitivity is high: a step of 1 Ω there overloads the galvanometer.
    QTest::newRow("drawn 51") << 0.015;
    QTest::newRow("drawn 56") << 0.065;
}

// The instruction followed point by point on a fresh bench reaches the unknown within the
// resolution it promises, with no refusal on the way.
void tst_HelpDocuments::instructionMeasuresCorrectly()
{
    QFETCH(double, draw);
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
    for (int percent : {50, 30, 40, 60, 70})
        rows << student.measure(percent);
    QCOMPARE(bench.desktop.texts(), QStringList());

    double mean = 0, dPr = 0, dRes = 0;
    for (const Row &row : rows) {
        mean += row.Rx / rows.size();
        dPr = std::max(dPr, row.dRx);
        dRes = std::max(dRes, row.dResolution);
        qInfo("Rx %g: %d %% R_L %.3f R_R %.3f R_m %.1f Rx %.3f dR %.3f dRx %.2f dRes %.3f %s",
              truth, row.position, row.R_L, row.R_R, row.R_m, row.Rx, row.threshold, row.dRx,
              row.dResolution, qPrintable(row.Ri));
        // The bench's Ri is the student's Rx, rounded to tenths.
        QVERIFY2(std::fabs(number(row.Ri.section('=', 1).section(' ', 0, 0)) - row.Rx) <=
                     0.05 + 1e-9,
                 qPrintable(row.Ri));
        // The box is at the balance, or reads a null on the bench's last digit.
        const int position = row.position * 2;
        QVERIFY2(isBalance(position, row.R_m, row.Reo, truth) ||
                     std::fabs(modelled(position, row.R_m, row.Reo, 0, 12, truth).Ig) < 0.5e-7,
                 qPrintable(QString::number(row.R_m)));
        // The threshold counts what the step does, give or take the readout's rounding.
        const bool ones = row.balancing.sensitivityDecade == kOnes;
        const int digit = ones ? int(row.R_m) % 10 : qRound(row.R_m * 10) % 10;
        const double step = (ones ? 1.0 : 0.1) * (digit < 9 ? 1 : -1);
        const double response =
            std::fabs(modelled(position, row.R_m + step, row.Reo, 0, 12, truth).Ig -
                      modelled(position, row.R_m, row.Reo, 0, 12, truth).Ig) /
            1e-7;
        QVERIFY2(
            std::fabs(row.balancing.units - response) <= 1,
            qPrintable(QStringLiteral("%1 units, %2 true").arg(row.balancing.units).arg(response)));
    }
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
