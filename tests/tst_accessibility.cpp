// Tests of what screen readers are told of the bench, and of the bench on high-density screens.
#include "app/authors_window.h"
#include "bench_fixture.h"
#include "toolkit/bench_accessible.h"

#include <QAccessible>
#include <QPaintEngine>
#include <QPainter>
#include <QTimer>
#include <QtMath>
#include <climits>
#include <cmath>
#include <tuple>

namespace {

struct Heard
{
    QAccessible::Event type;
    QObject *object;
    QAccessible::Role role;
    QString name;
    QString value;
    bool checked = false; // for a state change: the checked state told
};

QList<Heard> heard;

// What a screen reader would be told, read at the moment it is told. Offscreen no screen reader
// is ever active and Qt drops its own events, so only the bench's own reach here.
void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    Heard h{event->type(), event->object(), iface ? iface->role() : QAccessible::NoRole,
            iface ? iface->text(QAccessible::Name) : QString(), QString()};
    if (event->type() == QAccessible::ValueChanged)
        h.value = static_cast<QAccessibleValueChangeEvent *>(event)->value().toString();
    if (event->type() == QAccessible::StateChanged && iface)
        h.checked = static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked &&
                    iface->state().checked;
    heard.append(h);
}

QList<Heard> heardOf(QAccessible::Event type)
{
    QList<Heard> out;
    for (const Heard &h : heard)
        if (h.type == type)
            out << h;
    return out;
}

QAccessibleInterface *benchInterface(BenchWindow &form)
{
    return QAccessible::queryAccessibleInterface(benchOf(form));
}

/** The interface of a control by its system name: a drawn item or a widget on the bench. */
QAccessibleInterface *interfaceOf(BenchWindow &form, const QString &name)
{
    if (BenchItem *item = benchOf(form)->item(name))
        return BenchAccessibility::of(benchOf(form))->item(item);
    QWidget *w = benchOf(form)->findChild<QWidget *>(name);
    return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
}

/** The system name behind an interface of the bench's tree. */
QString systemName(BenchWindow &form, QAccessibleInterface *iface)
{
    if (iface->object())
        return iface->object()->objectName();
    for (const auto &item : benchOf(form)->items())
        if (BenchAccessibility::of(benchOf(form))->item(item.get()) == iface)
            return item->name();
    return iface->role() == QAccessible::AlertMessage ? QStringLiteral("alert") : QString();
}

/** Records the pictures a paint draws and where they land in device pixels. */
class PixmapRecorder : public QPaintDevice
{
  public:
    struct Draw
    {
        QRectF device; // the target in device pixels
        QSize pixels;  // the pixmap's own size
    };

    explicit PixmapRecorder(qreal ratio) : m_ratio(ratio) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    QList<Draw> draws() const { return m_engine.draws; }

  protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return qRound(640 * m_ratio);
        case PdmHeight:
            return qRound(480 * m_ratio);
        case PdmDevicePixelRatio:
            return qCeil(m_ratio);
        case PdmDevicePixelRatioScaled:
            return qRound(m_ratio * devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmWidthMM:
        case PdmHeightMM:
            return 100;
        default:
            return 96;
        }
    }

  private:
    class Engine : public QPaintEngine
    {
      public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &target, const QPixmap &pixmap, const QRectF &) override
        {
            draws.append({painter()->combinedTransform().mapRect(target), pixmap.size()});
        }
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &, const QTextItem &) override {}
        Type type() const override { return QPaintEngine::User; }
        QList<Draw> draws;
    };

    qreal m_ratio;
    mutable Engine m_engine;
};

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void barAskedForAsItIsBuilt();
    void names_data();
    void names();
    void barsReadBenchValues_data();
    void barsReadBenchValues();
    void readoutCharacters_data();
    void readoutCharacters();
    void describedAfterChange_data();
    void describedAfterChange();
    void revealsSpoken_data();
    void revealsSpoken();
    void afterAMessage_data();
    void afterAMessage();
    void tree_data();
    void tree();
    void readoutsReadWithValues_data();
    void readoutsReadWithValues();
    void childAt_data();
    void childAt();
    void focusAndSwitches();
    void readoutsAnnounceChanges();
    void refusalsAnnounced_data();
    void refusalsAnnounced();
    void actions();
    void authorsWindowRead_data();
    void authorsWindowRead();
    void sharpAtRatio_data();
    void sharpAtRatio();
    void textInsideLabels_data();
    void textInsideLabels();
};

void tst_Accessibility::initTestCase()
{
    QLocale::setDefault(QLocale::c()); // readouts with a decimal point, whatever the machine's
    setScreenReaderObserver(listen);
}

void tst_Accessibility::init()
{
    heard.clear();
}

void tst_Accessibility::cleanupTestCase()
{
    setScreenReaderObserver({});
}

