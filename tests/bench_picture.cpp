// The bench's picture on one platform against another's: the Windows build under Wine against the
// Debian build at the same scale (run by scripts/windows/tests.sh).
//
// bench_picture capture <folder>: shows a live bench (key closed, box at 1963 Ω, source on) on the
//     platform the program runs on, and writes what the screen shows of its window (picture.png,
//     device pixels) and where its drawn controls lie there (regions.txt), with the window's pixel
//     ratio, how its frame sits on the screen and, on Windows, the process's DPI awareness; and
//     the window with its frame (frame.png).
//     With a second folder, the bench lies where that capture had it in the window.
// bench_picture compare <folder> <reference folder>: compares two captures control by control;
//     prints one line per control and a verdict, and exits with 1 when they differ beyond what two
//     platforms' text rendering explains.
#include "bench_fixture.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX // std::max, not the macro
#endif
#include <windows.h>
#endif

namespace {

// 1 unaware, 2 system aware, 3 per-monitor aware (the process's), 0 where the platform has none.
int dpiAwareness()
{
#ifdef Q_OS_WIN
    using Context = void *;
    using GetThreadContext = Context(WINAPI *)();
    using GetAwareness = int(WINAPI *)(Context);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto threadContext = reinterpret_cast<GetThreadContext>(
        reinterpret_cast<void *>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto awareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void *>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!threadContext || !awareness)
        return -1;
    return awareness(threadContext()) + 1;
#else
    return 0;
#endif
}

struct Region
{
    QString name;
    QString kind; // picture, line or label
    QRect rect;   // device pixels of the window's client area
};

// Where the bench lies in the window, in logical pixels: below the menu bar, whose height comes
// from the platform's menu font.
QPoint benchOffset(BenchWindow &window)
{
    return benchOf(window)->mapTo(&window, QPoint(0, 0));
}

int capture(const QString &folder, const QString &likeFolder)
{
    LiveBench bench;
    BenchWindow &window = *bench.form;
    if (!likeFolder.isEmpty()) {
        // The bench where the other capture had it, so that both draw it at the same fraction of
        // a device pixel: at 150 % a menu bar a pixel taller moves every line by half a pixel.
        QFile like(likeFolder + QStringLiteral("/regions.txt"));
        if (!like.open(QIODevice::ReadOnly | QIODevice::Text))
            return 1;
        const QStringList lines = QString::fromUtf8(like.readAll()).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            if (line.startsWith(QLatin1String("bench-offset "))) {
                const int y = line.split(QLatin1Char(' ')).value(2).toInt();
                window.menuBar()->setFixedHeight(window.menuBar()->height() + y -
                                                 benchOffset(window).y());
            }
        QCoreApplication::processEvents();
    }
    QTest::qWait(500); // the needle settles; every repaint is done
    QCoreApplication::processEvents();
    const qreal ratio = window.devicePixelRatioF();
    // What the screen shows of the window's client area, in device pixels: read from the screen
    // on a real platform, from the window's store offscreen, where no screen composes it.
    QImage shot;
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        shot = paintedWhole(window);
    } else {
        const QRect client = window.geometry();
        shot = window.screen()
                   ->grabWindow(0, client.x(), client.y(), client.width(), client.height())
                   .toImage();
    }
    if (shot.isNull() || !shot.save(folder + QStringLiteral("/picture.png"))) {
        std::fprintf(stderr, "bench_picture: cannot grab or save the window\n");
        return 1;
    }
    // The window with its frame, as a screenshot shows it.
    const QRect framed = window.frameGeometry();
    window.screen()
        ->grabWindow(0, framed.x(), framed.y(), framed.width(), framed.height())
        .save(folder + QStringLiteral("/frame.png"));
    QFile file(folder + QStringLiteral("/regions.txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    QTextStream out(&file);
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen()->geometry();
    out << "ratio " << ratio << '\n'
        << "awareness " << dpiAwareness() << '\n'
        << "frame-centre-offset " << frame.center().x() - screen.center().x() << ' '
        << frame.center().y() - screen.center().y() << '\n'
        << "bench-offset " << benchOffset(window).x() << ' ' << benchOffset(window).y() << '\n';
    const BenchCanvas *canvas = benchOf(window);
    const auto onDevice = [&](QRectF onBench) {
        const QPointF topLeft = QPointF(canvas->mapTo(&window, QPoint(0, 0))) + onBench.topLeft();
        return QRectF(topLeft * ratio, onBench.size() * ratio).toAlignedRect();
    };
    // The widgets on the bench (bars, readouts) are drawn in the platform's style: not compared,
    // and what they cover of a picture is left out of its comparison.
    for (const QWidget *w :
         canvas->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isVisible())
            continue;
        const QRect r = onDevice(QRectF(w->geometry()));
        out << "widget " << w->objectName() << ' ' << r.x() << ' ' << r.y() << ' ' << r.width()
            << ' ' << r.height() << '\n';
    }
    for (const auto &item : canvas->items()) {
        if (!item->isVisible())
            continue;
        QString kind;
        if (dynamic_cast<const BenchImage *>(item.get()))
            kind = QStringLiteral("picture");
        else if (dynamic_cast<const BenchLine *>(item.get()))
            kind = QStringLiteral("line");
        else if (dynamic_cast<const BenchLabel *>(item.get()))
            kind = QStringLiteral("label");
        else
            continue;
        // The inside of the control: its edge pixels are shared with neighbours drawn over it.
        const QRect inside = onDevice(item->bounds()).adjusted(1, 1, -1, -1);
        if (inside.isEmpty())
            continue;
        out << kind << ' ' << item->name() << ' ' << inside.x() << ' ' << inside.y() << ' '
            << inside.width() << ' ' << inside.height() << '\n';
    }
    return 0;
}

struct Capture
{
    QImage picture;
    QHash<QString, QString> facts;
    QList<Region> regions;
};

bool load(const QString &folder, Capture &c)
{
    c.picture =
        QImage(folder + QStringLiteral("/picture.png")).convertToFormat(QImage::Format_RGB32);
    QFile file(folder + QStringLiteral("/regions.txt"));
    if (c.picture.isNull() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() == 6)
            c.regions.append(
                {f[1], f[0], QRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt())});
        else if (f.size() >= 2)
            c.facts.insert(f[0], f.mid(1).join(QLatin1Char(' ')));
    }
    return true;
}

