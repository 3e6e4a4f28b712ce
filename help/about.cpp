// The About box and the Authors window.
#include "help/about.h"

#include "app/form1.h"
#include "app/form2.h"
#include "toolkit/desktop.h"

#include <QStringList>

namespace {

const QString kBreak = QStringLiteral("\r\n");

} // namespace

QString aboutText()
{
    const QStringList lines = {
        QStringLiteral("Программа моделирует работу моста Корвела при измерении сопротивлений"),
        QStringLiteral("компенсационным методом."),
        QStringLiteral(" "),
        QStringLiteral("История версий:"),
        QStringLiteral("версия 1.0.0, 28.04.2020, Windows XP - 10, коллектив разработчиков "
                       "стенда, C++ и Qt 6. "),
        QStringLiteral(" "),
        QStringLiteral("Свидетельство о государственной регистрации программы не оформлялось."),
        QStringLiteral("Дата внесения в реестр программ отсутствует: программа в реестр не "
                       "вносилась. "),
        QStringLiteral("Публикация в официальном бюллетене не производилась;"),
        QStringLiteral("год, номер и страница бюллетеня отсутствуют.    "),
        QStringLiteral("Веб-адрес публикации отсутствует. "),
    };
    return lines.join(kBreak);
}

QString authorsText()
{
    const QStringList lines = {
        QStringLiteral("\u00A9, Коллектив разработчиков, 2026"),
        QStringLiteral("Учёная степень не указана,"),
        QStringLiteral("Должность не указана,"),
        QStringLiteral("Организация не указана,"),
        QStringLiteral("Город и страна не указаны,"),
        QStringLiteral("Контактный адрес не указан"),
    };
    QStringList filled;
    for (int i = 0; i < lines.size(); ++i)
        filled << (i < 5 ? lines[i].leftJustified(36, QLatin1Char(' ')) : lines[i]);
    return filled.join(kBreak);
}

void Form1::mnuHelpAbout_Click()
{
    m_desktop.messageBox(this, aboutText(), QStringLiteral("О ПРОГРАММЕ"), Desktop::Buttons::Ok);
}

// The Authors window opens centred over the bench wherever the bench now stands; closing it
// destroys it, and the next command makes it anew.
void Form1::mnuHelpAvtors_Click()
{
    if (!form2)
        form2 = new Form2();
    form2->setLabel1Caption(authorsText());
    form2->centreOver(this);
    form2->show();
    form2->raise();
    form2->activateWindow();
}
