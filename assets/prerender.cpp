// Draws the bench's SVG pictures at build time for the usual pixel ratios, 1 and 2.
#include "toolkit/svg_cache.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

// prerender <output folder> <picture.svg>…: writes <picture>@1x.argb and <picture>@2x.argb, each at
// the picture's own size times the ratio, drawn exactly as the bench draws it at run time.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: prerender <output folder> <picture.svg>...\n");
        return 2;
    }
    for (int i = 2; i < args.size(); ++i) {
        for (int ratio : {1, 2}) {
            const QImage image = SvgCache::render(args[i], QSize(), ratio);
            if (image.isNull()) {
                std::fprintf(stderr, "prerender: cannot read %s\n", qPrintable(args[i]));
                return 1;
            }
            const QString out = args[1] + QLatin1Char('/') + SvgCache::drawnName(args[i], ratio);
            QFile file(out);
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(reinterpret_cast<const char *>(image.constBits()),
                           image.sizeInBytes()) != image.sizeInBytes()) {
                std::fprintf(stderr, "prerender: cannot write %s\n", qPrintable(out));
                return 1;
            }
        }
    }
    return 0;
}
