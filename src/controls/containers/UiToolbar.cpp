#include "UiToolbar.h"

#include "UiColors.h"
#include "UiFrmCustomizeToolbar.h"
#include "UiRegIniFile.h"
#include "UiSpacer.h"
#include "UiToolButton.h"
#include "UiToolbarChevron.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_imagelist.h"

namespace {
constexpr int ChevronWidth = 14;
constexpr const char* HiddenPrefix = "##";

constexpr const char* CaptionNames[TUiCustomizeCaptions::Count] = {
    "Title", "Hint", "Close", "MoveUp", "MoveDown", "TextOptions", "NoTextLabels",
    "ShowTextLabels", "SelectiveTextOnRight"};
constexpr const char* DefaultCaptions[TUiCustomizeCaptions::Count] = {
    "Customize Toolbar", "Uncheck to hide control", "Close", "Move Up", "Move Down",
    "Text Options", "No text labels", "Show text labels", "Selective text on right"};

const bool toolbarPropertiesRegistered = [] {
    for (int i = 0; i < TUiCustomizeCaptions::Count; ++i) {
        TPropertyInfo info;
        info.Name = CaptionNames[i];
        info.Kind = pkString;
        info.GetText = [i](TObject* o) { return static_cast<TUiCustomizeCaptions*>(o)->GetCaption(i + 1); };
        info.SetText = [i](TObject* o, const AnsiString& text) {
            static_cast<TUiCustomizeCaptions*>(o)->SetCaption(i + 1, text);
        };
        info.IsStored = [](TObject* o) { return static_cast<TUiCustomizeCaptions*>(o)->Changed(); };
        RegisterProperty(TUiCustomizeCaptions::StaticClass(), info);
    }
    TPropertyInfo captions =
        SubObjectProperty<TUiToolbar>("CustomizeCaptions", &TUiToolbar::CustomizeCaptions);
    captions.IsStored = [](TObject* o) {
        return static_cast<TUiToolbar*>(o)->CustomizeCaptions()->Changed();
    };
    RegisterProperty(TUiToolbar::StaticClass(), captions);
    return true;
}();
}  // namespace

TUiCustomizeCaptions::TUiCustomizeCaptions() {
    for (int i = 0; i < Count; ++i) texts_[i] = DefaultCaptions[i];
}

AnsiString TUiCustomizeCaptions::GetCaption(int index) const {
    if (index < 1 || index > Count) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return texts_[index - 1];
}

void TUiCustomizeCaptions::SetCaption(int index, const AnsiString& text) {
    if (index < 1 || index > Count) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    texts_[index - 1] = text;
    changed_ = true;
}

void TUiCustomizeCaptions::Assign(TPersistent* source) {
    auto* captions = dynamic_cast<TUiCustomizeCaptions*>(source);
    if (!captions) return TPersistent::Assign(source);
    for (int i = 0; i < Count; ++i) texts_[i] = captions->texts_[i];
    changed_ = captions->changed_;
}

TUiToolbarControlList::~TUiToolbarControlList() {
    for (TUiToolbarControl* entry : entries_) delete entry;
    for (TUiToolbarControl* entry : stored_) delete entry;
}

int TUiToolbarControlList::IndexOf(TControl* control) const {
    for (int i = 0; i < Count(); ++i)
        if (entries_[i]->Control == control) return i;
    return -1;
}

int TUiToolbarControlList::IndexOfName(const AnsiString& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(entries_[i]->ControlName(), name)) return i;
    return -1;
}

TUiToolbarControl* TUiToolbarControlList::CreateToolBarControl(TControl* control,
                                                               const AnsiString& name) {
    return new TUiToolbarControl(control, name);
}

int TUiToolbarControlList::AddControl(TControl* control) {
    const int index = IndexOf(control);
    if (index >= 0) return index;
    entries_.push_back(CreateToolBarControl(control, control->Name()));
    return Count() - 1;
}

int TUiToolbarControlList::AddControlName(const AnsiString& name) {
    const int index = IndexOfName(name);
    if (index >= 0) return index;
    entries_.push_back(CreateToolBarControl(nullptr, name));
    return Count() - 1;
}

