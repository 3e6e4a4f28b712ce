// The main window: the bench, its circuit state, its controls and its procedures.
#pragma once

#include "model/circuit_state.h"
#include "view/source_picture.h" // the source is drawn for its state

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class AnnouncingDesktop;
class BenchCanvas;
class BenchImage;
class BenchLabel;
class BenchLine;
class Desktop;
class Form2;
class PictureBox;
class QAction;
class QEventLoop;
class QMenu;
class QSessionManager;
class ScrollBar;
class Timer;

/**
 * The bench window. It owns the circuit state and every control under its system name; its
 * procedures live in the folders of their subsystems (controls/, view/, help/, app/).
 */
class Form1 : public QMainWindow
{
    Q_OBJECT
  public:
    explicit Form1(Desktop &desktop, QWidget *parent = nullptr);
    ~Form1() override;

    /** Loads the bench hidden, then shows it centred on the screen. */
    void start();

    CircuitState state;

    // Drawn controls, front to back as they lie on the bench.
    BenchCanvas *bench = nullptr;
    BenchLabel *Lbldv, *Lbl_Ri, *Lbl_Rx, *Label1, *Lbl_R_R, *Lbl_R_m_6, *Lbl_R_m_5, *Lbl_R_m_4,
        *lbl_R_m_3, *lbl_R_m_2, *Lbl_R_m_1, *Lbl_reo, *LblReomax, *Lblr, *Lbl_R_L, *LblEdc, *Lblvkl;
    SourcePicture *Image1;
    BenchImage *Image2, *Image3, *Image4, *Image5, *Image6, *Image7, *Image8, *Image9, *Image10;
    BenchLine *Line1, *Line2, *Line3, *Line4, *Line5, *Line6, *Line7, *Line8, *Line9, *Line10,
        *Line11, *Line12, *Line13, *Line14, *Line15, *Line16, *Line17;
    // Readouts and scroll bars, in front of everything drawn.
    PictureBox *Picture1, *Picture2, *Picture3;
    ScrollBar *HScroll1, *HScroll2, *HScroll3, *HScroll4;
    ScrollBar *VScroll1, *VScroll2, *VScroll3, *VScroll4, *VScroll5, *VScroll6, *VScroll7;
    Timer *Timer1;

    QMenu *mnuFile, *mnuHelp;
    QAction *mnuFileSpravka1, *mnuFileSpravka2, *mnuFileSpravka3, *mnuHelpSep1, *mnuFilesHistory;
    QAction *mnuHelpInstruction, *mnuHelpUprav, *mnuHelpSep2, *mnuHelpAvtors, *mnuHelpAbout;

    QPointer<Form2> form2;

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload(int &Cancel);

    // The bridge model on the window.
    void raschet();
    void strelka();
    void Wait(double seconds);
    void Timer1_Timer();

    // Slide wire and rheostat.
    void HScroll1_Change();
    void polzun();
    void R_left_right();
    void HScroll2_Change();
    void VScroll7_Change();
    /** The jockey dragged by `shift` pixels along the wire; false once the drag must end. */
    bool Image4_Drag(double shift);
    /** A knob turned by the wheel: its bar stepped once per notch while it is shown. */
    void turnKnob(ScrollBar *bar, int notches);
    /** A bar stepped towards a value as its arrows would, while it is shown. */
    void stepBar(ScrollBar *bar, int target);

    // Resistance box.
    void VScroll1_Change();
    void VScroll2_Change();
    void VScroll3_Change();
    void VScroll4_Change();
    void VScroll5_Change();
    void VScroll6_Change();
    void magazin();

    // Source, key, unknown resistor and the timed reveals.
    void HScroll3_Change();
    void HScroll4_Change();
    void Image1_Click();
    void Lblvkl_Click();
    void Image6_Click();
    void Image3_Click();
    void Image5_Click();

    // Schematic view.
    void ekran();
    void ekran_0();

    // Help and information.
    void mnuFileSpravka1_Click();
    void mnuFileSpravka2_Click();
    void mnuFileSpravka3_Click();
    void mnuFilesHistory_Click();
    void mnuHelpInstruction_Click();
    void mnuHelpUprav_Click();
    void mnuHelpAvtors_Click();
    void mnuHelpAbout_Click();

    /** Where the documents are looked for after the working folder: the program's own folder. */
    QString programFolder;
    /** Where they are looked for last: the data folder of the installed program. */
    QString dataFolder;
    /** Scales every pause; tests shorten the ten-second reveals with it. */
    double waitScale = 1.0;
    /** True once the user has confirmed closing: nothing more runs on the bench. */
    bool isEnding() const { return m_ending; }
    /** The user's decimal separator in UTF-8, as the readouts write it (not always one byte). */
    std::string decimalSeparator() const;
    /** The value in one of the readouts' number patterns. */
    QString format(double value, const char *pattern) const;
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

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void buildBench();
    void buildMenus();
    void connectHandlers();
    void connectDirectHandling();
    void buildKeyboardAccess();
    void commitData(QSessionManager &manager);
    /** Where a document lies; empty, once the user has been told, when it is nowhere. */
    QString findDocument(const QString &fileName);
    void openDocument(const QString &fileName);
    void cannotOpen(const QString &fileName);
    void showError(const QString &text);

    std::unique_ptr<AnnouncingDesktop> m_announcer; // boxes reach screen readers as well
    Desktop &m_desktop;
    std::vector<QEventLoop *> m_pauses;
    bool m_ending = false;
};
