// SVG artwork rendered once per picture, size and device pixel ratio.
#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <future>

/** Renders compiled-in SVG pictures to pixmaps at the physical size and keeps them. */
class SvgCache
{
  public:
    static SvgCache &instance();

    /**
     * The picture at `size` logical pixels for a screen of the given ratio; null if missing.
     * The first call starts rendering every picture under :/assets at its own size in the
     * background, so the first frame finds the artwork ready.
     */
    QPixmap pixmap(const QString &resource, QSize size, qreal devicePixelRatio);

    int renders() const { return m_renders; }
    int hits() const { return m_hits; }

  private:
    void startPrefetch();
    static void finishPrefetch();

    QHash<QString, QPixmap> m_pixmaps;
    QHash<QString, std::shared_future<QImage>> m_pending; // by resource, at its own size
    bool m_prefetchStarted = false;
    int m_renders = 0;
    int m_hits = 0;
};