int TUiToolbarControlList::RemoveAt(int index) {
    if (index < 0) return -1;
    delete entries_[index];
    entries_.erase(entries_.begin() + index);
    return index;
}

int TUiToolbarControlList::RemoveControl(TControl* control) { return RemoveAt(IndexOf(control)); }

int TUiToolbarControlList::RemoveControlName(const AnsiString& name) {
    return RemoveAt(IndexOfName(name));
}

void TUiToolbarControlList::Move(int from, int to) {
    if (from < 0 || from >= Count()) throw EListError("List index out of bounds (" + IntToStr(from) + ")");
    if (to < 0 || to >= Count()) throw EListError("List index out of bounds (" + IntToStr(to) + ")");
    TUiToolbarControl* entry = entries_[from];
    entries_.erase(entries_.begin() + from);
    entries_.insert(entries_.begin() + to, entry);
}

void TUiToolbarControlList::ReadControl(TReader* reader) {
    stored_.push_back(CreateToolBarControl(nullptr, reader->ReadIdent()));
}

void TUiToolbarControlList::ReadControls(TReader* reader) {
    reader->ReadListBegin();
    while (!reader->EndOfList()) ReadControl(reader);
    reader->ReadListEnd();
}

void TUiToolbarControlList::WriteControl(TWriter* writer, TUiToolbarControl* entry) {
    writer->WriteIdent(entry->ControlName());
}

void TUiToolbarControlList::WriteControls(TWriter* writer) {
    writer->WriteListBegin();
    for (TUiToolbarControl* entry : entries_) WriteControl(writer, entry);
    writer->WriteListEnd();
}

void TUiToolbarControlList::AppendMissingChildren() {
    for (int i = 0; i < toolbar_->ControlCount(); ++i) {
        TControl* child = toolbar_->Controls(i);
        if (child != toolbar_->Chevron()) AddControl(child);
    }
}

void TUiToolbarControlList::ControlsAreLoaded(TComponent* owner) {
    if (stored_.empty()) {
        AppendMissingChildren();
        return;
    }
    bool rebuild = false;
    for (TUiToolbarControl* entry : stored_) {
        auto* control = dynamic_cast<TControl*>(owner ? owner->FindComponent(entry->Name) : nullptr);
        if (!control) continue;
        if (control->Parent() != toolbar_) {
            rebuild = true;
            continue;
        }
        Get(AddControl(control))->AssignElements(entry);
    }
    for (TUiToolbarControl* entry : stored_) delete entry;
    stored_.clear();
    if (rebuild) AppendMissingChildren();
}

TUiToolbar::TUiToolbar(TComponent* owner) : TUiCustomPanel(owner) {
    SetBevelOuter(bvNone);
    SetFullRepaint(false);
    SetShowDockClientCaptions(false);
    autoStyle_ = autoResize_ = false;
    SetAlign(alTop);
    autoStyle_ = autoResize_ = true;
    StoreBorders(fsNone, fsGroove, SideBit(sdTop));
    SetBounds(0, 0, 32, 32);
    ControlStyle.insert(csAcceptsControls);
    controlList_ = CreateToolbarControlList();
    background_ = new TBitmap();
    background_->OnChange = [this](TObject*) { Invalidate(); };
    customizeCaptions_ = new TUiCustomizeCaptions();
}

TUiToolbar::~TUiToolbar() {
    delete customizeCaptions_;
    delete background_;
    delete controlList_;
    controlList_ = nullptr;
}

TUiToolbarControlList* TUiToolbar::CreateToolbarControlList() {
    return new TUiToolbarControlList(this);
}

void TUiToolbar::NotifyChildren(UINT message) {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(message, 0, 0);
}

void TUiToolbar::ChangeButtonSetting(UINT message) {
    NotifyChildren(message);
    if (!applyingTextOptions_) textOptions_ = ttoCustom;
}

void TUiToolbar::SetButtonWidth(int width) {
    if (width == buttonWidth_) return;
    buttonWidth_ = width;
    ChangeButtonSetting(CM_TOOLBARBUTTONSIZECHANGED);
}

