// The reference documents and the laboratory instruction, opened from the menus.
#include "app/form1.h"

#include "toolkit/desktop.h"

#include <QDir>
#include <QFileInfo>

// The working folder first, then the program's own folder (the build tree keeps the documents
// there), then the data folder of the installation.
QString Form1::findDocument(const QString &fileName)
{
    for (const QString &folder : {QDir::currentPath(), programFolder, dataFolder}) {
        const QFileInfo file(QDir(folder).filePath(fileName));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    showError(QStringLiteral("Не найден файл «%1»: его нет ни в рабочей папке, ни в папке "
                             "программы, ни в папке «%2».")
                  .arg(fileName, QDir::toNativeSeparators(dataFolder)));
    return QString();
}

void Form1::openDocument(const QString &fileName)
{
    const QString path = findDocument(fileName);
    if (!path.isEmpty() && !m_desktop.openDocument(path, this, [this, fileName] {
            if (!m_ending)
                cannotOpen(fileName);
        }))
        cannotOpen(fileName);
}

void Form1::cannotOpen(const QString &fileName)
{
    showError(
        QStringLiteral("Не удалось открыть файл «%1»: не найдена программа для его просмотра.")
            .arg(fileName));
}

void Form1::mnuFileSpravka1_Click()
{
    openDocument(QStringLiteral("spravka1.pdf"));
}

void Form1::mnuFileSpravka2_Click()
{
    openDocument(QStringLiteral("galvanometr.pdf"));
}

void Form1::mnuFileSpravka3_Click()
{
    openDocument(QStringLiteral("reochord.pdf"));
}

void Form1::mnuFilesHistory_Click()
{
    openDocument(QStringLiteral("Korvel.pdf"));
}

void Form1::mnuHelpUprav_Click()
{
    openDocument(QStringLiteral("uprav.pdf"));
}

void Form1::mnuHelpInstruction_Click()
{
    const QString fileName = QStringLiteral("instruction.txt");
    const QString path = findDocument(fileName);
    if (path.isEmpty())
        return;
    const QString editor = m_desktop.textEditor();
    if (editor.isEmpty())
        showError(
            QStringLiteral("Не найден текстовый редактор, чтобы открыть файл «%1».").arg(fileName));
    else if (!m_desktop.startProgram(editor, {path}))
        showError(QStringLiteral("Не удалось запустить текстовый редактор «%1» для файла «%2».")
                      .arg(editor, fileName));
}
