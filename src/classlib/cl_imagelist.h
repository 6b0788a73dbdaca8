// Image lists over the system's image lists: equal-sized images with masks, drawn normally,
// greyed or with an overlay, and change links that tell the users of a list about changes.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "cl_component.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TIcon;

// Tells a user of an image list that the list changed. Freeing the link unregisters it.
class TChangeLink : public TObject {
    CL_CREATABLE_CLASS(TChangeLink, TObject)

    TChangeLink() = default;
    ~TChangeLink() override;

    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* sender) { sender_ = sender; }
    virtual void Change();

    TNotifyEvent OnChange;

private:
    TCustomImageList* sender_ = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
    CL_COMPONENT_CLASS(TCustomImageList, TComponent)

    explicit TCustomImageList(TComponent* owner);
    TCustomImageList(TComponent* owner, int width, int height);
    void BeforeDestruction() override;

    // Changing the size empties the list.
    int Width() const { return width_; }
    void SetWidth(int width) { SetSize(width, height_); }
    int Height() const { return height_; }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    int Count() const;
    bool Masked() const { return masked_; }
    void SetMasked(bool masked);

    // Adds the image (split into several when it is wider than Width); the mask may be null.
    // Returns the index of the first image added.
    int Add(TBitmap* image, TBitmap* mask);
    // Adds the image with every pixel of `maskColor` transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void Delete(int index);
    void Clear();
    // Copies image `index` into `image` (resized to the list's size).
    void GetBitmap(int index, TBitmap* image);

    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
              bool enabled = true);
    // Draws image `index` with overlay number `overlay` (0-based, set up with Overlay).
    void DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay, bool enabled = true);
    // Makes image `index` overlay number `overlay` (0 to 3).
    bool Overlay(int index, int overlay);

    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor color);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor color) { blendColor_ = color; }
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle style) { drawingStyle_ = style; }

    HIMAGELIST Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Adopts a list; with ShareImages the handle is never destroyed by this object.
    void SetHandle(HIMAGELIST handle);
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool share) { shareImages_ = share; }

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    TNotifyEvent OnChange;

protected:
    ~TCustomImageList() override = default;
    virtual void Change();
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled);

private:
    void FreeHandle();
    void CreateList();
    void DrawDisabled(HDC dc, int x, int y, int index);

    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    HIMAGELIST handle_ = nullptr;
    bool shareImages_ = false;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    std::vector<TChangeLink*> links_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

class TImageList : public TCustomImageList {
    CL_COMPONENT_CLASS(TImageList, TCustomImageList)

    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
    TImageList(TComponent* owner, int width, int height)
        : TCustomImageList(owner, width, height) {}

protected:
    ~TImageList() override = default;
};
