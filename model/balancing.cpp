// The balancing of the bridge that the laboratory instruction teaches.
#include "model/balancing.h"

#include <cstdlib>

int readoutSign(std::string_view readout)
{
    if (!readout.empty() && readout.front() == '-')
        return -1;
    return readout.find_first_of("123456789") != std::string_view::npos ? 1 : 0;
}

long readoutUnits(std::string_view readout)
{
    long units = 0;
    for (char c : readout)
        if (c >= '0' && c <= '9')
            units = units * 10 + (c - '0');
    return readoutSign(readout) < 0 ? -units : units;
}

namespace {

void report(BalancingBench &bench, BalancingEvent::Kind kind, int decade = -1)
{
    bench.reached({kind, decade});
}

// One decade by the sign of the readout: down while it is positive (back one step if it turns
// negative), up while it is negative; a zero readout leaves the digit.
void searchDecade(BalancingBench &bench, int k)
{
    const auto sign = [&bench] { return readoutSign(bench.readout()); };
    if (sign() > 0) {
        while (sign() > 0 && bench.digit(k) > 0)
            bench.turn(k, -1);
        if (sign() < 0) {
            report(bench, BalancingEvent::SignChanged, k);
            bench.turn(k, +1);
            report(bench, BalancingEvent::StepBack, k);
        } else {
            report(bench, sign() == 0 ? BalancingEvent::ZeroReadout : BalancingEvent::DigitZero, k);
        }
    } else if (sign() < 0) {
        while (sign() < 0 && bench.digit(k) < 9)
            bench.turn(k, +1);
        report(bench,
               sign() < 0    ? BalancingEvent::DigitNine
               : sign() == 0 ? BalancingEvent::ZeroReadout
                             : BalancingEvent::SignChanged,
               k);
    }
}

// The decades from `from` down to ×0.1; the first decade after which the readout is zero.
int search(BalancingBench &bench, int from)
{
    int firstZero = -1;
    for (int k = from; k < kDecades; ++k) {
        searchDecade(bench, k);
        if (firstZero < 0 && readoutSign(bench.readout()) == 0)
            firstZero = k;
    }
    return firstZero;
}

// The box 0.1 Ω lower or higher, as one subtracts or adds in a column: ×0.1 at 0 goes to 9 after
// the next decade has gone one step down, and back the same way.
void stepBox(BalancingBench &bench, int by)
{
    const int edge = by < 0 ? 0 : 9;
    int k = kTenths;
    while (k > 0 && bench.digit(k) == edge)
        --k;
    bench.turn(k, by);
    for (++k; k < kDecades; ++k)
        bench.turn(k, by < 0 ? 9 : -9);
}

// After the search the box stands at the lowest setting whose readout has no minus sign. Unless
// that readout is zero already, the setting 0.1 Ω lower is kept when it reads nearer to zero.
bool nearerOfTwo(BalancingBench &bench)
{
    const std::string upper = bench.readout();
    if (readoutSign(upper) == 0) {
        report(bench, BalancingEvent::AlreadyZero);
        return false;
    }
    stepBox(bench, -1);
    const std::string lower = bench.readout();
    if (std::labs(readoutUnits(lower)) < std::labs(readoutUnits(upper))) {
        report(bench, BalancingEvent::LowerNearer);
        return true;
    }
    report(bench, BalancingEvent::LowerFarther);
    stepBox(bench, +1);
    return false;
}

// Steps of a decade away from the balance and back: how many units they moved the readout. The
// tenths take one step, up or, from 9, down. The ones step on, up from 0 … 4 and down from 5 … 9
// so that five steps are always there to take, until the readout has moved ten units: a count of
// fewer is mostly the readout's rounding.
long unitsOfSteps(BalancingBench &bench, int k, int &steps, int &by, std::string &stepped)
{
    const long at = readoutUnits(bench.readout());
    by = k == kTenths ? (bench.digit(k) < 9 ? +1 : -1) : (bench.digit(k) < 5 ? +1 : -1);
    const int most = k == kTenths ? 1 : 5;
    long units = 0;
    for (steps = 0; steps < most && (steps == 0 || units < 10); ++steps) {
        bench.turn(k, by);
        stepped = bench.readout();
        units = std::labs(readoutUnits(stepped) - at);
    }
    bench.turn(k, -by * steps);
    return units;
}

} // namespace

Balancing balance(BalancingBench &bench)
{
    Balancing result;
    result.firstZero = search(bench, 0);
    // The coarse pass leaves the box within 0.1 Ω of the balance, or reading zero: the rheostat
    // goes to 0 there, whether the readout ever fell to zero or not, so that every sensitivity is
    // measured at the same rheostat.
    bench.rheostatToZero();
    report(bench, BalancingEvent::RheostatZero);
    if (result.firstZero >= 0)
        search(bench, result.firstZero);
    result.lowerKept = nearerOfTwo(bench);
    result.atBalance = bench.readout();
    report(bench, BalancingEvent::Balance);

    result.sensitivityDecade = kTenths;
    result.units = unitsOfSteps(bench, kTenths, result.steps, result.by, result.stepped);
    if (result.units < 10) {
        result.sensitivityDecade = kOnes;
        result.units = unitsOfSteps(bench, kOnes, result.steps, result.by, result.stepped);
    }
    const double step = result.sensitivityDecade == kTenths ? 0.1 : 1.0;
    // Steps that moved nothing tell only that δR is larger than they are.
    result.threshold = step * result.steps / double(result.units > 0 ? result.units : 1);
    return result;
}
