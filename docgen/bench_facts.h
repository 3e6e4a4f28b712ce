// What the documents show of the bench, taken from the bench itself at build time: its pictures,
// its keyboard order and scroll-bar steps, and a measurement made on it.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>

class QPainter;
class QRectF;

namespace benchfacts {

/** The pixel ratio at which the bench is drawn for print. */
constexpr int kPrintRatio = 3;

/** The blank margin, in bench pixels, that holds the callouts around a picture of the bench. */
constexpr int kCalloutMargin = 24;

/** Builds the bench and reads from it the values that `needs` names ("@NAME@" tokens). */
QHash<QString, QString> values(const QString &needs);

/** The picture of the given name ("bench-start", "bench-key-closed", "galvanometer"), or null. */
QImage picture(const QString &name);

/** Draws the numbered callouts of a picture of the bench over it, where the page shows it. */
void drawCallouts(QPainter &painter, const QString &name, const QRectF &placed);

/** What a stop of the keyboard order is called in the documents: its accessible name up to the
 *  first full stop. */
inline QString stopName(const QString &accessibleName)
{
    return accessibleName.section(QLatin1Char('.'), 0, 0).trimmed();
}

} // namespace benchfacts
