#include "cl_types.h"

#include <chrono>
#include <cmath>

uint32_t RandSeed = 0;

// Halves go to the even neighbour. Computed without reading or setting the floating-point
// rounding mode: the C runtime's mode functions ask the processor for SSE support on every
// call, which dominated the cost of drawing charts.
long long Round(Extended value) {
    const Extended below = std::floor(value);
    const Extended fraction = value - below;
    const long long whole = static_cast<long long>(below);
    if (fraction < 0.5L) return whole;
    if (fraction > 0.5L) return whole + 1;
    return whole % 2 == 0 ? whole : whole + 1;
}

long long Trunc(Extended value) { return static_cast<long long>(value); }
Extended Int(Extended value) { return std::truncl(value); }
Extended Frac(Extended value) { return value - std::truncl(value); }

int Floor(Extended value) { return static_cast<int>(std::floor(value)); }
int Ceil(Extended value) { return static_cast<int>(std::ceil(value)); }
Extended Sqrt(Extended value) { return std::sqrt(value); }
Extended Power(Extended base, Extended exponent) { return std::pow(base, exponent); }
Extended ArcTan2(Extended y, Extended x) { return std::atan2(y, x); }
Extended Ln(Extended value) { return std::log(value); }
Extended Exp(Extended value) { return std::exp(value); }

int Random(int range) {
    RandSeed = RandSeed * 134775813u + 1u;
    if (range <= 0) return 0;
    return static_cast<int>((static_cast<uint64_t>(RandSeed) * static_cast<uint32_t>(range)) >> 32);
}

void Randomize() {
    RandSeed = static_cast<uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
}
