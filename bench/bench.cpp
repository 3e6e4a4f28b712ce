// Timings of the bench's arithmetic: one bridge solution, one needle update, one readout format.
#include "model/bridge.h"
#include "model/needle.h"
#include "model/number_format.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

volatile double sink;

double nanosecondsPerCall(const std::function<void(int)> &body, int calls)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        body(i);
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(stop - start).count() / calls;
}

} // namespace

int main()
{
    const int calls = 2000000;
    const double bridge = nanosecondsPerCall(
        [](int i) {
            BridgeInput in{1963, 1000.0 + (i & 1023), 2.5, 2.5, 2.3, 112, 10, 8, 1, 1};
            sink = solveBridge(in).Ig;
        },
        calls);
    const double needle = nanosecondsPerCall(
        [](int i) { sink = needleGeometry(-0.0000767 * (i & 15), 0.0025f).x2; }, calls);
    const double format = nanosecondsPerCall(
        [](int i) {
            sink = double(formatPattern(-0.0000767 * (i & 15), "#0.0000000", ",").size());
        },
        calls);
    std::printf("bridge solution      %8.1f ns\n", bridge);
    std::printf("needle update        %8.1f ns  (%.2f x bridge)\n", needle, needle / bridge);
    std::printf("\"#0.0000000\" format  %8.1f ns  (%.2f x bridge)\n", format, format / bridge);
    return 0;
}
