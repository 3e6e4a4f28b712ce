// The circuit state: the one record that describes the bench.
#pragma once

#include <cstdint>

/** Every setting, switch, constant, arm, current and needle value of the bench, zero at birth. */
struct CircuitState
{
    double Edc{};     // EMF of the source, V (whole, 4..12)
    float r{};        // internal resistance of the source, Ω (0..20)
    double Reo_max{}; // rheostat maximum, Ω (whole, 15..500)
    float Reo{};      // rheostat resistance, Ω (0..Reo_max)
    double R_m_1{};   // decade digits worth 10000, 1000, 100, 10 and 1 Ω
    double R_m_2{};
    double R_m_3{};
    double R_m_4{};
    double R_m_5{};
    std::int16_t R_m_6{}; // decade digit worth 0.1 Ω
    float R_m{};          // resistance of the box, Ω
    double R_dlina{};     // slider position as a fraction of the wire, 0..1 in steps of 0.005
    double Rmax{};        // total resistance of the slide wire, Ω
    double R_L{};         // left arm of the slide wire, Ω
    float R_R{};          // right arm of the slide wire, Ω
    double Rx{};          // the unknown resistance, Ω
    double R1{};          // bridge arms: copies of Rx, R_m, R_R, R_L
    double R2{};
    double R3{};
    double R4{};
    float Rg{};               // galvanometer resistance, Ω
    double rabota{};          // the key: 1 closed, 0 open
    std::int16_t istochnik{}; // the source: 1 on, 0 off
    double I{};               // source current, A
    double Imax{};            // source current limit, A
    double Ig{};              // galvanometer current, A, signed
    float Igmax{};            // galvanometer current limit, A
    double alpha_max{};       // needle deflection at Igmax, rad
    double alpha{};           // present needle deflection, rad
    double k_alpha{};         // needle sensitivity, rad/A
    double dx{};              // needle extent to the right, px
    float dy{};               // needle extent upwards, px
};
