// Draws the SVG artwork at build time, exactly as the program draws it at run time: the bench's
// pictures for the usual pixel ratios, 1 and 2, and the icon at the sizes a desktop asks for.
#include "toolkit/svg_cache.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace {

// Raw premultiplied ARGB pixels, row by row, as the program wraps them.
bool writeRaw(const QImage &image, const QString &out)
{
    QFile file(out);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) ==
               image.sizeInBytes();
}

bool failed(const char *what, const QString &name)
{
    std::fprintf(stderr, "prerender: %s %s\n", what, qPrintable(name));
    return true;
}

// Each size of the icon drawn, then written where `out` says; false after a message if any fails.
template <typename Write> bool drawIcon(const QString &svg, const QStringList &sizes, Write write)
{
    for (const QString &text : sizes) {
        const int size = text.toInt();
        if (size <= 0 && failed("not a size:", text))
            return false;
        const QImage image = SvgCache::render(svg, QSize(size, size), 1);
        if (image.isNull() && failed("cannot read", svg))
            return false;
        if (!write(image, size))
            return false;
    }
    return true;
}

} // namespace

// prerender <output folder> <picture.svg>…: writes <picture>@1x.argb and <picture>@2x.argb, each at
//     the picture's own size times the ratio.
// prerender --icon <output folder> <icon.svg> <size>…: writes <icon>-<size>.argb for each size.
// prerender --icon-theme <output folder> <icon.svg> <size>…: writes <size>x<size>/korvel.png for
//     each size, the PNG files of the desktop's icon theme.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    const QString mode = args.size() > 1 && args[1].startsWith(QLatin1String("--")) ? args[1] : "";
    if (!mode.isEmpty())
        args.removeAt(1);
    const bool icon = mode == QLatin1String("--icon"),
               theme = mode == QLatin1String("--icon-theme");
    if ((!mode.isEmpty() && !icon && !theme) || args.size() < (mode.isEmpty() ? 3 : 4)) {
        std::fprintf(stderr, "usage: prerender [--icon | --icon-theme] <output folder> <svg>...\n");
        return 2;
    }
    const QString folder = args[1];
    if (icon || theme) {
        const bool drawn = drawIcon(args[2], args.mid(3), [&](const QImage &image, int size) {
            if (icon) {
                const QString out = folder + '/' + SvgCache::drawnIconName(args[2], size);
                return writeRaw(image, out) || !failed("cannot write", out);
            }
            const QString sized = QStringLiteral("%1/%2x%2").arg(folder).arg(size);
            const QString out = sized + QStringLiteral("/korvel.png");
            return (QDir().mkpath(sized) && image.save(out)) || !failed("cannot write", out);
        });
        return drawn ? 0 : 1;
    }
    for (int i = 2; i < args.size(); ++i) {
        for (int ratio : {1, 2}) {
            const QImage image = SvgCache::render(args[i], QSize(), ratio);
            if (image.isNull() && failed("cannot read", args[i]))
                return 1;
            const QString out = folder + '/' + SvgCache::drawnName(args[i], ratio);
            if (!writeRaw(image, out) && failed("cannot write", out))
                return 1;
        }
    }
    return 0;
}
