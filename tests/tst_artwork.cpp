// Tests of the drawn instruments, read from the pixels of the rendered bench: the galvanometer's
// dial, the source's knob and toggle, the jockey's card, the key, the resistor and the readouts.
#include "bench_fixture.h"
#include "controls/galvanometer.h"
#include "model/needle.h"

#include <QPainter>

#include <cmath>
#include <functional>

namespace {

const QPointF pivot(279, 335); // the needle's pivot on the bench

/** The whole bench as the user sees it, scroll bars and readouts included, at a pixel ratio. */
QImage shoot(BenchWindow &form, qreal ratio)
{
    QImage image((QSizeF(640, 480) * ratio).toSize(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    static_cast<QWidget *>(benchOf(form))->render(&painter);
    return image;
}

/** The device pixels of `image` inside a bench rectangle that satisfy `test`, in bench pixels. */
QList<QPointF> pixelsWhere(const QImage &image, QRectF area, const std::function<bool(QRgb)> &test)
{
    const qreal r = image.devicePixelRatio();
    const QRect device = QRectF(area.topLeft() * r, area.size() * r).toAlignedRect() & image.rect();
    QList<QPointF> found;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (test(image.pixel(x, y)))
                found << QPointF((x + 0.5) / r, (y + 0.5) / r);
    return found;
}

bool isRed(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) < 100 && qBlue(p) < 100;
}

bool isDark(QRgb p)
{
    return qGray(p) < 140;
}

double length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

/** Angle from straight up about `centre`, clockwise, in radians. */
double angleAbout(QPointF centre, QPointF p)
{
    return std::atan2(p.x() - centre.x(), centre.y() - p.y());
}

} // namespace

class tst_Artwork : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void galvanometerMarks_data();
    void galvanometerMarks();
    void sourceKnob_data();
    void sourceKnob();
    void sourceToggle();
    void jockeyCard_data();
    void jockeyCard();
    void readoutMargins_data();
    void readoutMargins();
    void picture3Frame();
    void jockeyOnWire_data();
    void jockeyOnWire();
    void keyBlade();
    void resistorShowsNoValue();
    void shortBarsShowTheirValue_data();
    void shortBarsShowTheirValue();
    void shortBarArrows_data();
    void shortBarArrows();
};

void tst_Artwork::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void tst_Artwork::galvanometerMarks_data()
{
    QTest::addColumn<int>("division");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 2.0})
        for (int k = -5; k <= 5; ++k)
            QTest::newRow(qPrintable(QStringLiteral("%1 x 0.5 mA at %2").arg(k).arg(ratio)))
                << k << ratio;
}

// At every multiple of 0.5 mA up to the limit the needle's tip meets a long mark of the dial, its
// path stays on the card, and it never touches a numeral (at rest it leaves the "0" whole).
void tst_Artwork::galvanometerMarks()
{
    QFETCH(int, division);
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const NeedleGeometry g = needleGeometry(division * 0.0005, stateOf(form).Igmax);
    control<BenchLine>(form, "Line17")->setPoints(QPointF(g.x1, g.y1), QPointF(g.x2, g.y2));
    const QImage withNeedle = shoot(form, ratio);
    control<BenchLine>(form, "Line17")->setVisible(false);
    const QImage dial = shoot(form, ratio);
    const QRectF face(216, 240, 127, 100);

    const QList<QPointF> needle = pixelsWhere(withNeedle, face, isRed);
    QVERIFY(!needle.isEmpty());
    QPointF tip = pivot;
    for (const QPointF &p : needle)
        if (length(p - pivot) > length(tip - pivot))
            tip = p;
    const double angle = angleAbout(pivot, tip);
    QVERIFY2(std::fabs(angle - 0.156 * division) < 0.03, qPrintable(QString::number(angle)));

    // The mark: dark pixels of the dial near the needle's line, between the mirror and the tip.
    const QPointF along(std::sin(angle), -std::cos(angle));
    const QPointF across(-along.y(), along.x());
    double markEnd = 0;
    int markPixels = 0;
    for (const QPointF &p : pixelsWhere(dial, face, isDark)) {
        const QPointF v = p - pivot;
        const double r = QPointF::dotProduct(v, along);
        if (std::fabs(QPointF::dotProduct(v, across)) <= 1.5 && r > 46 && r < 60.5) {
            ++markPixels;
            markEnd = std::max(markEnd, r);
        }
    }
    QVERIFY2(markPixels >= 6 * ratio, qPrintable(QString::number(markPixels)));
    const double tipReach = QPointF::dotProduct(tip - pivot, along);
    QVERIFY2(std::fabs(tipReach - markEnd) <= 2,
             qPrintable(QStringLiteral("tip %1, mark %2").arg(tipReach).arg(markEnd)));

    // Just beyond the tip lies the card, not the bezel.
    const QPointF beyond = pivot + along * 60;
    QVERIFY(qGray(dial.pixel((beyond * ratio).toPoint())) > 170);

    // Nothing the needle covers lies farther out than its tip: the numerals stay as drawn.
    int covered = 0, numeralInk = 0;
    for (const QPointF &p : pixelsWhere(dial, face, [](QRgb) { return true; })) {
        if (length(p - pivot) < 60.5)
            continue;
        const QPoint d = (p * ratio).toPoint();
        numeralInk += isDark(dial.pixel(d));
        covered += withNeedle.pixel(d) != dial.pixel(d);
    }
    QCOMPARE(covered, 0);
    QVERIFY(numeralInk > 0);
}

