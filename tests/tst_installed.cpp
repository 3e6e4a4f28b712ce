// Run from the bin folder of an installed tree, in a working folder without documents: the bench
// opens each of its documents from the data folder named by KORVEL_EXPECTED_DATA.
#include "bench_fixture.h"

#include <QFileInfo>

class tst_Installed : public QObject
{
    Q_OBJECT
  private slots:
    void documentsFromTheDataFolder();
};

void tst_Installed::documentsFromTheDataFolder()
{
    const QString data = qEnvironmentVariable("KORVEL_EXPECTED_DATA");
    QVERIFY2(QFileInfo(data).isDir(), "KORVEL_EXPECTED_DATA names no folder");
    const QDir program(QCoreApplication::applicationDirPath());
    QVERIFY2(!program.exists("Korvel.pdf"), "the documents lie beside the program");
    QVERIFY(!QDir::current().exists("Korvel.pdf"));

    LoadedBench bench;
    const QList<QPair<QAction *, QString>> commands = {
        {control<QAction>(*bench, "mnuFileSpravka1"), "spravka1.pdf"},
        {control<QAction>(*bench, "mnuFileSpravka2"), "galvanometr.pdf"},
        {control<QAction>(*bench, "mnuFileSpravka3"), "reochord.pdf"},
        {control<QAction>(*bench, "mnuFilesHistory"), "Korvel.pdf"},
        {control<QAction>(*bench, "mnuHelpUprav"), "uprav.pdf"}};
    QStringList expected;
    for (const auto &[action, file] : commands) {
        action->trigger();
        expected << QFileInfo(QDir(data).filePath(file)).canonicalFilePath();
    }
    control<QAction>(*bench, "mnuHelpInstruction")->trigger();
    QCOMPARE(bench.desktop.texts(), QStringList());
    QStringList opened;
    for (const QString &path : bench.desktop.opened)
        opened << QFileInfo(path).canonicalFilePath();
    QCOMPARE(opened, expected);
    QCOMPARE(bench.desktop.started.size(), 1);
    QCOMPARE(QFileInfo(bench.desktop.started[0].value(1)).canonicalFilePath(),
             QFileInfo(QDir(data).filePath("instruction.txt")).canonicalFilePath());
}

QTEST_MAIN(tst_Installed)
#include "tst_installed.moc"
