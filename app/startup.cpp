// Start-up and shutdown of the bench: the initial setting, centring, and the confirmation to leave.
#include "app/form1.h"

#include "app/form2.h"
#include "model/number_format.h"
#include "toolkit/bench_items.h"
#include "toolkit/desktop.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/timer.h"
#include "toolkit/window_placement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLayout>
#include <QScreen>
#include <QSessionManager>

void Form1::start()
{
    Form_Load();
    // Form_Load centres the window before its frame exists; once the window manager has framed
    // it, it is centred once more with the frame's true size, and never again.
    placeWhenFramed(this, [this] {
        if (!m_ending)
            centreOnScreen();
    });
    show();
}

void Form1::Form_Load()
{
    centreOnScreen();
    state.istochnik = 0;
    state.rabota = 0;
    state.Rmax = 5;
    state.Rx = 1963;
    Lbl_Rx->setCaption(QStringLiteral("Rx=") + format(state.Rx, "0.0") + QStringLiteral(" Ом"));
    state.Rg = 2.3f;
    state.Imax = 3;
    state.Igmax = 0.0025f;
    state.Edc = 8;
    HScroll3->setBenchValue(static_cast<int>(state.Edc)); // runs HScroll3_Change
    state.r = 10;
    HScroll4->setBenchValue(roundHalfEven(state.r)); // runs HScroll4_Change
    state.Reo_max = 150;
    VScroll7->setBenchValue(150); // runs VScroll7_Change, which sets the rheostat to 112
    // The rheostat keeps 112.5 until the bar is first moved; the bar already shows 112.
    state.Reo = static_cast<float>(state.Reo_max * 3 / 4);
    HScroll2->setBenchValue(roundHalfEven(state.Reo));
    state.R_dlina = 0.5;
    // HScroll1 already stands at 100, so its change procedure does not run: place the slider here.
    HScroll1->setBenchValue(static_cast<int>(200 * state.R_dlina));
    polzun();
    R_left_right();
    Picture1->setBackColor(QColor(0, 0, 0));
    Picture1->setForeColor(QColor(255, 255, 255));
    Picture2->setBackColor(QColor(0, 0, 0));
    Picture2->setForeColor(QColor(0, 255, 0));
    Picture3->setBackColor(QColor(0, 0, 0));
    Picture3->setForeColor(QColor(0, 255, 0));
    Lbl_Rx->setVisible(false);
    Lbl_Ri->setVisible(false);
    Label1->setVisible(false);
    ekran();
    ekran_0();
}

void Form1::Form_Unload(int &Cancel)
{
    if (m_ending)
        return;
    const Desktop::Answer answer =
        m_desktop.messageBox(this, QStringLiteral("Вы абсолютно уверены?"),
                             QStringLiteral("На Выход"), Desktop::Buttons::YesNo);
    if (answer != Desktop::Answer::Yes) {
        Cancel = 1;
        return;
    }
    // End at once: stop the pause timer, let every running pause return (its handler sees
    // isEnding() and does nothing more), close the Authors window and leave the run loop.
    m_ending = true;
    Timer1->setEnabled(false);
    for (QEventLoop *loop : m_pauses)
        loop->quit();
    if (form2)
        form2->close();
    QCoreApplication::quit();
}

// Log-off and shutdown ask the bench to close too, where the session lets it ask the user.
namespace {

// The session manager as the bench asks it.
class SessionLogOff : public Form1::LogOff
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

void Form1::commitData(QSessionManager &manager)
{
    SessionLogOff logOff(manager);
    answerLogOff(logOff);
}

void Form1::answerLogOff(LogOff &logOff)
{
    if (!logOff.allowsInteraction())
        return;
    int Cancel = 0;
    Form_Unload(Cancel);
    logOff.release();
    if (Cancel)
        logOff.cancel();
}

void Form1::closeEvent(QCloseEvent *event)
{
    int Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel)
        event->ignore();
    else
        event->accept();
}

void Form1::centreOnScreen()
{
    if (layout())
        layout()->activate();
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    centreFrameIn(this, screen->geometry());
}
