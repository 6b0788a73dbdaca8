#include "UiVersionInfo.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "UiStatusBar.h"
#include "UiThemeSrv.h"
#include "cl_extctrls.h"
#include "cl_string.h"
#include "cl_sys.h"

const char* const SValueNotAvailable = "Value Not Available";

namespace {

const char* const FieldKeys[] = {"CompanyName",      "FileDescription", "FileVersion",
                                 "InternalName",     "LegalCopyright",  "LegalTrademarks",
                                 "OriginalFilename", "ProductName",     "ProductVersion",
                                 "Comments"};

const char* const DesignCaptions[] = {"{CompanyName}",      "{FileDescription}", "{FileVersion}",
                                      "{InternalName}",     "{Copyright}",       "{Trademarks}",
                                      "{OriginalFilename}", "{ProductName}",     "{ProductVersion}",
                                      "{Comments}"};

// Language and code page of string tables that resource compilers commonly write, tried when
// the resource names no translation or its table is missing: US English and language-neutral,
// each with the Windows Latin-1, Unicode and neutral code pages.
const char* const CommonTables[] = {"040904e4", "040904b0", "04090000",
                                    "000004e4", "000004b0", "00000000"};

// The version resource of a file and the string tables to look in, its translation first.
class TVersionBlock {
public:
    bool Load(const AnsiString& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        if (size == 0) return false;
        data_.resize(size);
        if (!GetFileVersionInfoA(path.c_str(), 0, size, data_.data())) return false;
        void* translation = nullptr;
        UINT length = 0;
        if (VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &translation, &length) &&
            translation && length >= 4) {
            const auto* words = static_cast<const WORD*>(translation);
            tables_.push_back(::Format("%.4x%.4x", static_cast<int>(words[0]),
                                       static_cast<int>(words[1])));
        }
        for (const char* table : CommonTables)
            if (std::find(tables_.begin(), tables_.end(), table) == tables_.end())
                tables_.push_back(table);
        return true;
    }
    // False when no string table holds the key.
    bool Query(const AnsiString& key, AnsiString& value) {
        for (const AnsiString& table : tables_) {
            const AnsiString path = "\\StringFileInfo\\" + table + "\\" + key;
            void* text = nullptr;
            UINT length = 0;
            if (VerQueryValueA(data_.data(), path.c_str(), &text, &length) && text) {
                value = static_cast<const char*>(text);
                return true;
            }
        }
        return false;
    }

private:
    std::vector<char> data_;
    std::vector<AnsiString> tables_;
};

const bool versionPropertiesRegistered = [] {
    RegisterProperty(TUiVersionInfo::StaticClass(),
                     StringProperty<TUiVersionInfo>("FilePath", &TUiVersionInfo::FilePath,
                                                    &TUiVersionInfo::SetFilePath));
    using F = TUiCustomFieldStatus;
    RegisterProperty(F::StaticClass(),
                     StringProperty<F>("FieldLabel", &F::FieldLabel, &F::SetFieldLabel));
    RegisterProperty(F::StaticClass(), OrdinalProperty<F>("FieldLabelColor", pkColor,
                                                          &F::FieldLabelColor,
                                                          &F::SetFieldLabelColor, clHighlight));
    using V = TUiVersionInfoStatus;
    RegisterProperty(V::StaticClass(), ComponentProperty<V, TUiVersionInfo>(
                                           "VersionInfo", &V::VersionInfo, &V::SetVersionInfo));
    RegisterProperty(V::StaticClass(),
                     EnumProperty<V>("Field", &V::Field, &V::SetField,
                                     {"vifCompanyName", "vifFileDescription", "vifFileVersion",
                                      "vifInternalName", "vifCopyright", "vifTrademarks",
                                      "vifOriginalFilename", "vifProductName",
                                      "vifProductVersion", "vifComments"},
                                     vifProductVersion));
    using M = TUiMarqueeStatus;
    RegisterProperty(M::StaticClass(),
                     EnumProperty<M>("ScrollType", &M::ScrollType, &M::SetScrollType,
                                     {"stNone", "stRightToLeft", "stLeftToRight"},
                                     static_cast<int>(TUiScrollType::stRightToLeft)));
    RegisterProperty(M::StaticClass(), OrdinalProperty<M>("Scrolling", pkBool, &M::Scrolling,
                                                          &M::SetScrolling, true));
    RegisterProperty(M::StaticClass(), OrdinalProperty<M>("ScrollSize", pkInteger,
                                                          &M::ScrollSize, &M::SetScrollSize, 1));
    RegisterProperty(M::StaticClass(), OrdinalProperty<M>("ScrollDelay", pkInteger,
                                                          &M::ScrollDelay, &M::SetScrollDelay,
                                                          100));
    RegisterClasses({TUiVersionInfo::StaticClass(), TUiFieldStatus::StaticClass(),
                     V::StaticClass(), M::StaticClass()});
    return true;
}();

}  // namespace

