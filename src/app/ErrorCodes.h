// The notices window: reads the monitor's 32 notice bits and shows their texts, clears them in
// the monitor, and saves what is shown to "ErrorLog.txt" beside the program.
#pragma once

#include <cstdint>

#include "cl_forms.h"

class TUiPageControl;
class TUiTabSheet;
class TUiPanel;
class TUiGroupBox;
class TUiMemo;
class TUiBitBtn;
class TStringList;

class TErrorCodesForm : public TForm {
    CL_COMPONENT_CLASS(TErrorCodesForm, TForm)

    explicit TErrorCodesForm(TComponent* owner);
    void BeforeDestruction() override;

    void FormShow(TObject* sender);
    void ReadCodesButtonClick(TObject* sender);
    void ClearCodesButtonClick(TObject* sender);
    void SaveToLogButtonClick(TObject* sender);
    void ReadNotices();
    // Appends the texts of the set bits of one notice byte; true when any bit was set.
    bool AddNoticeTexts(uint8_t noticeByte);
    // Where Save To Log writes: the program's folder followed by "ErrorLog.txt".
    static AnsiString LogFileName();

    TUiPageControl* PageControl;
    TUiTabSheet* MonitorSheet;
    TUiGroupBox* UiGroupBox5;
    TUiMemo* ErrorMemo;
    TUiPanel* UiPanel4;
    TUiBitBtn* ReadCodesButton;
    TUiBitBtn* ClearCodesButton;
    TUiBitBtn* SaveToLogButton;
    TUiBitBtn* CloseButton;

    TStringList* NoticeLines = nullptr;
    int32_t NoticeIndex = 0;
    bool NoticesFound = false;

private:
    void CreateControls();
    TUiBitBtn* MakeButton(const char* name, const char* caption, int x, int width);
    // Sends one read request; false (after the "Monitor Error" box) when the monitor failed.
    bool AskMonitor(uint8_t command);
};

extern TErrorCodesForm* ErrorCodesForm;