void tst_Accessibility::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("closeKey");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    auto row = [](const char *row, const char *control, bool closeKey, QAccessible::Role role,
                  const char *name, const char *value) {
        QTest::newRow(row) << control << closeKey << int(role) << QString::fromUtf8(name)
                           << QString::fromUtf8(value);
    };
    const auto button = QAccessible::Button, text = QAccessible::StaticText,
               bar = QAccessible::ScrollBar;
    // The switches are checkable buttons, which Qt calls check boxes.
    const auto toggle = QAccessible::CheckBox;
    row("source", "Image1", false, toggle, "Источник ЭДС", "выключен");
    row("key open", "Lblvkl", false, toggle, "Ключ", "разомкнут");
    row("key closed", "Lblvkl", true, toggle, "Ключ", "замкнут");
    row("unknown resistor", "Image6", false, button,
        "Неизвестное сопротивление. При старте 1963 Ом. При щелчке устанавливается случайным "
        "образом от 50 до 150 Ом",
        "");
    row("slide wire", "Image3", false, button, "Реохорд R=5 Ом (по паспорту)", "");
    row("galvanometer", "Image5", false, button, "Гальванометр R=2,3 Ом (по паспорту)", "");
    row("resistance box", "Image7", false, QAccessible::Graphic, "Магазин сопротивлений Р33", "");
    // A readout is named by what it is and what it shows: a window's texts are read by name.
    row("EMF label", "LblEdc", false, text, "ЭДС источника, В 8", "8");
    row("internal resistance label, spelt right", "Lblr", false, text,
        "Внутреннее сопротивление источника, Ом 10", "10");
    row("slider label", "Lbldv", false, text, "Положение ползуна 50", " 50");
    row("decade digit", "lbl_R_m_3", true, text, "3 декада 9", "9");
    row("galvanometer current", "Picture2", false, text, "Ток гальванометра, А 0.0000000",
        "0.0000000");
    row("source current", "Picture3", false, text, "Ток источника, А 0.00", "0.00");
    row("box readout", "Picture1", true, text, "Сопротивление магазина, Ом 01963.0", "01963.0");
    row("EMF bar", "HScroll3", false, bar, "ЭДС источника, В", "8");
    row("rheostat maximum bar", "VScroll7", false, bar, "Максимальное сопротивление реостата, Ом",
        "150");
    row("decade bar reads its digit", "VScroll3", true, bar, "3 декада магазина, ×100 Ом", "9");
    // Every decade by its place in the box, its bar and its digit (the box at 01963.0).
    row("decade 1 bar", "VScroll1", true, bar, "1 декада магазина, ×10000 Ом", "0");
    row("decade 2 bar", "VScroll2", true, bar, "2 декада магазина, ×1000 Ом", "1");
    row("decade 4 bar", "VScroll4", true, bar, "4 декада магазина, ×10 Ом", "6");
    row("decade 5 bar", "VScroll5", true, bar, "5 декада магазина, ×1 Ом", "3");
    row("decade 6 bar", "VScroll6", true, bar, "6 декада магазина, ×0,1 Ом", "0");
    row("decade 1 digit", "Lbl_R_m_1", true, text, "1 декада 0", "0");
    row("decade 2 digit", "lbl_R_m_2", true, text, "2 декада 1", "1");
    row("decade 4 digit", "Lbl_R_m_4", true, text, "4 декада 6", "6");
    row("decade 5 digit", "Lbl_R_m_5", true, text, "5 декада 3", "3");
    row("decade 6 digit", "Lbl_R_m_6", true, text, "6 декада 0", "0");
    row("rheostat bar", "HScroll2", true, bar, "Сопротивление реостата, Ом", "112");
    row("internal resistance bar", "HScroll4", false, bar, "Внутреннее сопротивление источника, Ом",
        "10");
    row("slider bar, read as its card", "HScroll1", true, bar,
        "Ползун реохорда, от 0 до 100 % длины", "50");
}

// Each instrument and readout is in the bench's tree under its name, with what it shows now.
void tst_Accessibility::names()
{
    QFETCH(QString, control);
    QFETCH(bool, closeKey);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, value);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    setBox(form, {0, 1, 9, 6, 3, 0});
    if (closeKey)
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
    QAccessibleInterface *iface = interfaceOf(form, control);
    QVERIFY(iface && iface->isValid());
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), value);
    if (iface->role() != QAccessible::ScrollBar) // AT-SPI reads no text value, only this
        QCOMPARE(iface->text(QAccessible::Description), value);
    QVERIFY(!iface->state().invisible);
    QAccessibleInterface *parent = benchInterface(form);
    QCOMPARE(iface->parent(), parent);
    const int index = parent->indexOfChild(iface);
    QVERIFY(index >= 0);
    QCOMPARE(parent->child(index), iface);
    if (QAccessibleValueInterface *v = iface->valueInterface())
        QCOMPARE(v->currentValue().toString(), value); // not the bar's inverted position
    if (iface->role() == QAccessible::CheckBox) {      // only the key is closed here
        QVERIFY(iface->state().checkable);
        QCOMPARE(iface->state().checked, control == QLatin1String("Lblvkl") && closeKey);
    }
}

// A screen reader that is there from the start asks for each bar while the window is being built,
// before any bench exists: the bar must read its bench value even then. (Run first: once a bench
// has been built in this process, any bar would.)
void tst_Accessibility::barAskedForAsItIsBuilt()
{
    ScrollBar decade(Qt::Vertical, 9, 0, 0);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&decade);
    QVERIFY(iface && iface->valueInterface());
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("0"));
    QCOMPARE(iface->valueInterface()->maximumValue().toInt(), 9);
}

void tst_Accessibility::barsReadBenchValues_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("readout"); // what shows the bar's value on the bench
    QTest::addColumn<QString>("read");
    QTest::addColumn<double>("maximum");
    // Both ends and the middle of every bar, by the number shown beside it.
    const std::tuple<const char *, const char *, int, int> bars[] = {
        {"HScroll2", "Lbl_reo", 0, 150}, {"HScroll3", "LblEdc", 4, 12},
        {"HScroll4", "Lblr", 0, 20},     {"VScroll1", "Lbl_R_m_1", 0, 9},
        {"VScroll2", "lbl_R_m_2", 0, 9}, {"VScroll3", "lbl_R_m_3", 0, 9},
        {"VScroll4", "Lbl_R_m_4", 0, 9}, {"VScroll5", "Lbl_R_m_5", 0, 9},
        {"VScroll6", "Lbl_R_m_6", 0, 9}, {"VScroll7", "LblReomax", 15, 500}};
    for (const auto &[bar, readout, lo, hi] : bars)
        for (const int value : {lo, (lo + hi) / 2, hi})
            QTest::addRow("%s at %d", bar, value)
                << bar << value << readout << QString::number(value) << double(hi);
    // The slider steps in half-divisions; its card shows divisions, a half with one decimal.
    const std::pair<int, const char *> slider[] = {{0, "0"},      {1, "0.5"},    {100, "50"},
                                                   {101, "50.5"}, {199, "99.5"}, {200, "100"}};
    for (const auto &[value, read] : slider)
        QTest::addRow("HScroll1 at %d", value) << "HScroll1" << value << "Lbldv" << read << 100.0;
}

