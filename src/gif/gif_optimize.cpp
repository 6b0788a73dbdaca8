#include "gif_optimize.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "gif_encoder.h"
#include "gif_error.h"
#include "gif_extensions.h"

THistogram::THistogram(TGIFColorMap* map) : sourceMap_(map)
{
    entries_.resize(map->Count());
    for (int i = 0; i < map->Count(); ++i) {
        entries_[i].SourceIndex = i;
        entries_[i].Color = map->Entry(i);
        entryList_.push_back(&entries_[i]);
    }
}

bool THistogram::AddFrame(TGIFSubImage* frame)
{
    if (frame->Empty())
        return false;
    frames_.push_back(frame);
    const bool transparent = frame->Transparent();
    const uint8_t transparentIndex = frame->TransparentIndex();
    bool shown = false;
    bool counting = true;
    uint8_t* pixels = frame->Data();
    for (int i = 0; i < frame->DataSize(); ++i) {
        if (transparent && pixels[i] == transparentIndex) {
            shown = true;
            continue;
        }
        if (pixels[i] >= entries_.size()) {
            frame->Warning(gsWarning, sColorNotInTable);
            pixels[i] = 0;
            if (entries_.empty())
                continue;
        }
        if (counting) {
            if (entries_[pixels[i]].UseCount == 0x7FFFFFFF)
                counting = false;
            else
                ++entries_[pixels[i]].UseCount;
        }
    }
    if (transparent && !shown && frame->GraphicControlExtension()) {
        frame->GraphicControlExtension()->ControlBlock[4] = 0;
        frame->GraphicControlExtension()->SetTransparent(false);
    }
    return shown;
}

int THistogram::PruneUnused()
{
    std::sort(entryList_.begin(), entryList_.end(),
              [](const THistogramEntry* a, const THistogramEntry* b) { return a->UseCount > b->UseCount; });
    size_t used = 0;
    while (used < entryList_.size() && entryList_[used]->UseCount > 0)
        ++used;
    for (size_t i = used; i < entryList_.size(); ++i)
        entryList_[i]->UseCount = -1;
    entryList_.resize(used);
    return static_cast<int>(used);
}

void THistogram::RemapFrames(bool useTransparency, int newTransparentIndex)
{
    uint8_t translation[256] = {};
    for (THistogramEntry* entry : entryList_) {
        const THistogramEntry* target = entry->JoinedTo ? entry->JoinedTo : entry;
        translation[entry->SourceIndex] = static_cast<uint8_t>(target->TargetIndex);
    }
    for (TGIFSubImage* frame : frames_) {
        const bool transparent = frame->Transparent() && useTransparency;
        const uint8_t oldTransparent = frame->TransparentIndex();
        uint8_t* pixels = frame->Data();
        for (int i = 0; i < frame->DataSize(); ++i)
            pixels[i] = transparent && pixels[i] == oldTransparent ? static_cast<uint8_t>(newTransparentIndex)
                                                                   : translation[pixels[i]];
        if (transparent && frame->GraphicControlExtension())
            frame->GraphicControlExtension()->ControlBlock[4] = static_cast<uint8_t>(newTransparentIndex);
    }
}

