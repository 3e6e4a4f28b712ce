// SVG artwork rendered once per picture, size and device pixel ratio.
#include "svg_cache.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

namespace {

SvgCache *theCache = nullptr;

QString cacheKey(const QString &resource, QSize size, qreal devicePixelRatio)
{
    return QStringLiteral("%1|%2x%3|%4")
        .arg(resource)
        .arg(size.width())
        .arg(size.height())
        .arg(devicePixelRatio);
}

} // namespace

// Pixmaps may not outlive the application that made them: the cache is deleted with it.
SvgCache &SvgCache::instance()
{
    if (!theCache) {
        theCache = new SvgCache;
        qAddPostRoutine(&SvgCache::release);
    }
    return *theCache;
}

void SvgCache::release()
{
    delete theCache;
    theCache = nullptr;
}

QImage SvgCache::render(const QString &file, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(file);
    if (!renderer.isValid())
        return QImage();
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage image((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QString SvgCache::drawnName(const QString &file, int ratio)
{
    return QStringLiteral("%1@%2x.argb").arg(QFileInfo(file).baseName()).arg(ratio);
}

QString SvgCache::drawnIconName(const QString &file, int size)
{
    return QStringLiteral("%1-%2.argb").arg(QFileInfo(file).baseName()).arg(size);
}

const QList<int> &SvgCache::iconSizes()
{
    static const QList<int> sizes{16, 24, 32, 48, 64, 128};
    return sizes;
}

namespace {

// The pixels the build drew, as an image over the program's own copy of them; null if the build
// drew none of that size.
QImage drawnImage(const QString &name, QSize pixels)
{
    const QResource drawn(QStringLiteral(":/prerendered/") + name);
    const qint64 bytes = qint64(pixels.width()) * pixels.height() * 4;
    if (!drawn.isValid() || drawn.compressionAlgorithm() != QResource::NoCompression ||
        drawn.size() != bytes || reinterpret_cast<quintptr>(drawn.data()) % 4 != 0)
        return QImage();
    return QImage(drawn.data(), pixels.width(), pixels.height(),
                  QImage::Format_ARGB32_Premultiplied);
}

} // namespace

QIcon SvgCache::icon(const QString &file)
{
    QIcon icon;
    for (int size : iconSizes()) {
        const QImage image = drawnImage(drawnIconName(file, size), QSize(size, size));
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon.isNull() ? QIcon(file) : icon;
}

QPixmap SvgCache::pixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    const QString key = cacheKey(resource, size, devicePixelRatio);
    if (auto it = m_pixmaps.constFind(key); it != m_pixmaps.constEnd()) {
        ++m_hits;
        return *it;
    }
    ++m_renders;
    QImage image;
    // A bench picture the build drew at this size and ratio is used where the program holds it:
    // the image wraps the stored pixels, so start-up neither copies them nor allocates for them.
    if ((devicePixelRatio == 1 || devicePixelRatio == 2) &&
        resource.startsWith(QLatin1String(":/assets/bench/"))) {
        image = drawnImage(drawnName(resource, int(devicePixelRatio)),
                           (QSizeF(size) * devicePixelRatio).toSize());
        image.setDevicePixelRatio(devicePixelRatio);
    }
    if (image.isNull())
        image = render(resource, size, devicePixelRatio);
    const QPixmap pixmap = QPixmap::fromImage(std::move(image));
    m_pixmaps.insert(key, pixmap);
    return pixmap;
}
