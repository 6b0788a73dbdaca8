// The test view: retrieval from the monitor, the identity and test labels and the averages.
#include "RadonMainForm.h"

#include "CompanyTexts.h"
#include "FixedFormText.h"
#include "MonitorErrorDisplay.h"
#include "Preferences.h"
#include "Radon.h"
#include "RadonAverages.h"
#include "RadonTexts.h"
#include "TestRetrieval.h"
#include "UiComboBox.h"
#include "UiDateTimePicker.h"
#include "UiLabel.h"
#include "UiProgressStatus.h"
#include "cl_datetime.h"
#include "cl_hourglass.h"
#include "cl_number.h"

namespace {

constexpr double CalibrationPeriodHours = 8400;  // 350 days

const char* const CalibrationReminderText =
    "The EPA requires an annual calibration for all continuous radon monitors.\nPlease return "
    "your device for service according to the displayed calibration date.";

// Reads the whole test into the device record. A failure leaves the record as it was and
// ends with the progress pane full; a protocol failure is shown and gives false.
bool RetrieveTest(TRadonMainForm& form, THourglass& hourglass) {
    try {
        RetrieveWholeTest(*Monitor);
        return true;
    } catch (const QMCRadonDataError& error) {
        hourglass.Restore();
        ShowMonitorError(error);
        form.IncProgress(100);
        return false;
    } catch (...) {
        form.IncProgress(100);
        throw;
    }
}

double IntervalHoursOf(const TRadon& monitor) { return IntervalIndexHours(monitor.IntervalIndex); }

// Asks for the monitor's return when its calibration is 350 days old; a calibration date that
// is no date skips the reminder.
void RemindOfCalibration(TRadonMainForm& form) {
    try {
        TDateTimeFields& date = form.CalibrationDateFields;
        String2Date(&date, Monitor->CalibrationDate);
        const TDateTime due =
            EncodeDate(date.Year, date.Month, date.Day) + CalibrationPeriodHours * OneHour;
        TFont* font = form.CalibrationDateLB->Font();
        if (Now() > due) {
            Application->MessageBox(CalibrationReminderText, "Calibration Reminder", MB_OK);
            font->SetColor(clRed);
            font->SetStyle({fsBold});
        } else {
            font->SetColor(clBlack);
            font->SetStyle({});
        }
    } catch (const Exception&) {
    }
}

TRadonAverages StoreAverages(TRadonMainForm& form) {
    const TRadonAverages averages = ComputeRadonAverages(*Monitor, form.IntervalHours);
    form.OverallAverage = averages.Overall;
    form.EpaAverage = averages.Epa;
    return averages;
}

AnsiString AverageText(double value, bool known) {
    return known ? FloatToStrF(value, ffFixed, 4, 1) : AnsiString("n/a");
}

AnsiString FactorText(float factor) { return FloatToStrF(factor, ffGeneral, 4, 6); }

void ShowIdentity(TRadonMainForm& form) {
    form.ModelNumberLB->SetCaption("Model Number: " + Monitor->ModelNumber);
    form.SerialNumberLB->SetCaption("Serial Number: " + Trim(Monitor->SerialNumber));
}

void ShowAverages(TRadonMainForm& form) {
    const TRadonAverages averages = StoreAverages(form);
    form.LabelOverallAverage->SetCaption(AverageText(averages.Overall, averages.HasOverall));
    form.LabelEPAAverage->SetCaption(AverageText(averages.Epa, averages.HasEpa));
}

void ShowCalibrationAndBattery(TRadonMainForm& form) {
    form.CalibrationDateLB->SetCaption("Calibration Date: " + Monitor->CalibrationDate);
    form.BatteryStatusLB->SetCaption("Battery: v" +
                                     FloatToStrF(Monitor->BatteryVoltage, ffGeneral, 2, 4));
}

void ShowCalibrationFactors(TRadonMainForm& form) {
    AnsiString text = "CF: " + FactorText(Monitor->CF1);
    if (IsModel6916(*Monitor)) text += ", " + FactorText(Monitor->CF2);
    form.CFLB->SetCaption(text);
    form.ShowSensorSeries(IsModel6916(*Monitor));
}

void ShowTestParameters(TRadonMainForm& form) {
    form.HoursDelayVal->SetCaption(Monitor->DelayIndex2String());
    form.TestDurationVal->SetCaption(Monitor->DurationIndex2String());
    form.MeasurementIntervalVal->SetCaption(Monitor->IntervalIndex2String());
    form.StartDateVal->SetCaption(Monitor->NumMeasurements > 0
                                      ? FormatDateTime("mm/dd/yyyy hh:nn", Monitor->StartTime)
                                      : AnsiString("None"));
    form.InspectorInfo->SetCaption(form.InspectorInfoText());
}

void ShowMeasurementCount(TRadonMainForm& form) {
    form.NumMeasurementsVal->SetCaption(IntToStr(Monitor->NumMeasurements));
}

// The monitor's company block, identity, units, PIN and clock, as the preferences window keeps
// them after a retrieval.
void HandMonitorSettingsToPreferences() {
    TfrmPreferences& preferences = *frmPreferences;
    const TRadon& monitor = *Monitor;
    const auto texts = CompanyTexts(monitor);
    const auto settings = preferences.CompanySettings();
    for (int i = 0; i < CompanyTextCount; ++i) *settings[i] = Trim(*texts[i]);
    preferences.FirmwareVersion = IntToStr(monitor.FirmwareVersion);
    preferences.SerialNumber = Trim(monitor.SerialNumber);
    preferences.ModelNumber = Trim(monitor.ModelNumber);
    preferences.UnitsIndex = static_cast<int>(monitor.UnitsIndex);
    preferences.RadonUnitsComboBox->SetItemIndex(monitor.UnitsIndex != 0 ? 1 : 0);
    preferences.RadonUnitsComboBoxChange(preferences.RadonUnitsComboBox);
    preferences.Pin = monitor.GetPin();
    const uint16_t* clock = monitor.SystemTime;
    preferences.TestDate = IntToStr(clock[1]) + "/" + IntToStr(clock[2]) + "/" + IntToStr(clock[0]);
    preferences.TestTime = IntToStr(clock[3]) + ":" + IntToStr(clock[4]);
    const TDateTime time = FixedTextToTime(preferences.TestTime);
    preferences.TimePicker->SetFormat("HH:MM");
    preferences.TimePicker->SetTime(time);
    preferences.TimePicker->SetFormat("hh:mm tt");
}

void ShowRetrievedLabels(TRadonMainForm& form) {
    ShowIdentity(form);
    form.IncProgress(10);
    ShowAverages(form);
    ShowCalibrationAndBattery(form);
    ShowCalibrationFactors(form);
    ShowMeasurementCount(form);
    form.IncProgress(5);
    ShowTestParameters(form);
    form.IncProgress(5);
    HandMonitorSettingsToPreferences();
}

void ShowLoadedLabels(TRadonMainForm& form) {
    ShowIdentity(form);
    ShowAverages(form);
    ShowCalibrationAndBattery(form);
    ShowCalibrationFactors(form);
    ShowMeasurementCount(form);
    ShowTestParameters(form);
}

}  // namespace