// A screen reader reads each bar as the bench shows its value, on a scale from 0 to the bar's top:
// a decade at 0 and the rheostat maximum at 150 do not read reversed, the slider reads its card,
// and the share of the scale a reader derives stays within 0 … 100 per cent.
void tst_Accessibility::barsReadBenchValues()
{
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QString, readout);
    QFETCH(QString, read);
    QFETCH(double, maximum);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, ::control<BenchLabel>(form, "Lblvkl")); // the decades, the slider, the rheostat
    auto *scroll = form.findChild<ScrollBar *>(bar);
    QVERIFY(scroll);
    if (bar == QLatin1String("HScroll2"))
        form.findChild<ScrollBar *>("VScroll7")->setBenchValue(150); // its range, 0 … 150
    scroll->setBenchValue(value);
    // The card writes a half below 1 without its 0 (".5"): the same number.
    QCOMPARE(::control<BenchLabel>(form, qPrintable(readout))->caption().toDouble(),
             read.toDouble());
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(scroll);
    QAccessibleValueInterface *v = iface->valueInterface();
    QVERIFY(v);
    QCOMPARE(iface->text(QAccessible::Value), read);
    const double current = v->currentValue().toDouble();
    QCOMPARE(current, read.toDouble());
    QCOMPARE(v->minimumValue().toDouble(), 0.0);
    QCOMPARE(v->maximumValue().toDouble(), maximum);
    // Orca writes the value with as many decimals as the step has, and its share of the scale as
    // value / (maximum - minimum).
    const double step = v->minimumStepSize().toDouble();
    QVERIFY(step > 0);
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step))));
    QCOMPARE(QString::number(current, 'f', decimals), read);
    const double share = current / (v->maximumValue().toDouble() - v->minimumValue().toDouble());
    QVERIFY2(share >= 0 && share <= 1, qPrintable(QString::number(share)));
    if (value == std::max(scroll->startValue(), scroll->endValue()))
        QCOMPARE(share, 1.0);
}

void tst_Accessibility::readoutCharacters_data()
{
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("shown"); // set by the test; empty for what the bench shows
    QTest::addColumn<QString>("shows");
    auto row = [](const char *name, const char *readout, const char *shown, const char *shows) {
        QTest::newRow(name) << QString::fromLatin1(readout) << QString::fromUtf8(shown)
                            << QString::fromUtf8(shows);
    };
    row("galvanometer current", "Picture2", "", "0.0000016");
    row("EMF, right in a frame", "LblEdc", "", "8");
    row("slider position, centred, a blank first", "Lbldv", "", " 50.5");
    row("too wide for its frame, set tighter", "Lbl_R_R", "", "R_R=2.475 Ом");
    row("arm, left in its frame", "Lbl_R_L", "R_L=0.25 Ом", "R_L=0.25 Ом");
    row("box digit, white, centred", "Lbl_R_m_1", "7", "7");
    row("readout of two lines", "Picture1", "1963.0\n250", "1963.0\n250");
}

// A review of the window finds each readout's text where it is drawn: its characters' boxes lie
// side by side over the ink, and a point in one finds that character.
void tst_Accessibility::readoutCharacters()
{
    QFETCH(QString, readout);
    QFETCH(QString, shown);
    QFETCH(QString, shows);
    LiveBench bench;
    BenchWindow &form = *bench.form;
    ::control<ScrollBar>(form, "HScroll1")->setBenchValue(101);
    auto *box = benchOf(form)->findChild<ReadoutBox *>(readout);
    auto *label = dynamic_cast<BenchLabel *>(benchOf(form)->item(readout));
    QVERIFY(box || label);
    // Shows a text as the bench would: a label's caption, a readout's lines printed one by one.
    auto show = [&](const QString &text) {
        if (label) {
            label->setCaption(text);
            return;
        }
        box->clear();
        for (const QString &line : text.split(QLatin1Char('\n')))
            box->print(line);
    };
    if (!shown.isEmpty()) {
        if (box) // as tall as its lines, that none is cut off
            box->resize(box->width(), box->height() * (static_cast<int>(shown.count('\n')) + 1));
        show(shown);
    }
    QAccessibleInterface *iface = interfaceOf(form, readout);
    QAccessibleTextInterface *text = iface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), shows);

    // The ink in bench pixels, the text drawn alone on nothing, inside any frame.
    auto paint = [&] {
        QImage drawn(640, 480, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        if (box) {
            box->setBackColor(Qt::transparent);
            box->render(&drawn, box->pos());
        } else {
            label->transparent = true;
            QPainter painter(&drawn);
            label->paint(painter);
        }
        return drawn;
    };
    const QImage drawn = paint();
    const QRect inside = box ? box->contentsRect().translated(box->pos())
                             : label->bounds().toAlignedRect().adjusted(1, 1, -1, -1);
    QRect ink;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qAlpha(drawn.pixel(x, y)) > 0)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());

    const QPoint origin = benchOf(form)->mapToGlobal(QPoint(0, 0));
    QRect all, inked; // every character's box; those of the characters that leave ink
    int lastLeft = INT_MIN, lastTop = INT_MIN;
    for (int i = 0; i < text->characterCount(); ++i) {
        if (shows.at(i) == QLatin1Char('\n'))
            continue; // the end of a line, drawn nowhere
        const QRect at = text->characterRect(i);
        QVERIFY2(at.isValid(), qPrintable(QString::number(i)));
        // Side by side along a line, each line below the one before.
        QVERIFY(at.top() == lastTop ? at.left() > lastLeft : at.top() > lastTop);
        lastLeft = at.left();
        lastTop = at.top();
        QCOMPARE(text->offsetAtPoint(at.center()), i);
        all |= at.translated(-origin);
        if (!shows.at(i).isSpace())
            inked |= at.translated(-origin);
    }
    // Over the ink, and not a character's width beyond it on either side.
    QVERIFY(all.adjusted(-1, -1, 1, 1).contains(ink));
    QVERIFY(inked.left() >= ink.left() - 4 && inked.right() <= ink.right() + 4);

    // Each digit's box holds that digit's ink: the digit changed for another as wide (the text laid
    // out the same) changes the picture only within its box.
    const QFontMetricsF metrics(box ? box->font() : label->font);
    int digits = 0;
    for (int i = 0; i < shows.size(); ++i) {
        if (!shows.at(i).isDigit())
            continue;
        QString other;
        for (const QChar digit : {QChar(u'8'), QChar(u'0')}) {
            QString changedOne = shows;
            changedOne[i] = digit;
            if (digit != shows.at(i) &&
                metrics.horizontalAdvance(changedOne) == metrics.horizontalAdvance(shows)) {
                other = changedOne;
                break;
            }
        }
        QVERIFY2(!other.isEmpty(), qPrintable(QString::number(i)));
        show(other);
        const QImage redrawn = paint();
        show(shows);
        QRect changed;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != redrawn.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        const QRect at = text->characterRect(i).translated(-origin);
        const QString what = QStringLiteral("%1 of \"%2\" in %3, ink at %4")
                                 .arg(i)
                                 .arg(shows)
                                 .arg(QDebug::toString(at), QDebug::toString(changed));
        QVERIFY2(!changed.isEmpty(), qPrintable(what));
        QVERIFY2(at.contains(changed), qPrintable(what));
        ++digits;
    }
    QVERIFY(digits > 0);
}

