// Tests of the help commands: documents and their look-up, the instruction, About and Authors.
#include "app/authors_window.h"
#include "app/real_desktop.h"
#include "bench_fixture.h"
#include "help/about.h"

#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

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

// Runs the test body in a fresh working folder, program folder and data folder.
struct Folders
{
    QTemporaryDir work;
    QTemporaryDir program;
    QTemporaryDir data;
    QString previous = QDir::currentPath();
    Folders() { QDir::setCurrent(work.path()); }
    ~Folders() { QDir::setCurrent(previous); }
};

QAction *action(BenchWindow &form, const QString &name)
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
    void opener_data();
    void opener();
    void aboutBoxLines();
    void aboutText();
    void authorsText();
    void authorsWindow();
    void authorsUnderAnotherDefaultFont_data();
    void authorsUnderAnotherDefaultFont();
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
    LoadedBench bench({folders.program.path(), folders.data.path()});
    BenchWindow &form = *bench.form;
    control<BenchLabel>(form, "Lblvkl")->onClick();
    const double box = stateOf(form).R_m, key = stateOf(form).rabota;
    const QString current = control<ReadoutBox>(form, "Picture2")->text();
    for (int twice = 0; twice < 2; ++twice)
        action(form, item)->trigger();
    const QString path = QDir(folders.work.path()).filePath(file);
    QCOMPARE(bench.desktop.opened, QStringList({path, path})); // asked each time
    QVERIFY(bench.desktop.boxes.isEmpty());
    QCOMPARE(stateOf(form).R_m, box);
    QCOMPARE(stateOf(form).rabota, key);
    QCOMPARE(control<ReadoutBox>(form, "Picture2")->text(), current);
}

void tst_Help::instruction()
{
    Folders folders;
    writeFiles(folders.work.path(), kDocuments);
    LoadedBench bench({folders.program.path(), folders.data.path()});
    action(*bench.form, "mnuHelpInstruction")->trigger();
    const QString path = QDir(folders.work.path()).filePath("instruction.txt");
#ifdef Q_OS_WIN
    // "notepad.exe instruction.txt" started in the documents' folder, as on the lab computers.
    QCOMPARE(bench.desktop.started, QList<QStringList>{QStringList({"gedit", "instruction.txt"})});
    QCOMPARE(bench.desktop.startedIn, QStringList{QFileInfo(path).absolutePath()});
#else
    QCOMPARE(bench.desktop.started, QList<QStringList>{QStringList({"gedit", path})});
    QCOMPARE(bench.desktop.startedIn, QStringList{QString()});
#endif
    QVERIFY(bench.desktop.opened.isEmpty());
    QVERIFY(bench.desktop.boxes.isEmpty());
}

void tst_Help::separatorsDoNothing()
{
    Folders folders;
    LoadedBench bench;
    control<QAction>(*bench, "mnuHelpSep1")->trigger();
    control<QAction>(*bench, "mnuHelpSep2")->trigger();
    QVERIFY(bench.desktop.boxes.isEmpty());
    QVERIFY(bench.desktop.opened.isEmpty());
    QVERIFY(bench.desktop.started.isEmpty());
}

void tst_Help::lookUpOrder_data()
{
    QTest::addColumn<bool>("inWork");
    QTest::addColumn<bool>("inProgram");
    QTest::addColumn<bool>("inData");
    QTest::addColumn<QString>("from");
    QTest::newRow("working folder first") << true << true << true << "work";
    QTest::newRow("only the working folder") << true << false << false << "work";
    QTest::newRow("beside the program") << false << true << false << "program";
    QTest::newRow("beside the program before the data folder")
        << false << true << true << "program";
    QTest::newRow("the data folder last") << false << false << true << "data";
}

