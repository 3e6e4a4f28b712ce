// Fonts the program carries where the system may lack them.
#include "toolkit/bundled_fonts.h"

#include <QDir>
#include <QFontDatabase>

int loadBundledFonts()
{
    static const int loaded = [] {
        int count = 0;
        const QDir fonts(QStringLiteral(":/fonts"));
        for (const QString &name : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
            if (QFontDatabase::addApplicationFont(fonts.filePath(name)) >= 0)
                ++count;
            else
                qWarning("Cannot register the font %s", qPrintable(name));
        }
        return count;
    }();
    return loaded;
}
