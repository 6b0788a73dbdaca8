#include "UiMenuController.h"

#include <algorithm>

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"
#include "cl_filer.h"
#include "cl_imagelist.h"
#include "cl_menus.h"
#include "cl_settings.h"
#include "cl_sys.h"

namespace {

bool OnMenuBar(TMenuItem* item) { return item->IsTopLevel(); }

}  // namespace

TUiMenuController::TUiMenuController(TComponent* owner)
    : TComponent(owner), selectionColorStart_(clBtnFace), selectionColorStop_(clBtnShadow),
      selectionFrameColor_(cl3DDkShadow), iconBarColorStart_(clWhite),
      iconBarColorStop_(clBtnFace), menuColor_(clWindow), menuFontColor_(clWindowText) {}

void TUiMenuController::BeforeDestruction() {
    if (!InState(csDesigning)) CleanupMenuItems();
    TComponent::BeforeDestruction();
}

void TUiMenuController::Loaded() {
    TComponent::Loaded();
    if (InState(csDesigning))
        SetupMenus();
    else
        SetupMenuItems();
}

void TUiMenuController::SetupMenus() {
    TComponent* form = Owner();
    if (!form) return;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<TMenu*>(form->Components(i))) menu->SetOwnerDraw(true);
}

void TUiMenuController::SetupMenuItems() {
    TComponent* form = Owner();
    if (!form) return;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* item = dynamic_cast<TMenuItem*>(form->Components(i))) SetupMenuItem(item);
}

void TUiMenuController::SetupMenuItem(TMenuItem* item) {
    if (item->OnAdvancedDrawItem || IsHooked(item)) return;
    item->OnAdvancedDrawItem = [this](TObject* sender, TCanvas* canvas, TRect rect,
                                      TOwnerDrawState state) {
        PaintMenuItem(static_cast<TMenuItem*>(sender), canvas, rect, state);
    };
    item->OnMeasureItem = [this](TObject* sender, TCanvas* canvas, int& width, int& height) {
        MeasureMenuItem(static_cast<TMenuItem*>(sender), canvas, width, height);
    };
    item->FreeNotification(this);
    items_.push_back(item);
}

bool TUiMenuController::IsHooked(TMenuItem* item) const {
    return std::find(items_.begin(), items_.end(), item) != items_.end();
}

void TUiMenuController::CleanupMenuItem(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    item->OnAdvancedDrawItem = nullptr;
    item->OnMeasureItem = nullptr;
    items_.erase(it);
}

void TUiMenuController::CleanupMenuItems() {
    while (!items_.empty()) CleanupMenuItem(items_.back());
}

void TUiMenuController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (InState(csDesigning)) {
        if (operation != opInsert) return;
        if (component == this) SetupMenus();
        if (auto* menu = dynamic_cast<TMenu*>(component)) menu->SetOwnerDraw(true);
        return;
    }
    auto* item = dynamic_cast<TMenuItem*>(component);
    if (!item) return;
    if (operation == opInsert && !InState(csLoading))
        SetupMenuItem(item);
    else if (operation == opRemove)
        CleanupMenuItem(item);
}

void TUiMenuController::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    filer->DefineProperty("GradientColorDefault", &TUiOldPropReader::ReadOldBooleanProp, nullptr,
                          false);
    filer->DefineProperty("ThemeAware", &TUiOldPropReader::ReadOldBooleanProp, nullptr, false);
    filer->DefineProperty("GradientColorStart", [this](TReader* reader) {
        selectionColorStart_ = ReadLegacyColor(reader);
    }, nullptr, false);
    filer->DefineProperty("GradientColorStop", [this](TReader* reader) {
        selectionColorStop_ = ReadLegacyColor(reader);
    }, nullptr, false);
    filer->DefineProperty("FrameColor", [this](TReader* reader) {
        selectionFrameColor_ = ReadLegacyColor(reader);
    }, nullptr, false);
}

