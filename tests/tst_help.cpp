// Tests of the help commands: documents and their look-up, the instruction, About and Authors.
#include "app/form2.h"
#include "bench_fixture.h"
#include "help/about.h"

#include <QLabel>
#include <QTemporaryDir>

namespace {

const QStringList kDocuments = {"spravka1.pdf", "galvanometr.pdf", "reochord.pdf",
                                "Korvel.pdf",   "uprav.pdf",       "instruction.txt"};

void writeFiles(const QString &folder, const QStringList &names)
{
    for (const QString &name : names) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
}

// Runs the test body in a fresh working folder and a fresh program folder.
struct Folders
{
    QTemporaryDir work;
    QTemporaryDir program;
    QString previous = QDir::currentPath();
    Folders() { QDir::setCurrent(work.path()); }
    ~Folders() { QDir::setCurrent(previous); }
};

QAction *action(Form1 &form, const QString &name)
{
    return form.findChild<QAction *>(name);
}

} // namespace

class tst_Help : public QObject
{
    Q_OBJECT
  private slots:
    void documents_data();
    void documents();
    void instruction();
    void separatorsDoNothing();
    void lookUpOrder_data();
    void lookUpOrder();
    void foundNowhere();
    void editorFails_data();
    void editorFails();
    void aboutText();
    void authorsText();
    void authorsWindow();
    void authorsFollowTheBench();
};

void tst_Help::documents_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("file");
    QTest::newRow("Справка") << "mnuFileSpravka1"
                             << "spravka1.pdf";
    QTest::newRow("Гальванометр") << "mnuFileSpravka2"
                                  << "galvanometr.pdf";
    QTest::newRow("Реохорд") << "mnuFileSpravka3"
                             << "reochord.pdf";
    QTest::newRow("Корвел") << "mnuFilesHistory"
                            << "Korvel.pdf";
    QTest::newRow("Управление") << "mnuHelpUprav"
                                << "uprav.pdf";
}

void tst_Help::documents()
{
    QFETCH(QString, item);
    QFETCH(QString, file);
    Folders folders;
    writeFiles(folders.work.path(), kDocuments);
    LoadedBench bench;
    Form1 &form = *bench.form;
    form.programFolder = folders.program.path();
    form.Lblvkl->onClick();
    const double box = form.state.R_m, key = form.state.rabota;
    const QString current = form.Picture2->text();
    for (int twice = 0; twice < 2; ++twice)
        action(form, item)->trigger();
    const QString path = QDir(folders.work.path()).filePath(file);
    QCOMPARE(bench.desktop.opened, QStringList({path, path})); // asked each time
    QVERIFY(bench.desktop.boxes.isEmpty());
    QCOMPARE(form.state.R_m, box);
    QCOMPARE(form.state.rabota, key);
    QCOMPARE(form.Picture2->text(), current);
}

