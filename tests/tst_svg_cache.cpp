// Tests of the artwork cache: pictures drawn at build time match the run-time rendering.
#include "offscreen_hinting.h"
#include "toolkit/svg_cache.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QSvgRenderer>
#include <QtTest>

namespace {

int largestDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return worst;
}

} // namespace

class tst_SvgCache : public QObject
{
    Q_OBJECT
  private slots:
    void pictures_data();
    void pictures();
    void otherSizesAreRendered();
    void icon();
};

void tst_SvgCache::pictures_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<double>("ratio");
    int found = 0;
    for (QDirIterator it(":/assets/bench", {"*.svg"}); it.hasNext();) {
        const QString resource = it.next();
        const QString name = QFileInfo(resource).baseName();
        ++found;
        for (double ratio : {1.0, 1.5, 2.0})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(name).arg(ratio)))
                << resource << ratio;
    }
    QCOMPARE(found, 10);
}

// Whether drawn at build time (ratios 1 and 2) or now (1.5), each picture is the SVG rendered at
// its physical size, pixel for pixel.
void tst_SvgCache::pictures()
{
    QFETCH(QString, resource);
    QFETCH(double, ratio);
    const QSize size = QSvgRenderer(resource).defaultSize();
    const QPixmap pixmap = SvgCache::instance().pixmap(resource, size, ratio);
    if (ratio != 1.5) { // the build drew it for the usual ratios, stored to be used as it is
        const QResource drawn(":/prerendered/" + SvgCache::drawnName(resource, int(ratio)));
        QVERIFY(drawn.isValid());
        QCOMPARE(drawn.compressionAlgorithm(), QResource::NoCompression);
        // used where the program holds it, not copied
        QCOMPARE(pixmap.toImage().constBits(), drawn.data());
    }
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.size(), (QSizeF(size) * ratio).toSize());
    const QImage expected = SvgCache::render(resource, size, ratio);
#ifdef Q_OS_WIN
    // The stored pictures' text was drawn on the build machine (Debian's FreeType); a picture
    // drawn here has this platform's text. Only pictures without text are the same pixels;
    // bench_picture compares the bench's text on the two platforms.
    QFile svg(resource);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const bool sameEverywhere = !svg.readAll().contains("<text");
#else
    const bool sameEverywhere = true;
#endif
    if (sameEverywhere)
        QVERIFY(largestDifference(pixmap.toImage().convertToFormat(expected.format()), expected) <=
                1);
    const int hits = SvgCache::instance().hits();
    SvgCache::instance().pixmap(resource, size, ratio);
    QCOMPARE(SvgCache::instance().hits(), hits + 1); // the second request is a copy
}

void tst_SvgCache::otherSizesAreRendered()
{
    const QPixmap pixmap = SvgCache::instance().pixmap(":/assets/icon.svg", QSize(48, 48), 2);
    QCOMPARE(pixmap.size(), QSize(96, 96));
    QVERIFY(SvgCache::instance().pixmap(":/assets/missing.svg", QSize(10, 10), 1).isNull());
}

// The window's icon comes at every size the build drew, each the SVG rendered at that size, so a
// desktop asking for any of them gets it without SVG being rendered.
void tst_SvgCache::icon()
{
    const QString file = QStringLiteral(":/assets/icon.svg");
    const QIcon icon = SvgCache::icon(file);
    QList<QSize> sizes;
    for (int size : SvgCache::iconSizes())
        sizes << QSize(size, size);
    QCOMPARE(icon.availableSizes(), sizes);
    for (int size : SvgCache::iconSizes()) {
        const QImage expected = SvgCache::render(file, QSize(size, size), 1);
        const QImage drawn = icon.pixmap(QSize(size, size), 1.0).toImage();
        QVERIFY2(largestDifference(drawn.convertToFormat(expected.format()), expected) == 0,
                 qPrintable(QString::number(size)));
    }
}

QTEST_MAIN(tst_SvgCache)
#include "tst_svg_cache.moc"
