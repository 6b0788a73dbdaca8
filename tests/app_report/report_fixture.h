// Shown tests for the report tests: a 6915 and a 6916 test put into the device record and the
// main window as a retrieval leaves them, and the report painted on a recording canvas with
// its pages split at every new-page call.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Preferences.h"
#include "Radon.h"
#include "RadonMainForm.h"
#include "UiCheckBox.h"
#include "UiEdit.h"
#include "cl_datetime.h"
#include "recording_canvas.h"

// One hour, half an hour: the monitor's interval indexes.
constexpr uint32_t HourInterval = 0, HalfHourInterval = 8;

struct ShownTestSpec {
    const char* Model = "6915";
    uint16_t Count = 10;  // records, record 0 included
    uint32_t Interval = HourInterval;
    uint32_t Units = 1;  // pCi/l
    TDateTime Start = EncodeDate(2026, 3, 14) + EncodeTime(22, 30, 0, 0);
    bool FromMonitor = true;
};

inline void ShowTest(const ShownTestSpec& spec) {
    TRadon& r = *Monitor;
    static_cast<TDeviceRecord&>(r) = TDeviceRecord{};
    r.ModelNumber = spec.Model;
    r.SerialNumber = "15001";
    r.CalibrationDate = "03/15/2026";
    r.CF1 = 2.5f;
    r.CF2 = 2.0f;
    r.CompanyName = "Acme Radon Testing";
    r.Address1 = "12 Main St";
    r.Address2 = "Suite 4";
    r.City = "Springfield";
    r.State = "IL";
    r.Zip = "62701";
    r.PhoneNumber = "217-555-0100";
    r.LicenseNumber = "IL-4411";
    r.UnitsIndex = spec.Units;
    r.IntervalIndex = spec.Interval;
    r.NumMeasurements = spec.Count;
    r.StartTime = spec.Start;
    r.FirmwareVersion = 412;
    r.SystemTime[0] = 2026;
    r.SystemTime[1] = 3;
    r.SystemTime[2] = 20;
    r.SystemTime[3] = 9;
    r.SystemTime[4] = 5;
    for (int i = 0; i < spec.Count; ++i) {
        TMeasurement& m = r.Measurements[i];
        m.Alpha0Counts = static_cast<uint16_t>(10 * i);
        m.Alpha1Counts = static_cast<uint16_t>(20 * i);
        m.Temperature = 20;
        m.Pressure = 29.9f;
        m.Humidity = 45;
        m.Flags = i % 7 == 3 ? 0x10 : 0;
    }
    TRadonMainForm& form = *RadonMainForm;
    form.TestFromMonitor = spec.FromMonitor;
    form.IntervalHours = spec.Interval == HalfHourInterval ? 0.5 : 1.0;
    form.OverallAverage = 3.25;
    form.EpaAverage = 3.5;
    const char* const billing[] = {"Jane Homeowner", "4 Elm Rd", "", "Peoria", "IL", "61602",
                                   "309-555-0111"};
    const char* const site[] = {"Jane Homeowner", "99 Lake Dr", "Unit 2", "Peoria", "IL",
                                "61603", ""};
    const TAddressEdits billingEdits = form.BillingEdits(), siteEdits = form.SiteEdits();
    for (int i = 0; i < CustomerFieldCount; ++i) {
        billingEdits[i]->SetText(billing[i]);
        siteEdits[i]->SetText(site[i]);
    }
}

// The shown test's readings fed into the test chart as opening a file does, so that the
// report's chart area has series, axes and a legend to draw.
inline void FeedShownTest() {
    RadonMainForm->ShowLoadedTest();
    Application->ProcessMessages();
}

// The report's preferences back to the settings file's defaults, every picture box unchecked.
inline void DefaultReportPreferences() {
    static_cast<TPrintSettings&>(*frmPreferences) = TPrintSettings{};
    frmPreferences->InspectorName = "Pat Inspector";
    frmPreferences->PrintMitigationSystemInstalledchk->SetChecked(false);
    for (TUiCheckBox* box : {RadonMainForm->cbPrintImage1, RadonMainForm->cbPrintImage2,
                             RadonMainForm->cbPrintImage3, RadonMainForm->cbPrintImage4,
                             RadonMainForm->cbPrintImage5, RadonMainForm->cbPrintImage6})
        box->SetChecked(false);
}

struct PaintedPage {
    std::vector<TCanvasCall> Calls;

    std::vector<const TCanvasCall*> Named(const std::string& name) const {
        std::vector<const TCanvasCall*> found;
        for (const TCanvasCall& call : Calls)
            if (call.Name == name) found.push_back(&call);
        return found;
    }
    const TCanvasCall* TextStarting(const std::string& prefix) const {
        for (const TCanvasCall& call : Calls)
            if (call.Name == "TextOut" && call.Text.rfind(prefix, 0) == 0) return &call;
        return nullptr;
    }
    bool HasText(const std::string& text) const {
        for (const TCanvasCall& call : Calls)
            if (call.Name == "TextOut" && call.Text == text) return true;
        return false;
    }
};

// The report painted on a page of `width` x `height` pixels at a report scale of 1.
inline std::vector<PaintedPage> PaintPages(int width, int height) {
    TRecordingCanvas canvas(width, height);
    TRadonMainForm& form = *RadonMainForm;
    form.ReportTarget.PageWidth = width;
    form.ReportTarget.PageHeight = height;
    form.ReportTarget.Canvas = &canvas;
    form.ReportTarget.NewPage = [&canvas] { canvas.Mark("NewPage"); };
    form.ReportScale = 1.0;
    form.PaintReport();
    std::vector<PaintedPage> pages(1);
    for (const TCanvasCall& call : canvas.Calls()) {
        if (call.Name == "Mark")
            pages.emplace_back();
        else
            pages.back().Calls.push_back(call);
    }
    return pages;
}
