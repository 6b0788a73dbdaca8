#include "UiFontLists.h"

#include "UiUtils.h"
#include "cl_forms.h"
#include "cl_printer.h"

namespace {

const char* const KindResources[] = {"UICMBOBX_TRUETYPEFIXED", "UICMBOBX_TRUETYPE",
                                     "UICMBOBX_FIXEDPITCH", "UICMBOBX_PRINTER",
                                     "UICMBOBX_DEVICE"};

int KindIndex(BYTE pitchAndFamily, TUiFontDevice device) {
    const bool trueType = (pitchAndFamily & TrueTypeBit) != 0;
    const bool fixed = (pitchAndFamily & VariablePitchBit) == 0;
    if (trueType) return fixed ? 0 : 1;
    if (fixed) return 2;
    return device == fdPrinter ? 3 : 4;
}

struct EnumContext {
    TUiFontType type;
    bool showSymbolFonts;
    std::vector<TUiFontFamily>* families;
};

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA* metric, DWORD fontType,
                       LPARAM data) {
    auto* context = reinterpret_cast<EnumContext*>(data);
    try {
        if (!FontFamilyPasses(font->lfCharSet, metric->tmPitchAndFamily, fontType,
                              context->type, context->showSymbolFonts))
            return 1;
        // A family reported again (for another character set) is listed once.
        for (const TUiFontFamily& listed : *context->families)
            if (SameText(listed.Name, font->lfFaceName)) return 1;
        context->families->push_back({font->lfFaceName, metric->tmPitchAndFamily});
    } catch (...) {
        if (Application) Application->HandleException(nullptr);
    }
    return 1;
}

class TScreenDC {
public:
    TScreenDC() : dc_(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, dc_); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Handle() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

bool FontFamilyPasses(BYTE charSet, BYTE pitchAndFamily, DWORD fontType, TUiFontType type,
                      bool showSymbolFonts) {
    if (charSet == SYMBOL_CHARSET && !showSymbolFonts) return false;
    switch (type) {
    case ftAll:
        return true;
    case ftTrueType:
        return (pitchAndFamily & TrueTypeBit) != 0;
    case ftFixedPitch:
        return (pitchAndFamily & VariablePitchBit) == 0;
    case ftPrinter:
        return (fontType & DEVICE_FONTTYPE) != 0;
    }
    return false;
}

std::vector<TUiFontFamily> EnumerateFontFamilies(HDC dc, TUiFontType type, bool showSymbolFonts) {
    std::vector<TUiFontFamily> families;
    EnumContext context{type, showSymbolFonts, &families};
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(&AddFamily),
                      reinterpret_cast<LPARAM>(&context));
    return families;
}

void LoadFontFamilies(TStrings* items, TUiFontDevice device, TUiFontType type,
                      bool showSymbolFonts) {
    std::vector<TUiFontFamily> families;
    if (device == fdPrinter || type == ftPrinter) {
        families = EnumerateFontFamilies(Printer()->Handle(), type, showSymbolFonts);
    } else {
        TScreenDC screen;
        families = EnumerateFontFamilies(screen.Handle(), type, showSymbolFonts);
    }
    items->BeginUpdate();
    try {
        items->Clear();
        for (const TUiFontFamily& family : families)
            items->AddObject(family.Name, reinterpret_cast<TObject*>(
                                              static_cast<UINT_PTR>(family.PitchAndFamily)));
    } catch (...) {
        items->EndUpdate();
        throw;
    }
    items->EndUpdate();
}

TUiFontKindBitmaps::~TUiFontKindBitmaps() {
    for (TBitmap*& bitmap : bitmaps_) {
        delete bitmap;
        bitmap = nullptr;
    }
}

void TUiFontKindBitmaps::Load() {
    for (int i = 0; i < 5; ++i) {
        if (bitmaps_[i]) continue;
        bitmaps_[i] = new TBitmap;
        bitmaps_[i]->LoadFromResourceName(GetModuleHandleA(nullptr), KindResources[i]);
    }
}

TBitmap* TUiFontKindBitmaps::For(BYTE pitchAndFamily, TUiFontDevice device) const {
    return bitmaps_[KindIndex(pitchAndFamily, device)];
}

const char* TUiFontKindBitmaps::ResourceName(BYTE pitchAndFamily, TUiFontDevice device) {
    return KindResources[KindIndex(pitchAndFamily, device)];
}

namespace {

void DrawMark(const TUiFontRowPaint& row) {
    if (!row.Mark || row.Mark->Empty()) return;
    TBitmap cell;
    cell.SetSize(12, 12);
    cell.Canvas()->Brush()->SetColor(row.Control->Color());
    cell.Canvas()->FillRect(TRect(0, 0, 12, 12));
    cell.Canvas()->BrushCopy(TRect(0, 0, 12, 12), row.Mark, TRect(0, 0, 12, 12), clOlive);
    const TRect& r = row.Rect;
    row.Canvas->Draw(r.Left - 20, r.Top + (r.Height() - 12) / 2, &cell);
}

void DrawText(TCanvas* canvas, const TRect& clip, int x, int y, const AnsiString& text,
              bool clipped) {
    if (clipped)
        canvas->TextRect(clip, x, y, text);
    else
        canvas->TextOut(x, y, text);
}

}  // namespace

