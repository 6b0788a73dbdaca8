#include "UiCheckTree.h"

#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "cl_except.h"
#include "cl_number.h"

namespace {

const char* const kInvalidAssignment = "Invalid item level assignment";
const char* const kInvalidLevel = "Invalid level (%d) for item \"%s\"";
const char* const kInvalidState = "Invalid state (%d) for item \"%s\"";

TUiCheckState StateOf(TTreeNode* node) { return static_cast<TUiCheckState>(node->StateIndex()); }

// The state a parent takes from its children, `excluded` not counted: partial as soon as one
// child is partial or checked and unchecked ones meet; unknown children count as neither.
TUiCheckState StateFromChildren(TTreeNode* parent, TTreeNode* excluded) {
    int checked = 0, unchecked = 0;
    for (TTreeNode* child = parent->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child == excluded) continue;
        const int state = child->StateIndex();
        if (state == csPartiallyChecked) return csPartiallyChecked;
        checked += state == csChecked;
        unchecked += state == csUnchecked;
        if (checked > 0 && unchecked > 0) return csPartiallyChecked;
    }
    return checked > 0 ? csChecked : csUnchecked;
}

// Leading tabs and blanks, each one level; they are removed from `text`.
int TakeLevel(AnsiString& text) {
    int level = 0;
    while (level < text.Length() && (text[level + 1] == '\t' || text[level + 1] == ' ')) ++level;
    text = text.SubString(level + 1, text.Length() - level);
    return level;
}

// The integer before the first '|', removed with it; -1 when there is no '|'.
int TakeField(AnsiString& text) {
    const int bar = text.Pos("|");
    if (bar == 0) return -1;
    const int value = StrToInt(text.SubString(1, bar - 1));
    text = text.SubString(bar + 1, text.Length() - bar);
    return value;
}

// The ancestor of `node` (or the node itself) at `level`.
TTreeNode* AncestorAt(TTreeNode* node, int level) {
    while (node && node->Level() > level) node = node->Parent();
    return node;
}

const bool checkTreePropertiesRegistered = [] {
    using C = TUiCheckTree;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubNotifications);
    RegisterProperty(meta, OrdinalProperty<C>("CascadeChecks", pkBool, &C::CascadeChecks,
                                              &C::SetCascadeChecks, 1));
    RegisterProperty(meta, OrdinalProperty<C>("HighlightColor", pkColor, &C::HighlightColor,
                                              &C::SetHighlightColor, clHighlight));
    return true;
}();

}  // namespace

TUiCheckTree::TUiCheckTree(TComponent* owner)
    : TUiCustomTreeView(owner), checkImages_(new TImageList(this)) {
    checkImages_->SetName("CheckImages");
    checkImageWidth_ = checkImages_->Width();
    SetReadOnly(true);
    InitStateImages();
    SetStateImages(checkImages_);
}

void TUiCheckTree::BeforeDestruction() {
    SetStateImages(nullptr);
    TUiCustomTreeView::BeforeDestruction();
}

void TUiCheckTree::Loaded() {
    TUiCustomTreeView::Loaded();
    UpdateImageWidth();
}

void TUiCheckTree::UpdateImageWidth() { imageWidth_ = Images() ? Images()->Width() : 0; }

void TUiCheckTree::SetImages(TCustomImageList* images) {
    TUiCustomTreeView::SetImages(images);
    UpdateImageWidth();
}

void TUiCheckTree::SetHighlightColor(TColor value) {
    if (value == highlightColor_) return;
    highlightColor_ = value;
    InitStateImages();
    Invalidate();
}

void TUiCheckTree::SetFrameColor(TColor value) {
    if (value == FrameColor()) return;
    TUiCustomTreeView::SetFrameColor(value);
    InitStateImages();
    Invalidate();
}