void tst_Artwork::sourceKnob_data()
{
    QTest::addColumn<int>("emf");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<qreal>("ratio");
    const std::pair<int, double> rows[] = {{4, -115}, {8, 0}, {12, 115}};
    for (qreal ratio : {1.0, 2.0})
        for (const auto &[emf, degrees] : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 V at %2").arg(emf).arg(ratio)))
                << emf << degrees << ratio;
}

// The voltage knob's light pointer points at the EMF on the 4 … 12 scale.
void tst_Artwork::sourceKnob()
{
    QFETCH(int, emf);
    QFETCH(double, degrees);
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<ScrollBar>(form, "HScroll3")->setBenchValue(emf);
    QCOMPARE(stateOf(form).Edc, double(emf));
    const QImage image = shoot(form, ratio);
    const QPointF knob(128 + 33, 5 + 66.5);
    QPointF sum;
    int count = 0;
    for (const QPointF &p : pixelsWhere(image, QRectF(knob - QPointF(9, 9), QSizeF(18, 18)),
                                        [](QRgb c) { return qGray(c) > 190; })) {
        const double r = length(p - knob);
        if (r >= 2 && r <= 8) {
            sum += p - knob;
            ++count;
        }
    }
    QVERIFY(count >= 3 * ratio);
    const double pointed = angleAbout(QPointF(), sum / count) * 180 / M_PI;
    QVERIFY2(std::fabs(pointed - degrees) < 8, qPrintable(QString::number(pointed)));
}

// The mains toggle stands up while the source is on and down while it is off.
void tst_Artwork::sourceToggle()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const QRectF toggle(128 + 9.5, 5 + 14, 19, 26);
    const double pivotY = 5 + 27;
    auto bright = [](QRgb c) { return qGray(c) > 225; }; // the lever's polished metal
    auto upAndDown = [&](const QImage &image) {
        int up = 0, down = 0;
        for (const QPointF &p : pixelsWhere(image, toggle, bright)) {
            if (p.y() < pivotY - 4)
                ++up;
            else if (p.y() > pivotY + 4)
                ++down;
        }
        return std::make_pair(up, down);
    };
    const QImage off = shoot(form, 2);
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QCOMPARE(stateOf(form).istochnik, short(1));
    const QImage on = shoot(form, 2);
    const auto [offUp, offDown] = upAndDown(off);
    const auto [onUp, onDown] = upAndDown(on);
    QVERIFY2(
        onUp > onDown && offDown > offUp,
        qPrintable(
            QStringLiteral("on %1/%2, off %3/%4").arg(onUp).arg(onDown).arg(offUp).arg(offDown)));

    // On the screen, where the bench was already painted, the mains switched off and on again
    // repaint the toggle as a fresh drawing shows it.
    const qreal ratio = form.devicePixelRatioF();
    const QRect area = toggle.toAlignedRect();
    const QRect device(area.topLeft() * ratio, area.size() * ratio);
    auto shownAsDrawn = [&] {
        return storeShot(form).copy(onDevice(form, area)) ==
               shoot(form, ratio).copy(device).convertToFormat(QImage::Format_RGB32);
    };
    QVERIFY(shownAsDrawn());
    plantTrace(form, area.adjusted(0, 8, 0, 9 - area.height()));
    QVERIFY(!shownAsDrawn());
    paintedWhole(form);
    QVERIFY(shownAsDrawn());
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QCOMPARE(stateOf(form).istochnik, short(0));
    QVERIFY(shownAsDrawn());
    clickItem(form, control<SourcePicture>(form, "Image1"));
    QVERIFY(shownAsDrawn());
}

