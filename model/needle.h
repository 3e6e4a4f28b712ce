// The geometry of the galvanometer needle for a given current.
#pragma once

constexpr float kNeedlePivotX = 279;
constexpr float kNeedlePivotY = 335;
constexpr double kNeedleLength = 57;
constexpr double kNeedleAlphaMax = 0.78;

/** The needle's working values and end points, in pixels of the bench. */
struct NeedleGeometry
{
    double alpha_max = 0;
    double k_alpha = 0;
    double alpha = 0;
    double dx = 0;
    float dy = 0;
    float x1 = kNeedlePivotX;
    float y1 = kNeedlePivotY;
    float x2 = kNeedlePivotX;
    float y2 = kNeedlePivotY;
};

/** Deflect the needle in proportion to Ig: alpha_max at Igmax, clockwise for positive currents. */
NeedleGeometry needleGeometry(double Ig, float Igmax, float x1 = kNeedlePivotX,
                              float y1 = kNeedlePivotY);
