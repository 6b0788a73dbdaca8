// What the font combo box and the font list box share: the font filters, the family listing,
// the kind marks, the preview panel, row drawing and the recently chosen fonts at the top.
#pragma once

#include <windows.h>

#include <vector>

#include "UiCommon.h"
#include "cl_extctrls.h"
#include "cl_graphics.h"
#include "cl_stdctrls.h"

enum TUiFontType { ftAll, ftTrueType, ftFixedPitch, ftPrinter };
enum TUiFontDevice { fdScreen, fdPrinter };
enum TUiShowStyle { ssFontName, ssFontSample, ssFontNameAndSample, ssFontPreview };

// Sent by the preview panel to its control when the panel should go.
constexpr UINT CM_HIDEPREVIEWPANEL = 0xB3EE;
// Most recently chosen fonts kept above the sorted families.
constexpr int MaxMRUFonts = 10;

// Bits of a family's pitch-and-family byte.
constexpr BYTE VariablePitchBit = 0x01;
constexpr BYTE TrueTypeBit = 0x04;

struct TUiFontFamily {
    AnsiString Name;
    BYTE PitchAndFamily;
};

// Whether a family the enumeration reported belongs in a list with this filter. ftPrinter keeps
// the fonts the printer holds itself.
bool FontFamilyPasses(BYTE charSet, BYTE pitchAndFamily, DWORD fontType, TUiFontType type,
                      bool showSymbolFonts);
// The families of `dc` that pass the filter, in the enumeration's order.
std::vector<TUiFontFamily> EnumerateFontFamilies(HDC dc, TUiFontType type, bool showSymbolFonts);
// Replaces `items` by the families of the device (the printer's for ftPrinter), each row's
// object its pitch-and-family byte. Errors of the printer propagate.
void LoadFontFamilies(TStrings* items, TUiFontDevice device, TUiFontType type,
                      bool showSymbolFonts);
inline BYTE RowPitchAndFamily(TStrings* items, int index) {
    return static_cast<BYTE>(reinterpret_cast<UINT_PTR>(items->Objects(index)));
}

// The five kind marks, loaded from the executable's resources.
class TUiFontKindBitmaps {
public:
    TUiFontKindBitmaps() = default;
    ~TUiFontKindBitmaps();
    TUiFontKindBitmaps(const TUiFontKindBitmaps&) = delete;
    TUiFontKindBitmaps& operator=(const TUiFontKindBitmaps&) = delete;
    void Load();
    // The mark of a family: TrueType fixed pitch, TrueType, fixed pitch, printer, device.
    TBitmap* For(BYTE pitchAndFamily, TUiFontDevice device) const;
    static const char* ResourceName(BYTE pitchAndFamily, TUiFontDevice device);

private:
    TBitmap* bitmaps_[5] = {};
};

// How one family row is drawn. The rectangle's left edge already leaves 24 pixels for the mark.
struct TUiFontRowPaint {
    TCanvas* Canvas;
    TWinControl* Control;
    TRect Rect;
    AnsiString Name;
    TBitmap* Mark;
    TUiShowStyle Style;
    bool ClipTexts;     // clip every text to its rectangle
    bool MRUSeparator;  // the line under the last recent-font row
};
void DrawFontRow(const TUiFontRowPaint& row);

// Moves the selected row to the top of the recent fonts (a copy when it is not among them yet)
// and returns the index to select (0), or -1 when nothing was to be done. `mruCount` is the
// index of the last recent-font row, -1 when there is none; the oldest row beyond MaxMRUFonts
// is dropped.
int AddToMRUFonts(TStrings* items, int selected, int& mruCount);
// The names of the recent-font rows, top first.
std::vector<AnsiString> MRUFontNames(TStrings* items, int mruCount);
// Puts the recent fonts back on top of freshly loaded families (those still listed) and
// returns the new MRU count.
int RestoreMRUFonts(TStrings* items, const std::vector<AnsiString>& names);

// A pop-up panel showing a text in a chosen font beside its control.
class TUiPreviewFontPanel : public TCustomPanel {
    CL_COMPONENT_CLASS(TUiPreviewFontPanel, TCustomPanel)

    // The owner is the control the panel belongs to; the panel is parented to it.
    explicit TUiPreviewFontPanel(TComponent* owner);

    // Shows the panel at the right of the control's client origin moved by `shift`, or at its
    // left when the monitor's work area has no room on the right.
    void ShowBeside(int shift);
    void HidePanel();
    bool PanelVisible() const { return panelVisible_; }
    // The preview edit's selected text (else its first ten characters), else `previewText`
    // ("AaBbYyZz" when empty; "AaBbYy" when it is too wide for `previewWidth`).
    void UpdatePreviewText(TCustomEdit* previewEdit, const AnsiString& previewText,
                           int previewWidth);
    void Dispatch(TMessage& message) override;

protected:
    ~TUiPreviewFontPanel() override = default;
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    int MeasuredWidth(const AnsiString& text);
    void HideRequest();

    TWinControl* control_;
    bool panelVisible_ = false;
};