TUiVersionInfo::TUiVersionInfo(TComponent* owner)
    : TComponent(owner), fields_(new TStringList) {
    if (!InState(csDesigning)) GetVersionInfo();
}

TUiVersionInfo::~TUiVersionInfo() { delete fields_; }

void TUiVersionInfo::BeforeDestruction() {
    TComponent::BeforeDestruction();
    panes_.clear();
}

void TUiVersionInfo::SetFilePath(const AnsiString& value) {
    if (value == filePath_) return;
    filePath_ = value;
    if (InState(csLoading) || InState(csDesigning)) return;
    GetVersionInfo();
    UpdateStatusControls();
}

void TUiVersionInfo::Loaded() {
    TComponent::Loaded();
    if (InState(csDesigning)) return;
    GetVersionInfo();
    UpdateStatusControls();
}

void TUiVersionInfo::GetVersionInfo() {
    if (filePath_.IsEmpty()) filePath_ = ExeFileName();
    TVersionBlock block;
    hasVersionInfo_ = block.Load(filePath_);
    fields_->Clear();
    for (const char* key : FieldKeys) {
        AnsiString value = hasVersionInfo_ ? AnsiString() : AnsiString(SValueNotAvailable);
        if (hasVersionInfo_) block.Query(key, value);
        fields_->Add(value);
    }
}

AnsiString TUiVersionInfo::GetCustomKeyValue(const AnsiString& key) {
    if (filePath_.IsEmpty()) filePath_ = ExeFileName();
    TVersionBlock block;
    AnsiString value;
    if (block.Load(filePath_) && block.Query(key, value)) return value;
    return SValueNotAvailable;
}

void TUiVersionInfo::AddStatus(TUiVersionInfoStatus* pane) {
    if (std::find(panes_.begin(), panes_.end(), pane) == panes_.end()) panes_.push_back(pane);
}

void TUiVersionInfo::RemoveStatus(TUiVersionInfoStatus* pane) {
    panes_.erase(std::remove(panes_.begin(), panes_.end(), pane), panes_.end());
}

void TUiVersionInfo::UpdateStatusControls() {
    for (TUiVersionInfoStatus* pane : std::vector<TUiVersionInfoStatus*>(panes_))
        pane->UpdateCaption();
}

void TUiCustomFieldStatus::SetFieldLabel(const AnsiString& value) {
    if (value == fieldLabel_) return;
    fieldLabel_ = value;
    Invalidate();
    // The label takes room from the caption: an auto-sized pane widens with it.
    AdjustBounds();
}

int TUiCustomFieldStatus::GetMinWidth() {
    return MeasureText(fieldLabel_) + TUiCustomStatusPane::GetMinWidth() + 2 * CaptionOffset();
}

TRect TUiCustomFieldStatus::GetCaptionRect() {
    TRect rect = TUiCustomStatusPane::GetCaptionRect();
    if (!fieldLabel_.IsEmpty()) rect.Left += MeasureText(fieldLabel_) + 2 * CaptionOffset();
    return rect;
}

void TUiCustomFieldStatus::DrawCaption(const AnsiString& caption) {
    TUiCustomStatusPane::DrawCaption(caption);
    if (fieldLabel_.IsEmpty()) return;
    TCanvas* canvas = Canvas();
    TRect rect = TUiCustomStatusPane::GetCaptionRect();
    rect.Right = rect.Left + MeasureText(fieldLabel_) + CaptionOffset() + 2;
    canvas->SetFont(Font());
    if (Transparent()) {
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(FillColor());
    }
    SetTextAlign(canvas->Handle(), TA_LEFT);
    const int y = rect.Top + (rect.Height() - canvas->TextHeight("Pp")) / 2;
    const int x = rect.Left + CaptionOffset() + 1;
    if (!Enabled()) {
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->TextRect(rect, x + 1, y + 1, fieldLabel_);
        canvas->Font()->SetColor(clBtnShadow);
        canvas->Brush()->SetStyle(bsClear);
    } else {
        canvas->Font()->SetColor(fieldLabelColor_);
    }
    canvas->TextRect(rect, x, y, fieldLabel_);
}

TUiVersionInfoStatus::TUiVersionInfoStatus(TComponent* owner) : TUiCustomFieldStatus(owner) {
    if (InState(csDesigning)) UpdateCaption();
}

void TUiVersionInfoStatus::BeforeDestruction() {
    if (versionInfo_) versionInfo_->RemoveStatus(this);
    TUiCustomFieldStatus::BeforeDestruction();
}

void TUiVersionInfoStatus::SetVersionInfo(TUiVersionInfo* value) {
    if (versionInfo_) {
        versionInfo_->RemoveStatus(this);
        versionInfo_->RemoveFreeNotification(this);
    }
    versionInfo_ = value;
    if (!versionInfo_) return;
    versionInfo_->AddStatus(this);
    versionInfo_->FreeNotification(this);
    UpdateCaption();
}

void TUiVersionInfoStatus::SetField(TUiVersionInfoField value) {
    field_ = value;
    UpdateCaption();
}