void tst_Accessibility::describedAfterChange_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("bar"); // moved to the value; none: the control is pressed
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("toldAsChanges"); // a value change and a description change reach them
    auto row = [](const char *name, const char *control, const char *bar, int value,
                  const char *description, bool told = false) {
        QTest::newRow(name) << control << bar << value << QString::fromUtf8(description) << told;
    };
    // On the live, balanced bridge: what the adjusted control changes, in the readouts' words.
    row("slider one step right", "HScroll1", "HScroll1", 101, "ток гальванометра 0.0000016 А");
    row("slider two steps right", "HScroll1", "HScroll1", 102, "ток гальванометра 0.0000032 А");
    row("decade", "VScroll3", "VScroll3", 5,
        "сопротивление магазина 01563.0 Ом, ток гальванометра -0.0000203 А");
    row("rheostat", "HScroll2", "HScroll2", 50,
        "ток источника 0.12 А, ток гальванометра 0.0000000 А");
    row("rheostat maximum, key open", "VScroll7", "VScroll7", 30, "сопротивление реостата 22 Ом");
    row("slide wire while it reveals", "Image3", "", 0, "R_L=2.500 Ом, R_R=2.500 Ом");
    row("galvanometer while it reveals", "Image5", "", 0, "Rx=1963.0 Ом, Ri=1963.0 Ом");
    // A caption that changes reaches Linux's readers, which announce the description, too.
    row("rheostat readout's caption", "Lbl_reo", "HScroll2", 50, "50", true);
}

// Where am I, asked on the control being adjusted, tells the reading it changes.
void tst_Accessibility::describedAfterChange()
{
    QFETCH(QString, control);
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QString, description);
    QFETCH(bool, toldAsChanges);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    setBox(form, {0, 1, 9, 6, 3, 0});
    if (bar != QLatin1String("VScroll7")) {
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
    }
    QVERIFY(bench.desktop.boxes.isEmpty());
    QAccessibleInterface *iface = interfaceOf(form, control);
    QVERIFY(iface);
    heard.clear();
    QString during;
    if (bar.isEmpty()) {
        bench.desktop.pauseScale = 1; // the reveal lasts until its timer's tick below
        QTimer::singleShot(0, &form, [&] {
            during = iface->text(QAccessible::Description);
            tick(form);
        });
        benchOf(form)->item(control)->onClick(); // the jockey lies over the wire's centre
        QCOMPARE(during, description);
        QCOMPARE(iface->text(QAccessible::Description), QString()); // gone with the reveal
        return;
    }
    form.findChild<ScrollBar *>(bar)->setBenchValue(value);
    QCOMPARE(iface->text(QAccessible::Description), description);
    if (toldAsChanges) {
        QStringList told;
        for (const Heard &h : heard)
            if (h.name == iface->text(QAccessible::Name) && h.role == iface->role())
                told << (h.type == QAccessible::ValueChanged         ? "value " + h.value
                         : h.type == QAccessible::DescriptionChanged ? QStringLiteral("description")
                                                                     : QStringLiteral("other"));
        QCOMPARE(told, (QStringList{"value " + description, "description"}));
    }
}

void tst_Accessibility::revealsSpoken_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("slide wire: the arms") << "Image3" << 1 << "R_L=2.500 Ом, R_R=2.500 Ом";
    QTest::newRow("galvanometer: the result") << "Image5" << 1 << "Rx=1963.0 Ом, Ri=1963.0 Ом";
    QTest::newRow("the arms again once hidden") << "Image3" << 2 << "R_L=2.500 Ом, R_R=2.500 Ом";
}

