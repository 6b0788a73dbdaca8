// Making GIF images smaller before writing: the colour-map optimiser that merges every
// frame's table into one global table, with the per-table histograms it works from.
#pragma once

#include <cstdint>
#include <vector>

#include "gif_image.h"

struct THistogramEntry {
    int32_t UseCount = 0;
    int32_t SourceIndex = 0;
    int32_t TargetIndex = 256;
    TGIFColor Color{};
    THistogramEntry* JoinedTo = nullptr;
    uint32_t ColorKey() const { return (uint32_t(Color.Red) << 16) | (uint32_t(Color.Green) << 8) | Color.Blue; }
};

class THistogram {
public:
    explicit THistogram(TGIFColorMap* map);
    // Counts a frame's pixels; answers whether its transparent colour is shown.
    bool AddFrame(TGIFSubImage* frame);
    int PruneUnused();
    void RemapFrames(bool useTransparency, int newTransparentIndex);
    std::vector<THistogramEntry*>& EntryList() { return entryList_; }
    int FrameCount() const { return static_cast<int>(frames_.size()); }

private:
    std::vector<THistogramEntry> entries_;
    std::vector<THistogramEntry*> entryList_;
    std::vector<TGIFSubImage*> frames_;
    TGIFColorMap* sourceMap_;
};

class TColorMapOptimizer {
public:
    explicit TColorMapOptimizer(TGIFImage* image) : image_(image) {}
    void Run();

private:
    TGIFImage* image_;
    std::vector<std::unique_ptr<THistogram>> histograms_;
    std::vector<THistogramEntry*> merged_;
    std::vector<TGIFColor> newTable_;
    bool useTransparency_ = false;
    int newTransparentIndex_ = 0;
};
