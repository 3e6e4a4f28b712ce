// Text hinted as on Debian when Qt for Windows runs the tests offscreen (under Wine).
#pragma once

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>

// The offscreen platform draws text with FreeType, which Qt for Windows sets to hint fully: glyphs
// and advances snap to whole pixels, unlike Debian's FreeType, which fontconfig sets to hint only
// vertically, and unlike Windows' own platform. Every font without a hinting preference of its own
// takes the application's, so the suites see Debian's text; the Windows platform's text is compared
// with Debian's by bench_picture.
inline void hintTextAsDebian()
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        return;
    QFont font = QGuiApplication::font();
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QGuiApplication::setFont(font);
}
Q_COREAPP_STARTUP_FUNCTION(hintTextAsDebian)
#endif