void tst_Artwork::jockeyCard_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 1.5, 2.0})
        for (const char *separator : {".", ","})
            for (int position : {0, 1, 101, 199, 200})
                QTest::newRow(qPrintable(
                    QStringLiteral("%1 with %2 at %3").arg(position).arg(separator).arg(ratio)))
                    << position << QString::fromLatin1(separator) << ratio;
}

// The jockey's card holds its readout: in every row of the text, the card's edges lie beyond the
// ink on both sides. The widest readouts leave 1 to 2 pixels each side of a 35-pixel card.
void tst_Artwork::jockeyCard()
{
    QFETCH(int, position);
    QFETCH(QString, separator);
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "HScroll1")->setBenchValue(position);
    control<BenchLabel>(form, "Lbldv")
        ->setCaption(QString(control<BenchLabel>(form, "Lbldv")->caption())
                         .replace(QLatin1Char('.'), separator));
    const QImage all = shoot(form, ratio);
    control<BenchLabel>(form, "Lbldv")->setVisible(false);
    const QImage card = shoot(form, ratio);
    control<BenchImage>(form, "Image4")->setVisible(false);
    const QImage bare = shoot(form, ratio);

    const QRect area = QRectF(QPointF(control<BenchImage>(form, "Image4")->left() - 12,
                                      control<BenchImage>(form, "Image4")->top()) *
                                  ratio,
                              QSizeF(control<BenchImage>(form, "Image4")->width() + 24, 30) * ratio)
                           .toAlignedRect();
    int rows = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int inkLeft = INT_MAX, inkRight = -1, cardLeft = INT_MAX, cardRight = -1;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (std::abs(qGray(all.pixel(x, y)) - qGray(card.pixel(x, y))) > 48) // visible ink
                inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
            if (card.pixel(x, y) != bare.pixel(x, y))
                cardLeft = std::min(cardLeft, x), cardRight = std::max(cardRight, x);
        }
        if (inkRight < 0)
            continue;
        ++rows;
        QVERIFY2(cardLeft < inkLeft && inkRight < cardRight,
                 qPrintable(QStringLiteral("row %1: card %2..%3, text %4..%5")
                                .arg(y)
                                .arg(cardLeft)
                                .arg(cardRight)
                                .arg(inkLeft)
                                .arg(inkRight)));
    }
    QVERIFY(rows >= 8 * ratio);
}

void tst_Artwork::readoutMargins_data()
{
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("ratio");
    const std::pair<const char *, const char *> widest[] = {{"LblEdc", "12"},
                                                            {"Lblr", "20"},
                                                            {"Lbl_reo", "500"},
                                                            {"LblReomax", "500"},
                                                            {"Lbl_R_L", "R_L=5,000 Ом"},
                                                            {"Lbl_R_R", "R_R=5.000 Ом"},
                                                            {"Lbl_Rx", "Rx=1963,0 Ом"},
                                                            {"Lbl_Ri", "Ri=1963.0 Ом"},
                                                            {"Picture1", "99999,9"},
                                                            {"Picture2", "-0,0331000"},
                                                            {"Picture2", "0.0000016"},
                                                            {"Picture3", "3,00"},
                                                            {"Picture3", "0.06"}};
    for (qreal ratio : {1.0, 2.0})
        for (const auto &[readout, text] : widest)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2 at %3").arg(readout, text).arg(ratio)))
                << QString::fromLatin1(readout) << QString::fromUtf8(text) << ratio;
}

