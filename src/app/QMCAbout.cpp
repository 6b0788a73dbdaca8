#include "QMCAbout.h"

#include <windows.h>

#include <vector>

#include "cl_dialogs.h"
#include "cl_sys.h"

namespace {

const char* const PairError = "Only 4 additional version boxes available!";

AnsiString Numbered(const char* base, int n) { return AnsiString(base) + IntToStr(n); }

// The string values of the program's version resource under its first translation.
class VersionResource {
public:
    bool Load() {
        const AnsiString file = ExeFileName();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
        if (size == 0) return false;
        data_.resize(size);
        if (!GetFileVersionInfoA(file.c_str(), 0, size, data_.data())) return false;
        void* translation = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", &translation, &length) ||
            length < 4)
            return false;
        const auto* words = static_cast<const WORD*>(translation);
        char path[40];
        wsprintfA(path, "\\StringFileInfo\\%04X%04X\\", words[0], words[1]);
        path_ = path;
        return true;
    }
    AnsiString Value(const char* key) {
        void* text = nullptr;
        UINT length = 0;
        const AnsiString path = path_ + key;
        if (!VerQueryValueA(data_.data(), path.c_str(), &text, &length) || !text) return "";
        return static_cast<const char*>(text);
    }

private:
    std::vector<char> data_;
    AnsiString path_;
};

}  // namespace

TQMCAboutBox::TQMCAboutBox(TComponent* owner) : TForm(owner) {
    BeginLoading(this);
    SetName("QMCAboutBox");
    SetCaption("QMC About");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(296);
    SetClientHeight(326);
    CreateControls();
    EndLoading(this);
    DrawProgramPicture();
    ReadVersionResource();
}

void TQMCAboutBox::CreateControls() {
    Panel1 = PlaceControl<TPanel>(this, this, "Panel1", 8, 8, 280, 232);
    Panel1->SetColor(clWhite);
    Panel1->SetBevelOuter(bvRaised);
    ProgramIcon = PlaceControl<TImage>(this, Panel1, "ProgramIcon", 31, 10, 217, 49);
    ProgramIcon->SetStretch(true);
    ProductName = PlaceControl<TLabel>(this, Panel1, "ProductName", 8, 68, 264, 16);
    ProductName->SetAlignment(taCenter);
    ProductName->SetCaption("Product Name");
    ProductName->Font()->SetStyle({fsBold});
    Bevel1 = PlaceControl<TBevel>(this, Panel1, "Bevel1", 8, 92, 264, 2);
    Bevel1->SetShape(bsTopLine);
    VersionStaticText =
        PlaceControl<TStaticText>(this, Panel1, "VersionStaticText", 16, 102, 120, 17);
    VersionStaticText->SetCaption("Application Version");
    Version = PlaceControl<TLabel>(this, Panel1, "Version", 150, 102, 120, 17);
    Version->SetCaption("");
    for (int i = 0; i < 4; ++i) {
        const int y = 124 + i * 22;
        UserDefineText[i] = PlaceControl<TStaticText>(this, Panel1, Numbered("UserDefineText", i + 1).c_str(),
                                               16, y, 120, 17);
        UserDefineText[i]->SetCaption("");
        UserDefineText[i]->SetVisible(false);
        UserDefineVersion[i] = PlaceControl<TLabel>(
            this, Panel1, Numbered("UserDefineVersion", i + 1).c_str(), 150, y, 120, 17);
        UserDefineVersion[i]->SetCaption("");
        UserDefineVersion[i]->SetVisible(false);
    }
    lbCustomFields = PlaceControl<TListBox>(this, Panel1, "lbCustomFields", 1, 122, 278, 108);
    lbCustomFields->SetStyle(lbVirtualOwnerDraw);
    lbCustomFields->SetBorderStyle(bsNone);
    lbCustomFields->SetItemHeight(14);
    lbCustomFields->SetAlign(alBottom);
    lbCustomFields->SetVisible(false);
    CopyrightStaticText = PlaceControl<TStaticText>(this, this, "CopyrightStaticText", 8, 248, 100, 17);
    CopyrightStaticText->SetCaption("Copyright");
    Panel2 = PlaceControl<TPanel>(this, this, "Panel2", 8, 266, 280, 22);
    Panel2->SetColor(clWhite);
    Panel2->SetBevelOuter(bvLowered);
    Copyright = PlaceControl<TLabel>(this, Panel2, "Copyright", 6, 4, 268, 15);
    Copyright->SetCaption("");
    OKButton = PlaceControl<TButton>(this, this, "OKButton", 110, 295, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
}

// The program's picture: a navy band with a white wave and the company initials.
void TQMCAboutBox::DrawProgramPicture() {
    TBitmap* bitmap = ProgramIcon->Picture()->Bitmap();
    bitmap->SetSize(217, 49);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clNavy);
    canvas->FillRect(TRect(0, 0, 217, 49));
    canvas->Pen()->SetColor(clWhite);
    canvas->Pen()->SetWidth(2);
    const TPoint wave[] = {{6, 34}, {20, 22}, {34, 30}, {48, 12}, {62, 26}, {76, 18}};
    canvas->Polyline(wave, 6);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-26);
    canvas->Font()->SetStyle({fsBold});
    canvas->Font()->SetColor(clWhite);
    canvas->TextOut(90, 9, "QMC");
    canvas->Font()->SetHeight(-11);
    canvas->Font()->SetStyle({});
    canvas->TextOut(152, 20, "Radon");
}

