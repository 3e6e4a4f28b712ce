// The bench's picture on one platform against another's: the Windows build under Wine against the
// Debian build at the same scale (run by scripts/windows/tests.sh).
//
// bench_picture capture <folder>: shows a live bench (key closed, box at 1963 Ω, source on) on the
//     platform the program runs on, and writes what the screen shows of its window (picture.png,
//     device pixels) and where its drawn controls lie there (regions.txt), with the window's pixel
//     ratio, how its frame sits on the screen and, on Windows, the process's DPI awareness; and
//     the window with its frame (frame.png).
// bench_picture compare <folder> <reference folder>: compares two captures control by control;
//     prints one line per control and a verdict, and exits with 1 when they differ beyond what two
//     platforms' text rendering explains.
#include "bench_fixture.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>

#ifdef Q_OS_WIN
#define NOMINMAX
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

int capture(const QString &folder)
{
    LiveBench bench;
    BenchWindow &window = *bench.form;
    QTest::qWait(500); // the needle settles; every repaint is done
    QCoreApplication::processEvents();
    const qreal ratio = window.devicePixelRatioF();
    // What the screen shows where the window's client area lies, in device pixels.
    const QRect client = window.geometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, client.x(), client.y(), client.width(), client.height());
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
        << frame.center().y() - screen.center().y() << '\n';
    const BenchCanvas *canvas = benchOf(window);
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
        const QRectF onBench = item->bounds();
        const QPointF topLeft = QPointF(canvas->mapTo(&window, QPoint(0, 0))) + onBench.topLeft();
        // The inside of the control: its edge pixels are shared with neighbours drawn over it.
        const QRect device = QRectF(topLeft * ratio, onBench.size() * ratio).toAlignedRect();
        const QRect inside = device.adjusted(1, 1, -1, -1);
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
        if (f.size() == 6 && f[0] != QLatin1String("frame-centre-offset"))
            c.regions.append(
                {f[1], f[0], QRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt())});
        else if (f.size() >= 2)
            c.facts.insert(f[0], f.mid(1).join(QLatin1Char(' ')));
    }
    return true;
}

// Pixels whose colour differs by more than a faint edge's worth.
int differing(const QImage &a, QRect ra, const QImage &b, QRect rb)
{
    int count = 0;
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x) {
            const QRgb p = a.pixel(ra.x() + x, ra.y() + y), q = b.pixel(rb.x() + x, rb.y() + y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            if (d > 64)
                ++count;
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
    // Text drawn by two platforms' rasterisers differs at its edges only; a glyph drawn as an
    // empty box, or in another face, changes whole strokes.
    const bool wholeRatio = shown.facts.value(QStringLiteral("ratio")).toDouble() ==
                            std::floor(shown.facts.value(QStringLiteral("ratio")).toDouble());
    for (const Region &r : shown.regions) {
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
        const int area = r.rect.width() * r.rect.height();
        const int diff = differing(shown.picture, r.rect, reference.picture, match->rect);
        const double share = double(diff) / area;
        // Lines, and pictures drawn at build time (ratios 1 and 2), are the same pixels.
        double allowed = 0;
        if (r.kind == QLatin1String("label"))
            allowed = 0.12;
        else if (r.kind == QLatin1String("picture") && !wholeRatio)
            allowed = 0.03;
        const bool same = share <= allowed;
        std::printf("%s %s %s: %d of %d pixels differ (%.2f %%, allowed %.2f %%)\n",
                    same ? "ok  " : "FAIL", qPrintable(r.kind), qPrintable(r.name), diff, area,
                    share * 100, allowed * 100);
        ok = ok && same;
    }
    std::printf("%s\n", ok ? "same bench" : "the pictures differ");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("capture"))
        return capture(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("compare"))
        return compare(args[1], args[2]);
    std::fprintf(stderr, "usage: bench_picture capture <folder> | compare <folder> <reference>\n");
    return 2;
}
