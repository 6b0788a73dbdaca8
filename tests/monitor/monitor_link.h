// Test fixture: the program's monitor object on COM5 talking to the monitor simulator on COM6.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Radon.h"
#include "monitor_simulator.h"

class MonitorLink : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the simulator with `config` and opens the program's side.
    void Connect(const testsupport::SimMonitor& config);
    std::vector<uint8_t> RequestedCommands() const;
    // Runs `operation`; the QMCRadonDataError text it raised, or "" when it raised none.
    template <class F> AnsiString ErrorOf(F operation) {
        try {
            operation();
        } catch (const QMCRadonDataError& e) {
            return e.GetText();
        }
        return "";
    }
    // Lets the GUI thread's posted messages run (the reader's notices among them).
    static void PumpMessages();

    std::unique_ptr<testsupport::MonitorSimulator> sim;
    TRadon* radon = nullptr;
    std::vector<uint16_t> progress;
};
