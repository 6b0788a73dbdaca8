// JPEG pictures: TJPEGImage decodes the file at once through libjpeg's decompression pipeline
// into a 24-bit bitmap and keeps the original bytes for saving.
#pragma once

#include <cstdint>
#include <vector>

#include "cl_graphics.h"

// A corrupt or unsupported file raises EInvalidGraphic "JPEG error #<code>: <libjpeg's text>".
class TJPEGImage : public TGraphic {
    CL_CREATABLE_CLASS(TJPEGImage, TGraphic)

    ~TJPEGImage() override;
    void Assign(TPersistent* source) override;
    // Into a TBitmap: the decoded pixels.
    void AssignTo(TPersistent* dest) override;

    bool Empty() const override { return !bitmap_; }
    int Width() const override;
    int Height() const override;
    // The size is the image's own.
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // True when the file holds a single grey channel.
    bool Grayscale() const { return grayscale_; }
    // The decoded pixels (pf24bit); null while empty.
    TBitmap* Bitmap() const { return bitmap_; }

    void LoadFromStream(TStream* stream) override;
    // Writes the bytes the image was loaded from.
    void SaveToStream(TStream* stream) override;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    void Clear();
    TBitmap* bitmap_ = nullptr;
    std::vector<uint8_t> data_;
    bool grayscale_ = false;
};
