#include "UiCheckList.h"

#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"
#include "cl_except.h"
#include "cl_filer.h"
#include "cl_streams.h"
#include "cl_sys.h"

namespace {

const char* const kBadLine = "Line %d is no check list item: \"%s\"";

// One line of the text form; false for a line that does not follow it.
bool ParseStateLine(const AnsiString& line, AnsiString& text, TPacket& packet) {
    if (line.Length() < 5 || line[1] != '&' || line[4] < '0' || line[4] > '2') return false;
    packet.Enabled = line[2] == '1';
    packet.State = static_cast<TCheckBoxState>(line[4] - '0');
    text = line.SubString(6, line.Length() - 5);
    return true;
}

AnsiString StateLine(const AnsiString& text, const TPacket& packet) {
    return AnsiString("&") + (packet.Enabled ? "1" : "0") + " " +
           static_cast<char>('0' + packet.State) + " " + text + "\r\n";
}

const bool checkListPropertiesRegistered = [] {
    using C = TUiCheckList;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("AllowGrayed", pkBool, &C::AllowGrayed,
                                              &C::SetAllowGrayed, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ToggleOnItemClick", pkBool, &C::ToggleOnItemClick,
                                              &C::SetToggleOnItemClick, 0));
    RegisterProperty(meta, OrdinalProperty<C>("TransparentColor", pkColor, &C::TransparentColor,
                                              &C::SetTransparentColor, clOlive));
    RegisterProperty(meta, OrdinalProperty<C>("HighlightColor", pkColor, &C::HighlightColor,
                                              &C::SetHighlightColor, clHighlight));
    RegisterProperty(meta, OrdinalProperty<C>("ItemFillColor", pkColor, &C::ItemFillColor,
                                              &C::SetItemFillColor, clWindow));
    RegisterProperty(meta, OrdinalProperty<C>("ItemFocusColor", pkColor, &C::ItemFocusColor,
                                              &C::SetItemFocusColor, clWindow));
    RegisterProperty(meta, OrdinalProperty<C>("ItemFrameColor", pkColor, &C::ItemFrameColor,
                                              &C::SetItemFrameColor, clBtnShadow));
    RegisterProperty(meta, OrdinalProperty<C>("ShowGroups", pkBool, &C::ShowGroups,
                                              &C::SetShowGroups, 1));
    RegisterProperty(meta, SubObjectProperty<C>("Items", &C::Items));
    TPropertyInfo glyphs = SubObjectProperty<C>("CustomGlyphs", &C::CustomGlyphs);
    glyphs.IsStored = [](TObject* o) { return !static_cast<C*>(o)->CustomGlyphs()->Empty(); };
    RegisterProperty(meta, glyphs);
    RegisterProperty(meta, OrdinalProperty<C>("UseCustomGlyphs", pkBool, &C::UseCustomGlyphs,
                                              &C::SetUseCustomGlyphs, 0));
    RegisterClass(meta);
    return true;
}();

// Sets a flag for a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TUiCheckListStrings

void TUiCheckListStrings::CheckIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(packets_.size())) IndexError(index);
}

void TUiCheckListStrings::DefineProperties(TFiler* filer) {
    TStrings::DefineProperties(filer);
    const bool hasItems = GetCount() > 0;
    filer->DefineProperty(
        "ItemEnabled",
        [this](TReader* reader) {
            ReadItemValues(reader, [this, reader](int index) {
                const bool enabled = reader->ReadBoolean();
                if (index >= 0) list_->SetItemEnabled(index, enabled);
            });
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (const TPacket& packet : packets_) writer->WriteBoolean(packet.Enabled);
            writer->WriteListEnd();
        },
        hasItems);
    filer->DefineProperty(
        "ItemState",
        [this](TReader* reader) {
            ReadItemValues(reader, [this, reader](int index) {
                const int state = reader->ReadInteger();
                if (state < cbUnchecked || state > cbGrayed)
                    throw EReadError("Invalid property value " + IntToStr(state));
                if (index >= 0) list_->SetItemState(index, static_cast<TCheckBoxState>(state));
            });
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (const TPacket& packet : packets_) writer->WriteInteger(packet.State);
            writer->WriteListEnd();
        },
        hasItems);
}

// `apply` reads one value; its index is -1 past the last item.
template <class Apply>
void TUiCheckListStrings::ReadItemValues(TReader* reader, Apply apply) {
    reader->ReadListBegin();
    for (int index = 0; !reader->EndOfList(); ++index) apply(index < GetCount() ? index : -1);
    reader->ReadListEnd();
}

