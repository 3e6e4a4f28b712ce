// A desktop that raises every message box's text on the bench for screen readers as well.
#include "toolkit/announcing_desktop.h"

#include "toolkit/bench_canvas.h"

void AnnouncingDesktop::setBench(BenchCanvas *bench)
{
    m_bench = bench;
}

Desktop::Answer AnnouncingDesktop::messageBox(QWidget *parent, const QString &text,
                                              const QString &caption, Buttons buttons)
{
    // A box inside a box gives the outer one's text back when it closes.
    const QString outer = m_bench ? m_bench->announcement() : QString();
    if (m_bench)
        m_bench->setAnnouncement(text);
    const Answer answer = m_desktop.messageBox(parent, text, caption, buttons);
    if (m_bench)
        m_bench->setAnnouncement(outer);
    return answer;
}
