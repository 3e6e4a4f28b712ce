// A desktop that raises every message box's text on the bench for screen readers as well.
#pragma once

#include "toolkit/desktop.h"

#include <QPointer>

class BenchAccessibility;

/**
 * Passes every request on to another desktop; while one of its message boxes is up, the bench
 * announces the box's text as an alert, so that a refusal reaches a screen reader however the
 * desktop shows it. A box takes the mouse: a scroll bar held pressed lets go before it opens. Once
 * the program is ending no box opens.
 */
class AnnouncingDesktop : public Desktop
{
  public:
    explicit AnnouncingDesktop(Desktop &desktop) : m_desktop(desktop) {}

    /** What speaks for the boxes on the bench; none until the window has built it. */
    void setSpeaker(BenchAccessibility *speaker);
    /** The program is ending: no box opens any more; each is answered at once as if dismissed. */
    void silence() { m_silent = true; }

    Answer messageBox(QWidget *parent, const QString &text, const QString &caption,
                      Buttons buttons) override;
    bool openDocument(const QString &path, QObject *context, std::function<void()> failed) override
    {
        return m_desktop.openDocument(path, context, std::move(failed));
    }
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &folder) override
    {
        return m_desktop.startProgram(program, arguments, folder);
    }
    QString textEditor() override { return m_desktop.textEditor(); }
    void seedRandom() override { m_desktop.seedRandom(); }
    double randomUniform() override { return m_desktop.randomUniform(); }
    int pauseLength(double seconds) override { return m_desktop.pauseLength(seconds); }

  private:
    Desktop &m_desktop;
    QPointer<BenchAccessibility> m_speaker;
    bool m_silent = false;
};
