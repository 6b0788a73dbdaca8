// Docking: the dock tree that lays out the controls docked on a site side by side with a
// grabber and a close box each, and the small window in which an undocked control floats.
#pragma once

#include <vector>

#include "cl_forms.h"

// The default dock manager. A site aligned to the top or bottom places its controls side by
// side with the grabber on their left; any other site stacks them with the grabber on top.
// Every visible docked control gets an equal share of the site's client area. A click on a
// grabber's close box hides the control; a double click on a grabber floats it.
class TDockTree : public TObject, public IDockManager {
    CL_CLASS(TDockTree, TObject)

    explicit TDockTree(TWinControl* dockSite) : dockSite_(dockSite) {}

    TWinControl* DockSite() const { return dockSite_; }
    int GrabberSize() const { return grabberSize_; }
    // The docked controls in zone order.
    const std::vector<TControl*>& Zones() const { return zones_; }

    void BeginUpdate() override { ++updateCount_; }
    void EndUpdate() override;
    void GetControlBounds(TControl* control, TRect& rect) override;
    void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) override;
    void RemoveControl(TControl* control) override;
    void ResetBounds(bool force) override;
    void PaintSite(HDC dc) override;
    void PositionDockRect(TControl* client, TControl* dropControl, TAlign dropAlign,
                          TRect& dockRect) override;
    void SetReplacingControl(TControl* control) override { replacing_ = control; }
    bool MouseMessage(TMessage& message) override;

    // Takes the grabber's room out of a zone: its left edge for a site aligned to the top or
    // bottom, its top edge otherwise.
    virtual void AdjustDockRect(TControl* control, TRect& rect);
    // Draws the grabber of `control` in `rect`, the control's bounds widened by the grabber.
    virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect);

    // The grabber frame of a docked control: its bounds widened by what AdjustDockRect takes.
    TRect FrameRect(TControl* control);
    TRect CloseBox(TControl* control);
    // The control whose grabber lies at a client point (null: none).
    TControl* GrabberAt(TPoint point);

protected:
    // Grabbers side by side (the site is aligned to the top or bottom).
    bool GrabbersOnLeft() const;
    int grabberSize_ = 12;

private:
    std::vector<TControl*> VisibleZones() const;
    TRect ZoneRect(int index, int count);

    TWinControl* dockSite_;
    std::vector<TControl*> zones_;
    int updateCount_ = 0;
    TControl* replacing_ = nullptr;
};

// The tool window that a floating control lives in: a dock site that gives its one client the
// whole client area and goes away when the client leaves.
class TFloatingDockForm : public TCustomForm {
    CL_COMPONENT_CLASS(TFloatingDockForm, TCustomForm)

    explicit TFloatingDockForm(TComponent* owner);

protected:
    ~TFloatingDockForm() override = default;
    void DoAddDockClient(TControl* client, const TRect& rect) override;
    void DoRemoveDockClient(TControl* client) override;
};
