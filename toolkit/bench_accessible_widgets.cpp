// Screen readers' view of the bench's widgets: scroll bars in the bench's values, readouts as text.
#include "toolkit/bench_accessible.h"
#include "toolkit/bench_accessible_parts.h"

#include "toolkit/bench_canvas.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

QString readoutName(const QString &what, const QString &shows)
{
    const QString value = shows.trimmed();
    return value.isEmpty() ? what.trimmed() : what.trimmed() + QLatin1Char(' ') + value;
}

QRectF characterBox(const QString &text, int index, const QFont &font,
                    const std::function<QPointF(int line)> &lineTopLeft)
{
    if (index < 0 || index >= text.size())
        return QRectF();
    const QFontMetricsF metrics(font);
    // Searched from -1, lastIndexOf would start at the end of the text: the first character
    // begins the first line.
    const int lineStart =
        index == 0 ? 0 : static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), index - 1)) + 1;
    const int line = static_cast<int>(text.left(lineStart).count(QLatin1Char('\n')));
    const QString before = text.mid(lineStart, index - lineStart);
    const double width =
        text.at(index) == QLatin1Char('\n') ? 0 : metrics.horizontalAdvance(text.mid(index, 1));
    const QPointF start = lineTopLeft(line);
    return QRectF(start.x() + metrics.horizontalAdvance(before), start.y(), width,
                  metrics.height());
}

namespace {

/**
 * A scroll bar read in the bench's values: the number shown beside it (a decade's digit, not the
 * bar's inverted position; the jockey's card, not its half-divisions), on a scale from 0 to the
 * bar's largest value. Readers take the share of the scale as value / (maximum - minimum) (Orca
 * does), so a scale that began at the bar's smallest value, as the EMF's 4 V, would be heard past
 * 100 per cent.
 */
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
  public:
    explicit ScrollBarAccessible(ScrollBar *bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(shown(bar()->benchValue()));
        if (t == QAccessible::Description) {
            const BenchAccessibility *access = bench();
            const QString told = access ? access->description(bar()) : QString();
            if (!told.isEmpty())
                return told;
        }
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return shown(bar()->benchValue()); }
    void setCurrentValue(const QVariant &value) override
    {
        bar()->setBenchValue(static_cast<int>(std::lround(value.toDouble() / unit())));
    }
    QVariant maximumValue() const override
    {
        return shown(std::max(bar()->startValue(), bar()->endValue()));
    }
    QVariant minimumValue() const override
    {
        return shown(std::min({0, bar()->startValue(), bar()->endValue()}));
    }
    // Orca writes the value with as many decimals as the step has: a whole value is written
    // whole, as the bench writes it, and a half-division with its one decimal.
    QVariant minimumStepSize() const override
    {
        const double step = shown(bar()->singleStep());
        const double value = shown(bar()->benchValue());
        return value == std::floor(value) ? std::max(step, 1.0) : step;
    }

  private:
    ScrollBar *bar() const { return static_cast<ScrollBar *>(widget()); }
    const BenchAccessibility *bench() const
    {
        const auto *canvas = qobject_cast<const BenchCanvas *>(bar()->parentWidget());
        return canvas ? BenchAccessibility::of(canvas) : nullptr;
    }
    double unit() const
    {
        const BenchAccessibility *access = bench();
        return access ? access->barUnit(bar()) : 1.0;
    }
    double shown(int benchValue) const { return benchValue * unit(); }
};

/** A readout: named by its tooltip, read out by what is printed in it. */
class PictureBoxAccessible : public QAccessibleWidget, public ShownText
{
  public:
    explicit PictureBoxAccessible(ReadoutBox *box) : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString shownText() const override { return static_cast<const ReadoutBox *>(widget())->text(); }

    // Each line from where the box prints it, the font's ascent above its baseline.
    QRect characterRect(int offset) const override
    {
        const auto *box = static_cast<const ReadoutBox *>(widget());
        const int ascent = QFontMetrics(box->font()).ascent();
        const QRectF at = characterBox(box->text(), offset, box->font(), [box, ascent](int line) {
            return QPointF(box->lineOrigin(line) - QPoint(0, ascent));
        });
        return at.translated(box->mapToGlobal(QPoint(0, 0))).toAlignedRect();
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<const ReadoutBox *>(widget());
        switch (t) {
        case QAccessible::Name:
            return readoutName(box->accessibleName().isEmpty() ? box->toolTip()
                                                               : box->accessibleName(),
                               box->text());
        case QAccessible::Value:
        case QAccessible::Description: // AT-SPI carries no text value: the value goes here too
            return box->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

} // namespace

QAccessibleInterface *newScrollBarAccessible(ScrollBar *bar)
{
    return new ScrollBarAccessible(bar);
}

QAccessibleInterface *newReadoutAccessible(ReadoutBox *box)
{
    return new PictureBoxAccessible(box);
}