void TUiMenuController::MeasureMenuItem(TMenuItem* item, TCanvas*, int& width, int& height) {
    TCustomImageList* images = item->GetImageList();
    if (item->IsLine())
        height = 3;
    else
        height = images ? images->Height() + 6 : 22;
    if (!OnMenuBar(item) && !images) width += 31;
}

void TUiMenuController::SelectionColors(TColor& frame, TColor& start, TColor& stop,
                                        TColor& iconStart, TColor& iconStop) const {
    if (gradientColorStyle_ == gcsCustom) {
        frame = selectionFrameColor_;
        start = selectionColorStart_;
        stop = selectionColorStop_;
        iconStart = iconBarColorStart_;
        iconStop = iconBarColorStop_;
        return;
    }
    GetGradientSelectionColors(gradientColorStyle_, frame, start, stop);
    GetGradientPanelColors(gradientColorStyle_, iconStart, iconStop);
}

void TUiMenuController::FillSelection(TCanvas* canvas, const TRect& rect, TColor start,
                                      TColor stop) const {
    if (FullColorSupported) {
        PaintGradient(canvas, rect, gdHorizontalEnd, start, stop);
    } else {
        canvas->Brush()->SetColor(stop);
        canvas->FillRect(rect);
    }
}

void TUiMenuController::DrawCheck(TMenuItem* item, TCanvas* canvas, const TRect& icon,
                                  bool selected, TColor frame, TColor start, TColor stop) {
    const TRect r(icon.Left + 1, icon.Top + 1, icon.Right - 3, icon.Bottom - 1);
    const TRect inside = DrawBox(canvas, r, frame);
    const TColor dark = DarkerColor(stop, 40);
    if (selected) {
        canvas->Brush()->SetColor(dark);
        canvas->FillRect(inside);
    } else if (FullColorSupported) {
        PaintGradient(canvas, inside, gdHorizontalEnd, dark, start);
    } else {
        canvas->Brush()->SetColor(stop);
        canvas->FillRect(inside);
    }
    if (item->GetImageList() && item->ImageIndex() != -1) return;
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    RECT box = {0, 0, 16, 16};
    DrawFrameControl(glyph.Canvas()->Handle(), &box, DFC_MENU,
                     item->RadioItem() ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    // The glyph is black on white: white is left out, black takes the text colour.
    const TColor savedFont = canvas->Font()->Color();
    canvas->Font()->SetColor(clBtnText);
    const TRect at = CenterRect(icon, 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (glyph.Canvas()->Pixels(x, y) == 0)
                canvas->SetPixels(at.Left + x, at.Top + y, canvas->Font()->Color());
    canvas->Font()->SetColor(savedFont);
}

void TUiMenuController::PaintMenuItem(TMenuItem* item, TCanvas* canvas, TRect rect,
                                      const TOwnerDrawState& state) {
    TColor frame, start, stop, iconStart, iconStop;
    SelectionColors(frame, start, stop, iconStart, iconStop);
    TCustomImageList* images = item->GetImageList();
    const bool bar = OnMenuBar(item);
    const bool selected = state.count(odSelected) != 0;
    const bool checked = item->Checked();
    TRect icon = rect;
    icon.Right = rect.Left + (images ? images->Width() + 8 : 24);
    TRect text = rect;
    if (!bar) text.Left = icon.Right;
    canvas->Font()->SetColor(menuFontColor_);
    if (bar) {
        if (selected || state.count(odHotLight)) {
            const TRect inside =
                DrawBox(canvas, TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1),
                        frame);
            FillSelection(canvas, inside, start, stop);
        } else {
            canvas->Brush()->SetColor(ThemeServices()->GetThemesEnabled() ? clMenuBar : clBtnFace);
            canvas->FillRect(rect);
        }
        const bool newer =
            Win32MajorVersion > 4 || (Win32MajorVersion == 4 && Win32MinorVersion > 0);
        if (newer && state.count(odInactive)) canvas->Font()->SetColor(clGrayText);
    } else {
        if (selected && item->Enabled()) {
            const TRect inside = DrawBox(canvas, rect, frame);
            FillSelection(canvas, inside, start, stop);
            if (checked) DrawCheck(item, canvas, icon, true, frame, start, stop);
        } else {
            if (FullColorSupported) {
                PaintGradient(canvas, icon, gdVerticalEnd, iconStart, iconStop);
            } else {
                canvas->Brush()->SetColor(iconStop);
                canvas->FillRect(icon);
            }
            if (checked) DrawCheck(item, canvas, icon, false, frame, start, stop);
            canvas->Brush()->SetColor(menuColor_);
            canvas->FillRect(text);
        }
        text.Left += 6;
        if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count())
            images->Draw(canvas, icon.Left + 3, icon.Top + 3, item->ImageIndex(), item->Enabled());
    }
    if (item->IsLine()) {
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(text.Left, text.Top + 1);
        canvas->LineTo(text.Right, text.Top + 1);
        return;
    }
    const TFontStyles savedStyle = canvas->Font()->Style();
    canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
    if (bar) flags |= DT_CENTER;
    if (state.count(odNoAccel) && HideMenuPrefix() && Win32Platform == VER_PLATFORM_WIN32_NT &&
        Win32MajorVersion >= 5)
        flags |= DT_HIDEPREFIX;
    if (item->Default()) {
        TFontStyles bold = savedStyle;
        bold.insert(fsBold);
        canvas->Font()->SetStyle(bold);
    }
    if (!item->Enabled()) canvas->Font()->SetColor(clGrayText);
    RECT r = ToRECT(text);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, item->Caption().c_str(), -1, &r, flags);
    if (!bar && item->ShortCut()) {
        RECT s = ToRECT(TRect(text.Left, text.Top, text.Right - 10, text.Bottom));
        DrawTextA(dc, ShortCutToText(item->ShortCut()).c_str(), -1, &s,
                  DT_VCENTER | DT_SINGLELINE | DT_RIGHT);
    }
    canvas->Font()->SetStyle(savedStyle);
    canvas->Brush()->SetStyle(bsSolid);
}

