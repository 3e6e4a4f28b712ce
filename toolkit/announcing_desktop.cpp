// A desktop that raises every message box's text on the bench for screen readers as well.
#include "toolkit/announcing_desktop.h"

#include "toolkit/bench_accessible.h"
#include "toolkit/scroll_bar.h"

void AnnouncingDesktop::setSpeaker(BenchAccessibility *speaker)
{
    m_speaker = speaker;
}

Desktop::Answer AnnouncingDesktop::messageBox(QWidget *parent, const QString &text,
                                              const QString &caption, Buttons buttons)
{
    if (m_silent)
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    // The button's release will land on the box: a bar pressed to make the change that raised it
    // would otherwise repeat its step under the box, and after it, until the next press.
    ScrollBar::letGo();
    // A box inside a box gives the outer one's text back when it closes.
    const QString outer = m_speaker ? m_speaker->announcement() : QString();
    if (m_speaker)
        m_speaker->setAnnouncement(text);
    const Answer answer = m_desktop.messageBox(parent, text, caption, buttons);
    if (m_speaker)
        m_speaker->setAnnouncement(outer);
    return answer;
}
