#include "cl_types.h"

#include <cfenv>
#include <chrono>
#include <cmath>

uint32_t RandSeed = 0;

long long Round(Extended value) {
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyintl(value);
    std::fesetround(previous);
    return static_cast<long long>(rounded);
}

long long Trunc(Extended value) { return static_cast<long long>(value); }
Extended Int(Extended value) { return std::truncl(value); }
Extended Frac(Extended value) { return value - std::truncl(value); }

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    long long magnitude = (product < 0 ? -product : product);
    const long long divisor = c < 0 ? -static_cast<long long>(c) : c;
    magnitude = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (c < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int Random(int range) {
    RandSeed = RandSeed * 134775813u + 1u;
    if (range <= 0) return 0;
    return static_cast<int>((static_cast<uint64_t>(RandSeed) * static_cast<uint32_t>(range)) >> 32);
}

void Randomize() {
    RandSeed = static_cast<uint32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
}