void tst_Help::instruction()
{
    Folders folders;
    writeFiles(folders.work.path(), kDocuments);
    LoadedBench bench;
    bench->programFolder = folders.program.path();
    action(*bench.form, "mnuHelpInstruction")->trigger();
    const QString path = QDir(folders.work.path()).filePath("instruction.txt");
    QCOMPARE(bench.desktop.started, QList<QStringList>{QStringList({"gedit", path})});
    QVERIFY(bench.desktop.opened.isEmpty());
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_Help::separatorsDoNothing()
{
    Folders folders;
    LoadedBench bench;
    bench->mnuHelpSep1->trigger();
    bench->mnuHelpSep2->trigger();
    QVERIFY(bench.desktop.boxes.isEmpty());
    QVERIFY(bench.desktop.opened.isEmpty());
    QVERIFY(bench.desktop.started.isEmpty());
}

void tst_Help::lookUpOrder_data()
{
    QTest::addColumn<bool>("inWork");
    QTest::addColumn<bool>("inProgram");
    QTest::addColumn<QString>("from");
    QTest::newRow("working folder first") << true << true << "work";
    QTest::newRow("only the working folder") << true << false << "work";
    QTest::newRow("beside the program") << false << true << "program";
}

void tst_Help::lookUpOrder()
{
    QFETCH(bool, inWork);
    QFETCH(bool, inProgram);
    QFETCH(QString, from);
    Folders folders;
    if (inWork)
        writeFiles(folders.work.path(), kDocuments);
    if (inProgram)
        writeFiles(folders.program.path(), kDocuments);
    LoadedBench bench;
    bench->programFolder = folders.program.path();
    bench->mnuFilesHistory->trigger();
    bench->mnuHelpInstruction->trigger();
    const QDir expected(from == "work" ? folders.work.path() : folders.program.path());
    QCOMPARE(bench.desktop.opened, QStringList{expected.filePath("Korvel.pdf")});
    QCOMPARE(bench.desktop.started.value(0).value(1), expected.filePath("instruction.txt"));
}

void tst_Help::foundNowhere()
{
    Folders folders;
    LoadedBench bench;
    bench->programFolder = folders.program.path();
    bench->mnuFileSpravka2->trigger();
    bench->mnuHelpInstruction->trigger();
    QVERIFY(bench.desktop.opened.isEmpty());
    QVERIFY(bench.desktop.started.isEmpty());
    QCOMPARE(bench.desktop.captions(), QStringList({"Ошибка", "Ошибка"}));
    QVERIFY(bench.desktop.texts()[0].contains("«galvanometr.pdf»"));
    QVERIFY(bench.desktop.texts()[1].contains("«instruction.txt»"));
    QVERIFY(bench->isVisible());
}

void tst_Help::editorFails_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("viewer");
    QTest::addColumn<QString>("named");
    QTest::newRow("no editor on this desktop") << "" << true << true << "instruction.txt";
    QTest::newRow("the editor cannot start") << "mousepad" << false << true << "mousepad";
    QTest::newRow("no viewer for the documents") << "gedit" << true << false << "uprav.pdf";
}

void tst_Help::editorFails()
{
    QFETCH(QString, editor);
    QFETCH(bool, starts);
    QFETCH(bool, viewer);
    QFETCH(QString, named);
    Folders folders;
    writeFiles(folders.work.path(), kDocuments);
    LoadedBench bench;
    bench.desktop.editor = editor;
    bench.desktop.editorStarts = starts;
    bench.desktop.viewerWorks = viewer;
    if (viewer)
        bench->mnuHelpInstruction->trigger();
    else
        bench->mnuHelpUprav->trigger();
    QCOMPARE(bench.desktop.captions(), QStringList{"Ошибка"});
    QVERIFY2(bench.desktop.texts()[0].contains(named), qPrintable(bench.desktop.texts()[0]));
    QVERIFY(bench->isVisible());
    QVERIFY(!bench->isEnding());
}

void tst_Help::aboutText()
{
    LoadedBench bench;
    bench->mnuHelpAbout->trigger();
    QCOMPARE(bench.desktop.boxes.size(), 1);
    const FakeDesktop::Box box = bench.desktop.boxes[0];
    QCOMPARE(box.caption, QStringLiteral("О ПРОГРАММЕ"));
    QCOMPARE(box.buttons, Desktop::Buttons::Ok);
    QCOMPARE(box.text, ::aboutText());
    QCOMPARE(box.text.count("\r\n"), 10);
    QCOMPARE(box.text.count('\n'), 10);
    QCOMPARE(box.text.count('\r'), 10);
    const QStringList lines = box.text.split("\r\n");
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines[0], QStringLiteral("Программа моделирует работу моста Корвела при измерении "
                                      "сопротивлений"));
    QCOMPARE(lines[1], QStringLiteral("компенсационным методом."));
    QCOMPARE(lines[2], QStringLiteral(" "));
    QCOMPARE(lines[3], QStringLiteral("История версий:"));
    QVERIFY(lines[4].startsWith(QStringLiteral("версия 1.0.0, 28.04.2020, Windows XP")));
    QCOMPARE(lines[4].count(", "), 4); // five items
    QVERIFY(lines[4].endsWith(QStringLiteral(". ")));
    QCOMPARE(lines[5], QStringLiteral(" "));
    QVERIFY(lines[6].endsWith('.'));
    QVERIFY(lines[7].endsWith(QStringLiteral(". ")));
    QVERIFY(lines[9].endsWith(QStringLiteral(".    ")));
    QVERIFY(lines[10].endsWith(QStringLiteral(". ")) && !lines[10].endsWith(QStringLiteral("  ")));
    QVERIFY(!box.text.contains("http"));
}