void TUiCheckTree::InitStateImages() {
    checkImages_->Clear();
    TBitmap box;
    box.SetSize(16, 16);
    if (ThemeServices()->GetThemesEnabled()) {
        for (TThemedButton part : {tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedNormal,
                                   tbCheckBoxCheckedNormal, tbCheckBoxMixedNormal}) {
            box.Canvas()->Brush()->SetColor(clWindow);
            box.Canvas()->FillRect(TRect(0, 0, 16, 16));
            ThemeServices()->DrawElement(box.Canvas()->Handle(),
                                         TThemeServices::GetElementDetails(part),
                                         TRect(0, 0, 16, 16));
            checkImages_->Add(&box, nullptr);
        }
        return;
    }
    TBitmap scratch;
    scratch.SetSize(16, 16);
    const TUiGlyphColors colors{FrameColor(), highlightColor_, clWindow, clLime,
                                DisabledColor(), clLime, clRed, clWindow};
    for (TCheckBoxState state : {cbUnchecked, cbUnchecked, cbChecked, cbGrayed}) {
        box.Canvas()->Brush()->SetColor(clOlive);
        box.Canvas()->FillRect(TRect(0, 0, 16, 16));
        scratch.Canvas()->Brush()->SetColor(clOlive);
        scratch.Canvas()->FillRect(TRect(0, 0, 16, 16));
        DrawCheckBox(scratch.Canvas(), TRect(0, 0, 13, 13), state, bdsNormal, false, htsInterior,
                     colors, false, false);
        box.Canvas()->CopyRect(TRect(2, 2, 15, 15), scratch.Canvas(), TRect(0, 0, 13, 13));
        checkImages_->AddMasked(&box, clOlive);
    }
}

// ---------------------------------------------------------------------------------------------
// One node's state

bool TUiCheckTree::CanChangeState(TTreeNode* node, TUiCheckState newState) {
    bool allow = true;
    if (OnStateChanging) OnStateChanging(this, node, newState, allow);
    return allow;
}

void TUiCheckTree::StateChange(TTreeNode* node, TUiCheckState newState) {
    if (OnStateChange) OnStateChange(this, node, newState);
}

void TUiCheckTree::CascadeComplete(TTreeNode* node) {
    if (OnCascadeComplete) OnCascadeComplete(this, node);
}

void TUiCheckTree::SetNodeCheckState(TTreeNode* node, TUiCheckState state) {
    if (!CanChangeState(node, state)) return;
    node->SetStateIndex(state);
    StateChange(node, state);
}

void TUiCheckTree::ForceCheckState(TTreeNode* node, TUiCheckState state) {
    if (StateOf(node) == state) return;
    node->SetStateIndex(state);
    StateChange(node, state);
}

void TUiCheckTree::ChangeNodeCheckState(TTreeNode* node, TUiCheckState state) {
    toggleArmed_ = false;
    if (StateOf(node) != state) SetNodeCheckState(node, state);
    if (!cascadeChecks_) return;
    UpdateChildren(node, StateOf(node) == csChecked);
    UpdateParents(node);
}

void TUiCheckTree::ToggleCheckState(TTreeNode* node) {
    toggleArmed_ = false;
    if (!node || StateOf(node) == csUnknown) return;
    SetNodeCheckState(node, StateOf(node) == csChecked ? csUnchecked : csChecked);
    if (cascadeChecks_) {
        UpdateChildren(node, StateOf(node) == csChecked);
        UpdateParents(node);
    }
    CascadeComplete(node);
}

TUiCheckState TUiCheckTree::GetItemState(int index) { return StateOf(Items()->Item(index)); }

void TUiCheckTree::SetItemState(int index, TUiCheckState state) {
    TTreeNode* node = Items()->Item(index);
    if (StateOf(node) != state) ChangeNodeCheckState(node, state);
}

// ---------------------------------------------------------------------------------------------
// Cascades

void TUiCheckTree::RecurseChildren(TTreeNode* node, bool checked) {
    for (; node; node = node->GetNextSibling()) {
        if (node->Deleting()) continue;
        SetNodeCheckState(node, checked ? csChecked : csUnchecked);
        RecurseChildren(node->GetFirstChild(), checked);
    }
}

void TUiCheckTree::UpdateChildren(TTreeNode* node, bool checked) {
    RecurseChildren(node->GetFirstChild(), checked);
    if (OnUpdateChildren) OnUpdateChildren(this);
}