void TColorMapOptimizer::Run()
{
    image_->PaintStop();
    image_->Painters()->LockList();
    struct Unlock {
        TThreadList* list;
        ~Unlock() { list->UnlockList(); }
    } unlock{image_->Painters()};

    TGIFColorMap* global = image_->GetColorMap();
    if (global->Count() > 0) {
        auto histogram = std::make_unique<THistogram>(global);
        for (int i = 0; i < image_->FrameCount(); ++i) {
            TGIFSubImage* frame = image_->Frame(i);
            if (!frame->Empty() && frame->ColorMap()->Count() == 0)
                useTransparency_ = histogram->AddFrame(frame) || useTransparency_;
        }
        if (histogram->FrameCount() > 0)
            histograms_.push_back(std::move(histogram));
    }
    for (int i = 0; i < image_->FrameCount(); ++i) {
        TGIFSubImage* frame = image_->Frame(i);
        if (frame->Empty() || frame->ColorMap()->Count() == 0)
            continue;
        histograms_.push_back(std::make_unique<THistogram>(frame->ColorMap()));
        useTransparency_ = histograms_.back()->AddFrame(frame) || useTransparency_;
    }
    for (auto& histogram : histograms_) {
        histogram->PruneUnused();
        merged_.insert(merged_.end(), histogram->EntryList().begin(), histogram->EntryList().end());
    }
    // Join duplicate colours into the first entry of each colour.
    std::sort(merged_.begin(), merged_.end(),
              [](const THistogramEntry* a, const THistogramEntry* b) { return a->ColorKey() > b->ColorKey(); });
    THistogramEntry* distinct = nullptr;
    for (THistogramEntry* entry : merged_) {
        if (distinct && distinct->ColorKey() == entry->ColorKey()) {
            distinct->UseCount += entry->UseCount;
            entry->UseCount = 0;
            entry->JoinedTo = distinct;
        } else {
            distinct = entry;
        }
    }
    std::stable_sort(merged_.begin(), merged_.end(),
                     [](const THistogramEntry* a, const THistogramEntry* b) { return a->UseCount > b->UseCount; });
    const int limit = useTransparency_ ? 255 : 256;
    int count = 0;
    while (count < static_cast<int>(merged_.size()) && count < limit && merged_[count]->UseCount > 0)
        ++count;
    for (int k = 0; k < count; ++k) {
        merged_[k]->TargetIndex = k;
        newTable_.push_back(merged_[k]->Color);
    }
    for (size_t k = count; k < merged_.size(); ++k) {
        THistogramEntry* entry = merged_[k];
        if (entry->JoinedTo)
            continue;
        int best = 765, bestIndex = 0;
        for (int i = 0; i < count; ++i) {
            const TGIFColor& c = newTable_[i];
            const int distance = std::abs(c.Red - entry->Color.Red) + std::abs(c.Green - entry->Color.Green) +
                                 std::abs(c.Blue - entry->Color.Blue);
            if (distance < best) {
                best = distance;
                bestIndex = i;
            }
        }
        entry->TargetIndex = bestIndex;
    }
    if (useTransparency_) {
        newTransparentIndex_ = static_cast<int>(newTable_.size());
        newTable_.push_back(TGIFColor{0, 0, 0});
    }
    for (int i = 0; i < image_->FrameCount(); ++i)
        image_->Frame(i)->ColorMap()->Clear();
    global->ImportColorMap(newTable_.data(), static_cast<int>(newTable_.size()));
    global->SortedByUse = true;
    for (auto& histogram : histograms_)
        histogram->RemapFrames(useTransparency_, newTransparentIndex_);
    for (int i = 0; i < image_->FrameCount(); ++i) {
        image_->Frame(i)->FreeBitmap();
        image_->Frame(i)->FreeMask();
        image_->Frame(i)->SetPalette(nullptr);
    }
}

void TGIFImage::OptimizeColorMap()
{
    TColorMapOptimizer(this).Run();
}

