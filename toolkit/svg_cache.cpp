// SVG artwork rendered once per picture, size and device pixel ratio.
#include "svg_cache.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <memory>

namespace {

QString cacheKey(const QString &resource, QSize size, qreal devicePixelRatio)
{
    return QStringLiteral("%1|%2x%3|%4")
        .arg(resource)
        .arg(size.width())
        .arg(size.height())
        .arg(devicePixelRatio);
}

// Safe on any thread: a QImage, not a QPixmap. An empty size means the picture's own.
QImage renderImage(const QString &resource, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(resource);
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

// The picture as the build drew it for this ratio, when it did: ":/assets/jockey.svg" at ratio 2
// is ":/prerendered/jockey@2x.png".
QString prerenderedPath(const QString &resource, qreal devicePixelRatio)
{
    if (devicePixelRatio != 1 && devicePixelRatio != 2)
        return QString();
    const QString path = QStringLiteral(":/prerendered/%1@%2x.png")
                             .arg(QFileInfo(resource).baseName())
                             .arg(int(devicePixelRatio));
    return QFileInfo::exists(path) ? path : QString();
}

} // namespace

SvgCache &SvgCache::instance()
{
    static SvgCache cache;
    return cache;
}

// Rendering the artwork is most of the work before the first frame: at ratios the build has not
// drawn it for, it runs on the other cores while the window is built, biggest pictures first. The
// icon is drawn by Qt's icon engine and the portrait only when the Authors window opens, so neither
// is fetched here.
void SvgCache::startPrefetch()
{
    m_prefetchStarted = true;
    if (!qGuiApp || QThread::currentThread() != qGuiApp->thread())
        return;
    QList<QFileInfo> pictures;
    for (QDirIterator it(QStringLiteral(":/assets"), {QStringLiteral("*.svg")}); it.hasNext();) {
        const QFileInfo picture(it.next());
        if (picture.baseName() != QLatin1String("icon") &&
            picture.baseName() != QLatin1String("portrait") &&
            prerenderedPath(picture.filePath(), qGuiApp->devicePixelRatio()).isEmpty())
            pictures << picture;
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const QFileInfo &a, const QFileInfo &b) { return a.size() > b.size(); });
    const qreal ratio = qGuiApp->devicePixelRatio();
    for (const QFileInfo &picture : pictures) {
        const QString resource = picture.filePath();
        auto promise = std::make_shared<std::promise<QImage>>();
        m_pending.insert(resource, promise->get_future().share());
        QThreadPool::globalInstance()->start([promise, resource, ratio] {
            promise->set_value(renderImage(resource, QSize(), ratio));
        });
    }
    // No picture may still be rendering once the application has gone.
    qAddPostRoutine(&SvgCache::finishPrefetch);
}

void SvgCache::finishPrefetch()
{
    SvgCache &cache = instance();
    for (const auto &pending : std::as_const(cache.m_pending))
        pending.wait();
    cache.m_pending.clear();
}

QPixmap SvgCache::pixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    if (!m_prefetchStarted)
        startPrefetch();
    const QString key = cacheKey(resource, size, devicePixelRatio);
    auto it = m_pixmaps.constFind(key);
    if (it != m_pixmaps.constEnd()) {
        ++m_hits;
        return *it;
    }
    // A picture the build drew at this size and ratio is copied as it is.
    if (const QString drawn = prerenderedPath(resource, devicePixelRatio); !drawn.isEmpty()) {
        QImage image(drawn);
        if (image.size() == (QSizeF(size) * devicePixelRatio).toSize()) {
            image.setDevicePixelRatio(devicePixelRatio);
            ++m_renders;
            const QPixmap pixmap = QPixmap::fromImage(std::move(image));
            m_pixmaps.insert(key, pixmap);
            return pixmap;
        }
    }
    // A picture rendered in the background is taken in at the size and ratio it has.
    if (auto pending = m_pending.find(resource); pending != m_pending.end()) {
        QImage image = pending->get();
        m_pending.erase(pending); // the image's only owner now: the pixmap takes its pixels over
        if (!image.isNull()) {
            const qreal ratio = image.devicePixelRatio();
            const QSize logical = (QSizeF(image.size()) / ratio).toSize();
            m_pixmaps.insert(cacheKey(resource, logical, ratio),
                             QPixmap::fromImage(std::move(image)));
            ++m_renders;
            it = m_pixmaps.constFind(key);
            if (it != m_pixmaps.constEnd())
                return *it;
        }
    }
    ++m_renders;
    const QPixmap pixmap = QPixmap::fromImage(renderImage(resource, size, devicePixelRatio));
    m_pixmaps.insert(key, pixmap);
    return pixmap;
}
