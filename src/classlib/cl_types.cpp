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
