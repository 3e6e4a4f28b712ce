// The main window: the bench of instruments, its menus, its start-up and its shutdown.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "help/documents.h"

class AnnouncingDesktop;
class BenchCanvas;
class BenchLabel;
class Circuit;
class Desktop;
class AuthorsWindow;
class QSessionManager;

/** The bench window: builds the instruments, lays them out, and owns the menus. */
class BenchWindow : public QMainWindow
{
    Q_OBJECT
  public:
    /** Where the bench looks for its documents after the working folder: beside the program,
     * then in the data folder of the prefix it is installed under. */
    static DocumentFolders installedFolders();

    explicit BenchWindow(Desktop &desktop, const DocumentFolders &folders = installedFolders(),
                         QWidget *parent = nullptr);
    ~BenchWindow() override;

    /** Loads the bench hidden, then shows it centred on the screen. */
    void start();

    /** Centres the whole window, frame and menu bar included, on its screen. */
    void centreOnScreen();

    /** What the bench asks of the session manager when the session ends. */
    class LogOff
    {
      public:
        virtual ~LogOff() = default;
        /** True when the user may be asked before the session ends. */
        virtual bool allowsInteraction() = 0;
        /** The bench has asked: the session manager may go on with the other programs. */
        virtual void release() = 0;
        /** The user wants to stay: the session does not end. */
        virtual void cancel() = 0;
    };
    /** The session is ending: asks as closing the window does, and cancels it on No. */
    void answerLogOff(LogOff &logOff);

  signals:
    /**
     * The user has confirmed leaving: nothing more runs on the bench, its windows, boxes and menus
     * are gone. The program ends every event loop on it, the nested ones (a box, a pause) too.
     */
    void ended();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildMenus();
    void showAbout();
    void showAuthors();
    /** Asks the user to confirm leaving; true when the bench is ending. */
    bool confirmEnd();
    /** Ends the bench at once, whatever is open on it. */
    void end();
    void commitData(QSessionManager &manager);

    std::unique_ptr<AnnouncingDesktop> m_announcer; // boxes reach screen readers as well
    Desktop &m_desktop;
    BenchCanvas *m_bench;
    BenchLabel *m_debugNote;
    Circuit *m_circuit;
    std::unique_ptr<Documents> m_documents;
    QPointer<AuthorsWindow> m_authors;
};