void DrawFontRow(const TUiFontRowPaint& row) {
    TCanvas* canvas = row.Canvas;
    const TRect& r = row.Rect;
    canvas->FillRect(r);
    DrawMark(row);
    const bool enabled = row.Control->Enabled();
    if (!enabled) canvas->Font()->SetColor(clBtnShadow);
    const int y = r.Top + (r.Height() - canvas->TextHeight("Yy")) / 2;
    canvas->Brush()->SetStyle(bsClear);
    switch (row.Style) {
    case ssFontName:
    case ssFontPreview:
        DrawText(canvas, r, r.Left + 2, y, row.Name, row.ClipTexts);
        break;
    case ssFontSample:
        canvas->Font()->SetName(row.Name);
        DrawText(canvas, r, r.Left + 2, y, row.Name, row.ClipTexts);
        break;
    case ssFontNameAndSample: {
        const int middle = r.Left + r.Width() / 2;
        canvas->TextRect(TRect(r.Left, r.Top, middle - 4, r.Bottom), r.Left + 2, y, row.Name);
        canvas->Pen()->SetColor(enabled ? clWindowText : clBtnShadow);
        canvas->MoveTo(middle - 2, r.Top);
        canvas->LineTo(middle - 2, r.Bottom);
        canvas->Font()->SetName(row.Name);
        canvas->TextRect(TRect(middle, r.Top, r.Right, r.Bottom), middle + 2, y, row.Name);
        break;
    }
    }
    canvas->Brush()->SetStyle(bsSolid);
    if (row.MRUSeparator) {
        canvas->Pen()->SetColor(enabled ? clWindowText : clBtnShadow);
        canvas->MoveTo(0, r.Bottom - 1);
        canvas->LineTo(r.Right, r.Bottom - 1);
    }
}

int AddToMRUFonts(TStrings* items, int selected, int& mruCount) {
    if (selected <= 0 || selected >= items->Count()) return -1;
    const AnsiString name = items->Get(selected);
    int found = -1;
    for (int i = 0; i <= mruCount && i < items->Count(); ++i)
        if (items->Get(i) == name) {
            found = i;
            break;
        }
    if (found >= 0) {
        items->Move(found, 0);
        return 0;
    }
    items->InsertObject(0, name, items->Objects(selected));
    if (selected > mruCount) ++mruCount;
    if (mruCount >= MaxMRUFonts) {
        items->Delete(mruCount);
        --mruCount;
    }
    return 0;
}

std::vector<AnsiString> MRUFontNames(TStrings* items, int mruCount) {
    std::vector<AnsiString> names;
    for (int i = 0; i <= mruCount && i < items->Count(); ++i) names.push_back(items->Get(i));
    return names;
}

int RestoreMRUFonts(TStrings* items, const std::vector<AnsiString>& names) {
    int mruCount = -1;
    for (const AnsiString& name : names) {
        const int listed = items->IndexOf(name);
        if (listed < 0) continue;
        ++mruCount;
        items->InsertObject(mruCount, items->Get(listed), items->Objects(listed));
    }
    return mruCount;
}

TUiPreviewFontPanel::TUiPreviewFontPanel(TComponent* owner)
    : TCustomPanel(owner), control_(dynamic_cast<TWinControl*>(owner)) {
    SetVisible(false);
    SetColor(clWindow);
    SetBounds(0, 0, 260, 65);
    SetCaption("AaBbYyZz");
    SetBevelOuter(bvNone);
    Font()->SetSize(36);
    if (control_) SetParent(control_);
}

void TUiPreviewFontPanel::CreateParams(TCreateParams& params) {
    TCustomPanel::CreateParams(params);
    params.Style = (params.Style & ~WS_CHILD) | WS_POPUP;
    params.WindowClass.style |= CS_SAVEBITS;
}

void TUiPreviewFontPanel::Paint() {
    TCustomPanel::Paint();
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Rectangle(GetClientRect());
    Canvas()->Brush()->SetStyle(bsSolid);
}

void TUiPreviewFontPanel::HideRequest() {
    if (control_ && control_->HandleAllocated())
        SendMessageA(control_->Handle(), CM_HIDEPREVIEWPANEL, 0, 0);
}

void TUiPreviewFontPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_SHOWINGCHANGED:
        return;
    case WM_KILLFOCUS:
        TCustomPanel::Dispatch(message);
        return HideRequest();
    case CM_CANCELMODE:
        TCustomPanel::Dispatch(message);
        if (message.LParam != reinterpret_cast<LPARAM>(this)) HideRequest();
        return;
    default:
        TCustomPanel::Dispatch(message);
    }
}

void TUiPreviewFontPanel::ShowBeside(int shift) {
    if (!control_) return;
    const TPoint origin = control_->ClientOrigin();
    TPoint p(origin.X + shift, origin.Y);
    int rightEdge;
    if (TMonitor* monitor = GetMonitorContainingPoint(p))
        rightEdge = GetMonitorWorkArea(monitor->Handle()).Right;
    else
        rightEdge = GetActiveWorkAreaWidth(control_->Parent() ? control_->Parent()->Handle()
                                                              : control_->Handle());
    if (rightEdge < p.X + Width()) p.X = origin.X - Width();
    SetWindowPos(Handle(), HWND_TOP, p.X - 1, p.Y, Width(), Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    panelVisible_ = true;
}

void TUiPreviewFontPanel::HidePanel() {
    if (!panelVisible_) return;
    panelVisible_ = false;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TUiPreviewFontPanel::MeasuredWidth(const AnsiString& text) {
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextWidth(text);
}

void TUiPreviewFontPanel::UpdatePreviewText(TCustomEdit* previewEdit,
                                            const AnsiString& previewText, int previewWidth) {
    SetAlignment(taCenter);
    SetCaption(previewText.IsEmpty() ? AnsiString("AaBbYyZz") : previewText);
    if (previewEdit) {
        SetAlignment(taLeftJustify);
        SetCaption(previewEdit->SelLength() > 0 ? previewEdit->SelText()
                                                : previewEdit->GetText().SubString(1, 10));
    } else if (MeasuredWidth(previewText) >= previewWidth) {
        SetCaption("AaBbYy");
    }
}
