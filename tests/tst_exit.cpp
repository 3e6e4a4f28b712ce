// The program ends when the user confirms leaving, whatever is open on the bench at that moment: a
// reveal's pause, a refusal box, a held bar, a drag, the Authors window, a document's error box, a
// menu. Each case runs the bench as the program does, in a process of its own with the real
// message boxes and its own run loop; the exit question is answered "Да" like a user would.
#include "app/real_desktop.h"
#include "bench_fixture.h"

#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

namespace {

/** A line to the test that runs this process, at once. */
void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

/** What the bench shows: its switches and the controls on view. */
QString shown(BenchWindow &form)
{
    const CircuitState &s = stateOf(form);
    return QStringLiteral("key %1 source %2 slider %3 %4")
        .arg(s.rabota)
        .arg(s.istochnik)
        .arg(control<ScrollBar>(form, "HScroll1")->benchValue())
        .arg(shownControls(form).join(QLatin1Char(',')));
}

/** Tells of every message box that opens, and answers the exit question "Да". */
class BoxWatch : public QObject
{
  public:
    explicit BoxWatch(BenchWindow &form) : m_form(form) { qApp->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (!box || event->type() != QEvent::Show)
            return false;
        say(QStringLiteral("box ") + box->text());
        if (box->text().contains(QStringLiteral("Вы абсолютно уверены?")))
            QTimer::singleShot(50, box, [this, box] {
                say(QStringLiteral("answered ") + shown(m_form));
                box->button(QMessageBox::Yes)->click();
            });
        return false;
    }

  private:
    BenchWindow &m_form;
};

/** A session manager that lets the bench ask the user before the session ends. */
class SessionEnding : public BenchWindow::LogOff
{
  public:
    bool allowsInteraction() override { return true; }
    void release() override {}
    void cancel() override { say(QStringLiteral("log-off cancelled")); }
};

/** The bench as the program runs it, with one case set up and the user asking to leave. */
int runCase(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString situation = QString::fromLatin1(argv[2]);
    const bool logOff = QString::fromLatin1(argv[3]) == QLatin1String("log-off");
    RealDesktop desktop;
    QTemporaryDir nowhere; // a document looked for here and in no other folder is not found
    BenchWindow form(desktop, {nowhere.path(), nowhere.path()});
    QObject::connect(&form, &BenchWindow::ended, &app, [] { QCoreApplication::exit(0); });
    form.start();
    BoxWatch watch(form);
    SessionEnding session;
    auto leave = [&] {
        if (logOff)
            form.answerLogOff(session);
        else
            form.close();
    };
    auto command = [&](const char *name) { form.findChild<QAction *>(name)->trigger(); };
    // The user asks to leave a moment after the case is set up; setting it up may not return
    // until then (a pause, a box).
    QTimer::singleShot(400, &form, leave);
    QTimer::singleShot(100, &form, [&] {
        if (situation != QLatin1String("idle") && situation != QLatin1String("authors") &&
            situation != QLatin1String("document") && situation != QLatin1String("menu"))
            clickItem(form, control<BenchLabel>(form, "Lblvkl"));
        if (situation == QLatin1String("pause")) {
            clickItem(form, control<BenchImage>(form, "Image5"));
        } else if (situation == QLatin1String("refusal")) {
            // The box at 0 Ω with the source on burns the galvanometer.
            clickItem(form, control<SourcePicture>(form, "Image1"));
        } else if (situation == QLatin1String("held bar")) {
            auto *bar = control<ScrollBar>(form, "HScroll1");
            QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier,
                              bar->partRect(QStyle::SC_ScrollBarAddLine).center());
        } else if (situation == QLatin1String("drag")) {
            const QRectF jockey = control<BenchImage>(form, "Image4")->bounds();
            const QPoint at(qRound(jockey.center().x()), qRound(jockey.bottom() - 6));
            QTest::mousePress(benchOf(form), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseMove(benchOf(form), at + QPoint(30, 0));
        } else if (situation == QLatin1String("authors")) {
            command("mnuHelpAvtors");
        } else if (situation == QLatin1String("document")) {
            command("mnuFileSpravka1");
        } else if (situation == QLatin1String("menu")) {
            form.findChild<QMenu *>(QStringLiteral("mnuFile"))
                ->popup(form.mapToGlobal(QPoint(4, 4)));
        }
    });
    const int status = app.exec();
    say(QStringLiteral("ended ") + shown(form));
    return status;
}

} // namespace