void TUiToolbar::SetButtonHeight(int height) {
    if (height == buttonHeight_) return;
    buttonHeight_ = height;
    ChangeButtonSetting(CM_TOOLBARBUTTONSIZECHANGED);
}

void TUiToolbar::SetButtonLayout(TButtonLayout layout) {
    if (layout == buttonLayout_) return;
    buttonLayout_ = layout;
    ChangeButtonSetting(CM_TOOLBARBUTTONLAYOUTCHANGED);
}

void TUiToolbar::SetShowButtonCaptions(bool value) {
    if (value == showButtonCaptions_) return;
    showButtonCaptions_ = value;
    ChangeButtonSetting(CM_TOOLBARSHOWCAPTIONCHANGED);
}

void TUiToolbar::SetAlign(TAlign align) {
    if (autoStyle_) AdjustStyle(align);
    TUiCustomPanel::SetAlign(align);
    if (!autoResize_) return;
    if (align == alLeft || align == alRight)
        SetWidth(32);
    else
        SetHeight(32);
}

void TUiToolbar::AdjustStyle(TAlign align) {
    const TSides sides = align == alLeft     ? SideBit(sdLeft)
                         : align == alRight  ? SideBit(sdRight)
                         : align == alBottom ? SideBit(sdBottom)
                                             : SideBit(sdTop);
    StoreBorders(fsNone, showDivider_ ? fsGroove : fsNone, sides);
    Invalidate();
}

void TUiToolbar::SetAutoStyle(bool value) {
    if (value == autoStyle_) return;
    autoStyle_ = value;
    if (value) AdjustStyle(Align());
}

void TUiToolbar::SetShowDivider(bool value) {
    if (value == showDivider_) return;
    showDivider_ = value;
    StoreBorders(BorderInner(), value ? fsGroove : fsNone, BorderSides());
    Invalidate();
}

void TUiToolbar::SetBorderInner(TFrameStyleEx value) {
    if (value == BorderInner()) return;
    TUiCustomPanel::SetBorderInner(value);
    autoStyle_ = false;
}

void TUiToolbar::SetBorderOuter(TFrameStyleEx value) {
    if (value == BorderOuter()) return;
    TUiCustomPanel::SetBorderOuter(value);
    autoStyle_ = false;
}

void TUiToolbar::SetBorderSides(TSides value) {
    if (value == BorderSides()) return;
    TUiCustomPanel::SetBorderSides(value);
    autoStyle_ = false;
}

void TUiToolbar::DefineProperties(TFiler* filer) {
    TUiCustomPanel::DefineProperties(filer);
    filer->DefineProperty(
        "ToolbarControls", [this](TReader* reader) { controlList_->ReadControls(reader); },
        [this](TWriter* writer) { controlList_->WriteControls(writer); },
        controlList_->Count() > 0);
}

void TUiToolbar::Loaded() {
    awaitingControls_ = true;
    try {
        TUiCustomPanel::Loaded();
    } catch (...) {
        awaitingControls_ = false;
        throw;
    }
    awaitingControls_ = false;
    controlList_->ControlsAreLoaded(Owner());
    for (int i = 0; i < controlList_->Count(); ++i)
        if (TControl* control = controlList_->Get(i)->Control) Adopt(control);
    PositionControls();
    if (autoStyle_) AdjustStyle(Align());
}

void TUiToolbar::ChangeScale(int multiplier, int divider) {
    TUiCustomPanel::ChangeScale(multiplier, divider);
    SetRowHeight(MulDiv(rowHeight_, multiplier, divider));
}

TPoint TUiToolbar::InvalidateMarginSize() {
    if (orientation_ == orHorizontal && !wrapControls_ && chevronShown_) return TPoint(15, 1);
    return TUiCustomPanel::InvalidateMarginSize();
}

void TUiToolbar::SetVisualStyle(TUiVisualStyle style) {
    if (style == VisualStyle()) return;
    TUiCustomPanel::SetVisualStyle(style);
    NotifyChildren(CM_TOOLBARVISUALSTYLECHANGED);
}

void TUiToolbar::SetGradientColorStyle(TUiGradientColorStyle style) {
    if (style == GradientColorStyle()) return;
    TUiCustomPanel::SetGradientColorStyle(style);
    NotifyChildren(CM_TOOLBARVISUALSTYLECHANGED);
}