void TUiCheckTree::UpdateParents(TTreeNode* node, bool) {
    for (TTreeNode* parent = node->Parent(); parent; parent = parent->Parent())
        SetNodeCheckState(parent, StateFromChildren(parent, nullptr));
}

void TUiCheckTree::UpdateCascadingStates(TTreeNode* node) {
    if (!cascadeChecks_) return;
    const TUiCheckState state = StateOf(node);
    if (state != csChecked && state != csUnchecked) return;
    UpdateChildren(node, state == csChecked);
    UpdateParents(node);
}

void TUiCheckTree::UpdateChildrenCascadingStates(TTreeNode* node) {
    if (!node || !cascadeChecks_) return;
    if (!node->GetFirstChild()) return UpdateCascadingStates(node);
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFirstChild())
            UpdateChildrenCascadingStates(child);
        else
            UpdateCascadingStates(child);
    }
}

void TUiCheckTree::UpdateStateFromChildren(TTreeNode* parent, TTreeNode* excluded) {
    if (!cascadeChecks_) return;
    SetNodeCheckState(parent, StateFromChildren(parent, excluded));
    const TUiCheckState state = StateOf(parent);
    if (state != csChecked && state != csUnchecked) return;
    UpdateChildren(parent, state == csChecked);
    UpdateParents(parent);
}

void TUiCheckTree::SetAllChildren(TTreeNode* node, TUiCheckState state) {
    for (; node; node = node->GetNextSibling()) {
        node->SetStateIndex(state);
        SetAllChildren(node->GetFirstChild(), state);
    }
}

void TUiCheckTree::SetAllNodes(TUiCheckState state) { SetAllChildren(Items()->GetFirstNode(), state); }

// A node leaving the tree: its parent's state follows the remaining children. Nothing while
// the parent goes too (a subtree deleted, the tree cleared or destroyed), and the cascade never
// reaches the nodes on their way out.
void TUiCheckTree::Delete(TTreeNode* node) {
    TTreeNode* parent = node->Parent();
    if (cascadeChecks_ && parent && !parent->Deleting() && !InState(csDestroying))
        UpdateStateFromChildren(parent, node);
    TUiCustomTreeView::Delete(node);
}

// ---------------------------------------------------------------------------------------------
// Mouse, keys, painting

bool TUiCheckTree::InCheckStrip(TTreeNode* node, int x, int y) {
    const TRect text = node->DisplayRect(true);
    return x > text.Left - checkImageWidth_ - imageWidth_ && x <= text.Left - imageWidth_ &&
           y >= text.Top && y <= text.Bottom;
}

void TUiCheckTree::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TTreeNode* node = Selected();
    if (node && button == mbLeft && InCheckStrip(node, x, y)) {
        toggleArmed_ = true;
        armedIndex_ = node->AbsoluteIndex();
    }
    TUiCustomTreeView::MouseDown(button, shift, x, y);
}

void TUiCheckTree::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        TTreeNode* node = Selected();
        if (toggleArmed_ && node && node->AbsoluteIndex() == armedIndex_ &&
            x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight())
            ToggleCheckState(node);
        toggleArmed_ = false;
    }
    TUiCustomTreeView::MouseUp(button, shift, x, y);
}

void TUiCheckTree::KeyUp(uint16_t& key, TShiftState shift) {
    if (key == VK_SPACE && !IsEditing() && Selected()) ToggleCheckState(Selected());
    TUiCustomTreeView::KeyUp(key, shift);
}

void TUiCheckTree::GiveStatesToNewNodes() {
    for (TTreeNode* node = Items()->GetFirstNode(); node; node = node->GetNext())
        if (node->StateIndex() == -1) node->SetStateIndex(csUnchecked);
}

void TUiCheckTree::Dispatch(TMessage& message) {
    if (message.Msg == WM_CHAR && message.WParam == ' ') return;
    if (message.Msg == WM_PAINT) GiveStatesToNewNodes();
    TUiCustomTreeView::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------
// Files and streams

void TUiCheckTree::SaveToStream(TStream* stream) {
    TUiCheckTreeStrings strings(Items());
    strings.SaveToStream(stream);
}

void TUiCheckTree::LoadFromStream(TStream* stream) {
    TUiCheckTreeStrings strings(Items());
    try {
        strings.LoadFromStream(stream);
    } catch (...) {
        Invalidate();
        throw;
    }
}

void TUiCheckTree::SaveToFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(&stream);
}