TPacket& TUiCheckListStrings::Packet(int index) {
    CheckIndex(index);
    return packets_[index];
}

const TPacket& TUiCheckListStrings::Packet(int index) const {
    CheckIndex(index);
    return packets_[index];
}

AnsiString TUiCheckListStrings::Get(int index) const { return items_->Get(index); }

int TUiCheckListStrings::GetCount() const { return items_->GetCount(); }

void TUiCheckListStrings::Put(int index, const AnsiString& s) {
    const TPacket packet = Packet(index);
    TObject* object = items_->GetObject(index);
    const int selected = list_->ItemIndex();
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    packets_[index] = packet;
    list_->SetItemIndex(selected);
    EndUpdate();
}

TObject* TUiCheckListStrings::GetObject(int index) const { return items_->GetObject(index); }

void TUiCheckListStrings::PutObject(int index, TObject* object) { items_->PutObject(index, object); }

int TUiCheckListStrings::Add(const AnsiString& s) {
    int index;
    {
        TFlagScope adding(list_->adding_);
        index = items_->Add(s);
        if (index < 0) throw EOutOfResources("Unable to insert a line");
        packets_.insert(packets_.begin() + std::min<size_t>(index, packets_.size()), TPacket());
    }
    list_->Invalidate();
    return index;
}

void TUiCheckListStrings::Insert(int index, const AnsiString& s) {
    if (index < 0 || index > GetCount()) IndexError(index);
    {
        TFlagScope adding(list_->adding_);
        items_->Insert(index, s);
        packets_.insert(packets_.begin() + index, TPacket());
    }
    list_->Invalidate();
}

void TUiCheckListStrings::Delete(int index) {
    CheckIndex(index);
    items_->Delete(index);
    packets_.erase(packets_.begin() + index);
}

void TUiCheckListStrings::Clear() {
    items_->Clear();
    packets_.clear();
}

void TUiCheckListStrings::Move(int currentIndex, int newIndex) {
    if (currentIndex == newIndex) return;
    const TPacket packet = Packet(currentIndex);
    TStrings::Move(currentIndex, newIndex);
    packets_[newIndex] = packet;
}

void TUiCheckListStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    TStrings::Exchange(index1, index2);
    std::swap(Packet(index1), Packet(index2));
    EndUpdate();
}

