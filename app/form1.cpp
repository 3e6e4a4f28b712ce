// The main window's layout: every picture, wire, readout, scroll bar and menu in its place.
#include "app/form1.h"

#include "app/bench_fonts.h"
#include "app/form2.h"
#include "model/number_format.h"
#include "toolkit/announcing_desktop.h"
#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/bench_style.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/svg_cache.h"
#include "toolkit/timer.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <memory>

QFont benchFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

namespace {

const QColor kButtonFace(240, 240, 240);
const QColor kOlive(128, 128, 0);

// The icon as the build drew it at the sizes a desktop asks for.
QIcon benchIcon()
{
    return SvgCache::icon(QStringLiteral(":/assets/icon.svg"));
}

} // namespace

Form1::Form1(Desktop &desktop, QWidget *parent)
    : QMainWindow(parent), m_announcer(std::make_unique<AnnouncingDesktop>(desktop)),
      m_desktop(*m_announcer)
{
    setWindowTitle(QStringLiteral("Моделирование моста Корвела"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(benchIcon());
    programFolder = QCoreApplication::applicationDirPath();
    // The installed tree can sit under any prefix: its data folder is found from the program's.
    dataFolder =
        QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(KORVEL_DATA_FROM_PROGRAM)));
    BenchStyle::install(); // before the menu bar asks for its icons
    buildBench();
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connectHandlers();
    buildKeyboardAccess();
    // No control of the bench has a context menu, nor has the window.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &Form1::commitData);
}

Form1::~Form1()
{
    if (form2)
        delete form2.data();
}