// Readouts keep a clear pixel between their text and their frame: no ink on the frame (one pixel
// for the labels, two for the digital readouts) nor on the pixel inside it.
void tst_Artwork::readoutMargins()
{
    QFETCH(QString, readout);
    QFETCH(QString, text);
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QRectF box;
    int frame = 1;
    std::function<void(const QString &)> show;
    if (auto *label = dynamic_cast<BenchLabel *>(benchOf(form)->item(readout))) {
        label->setVisible(true);
        box = label->bounds();
        show = [label](const QString &t) { label->setCaption(t); };
    } else {
        auto *picture = form.findChild<ReadoutBox *>(readout);
        QVERIFY(picture);
        picture->setVisible(true);
        box = picture->geometry();
        frame = 2;
        show = [picture](const QString &t) {
            picture->clear();
            picture->print(t);
        };
    }
    show(text);
    const QImage written = shoot(form, ratio);
    show(QString());
    const QImage empty = shoot(form, ratio);
    const QRectF clear = box.adjusted(frame + 1, frame + 1, -frame - 1, -frame - 1);
    int ink = 0;
    for (const QPointF &p : pixelsWhere(written, box, [](QRgb) { return true; })) {
        const QPoint d = (p * ratio).toPoint();
        if (std::abs(qGray(written.pixel(d)) - qGray(empty.pixel(d))) <= 48) // no visible ink
            continue;
        ++ink;
        QVERIFY2(clear.contains(p), qPrintable(QStringLiteral("ink at %1, %2 outside %3 %4 %5 %6")
                                                   .arg(p.x())
                                                   .arg(p.y())
                                                   .arg(clear.left())
                                                   .arg(clear.top())
                                                   .arg(clear.right())
                                                   .arg(clear.bottom())));
    }
    QVERIFY(ink > 20);
}

// The source current's readout at the window's left edge shows its frame on all four sides.
void tst_Artwork::picture3Frame()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    control<ReadoutBox>(form, "Picture3")->clear();
    control<ReadoutBox>(form, "Picture3")->print(QStringLiteral("3.00"));
    const QImage image = shoot(form, 1);
    const QRect box = control<ReadoutBox>(form, "Picture3")->geometry();
    const QColor inside(0, 0, 0), text(0, 255, 0), background(224, 224, 224);
    const QPoint sides[] = {{box.left(), box.center().y()},
                            {box.right(), box.center().y()},
                            {box.center().x(), box.top()},
                            {box.center().x(), box.bottom()}};
    for (const QPoint &side : sides) {
        const QColor seen = image.pixelColor(side);
        QVERIFY2(
            seen != inside && seen != text && seen != background,
            qPrintable(seen.name() + QStringLiteral(" at %1, %2").arg(side.x()).arg(side.y())));
    }
}

void tst_Artwork::jockeyOnWire_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 2.0})
        for (int position : {0, 101, 200})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(position).arg(ratio)))
                << position << ratio;
}

// The jockey's wheel stands on the wire stretched between the clamps: from the wheel's centre down
// through the wire only metal, and the wire runs on to both clamps.
void tst_Artwork::jockeyOnWire()
{
    QFETCH(int, position);
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    control<ScrollBar>(form, "HScroll1")->setBenchValue(position);
    const QImage image = shoot(form, ratio);
    // Warm colours are the wooden base and the brass; the wheel and the wire are grey steel.
    const double centre = control<BenchImage>(form, "Image4")->left() +
                          control<BenchImage>(form, "Image4")->width() / 2;
    const QList<QPointF> contact =
        pixelsWhere(image, QRectF(centre - 0.5, 198 + 35.2, 1, 178 + 59.6 - (198 + 35.2)),
                    [](QRgb c) { return qRed(c) - qBlue(c) > 50; });
    QVERIFY2(contact.isEmpty(), qPrintable(QStringLiteral("wood at %1").arg(contact.value(0).y())));
    // That wire runs on from clamp to clamp.
    const QRectF jockey = control<BenchImage>(form, "Image4")->bounds();
    for (const QPointF &p : pixelsWhere(image, QRectF(32 + 9, 178 + 58.8, 482, 0.4),
                                        [](QRgb c) { return qRed(c) - qBlue(c) > 50; }))
        QVERIFY2(jockey.contains(p), qPrintable(QStringLiteral("no wire at %1").arg(p.x())));
}

