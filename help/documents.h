// The reference documents and the laboratory instruction, opened from the menus.
#pragma once

#include <QString>

class Circuit;
class Desktop;
class QWidget;

/** Finds the bench's documents and opens them on the desktop, or tells the user why not. */
class Documents
{
  public:
    /** Refusals go through the circuit's box, over its window. */
    Documents(Desktop &desktop, QWidget *window, Circuit &circuit);

    /** Where documents are looked for after the working folder, then last. */
    void setFolders(const QString &programFolder, const QString &dataFolder);

    /** A PDF in the desktop's viewer. */
    void open(const QString &fileName);
    /** The plain-text instruction in the desktop's text editor. */
    void openInstruction();

  private:
    QString find(const QString &fileName);
    void cannotOpen(const QString &fileName);

    Desktop &m_desktop;
    QWidget *m_window;
    Circuit &m_circuit;
    QString m_programFolder, m_dataFolder;
};
