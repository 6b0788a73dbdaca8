#include "monitor_link.h"

#include "cl_forms.h"

void MonitorLink::Connect(const testsupport::SimMonitor& config) {
    sim = std::make_unique<testsupport::MonitorSimulator>(6, config);
    sim->Start();
    radon = new TRadon(nullptr);
    radon->SetBaud(57600);
    radon->SetDtrControl(dtrDisable);
    radon->SetRtsControl(rtsDisable);
    radon->SetPortA(5);
    radon->ComInit();
    radon->OnIncProgress = [this](uint16_t n) { progress.push_back(n); };
    RecordIndex = 0;
}

void MonitorLink::TearDown() {
    TObject::Free(radon);
    radon = nullptr;
    if (sim) sim->Stop();
}

std::vector<uint8_t> MonitorLink::RequestedCommands() const {
    std::vector<uint8_t> commands;
    for (const auto& request : sim->Requests()) commands.push_back(request.command);
    return commands;
}

void MonitorLink::PumpMessages() { Application->ProcessMessages(); }
