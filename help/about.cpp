// The About text and the Authors credits.
#include "help/about.h"

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
