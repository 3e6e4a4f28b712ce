// A bench operated as a user operates it.
#include "app/bench_driver.h"

#include "app/authors_window.h"
#include "app/bench_window.h"
#include "controls/circuit.h"
#include "model/number_format.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

const char *const kDecadeBars[] = {"VScroll1", "VScroll2", "VScroll3",
                                   "VScroll4", "VScroll5", "VScroll6"};

BenchCanvas &canvasOf(BenchWindow &window)
{
    auto *bench = window.findChild<BenchCanvas *>();
    if (!bench)
        qFatal("the bench window has no bench");
    return *bench;
}

const Circuit &circuitOf(BenchWindow &window)
{
    auto *circuit = window.findChild<Circuit *>();
    if (!circuit)
        qFatal("the bench window has no circuit");
    return *circuit;
}

} // namespace

BenchDriver::BenchDriver(BenchWindow &window)
    : m_window(window), m_bench(canvasOf(window)), m_circuit(circuitOf(window))
{
}

void BenchDriver::missing(const char *name)
{
    qFatal("the bench has no control %s", name);
}

ScrollBar *BenchDriver::bar(const char *name) const
{
    return control<ScrollBar>(name);
}

ScrollBar *BenchDriver::slider() const
{
    return bar("HScroll1");
}

ScrollBar *BenchDriver::decade(int i) const
{
    return bar(kDecadeBars[i]);
}

QWidget *BenchDriver::widgetAt(QPointF at) const
{
    QWidget *child = m_bench.childAt(at.toPoint());
    return child ? child : &m_bench;
}

void BenchDriver::click(QPointF at) const
{
    QWidget *target = widgetAt(at);
    const QPointF local = target->mapFrom(&m_bench, at.toPoint());
    const QPointF global = target->mapToGlobal(local);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, local, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

void BenchDriver::click(const char *name) const
{
    click(control<BenchItem>(name)->bounds().center());
}

void BenchDriver::setDecades(const Digits &digits) const
{
    for (int i = 0; i < Circuit::kDecades; ++i)
        decade(i)->setBenchValue(digits[i]);
}

void BenchDriver::setSource(int emf, int internalResistance) const
{
    bar("HScroll3")->setBenchValue(emf);
    bar("HScroll4")->setBenchValue(internalResistance);
}

void BenchDriver::goLive(int emf, int internalResistance, const Digits &box)
{
    setSource(emf, internalResistance);
    click("Lblvkl");
    setDecades(box);
    click("Image1");
}

const CircuitState &BenchDriver::state() const
{
    return m_circuit.state();
}

bool BenchDriver::isEnding() const
{
    return m_circuit.isEnding();
}

QString BenchDriver::shown(const char *readout) const
{
    return control<ReadoutBox>(readout)->text();
}

QString BenchDriver::caption(const char *label) const
{
    return control<BenchLabel>(label)->caption();
}

std::string BenchDriver::separator() const
{
    return m_window.locale().decimalPoint().toStdString();
}

QString BenchDriver::format(double value, const char *pattern) const
{
    return QString::fromStdString(formatPattern(value, pattern, separator()));
}

AuthorsWindow *BenchDriver::authorsWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *authors = qobject_cast<AuthorsWindow *>(w); authors && authors->isVisible())
            return authors;
    return nullptr;
}
