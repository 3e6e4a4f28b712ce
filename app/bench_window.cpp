// The main window: the bench of instruments, its menus, its start-up and its shutdown.
#include "app/bench_window.h"

#include "app/authors_window.h"
#include "app/bench_access.h"
#include "app/bench_layout.h"
#include "controls/circuit.h"
#include "help/about.h"
#include "help/documents.h"
#include "toolkit/announcing_desktop.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/bench_style.h"
#include "toolkit/bundled_fonts.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/svg_cache.h"
#include "toolkit/window_placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>

DocumentFolders BenchWindow::installedFolders()
{
    const QString program = QCoreApplication::applicationDirPath();
    // The installed tree can sit under any prefix: its data folder is found from the program's.
    return {program,
            QDir::cleanPath(QDir(program).filePath(QStringLiteral(KORVEL_DATA_FROM_PROGRAM)))};
}

BenchWindow::BenchWindow(Desktop &desktop, const DocumentFolders &folders, QWidget *parent)
    : QMainWindow(parent), m_announcer(std::make_unique<AnnouncingDesktop>(desktop)),
      m_desktop(*m_announcer)
{
    // The artwork's fonts, before anything is drawn, where the program carries them.
    loadBundledFonts();
    setWindowTitle(QStringLiteral("Моделирование моста Корвела"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // The icon as the build drew it at the sizes a desktop asks for.
    setWindowIcon(SvgCache::icon(QStringLiteral(":/assets/icon.svg")));
    BenchStyle::install(); // before the menu bar asks for its icons

    m_bench = new BenchCanvas(this);
    m_bench->setFixedSize(640, 480);
    m_bench->setBackground(QColor(224, 224, 224));
    setCentralWidget(m_bench);
    const BenchControls controls = layOutBench(*m_bench);
    m_debugNote = controls.debugNote;
    m_circuit = new Circuit(m_desktop, this);
    // The instruments listen to the circuit in this order: the unknown resistor's value shows
    // before the measured one, and the key's picture changes after the bars it shows or hides.
    const std::initializer_list<const Instrument *> instruments = {
        new Source(*m_circuit, controls.source),
        new Rheostat(*m_circuit, controls.rheostat),
        new SlideWire(*m_circuit, controls.slideWire),
        new ResistanceBox(*m_circuit, controls.box),
        new UnknownResistor(*m_circuit, controls.unknown),
        new Galvanometer(*m_circuit, controls.galvanometer),
        new Key(*m_circuit, controls.key)};
    m_documents = std::make_unique<Documents>(m_desktop, this, folders,
                                              [this] { return !m_circuit->isEnding(); });

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    makeAccessible(*m_bench, controls, instruments, *m_announcer);
    // No control of the bench has a context menu, nor has the window.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &BenchWindow::commitData);
}

BenchWindow::~BenchWindow()
{
    if (m_authors)
        delete m_authors.data();
}

void BenchWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Помощь"));
    file->setObjectName(QStringLiteral("mnuFile"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    auto document = [this](const char *fileName) {
        return [this, fileName] { m_documents->open(QString::fromLatin1(fileName)); };
    };
    // Each command under its system name; a separator has no command. The first separator
    // belongs to the file menu, whatever its name says.
    const struct
    {
        QMenu *menu;
        const char *name, *text;
        std::function<void()> command;
    } commands[] = {
        {file, "mnuFileSpravka1", "Справка", document("spravka1.pdf")},
        {file, "mnuFileSpravka2", "Гальванометр", document("galvanometr.pdf")},
        {file, "mnuFileSpravka3", "Реохорд", document("reochord.pdf")},
        {file, "mnuHelpSep1", nullptr, nullptr},
        {file, "mnuFilesHistory", "Корвел", document("Korvel.pdf")},
        {help, "mnuHelpInstruction", "Инструкция", [this] { m_documents->openInstruction(); }},
        {help, "mnuHelpUprav", "Управление", document("uprav.pdf")},
        {help, "mnuHelpSep2", nullptr, nullptr},
        {help, "mnuHelpAvtors", "Авторы", [this] { showAuthors(); }},
        {help, "mnuHelpAbout", "&О программе", [this] { showAbout(); }},
    };
    for (const auto &c : commands) {
        QAction *action =
            c.text ? c.menu->addAction(QString::fromUtf8(c.text)) : c.menu->addSeparator();
        action->setObjectName(QString::fromLatin1(c.name));
        if (c.command)
            connect(action, &QAction::triggered, this, m_circuit->whileRunning(c.command));
    }
}

void BenchWindow::showAbout()
{
    m_desktop.messageBox(this, aboutText(), QStringLiteral("О ПРОГРАММЕ"), Desktop::Buttons::Ok);
}

// The Authors window opens centred over the bench wherever the bench now stands; closing it
// destroys it, and the next command makes it anew.
void BenchWindow::showAuthors()
{
    if (!m_authors)
        m_authors = new AuthorsWindow();
    m_authors->setCredits(authorsText());
    m_authors->centreOver(this);
    m_authors->show();
    m_authors->raise();
    m_authors->activateWindow();
}

void BenchWindow::start()
{
    centreOnScreen();
    m_debugNote->setVisible(false);
    m_circuit->start();
    // The window is centred before its frame exists; once the window manager has framed it, it is
    // centred once more with the frame's true size, and never again.
    placeWhenFramed(this, m_circuit->whileRunning([this] { centreOnScreen(); }));
    show();
}

bool BenchWindow::confirmEnd()
{
    if (m_circuit->isEnding())
        return true;
    const Desktop::Answer answer =
        m_desktop.messageBox(this, QStringLiteral("Вы абсолютно уверены?"),
                             QStringLiteral("На Выход"), Desktop::Buttons::YesNo);
    if (answer != Desktop::Answer::Yes)
        return false;
    end();
    return true;
}

// Nothing more runs on the bench: every pause returns, no handler acts, no box opens, a held bar
// or a drag lets go; the Authors window and any open menu close. Then every event loop ends: the
// program's own and those of a box or a pause that the answer came from within.
void BenchWindow::end()
{
    m_circuit->end();
    m_announcer->silence();
    ScrollBar::letGo();
    m_bench->endDrag();
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    if (m_authors)
        m_authors->close();
    emit ended();
    // The run loop ends once every window has closed; the program itself also ends the loops
    // within it (main() does, on ended()), so that no window or box can hold the end up.
    QCoreApplication::quit();
}

namespace {

// The session manager as the bench asks it.
class SessionLogOff : public BenchWindow::LogOff
{
  public:
    explicit SessionLogOff(QSessionManager &manager) : m_manager(manager) {}
    bool allowsInteraction() override { return m_manager.allowsInteraction(); }
    void release() override { m_manager.release(); }
    void cancel() override { m_manager.cancel(); }

  private:
    QSessionManager &m_manager;
};

} // namespace

// Log-off and shutdown ask the bench to close too, where the session lets it ask the user.
void BenchWindow::commitData(QSessionManager &manager)
{
    SessionLogOff logOff(manager);
    answerLogOff(logOff);
}

void BenchWindow::answerLogOff(LogOff &logOff)
{
    if (!logOff.allowsInteraction())
        return;
    const bool ending = confirmEnd();
    logOff.release();
    if (!ending)
        logOff.cancel();
}

void BenchWindow::closeEvent(QCloseEvent *event)
{
    if (confirmEnd())
        event->accept();
    else
        event->ignore();
}

void BenchWindow::centreOnScreen()
{
    if (layout())
        layout()->activate();
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    centreFrameIn(this, screen->geometry());
}