void TUiToolbar::SetMargin(int value) {
    if (value == margin_) return;
    margin_ = value;
    PositionControls();
}

void TUiToolbar::SetTopMargin(int value) {
    if (value == topMargin_) return;
    topMargin_ = value;
    PositionControls();
}

void TUiToolbar::SetRowHeight(int height) {
    if (height == rowHeight_) return;
    rowHeight_ = height;
    PositionControls();
}

void TUiToolbar::SetWrapControls(bool value) {
    if (value == wrapControls_) return;
    wrapControls_ = value;
    PositionControls();
}

void TUiToolbar::SetOrientation(TOrientation orientation) {
    if (orientation == orientation_) return;
    orientation_ = orientation;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* spacer = dynamic_cast<TUiSpacer*>(Controls(i))) spacer->SetOrientation(orientation);
    PositionControls();
}

void TUiToolbar::CheckAutoResize(bool& value) {
    if (!Parent()) return;
    const AnsiString parentClass = Parent()->ClassName();
    if (parentClass == "TPageScroller" || parentClass == "TToolbar") value = false;
}

void TUiToolbar::SetAutoResize(bool value) {
    CheckAutoResize(value);
    if (value == autoResize_) return;
    autoResize_ = value;
    PositionControls();
}

void TUiToolbar::SetParent(TWinControl* parent) {
    TUiCustomPanel::SetParent(parent);
    bool value = autoResize_;
    CheckAutoResize(value);
    if (value == autoResize_) return;
    autoResize_ = value;
    PositionControls();
}

void TUiToolbar::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Invalidate();
}

void TUiToolbar::SetRegIniFile(TUiRegIniFile* store) {
    regIniFile_ = store;
    if (store) store->FreeNotification(this);
}

void TUiToolbar::Notification(TComponent* component, TOperation operation) {
    TUiCustomPanel::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) SetImages(nullptr);
    if (component == regIniFile_) regIniFile_ = nullptr;
    if (component == chevron_) chevron_ = nullptr;
    auto* control = dynamic_cast<TControl*>(component);
    if (control && control != this && controlList_ && !InState(csDestroying) &&
        controlList_->RemoveControl(control) >= 0)
        PositionControls();
}

void TUiToolbar::Dispatch(TMessage& message) {
    TUiCustomPanel::Dispatch(message);
    if (message.Msg == CM_VISIBLECHANGED && OnVisibleChanged) OnVisibleChanged(this);
}

void TUiToolbar::SetTextOptions(TUiToolbarTextOptions options) {
    if (options == textOptions_) return;
    applyingTextOptions_ = true;
    textOptions_ = options;
    if (options != ttoCustom) {
        SetButtonLayout(options == ttoShowTextLabels ? blGlyphTop : blGlyphLeft);
        const int width = options == ttoNoTextLabels ? 25 : 60;
        const int height = options == ttoShowTextLabels ? 40 : 25;
        UpdateButtonSize(width, height, options != ttoNoTextLabels);
        SetRowHeight(orientation_ == orHorizontal ? height : width);
    }
    applyingTextOptions_ = false;
}

void TUiToolbar::UpdateButtonSize(int width, int height, bool captions) {
    SetShowButtonCaptions(captions);
    SetButtonWidth(width);
    SetButtonHeight(height);
    SetRowHeight(orientation_ == orHorizontal ? height : width);
}

bool TUiToolbar::IsPlaceable(TControl* control) const {
    return control && !control->InState(csDestroying) &&
           (control->Visible() || InState(csDesigning));
}

void TUiToolbar::Adopt(TControl* control) {
    control->FreeNotification(this);
    if (auto* button = dynamic_cast<TUiToolButton*>(control)) button->PickupToolbarStyles();
}

void TUiToolbar::AppendNewChildren() {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (child == chevron_ || controlList_->IndexOf(child) >= 0) continue;
        controlList_->AddControl(child);
        Adopt(child);
    }
}

void TUiToolbar::AlignControls(TControl*, TRect&) {
    if (!InState(csLoading) && !awaitingControls_) {
        AppendNewChildren();
        PositionControls();
    }
    PlaceChevron();
}

