// A simulated 6916 radon monitor on a COM port, for running the program without the hardware:
// serves a sample test and logs every request until it is stopped.
// Usage: MonitorSimulator <port>   (a number such as 20, or COM20)
#include "SampleTest.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace {

using testsupport::MonitorSimulator;
using testsupport::SimRequest;

// The port number of "20" or "COM20"; 0 when the text names no port.
int PortNumber(const char* text) {
    if (_strnicmp(text, "COM", 3) == 0) text += 3;
    char* end = nullptr;
    const long port = std::strtol(text, &end, 10);
    return *text && !*end && port > 0 && port < 256 ? static_cast<int>(port) : 0;
}

void LogRequest(const SimRequest& request) {
    const bool isRead = request.subCode == 0x99;
    std::printf("request %3u %s, %u payload byte(s)%s\n", request.command,
                isRead ? "read " : "write", static_cast<unsigned>(request.payload.size()),
                request.checksumOk ? "" : ", bad checksum (not answered)");
    std::fflush(stdout);
}

[[noreturn]] void ServeForever(MonitorSimulator& simulator) {
    size_t logged = 0;
    for (;;) {
        Sleep(200);
        const auto requests = simulator.Requests();
        for (; logged < requests.size(); ++logged) LogRequest(requests[logged]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int port = argc == 2 ? PortNumber(argv[1]) : 0;
    if (!port) {
        std::fprintf(stderr, "usage: MonitorSimulator <port>   (for example 20 or COM20)\n");
        return 2;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    const auto monitor = SampleTest(now);
    try {
        MonitorSimulator simulator(port, monitor);
        simulator.Start();
        std::printf("Monitor %s, serial number %s, on COM%d: a test of %u readings that "
                    "started at %02u:%02u on day %u of %u\n",
                    monitor.model.c_str(), monitor.serialNumber.c_str(), port,
                    monitor.numMeasurements - 1u, monitor.startHour, monitor.startSeconds / 60u,
                    monitor.startDayOfYear, monitor.startYear);
        std::fflush(stdout);
        ServeForever(simulator);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "MonitorSimulator: COM%d: %s\n", port, e.what());
        return 1;
    }
}
