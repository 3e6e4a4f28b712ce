// The drawings of the reference documents. Everything is placed in millimetres of the printed
// page and painted into an image of the requested resolution, so the print stays crisp.
#include "figures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace figures {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kLayoutDpi = 96.0; // the unit of lengths inside a QTextDocument

// A sheet of the given size in millimetres with a painter whose lengths are given in millimetres.
class Sheet
{
  public:
    Sheet(double widthMm, double heightMm, double dpi)
        : m_pxPerMm(dpi / kMmPerInch),
          m_image(qRound(widthMm * m_pxPerMm), qRound(heightMm * m_pxPerMm), QImage::Format_RGB32)
    {
        m_image.fill(Qt::white);
        const int dotsPerMetre = qRound(dpi / kMmPerInch * 1000.0);
        m_image.setDotsPerMeterX(dotsPerMetre);
        m_image.setDotsPerMeterY(dotsPerMetre);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setRenderHint(QPainter::TextAntialiasing);
        m_painter.scale(m_pxPerMm, m_pxPerMm);
        setLine(kLineMm);
    }

    static constexpr double kLineMm = 0.35; // wires
    static constexpr double kBodyMm = 0.5;  // outlines of the elements

    QPainter &painter() { return m_painter; }

    void setLine(double widthMm, Qt::PenStyle style = Qt::SolidLine)
    {
        QPen pen(Qt::black, widthMm, style, Qt::FlatCap, Qt::MiterJoin);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
    }

    void wire(const QPolygonF &points)
    {
        setLine(kLineMm);
        QPen pen = m_painter.pen();
        pen.setCapStyle(Qt::SquareCap);
        m_painter.setPen(pen);
        m_painter.drawPolyline(points);
    }

    void node(QPointF at)
    {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(Qt::black);
        m_painter.drawEllipse(at, 0.85, 0.85);
        setLine(kLineMm);
    }

    void terminal(QPointF at)
    {
        setLine(kLineMm);
        m_painter.setBrush(Qt::white);
        m_painter.drawEllipse(at, 1.0, 1.0);
        m_painter.setBrush(Qt::NoBrush);
    }

    // A resistor (a rectangle in the usual drawing convention) centred on a wire that runs at
    // angleDeg.
    void resistor(QPointF centre, double angleDeg, double lengthMm = 12.0, double widthMm = 4.0)
    {
        m_painter.save();
        m_painter.translate(centre);
        m_painter.rotate(angleDeg);
        setLine(kBodyMm);
        m_painter.setBrush(Qt::white);
        m_painter.drawRect(QRectF(-lengthMm / 2, -widthMm / 2, lengthMm, widthMm));
        m_painter.restore();
        setLine(kLineMm);
    }

    // A filled arrow from one point to another, the head at the end.
    void arrow(QPointF from, QPointF to, double lineMm = kLineMm, double headMm = 2.4)
    {
        const QLineF line(from, to);
        const QLineF unit = line.unitVector();
        const QPointF dir(unit.dx(), unit.dy());
        const QPointF normal(-dir.y(), dir.x());
        const QPointF base = to - dir * headMm;
        setLine(lineMm);
        m_painter.drawLine(from, to - dir * (headMm * 0.6));
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(Qt::black);
        m_painter.drawPolygon(
            QPolygonF{to, base + normal * (headMm * 0.3), base - normal * (headMm * 0.3)});
        setLine(kLineMm);
    }

    // Text anchored at a point: with Qt::AlignRight the text ends at the point, with
    // Qt::AlignBottom it stands on it, and so on; centred in the directions the alignment does not
    // name.
    void text(QPointF at, const QString &text, double sizePt, Qt::Alignment align = Qt::AlignCenter,
              bool italic = false, const QString &family = QStringLiteral("Liberation Serif"))
    {
        QFont font(family);
        font.setPixelSize(qMax(1, qRound(sizePt / 72.0 * kMmPerInch * m_pxPerMm)));
        font.setItalic(italic);
        m_painter.save();
        m_painter.resetTransform();
        m_painter.setFont(font);
        m_painter.setPen(Qt::black);
        // A box that has the anchor on its edge (or centre line) that the alignment names.
        const QPointF px = at * m_pxPerMm;
        const double span = 4000.0;
        const double left = (align & Qt::AlignLeft)    ? px.x()
                            : (align & Qt::AlignRight) ? px.x() - span
                                                       : px.x() - span / 2;
        const double top = (align & Qt::AlignTop)      ? px.y()
                           : (align & Qt::AlignBottom) ? px.y() - span
                                                       : px.y() - span / 2;
        m_painter.drawText(QRectF(left, top, span, span), int(align), text);
        m_painter.restore();
    }