void TRadonMainForm::ButtonRetriveClick(TObject*) {
    ProgressStatus->SetPercent(0);
    IncProgress(5);
    ShowRetrievedTest();
}

void TRadonMainForm::ShowRetrievedTest() {
    THourglass hourglass;
    TestShown = false;
    frmPreferences->ReadSettings();
    if (!RetrieveTest(*this, hourglass)) return;
    TestFromMonitor = true;
    MotionDetected = false;
    IntervalHours = IntervalHoursOf(*Monitor);
    RemindOfCalibration(*this);
    auto endDisplay = [&] {
        TestShown = true;
        IncProgress(100);
    };
    try {
        ShowRetrievedLabels(*this);
        FeedChart(true);
        IncProgress(100);
    } catch (...) {
        endDisplay();
        throw;
    }
    endDisplay();
}

void TRadonMainForm::ShowLoadedTest() {
    try {
        MotionDetected = false;
        IntervalHours = IntervalHoursOf(*Monitor);
        ShowLoadedLabels(*this);
        frmPreferences->UnitsIndex = static_cast<int>(Monitor->UnitsIndex);
        FeedChart(false);
    } catch (...) {
        TestShown = true;
        throw;
    }
    TestShown = true;
}

void TRadonMainForm::ComputeAverages() { StoreAverages(*this); }