// A reveal says what it shows as it shows it, wherever the keyboard is: once per reveal, as a
// notification that is in the bench's tree while the values show and leaves it with them.
void tst_Accessibility::revealsSpoken()
{
    QFETCH(QString, picture);
    QFETCH(int, times);
    QFETCH(QString, spoken);
    LiveBench bench;
    BenchWindow &form = *bench.form;
    bench.desktop.pauseScale = 1; // each reveal lasts until its timer's tick below
    QAccessibleInterface *root = benchInterface(form);
    auto notices = [&] {
        QStringList names;
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->role() == QAccessible::Notification)
                names << root->child(i)->text(QAccessible::Name);
        return names;
    };
    heard.clear();
    QStringList inTree;
    for (int i = 0; i < times; ++i) {
        QTimer::singleShot(20, &form, [&] { // once the reveal has shown everything
            inTree << notices();
            tick(form);
        });
        benchOf(form)->item(picture)->onClick();
    }
    QStringList shown, hidden;
    for (const Heard &h : heardOf(QAccessible::ObjectShow))
        if (h.role == QAccessible::Notification)
            shown << h.name;
    for (const Heard &h : heardOf(QAccessible::ObjectHide))
        if (h.role == QAccessible::Notification)
            hidden << h.name;
    const QStringList each(times, spoken);
    QCOMPARE(shown, each);
    QCOMPARE(inTree, each);
    QCOMPARE(hidden, each);
    QCOMPARE(notices(), QStringList());
}

void tst_Accessibility::afterAMessage_data()
{
    QTest::addColumn<QString>("used");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closeKeyFirst");
    QTest::addColumn<bool>("sourceOnFirst");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("told");
    const QString bothOff = QStringLiteral("Источник ЭДС выключен, Ключ разомкнут");
    QTest::newRow("key closed onto a box at 0")
        << "Lblvkl" << int(Qt::Key_Space) << false << true << "Lblvkl" << bothOff;
    QTest::newRow("source switched on onto a box at 0")
        << "Image1" << int(Qt::Key_Space) << true << false << "Image1" << bothOff;
    QTest::newRow("a decade turned to 0: its box is hidden, the key that hid it")
        << "VScroll2" << int(Qt::Key_End) << true << true << "Lblvkl" << bothOff;
    QTest::newRow("a refusal changes nothing")
        << "Image6" << int(Qt::Key_Space) << false << true << "Image6"
        << "";
}

// After a message the keyboard is back on the control used, or on the key that hid it, and that
// control tells what the message's procedure changed on the switches.
void tst_Accessibility::afterAMessage()
{
    QFETCH(QString, used);
    QFETCH(int, key);
    QFETCH(bool, closeKeyFirst);
    QFETCH(bool, sourceOnFirst);
    QFETCH(QString, focus);
    QFETCH(QString, told);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // The box at 0 burns the galvanometer; at 01000.0 it does not, until its second decade is 0.
    setBox(form, used == QLatin1String("Lblvkl") || used == QLatin1String("Image1")
                     ? QList<int>{0, 0, 0, 0, 0, 0}
                     : QList<int>{0, 1, 0, 0, 0, 0});
    if (closeKeyFirst)
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
    if (sourceOnFirst)
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
    QVERIFY(bench.desktop.boxes.isEmpty());
    if (BenchItem *item = benchOf(form)->item(used))
        benchOf(form)->keyboard().setFocusItem(item, Qt::TabFocusReason);
    else
        form.findChild<ScrollBar *>(used)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.windowHandle(), Qt::Key(key));
    QCOMPARE(bench.desktop.boxes.size(), 1);
    QCoreApplication::processEvents(); // the keyboard goes back once the procedure has ended
    QVERIFY(benchOf(form)->hasFocus());
    BenchItem *now = benchOf(form)->keyboard().focusItem();
    QCOMPARE(now ? now->name() : QString(), focus);
    QAccessibleInterface *there = interfaceOf(form, focus);
    QCOMPARE(there->text(QAccessible::Description), told.isEmpty() ? QString() : told);
    QTest::keyClick(form.windowHandle(), Qt::Key_Tab); // the news stays where it was told
    QCOMPARE(interfaceOf(form, focus)->text(QAccessible::Description),
             there->text(QAccessible::Value));
}

void tst_Accessibility::tree_data()
{
    QTest::addColumn<bool>("closeKey");
    QTest::addColumn<bool>("sourceOn");
    QTest::addColumn<QStringList>("shown");
    // Named and shown only: the lamp, the jockey, the key's pictures and the wires are decoration.
    auto row = [&](const char *name, bool k, bool s) {
        QStringList shown;
        for (const QString &control : viewShows(k, s))
            if (!control.startsWith("Line") &&
                !QStringList{"Image4", "Image8", "Image9", "Image10"}.contains(control))
                shown << control;
        QTest::newRow(name) << k << s << shown;
    };
    row("key open, source off", false, false);
    row("key open, source on", false, true);
    row("key closed, source off", true, false);
    row("key closed, source on", true, true);
}