bool TUiMenuController::HideMenuPrefix() {
    try {
        TRegistry registry(KEY_READ);
        if (!registry.OpenKeyReadOnly("\\Control Panel\\Desktop")) return false;
        if (registry.GetDataSize("UserPreferencesMask") < 4) return false;
        uint8_t mask[16] = {};
        if (registry.ReadBinaryData("UserPreferencesMask", mask, sizeof(mask)) < 4) return false;
        return (mask[0] & 0x20) == 0;
    } catch (...) {
        return false;
    }
}

namespace {

// The controller's published properties, for the component streams.
const bool menuControllerPropertiesRegistered = [] {
    using C = TUiMenuController;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("GradientColorStyle", &C::GradientColorStyle,
                                           &C::SetGradientColorStyle,
                                           {"gcsSystem", "gcsMSOffice", "gcsCustom"}, gcsSystem));
    const struct {
        const char* name;
        TColor (C::*get)() const;
        void (C::*set)(TColor);
        TColor def;
    } colors[] = {{"SelectionColorStart", &C::SelectionColorStart, &C::SetSelectionColorStart,
                   clBtnFace},
                  {"SelectionColorStop", &C::SelectionColorStop, &C::SetSelectionColorStop,
                   clBtnShadow},
                  {"SelectionFrameColor", &C::SelectionFrameColor, &C::SetSelectionFrameColor,
                   cl3DDkShadow},
                  {"IconBarColorStart", &C::IconBarColorStart, &C::SetIconBarColorStart, clWhite},
                  {"IconBarColorStop", &C::IconBarColorStop, &C::SetIconBarColorStop, clBtnFace},
                  {"MenuColor", &C::MenuColor, &C::SetMenuColor, clWindow},
                  {"MenuFontColor", &C::MenuFontColor, &C::SetMenuFontColor, clWindowText}};
    for (const auto& c : colors)
        RegisterProperty(meta, OrdinalProperty<C>(c.name, pkColor, c.get, c.set, c.def));
    return true;
}();

}  // namespace