class tst_Exit : public QObject
{
    Q_OBJECT
  private slots:
    void leaving_data();
    void leaving();
};

void tst_Exit::leaving_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("how");
    // A box is modal: only the session's end reaches the bench while one is up.
    const struct
    {
        const char *situation;
        bool byClose;
    } cases[] = {{"idle", true}, {"pause", true},   {"refusal", false},  {"held bar", true},
                 {"drag", true}, {"authors", true}, {"document", false}, {"menu", true}};
    for (const auto &c : cases) {
        if (c.byClose)
            QTest::newRow(qPrintable(QStringLiteral("%1, window closed").arg(c.situation)))
                << QString::fromLatin1(c.situation) << QStringLiteral("close");
        QTest::newRow(qPrintable(QStringLiteral("%1, session ending").arg(c.situation)))
            << QString::fromLatin1(c.situation) << QStringLiteral("log-off");
    }
}

// After "Да" the process ends with status 0 within a second, no box opens, and the bench shows at
// its end what it showed when the user answered.
void tst_Exit::leaving()
{
    QFETCH(QString, situation);
    QFETCH(QString, how);
    QProcess bench;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    bench.setProcessEnvironment(env);
    QTemporaryDir work; // where no document lies
    bench.setWorkingDirectory(work.path());
    QStringList lines;
    QElapsedTimer clock;
    qint64 answeredAt = -1;
    QByteArray pending;
    connect(&bench, &QProcess::readyReadStandardOutput, this, [&] {
        pending += bench.readAllStandardOutput();
        for (int end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            lines << QString::fromUtf8(pending.left(end));
            if (lines.last().startsWith(QLatin1String("answered")))
                answeredAt = clock.elapsed();
        }
    });
    clock.start();
    bench.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--case"), situation, how});
    QVERIFY(bench.waitForStarted());
    QVERIFY2(bench.waitForFinished(20000), qPrintable(lines.join(QLatin1Char('\n'))));
    const qint64 endedAt = clock.elapsed();
    pending += bench.readAllStandardOutput();
    if (!pending.isEmpty())
        lines += QString::fromUtf8(pending).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString told = lines.join(QLatin1Char('\n'));
    QCOMPARE(bench.exitStatus(), QProcess::NormalExit);
    QCOMPARE(bench.exitCode(), 0);
    int answer = -1;
    for (int i = 0; i < lines.size() && answer < 0; ++i)
        if (lines[i].startsWith(QLatin1String("answered ")))
            answer = i;
    QVERIFY2(answer >= 0, qPrintable(told));
    QVERIFY2(answeredAt >= 0 && endedAt - answeredAt < 1000,
             qPrintable(QStringLiteral("ended %1 ms after the answer").arg(endedAt - answeredAt)));
    for (int i = answer + 1; i < lines.size(); ++i)
        QVERIFY2(!lines[i].startsWith(QLatin1String("box ")) &&
                     !lines[i].startsWith(QLatin1String("log-off")),
                 qPrintable(told));
    QCOMPARE(lines.last().mid(int(strlen("ended "))), lines[answer].mid(int(strlen("answered "))));
}

int main(int argc, char **argv)
{
    if (argc == 4 && QByteArray(argv[1]) == "--case")
        return runCase(argc, argv);
    QApplication app(argc, argv);
    tst_Exit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_exit.moc"