void tst_Help::lookUpOrder()
{
    QFETCH(bool, inWork);
    QFETCH(bool, inProgram);
    QFETCH(bool, inData);
    QFETCH(QString, from);
    Folders folders;
    if (inWork)
        writeFiles(folders.work.path(), kDocuments);
    if (inProgram)
        writeFiles(folders.program.path(), kDocuments);
    if (inData)
        writeFiles(folders.data.path(), kDocuments);
    LoadedBench bench({folders.program.path(), folders.data.path()});
    control<QAction>(*bench, "mnuFilesHistory")->trigger();
    control<QAction>(*bench, "mnuHelpInstruction")->trigger();
    const QDir expected(from == "work"      ? folders.work.path()
                        : from == "program" ? folders.program.path()
                                            : folders.data.path());
    QCOMPARE(bench.desktop.opened, QStringList{expected.filePath("Korvel.pdf")});
#ifdef Q_OS_WIN
    QCOMPARE(bench.desktop.started.value(0).value(1), QStringLiteral("instruction.txt"));
    QCOMPARE(bench.desktop.startedIn.value(0), QFileInfo(expected.path()).absoluteFilePath());
#else
    QCOMPARE(bench.desktop.started.value(0).value(1), expected.filePath("instruction.txt"));
#endif
}

void tst_Help::foundNowhere()
{
    Folders folders;
    LoadedBench bench({folders.program.path(), folders.data.path()});
    control<QAction>(*bench, "mnuFileSpravka2")->trigger();
    control<QAction>(*bench, "mnuHelpInstruction")->trigger();
    QVERIFY(bench.desktop.opened.isEmpty());
    QVERIFY(bench.desktop.started.isEmpty());
    QCOMPARE(bench.desktop.captions(), QStringList({"Ошибка", "Ошибка"}));
    QVERIFY(bench.desktop.texts()[0].contains("«galvanometr.pdf»"));
    QVERIFY(bench.desktop.texts()[1].contains("«instruction.txt»"));
    // The message names the data folder, where an installation keeps the documents.
    QVERIFY(bench.desktop.texts()[0].contains(QDir::toNativeSeparators(folders.data.path())));
    QVERIFY(bench->isVisible());
}

void tst_Help::editorFails_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("viewer");
    QTest::addColumn<bool>("viewerFailsLater");
    QTest::addColumn<QString>("named");
    // Each box names the document where it lies, so that the student can open it another way.
    QTest::newRow("no editor on this desktop")
        << "" << true << true << false << "«{work}/instruction.txt»";
    QTest::newRow("the editor cannot start")
        << "mousepad" << false << true << false << "«mousepad» для файла «{work}/instruction.txt»";
    QTest::newRow("no viewer for the documents")
        << "gedit" << true << false << false << "«{work}/uprav.pdf»";
    QTest::newRow("the opener finds no viewer")
        << "gedit" << true << true << true << "«{work}/uprav.pdf»";
}

void tst_Help::editorFails()
{
    QFETCH(QString, editor);
    QFETCH(bool, starts);
    QFETCH(bool, viewer);
    QFETCH(bool, viewerFailsLater);
    QFETCH(QString, named);
    Folders folders;
    writeFiles(folders.work.path(), kDocuments);
    LoadedBench bench;
    bench.desktop.editor = editor;
    bench.desktop.editorStarts = starts;
    bench.desktop.viewerWorks = viewer;
    bench.desktop.viewerFailsLater = viewerFailsLater;
    if (viewer && !viewerFailsLater)
        control<QAction>(*bench, "mnuHelpInstruction")->trigger();
    else
        control<QAction>(*bench, "mnuHelpUprav")->trigger();
    QTRY_COMPARE(bench.desktop.captions(), QStringList{"Ошибка"});
    named.replace(QStringLiteral("{work}/"),
                  QDir::toNativeSeparators(folders.work.path() + QLatin1Char('/')));
    QVERIFY2(bench.desktop.texts()[0].contains(named), qPrintable(bench.desktop.texts()[0]));
    QVERIFY(bench->isVisible());
    QVERIFY(!bench.driver().isEnding());
}