void TUiCheckTree::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

// ---------------------------------------------------------------------------------------------
// TUiCheckTreeStrings

AnsiString TUiCheckTreeStrings::Get(int index) const {
    TTreeNode* node = nodes_->Item(index);
    return StringOfChar('\t', node->Level()) + node->Text();
}

int TUiCheckTreeStrings::GetCount() const { return nodes_->Count(); }

TObject* TUiCheckTreeStrings::GetObject(int index) const {
    return static_cast<TObject*>(nodes_->Item(index)->Data());
}

void TUiCheckTreeStrings::PutObject(int index, TObject* object) {
    nodes_->Item(index)->SetData(object);
}

void TUiCheckTreeStrings::Clear() { nodes_->Clear(); }

void TUiCheckTreeStrings::Delete(int index) { nodes_->Item(index)->Delete(); }

void TUiCheckTreeStrings::Insert(int index, const AnsiString& s) {
    nodes_->Insert(nodes_->Item(index), s);
}

int TUiCheckTreeStrings::Add(const AnsiString& s) {
    const int count = nodes_->Count();
    if (s.Length() == 1 && s[1] == '\x1A') return count;
    AnsiString text = s;
    const int level = TakeLevel(text);
    if (count == 0) {
        if (level > 1) throw ETreeViewError(kInvalidAssignment);
        nodes_->Add(nullptr, text);
        return count;
    }
    TTreeNode* last = nodes_->Item(count - 1);
    if (level > last->Level() + 1) throw ETreeViewError(kInvalidAssignment);
    if (level == last->Level() + 1)
        nodes_->AddChild(last, text);
    else if (level == 0)
        nodes_->Add(nullptr, text);
    else
        nodes_->AddChild(AncestorAt(last, level - 1), text);
    return count;
}

void TUiCheckTreeStrings::SaveToStream(TStream* stream) const {
    AnsiString text;
    for (TTreeNode* node = nodes_->GetFirstNode(); node; node = node->GetNext())
        text += StringOfChar('\t', node->Level()) + IntToStr(node->StateIndex()) + "|" +
                IntToStr(node->ImageIndex()) + "|" + IntToStr(node->SelectedIndex()) + "|" +
                node->Text() + "\r\n";
    if (text.Length() > 0) stream->WriteBuffer(text.c_str(), text.Length());
}

void TUiCheckTreeStrings::LoadFromStream(TStream* stream) {
    TStringList lines;
    nodes_->BeginUpdate();
    try {
        nodes_->Clear();
        lines.LoadFromStream(stream);
        TTreeNode* previous = nullptr;
        for (int i = 0; i < lines.Count(); ++i) {
            AnsiString text = lines[i];
            const int level = TakeLevel(text);
            const int state = TakeField(text);
            const int image = TakeField(text);
            const int selected = TakeField(text);
            if (state < -1 || state > csPartiallyChecked)
                throw ETreeViewError(Format(kInvalidState, state, text));
            TTreeNode* node;
            if (!previous) {
                node = nodes_->Add(nullptr, text);
            } else if (level == previous->Level() + 1) {
                node = nodes_->AddChild(previous, text);
            } else if (level > previous->Level() + 1) {
                throw ETreeViewError(Format(kInvalidLevel, level, text));
            } else {
                node = nodes_->Add(AncestorAt(previous, level), text);
            }
            node->SetStateIndex(state);
            node->SetImageIndex(image);
            node->SetSelectedIndex(selected);
            previous = node;
        }
    } catch (...) {
        nodes_->EndUpdate();
        throw;
    }
    nodes_->EndUpdate();
}

void TUiCheckTreeStrings::SetUpdateState(bool updating) {
    TCustomTreeView* tree = nodes_->Owner();
    if (!tree->HandleAllocated()) return;
    SendMessageA(tree->WindowHandle(), WM_SETREDRAW, !updating, 0);
    if (!updating) tree->Refresh();
}
