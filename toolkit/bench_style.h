// The application's style: the platform's own, with the few standard icons the bench's window
// asks for at start-up drawn in code.
#pragma once

#include <QProxyStyle>

/**
 * Qt's styles read their standard icons from PNG files, and reading the first one makes Qt load
 * and ask every image format plugin on the machine whether it reads PNG. The menu bar asks for
 * its overflow button's icon when it is made, so that cost fell on every start of the bench,
 * though two menus never overflow a 640-pixel bar. This style draws that icon itself and hands
 * every other request to the style it wraps.
 */
class BenchStyle : public QProxyStyle
{
    Q_OBJECT
  public:
    using QProxyStyle::QProxyStyle;

    /** Makes the application's style a BenchStyle over the style it has now, once. */
    static void install();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