bool alike(QRgb p, QRgb q, int tolerance)
{
    return std::abs(qRed(p) - qRed(q)) <= tolerance &&
           std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(q)) <= tolerance;
}

// Pixels of a region that differ from the other picture's, leaving out what `covered` marks (in
// region coordinates). With `slack`, a pixel counts only when no pixel of the other picture
// within one pixel of it comes near its colour either way: two rasterisers' text differs in the
// shading and the place of its edges by a pixel, while a glyph drawn as an empty box, or in
// another face, puts strokes where the other picture has none.
int differing(const QImage &a, QRect ra, const QImage &b, QRect rb, const QRegion &covered,
              bool slack, QImage &marked)
{
    const auto unmatched = [&](const QImage &p, QRect rp, const QImage &q, QRect rq, int x, int y) {
        const QRgb colour = p.pixel(rp.x() + x, rp.y() + y);
        const int reach = slack ? 1 : 0;
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const int qx = x + dx, qy = y + dy;
                if (qx >= 0 && qy >= 0 && qx < rq.width() && qy < rq.height() &&
                    alike(colour, q.pixel(rq.x() + qx, rq.y() + qy), slack ? 96 : 0))
                    return false;
            }
        return true;
    };
    int count = 0;
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x) {
            if (covered.contains(QPoint(x, y)))
                continue;
            if (unmatched(a, ra, b, rb, x, y) || unmatched(b, rb, a, ra, x, y)) {
                marked.setPixel(ra.x() + x, ra.y() + y, qRgb(255, 0, 0));
                ++count;
            }
        }
    return count;
}

