// The application's style: the platform's own, with the menu bar's overflow icon drawn in code.
#include "toolkit/bench_style.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QWidget>

void BenchStyle::install()
{
    if (qobject_cast<BenchStyle *>(QApplication::style()))
        return;
    QStyle *base = QStyleFactory::create(QApplication::style()->name());
    if (base)
        QApplication::setStyle(new BenchStyle(base));
}

namespace {

// A double chevron pointing where the hidden menus are, in the window text's colour.
QIcon overflowIcon(bool vertical, const QColor &color)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(8, 8) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(color, 1.2));
        if (vertical) {
            painter.translate(8, 0);
            painter.rotate(90);
        }
        for (const qreal x : {1.5, 4.5}) {
            const QPointF chevron[] = {{x, 1.5}, {x + 2.5, 4}, {x, 6.5}};
            painter.drawPolyline(chevron, 3);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon BenchStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                               const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QPalette palette = widget ? widget->palette() : QApplication::palette();
        return overflowIcon(icon == SP_ToolBarVerticalExtensionButton,
                            palette.color(QPalette::WindowText));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}