    // A quantity such as Rx or Iг: an italic letter with an upright subscript, centred at a point.
    void symbol(QPointF at, const QString &letter, const QString &subscript, double sizePt = 12.5)
    {
        const double pxPerPt = kMmPerInch / 72.0 * m_pxPerMm;
        QFont main(QStringLiteral("Liberation Serif"));
        main.setItalic(true);
        main.setPixelSize(qRound(sizePt * pxPerPt));
        QFont sub(QStringLiteral("Liberation Serif"));
        sub.setPixelSize(qRound(sizePt * 0.72 * pxPerPt));
        const QFontMetricsF mainMetrics(main, &m_image);
        const QFontMetricsF subMetrics(sub, &m_image);
        const double width =
            mainMetrics.horizontalAdvance(letter) + subMetrics.horizontalAdvance(subscript);
        const QPointF px = at * m_pxPerMm;
        const double baseline = px.y() + (mainMetrics.capHeight()) / 2.0;
        const double x = px.x() - width / 2.0;

        m_painter.save();
        m_painter.resetTransform();
        m_painter.setPen(Qt::black);
        m_painter.setFont(main);
        m_painter.drawText(QPointF(x, baseline), letter);
        m_painter.setFont(sub);
        m_painter.drawText(
            QPointF(x + mainMetrics.horizontalAdvance(letter) + 0.04 * main.pixelSize(),
                    baseline + 0.22 * main.pixelSize()),
            subscript);
        m_painter.restore();
    }

    // The finished image; printed at the given fraction of the size it was drawn at.
    QImage finish(double printScale = 1.0)
    {
        m_painter.end();
        m_image.setDevicePixelRatio(m_pxPerMm * kMmPerInch / kLayoutDpi / printScale);
        return m_image;
    }

  private:
    double m_pxPerMm;
    QImage m_image;
    QPainter m_painter;
};

QPointF along(QPointF from, QPointF to, double t)
{
    return from + (to - from) * t;
}

// The unit normal of the segment from-to, turned to its left (counter-clockwise on screen).
QPointF leftNormal(QPointF from, QPointF to)
{
    const QLineF unit = QLineF(from, to).unitVector();
    return QPointF(unit.dy(), -unit.dx());
}

double angleOf(QPointF from, QPointF to)
{
    return std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / M_PI;
}

} // namespace

