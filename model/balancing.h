// The balancing of the bridge that the laboratory instruction teaches, on any bench that shows its
// galvanometer readout and lets its decades be turned.
#pragma once

#include <string>
#include <string_view>

/** Decades of the resistance box, from ×10000 (0) down to ×0.1 (5). */
constexpr int kDecades = 6;
constexpr int kTenths = 5;
constexpr int kOnes = 4;

/**
 * The side of balance a galvanometer readout tells: −1 with a minus sign (also "-0.0000000"), +1
 * when a digit other than 0 shows, 0 for a zero without a sign.
 */
int readoutSign(std::string_view readout);

/** A readout in units of its last digit, with its sign: "-0,0000003" is −3. */
long readoutUnits(std::string_view readout);

/** A point the balancing has reached, for a bench that keeps a record of it. */
struct BalancingEvent
{
    enum Kind
    {
        SignChanged,  // the decade's last step changed the sign
        StepBack,     // the decade went back the step that changed the sign to minus
        ZeroReadout,  // the readout became zero without a sign
        DigitZero,    // the decade reached 0 and the readout is still positive
        DigitNine,    // the decade reached 9 and the readout is still negative
        RheostatZero, // the rheostat was set to 0 after the coarse pass
        LowerNearer,  // 0.1 Ω lower reads nearer to zero and is kept
        LowerFarther, // 0.1 Ω lower reads farther from zero; the box went back
        AlreadyZero,  // the readout is already zero without a sign: no step lower
        Balance       // the box stands at the balance
    };
    Kind kind;
    int decade = -1; // for the events of one decade
};

/** What the balancing reads and turns. */
class BalancingBench
{
  public:
    virtual ~BalancingBench() = default;
    /** The galvanometer readout as the bench prints it. */
    virtual std::string readout() const = 0;
    /** The digit 0 … 9 of a decade. */
    virtual int digit(int decade) const = 0;
    /** One step of a decade: +1 up, −1 down. */
    virtual void turn(int decade, int by) = 0;
    virtual void rheostatToZero() = 0;
    virtual void reached(const BalancingEvent &) {}
};

/** What one balancing found. */
struct Balancing
{
    int firstZero = -1;     // the decade where the coarse pass first read zero; −1: never
    bool lowerKept = false; // the setting 0.1 Ω below the bracket's upper end was nearer
    int sensitivityDecade = kTenths; // the decade whose steps measured the sensitivity
    int steps = 1;                   // k: how many steps of that decade were taken, all one way
    int by = +1;                     // which way: +1 up, −1 down
    long units = 0;        // n: how far they moved the readout, in units of its last digit
    double threshold = 0;  // δR: the change of the box, in ohms, that moves the readout one unit
    std::string atBalance; // the readout at the balance
    std::string stepped;   // the readout k steps of the sensitivity decade away from it
};

/**
 * Balances from the settings of the instruction (rheostat at its maximum, every decade at 9, key
 * closed, source on): each decade by the sign of the readout, from ×10000 down; then the rheostat
 * at 0 and, where the readout fell to zero, again from that decade; then the nearer of the two
 * settings 0.1 Ω apart that bracket the balance. Then the sensitivity: one step of ×0.1 (up, or
 * down from 9) and back; when it moved the readout by fewer than ten units, steps of ×1 one way
 * (up from 0 … 4, down from 5 … 9) until the readout has moved ten units or five steps are taken,
 * and back, so that the count is not all rounding. The box is left at the balance.
 */
Balancing balance(BalancingBench &bench);