// The tree follows the view: the focus order first, then the rest top to bottom; nothing hidden.
void tst_Accessibility::tree()
{
    QFETCH(bool, closeKey);
    QFETCH(bool, sourceOn);
    QFETCH(QStringList, shown);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    setBox(form, {0, 1, 9, 6, 3, 0});
    if (closeKey)
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
    if (sourceOn)
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
    QAccessibleInterface *root = benchInterface(form);
    QCOMPARE(root->text(QAccessible::Name), QStringLiteral("Мост Корвела"));
    QStringList children;
    QList<QRect> places;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        QVERIFY(child && child->isValid());
        QCOMPARE(child->parent(), root);
        QCOMPARE(root->indexOfChild(child), i);
        QVERIFY(!child->text(QAccessible::Name).isEmpty());
        QVERIFY(!child->state().invisible);
        children << systemName(form, child);
        places << child->rect();
    }
    QStringList chain;
    for (const FocusStop &stop : benchOf(form)->keyboard().focusChain())
        if (benchOf(form)->keyboard().isAvailable(stop))
            chain << (stop.item ? stop.item->name() : stop.widget->objectName());
    QCOMPARE(children.mid(0, chain.size()), chain);
    for (int i = chain.size() + 1; i < places.size(); ++i)
        QVERIFY2(places[i - 1].top() <= places[i].top(), qPrintable(children[i]));
    children.sort();
    QCOMPARE(children, shown);

    // Told apart by ear: in the whole window no two shown things of one role share a name, and
    // every readout's text can be read as text, not only as its value or description.
    QMultiHash<int, QString> heard;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface *child = node->child(i);
            if (!child || child->state().invisible)
                continue;
            const QString name = child->text(QAccessible::Name);
            if (!name.isEmpty()) {
                QVERIFY2(!heard.contains(int(child->role()), name), qPrintable(name));
                heard.insert(int(child->role()), name);
            }
            if (child->role() == QAccessible::StaticText) {
                QAccessibleTextInterface *text = child->textInterface();
                QVERIFY2(text, qPrintable(name));
                const QString value = child->text(QAccessible::Value);
                QCOMPARE(text->text(0, text->characterCount()), value);
                QVERIFY2(!value.isEmpty(), qPrintable(name));
            }
            walk(child);
        }
    };
    walk(QAccessible::queryAccessibleInterface(&form));
    QVERIFY(heard.size() > shown.size());
}

void tst_Accessibility::readoutsReadWithValues_data()
{
    tree_data();
}

// As the window opens, and as it comes back after a message, Orca reads the texts in it by their
// names alone: every readout shown is named with what it shows now, not as it was built.
void tst_Accessibility::readoutsReadWithValues()
{
    QFETCH(bool, closeKey);
    QFETCH(bool, sourceOn);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    ::control<ScrollBar>(form, "HScroll3")->setBenchValue(12);
    setBox(form, {0, 1, 9, 6, 3, 0});
    if (closeKey)
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
    if (sourceOn)
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
    QStringList read;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface *child = node->child(i);
            if (!child || child->state().invisible)
                continue;
            if (child->role() == QAccessible::StaticText && child->relations().isEmpty()) {
                QAccessibleTextInterface *text = child->textInterface();
                QVERIFY(text);
                const QString shows = text->text(0, text->characterCount()).trimmed();
                const QString name = child->text(QAccessible::Name);
                QVERIFY2(!shows.isEmpty() && name.endsWith(QLatin1Char(' ') + shows) &&
                             name.size() > shows.size() + 1,
                         qPrintable(name + QStringLiteral(" / ") + shows));
                read << name;
            }
            walk(child);
        }
    };
    walk(QAccessible::queryAccessibleInterface(&form));
    QVERIFY(read.contains(QStringLiteral("ЭДС источника, В 12")));
    QVERIFY(read.contains(QStringLiteral("Ток гальванометра, А ") +
                          ::control<ReadoutBox>(form, "Picture2")->text()));
}

void tst_Accessibility::childAt_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("control");
    QTest::newRow("unknown resistor") << QPoint(140, 440) << "Image6";
    QTest::newRow("readout over the galvanometer") << QPoint(280, 372) << "Picture2";
    QTest::newRow("galvanometer around it") << QPoint(230, 300) << "Image5";
    QTest::newRow("the jockey is decoration: the wire behind it") << QPoint(297, 232) << "Image3";
    QTest::newRow("key hotspot over its picture") << QPoint(62, 114) << "Lblvkl";
    QTest::newRow("bare bench") << QPoint(620, 250) << "";
}

void tst_Accessibility::childAt()
{
    QFETCH(QPoint, at);
    QFETCH(QString, control);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const QPoint global = benchOf(form)->mapToGlobal(at);
    QAccessibleInterface *found = benchInterface(form)->childAt(global.x(), global.y());
    QCOMPARE(found ? systemName(form, found) : QString(), control);
    if (found)
        QVERIFY(found->rect().contains(global));
}

// Tab tells which control has the keyboard; a switch thrown from it tells its new state.
void tst_Accessibility::focusAndSwitches()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    benchOf(form)->keyboard().setFocusItem(nullptr);
    heard.clear();
    for (int i = 0; i < 4; ++i) // the source, its two knobs, the key
        QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
    QCoreApplication::processEvents(); // the item speaks after Qt has said the bench has the focus
    QStringList focus;                 // the knobs between are widgets: Qt tells of them itself
    for (const Heard &h : heardOf(QAccessible::Focus)) {
        QCOMPARE(h.role, QAccessible::CheckBox);
        focus << h.name;
    }
    QCOMPARE(focus, (QStringList{"Источник ЭДС", "Ключ"}));
    QAccessibleInterface *key = interfaceOf(form, "Lblvkl");
    QCOMPARE(benchInterface(form)->focusChild(), key);
    QVERIFY(key->state().focused && key->state().focusable);

    heard.clear();
    QTest::keyClick(form.windowHandle(), Qt::Key_Space);
    QVERIFY(key->state().checked);
    QStringList toggled; // Orca hears a switch thrown only as its checked state
    for (const Heard &h : heardOf(QAccessible::StateChanged))
        toggled << h.name + (h.checked ? " checked" : " unchecked");
    QCOMPARE(toggled, QStringList{"Ключ checked"});
    bool told = false;
    for (const Heard &h : heardOf(QAccessible::ValueChanged))
        told |= h.name == QStringLiteral("Ключ") && h.value == QStringLiteral("замкнут");
    QVERIFY(told);
}

