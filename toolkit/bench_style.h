// The application's style: the platform's own, with the few standard icons the bench's window
// asks for at start-up drawn in code.
#pragma once

#include <QProxyStyle>

class QStyleOptionSlider;

/**
 * Qt's styles read their standard icons from PNG files, and reading the first one makes Qt load
 * and ask every image format plugin on the machine whether it reads PNG. The menu bar asks for
 * its overflow button's icon when it is made, so that cost fell on every start of the bench,
 * though two menus never overflow a 640-pixel bar. This style draws that icon itself and hands
 * every other request to the style it wraps.
 *
 * The bench's short scroll bars (a decade's, the source's, the rheostat maximum's) are too short
 * for the wrapped style's arrows and thumb: it leaves them two arrows and an empty middle, the same
 * for every value. On such a bar this style makes the arrows shorter and the thumb small, so that
 * the thumb shows where the bar stands, and draws their arrows itself.
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
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

  private:
    /** The bar's options when it is a short bar, which this style lays out itself; else null. */
    const QStyleOptionSlider *shortBar(const QStyleOptionComplex *option,
                                       const QWidget *widget) const;
    /** One of a short bar's arrows: its button, pressed or not, and a triangle pointing its way. */
    void drawShortBarArrow(const QStyleOptionSlider &bar, SubControl part, bool pressed,
                           QPainter *painter) const;
};