int TUiToolbar::CalculateRowHeight(int) { return rowHeight_; }

void TUiToolbar::PositionControl(int index, int row, int& pos) {
    TControl* control = controlList_->Get(index)->Control;
    if (!control || control->InState(csDestroying)) return;
    if (orientation_ == orHorizontal) {
        const int top = (row - 1) * currentRowHeight_ + topMargin_ + rowHeight_ / 2 -
                        control->Height() / 2;
        const int left = UseRightToLeftReading() ? Width() - control->Width() - pos : pos;
        control->SetBounds(left, top, control->Width(), control->Height());
        pos += control->Width();
    } else {
        const int left = (row - 1) * currentRowHeight_ + margin_ + rowHeight_ / 2 -
                         control->Width() / 2;
        control->SetBounds(left, pos, control->Width(), control->Height());
        pos += control->Height();
    }
}

void TUiToolbar::PositionControls() {
    if (positioning_ || !controlList_ || InState(csLoading) || InState(csDestroying)) return;
    positioning_ = true;
    DisableAlign();
    try {
        if (orientation_ == orHorizontal)
            PlaceHorizontally();
        else
            PlaceVertically();
    } catch (...) {
        positioning_ = false;
        EnableAlign();
        throw;
    }
    positioning_ = false;
    EnableAlign();
}

void TUiToolbar::PlaceHorizontally() {
    const int count = controlList_->Count();
    if (!wrapControls_ && count > 0) {
        TControl* last = controlList_->Get(count - 1)->Control;
        SetShowChevron(last && last->Left() + last->Width() > Width() - margin_);
    } else if (chevronShown_) {
        SetShowChevron(false);
    }
    int pos = margin_, row = 1, widest = 0;
    currentRowHeight_ = CalculateRowHeight(1);
    bool first = true;
    for (int i = 0; i < count; ++i) {
        TControl* control = controlList_->Get(i)->Control;
        if (!IsPlaceable(control)) continue;
        if (!first && wrapControls_ && pos + control->Width() > Width() - margin_) {
            pos = margin_;
            ++row;
            currentRowHeight_ = CalculateRowHeight(row);
        }
        first = false;
        PositionControl(i, row, pos);
        if (pos > widest) widest = pos;
    }
    if (!autoResize_) return;
    if (Align() == alLeft || Align() == alRight) {
        if (widest > 0) ResizeToContents(margin_ + widest, Height());
    } else if (Align() == alNone || Align() == alTop || Align() == alBottom) {
        ResizeToContents(Width(), rowHeight_ * row + 2 * topMargin_);
    }
}

void TUiToolbar::PlaceVertically() {
    if (chevronShown_) SetShowChevron(false);
    int pos = margin_, column = 1, tallest = 0;
    currentRowHeight_ = CalculateRowHeight(1);
    bool first = true;
    for (int i = 0; i < controlList_->Count(); ++i) {
        TControl* control = controlList_->Get(i)->Control;
        if (!IsPlaceable(control)) continue;
        if (!first && wrapControls_ && pos + control->Height() > Height() - margin_) {
            pos = margin_;
            ++column;
            currentRowHeight_ = CalculateRowHeight(column);
        }
        first = false;
        PositionControl(i, column, pos);
        if (pos > tallest) tallest = pos;
    }
    if (!autoResize_) return;
    if (Align() == alLeft || Align() == alRight) {
        ResizeToContents(rowHeight_ * column + topMargin_ + 2, Height());
    } else if (Align() == alNone || Align() == alTop || Align() == alBottom) {
        if (tallest > 0) ResizeToContents(Width(), margin_ + tallest);
    }
}

void TUiToolbar::ResizeToContents(int width, int height) {
    if (width == Width() && height == Height()) return;
    Invalidate();
    SetBounds(Left(), Top(), width, height);
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated() || !parent->Visible()) return;
    HWND window = parent->WindowHandle();
    const WPARAM type = IsZoomed(window) ? SIZE_MAXIMIZED : IsIconic(window) ? SIZE_MINIMIZED
                                                                              : SIZE_RESTORED;
    PostMessageA(window, WM_SIZE, type, MAKELPARAM(parent->Width(), parent->Height()));
}