namespace {

bool Intersects(const TRect& a, const TRect& b)
{
    return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
           std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

bool Contains(const TRect& outer, const TRect& inner)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

bool ShowsIndex(TGIFSubImage* frame, uint8_t index)
{
    const uint8_t* pixels = frame->Data();
    return pixels && std::find(pixels, pixels + frame->DataSize(), index) != pixels + frame->DataSize();
}

TDisposalMethod DisposalOf(TGIFSubImage* frame)
{
    return frame->GraphicControlExtension() ? frame->GraphicControlExtension()->Disposal() : dmNone;
}

}  // namespace

void TGIFImage::Optimize(TGIFOptimizeOptions options, TColorReduction reduction, TDitherMode, int)
{
    if (Empty())
        return;
    PaintStop();
    PainterList->LockList();
    struct Unlock {
        TThreadList* list;
        ~Unlock() { list->UnlockList(); }
    } unlock{PainterList};
    const int total = 6 * FrameCount();
    int step = 0;
    auto advance = [&](int steps) {
        step += steps;
        ReportProgress(this, psRunning, total > 0 ? step * 100 / total : 100, false, "Optimizing...");
    };
    auto has = [&](TGIFOptimizeOption option) { return (options & GIFOptimizeOption(option)) != 0; };
    ReportProgress(this, psStarting, 0, false, "Optimizing...");
    try {
        if (has(ooColorMap)) {
            if (GetColorMap()->Count() > 0)
                GetColorMap()->Optimize();
            for (int i = 0; i < FrameCount(); ++i)
                if (Frame(i)->ColorMap()->Count() > 0)
                    Frame(i)->ColorMap()->Optimize();
        }
        advance(FrameCount());
        if (has(ooCleanup)) {
            for (int i = 0; i < FrameCount(); ++i) {
                TGIFSubImage* frame = Frame(i);
                if (frame->Transparent() && !ShowsIndex(frame, frame->TransparentIndex()))
                    frame->GraphicControlExtension()->SetTransparent(false);
            }
            for (int i = 0; i + 1 < FrameCount(); ++i) {
                TGIFGraphicControlExtension* control = Frame(i)->GraphicControlExtension();
                if (control && (control->Disposal() == dmBackground || control->Disposal() == dmPrevious) &&
                    !Frame(i + 1)->Transparent() && Intersects(Frame(i)->BoundsRect(), Frame(i + 1)->BoundsRect()) &&
                    Contains(Frame(i + 1)->BoundsRect(), Frame(i)->BoundsRect()))
                    control->SetDisposal(dmNone);
            }
        }
        advance(FrameCount());
        if (has(ooMerge)) {
            for (int i = FrameCount() - 1; i >= 1; --i) {
                int previous = i - 1;
                while (previous > 0 && DisposalOf(Frame(previous)) == dmPrevious)
                    --previous;
                Frame(i)->Merge(Frame(previous));
            }
        }
        advance(FrameCount());
        if (has(ooCrop)) {
            for (int i = FrameCount() - 1; i >= 0; --i) {
                TGIFSubImage* frame = Frame(i);
                if (frame->Empty() || !frame->Transparent())
                    continue;
                const int delay = frame->GraphicControlExtension() ? frame->GraphicControlExtension()->Delay() : 0;
                frame->Crop();
                if (!frame->Empty())
                    continue;
                if (i > 0 && Frame(i - 1)->Transparent() && Frame(i - 1)->GraphicControlExtension())
                    Frame(i - 1)->GraphicControlExtension()->SetDelay(
                        Frame(i - 1)->GraphicControlExtension()->Delay() + delay);
                FrameList->Delete(i);
            }
        }
        advance(FrameCount());
        if (has(ooCleanup)) {
            for (int i = FrameCount() - 1; i >= 0; --i) {
                TGIFSubImage* frame = Frame(i);
                TGIFExtensionList* list = frame->Extensions();
                for (int k = list->GetCount() - 1; k >= 0; --k) {
                    TGIFExtension* extension = list->GetExtension(k);
                    bool remove = dynamic_cast<TGIFCommentExtension*>(extension) ||
                                  dynamic_cast<TGIFTextExtension*>(extension) ||
                                  dynamic_cast<TGIFUnknownAppExtension*>(extension);
                    if (dynamic_cast<TGIFAppExtNSLoop*>(extension))
                        remove = !(i == 0 && FrameCount() > 1);
                    if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(extension))
                        remove = !control->Transparent() && !control->UserInput() &&
                                 (control->Delay() == 0 || FrameCount() == 1) &&
                                 (control->Disposal() == dmNone || control->Disposal() == dmNoDisposal ||
                                  FrameCount() == 1);
                    if (remove)
                        list->Delete(k);
                }
                if (frame->Empty() && list->GetCount() == 0)
                    FrameList->Delete(i);
            }
        }
        advance(FrameCount());
        if (has(ooReduceColors) && !has(ooCleanup) && reduction == rmPalette)
            RaiseGIFError("Invalid reduction method");
    } catch (...) {
        ReportProgress(this, psEnding, 0, false, "Optimizing...");
        throw;
    }
    ReportProgress(this, psEnding, 100, false, "Optimizing...");
    FreeBitmap();
    Changed(this);
}

void TGIFImage::Pack()
{
    FreeBitmap();
    SetPalette(nullptr);
    for (int i = 0; i < FrameCount(); ++i) {
        Frame(i)->FreeBitmap();
        Frame(i)->SetPalette(nullptr);
    }
    if (GetColorMap()->Count() == 0 && FrameCount() == 1) {
        TGIFLocalColorMap* local = Frame(0)->ColorMap();
        GetColorMap()->Assign(local);
        local->Clear();
    }
}
