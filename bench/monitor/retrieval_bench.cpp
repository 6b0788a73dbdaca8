// Times a whole 6916 retrieval of 720 records from the simulator, which paces its replies at
// 57600 bit/s, against the line-rate floor: every byte on the wire in both directions at 10 bits.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Radon.h"
#include "monitor_simulator.h"

namespace {

constexpr unsigned LineRate = 57600;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One retrieval; returns elapsed time / line-rate floor.
double RetrievalRatio() {
    testsupport::SimMonitor config;
    config.model = "6916";
    testsupport::FillTest(config, MaxMeasurements);
    testsupport::MonitorSimulator sim(6, config);
    sim.SetPacing(LineRate);
    sim.Start();
    TRadon* radon = new TRadon(nullptr);
    radon->SetBaud(LineRate);
    radon->SetDtrControl(dtrDisable);
    radon->SetRtsControl(rtsDisable);
    radon->SetPortA(5);
    radon->ComInit();

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    radon->RetrieveAll();
    QueryPerformanceCounter(&end);

    const double elapsed = Seconds(start, end);
    const uint64_t bytes = sim.BytesReceived() + sim.BytesSent();
    const double floor = double(bytes) * 10 / LineRate;
    std::printf("  %llu bytes on the wire, floor %.3f s, elapsed %.3f s, ratio %.3f\n",
                static_cast<unsigned long long>(bytes), floor, elapsed, elapsed / floor);
    TObject::Free(radon);
    sim.Stop();
    return elapsed / floor;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("720-record 6916 retrieval at %u bit/s, %d rounds\n", LineRate, rounds);
    std::vector<double> ratios;
    try {
        for (int i = 0; i < rounds; ++i) ratios.push_back(RetrievalRatio());
    } catch (const QMCRadonDataError& e) {
        std::printf("retrieval failed: %s\n", e.GetText().c_str());
        return 1;
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("ratio to the line-rate floor: best %.3f, median %.3f (goal below 1.3)\n",
                ratios.front(), ratios[ratios.size() / 2]);
    return 0;
}
