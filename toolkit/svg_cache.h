// SVG artwork rendered once per picture, size and device pixel ratio.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

/** Renders compiled-in SVG pictures to pixmaps at the physical size and keeps them. */
class SvgCache
{
  public:
    static SvgCache &instance();

    /** The picture at `size` logical pixels for a screen of the given ratio; null if missing. */
    QPixmap pixmap(const QString &resource, QSize size, qreal devicePixelRatio);

    int renders() const { return m_renders; }
    int hits() const { return m_hits; }

  private:
    QHash<QString, QPixmap> m_pixmaps;
    int m_renders = 0;
    int m_hits = 0;
};