// The desktop's opener hands the document on and reports by its exit status whether a viewer took
// it; a stand-in opener plays both outcomes.
void tst_Help::opener_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("failed");
    QTest::newRow("a viewer took it") << 0 << false;
    QTest::newRow("no viewer for PDF") << 3 << true;
}

void tst_Help::opener()
{
#ifdef Q_OS_WIN
    QSKIP("Windows opens documents through the shell's associations, not an opener program");
#endif
    QFETCH(int, exitCode);
    QFETCH(bool, failed);
    QTemporaryDir dir;
    const QString script = dir.filePath("opener");
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\necho \"$1\" > \"%1\"\nexit %2\n")
                   .arg(dir.filePath("asked"))
                   .arg(exitCode)
                   .toUtf8());
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    RealDesktop desktop(script);
    QObject context;
    int failures = 0;
    QVERIFY(desktop.openDocument(dir.filePath("uprav.pdf"), &context, [&] { ++failures; }));
    QTRY_VERIFY(QFile::exists(dir.filePath("asked")));
    QTRY_VERIFY(context.findChildren<QProcess *>().isEmpty()); // the opener has finished
    QCOMPARE(failures, failed ? 1 : 0);
    QVERIFY(!RealDesktop(dir.filePath("missing"))
                 .openDocument(dir.filePath("uprav.pdf"), &context, [&] { ++failures; }));
}

// In the real box every line of the About text stands on a line of its own.
void tst_Help::aboutBoxLines()
{
    RealDesktop desktop;
    QStringList shown;
    bool unbroken = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        QTextDocument document;
        document.setHtml(label->text());
        shown = document.toPlainText().replace(QChar::LineSeparator, '\n').split('\n');
        // At the width it was given the label is no taller than with all the room it could want:
        // no line is broken.
        unbroken = label->heightForWidth(label->width()) == label->heightForWidth(100000);
        box->done(QMessageBox::Ok);
    });
    desktop.messageBox(nullptr, ::aboutText(), QStringLiteral("О ПРОГРАММЕ"), Desktop::Buttons::Ok);
    QCOMPARE(shown.size(), 11);
    QVERIFY(unbroken);
    QCOMPARE(shown[0].replace(QChar::Nbsp, ' '), ::aboutText().split("\r\n")[0]);
}

void tst_Help::aboutText()
{
    LoadedBench bench;
    control<QAction>(*bench, "mnuHelpAbout")->trigger();
    QCOMPARE(bench.desktop.boxes.size(), 1);
    const FakeDesktop::Box box = bench.desktop.boxes[0];
    QCOMPARE(box.caption, QStringLiteral("О ПРОГРАММЕ"));
    QCOMPARE(box.buttons, Desktop::Buttons::Ok);
    // Eleven lines: the sentence on what the program does (over two lines), a blank line, the
    // version history, a blank line, and the registration record with its bulletin reference.
    const QStringList expected = {
        "Программа моделирует работу моста Корвела при измерении сопротивлений",
        "компенсационным методом.",
        " ",
        "История версий:",
        "версия 1.0.0, 28.04.2020, Windows XP - 10, коллектив разработчиков стенда, C++ и Qt 6. ",
        " ",
        "Свидетельство о государственной регистрации программы не оформлялось.",
        "Дата внесения в реестр программ отсутствует: программа в реестр не вносилась. ",
        "Публикация в официальном бюллетене не производилась;",
        "год, номер и страница бюллетеня отсутствуют.    ",
        "Веб-адрес публикации отсутствует. "};
    QCOMPARE(box.text, expected.join("\r\n"));
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

// All six lines fit the label, none of them wrapped: the text takes the same height in the label
// as it does unbroken.
void verifyCreditsFit(const QLabel *label)
{
    const QFontMetrics metrics = label->fontMetrics();
    const QRect text = metrics.boundingRect(label->contentsRect(), Qt::AlignLeft | Qt::TextWordWrap,
                                            label->text());
    const QRect unbroken =
        metrics.boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, label->text());
    QVERIFY(text.height() <= label->height());
    QCOMPARE(label->text().count('\n'), 5);
    QCOMPARE(text.height(), unbroken.height());
    QVERIFY(unbroken.width() <= label->contentsRect().width());
}