void Form1::buildBench()
{
    bench = new BenchCanvas(this);
    bench->setFixedSize(640, 480);
    bench->setBackground(QColor(224, 224, 224));
    setCentralWidget(bench);

    const QFont large = benchFont(kLargeFontPx);
    const QFont medium = benchFont(kMediumFontPx);
    auto label = [&](const char *name, QRectF geometry, const char *caption, const QString &tip,
                     const QFont &font) {
        auto *l = bench->add(std::make_unique<BenchLabel>(QString::fromLatin1(name), geometry,
                                                          QString::fromUtf8(caption)));
        l->setToolTip(tip);
        l->font = font;
        l->background = kButtonFace;
        return l;
    };
    auto image = [&](const char *name, QRectF geometry, const char *picture, const QString &tip) {
        auto *i = bench->add(std::make_unique<BenchImage>(
            QString::fromLatin1(name), geometry,
            QStringLiteral(":/assets/bench/%1.svg").arg(QString::fromLatin1(picture))));
        i->setToolTip(tip);
        return i;
    };
    auto line = [&](const char *name, double x1, double y1, double x2, double y2,
                    QColor color = Qt::black) {
        return bench->add(std::make_unique<BenchLine>(QString::fromLatin1(name), QPointF(x1, y1),
                                                      QPointF(x2, y2), color));
    };
    auto digit = [&](const char *name, double x, double y, const QString &tip) {
        BenchLabel *l = label(name, {x, y, 20, 20}, "0", tip, large);
        l->alignment = Qt::AlignHCenter;
        l->transparent = true;
        l->foreground = Qt::white;
        return l;
    };
    auto readout = [&](const char *name, QRectF geometry, const char *caption, const QString &tip,
                       QColor background) {
        BenchLabel *l = label(name, geometry, caption, tip, large);
        l->framed = true;
        l->alignment = Qt::AlignRight;
        l->background = background;
        return l;
    };
    auto framed = [&](const char *name, QRectF geometry, const char *caption, const QString &tip) {
        BenchLabel *l = label(name, geometry, caption, tip, medium);
        l->framed = true;
        return l;
    };

    // Front to back.
    Lbldv = label("Lbldv", {280, 200, 35, 22}, "100", QStringLiteral("Положение ползуна"), large);
    Lbldv->alignment = Qt::AlignHCenter;
    Lbldv->transparent = true;
    Lbldv->growsToFit = true; // " 50.5" is wider than the jockey's 35 pixels
    Line17 = line("Line17", 200, 344, 200, 280, QColor(255, 0, 0));
    Lbl_Ri = framed("Lbl_Ri", {80, 384, 120, 22},
                    "Ri=", QStringLiteral("Рассчитанное по измерениям сопротивление"));
    Lbl_Rx =
        framed("Lbl_Rx", {80, 352, 120, 22}, "Rx=", QStringLiteral("Неизвестное сопротивление"));
    Image10 = image("Image10", {168, 24, 20, 20}, "lamp", QString());
    Line16 = line("Line16", 368, 136, 376, 136);
    Line14 = line("Line14", 368, 160, 368, 136);
    Label1 = label("Label1", {512, 16, 113, 25}, "Label1",
                   QStringLiteral("Для вывода отладочной информации"), QFont());
    Lbl_R_R = framed("Lbl_R_R", {232, 144, 120, 22},
                     "R_R(Oм)=", QStringLiteral("Сопротивление правого плеча реохорда"));
    Lbl_R_m_6 = digit("Lbl_R_m_6", 576, 420, QStringLiteral("6 декада"));
    Lbl_R_m_5 = digit("Lbl_R_m_5", 496, 420, QStringLiteral("5 декада"));
    Lbl_R_m_4 = digit("Lbl_R_m_4", 416, 420, QStringLiteral("4 декада"));
    lbl_R_m_3 = digit("lbl_R_m_3", 576, 340, QStringLiteral("3 декада"));
    lbl_R_m_2 = digit("lbl_R_m_2", 496, 340, QStringLiteral("2 декада"));
    Lbl_R_m_1 = digit("Lbl_R_m_1", 416, 340, QStringLiteral("1 декада "));
    Line5 = line("Line5", 584, 160, 584, 304);
    Line15 = line("Line15", 424, 306, 368, 306);
    Line3 = line("Line3", 368, 440, 368, 306);
    Line2 = line("Line2", 368, 160, 584, 160);
    Image7 = image("Image7", {380, 292, 250, 177}, "resistance_box",
                   QStringLiteral("Магазин сопротивлений Р33"));
    Image6 = image("Image6", {40, 417, 200, 46}, "resistor",
                   QStringLiteral("Неизвестное сопротивление. При старте 1963 Ом. При щелчке "
                                  "устанавливается случайным образом от 50 до 150 Ом"));
    Image5 = image("Image5", {216, 240, 127, 150}, "galvanometer",
                   QStringLiteral("Гальванометр R=2,3 Ом (по паспорту)"));
    Image4 = image("Image4", {280, 198, 35, 39}, "jockey", QString());
    Lbl_reo = readout("Lbl_reo", {472, 60, 36, 22}, "Lbl_reo",
                      QStringLiteral("Сопротивление реостата, Ом"), Qt::white);
    Image2 = image("Image2", {360, 80, 200, 76}, "rheostat", QStringLiteral("Реостат"));
    Line10 = line("Line10", 304, 72, 362, 94);
    LblReomax = readout("LblReomax", {575, 104, 40, 22}, "0",
                        QStringLiteral("Максимальное сопротивление реостата, Ом"), Qt::white);
    Lblr = readout("Lblr", {244, 32, 22, 22}, "0",
                   QStringLiteral("Вутреннее сопротивление источника, Ом"), kOlive);
    Lbl_R_L = framed("Lbl_R_L", {100, 144, 120, 22},
                     "R_L(Ом)=", QStringLiteral("Сопротивление левого плеча реохорда"));
    LblEdc = readout("LblEdc", {192, 32, 22, 22}, "0", QStringLiteral("ЭДС источника, В"), kOlive);
    Lblvkl = label("Lblvkl", {40, 88, 44, 52}, "", QStringLiteral("Ключ"), QFont());
    Lblvkl->transparent = true;
    Line9 = line("Line9", 304, 440, 304, 376);
    Line7 = line("Line7", 10, 112, 40, 112);
    Line6 = line("Line6", 8, 440, 366, 440);
    Line13 = line("Line13", 10, 198, 32, 198);
    Line12 = line("Line12", 72, 112, 282, 112);
    Line11 = line("Line11", 282, 78, 282, 112);
    Line8 = line("Line8", 10, 440, 10, 112);
    Line4 = line("Line4", 520, 198, 584, 198);
    Line1 = line("Line1", 296, 230, 256, 384);
    Image8 = image("Image8", {20, 72, 100, 60}, "key_open", QString());
    Image9 = image("Image9", {0, 24, 100, 60}, "key_closed", QString());
    Image3 = image("Image3", {32, 178, 500, 65}, "slide_wire",
                   QStringLiteral("Реохорд R=5 Ом (по паспорту)"));
    Image1 = bench->add(
        std::make_unique<SourcePicture>(QStringLiteral("Image1"), QRectF(128, 5, 200, 96),
                                        QStringLiteral(":/assets/bench/source.svg")));
    Image1->setToolTip(QStringLiteral("Источник ЭДС"));

    // Readouts and scroll bars, back to front: each new widget lies over those before it.
    auto bar = [&](const char *name, Qt::Orientation o, QRect geometry, int top, int bottom,
                   int value, int arrow, int page) {
        auto *b = new ScrollBar(o, top, bottom, value, bench);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(geometry);
        b->setSingleStep(arrow);
        b->setPageStep(page);
        return b;
    };
    auto box = [&](const char *name, QRect geometry, const QString &tip) {
        auto *p = new PictureBox(bench);
        p->setObjectName(QString::fromLatin1(name));
        p->setGeometry(geometry);
        p->setFont(large);
        p->setToolTip(tip);
        return p;
    };
    HScroll1 = bar("HScroll1", Qt::Horizontal, {60, 170, 448, 12}, 0, 200, 100, 1, 5);
    Picture1 = box("Picture1", {472, 376, 81, 24}, QStringLiteral("Сопротивление магазина"));
    Picture2 = box("Picture2", {235, 360, 95, 24}, QStringLiteral("Сила тока, А"));
    HScroll2 = bar("HScroll2", Qt::Horizontal, {386, 82, 160, 12}, 0, 100, 0, 1, 5);
    HScroll3 = bar("HScroll3", Qt::Horizontal, {192, 80, 25, 9}, 4, 12, 4, 1, 1);
    VScroll1 = bar("VScroll1", Qt::Vertical, {452, 332, 15, 40}, 9, 0, 0, 1, 1);
    VScroll2 = bar("VScroll2", Qt::Vertical, {530, 332, 15, 40}, 9, 0, 0, 1, 1);
    VScroll3 = bar("VScroll3", Qt::Vertical, {610, 332, 15, 40}, 9, 0, 0, 1, 1);
    VScroll4 = bar("VScroll4", Qt::Vertical, {452, 408, 15, 40}, 9, 0, 0, 1, 1);
    VScroll5 = bar("VScroll5", Qt::Vertical, {530, 408, 15, 40}, 9, 0, 0, 1, 1);
    VScroll6 = bar("VScroll6", Qt::Vertical, {610, 408, 15, 40}, 9, 0, 0, 1, 1);
    HScroll4 = bar("HScroll4", Qt::Horizontal, {248, 80, 25, 9}, 0, 20, 0, 1, 1);
    // The rheostat maximum steps by 5 on its arrows and by 1 in its track: the other way round
    // from the slider and the rheostat.
    VScroll7 = bar("VScroll7", Qt::Vertical, {565, 96, 10, 40}, 500, 15, 30, 5, 1);
    Picture3 = box("Picture3", {0, 140, 40, 25}, QStringLiteral("Сила тока, А"));

    // The pause timer: enabled, with no interval until a pause gives it one.
    Timer1 = new Timer(this);
}

