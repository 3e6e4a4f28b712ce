// The source's picture, drawn for its state: the voltage knob at the EMF, the mains toggle up or
// down.
#pragma once

#include "toolkit/bench_items.h"

#include <QPixmap>

/** The DC source: its SVG body with the knob's pointer and the mains toggle drawn over it. */
class SourcePicture : public BenchImage
{
  public:
    using BenchImage::BenchImage;

    /** Turns the knob's pointer to an EMF on its 4 … 12 V scale. */
    void setEmf(double volts);
    /** Throws the "СЕТЬ" toggle up (on) or down (off). */
    void setSwitchedOn(bool on);

    void paint(QPainter &painter) const override;

    /** The knob's centre in the picture, and its pointer's angle from straight up (clockwise). */
    static QPointF knobCentre() { return {33, 66.5}; }
    static double pointerDegrees(double volts);
    /** The toggle's pivot in the picture. */
    static QPointF togglePivot() { return {15.5, 27}; }

  private:
    void drawState(QPainter &painter) const;

    double m_emf = 8;
    bool m_on = false;
    // The picture as last drawn, and for which state and pixel ratio.
    mutable QPixmap m_state;
    mutable double m_stateEmf = -1;
    mutable bool m_stateOn = false;
    mutable qreal m_stateRatio = 0;
};
