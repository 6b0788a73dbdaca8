// Shared set-up of the port tests: one main window whose monitor object starts on COM5 (the
// runner links COM5..COM8), message boxes recorded, and the settings file's port at hand.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "Preferences.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "SettingsFile.h"
#include "serial_port.h"
#include "test_pump.h"

class PortsEnvironment : public ControlsEnvironment {
public:
    void SetUp() override {
        ControlsEnvironment::SetUp();
        DeleteFileA(SettingsFileName().c_str());
        Application->CreateForm(RadonMainForm);
        Application->CreateForm(frmPreferences);
        RadonMainForm->Show();
        Application->ProcessMessages();
    }
};

class PortsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePort(5);
        StoredPort(3);
        Boxes().clear();
        Answer() = IDOK;
    }

    // The monitor object closed and reopened on `port`.
    static void UsePort(uint32_t port) {
        Monitor->ComClose();
        Monitor->SetPortA(port);
        Monitor->ComInit();
        ASSERT_TRUE(Monitor->Open());
    }

    // Whether the monitor object's open port is the one linked to COM`peer`.
    static bool ReachesPeer(int peer) {
        testsupport::SerialPort peerPort(peer);
        peerPort.Drain();
        Monitor->Write("ping");
        return peerPort.Read(4, 2000) == std::vector<uint8_t>{'p', 'i', 'n', 'g'};
    }

    static void StoredPort(int port) {
        TIniFile ini(SettingsFileName());
        WritePort(ini, port);
    }

    static int StoredPort() {
        TIniFile ini(SettingsFileName());
        return ReadPort(ini);
    }
};
