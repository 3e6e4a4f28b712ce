// The reference documents and the laboratory instruction, opened from the menus.
#pragma once

#include <QString>
#include <functional>

class Desktop;
class QWidget;

/** Where the documents are looked for after the working folder: the program's, then the data's. */
struct DocumentFolders
{
    QString program, data;
};

/** Finds the bench's documents and opens them on the desktop, or tells the user why not. */
class Documents
{
  public:
    /** Boxes open over `window`; a late report of the desktop is told only while `running`. */
    Documents(Desktop &desktop, QWidget *window, DocumentFolders folders,
              std::function<bool()> running);

    /** A PDF in the desktop's viewer. */
    void open(const QString &fileName);
    /** The plain-text instruction in the desktop's text editor. */
    void openInstruction();

  private:
    QString find(const QString &fileName);
    void cannotOpen(const QString &path);
    bool startEditor(const QString &editor, const QString &path);
    void showError(const QString &text);

    Desktop &m_desktop;
    QWidget *m_window;
    std::function<bool()> m_running;
    DocumentFolders m_folders;
};