// The galvanometer's readout speaks when its current changes, and only then.
void tst_Accessibility::readoutsAnnounceChanges()
{
    LiveBench bench;
    BenchWindow &form = *bench.form;
    auto saidBy = [](QObject *box) {
        QStringList said;
        for (const Heard &h : heardOf(QAccessible::ValueChanged))
            if (h.object == box)
                said << h.value;
        int described = 0;
        for (const Heard &h : heardOf(QAccessible::DescriptionChanged))
            described += h.object == box;
        return described == said.size() ? said : QStringList{"descriptions differ"};
    };
    heard.clear();
    ::control<ScrollBar>(form, "HScroll1")->setBenchValue(101);
    QCOMPARE(saidBy(::control<ReadoutBox>(form, "Picture2")),
             QStringList{::control<ReadoutBox>(form, "Picture2")->text()});
    QVERIFY(::control<ReadoutBox>(form, "Picture2")->text() != QStringLiteral("0.0000000"));
    ::control<ScrollBar>(form, "HScroll1")->setBenchValue(100);
    heard.clear();
    ::control<ScrollBar>(form, "HScroll2")
        ->setBenchValue(50); // balanced: a new rheostat moves the source current only
    QCOMPARE(saidBy(::control<ReadoutBox>(form, "Picture2")), QStringList());
    QCOMPARE(saidBy(::control<ReadoutBox>(form, "Picture3")),
             QStringList{::control<ReadoutBox>(form, "Picture3")->text()});
    QCOMPARE(saidBy(::control<ReadoutBox>(form, "Picture1")), QStringList());
    bool rheostatSaid = false;
    for (const Heard &h : heardOf(QAccessible::ValueChanged))
        rheostatSaid |=
            h.name == QStringLiteral("Сопротивление реостата, Ом 50") && h.value == "50";
    QVERIFY(rheostatSaid); // the label over the rheostat and its bar
}

void tst_Accessibility::refusalsAnnounced_data()
{
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("first");
    QTest::newRow("galvanometer overload")
        << 0 << "Такой ток сожжёт гальванометр! Измените сопротивление!";
    QTest::newRow("unknown resistor while on")
        << 1 << "Чтобы поменять неизвестное сопротивление, сначала выключите источник!";
    QTest::newRow("right arm zero") << 2 << "Правое плечо реохорда равно 0! Думать надо!";
}

// Every refusal is an alert named by the box's text, raised while its box is up.
void tst_Accessibility::refusalsAnnounced()
{
    QFETCH(int, how);
    QFETCH(QString, first);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    QAccessibleInterface *root = benchInterface(form);
    QStringList upDuringBox;
    bench.desktop.onBox = [&] {
        QAccessibleInterface *last = root->child(root->childCount() - 1);
        upDuringBox << (last->role() == QAccessible::AlertMessage ? last->text(QAccessible::Name)
                                                                  : QString());
    };
    if (how == 0) { // the source on with the box at 0, then the key closed
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
    } else if (how == 1) {
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
        clickItem(form, ::control<BenchImage>(form, "Image6"));
    } else {
        setBox(form, {0, 1, 9, 6, 3, 0});
        clickItem(form, ::control<BenchLabel>(form, "Lblvkl"));
        clickItem(form, ::control<SourcePicture>(form, "Image1"));
        ::control<ScrollBar>(form, "HScroll1")->setBenchValue(200);
    }
    const QStringList boxes = bench.desktop.texts();
    QVERIFY(!boxes.isEmpty());
    QCOMPARE(boxes.first(), first);
    QCOMPARE(upDuringBox, boxes);
    QStringList alerts;
    for (const Heard &h : heardOf(QAccessible::Alert)) {
        QCOMPARE(h.role, QAccessible::AlertMessage);
        alerts << h.name;
    }
    QCOMPARE(alerts, boxes);
    for (int i = 0; i < root->childCount(); ++i) // gone with the box
        QVERIFY(root->child(i)->role() != QAccessible::AlertMessage);
}

// A screen reader may press the pictures and set the bars itself: the same procedures run.
void tst_Accessibility::actions()
{
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    QAccessibleActionInterface *key = interfaceOf(form, "Lblvkl")->actionInterface();
    QVERIFY(key);
    QVERIFY(key->actionNames().contains(QAccessibleActionInterface::pressAction()));
    key->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(stateOf(form).rabota, 1.0);
    QVERIFY(::control<ScrollBar>(form, "VScroll3")->isVisible());

    QAccessibleValueInterface *decade = interfaceOf(form, "VScroll3")->valueInterface();
    QVERIFY(decade);
    QCOMPARE(decade->minimumValue().toInt(), 0);
    QCOMPARE(decade->maximumValue().toInt(), 9);
    QCOMPARE(decade->minimumStepSize().toInt(), 1);
    decade->setCurrentValue(7);
    QCOMPARE(::control<BenchLabel>(form, "lbl_R_m_3")->caption(), QStringLiteral("7"));
    QCOMPARE(::control<ReadoutBox>(form, "Picture1")->text(), QStringLiteral("00700.0"));

    QAccessibleValueInterface *maximum = interfaceOf(form, "VScroll7")->valueInterface();
    QCOMPARE(maximum->minimumValue().toInt(), 0); // the scale starts at 0, the bar at 15
    QCOMPARE(maximum->maximumValue().toInt(), 500);
    QCOMPARE(maximum->minimumStepSize().toInt(), 5);
}

void tst_Accessibility::authorsWindowRead_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("heard"); // what has the keyboard; empty: the window has closed
    const QString credits = QStringLiteral(
        "©, Коллектив разработчиков, 2026 Учёная степень не указана, Должность не указана, "
        "Организация не указана, Город и страна не указаны, Контактный адрес не указан");
    QTest::newRow("opens on the credits") << QList<int>{} << credits;
    QTest::newRow("Tab: the portrait") << QList<int>{Qt::Key_Tab} << "Портрет автора";
    QTest::newRow("Tab twice: the credits again")
        << QList<int>{Qt::Key_Tab, Qt::Key_Tab} << credits;
    QTest::newRow("Escape closes it") << QList<int>{Qt::Key_Escape} << "";
    QTest::newRow("Escape from the portrait") << QList<int>{Qt::Key_Tab, Qt::Key_Escape} << "";
}