int compare(const QString &folder, const QString &referenceFolder)
{
    Capture shown, reference;
    if (!load(folder, shown) || !load(referenceFolder, reference)) {
        std::fprintf(stderr, "bench_picture: cannot read the captures\n");
        return 1;
    }
    bool ok = true;
    const auto fail = [&ok](const QString &what) {
        std::printf("FAIL %s\n", qPrintable(what));
        ok = false;
    };
    if (shown.facts.value(QStringLiteral("ratio")) !=
        reference.facts.value(QStringLiteral("ratio")))
        fail(QStringLiteral("pixel ratio %1, the reference's %2")
                 .arg(shown.facts.value(QStringLiteral("ratio")),
                      reference.facts.value(QStringLiteral("ratio"))));
    const QString awareness = shown.facts.value(QStringLiteral("awareness"));
    if (awareness != QLatin1String("0") && awareness != QLatin1String("3"))
        fail(QStringLiteral("not aware of each monitor's DPI (awareness %1)").arg(awareness));
    // Centred: the frame's centre within a pixel of the screen's, where halves do not come whole.
    const QStringList offset = shown.facts.value(QStringLiteral("frame-centre-offset")).split(' ');
    if (offset.size() != 2 || std::abs(offset[0].toInt()) > 1 || std::abs(offset[1].toInt()) > 1)
        fail(QStringLiteral("window not centred: its frame's centre is off by %1")
                 .arg(offset.join(QStringLiteral(", "))));
    if (shown.regions.size() != reference.regions.size())
        fail(QStringLiteral("%1 controls shown, the reference shows %2")
                 .arg(shown.regions.size())
                 .arg(reference.regions.size()));
    // Pictures drawn at build time (pixel ratios 1 and 2) and lines are the same pixels on both
    // platforms; text, drawn by each platform's rasteriser (the captions, and the artwork's own
    // at other ratios), is compared with a pixel's slack.
    const double ratio = shown.facts.value(QStringLiteral("ratio")).toDouble();
    const bool drawnAtBuild = ratio == 1 || ratio == 2;
    QRegion shownOver; // widgets and captions, drawn over pictures and lines
    for (const Region &r : shown.regions)
        if (r.kind != QLatin1String("picture") && r.kind != QLatin1String("line"))
            shownOver += r.rect.adjusted(-2, -2, 2, 2);
    int compared = 0;
    QImage marked = shown.picture.copy(); // the differences in red, for whoever looks
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x)
            marked.setPixel(x, y, 0xff000000 | 0x010101 * (128 + qGray(marked.pixel(x, y)) / 2));
    for (const Region &r : shown.regions) {
        if (r.kind == QLatin1String("widget"))
            continue;
        const auto match = std::find_if(reference.regions.begin(), reference.regions.end(),
                                        [&r](const Region &o) { return o.name == r.name; });
        if (match == reference.regions.end()) {
            fail(QStringLiteral("%1 is not in the reference").arg(r.name));
            continue;
        }
        if (match->rect.size() != r.rect.size() || !shown.picture.rect().contains(r.rect) ||
            !reference.picture.rect().contains(match->rect)) {
            fail(QStringLiteral("%1: %2×%3 px, the reference's %4×%5")
                     .arg(r.name)
                     .arg(r.rect.width())
                     .arg(r.rect.height())
                     .arg(match->rect.width())
                     .arg(match->rect.height()));
            continue;
        }
        const bool text = r.kind == QLatin1String("label");
        const QRegion covered =
            text ? QRegion() : shownOver.intersected(r.rect).translated(-r.rect.topLeft());
        // A line's box holds what lies under it too: the artwork's text, where drawn at run time.
        const bool slack = text || !drawnAtBuild;
        const int diff = differing(shown.picture, r.rect, reference.picture, match->rect, covered,
                                   slack, marked);
        // Small glyphs hinted by two rasterisers may differ beyond the slack in a few pixels: up
        // to one in twenty of the caption's box.
        const int allowed = text ? r.rect.width() * r.rect.height() / 20 : 0;
        const bool same = diff <= allowed;
        std::printf("%s %s %s: %d pixels differ%s (allowed %d)\n", same ? "ok  " : "FAIL",
                    qPrintable(r.kind), qPrintable(r.name), diff,
                    slack ? " by more than a pixel's slack" : "", allowed);
        ok = ok && same;
        ++compared;
    }
    if (compared == 0)
        fail(QStringLiteral("no control compared"));
    marked.save(folder + QStringLiteral("/differences.png"));
    std::printf("%s\n", ok ? "same bench" : "the pictures differ");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if ((args.size() == 2 || args.size() == 3) && args[0] == QLatin1String("capture"))
        return capture(args[1], args.value(2));
    if (args.size() == 3 && args[0] == QLatin1String("compare"))
        return compare(args[1], args[2]);
    std::fprintf(stderr, "usage: bench_picture capture <folder> [<like folder>] | "
                         "compare <folder> <reference>\n");
    return 2;
}