QImage bridgeSchematic(int dpi)
{
    constexpr double printScale = 0.7;
    Sheet s(150.0, 112.0, dpi * printScale);

    // The bridge: A and B take the supply, C joins Rx and Rм, D is the slider of the slide wire.
    const QPointF a(30, 42), b(120, 42), c(75, 11), d(75, 73), g(75, 42);
    const double bottom = 96.0, left = 10.0, right = 140.0;

    // Wires first; the elements are painted over them with a white body.
    s.wire({a, c, b, d, a});
    s.wire({c, d});
    s.wire({a, QPointF(left, a.y()), QPointF(left, bottom), QPointF(right, bottom),
            QPointF(right, b.y()), b});

    // The four arms with their names outside the diamond.
    struct Arm
    {
        QPointF from, to;
        QString sub;
        double side; // +1: label on the left of from→to, -1: on the right
    };
    const Arm arms[] = {{a, c, QStringLiteral("x"), +1},
                        {c, b, QStringLiteral("м"), +1},
                        {a, d, QStringLiteral("л"), -1},
                        {d, b, QStringLiteral("п"), -1}};
    for (const Arm &arm : arms) {
        const QPointF mid = along(arm.from, arm.to, 0.5);
        s.resistor(mid, angleOf(arm.from, arm.to), 13.0, 4.5);
        s.symbol(mid + leftNormal(arm.from, arm.to) * (arm.side * 7.5), QStringLiteral("R"),
                 arm.sub);
    }

    // The currents of the derivation: I1 through Rx and Rм, I2 through Rл and Rп, Iг through G.
    {
        const QPointF n1 = leftNormal(a, c) * 3.2;
        s.arrow(along(a, c, 0.10) + n1, along(a, c, 0.27) + n1, 0.3, 2.2);
        s.symbol(along(a, c, 0.18) + n1 * 2.3, QStringLiteral("I"), QStringLiteral("1"), 11.0);
        const QPointF n2 = -leftNormal(a, d) * 3.2;
        s.arrow(along(a, d, 0.10) + n2, along(a, d, 0.27) + n2, 0.3, 2.2);
        s.symbol(along(a, d, 0.18) + n2 * 2.3, QStringLiteral("I"), QStringLiteral("2"), 11.0);
        s.arrow(QPointF(c.x() + 3.2, c.y() + 8.0), QPointF(c.x() + 3.2, c.y() + 20.0), 0.3, 2.2);
        s.symbol(QPointF(c.x() + 8.0, c.y() + 14.0), QStringLiteral("I"), QStringLiteral("г"),
                 11.0);
    }

    // The galvanometer in the measuring diagonal.
    s.setLine(Sheet::kBodyMm);
    s.painter().setBrush(Qt::white);
    s.painter().drawEllipse(g, 5.5, 5.5);
    s.text(g, QStringLiteral("G"), 13.0, Qt::AlignCenter, false);

    for (QPointF p : {a, b, c, d})
        s.node(p);
    s.text(a + QPointF(-2.0, -1.6), QStringLiteral("A"), 11.5, Qt::AlignRight | Qt::AlignBottom);
    s.text(b + QPointF(2.0, -1.6), QStringLiteral("B"), 11.5, Qt::AlignLeft | Qt::AlignBottom);
    s.text(c + QPointF(0.0, -2.0), QStringLiteral("C"), 11.5, Qt::AlignHCenter | Qt::AlignBottom);
    s.text(d + QPointF(0.0, 2.0), QStringLiteral("D"), 11.5, Qt::AlignHCenter | Qt::AlignTop);

    // The source: EMF E with its internal resistance r, framed as one device.
    {
        const double x = 30.0;
        s.painter().setPen(Qt::NoPen);
        s.painter().setBrush(Qt::white);
        s.painter().drawRect(QRectF(x - 1.2, bottom - 6.0, 2.4, 12.0));
        s.setLine(Sheet::kLineMm);
        s.painter().drawLine(QPointF(x - 1.2, bottom - 6.0),
                             QPointF(x - 1.2, bottom + 6.0)); // +, the long plate
        s.setLine(1.3);
        s.painter().drawLine(QPointF(x + 1.2, bottom - 3.0),
                             QPointF(x + 1.2, bottom + 3.0)); // −, the short plate
        s.text(QPointF(x - 3.2, bottom - 4.6), QStringLiteral("+"), 10.0, Qt::AlignCenter);
        s.text(QPointF(x + 3.6, bottom - 4.6), QStringLiteral("−"), 10.0, Qt::AlignCenter);
        s.resistor(QPointF(x + 15.0, bottom), 0.0, 9.0, 3.6);
        s.symbol(QPointF(x, bottom + 12.0), QStringLiteral("E"), QString());
        s.text(QPointF(x + 15.0, bottom + 12.0), QStringLiteral("r"), 12.5, Qt::AlignCenter, true);
        s.setLine(0.25, Qt::DashLine);
        s.painter().drawRect(QRectF(x - 9.0, bottom - 8.5, 33.0, 17.0));
        s.setLine(Sheet::kLineMm);
    }

    // The key K, drawn open.
    {
        const QPointF k1(80.0, bottom), k2(90.0, bottom);
        s.painter().setPen(Qt::NoPen);
        s.painter().setBrush(Qt::white);
        s.painter().drawRect(QRectF(k1.x(), bottom - 1.0, k2.x() - k1.x(), 2.0));
        s.setLine(Sheet::kLineMm * 1.4);
        QPen pen = s.painter().pen();
        pen.setCapStyle(Qt::RoundCap);
        s.painter().setPen(pen);
        s.painter().drawLine(k1, k1 + QPointF(9.6 * std::cos(M_PI / 6), -9.6 * std::sin(M_PI / 6)));
        s.node(k1);
        s.node(k2);
        s.text(QPointF(85.0, bottom + 12.0), QStringLiteral("K"), 12.5, Qt::AlignCenter);
    }

    // The rheostat: a resistor whose value is set by hand.
    {
        const QPointF r(116.0, bottom);
        s.resistor(r, 0.0, 14.0, 4.5);
        s.arrow(r + QPointF(-8.5, 6.0), r + QPointF(8.5, -6.5), 0.3, 2.4);
        s.symbol(r + QPointF(0.0, 12.0), QStringLiteral("R"), QStringLiteral("р"));
    }

    return s.finish(printScale);
}