void tst_Help::authorsWindow()
{
    LoadedBench bench;
    control<QAction>(*bench, "mnuHelpAvtors")->trigger();
    AuthorsWindow *authors = BenchDriver::authorsWindow();
    QVERIFY(authors);
    QVERIFY(QTest::qWaitForWindowExposed(authors));
    QCOMPARE(authors->windowTitle(), QStringLiteral("Авторы"));
    QCOMPARE(authors->size(), QSize(222, 297));
    QCOMPARE(authors->parentWidget(), nullptr); // ownerless
    QVERIFY(!authors->isModal());
    QVERIFY(authors->minimumSize() != authors->maximumSize()); // resizable
    const QLabel *portrait = authors->findChild<QLabel *>(QStringLiteral("Image1"));
    const QLabel *credits = authors->findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(portrait->geometry(), QRect(32, 8, 150, 180));
    QVERIFY(!portrait->pixmap().isNull());
    QCOMPARE(credits->geometry(), QRect(8, 200, 209, 81));
    QCOMPARE(credits->text(), QString(::authorsText()).replace("\r\n", "\n"));
    verifyCreditsFit(credits);
    QVERIFY(bench.desktop.boxes.isEmpty());
    QVERIFY(bench->isEnabled()); // the bench goes on working
}

// The credits choose their own font: a large or wide default font of the desktop does not push
// them out of the label.
void tst_Help::authorsUnderAnotherDefaultFont_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("wide monospace") << "Liberation Mono" << 13;
    QTest::newRow("large serif") << "Liberation Serif" << 18;
    QTest::newRow("unknown family") << "No Such Family" << 15;
}

void tst_Help::authorsUnderAnotherDefaultFont()
{
    QFETCH(QString, family);
    QFETCH(int, pixelSize);
    const QFont before = QApplication::font();
    QFont font(family);
    font.setPixelSize(pixelSize);
    QApplication::setFont(font);
    {
        LoadedBench bench;
        control<QAction>(*bench, "mnuHelpAvtors")->trigger();
        QVERIFY(BenchDriver::authorsWindow());
        QVERIFY(QTest::qWaitForWindowExposed(BenchDriver::authorsWindow()));
        verifyCreditsFit(BenchDriver::authorsWindow()->findChild<QLabel *>("Label1"));
    }
    QApplication::setFont(before);
}

// Wherever the bench stands, the Authors window opens over its centre: also when it is already
// open, and again after the user has closed it.
void tst_Help::authorsFollowTheBench()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    auto centred = [&] {
        const QPoint a = form.frameGeometry().center(),
                     b = BenchDriver::authorsWindow()->frameGeometry().center();
        return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
    };
    form.move(40, 30);
    control<QAction>(form, "mnuHelpAvtors")->trigger();
    QTRY_VERIFY(centred()); // a new window's frame is known only once it is on screen
    form.move(300, 200);
    QPointer<AuthorsWindow> first = BenchDriver::authorsWindow();
    control<QAction>(form, "mnuHelpAvtors")->trigger();
    QCOMPARE(BenchDriver::authorsWindow(), first.data()); // the same window, moved
    QVERIFY(centred());
    BenchDriver::authorsWindow()->close();
    QTRY_VERIFY(!first);
    form.move(120, 90);
    control<QAction>(form, "mnuHelpAvtors")->trigger();
    QVERIFY(BenchDriver::authorsWindow());
    QVERIFY(BenchDriver::authorsWindow()->isVisible());
    QCOMPARE(BenchDriver::authorsWindow()->findChild<QLabel *>("Label1")->text(),
             QString(::authorsText()).replace("\r\n", "\n"));
    QTRY_VERIFY(centred());
}

QTEST_MAIN(tst_Help)
#include "tst_help.moc"
