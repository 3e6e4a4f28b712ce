// The reference documents as they land beside the program: PDFs laid out by docgen, with their
// titles, real extractable text and crisp figures, and the plain-text laboratory instruction.
// The PDFs are read back with the poppler tools (pdfinfo, pdftotext, pdfimages).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TestHelpDocuments : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void pdfDocument_data();
    void pdfDocument();
    void instructionIsUtf8WithResultsTable();
    void instructionTablesAreAligned();
    void docgenRefusesBrokenSources_data();
    void docgenRefusesBrokenSources();
    void docgenTitleArgumentWins();
};

void TestHelpDocuments::initTestCase()
{
    for (const char *tool : {"pdfinfo", "pdftotext", "pdfimages"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("%1 is missing: install poppler-utils").arg(QLatin1String(tool))));
    }
}

void TestHelpDocuments::pdfDocument_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("phrases"); // quoted exactly as the bench or the theory has them
    QTest::addColumn<int>("figures");

    QTest::newRow("spravka1") << "spravka1.pdf"
                              << "Мост Корвела. Нулевой метод измерения сопротивления"
                              << QStringList{"Rx = Rм·Rл/Rп", "Второе правило Кирхгофа"} << 1;
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
                       "99 999,9 Ом"}
        << 0;
}

void TestHelpDocuments::pdfDocument()
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

void TestHelpDocuments::instructionIsUtf8WithResultsTable()
{
    bool validUtf8 = false;
    const QString text =
        readText(QDir(kHelpDir).filePath(QStringLiteral("instruction.txt")), &validUtf8);
    QVERIFY2(!text.isEmpty(), "instruction.txt is missing or empty");
    QVERIFY(validUtf8);
    QVERIFY(text.startsWith(
        QStringLiteral("Лабораторная работа. Измерение сопротивления мостом Корвела")));

    // The header row of the results table, cell by cell, however the columns are padded.
    const QStringList header{QStringLiteral("№"),       QStringLiteral("положение ползуна, %"),
                             QStringLiteral("R_L, Ом"), QStringLiteral("R_R, Ом"),
                             QStringLiteral("R_m, Ом"), QStringLiteral("Rx = R_m·R_L/R_R, Ом"),
                             QStringLiteral("ΔRx, Ом")};
    int headers = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1Char('|')))
            continue;
        QStringList cells = line.split(QLatin1Char('|'));
        cells = cells.mid(1, cells.size() - 2);
        for (QString &cell : cells)
            cell = cell.trimmed();
        if (cells == header)
            ++headers;
    }
    QVERIFY2(headers >= 1, "no results table header");
}

// Cyrillic letters are two bytes each: a table padded by bytes instead of characters falls apart
// on screen. Every cell border must stand under a corner of the ruling lines.
void TestHelpDocuments::instructionTablesAreAligned()
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

void TestHelpDocuments::docgenRefusesBrokenSources_data()
{
    QTest::addColumn<QString>("html"); // empty: the source file does not exist

    QTest::newRow("unknown image")
        << "<html><head><title>Т</title></head><body><p><img src=\"no-such-figure\"></p>"
           "</body></html>";
    QTest::newRow("no title") << "<html><body><h1>Без заголовка в head</h1></body></html>";
    QTest::newRow("missing source") << QString();
}

// A broken source fails the build loudly and leaves no PDF that a later build would take as done.
void TestHelpDocuments::docgenRefusesBrokenSources()
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

void TestHelpDocuments::docgenTitleArgumentWins()
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

QTEST_GUILESS_MAIN(TestHelpDocuments)
#include "tst_help_documents.moc"
