// The closed-form solution of the bridge network and its overload verdict.
#include "model/bridge.h"

#include <cmath>

bool isLive(double rabota, int istochnik)
{
    return rabota == 1 && istochnik == 1;
}

BridgeResult solveBridge(const BridgeInput &in)
{
    const double R1 = in.R1, R2 = in.R2, R3 = in.R3, R4 = in.R4, Rg = in.Rg;
    BridgeResult out;
    out.N = R2 * R4 - R1 * R3;
    out.D = (R1 + R4) * (R2 + R3 + Rg) + (R2 + R3) * Rg;
    out.live = isLive(in.rabota, in.istochnik);
    if (!out.live)
        return out;
    // The symmetric form of the bridge resistance: it never divides by R1 + R4.
    out.Rb = (R1 * R4 * (R2 + R3) + R2 * R3 * (R1 + R4) + Rg * (R1 + R2) * (R3 + R4)) / out.D;
    out.I = in.Edc / (out.Rb + in.Reo + in.r);
    out.Ig = out.I * out.N / out.D;
    if (R3 != 0) {
        out.hasRi = true;
        out.Ri = R4 * R2 / R3;
    }
    return out;
}

Overload overloadVerdict(double I, double Imax, double Ig, double Igmax)
{
    if (I > Imax)
        return Overload::Source;
    if (std::fabs(Ig) > Igmax)
        return Overload::Galvanometer;
    return Overload::None;
}
