// Draws the bench's SVG pictures at build time as PNG files for the usual pixel ratios, 1 and 2.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

// prerender <output folder> <picture.svg>…: writes <picture>@1x.png and <picture>@2x.png, each at
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
        QSvgRenderer renderer(args[i]);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "prerender: cannot read %s\n", qPrintable(args[i]));
            return 1;
        }
        for (int ratio : {1, 2}) {
            QImage image(renderer.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
            painter.end();
            const QString out = QStringLiteral("%1/%2@%3x.png")
                                    .arg(args[1], QFileInfo(args[i]).baseName())
                                    .arg(ratio);
            if (!image.save(out)) {
                std::fprintf(stderr, "prerender: cannot write %s\n", qPrintable(out));
                return 1;
            }
        }
    }
    return 0;
}