void TQMCAboutBox::ReadVersionResource() {
    VersionResource resource;
    if (!resource.Load()) return;
    Copyright->SetCaption(resource.Value("LegalCopyright"));
    ProductName->SetCaption(resource.Value("ProductName"));
    Version->SetCaption(resource.Value("ProductVersion"));
}

TQMCAboutComponent::TQMCAboutComponent(TComponent* owner)
    : TComponent(owner), labelList_(new TStringList), versionList_(new TStringList) {
    box_ = new TQMCAboutBox(this);
}

void TQMCAboutComponent::BeforeDestruction() {
    TComponent::BeforeDestruction();
    delete labelList_;
    delete versionList_;
    labelList_ = versionList_ = nullptr;
}

void TQMCAboutComponent::OpenAbout() {
    for (int n = 1; n <= 4; ++n) SetExtraDescriptionText(n, Description[n - 1]);
    for (int n = 1; n <= 4; ++n) SetExtraVersionText(n, Version[n - 1]);
    for (int n = 1; n <= 4; ++n) SetExtraVersionVisible(n, Visible[n - 1]);
    box_->lbCustomFields->SetVisible(VisibleList);
    box_->lbCustomFields->OnDrawItem = Bind(this, &TQMCAboutComponent::OnlbDrawItem);
    box_->lbCustomFields->SetItemHeight(ListLineHeight);
    RecalcAndDisplayListBox();
    box_->ShowModal();
}

void TQMCAboutComponent::AppendVersionInfo(const AnsiString& label, const AnsiString& version) {
    labelList_->Add(label);
    versionList_->Add(version);
    RecalcAndDisplayListBox();
}

void TQMCAboutComponent::SetLabelList(TStrings* list) {
    labelList_->Assign(list);
    RecalcAndDisplayListBox();
}

void TQMCAboutComponent::SetVersionList(TStrings* list) {
    versionList_->Assign(list);
    RecalcAndDisplayListBox();
}

void TQMCAboutComponent::RecalcAndDisplayListBox() {
    if (InState(csDesigning)) return;
    box_->lbCustomFields->SetCount(Max(labelList_->Count(), versionList_->Count()));
}

bool TQMCAboutComponent::CheckPair(int n) {
    if (n >= 1 && n <= 4) return true;
    MessageDlg(PairError, mtError, {mbOK}, 0);
    return false;
}

void TQMCAboutComponent::SetExtraDescriptionText(int n, const AnsiString& text) {
    if (CheckPair(n)) box_->UserDefineText[n - 1]->SetCaption(text);
}

void TQMCAboutComponent::SetExtraVersionText(int n, const AnsiString& text) {
    if (CheckPair(n)) box_->UserDefineVersion[n - 1]->SetCaption(text);
}

AnsiString TQMCAboutComponent::GetExtraDescriptionText(int n) {
    return CheckPair(n) ? box_->UserDefineText[n - 1]->Caption() : AnsiString();
}

void TQMCAboutComponent::SetExtraVersionVisible(int n, bool visible) {
    if (!CheckPair(n)) return;
    box_->UserDefineText[n - 1]->SetVisible(visible);
    box_->UserDefineVersion[n - 1]->SetVisible(visible);
}

bool TQMCAboutComponent::GetExtraVersionVisible(int n) {
    return CheckPair(n) && box_->UserDefineVersion[n - 1]->Visible();
}

void TQMCAboutComponent::OnlbDrawItem(TObject*, int index, TRect rect, TOwnerDrawState) {
    TCanvas* canvas = box_->lbCustomFields->Canvas();
    const int middle = (rect.Left + rect.Right) / 2;
    const TRect left(14, rect.Top, middle, rect.Bottom), right(middle, rect.Top, rect.Right,
                                                               rect.Bottom);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(rect);
    canvas->SetFont(box_->lbCustomFields->Font());
    canvas->Brush()->SetStyle(bsClear);
    if (index < labelList_->Count()) canvas->TextRect(left, left.Left, left.Top, labelList_->Get(index));
    TFontStyles plain = canvas->Font()->Style();
    plain.erase(fsBold);
    canvas->Font()->SetStyle(plain);
    if (index < versionList_->Count())
        canvas->TextRect(right, right.Left, right.Top, versionList_->Get(index));
}
