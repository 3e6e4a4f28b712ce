// SVG artwork rendered once per picture, size and device pixel ratio.
#include "svg_cache.h"

#include <QPainter>
#include <QSvgRenderer>

SvgCache &SvgCache::instance()
{
    static SvgCache cache;
    return cache;
}

QPixmap SvgCache::pixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    const QString key = QStringLiteral("%1|%2x%3|%4")
                            .arg(resource)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    auto it = m_pixmaps.constFind(key);
    if (it != m_pixmaps.constEnd()) {
        ++m_hits;
        return *it;
    }
    ++m_renders;
    QSvgRenderer renderer(resource);
    QPixmap pixmap;
    if (renderer.isValid()) {
        pixmap = QPixmap((QSizeF(size) * devicePixelRatio).toSize());
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(devicePixelRatio);
    }
    m_pixmaps.insert(key, pixmap);
    return pixmap;
}
