// The closed-form solution of the bridge network and its overload verdict.
#pragma once

/** The arms and the source circuit of one calculation. */
struct BridgeInput
{
    double R1 = 0; // unknown resistor
    double R2 = 0; // resistance box
    double R3 = 0; // right arm of the slide wire
    double R4 = 0; // left arm of the slide wire
    double Rg = 0;
    double Reo = 0;
    double r = 0;
    double Edc = 0;
    double rabota = 0;
    int istochnik = 0;
};

/** What one calculation gives. I and Ig are zero unless the circuit is live. */
struct BridgeResult
{
    double N = 0;  // imbalance R2·R4 − R1·R3
    double D = 0;  // common denominator, > 0 whenever Rg > 0
    double Rb = 0; // resistance of the bridge between the source poles (live circuit only)
    double I = 0;
    double Ig = 0;
    bool live = false;
    bool hasRi = false; // false when the circuit is open or the right arm is zero
    double Ri = 0;      // the unknown that the balance condition gives: R4·R2/R3
};

enum class Overload
{
    None,
    Source,
    Galvanometer
};

/** Is the circuit live: key closed and source on. */
bool isLive(double rabota, int istochnik);

/** Solve the bridge for the source and galvanometer currents. */
BridgeResult solveBridge(const BridgeInput &in);

/** The overload check: source first, then galvanometer; a current equal to its limit passes. */
Overload overloadVerdict(double I, double Imax, double Ig, double Igmax);
