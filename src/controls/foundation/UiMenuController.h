// The menu controller: gives the owner form's owner-drawn menus an Office-like look (gradient
// icon bar, framed gradient selection, boxed checks) by hooking the items' drawing events.
#pragma once

#include <vector>

#include "UiCommon.h"
#include "cl_component.h"
#include "cl_graphics.h"

class TMenuItem;

class TUiMenuController : public TComponent {
    CL_COMPONENT_CLASS(TUiMenuController, TComponent)

    explicit TUiMenuController(TComponent* owner);

    TUiGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    void SetGradientColorStyle(TUiGradientColorStyle value) { gradientColorStyle_ = value; }
    TColor SelectionColorStart() const { return selectionColorStart_; }
    void SetSelectionColorStart(TColor value) { selectionColorStart_ = value; }
    TColor SelectionColorStop() const { return selectionColorStop_; }
    void SetSelectionColorStop(TColor value) { selectionColorStop_ = value; }
    TColor SelectionFrameColor() const { return selectionFrameColor_; }
    void SetSelectionFrameColor(TColor value) { selectionFrameColor_ = value; }
    TColor IconBarColorStart() const { return iconBarColorStart_; }
    void SetIconBarColorStart(TColor value) { iconBarColorStart_ = value; }
    TColor IconBarColorStop() const { return iconBarColorStop_; }
    void SetIconBarColorStop(TColor value) { iconBarColorStop_ = value; }
    TColor MenuColor() const { return menuColor_; }
    void SetMenuColor(TColor value) { menuColor_ = value; }
    TColor MenuFontColor() const { return menuFontColor_; }
    void SetMenuFontColor(TColor value) { menuFontColor_ = value; }

    void SetupMenus();
    void SetupMenuItems();
    // Hooks an item that has no drawing handler of its own.
    void SetupMenuItem(TMenuItem* item);
    void CleanupMenuItem(TMenuItem* item);
    void CleanupMenuItems();
    bool IsHooked(TMenuItem* item) const;

    void MeasureMenuItem(TMenuItem* item, TCanvas* canvas, int& width, int& height);
    void PaintMenuItem(TMenuItem* item, TCanvas* canvas, TRect rect, const TOwnerDrawState& state);
    // Keyboard cues are off in the user's preferences.
    static bool HideMenuPrefix();

protected:
    void BeforeDestruction() override;
    ~TUiMenuController() override = default;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

private:
    void SelectionColors(TColor& frame, TColor& start, TColor& stop, TColor& iconStart,
                         TColor& iconStop) const;
    void FillSelection(TCanvas* canvas, const TRect& rect, TColor start, TColor stop) const;
    void DrawCheck(TMenuItem* item, TCanvas* canvas, const TRect& icon, bool selected,
                   TColor frame, TColor start, TColor stop);

    TUiGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor selectionColorStart_;
    TColor selectionColorStop_;
    TColor selectionFrameColor_;
    TColor iconBarColorStart_;
    TColor iconBarColorStop_;
    TColor menuColor_;
    TColor menuFontColor_;
    std::vector<TMenuItem*> items_;
};