// Closed, the key's blade lies across the base to the jaw in a bright metal colour; open, that
// place shows no blade.
void tst_Artwork::keyBlade()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    auto blade = [](QRgb c) {
        return qRed(c) > 200 && qGreen(c) > 110 && qGreen(c) < 235 && qBlue(c) < 150;
    };
    const QRectF along(20 + 24, 72 + 25.5, 22, 3); // between the jaw and the hinge
    const int open = int(pixelsWhere(shoot(form, 1), along, blade).size());
    clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    QCOMPARE(stateOf(form).rabota, 1.0);
    const int closed = int(pixelsWhere(shoot(form, 1), along, blade).size());
    QVERIFY2(open == 0 && closed >= 0.6 * 22 * 3,
             qPrintable(QStringLiteral("open %1, closed %2").arg(open).arg(closed)));
}

// The unknown resistor's body is one colour along its length: no bands that could be read.
void tst_Artwork::resistorShowsNoValue()
{
    LoadedBench bench;
    const QImage image = shoot(*bench.form, 2);
    const QList<QPointF> body =
        pixelsWhere(image, QRectF(40 + 56, 417 + 22, 88, 2), [](QRgb) { return true; });
    QColor first = image.pixelColor((body.first() * 2).toPoint());
    for (const QPointF &p : body) {
        const QColor c = image.pixelColor((p * 2).toPoint());
        QVERIFY2(std::abs(c.red() - first.red()) < 30 && std::abs(c.green() - first.green()) < 30 &&
                     std::abs(c.blue() - first.blue()) < 30,
                 qPrintable(c.name() + QStringLiteral(" against ") + first.name()));
    }
}

void tst_Artwork::shortBarsShowTheirValue_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<bool>("keyClosed");
    QTest::addColumn<int>("thumbLength"); // along the bar, in bench pixels
    for (const char *decade :
         {"VScroll1", "VScroll2", "VScroll3", "VScroll4", "VScroll5", "VScroll6"})
        QTest::newRow(decade) << QString::fromLatin1(decade) << true << 5;
    QTest::newRow("rheostat maximum") << "VScroll7" << false << 3;
    QTest::newRow("EMF") << "HScroll3" << false << 3;
    QTest::newRow("internal resistance") << "HScroll4" << false << 3;
}

// A bar too short for the usual thumb shows a small one where it stands: at one end, a step from
// it, in the middle and at the other end the thumb is seen in four places (a step apart by a pixel
// at least where the bar has few steps), in the order of the values, between the arrows.
void tst_Artwork::shortBarsShowTheirValue()
{
    QFETCH(QString, bar);
    QFETCH(bool, keyClosed);
    QFETCH(int, thumbLength);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    if (keyClosed)
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    auto *b = benchOf(form)->findChild<ScrollBar *>(bar);
    QVERIFY(b && b->isVisible());
    const bool horizontal = b->orientation() == Qt::Horizontal;
    const int first = b->startValue(), last = b->endValue();
    const int step = last > first ? 1 : -1;
    auto isThumb = [](QRgb c) { // its steel-grey face or its dark edge
        return c == qRgb(128, 134, 142) || c == qRgb(72, 76, 82);
    };
    QList<double> centres;
    for (const int value : {first, first + step, (first + last) / 2, last}) {
        b->setBenchValue(value);
        const QImage shown = b->grab().toImage();
        const qreal ratio = shown.devicePixelRatio();
        double sum = 0;
        int count = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) == qRgb(128, 134, 142)) { // the thumb's steel grey
                    sum += (horizontal ? x + 0.5 : y + 0.5) / ratio;
                    ++count;
                }
        QVERIFY2(count > 0, qPrintable(QStringLiteral("no thumb at %1").arg(value)));
        centres << sum / count;
        // Along the bar's middle line the thumb is as long as designed, edges included.
        int from = INT_MAX, to = -1;
        const int length = horizontal ? shown.width() : shown.height();
        for (int i = 0; i < length; ++i)
            if (isThumb(horizontal ? shown.pixel(i, shown.height() / 2)
                                   : shown.pixel(shown.width() / 2, i)))
                from = std::min(from, i), to = std::max(to, i);
        QCOMPARE((to - from + 1) / ratio, double(thumbLength));
    }
    const QRect arrowBefore = b->partRect(QStyle::SC_ScrollBarSubLine);
    const QRect arrowAfter = b->partRect(QStyle::SC_ScrollBarAddLine);
    const double from = horizontal ? arrowBefore.right() + 1 : arrowBefore.bottom() + 1;
    const double to = horizontal ? arrowAfter.left() : arrowAfter.top();
    for (int i = 0; i < centres.size(); ++i) {
        QVERIFY2(centres[i] > from && centres[i] < to,
                 qPrintable(QStringLiteral("thumb at %1, arrows end at %2 and %3")
                                .arg(centres[i])
                                .arg(from)
                                .arg(to)));
        // A single step of the rheostat maximum's 485 moves its thumb less than a pixel.
        const double least = i == 1 && std::abs(last - first) > 20 ? 0 : 1;
        if (i > 0)
            QVERIFY2(
                centres[i] >= centres[i - 1] + least,
                qPrintable(
                    QStringLiteral("thumb at %1 after %2").arg(centres[i]).arg(centres[i - 1])));
    }
}