void TUiCheckListStrings::AddStrings(TStrings* strings) {
    auto* checkList = dynamic_cast<TUiCheckListStrings*>(strings);
    BeginUpdate();
    try {
        for (int i = 0; i < strings->GetCount(); ++i) {
            AnsiString text = strings->Get(i);
            TPacket packet;
            if (checkList)
                packet = checkList->Packet(i);
            else if (!ParseStateLine(strings->Get(i), text, packet))
                packet = TPacket();
            const int index = AddObject(text, strings->GetObject(i));
            packets_[index] = packet;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TUiCheckListStrings::LoadFromStream(TStream* stream) {
    TStringList lines;
    lines.LoadFromStream(stream);
    std::vector<std::pair<AnsiString, TPacket>> loaded;
    for (int i = 0; i < lines.Count(); ++i) {
        const AnsiString& line = lines[i];
        AnsiString text = line;
        TPacket packet;
        if (line.Length() > 0 && line[1] == '&' && !ParseStateLine(line, text, packet))
            throw EConvertError(Format(kBadLine, i + 1, line));
        loaded.push_back({text, packet});
    }
    BeginUpdate();
    try {
        Clear();
        for (const auto& item : loaded) packets_[Add(item.first)] = item.second;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TUiCheckListStrings::SaveToStream(TStream* stream) const {
    AnsiString text;
    for (int i = 0; i < GetCount(); ++i) text += StateLine(Get(i), packets_[i]);
    if (text.Length() > 0) stream->WriteBuffer(text.c_str(), text.Length());
}

void TUiCheckListStrings::SetUpdateState(bool updating) {
    if (!list_->HandleAllocated()) return;
    SendMessageA(list_->WindowHandle(), WM_SETREDRAW, !updating, 0);
    if (!updating) list_->Refresh();
}

// ---------------------------------------------------------------------------------------------
// TUiCheckList

TUiCheckList::TUiCheckList(TComponent* owner)
    : TUiCustomTabbedListBox(owner),
      items_(new TUiCheckListStrings(this, TCustomListBox::Items())),
      customGlyphs_(new TBitmap) {
    customGlyphs_->OnChange = Bind(this, &TUiCheckList::CustomGlyphsChanged);
    SetStyle(lbOwnerDrawFixed);
    SetShowGroups(true);
    UpdateItemHeight();
}

TUiCheckList::~TUiCheckList() {
    delete customGlyphs_;
    delete items_;
}

void TUiCheckList::BeforeDestruction() {
    customGlyphs_->OnChange = nullptr;
    TUiCustomTabbedListBox::BeforeDestruction();
}

void TUiCheckList::CustomGlyphsChanged(TObject*) {
    if (InState(csLoading)) return;
    SetUseCustomGlyphs(!customGlyphs_->Empty());
    Invalidate();
}

void TUiCheckList::SetUseCustomGlyphs(bool value) {
    if (value == useCustomGlyphs_) return;
    useCustomGlyphs_ = value;
    glyphWidth_ = value ? customGlyphs_->Width() / 6 : 13;
    glyphHeight_ = value ? customGlyphs_->Height() : 13;
    UpdateItemHeight();
    Invalidate();
}

void TUiCheckList::SetColorProperty(TColor& field, TColor value) {
    if (value == field) return;
    field = value;
    Invalidate();
}

void TUiCheckList::UpdateItemHeight() {
    SetItemHeight(std::max(glyphHeight_ + 4, GetMinFontHeight(Font())));
}

bool TUiCheckList::GetItemChecked(int index) { return items_->Packet(index).State == cbChecked; }

void TUiCheckList::SetItemChecked(int index, bool value) {
    SetItemState(index, value ? cbChecked : cbUnchecked);
}

bool TUiCheckList::GetItemEnabled(int index) { return items_->Packet(index).Enabled; }

void TUiCheckList::SetItemEnabled(int index, bool value) {
    TPacket& packet = items_->Packet(index);
    if (packet.Enabled == value) return;
    packet.Enabled = value;
    Invalidate();
}

TCheckBoxState TUiCheckList::GetItemState(int index) { return items_->Packet(index).State; }

void TUiCheckList::SetItemState(int index, TCheckBoxState value) {
    TPacket& packet = items_->Packet(index);
    if (packet.State == value) return;
    packet.State = value;
    if (!HandleAllocated()) return;
    const TRect item = ItemRect(index);
    const int margin = (ItemHeight() - glyphHeight_) / 2;
    const int left = UseRightToLeftAlignment() ? item.Right - glyphWidth_ - 4 : item.Left;
    const RECT box{left, item.Top + margin, left + glyphWidth_ + 4, item.Bottom - margin};
    InvalidateRect(WindowHandle(), &box, FALSE);
}

int TUiCheckList::AddEx(const AnsiString& text, bool checked, bool enabled) {
    const int index = items_->Add(text);
    SetItemChecked(index, checked);
    SetItemEnabled(index, enabled);
    return index;
}

void TUiCheckList::AddItem(const AnsiString& text, TObject* object) { items_->AddObject(text, object); }

void TUiCheckList::CheckAll() {
    for (int i = 0; i < items_->Count(); ++i) SetItemChecked(i, true);
}

void TUiCheckList::UncheckAll() {
    for (int i = 0; i < items_->Count(); ++i) SetItemChecked(i, false);
}

int TUiCheckList::ItemsChecked() {
    int count = 0;
    for (int i = 0; i < items_->Count(); ++i) count += GetItemChecked(i) && !GetItemIsGroup(i);
    return count;
}

template <typename Apply>
void TUiCheckList::ForGroupItems(int group, Apply apply) {
    const int row = ItemIndexOfGroup(group);
    if (row < 0) return;
    for (int index = row + 1; index < items_->Count() && !GetItemIsGroup(index); ++index)
        apply(index);
}

void TUiCheckList::CheckGroup(int group) {
    ForGroupItems(group, [this](int index) { SetItemChecked(index, true); });
}

void TUiCheckList::UncheckGroup(int group) {
    ForGroupItems(group, [this](int index) { SetItemChecked(index, false); });
}

void TUiCheckList::EnableGroup(int group) {
    ForGroupItems(group, [this](int index) { SetItemEnabled(index, true); });
}

void TUiCheckList::DisableGroup(int group) {
    ForGroupItems(group, [this](int index) { SetItemEnabled(index, false); });
}

void TUiCheckList::SetGroupState(int group, TCheckBoxState state) {
    ForGroupItems(group, [this, state](int index) { SetItemState(index, state); });
}

void TUiCheckList::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TUiCheckList::SaveToFile(const AnsiString& fileName) {
    TMemoryStream stream;
    SaveToStream(&stream);
    WriteFileWhole(fileName, stream.Memory(), static_cast<size_t>(stream.Size()));
}

bool TUiCheckList::CanChange(int index, TCheckBoxState newState) {
    bool allow = true;
    if (OnChanging) OnChanging(this, index, newState, allow);
    return allow;
}

void TUiCheckList::Change(int index, TCheckBoxState newState) {
    if (OnChange) OnChange(this, index, newState);
}

void TUiCheckList::ToggleCheckState() {
    toggleArmed_ = false;
    const int index = ItemIndex();
    if (index < 0 || index >= items_->Count() || !GetItemEnabled(index) || GetItemIsGroup(index))
        return;
    TCheckBoxState next;
    switch (GetItemState(index)) {
    case cbUnchecked: next = allowGrayed_ ? cbGrayed : cbChecked; break;
    case cbChecked: next = cbUnchecked; break;
    default: next = cbChecked; break;
    }
    if (!CanChange(index, next)) return;
    SetItemState(index, next);
    Change(index, next);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TUiCheckList::SelectGlyph(int index, TBitmap* bitmap) {
    const TPacket& packet = items_->Packet(index);
    const TRect whole(0, 0, glyphWidth_, glyphHeight_);
    if (useCustomGlyphs_) {
        const int n = packet.State + (packet.Enabled ? 0 : 3);
        bitmap->Canvas()->CopyRect(whole, customGlyphs_->Canvas(),
                                   TRect(n * glyphWidth_, 0, (n + 1) * glyphWidth_, glyphHeight_));
        return;
    }
    if (ThemeServices()->GetThemesEnabled()) {
        static const TThemedButton enabled[] = {tbCheckBoxUncheckedNormal, tbCheckBoxCheckedNormal,
                                                tbCheckBoxMixedNormal};
        static const TThemedButton disabled[] = {
            tbCheckBoxUncheckedDisabled, tbCheckBoxCheckedDisabled, tbCheckBoxMixedDisabled};
        const TThemedButton part = (packet.Enabled ? enabled : disabled)[packet.State];
        ThemeServices()->DrawElement(bitmap->Canvas()->Handle(),
                                     TThemeServices::GetElementDetails(part), whole);
        return;
    }
    const TUiGlyphColors colors{itemFrameColor_, highlightColor_, itemFillColor_, itemFocusColor_,
                                clBtnFace, clLime, clRed, clWindow};
    DrawCheckBox(bitmap->Canvas(), whole, packet.State, packet.Enabled ? bdsNormal : bdsDisabled,
                 Focused(), htsInterior, colors, false, false);
}

void TUiCheckList::DrawGlyph(int index, const TRect& rect) {
    TCanvas* canvas = Canvas();
    const TRect whole(0, 0, glyphWidth_, glyphHeight_);
    TBitmap glyph, shown;
    glyph.SetSize(glyphWidth_, glyphHeight_);
    shown.SetSize(glyphWidth_, glyphHeight_);
    glyph.Canvas()->Brush()->SetColor(transparentColor_);
    glyph.Canvas()->FillRect(whole);
    SelectGlyph(index, &glyph);
    shown.Canvas()->Brush()->SetColor(Color());
    shown.Canvas()->BrushCopy(whole, &glyph, whole, transparentColor_);
    const int x = UseRightToLeftAlignment() ? rect.Right + 4 : rect.Left - glyphWidth_ - 4;
    canvas->Draw(x, rect.Top + (ItemHeight() - glyphHeight_) / 2, &shown);
}

void TUiCheckList::DrawListItem(int index, TRect rect, TOwnerDrawState state) {
    if (adding_ || index >= items_->Count()) return;
    TCanvas* canvas = Canvas();
    const TColor brush = canvas->Brush()->Color();
    const int indent = OwnerDrawItemIndent();
    canvas->Brush()->SetColor(Color());
    if (UseRightToLeftAlignment())
        canvas->FillRect(TRect(rect.Right, rect.Top, rect.Right + indent, rect.Bottom));
    else
        canvas->FillRect(TRect(rect.Left - indent, rect.Top, rect.Left, rect.Bottom));
    canvas->Brush()->SetColor(brush);
    canvas->FillRect(rect);
    DrawGlyph(index, rect);

    canvas->Font()->Assign(Font());
    if (!GetItemEnabled(index) || !Enabled())
        canvas->Font()->SetColor(ColorToRGB(Color()) == ColorToRGB(clBtnShadow) ? clBtnFace
                                                                                 : clBtnShadow);
    HDC dc = canvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    if (state.count(odSelected)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    try {
        if (OnDrawItem)
            OnDrawItem(this, index, rect, state);
        else
            DefaultDrawItem(index, rect, state);
    } catch (...) {
        RestoreDC(canvas->Handle(), saved);
        throw;
    }
    RestoreDC(canvas->Handle(), saved);
}

void TUiCheckList::DefaultDrawItem(int index, TRect rect, TOwnerDrawState) {
    TCanvas* canvas = Canvas();
    const AnsiString text = items_->Get(index);
    const int y = rect.Top + (ItemHeight() - canvas->TextHeight("Pp")) / 2;
    std::vector<int> stops(MaxTabStops);
    int count = 0;
    GetTabArray(count, stops.data());
    for (int i = 0; i < count; ++i) stops[i] = MulDiv(stops[i], CharUnit(), 4);
    HDC dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    SetBkColor(dc, ColorToRGB(canvas->Brush()->Color()));
    int x = rect.Left + 2;
    if (UseRightToLeftAlignment()) {
        SetTextAlign(dc, TA_RIGHT | TA_RTLREADING);
        x = rect.Right - 2;
    }
    TabbedTextOutA(dc, x, y, text.c_str(), text.Length(), count, count ? stops.data() : nullptr, 0);
}

// ---------------------------------------------------------------------------------------------
// Mouse, keys, messages

bool TUiCheckList::InCheckZone(int index, int x) {
    const TRect item = ItemRect(index);
    if (UseRightToLeftAlignment()) return x >= item.Right - glyphWidth_ - 4 && x < item.Right;
    return x >= item.Left && x < item.Left + glyphWidth_ + 4;
}

void TUiCheckList::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const int index = ItemAtPos(TPoint(x, y), true);
    if (button == mbLeft && index >= 0 && (toggleOnItemClick_ || InCheckZone(index, x))) {
        toggleArmed_ = true;
        armedIndex_ = index;
    } else if (button == mbRight && index >= 0 && index != ItemIndex()) {
        SetItemIndex(index);
        Click();
    }
    TUiCustomTabbedListBox::MouseDown(button, shift, x, y);
}

void TUiCheckList::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (toggleArmed_ && ItemIndex() == armedIndex_ && x >= 0 && y >= 0 &&
            x < ClientWidth() && y < ClientHeight())
            ToggleCheckState();
        toggleArmed_ = false;
    }
    TUiCustomTabbedListBox::MouseUp(button, shift, x, y);
}

void TUiCheckList::KeyDown(uint16_t& key, TShiftState shift) {
    if (key == VK_SPACE) toggleArmed_ = true;
    armedIndex_ = ItemIndex();
    TUiCustomTabbedListBox::KeyDown(key, shift);
}

void TUiCheckList::KeyUp(uint16_t& key, TShiftState shift) {
    if (toggleArmed_ && key == VK_SPACE) ToggleCheckState();
    TUiCustomTabbedListBox::KeyUp(key, shift);
}

void TUiCheckList::CreateWnd() {
    TUiCustomTabbedListBox::CreateWnd();
    if (savedItemIndex_ < 0 && savedTopIndex_ < 0) return;
    SetTopIndex(std::max(savedTopIndex_, 0));
    SetItemIndex(savedItemIndex_);
    savedTopIndex_ = savedItemIndex_ = -1;
}

void TUiCheckList::DestroyWnd() {
    if (!InState(csLoading) && items_->Count() > 0) {
        savedTopIndex_ = TopIndex();
        savedItemIndex_ = ItemIndex();
    }
    TUiCustomTabbedListBox::DestroyWnd();
}

void TUiCheckList::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_CHAR:
        if (message.WParam == ' ') return;
        return TUiCustomTabbedListBox::Dispatch(message);
    case CM_FONTCHANGED:
        TUiCustomTabbedListBox::Dispatch(message);
        return UpdateItemHeight();
    case CM_ENABLEDCHANGED:
        TUiCustomTabbedListBox::Dispatch(message);
        for (int i = 0; i < items_->Count(); ++i) SetItemEnabled(i, Enabled());
        return;
    default:
        TUiCustomTabbedListBox::Dispatch(message);
    }
}