QImage slideWireSketch(int dpi)
{
    constexpr double printScale = 0.8;
    Sheet s(150.0, 52.0, dpi * printScale);
    const double x0 = 15.0, x1 = 135.0; // the ends of the wire, 0 % and 100 %
    const double wireY = 18.0, rulerTop = 22.0, rulerBottom = 30.0;
    const double fraction = 0.4;
    const double xd = x0 + (x1 - x0) * fraction;

    // The ruler with a division every 5 % and numbers every 10 %.
    s.setLine(Sheet::kBodyMm);
    s.painter().drawRect(QRectF(x0 - 4.0, rulerTop, (x1 - x0) + 8.0, rulerBottom - rulerTop));
    for (int p = 0; p <= 100; p += 5) {
        const double x = x0 + (x1 - x0) * p / 100.0;
        s.setLine(0.25);
        s.painter().drawLine(QPointF(x, rulerTop),
                             QPointF(x, rulerTop + (p % 10 == 0 ? 3.0 : 1.8)));
        if (p % 10 == 0)
            s.text(QPointF(x, rulerTop + 5.6), QString::number(p), 7.0, Qt::AlignCenter, false,
                   QStringLiteral("Liberation Sans"));
    }

    // The wire between its terminals A and B, and the slider D touching it.
    s.setLine(0.5);
    s.painter().drawLine(QPointF(x0, wireY), QPointF(x1, wireY));
    s.terminal(QPointF(x0, wireY));
    s.terminal(QPointF(x1, wireY));
    s.text(QPointF(x0 - 2.5, wireY - 1.0), QStringLiteral("A"), 11.5,
           Qt::AlignRight | Qt::AlignBottom);
    s.text(QPointF(x1 + 2.5, wireY - 1.0), QStringLiteral("B"), 11.5,
           Qt::AlignLeft | Qt::AlignBottom);

    s.painter().setPen(Qt::NoPen);
    s.painter().setBrush(Qt::black);
    s.painter().drawPolygon(QPolygonF{QPointF(xd, wireY - 0.3), QPointF(xd - 1.8, wireY - 4.0),
                                      QPointF(xd + 1.8, wireY - 4.0)});
    s.wire({QPointF(xd, wireY - 4.0), QPointF(xd, 4.0)});
    s.text(QPointF(xd + 2.0, 5.0), QStringLiteral("к гальванометру"), 9.0,
           Qt::AlignLeft | Qt::AlignVCenter, true);
    s.text(QPointF(xd + 2.2, wireY - 2.6), QStringLiteral("D"), 11.5,
           Qt::AlignLeft | Qt::AlignBottom);

    // The arms above the wire.
    s.symbol(QPointF((x0 + xd) / 2, wireY - 5.0), QStringLiteral("R"), QStringLiteral("л"));
    s.symbol(QPointF((xd + x1) / 2, wireY - 5.0), QStringLiteral("R"), QStringLiteral("п"));

    // Their lengths under the ruler.
    const double dimY = rulerBottom + 7.5;
    s.setLine(0.25);
    for (double x : {x0, xd, x1})
        s.painter().drawLine(QPointF(x, rulerBottom + 1.0), QPointF(x, dimY + 2.0));
    s.arrow(QPointF((x0 + xd) / 2, dimY), QPointF(x0, dimY), 0.25, 2.0);
    s.arrow(QPointF((x0 + xd) / 2, dimY), QPointF(xd, dimY), 0.25, 2.0);
    s.arrow(QPointF((xd + x1) / 2, dimY), QPointF(xd, dimY), 0.25, 2.0);
    s.arrow(QPointF((xd + x1) / 2, dimY), QPointF(x1, dimY), 0.25, 2.0);
    s.text(QPointF((x0 + xd) / 2, dimY - 0.8), QStringLiteral("l"), 12.0,
           Qt::AlignHCenter | Qt::AlignBottom, true);
    s.text(QPointF((xd + x1) / 2, dimY - 0.8), QStringLiteral("L − l"), 12.0,
           Qt::AlignHCenter | Qt::AlignBottom, true);

    const double totalY = dimY + 8.0;
    for (double x : {x0, x1})
        s.painter().drawLine(QPointF(x, dimY + 2.0), QPointF(x, totalY + 2.0));
    s.arrow(QPointF((x0 + x1) / 2, totalY), QPointF(x0, totalY), 0.25, 2.0);
    s.arrow(QPointF((x0 + x1) / 2, totalY), QPointF(x1, totalY), 0.25, 2.0);
    s.painter().setPen(Qt::NoPen);
    s.painter().setBrush(Qt::white);
    s.painter().drawRect(QRectF((x0 + x1) / 2 - 5.0, totalY - 2.0, 10.0, 4.0));
    s.text(QPointF((x0 + x1) / 2, totalY), QStringLiteral("L"), 12.0, Qt::AlignCenter, true);

    return s.finish(printScale);
}

} // namespace figures