// The Authors window is read from the keyboard: it opens with the credits, whole, in its keyboard,
// so they are heard at once; Tab moves between them and the portrait; Escape closes the window as
// OK closes the About box.
void tst_Accessibility::authorsWindowRead()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, heard);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    ::control<QAction>(form, "mnuHelpAvtors")->trigger();
    QPointer<AuthorsWindow> authors = BenchDriver::authorsWindow();
    QVERIFY(authors);
    QVERIFY(QTest::qWaitForWindowActive(authors));
    for (const int key : keys)
        QTest::keyClick(authors->windowHandle(), Qt::Key(key));
    if (heard.isEmpty()) {
        QTRY_VERIFY(!authors);
        return;
    }
    QVERIFY(authors->isVisible());
    QAccessibleInterface *focus =
        QAccessible::queryAccessibleInterface(authors.data())->focusChild();
    QVERIFY(focus);
    QVERIFY(focus->state().focused);
    QCOMPARE(focus->text(QAccessible::Name), heard);
}

void tst_Accessibility::sharpAtRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

// Each picture is drawn from a pixmap of its physical size, copied pixel for pixel to a whole
// device pixel: nothing is resampled, so nothing blurs.
void tst_Accessibility::sharpAtRatio()
{
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    clickItem(form, ::control<SourcePicture>(form, "Image1")); // the lamp too
    PixmapRecorder device(ratio);
    {
        QPainter painter(&device);
        benchOf(form)->paintBench(painter);
    }
    QStringList expected, drawn;
    for (const auto &item : benchOf(form)->items())
        if (dynamic_cast<const BenchImage *>(item.get()) && item->isVisible())
            expected << item->name();
    const QList<PixmapRecorder::Draw> draws = device.draws();
    QCOMPARE(draws.size(), expected.size());
    int k = 0;
    for (auto it = benchOf(form)->items().rbegin(); it != benchOf(form)->items().rend(); ++it) {
        const auto *image = dynamic_cast<const BenchImage *>(it->get());
        if (!image || !image->isVisible())
            continue;
        const PixmapRecorder::Draw &d = draws[k++];
        const QString what = image->name();
        const QSize physical = (image->bounds().size() * ratio).toSize();
        QCOMPARE(d.pixels, physical);
        QVERIFY2(std::fabs(d.device.width() - physical.width()) < 1e-6, qPrintable(what));
        QVERIFY2(std::fabs(d.device.height() - physical.height()) < 1e-6, qPrintable(what));
        QVERIFY2(std::fabs(d.device.left() - std::round(d.device.left())) < 1e-6, qPrintable(what));
        QVERIFY2(std::fabs(d.device.top() - std::round(d.device.top())) < 1e-6, qPrintable(what));
        // Within half a device pixel of its place: the wires still meet its terminals.
        QVERIFY2(std::fabs(d.device.left() - image->left() * ratio) <= 0.5, qPrintable(what));
        QVERIFY2(std::fabs(d.device.top() - image->top() * ratio) <= 0.5, qPrintable(what));
    }
    if (ratio == 2.0)
        for (const PixmapRecorder::Draw &d : draws)
            QVERIFY(d.pixels.width() % 2 == 0 && d.pixels.height() % 2 == 0);
}

void tst_Accessibility::textInsideLabels_data()
{
    sharpAtRatio_data();
}

// Every caption, at the widest it gets, keeps its ink inside its label at every ratio.
void tst_Accessibility::textInsideLabels()
{
    QFETCH(qreal, ratio);
    LoadedBench bench;
    BenchWindow &form = *bench.form;
    const std::pair<BenchLabel *, const char *> widest[] = {
        {::control<BenchLabel>(form, "Lbl_R_L"), "R_L=5.000 Ом"},
        {::control<BenchLabel>(form, "Lbl_R_R"), "R_R=5.000 Ом"},
        {::control<BenchLabel>(form, "Lbl_Rx"), "Rx=1963.0 Ом"},
        {::control<BenchLabel>(form, "Lbl_Ri"), "Ri=1963.0 Ом"},
        {::control<BenchLabel>(form, "Lbl_reo"), "500"},
        {::control<BenchLabel>(form, "LblReomax"), "500"},
        {::control<BenchLabel>(form, "LblEdc"), "12"},
        {::control<BenchLabel>(form, "Lblr"), "20"},
        {::control<BenchLabel>(form, "Lbl_R_m_1"), "9"},
        {::control<BenchLabel>(form, "Lbldv"), " 99.5"}};
    for (const auto &[label, caption] : widest) {
        label->setCaption(QString::fromUtf8(caption));
        QImage ink(QSize(640, 480) * ratio, QImage::Format_ARGB32_Premultiplied);
        ink.setDevicePixelRatio(ratio);
        ink.fill(Qt::transparent);
        {
            QPainter painter(&ink);
            label->transparent = true; // the text alone
            label->framed = false;
            label->paint(painter);
        }
        const QRect inside = QRectF(label->left() * ratio, label->top() * ratio,
                                    label->width() * ratio, label->height() * ratio)
                                 .toAlignedRect()
                                 .adjusted(-1, -1, 1, 1);
        int outside = 0;
        for (int y = 0; y < ink.height(); ++y)
            for (int x = 0; x < ink.width(); ++x)
                if (qAlpha(ink.pixel(x, y)) > 0 && !inside.contains(x, y))
                    ++outside;
        QVERIFY2(outside == 0, qPrintable(label->name() + QLatin1Char(' ') + caption));
    }
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
