#include "cl_imagelist.h"

#include <algorithm>

#include "cl_controls.h"
#include "cl_graphics.h"

namespace {

// A bitmap that no DC holds, with a copy of the source's pixels: the system list takes only
// such bitmaps. Monochrome copies turn the source's white into 1 bits.
class ListBitmap {
public:
    ListBitmap(TBitmap* source, bool monochrome) {
        int width = source->Width(), height = source->Height();
        HDC sourceDC = source->Canvas()->Handle();
        ScreenDC screen;
        handle_ = monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                             : CreateCompatibleBitmap(screen, width, height);
        MemoryDC memory(handle_, screen);
        SetBkColor(sourceDC, RGB(255, 255, 255));
        BitBlt(memory, 0, 0, width, height, sourceDC, 0, 0, SRCCOPY);
    }
    ~ListBitmap() { DeleteObject(handle_); }
    ListBitmap(const ListBitmap&) = delete;
    ListBitmap& operator=(const ListBitmap&) = delete;
    HBITMAP Handle() const { return handle_; }

private:
    HBITMAP handle_;
};

COLORREF ListColor(TColor color) {
    if (color == clNone) return CLR_NONE;
    if (color == clDefault) return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(color));
}

// Pattern where the source is 0, destination where it is 1.
constexpr DWORD kRopPatternThroughMask = 0x00B8074A;

}  // namespace

// ---------------------------------------------------------------------------------------------
TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(sender_);
}

// ---------------------------------------------------------------------------------------------
TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {}

void TCustomImageList::BeforeDestruction() {
    for (TChangeLink* link : links_) link->SetSender(nullptr);
    links_.clear();
    FreeHandle();
    TComponent::BeforeDestruction();
}

void TCustomImageList::FreeHandle() {
    if (handle_ && !shareImages_) ImageList_Destroy(handle_);
    handle_ = nullptr;
}

void TCustomImageList::CreateList() {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | (masked_ ? ILC_MASK : 0), 0, 4);
    if (!handle_) throw EOutOfResources("Out of system resources");
    ImageList_SetBkColor(handle_, ListColor(bkColor_));
}

HIMAGELIST TCustomImageList::Handle() {
    if (!handle_) CreateList();
    return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST handle) {
    FreeHandle();
    handle_ = handle;
    if (handle_) {
        int width = width_, height = height_;
        ImageList_GetIconSize(handle_, &width, &height);
        width_ = width;
        height_ = height;
    }
    Change();
}

void TCustomImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (handle_) {
        FreeHandle();
        Change();
    }
}

void TCustomImageList::SetMasked(bool masked) {
    if (masked == masked_) return;
    masked_ = masked;
    if (handle_) {
        FreeHandle();
        Change();
    }
}

int TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    ListBitmap colour(image, false);
    int index;
    if (mask) {
        ListBitmap monochrome(mask, true);
        index = ImageList_Add(Handle(), colour.Handle(), monochrome.Handle());
    } else {
        index = ImageList_Add(Handle(), colour.Handle(), nullptr);
    }
    if (index < 0) throw EInvalidOperation("Failed to add image to list");
    Change();
    return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    ListBitmap colour(image, false);
    int index = ImageList_AddMasked(Handle(), colour.Handle(), ListColor(maskColor));
    if (index < 0) throw EInvalidOperation("Failed to add image to list");
    Change();
    return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
    int index = ImageList_AddIcon(Handle(), icon->Handle());
    if (index < 0) throw EInvalidOperation("Failed to add image to list");
    Change();
    return index;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    ListBitmap colour(image, false);
    bool done;
    if (mask) {
        ListBitmap monochrome(mask, true);
        done = ImageList_Replace(Handle(), index, colour.Handle(), monochrome.Handle());
    } else {
        done = ImageList_Replace(Handle(), index, colour.Handle(), nullptr);
    }
    if (!done) throw EInvalidOperation("Failed to replace image " + IntToStr(index));
    Change();
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Image index out of range");
    ImageList_Remove(handle_, index);
    Change();
}

void TCustomImageList::Clear() {
    if (handle_) ImageList_Remove(handle_, -1);
    Change();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
    image->SetSize(width_, height_);
    TCanvas* canvas = image->Canvas();
    canvas->Brush()->SetColor(bkColor_ == clNone ? clBtnFace : bkColor_);
    canvas->FillRect(Rect(0, 0, width_, height_));
    Draw(canvas, 0, 0, index);
}

void TCustomImageList::SetBkColor(TColor color) {
    if (color == bkColor_) return;
    bkColor_ = color;
    if (handle_) ImageList_SetBkColor(handle_, ListColor(color));
    Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, drawingStyle_, itImage, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style,
                            TImageType type, bool enabled) {
    static const UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    UINT flags = kStyles[style] | (type == itMask ? ILD_MASK : 0);
    DoDraw(index, canvas, x, y, flags, enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay,
                                   bool enabled) {
    DoDraw(index, canvas, x, y, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(overlay + 1), enabled);
}

bool TCustomImageList::Overlay(int index, int overlay) {
    return ImageList_SetOverlayImage(Handle(), index, overlay + 1) != 0;
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style,
                              bool enabled) {
    if (!handle_ || index < 0 || index >= Count()) return;
    HDC dc = canvas->Handle();
    if (enabled)
        ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, ListColor(bkColor_),
                         ListColor(blendColor_), style);
    else
        DrawDisabled(dc, x, y, index);
}

// The image's shape embossed in the 3-D highlight and shadow colours.
void TCustomImageList::DrawDisabled(HDC dc, int x, int y, int index) {
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP shape = CreateBitmap(width_, height_, 1, 1, nullptr);
    HGDIOBJ oldBitmap = SelectObject(memory, shape);
    PatBlt(memory, 0, 0, width_, height_, WHITENESS);
    ImageList_DrawEx(handle_, index, memory, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    HBRUSH highlight = CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ oldBrush = SelectObject(dc, highlight);
    BitBlt(dc, x + 1, y + 1, width_, height_, memory, 0, 0, kRopPatternThroughMask);
    HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    SelectObject(dc, shadow);
    BitBlt(dc, x, y, width_, height_, memory, 0, 0, kRopPatternThroughMask);
    SelectObject(dc, oldBrush);
    DeleteObject(highlight);
    DeleteObject(shadow);
    SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
    SelectObject(memory, oldBitmap);
    DeleteObject(shape);
    DeleteDC(memory);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    link->SetSender(this);
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    link->SetSender(nullptr);
}

void TCustomImageList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        Change();
    }
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links) link->Change();
    if (OnChange) OnChange(this);
}
