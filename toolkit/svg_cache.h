// SVG artwork rendered once per picture, size and device pixel ratio.
#pragma once

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

/**
 * Pictures from compiled-in SVG files as pixmaps at the physical size, kept for reuse. The bench's
 * own art (assets/bench) is drawn at build time for pixel ratios 1 and 2 and used from there;
 * any other picture, size or ratio is rendered on first use. The cache goes with the application.
 */
class SvgCache
{
  public:
    static SvgCache &instance();

    /** The picture at `size` logical pixels for a screen of the given ratio; null if missing. */
    QPixmap pixmap(const QString &resource, QSize size, qreal devicePixelRatio);

    int renders() const { return m_renders; }
    int hits() const { return m_hits; }

    /**
     * The SVG file drawn at `size` (its own size when empty) times the ratio: the one way every
     * picture is drawn, by the build and at run time alike.
     */
    static QImage render(const QString &file, QSize size, qreal devicePixelRatio);

    /**
     * Where the build puts a bench picture drawn at a ratio: "jockey@2x.argb" for jockey.svg, its
     * premultiplied ARGB pixels row by row, stored uncompressed so that an image can wrap them.
     */
    static QString drawnName(const QString &file, int ratio);

    /** Where the build puts the icon drawn at a size: "icon-32.argb" for icon.svg at 32 × 32. */
    static QString drawnIconName(const QString &file, int size);
    /** The sizes the build draws the window's icon at. */
    static const QList<int> &iconSizes();
    /**
     * The window's icon: the sizes the build drew, wrapped where the program holds them, so that
     * neither start-up nor a desktop asking for the icon renders SVG. From the SVG file itself
     * when the build drew none.
     */
    static QIcon icon(const QString &file);

  private:
    SvgCache() = default;
    static void release();

    QHash<QString, QPixmap> m_pixmaps;
    int m_renders = 0;
    int m_hits = 0;
};
