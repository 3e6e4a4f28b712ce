// Draws the bench's icon as square PNG files for the sizes the desktop's icon theme carries.
#include "toolkit/svg_cache.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

// icon_png <icon.svg> <output folder> <size>…: writes <output folder>/<size>x<size>/korvel.png.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: icon_png <icon.svg> <output folder> <size>...\n");
        return 2;
    }
    for (int i = 3; i < args.size(); ++i) {
        const int size = args[i].toInt();
        if (size <= 0) {
            std::fprintf(stderr, "icon_png: not a size: %s\n", qPrintable(args[i]));
            return 2;
        }
        // Drawn as the program draws every picture.
        const QImage image = SvgCache::render(args[1], QSize(size, size), 1);
        if (image.isNull()) {
            std::fprintf(stderr, "icon_png: cannot read %s\n", qPrintable(args[1]));
            return 1;
        }
        const QString folder = QStringLiteral("%1/%2x%2").arg(args[2]).arg(size);
        const QString out = folder + QStringLiteral("/korvel.png");
        if (!QDir().mkpath(folder) || !image.save(out)) {
            std::fprintf(stderr, "icon_png: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
