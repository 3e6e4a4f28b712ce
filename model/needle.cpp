// The geometry of the galvanometer needle for a given current.
#include "model/needle.h"

#include <cmath>

NeedleGeometry needleGeometry(double Ig, float Igmax, float x1, float y1)
{
    NeedleGeometry g;
    g.alpha_max = kNeedleAlphaMax;
    g.k_alpha = g.alpha_max / Igmax;
    g.x1 = x1;
    g.y1 = y1;
    g.alpha = Ig * g.k_alpha;
    g.dx = std::sin(g.alpha) * kNeedleLength;
    g.dy = static_cast<float>(std::cos(g.alpha) * kNeedleLength);
    // Screen y grows downwards, so the upward extent is subtracted.
    g.x2 = static_cast<float>(g.x1 + g.dx);
    g.y2 = static_cast<float>(g.y1 - g.dy);
    return g;
}