void tst_Help::authorsText()
{
    const QString text = ::authorsText();
    QCOMPARE(text.count("\r\n"), 5);
    const QStringList lines = text.split("\r\n");
    QCOMPARE(lines.size(), 6);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(lines[i].size(), 36);
        QVERIFY(lines[i].trimmed().endsWith(i == 0 ? QString("2026") : QString(",")));
    }
    QVERIFY(lines[0].startsWith(QStringLiteral("\u00A9, ")));
    QVERIFY(!lines[5].endsWith(' '));
}

void tst_Help::authorsWindow()
{
    LoadedBench bench;
    bench->mnuHelpAvtors->trigger();
    Form2 *authors = bench->form2;
    QVERIFY(authors);
    QVERIFY(QTest::qWaitForWindowExposed(authors));
    QCOMPARE(authors->windowTitle(), QStringLiteral("Авторы"));
    QCOMPARE(authors->size(), QSize(222, 297));
    QCOMPARE(authors->parentWidget(), nullptr); // ownerless
    QVERIFY(!authors->isModal());
    QVERIFY(authors->minimumSize() != authors->maximumSize()); // resizable
    QCOMPARE(authors->Image1->geometry(), QRect(32, 8, 150, 180));
    QVERIFY(!authors->Image1->pixmap().isNull());
    QCOMPARE(authors->Label1->geometry(), QRect(8, 200, 209, 81));
    QCOMPARE(authors->label1Caption(), ::authorsText());
    // All six lines fit the label, none of them wrapped.
    const QRect text = authors->Label1->fontMetrics().boundingRect(
        authors->Label1->contentsRect(), Qt::AlignLeft | Qt::TextWordWrap, authors->Label1->text());
    QVERIFY(text.height() <= authors->Label1->height());
    QCOMPARE(text.height(), 6 * authors->Label1->fontMetrics().lineSpacing());
    QVERIFY(bench.desktop.boxes.isEmpty());
    QVERIFY(bench->isEnabled()); // the bench goes on working
}

// Wherever the bench stands, the Authors window opens over its centre: also when it is already
// open, and again after the user has closed it.
void tst_Help::authorsFollowTheBench()
{
    LoadedBench bench;
    Form1 &form = *bench.form;
    auto centred = [&] {
        const QPoint a = form.frameGeometry().center(), b = form.form2->frameGeometry().center();
        return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
    };
    form.move(40, 30);
    form.mnuHelpAvtors_Click();
    QTRY_VERIFY(centred()); // a new window's frame is known only once it is on screen
    form.move(300, 200);
    QPointer<Form2> first = form.form2;
    form.mnuHelpAvtors_Click();
    QCOMPARE(form.form2.data(), first.data()); // the same window, moved
    QVERIFY(centred());
    form.form2->close();
    QTRY_VERIFY(!first);
    form.move(120, 90);
    form.mnuHelpAvtors_Click();
    QVERIFY(form.form2);
    QVERIFY(form.form2->isVisible());
    QCOMPARE(form.form2->label1Caption(), ::authorsText());
    QTRY_VERIFY(centred());
}

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
