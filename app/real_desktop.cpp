// The real desktop: Qt message boxes, the desktop's viewer and editor, a clock-seeded draw.
#include "app/real_desktop.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <chrono>

RealDesktop::RealDesktop(QString opener) : m_opener(std::move(opener))
{
#ifndef Q_OS_WIN
    if (m_opener.isEmpty())
        m_opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
#endif
}

Desktop::Answer RealDesktop::messageBox(QWidget *parent, const QString &text,
                                        const QString &caption, Buttons buttons)
{
    // Each line of the text stays one line: only its own line breaks end a line.
    QString lines = text.toHtmlEscaped();
    lines.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    lines = QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(lines);
    QMessageBox box(QMessageBox::NoIcon, caption, lines, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::RichText);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    if (answer == QMessageBox::No)
        return Answer::No;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

// The opener hands the document to the desktop's viewer; its exit status says whether it could.
// It is not waited for: a failure arrives later and runs `failed`.
bool RealDesktop::openDocument(const QString &path, QObject *context, std::function<void()> failed)
{
    if (m_opener.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    auto *opener = new QProcess(context);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, context,
                     [opener, failed = std::move(failed)](int code, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if (status != QProcess::NormalExit || code != 0)
                             failed();
                     });
    opener->start(m_opener, {path});
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    return true;
}

bool RealDesktop::startProgram(const QString &program, const QStringList &arguments,
                               const QString &folder)
{
    return QProcess::startDetached(program, arguments, folder);
}

QString RealDesktop::textEditor()
{
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    // Graphical plain-text editors first; xdg-open hands the file to the desktop's own choice.
    for (const char *name : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma",
                             "xed", "featherpad", "leafpad", "xdg-open"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
#endif
}

void RealDesktop::seedRandom()
{
    m_random.seed(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

double RealDesktop::randomUniform()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
}
