// Editing aids of the chart editors: the colour dialog with remembered custom colours, the
// property-linked button and colour button, and a flat drop-down list.
#pragma once

#include <functional>

#include "cl_dialogs.h"
#include "cl_stdctrls.h"

class TPlotCanvas3D;

// The custom colours of the colour dialog, kept between calls; none before the first.
extern TStringList* PlotCustomEditColors;

// The colour chosen in the system colour dialog, or `color` when it is cancelled.
TColor EditColor(TComponent* owner, TColor color);
// True (and `color` changed) only when another colour was chosen.
bool EditColorDialog(TComponent* owner, TColor& color);

// A button linked to a property of an object, painting a symbol over its face.
class TPlotButton : public TButton {
    CL_COMPONENT_CLASS(TPlotButton, TButton)

    explicit TPlotButton(TComponent* owner);
    // An empty name links the object without a property.
    void LinkProperty(TObject* instance, const AnsiString& propertyName);
    TObject* Instance() const { return instance_; }
    const TPropertyInfo* Info() const { return info_; }
    void Dispatch(TMessage& message) override;

protected:
    ~TPlotButton() override = default;
    // Drawn over the button after its own painting, while an object is linked.
    virtual void DrawSymbol(TPlotCanvas3D* canvas) { (void)canvas; }

private:
    void PaintSymbol();
    TObject* instance_ = nullptr;
    const TPropertyInfo* info_ = nullptr;
};

// A button that edits a colour property and shows the colour in a small box.
class TButtonColor : public TPlotButton {
    CL_COMPONENT_CLASS(TButtonColor, TPlotButton)

    explicit TButtonColor(TComponent* owner) : TPlotButton(owner) {}
    // The callback's colour, else the linked property's, else clNone.
    TColor GetPlotColor();
    void SetPlotColor(TColor color);
    void Click() override;

    std::function<TColor()> GetColorProc;

protected:
    ~TButtonColor() override = default;
    void DrawSymbol(TPlotCanvas3D* canvas) override;
};

// A drop-down list drawn flat while the mouse is outside and it has no focus.
class TComboFlat : public TComboBox {
    CL_COMPONENT_CLASS(TComboFlat, TComboBox)

    explicit TComboFlat(TComponent* owner);
    bool MouseInside() const { return mouseInside_; }
    void Dispatch(TMessage& message) override;

protected:
    ~TComboFlat() override = default;

private:
    void PaintFlat();
    bool mouseInside_ = false;
};