void TUiToolbar::SetShowChevron(bool show) {
    if (show && !chevron_) {
        chevron_ = new TUiToolbarPopupButton(this);
        chevron_->SetParent(this);
        chevron_->SetVisible(false);
        chevron_->SetFrameColor(AdjustColor(FlatColor(), FlatColorAdjustment()));
    }
    chevronShown_ = show;
    if (chevron_) chevron_->SetVisible(show);
    Invalidate();
}

void TUiToolbar::PlaceChevron() {
    if (!chevron_ || !chevronShown_ || orientation_ != orHorizontal || wrapControls_ ||
        InState(csLoading))
        return;
    chevron_->SetBounds(Width() - ChevronWidth, 0, ChevronWidth, Height());
}

void TUiToolbar::SetBackground(TBitmap* bitmap) { background_->Assign(bitmap); }

void TUiToolbar::SetCustomizeCaptions(TUiCustomizeCaptions* captions) {
    customizeCaptions_->Assign(captions);
}

void TUiToolbar::TileBackground() {
    const int w = background_->Width(), h = background_->Height();
    if (w <= 0 || h <= 0) return;
    TRect r = ClientRect();
    FixClientRect(r, true);
    HDC dc = Canvas()->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    const int columns = (r.Width() + w - 1) / w, rows = (r.Height() + h - 1) / h;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            Canvas()->Draw(r.Left + column * w, r.Top + row * h, background_);
    RestoreDC(dc, saved);
}

void TUiToolbar::Paint() {
    TUiCustomPanel::Paint();
    TileBackground();
    if (chevron_ && chevronShown_) chevron_->Invalidate();
}

void TUiToolbar::SaveLayout() {
    if (!regIniFile_) throw ENoRegIniFile(SNoRegIniFile);
    const AnsiString section = Name();
    regIniFile_->WriteInteger(section, "TextOptions", textOptions_);
    regIniFile_->WriteInteger(section, "Count", controlList_->Count());
    for (int i = 0; i < controlList_->Count(); ++i) {
        const TUiToolbarControl* entry = controlList_->Get(i);
        const bool hidden = entry->Control && !entry->Control->Visible();
        regIniFile_->WriteString(section, "Control" + IntToStr(i),
                                 (hidden ? AnsiString(HiddenPrefix) : AnsiString()) +
                                     entry->ControlName());
    }
}

void TUiToolbar::RestoreLayout() {
    if (!regIniFile_) throw ENoRegIniFile(SNoRegIniFile);
    const AnsiString section = Name();
    const int count = regIniFile_->ReadInteger(section, "Count", 0);
    if (count > 0 && count == controlList_->Count()) {
        for (int i = 0; i < count; ++i) {
            AnsiString name = regIniFile_->ReadString(section, "Control" + IntToStr(i), "");
            if (name.IsEmpty()) continue;
            const bool hidden = name.Pos(HiddenPrefix) == 1;
            if (hidden) name = name.SubString(3, name.Length() - 2);
            const int index = controlList_->IndexOfName(name);
            // A control renamed or removed since the layout was saved keeps its place.
            if (index < 0) continue;
            controlList_->Move(index, i);
            if (TControl* control = controlList_->Get(i)->Control) control->SetVisible(!hidden);
        }
        PositionControls();
    }
    // A value no text option has (a damaged store) changes nothing.
    const int options = regIniFile_->ReadInteger(section, "TextOptions", -1);
    if (options >= ttoNoTextLabels && options <= ttoCustom)
        SetTextOptions(static_cast<TUiToolbarTextOptions>(options));
}

void TUiToolbar::Customize(bool showTextOptions) {
    TOwnedPtr<TUiFrmCustomizeToolbar> form(new TUiFrmCustomizeToolbar(Application));
    form->SetToolbar(this);
    form->SetToolbarOwner(Owner());
    // Filled first, so that a form without text options is placed at its own height.
    form->UpdateControls(customizeCaptions_, showTextOptions);
    form->Reposition();
    form->ShowModal();
}
