#include "UiVersionInfo.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "cl_string.h"
#include "cl_sys.h"

namespace {

const char* const FieldKeys[] = {"CompanyName",      "FileDescription", "FileVersion",
                                 "InternalName",     "LegalCopyright",  "LegalTrademarks",
                                 "OriginalFilename", "ProductName",     "ProductVersion",
                                 "Comments"};

// The version resource of a file with the string-table path of its first translation.
struct VersionBlock {
    std::vector<char> data;
    AnsiString prefix;

    bool Load(const AnsiString& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0) return false;
        data.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
        void* translation = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &translation, &length) ||
            length < 4)
            return false;
        const auto* words = static_cast<const WORD*>(translation);
        char text[32];
        wsprintfA(text, "\\StringFileInfo\\%04X%04X\\", words[0], words[1]);
        prefix = text;
        return true;
    }
    // False when the key is missing.
    bool Query(const AnsiString& key, AnsiString& value) {
        void* text = nullptr;
        UINT length = 0;
        const AnsiString path = prefix + key;
        if (!VerQueryValueA(data.data(), path.c_str(), &text, &length) || !text) return false;
        value = static_cast<const char*>(text);
        return true;
    }
};

}  // namespace

TUiVersionInfo::TUiVersionInfo(TComponent* owner)
    : TComponent(owner), fields_(new TStringList) {
    GetVersionInfo();
}

void TUiVersionInfo::BeforeDestruction() {
    for (TUiVersionInfoStatus* pane : std::vector<TUiVersionInfoStatus*>(panes_))
        pane->SetVersionInfo(nullptr);
    TComponent::BeforeDestruction();
    delete fields_;
    fields_ = nullptr;
}

void TUiVersionInfo::SetFilePath(const AnsiString& path) {
    if (path == filePath_) return;
    filePath_ = path;
    if (InState(csLoading) || InState(csDesigning)) return;
    GetVersionInfo();
    UpdateStatusControls();
}

void TUiVersionInfo::Loaded() {
    TComponent::Loaded();
    GetVersionInfo();
    UpdateStatusControls();
}

void TUiVersionInfo::GetVersionInfo() {
    if (filePath_.IsEmpty()) filePath_ = ExeFileName();
    fields_->Clear();
    VersionBlock block;
    hasVersionInfo_ = block.Load(filePath_);
    for (const char* key : FieldKeys) {
        AnsiString value;
        if (hasVersionInfo_) block.Query(key, value);
        fields_->Add(value);
    }
}

AnsiString TUiVersionInfo::GetCustomKeyValue(const AnsiString& key) {
    VersionBlock block;
    AnsiString value;
    if (block.Load(filePath_.IsEmpty() ? ExeFileName() : filePath_) && block.Query(key, value))
        return value;
    return "Value Not Available";
}

void TUiVersionInfo::AddStatus(TUiVersionInfoStatus* pane) {
    if (std::find(panes_.begin(), panes_.end(), pane) == panes_.end()) panes_.push_back(pane);
}

void TUiVersionInfo::RemoveStatus(TUiVersionInfoStatus* pane) {
    panes_.erase(std::remove(panes_.begin(), panes_.end(), pane), panes_.end());
}

void TUiVersionInfo::UpdateStatusControls() {
    for (TUiVersionInfoStatus* pane : panes_) pane->Invalidate();
}

TUiVersionInfoStatus::TUiVersionInfoStatus(TComponent* owner) : TUiCustomStatusPane(owner) {}

void TUiVersionInfoStatus::BeforeDestruction() {
    SetVersionInfo(nullptr);
    TUiCustomStatusPane::BeforeDestruction();
}

void TUiVersionInfoStatus::SetFieldLabel(const AnsiString& text) {
    if (text == fieldLabel_) return;
    fieldLabel_ = text;
    Invalidate();
}

void TUiVersionInfoStatus::SetFieldLabelColor(TColor color) {
    if (color == fieldLabelColor_) return;
    fieldLabelColor_ = color;
    Invalidate();
}

void TUiVersionInfoStatus::SetVersionInfo(TUiVersionInfo* info) {
    if (info == versionInfo_) return;
    if (versionInfo_) versionInfo_->RemoveStatus(this);
    versionInfo_ = info;
    if (versionInfo_) {
        versionInfo_->FreeNotification(this);
        versionInfo_->AddStatus(this);
    }
    Invalidate();
}

void TUiVersionInfoStatus::SetField(TUiVersionInfoField field) {
    if (field == field_) return;
    field_ = field;
    Invalidate();
}

void TUiVersionInfoStatus::Notification(TComponent* component, TOperation operation) {
    TUiCustomStatusPane::Notification(component, operation);
    if (operation == opRemove && component == versionInfo_) versionInfo_ = nullptr;
}

AnsiString TUiVersionInfoStatus::DisplayText() {
    return versionInfo_ ? versionInfo_->GetVerField(field_) : AnsiString();
}

void TUiVersionInfoStatus::Paint() {
    TRect rect;
    PaintFrame(rect);
    if (!fieldLabel_.IsEmpty()) {
        TCanvas* canvas = Canvas();
        canvas->SetFont(Font());
        canvas->Font()->SetColor(fieldLabelColor_);
        canvas->Brush()->SetStyle(bsClear);
        const AnsiString label = fieldLabel_ + " ";
        const TSize size = canvas->TextExtent(label);
        canvas->TextRect(rect, rect.Left + 2, (rect.Top + rect.Bottom - size.cy) / 2, label);
        rect.Left += size.cx + 2;
    }
    PaintText(rect, DisplayText());
}
