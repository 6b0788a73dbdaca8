#include "ErrorCodes.h"

#include <optional>

#include "MonitorErrorDisplay.h"
#include "Radon.h"
#include "UiBitBtn.h"
#include "UiGroupBox.h"
#include "UiMemo.h"
#include "UiPageControl.h"
#include "UiPanel.h"
#include "cl_datetime.h"
#include "cl_dialogs.h"
#include "cl_hourglass.h"
#include "cl_lists.h"
#include "cl_sys.h"

TErrorCodesForm* ErrorCodesForm = nullptr;

namespace {

const char* const NoNoticesLine = "No Notices Found.";

}  // namespace

TErrorCodesForm::TErrorCodesForm(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("ErrorCodesForm");
    SetCaption("Notices From Monitor");
    SetPosition(poMainFormCenter);
    SetBounds(0, 0, 649, 436);
    CreateControls();
    EndLoading(this);
    OnShow = Bind(this, &TErrorCodesForm::FormShow);
    NoticeLines = new TStringList;
    NoticesFound = false;
}

void TErrorCodesForm::BeforeDestruction() {
    TForm::BeforeDestruction();
    delete NoticeLines;
    NoticeLines = nullptr;
}

void TErrorCodesForm::CreateControls() {
    UiPanel4 = PlaceControl<TUiPanel>(this, this, "UiPanel4", 0, 361, 641, 41);
    UiPanel4->SetAlign(alBottom);
    UiPanel4->SetCaption("");
    ReadCodesButton = MakeButton("ReadCodesButton", "Read Notices From Monitor", 8, 170);
    ClearCodesButton = MakeButton("ClearCodesButton", "Clear Notices From Monitor", 186, 170);
    SaveToLogButton = MakeButton("SaveToLogButton", "Save To Log", 364, 120);
    CloseButton = MakeButton("CloseButton", "Close", 538, 95);
    CloseButton->SetModalResult(mrOk);
    ReadCodesButton->OnClick = Bind(this, &TErrorCodesForm::ReadCodesButtonClick);
    ClearCodesButton->OnClick = Bind(this, &TErrorCodesForm::ClearCodesButtonClick);
    SaveToLogButton->OnClick = Bind(this, &TErrorCodesForm::SaveToLogButtonClick);

    PageControl = PlaceControl<TUiPageControl>(this, this, "PageControl", 0, 0, 641, 361);
    PageControl->SetAlign(alClient);
    MonitorSheet = new TUiTabSheet(this);
    MonitorSheet->SetName("MonitorSheet");
    MonitorSheet->SetPageControl(PageControl);
    MonitorSheet->SetTabVisible(false);
    PageControl->SetActivePage(MonitorSheet);

    UiGroupBox5 = PlaceControl<TUiGroupBox>(this, MonitorSheet, "UiGroupBox5", 0, 0, 633, 22);
    UiGroupBox5->SetAlign(alTop);
    UiGroupBox5->SetGroupBoxStyle(gsBanner);
    UiGroupBox5->SetCaption("Notices From The Monitor");
    UiGroupBox5->Font()->SetStyle({fsBold});
    UiGroupBox5->Font()->SetHeight(-13);

    ErrorMemo = PlaceControl<TUiMemo>(this, MonitorSheet, "ErrorMemo", 0, 22, 633, 311);
    ErrorMemo->SetAlign(alClient);
    ErrorMemo->SetScrollBars(ssVertical);
}

TUiBitBtn* TErrorCodesForm::MakeButton(const char* name, const char* caption, int x, int width) {
    auto* button = PlaceControl<TUiBitBtn>(this, UiPanel4, name, x, 8, width, 25);
    button->SetCaption(caption);
    return button;
}

AnsiString TErrorCodesForm::LogFileName() {
    return ExtractFilePath(ExeFileName()) + "ErrorLog.txt";
}

void TErrorCodesForm::FormShow(TObject*) { ErrorMemo->Lines()->Clear(); }

void TErrorCodesForm::ReadCodesButtonClick(TObject*) { ReadNotices(); }

bool TErrorCodesForm::AskMonitor(uint8_t command) {
    std::optional<QMCRadonDataError> failure;
    {
        THourglass busy;
        try {
            Monitor->SendMessageA(0, command, ReadSubCode, nullptr);
        } catch (const QMCRadonDataError& e) {
            failure = e;
        }
    }
    if (failure) ShowMonitorError(*failure);
    return !failure;
}

void TErrorCodesForm::ReadNotices() {
    if (!AskMonitor(64)) return;
    NoticeIndex = 0;
    NoticeLines->Clear();
    bool anySet = false;
    for (uint8_t noticeByte : Monitor->ErrorCodes)
        if (AddNoticeTexts(noticeByte)) anySet = true;
    NoticesFound = anySet;
    if (!anySet) NoticeLines->Add(NoNoticesLine);
    ErrorMemo->Lines()->Assign(NoticeLines);
}

bool TErrorCodesForm::AddNoticeTexts(uint8_t noticeByte) {
    bool anySet = false;
    for (int bit = 0; bit < 8; ++bit, ++NoticeIndex) {
        if (!(noticeByte & (1u << bit))) continue;
        NoticeLines->Add(Monitor->Errors[NoticeIndex]);
        NoticeLines->Add("");
        anySet = true;
    }
    return anySet;
}

void TErrorCodesForm::ClearCodesButtonClick(TObject*) {
    if (!AskMonitor(65)) return;
    MessageDlg("Errors in the monitor have been cleared.", mtInformation, {mbOK}, 0);
}

void TErrorCodesForm::SaveToLogButtonClick(TObject*) {
    if (!NoticesFound) {
        MessageDlg("No errors were found in the monitor.", mtInformation, {mbOK}, 0);
        return;
    }
    const AnsiString log = DateToStr(Date()) + "\r\n" + ErrorMemo->Text();
    try {
        WriteFileWhole(LogFileName(), log.c_str(), static_cast<size_t>(log.Length()));
    } catch (const EFCreateError& e) {
        MessageDlg("The notices could not be saved in the log file.\n" + e.Message(), mtError,
                   {mbOK}, 0);
        return;
    }
    MessageDlg("Errors have been saved in a log file.", mtWarning, {mbOK}, 0);
}