void tst_Artwork::shortBarArrows_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 1.5, 2.0})
        for (const char *name : {"HScroll3", "HScroll4", "VScroll7", "VScroll1"})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(name).arg(ratio)))
                << QString::fromLatin1(name) << ratio;
}

// Each arrow of a short bar is a solid dark triangle that a person sees point along the bar, away
// from the track: across the bar its ink widens row by row from a narrow tip to a base at least
// five bench pixels wide, over three bench pixels along the bar or more.
void tst_Artwork::shortBarArrows()
{
    QFETCH(QString, bar);
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    if (bar.startsWith(QLatin1String("VScroll1")))
        clickItem(form, control<BenchLabel>(form, "Lblvkl"));
    auto *b = benchOf(form)->findChild<ScrollBar *>(bar);
    QVERIFY(b && b->isVisible());
    b->setBenchValue((b->startValue() + b->endValue()) / 2); // neither arrow at its end
    QImage shown((QSizeF(b->size()) * ratio).toSize(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(ratio);
    b->render(&shown);
    const bool horizontal = b->orientation() == Qt::Horizontal;
    for (const auto part : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
        const QRect button = QRectF(QRectF(b->partRect(part)).topLeft() * ratio,
                                    QSizeF(b->partRect(part).size()) * ratio)
                                 .toAlignedRect() &
                             shown.rect();
        // The ink's width across the bar in each device row along it, from the bar's end inwards.
        QList<int> widths;
        const int along = horizontal ? button.width() : button.height();
        for (int i = 0; i < along; ++i) {
            int width = 0;
            const int across = horizontal ? button.height() : button.width();
            for (int j = 0; j < across; ++j) {
                const QPoint p = horizontal ? QPoint(button.left() + i, button.top() + j)
                                            : QPoint(button.left() + j, button.top() + i);
                width += qGray(shown.pixel(p)) < 100;
            }
            widths << width;
        }
        if (part == QStyle::SC_ScrollBarAddLine)
            std::reverse(widths.begin(), widths.end());
        while (!widths.isEmpty() && widths.first() == 0)
            widths.removeFirst();
        while (!widths.isEmpty() && widths.last() == 0)
            widths.removeLast();
        QStringList listed;
        for (int w : widths)
            listed << QString::number(w);
        const QString seen = QStringLiteral("arrow %1: ink widths %2")
                                 .arg(part == QStyle::SC_ScrollBarSubLine ? "before" : "after",
                                      listed.join(QLatin1Char(' ')));
        QVERIFY2(widths.size() >= 3 * ratio - 0.5, qPrintable(seen));
        QVERIFY2(widths.first() <= 2 * ratio + 0.5 && widths.last() >= 5 * ratio - 0.5,
                 qPrintable(seen));
        for (int i = 1; i < widths.size(); ++i)
            QVERIFY2(widths[i] >= widths[i - 1], qPrintable(seen));
    }
}

QTEST_MAIN(tst_Artwork)
#include "tst_artwork.moc"