void Form1::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&Файл"));
    mnuFileSpravka1 = mnuFile->addAction(QStringLiteral("Справка"));
    mnuFileSpravka2 = mnuFile->addAction(QStringLiteral("Гальванометр"));
    mnuFileSpravka3 = mnuFile->addAction(QStringLiteral("Реохорд"));
    mnuHelpSep1 = mnuFile->addSeparator(); // belongs to the file menu, whatever its name says
    mnuFilesHistory = mnuFile->addAction(QStringLiteral("Корвел"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Помощь"));
    mnuHelpInstruction = mnuHelp->addAction(QStringLiteral("Инструкция"));
    mnuHelpUprav = mnuHelp->addAction(QStringLiteral("Управление"));
    mnuHelpSep2 = mnuHelp->addSeparator();
    mnuHelpAvtors = mnuHelp->addAction(QStringLiteral("Авторы"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&О программе"));

    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    const std::pair<QAction *, const char *> names[] = {
        {mnuFileSpravka1, "mnuFileSpravka1"}, {mnuFileSpravka2, "mnuFileSpravka2"},
        {mnuFileSpravka3, "mnuFileSpravka3"}, {mnuHelpSep1, "mnuHelpSep1"},
        {mnuFilesHistory, "mnuFilesHistory"}, {mnuHelpInstruction, "mnuHelpInstruction"},
        {mnuHelpUprav, "mnuHelpUprav"},       {mnuHelpSep2, "mnuHelpSep2"},
        {mnuHelpAvtors, "mnuHelpAvtors"},     {mnuHelpAbout, "mnuHelpAbout"}};
    for (const auto &[action, name] : names)
        action->setObjectName(QString::fromLatin1(name));
}

void Form1::connectHandlers()
{
    // Handlers stop running once the user has confirmed closing the bench.
    auto run = [this](void (Form1::*procedure)()) {
        return [this, procedure] {
            if (!m_ending)
                (this->*procedure)();
        };
    };
    connect(HScroll1, &ScrollBar::change, this, run(&Form1::HScroll1_Change));
    connect(HScroll2, &ScrollBar::change, this, run(&Form1::HScroll2_Change));
    connect(HScroll3, &ScrollBar::change, this, run(&Form1::HScroll3_Change));
    connect(HScroll4, &ScrollBar::change, this, run(&Form1::HScroll4_Change));
    connect(VScroll1, &ScrollBar::change, this, run(&Form1::VScroll1_Change));
    connect(VScroll2, &ScrollBar::change, this, run(&Form1::VScroll2_Change));
    connect(VScroll3, &ScrollBar::change, this, run(&Form1::VScroll3_Change));
    connect(VScroll4, &ScrollBar::change, this, run(&Form1::VScroll4_Change));
    connect(VScroll5, &ScrollBar::change, this, run(&Form1::VScroll5_Change));
    connect(VScroll6, &ScrollBar::change, this, run(&Form1::VScroll6_Change));
    connect(VScroll7, &ScrollBar::change, this, run(&Form1::VScroll7_Change));
    connect(Timer1, &Timer::tick, this, &Form1::Timer1_Timer);
    Image1->onClick = run(&Form1::Image1_Click);
    Lblvkl->onClick = run(&Form1::Lblvkl_Click);
    Image6->onClick = run(&Form1::Image6_Click);
    Image3->onClick = run(&Form1::Image3_Click);
    Image5->onClick = run(&Form1::Image5_Click);
    connect(mnuFileSpravka1, &QAction::triggered, this, run(&Form1::mnuFileSpravka1_Click));
    connect(mnuFileSpravka2, &QAction::triggered, this, run(&Form1::mnuFileSpravka2_Click));
    connect(mnuFileSpravka3, &QAction::triggered, this, run(&Form1::mnuFileSpravka3_Click));
    connect(mnuFilesHistory, &QAction::triggered, this, run(&Form1::mnuFilesHistory_Click));
    connect(mnuHelpInstruction, &QAction::triggered, this, run(&Form1::mnuHelpInstruction_Click));
    connect(mnuHelpUprav, &QAction::triggered, this, run(&Form1::mnuHelpUprav_Click));
    connect(mnuHelpAvtors, &QAction::triggered, this, run(&Form1::mnuHelpAvtors_Click));
    connect(mnuHelpAbout, &QAction::triggered, this, run(&Form1::mnuHelpAbout_Click));
    connectDirectHandling();
}

// Refusals and warnings: a modal box captioned "Ошибка" with an OK button only.
void Form1::showError(const QString &text)
{
    m_desktop.messageBox(this, text, QStringLiteral("Ошибка"), Desktop::Buttons::Ok);
}

std::string Form1::decimalSeparator() const
{
    return locale().decimalPoint().toStdString();
}

QString Form1::format(double value, const char *pattern) const
{
    return QString::fromStdString(formatPattern(value, pattern, decimalSeparator()));
}
