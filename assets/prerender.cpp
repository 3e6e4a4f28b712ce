// Draws the bench's SVG pictures at build time for the usual pixel ratios, 1 and 2, and the
// window's icon at the sizes a desktop asks for.
#include "toolkit/svg_cache.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace {

bool write(const QImage &image, const QString &out)
{
    QFile file(out);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) ==
            image.sizeInBytes())
        return true;
    std::fprintf(stderr, "prerender: cannot write %s\n", qPrintable(out));
    return false;
}

bool cannotRead(const QString &file)
{
    std::fprintf(stderr, "prerender: cannot read %s\n", qPrintable(file));
    return true;
}

} // namespace

// prerender <output folder> <picture.svg>…: writes <picture>@1x.argb and <picture>@2x.argb, each at
// the picture's own size times the ratio, drawn exactly as the bench draws it at run time.
// prerender --icon <output folder> <icon.svg> <size>…: writes <icon>-<size>.argb for each size.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const bool icon = args.size() > 1 && args[1] == QLatin1String("--icon");
    if (icon)
        args.removeAt(1);
    if (args.size() < (icon ? 4 : 3)) {
        std::fprintf(stderr, "usage: prerender [--icon] <output folder> <picture.svg>...\n");
        return 2;
    }
    if (icon) {
        for (int i = 3; i < args.size(); ++i) {
            const int size = args[i].toInt();
            const QImage image = SvgCache::render(args[2], QSize(size, size), 1);
            if (image.isNull() && cannotRead(args[2]))
                return 1;
            if (!write(image, args[1] + QLatin1Char('/') + SvgCache::drawnIconName(args[2], size)))
                return 1;
        }
        return 0;
    }
    for (int i = 2; i < args.size(); ++i) {
        for (int ratio : {1, 2}) {
            const QImage image = SvgCache::render(args[i], QSize(), ratio);
            if (image.isNull() && cannotRead(args[i]))
                return 1;
            if (!write(image, args[1] + QLatin1Char('/') + SvgCache::drawnName(args[i], ratio)))
                return 1;
        }
    }
    return 0;
}
