// The application's windows made once for a test program, as start-up makes them, with the
// monitor object on a given COM port (0: no settings file, so the stored port is the default).
#pragma once

#include <gtest/gtest.h>

#include "ApplicationWindows.h"
#include "RadonMainForm.h"
#include "SettingsFile.h"
#include "cl_settings.h"

class MainWindowEnvironment : public ::testing::Environment {
public:
    explicit MainWindowEnvironment(int port) : port_(port) {}

    void SetUp() override {
        DeleteFileA(SettingsFileName().c_str());
        if (port_ != 0) {
            TIniFile ini(SettingsFileName());
            WritePort(ini, port_);
        }
        CreateApplicationWindows();
        RadonMainForm->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        RadonMainForm->Hide();
        Application->ProcessMessages();
        DeleteFileA(SettingsFileName().c_str());
    }

private:
    int port_;
};
