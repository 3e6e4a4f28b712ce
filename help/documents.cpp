// The reference documents and the laboratory instruction, opened from the menus.
#include "help/documents.h"

#include "toolkit/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

Documents::Documents(Desktop &desktop, QWidget *window, DocumentFolders folders,
                     std::function<bool()> running)
    : m_desktop(desktop), m_window(window), m_running(std::move(running)),
      m_folders(std::move(folders))
{
}

// Refusals: a modal box captioned "Ошибка" with an OK button only.
void Documents::showError(const QString &text)
{
    m_desktop.messageBox(m_window, text, QStringLiteral("Ошибка"), Desktop::Buttons::Ok);
}

// The working folder first, then the program's own folder (the build tree keeps the documents
// there), then the data folder of the installation. Empty, once the user has been told, when the
// document is nowhere.
QString Documents::find(const QString &fileName)
{
    for (const QString &folder : {QDir::currentPath(), m_folders.program, m_folders.data}) {
        const QFileInfo file(QDir(folder).filePath(fileName));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    showError(QStringLiteral("Не найден файл «%1»: его нет ни в рабочей папке, ни в папке "
                             "программы, ни в папке «%2».")
                  .arg(fileName, QDir::toNativeSeparators(m_folders.data)));
    return QString();
}

void Documents::open(const QString &fileName)
{
    const QString path = find(fileName);
    if (!path.isEmpty() && !m_desktop.openDocument(path, m_window, [this, path] {
            if (m_running())
                cannotOpen(path);
        }))
        cannotOpen(path);
}

// The box names the file where it lies, so that the student can still open it another way.
void Documents::cannotOpen(const QString &path)
{
    showError(
        QStringLiteral("Не удалось открыть файл «%1»: не найдена программа для его просмотра.")
            .arg(QDir::toNativeSeparators(path)));
}

// On Windows the editor is started as the bench has always started it there, "notepad.exe
// instruction.txt" in the documents' folder; elsewhere it gets the file's full path.
bool Documents::startEditor(const QString &editor, const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo file(path);
    return m_desktop.startProgram(editor, {file.fileName()}, file.absolutePath());
#else
    return m_desktop.startProgram(editor, {path}, QString());
#endif
}

void Documents::openInstruction()
{
    const QString fileName = QStringLiteral("instruction.txt");
    const QString path = find(fileName);
    if (path.isEmpty())
        return;
    const QString editor = m_desktop.textEditor();
    const QString shown = QDir::toNativeSeparators(path);
    if (editor.isEmpty())
        showError(
            QStringLiteral("Не найден текстовый редактор, чтобы открыть файл «%1».").arg(shown));
    else if (!startEditor(editor, path))
        showError(QStringLiteral("Не удалось запустить текстовый редактор «%1» для файла «%2».")
                      .arg(editor, shown));
}