void TUiVersionInfoStatus::UpdateCaption() {
    if (InState(csDesigning))
        SetCaption(DesignCaptions[field_]);
    else if (versionInfo_)
        SetCaption(versionInfo_->GetVerField(field_));
}

void TUiVersionInfoStatus::Notification(TComponent* component, TOperation operation) {
    TUiCustomFieldStatus::Notification(component, operation);
    if (operation == opRemove && component == versionInfo_) versionInfo_ = nullptr;
}

TUiMarqueeStatus::TUiMarqueeStatus(TComponent* owner)
    : TUiStatusPane(owner), bitmap_(new TBitmap), timer_(new TTimer(this)) {
    steps_ = Width();
    timer_->SetInterval(scrollDelay_);
    timer_->SetEnabled(scrolling_);
    timer_->SetOnTimer([this](TObject*) { Scroll(); });
}

TUiMarqueeStatus::~TUiMarqueeStatus() { delete bitmap_; }

void TUiMarqueeStatus::BeforeDestruction() {
    timer_->SetEnabled(false);
    TUiStatusPane::BeforeDestruction();
}

bool TUiMarqueeStatus::TimerRunning() const { return timer_->Enabled(); }

void TUiMarqueeStatus::SetScrollType(TUiScrollType value) {
    if (value == scrollType_) return;
    scrollType_ = value;
    timer_->SetEnabled(value != TUiScrollType::stNone);
    Invalidate();
}

void TUiMarqueeStatus::SetScrolling(bool value) {
    if (value == scrolling_) return;
    scrolling_ = value;
    timer_->SetEnabled(value);
    if (!value) position_ = 0;
    Invalidate();
}

void TUiMarqueeStatus::SetScrollDelay(uint16_t value) {
    scrollDelay_ = value;
    timer_->SetInterval(value);
}

void TUiMarqueeStatus::SetBounds(int left, int top, int width, int height) {
    TUiStatusPane::SetBounds(left, top, width, height);
    UpdateSteps();
}

void TUiMarqueeStatus::UpdateSteps() { steps_ = MeasureText(Caption()) + Width(); }

void TUiMarqueeStatus::Dispatch(TMessage& message) {
    TUiStatusPane::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) {
        UpdateSteps();
        Invalidate();
    }
}

void TUiMarqueeStatus::Scroll() {
    if (!timer_->Enabled() || !Visible()) return;
    position_ += scrollSize_;
    if (Parent() && Parent()->HandleAllocated()) DrawCaption(Caption());
    if (position_ >= steps_) position_ = 0;
}

void TUiMarqueeStatus::PaintBackground(TCanvas* target, const TRect& rect) {
    const TRect whole(0, 0, rect.Width(), rect.Height());
    auto* bar = StatusBar();
    if (StatusBarThemed()) {
        CopyThemedBackground(target, rect, whole);
        target->Brush()->SetStyle(bsClear);
    } else if (Transparent() && bar) {
        target->Brush()->SetStyle(bsClear);
        TBitmap background;
        background.SetSize(bar->Width(), bar->Height());
        const TRect all(0, 0, bar->Width(), bar->Height());
        if (bar->VisualStyle() == vsGradient) {
            TColor start, stop;
            if (bar->GradientColorStyle() == gcsCustom) {
                start = bar->GradientColorStop();
                stop = bar->GradientColorStart();
            } else {
                TColor third;
                GetGradientStatusBarColors(bar->GradientColorStyle(), start, stop, third);
            }
            PaintGradient(background.Canvas(), all, bar->GradientDirection(), start, stop);
        } else {
            background.Canvas()->Brush()->SetColor(Color());
            background.Canvas()->FillRect(all);
        }
        BitBlt(target->Handle(), 0, 0, whole.Width(), whole.Height(),
               background.Canvas()->Handle(), rect.Left + Left(), rect.Top + Top(), SRCCOPY);
    } else {
        target->Brush()->SetStyle(bsSolid);
        target->Brush()->SetColor(FillColor());
        target->FillRect(whole);
    }
}

void TUiMarqueeStatus::DrawCaption(const AnsiString& caption) {
    if (scrollType_ == TUiScrollType::stNone) return TUiStatusPane::DrawCaption(caption);
    const TRect rect = GetCaptionRect();
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    bitmap_->SetSize(rect.Width(), rect.Height());
    TCanvas* canvas = bitmap_->Canvas();
    canvas->SetFont(Font());
    canvas->Font()->SetColor(CaptionColor());
    PaintBackground(canvas, rect);
    const int y = rect.Top + (rect.Height() - canvas->TextHeight("Pp")) / 2 - BorderWidth() - 1;
    const int x = scrollType_ == TUiScrollType::stRightToLeft
                      ? Width() - position_
                      : position_ - canvas->TextWidth(caption);
    SetTextAlign(canvas->Handle(), TA_LEFT);
    canvas->TextRect(TRect(0, 0, rect.Width(), rect.Height()), x, y, caption);
    Canvas()->Draw(BorderWidth() + 1, BorderWidth() + 1, bitmap_);
}
