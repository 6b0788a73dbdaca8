// One frame of a GIF image: its image descriptor, pixels, local colour table and extensions,
// and the bitmap, transparency mask and palette made from them for drawing.
#pragma once

#include <windows.h>

#include "cl_graphics.h"
#include "gif_colormap.h"

class TGIFGraphicControlExtension;

class TGIFSubImage : public TGIFItem {
    CL_CLASS(TGIFSubImage, TGIFItem)

    explicit TGIFSubImage(TGIFImage* image);
    ~TGIFSubImage() override;
    void Assign(TPersistent* source) override;
    void AssignTo(TPersistent* dest) override;
    TGIFVersion GetVersion() override;
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;

    void Clear();
    // Index 1 to 4: Left, Top, Width, Height; other indexes read 0.
    int GetBounds(int index) const;
    void SetBounds(int index, int value);
    int Left() const { return Descriptor.Left(); }
    int Top() const { return Descriptor.Top(); }
    int Width() const { return Descriptor.Width(); }
    int Height() const { return Descriptor.Height(); }
    TRect BoundsRect() const { return Rect(Left(), Top(), Left() + Width(), Top() + Height()); }
    void SetBoundsRect(const TRect& rect);
    TRect ClientRect() const { return Rect(0, 0, Width(), Height()); }
    bool Empty() const;
    bool Interlaced() const { return Descriptor.Interlaced(); }
    void SetInterlaced(bool interlaced);
    TGIFColorMap* ActiveColorMap() const;
    TGIFLocalColorMap* ColorMap() const { return LocalMap; }
    int BitsPerPixel() const { return LocalMap->GetBitsPerPixel(); }
    int ColorResolution() const { return BitsPerPixel() - 1; }
    TGIFExtensionList* Extensions() const { return ExtensionList; }
    TGIFGraphicControlExtension* GraphicControlExtension() const { return ControlExtension; }
    bool Transparent() const { return TransparentFlag; }
    uint8_t TransparentIndex() const;

    void NewImage();
    void FreeImage();
    void NeedImage();
    uint8_t* Data() const { return PixelData.empty() ? nullptr : const_cast<uint8_t*>(PixelData.data()); }
    int DataSize() const { return static_cast<int>(PixelData.size()); }
    uint8_t* GetScanline(int row);
    uint8_t GetPixel(int x, int y);

    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* bitmap);
    bool HasBitmap() const { return BitmapCache != nullptr; }
    void SetHasBitmap(bool has);
    void NewBitmap();
    void FreeBitmap();
    bool HasMask();
    void FreeMask();
    HBITMAP Mask() const { return FrameMask; }
    HPALETTE GetPalette();
    void SetPalette(HPALETTE palette);

    void Draw(TCanvas* canvas, const TRect& rect, bool transparent, bool tile);
    void StretchDraw(TCanvas* canvas, const TRect& rect, bool transparent, bool tile);
    TRect ScaleRect(const TRect& rect) const;
    void Crop();
    void Merge(TGIFSubImage* previous);
    void Prepare();
    void Compress(TStream* stream);

    // Kept by the extensions (see TGIFGraphicControlExtension).
    bool TransparentFlag = false;
    TGIFGraphicControlExtension* ControlExtension = nullptr;
    TGIFDescriptorBytes Descriptor{};

private:
    friend class TGIFLocalColorMap;
    void DoSetBounds(int left, int top, int width, int height);
    TBitmap* RenderPlain();
    TBitmap* RenderDithered();
    void BuildMask(const std::vector<uint8_t>& bits);
    void AssignFrame(TGIFSubImage* source);
    void AssignBitmap(TBitmap* bitmap);
    void AssignDrawn(TGraphic* graphic, int width, int height);
    void ReadBitmapPixels(TBitmap* bitmap);
    void AddMask(HBITMAP mask);
    void ForEachTile(const TRect& rect, const std::function<void(const TRect&)>& draw);
    void DrawMasked(TCanvas* canvas, const TRect& dest);

    TBitmap* BitmapCache = nullptr;
    HBITMAP FrameMask = nullptr;
    bool MaskPending = true;
    HPALETTE PaletteHandle = nullptr;
    std::vector<uint8_t> PixelData;
    TGIFLocalColorMap* LocalMap;
    TGIFExtensionList* ExtensionList;
};
