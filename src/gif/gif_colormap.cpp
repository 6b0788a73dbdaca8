#include "gif_colormap.h"

#include <algorithm>
#include <cstring>

#include "gif_dib.h"
#include "gif_error.h"
#include "gif_extensions.h"
#include "gif_image.h"

namespace {

const char* const sInvalidColorIndex = "Invalid color index";
const char* const sColorTableOverflow = "Color table overflow";

}  // namespace

void TGIFItem::Warning(TGIFSeverity severity, const AnsiString& message)
{
    if (OwnerImage)
        OwnerImage->Warning(this, severity, message);
}

void TGIFItem::SaveToFile(const AnsiString& fileName)
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(&stream);
}

void TGIFItem::LoadFromFile(const AnsiString& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

TGIFList::~TGIFList()
{
    Clear();
}

void TGIFList::Warning(TGIFSeverity severity, const AnsiString& message)
{
    if (OwnerImage)
        OwnerImage->Warning(this, severity, message);
}

void TGIFList::SaveToStream(TStream* stream)
{
    for (int i = 0; i < GetCount(); ++i)
        GetItem(i)->SaveToStream(stream);
}

void TGIFList::Clear()
{
    while (GetCount() > 0)
        Delete(0);
}

void TGIFList::Delete(int index)
{
    TGIFItem* item = GetItem(index);
    ItemList.Delete(index);
    TObject::Free(item);
}

void TGIFColorMap::Clear()
{
    Entries.clear();
    EntryCount = 0;
    EntryCapacity = 0;
    SortedByUse = false;
}

void TGIFColorMap::SetCapacity(int n)
{
    if (n < EntryCapacity)
        return;
    int capacity = n <= 16 ? 16 : (n + 31) / 32 * 32;
    capacity = std::min(capacity, 256);
    EntryCapacity = capacity;
    Entries.resize(capacity, TGIFColor{0, 0, 0});
}

void TGIFColorMap::LoadFromStream(TStream* stream, int n)
{
    if (n > 256)
        RaiseGIFError(sColorTableOverflow);
    Clear();
    SetCapacity(n);
    TGIFStreamAdapter adapter(stream);
    ReadExactly(adapter, Entries.data(), 3 * n);
    EntryCount = n;
}

void TGIFColorMap::SaveToStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    WriteColorTable(adapter, Colors());
}

int TGIFColorMap::IndexOf(const TGIFColor& color) const
{
    if (SortedByUse) {
        for (int i = 0; i < EntryCount; ++i)
            if (Entries[i] == color)
                return i;
        return -1;
    }
    for (int i = EntryCount - 1; i >= 0; --i)
        if (Entries[i] == color)
            return i;
    return -1;
}

int TGIFColorMap::Add(const TGIFColor& color)
{
    if (EntryCount >= 256)
        RaiseGIFError(sColorTableOverflow);
    if (EntryCount >= EntryCapacity)
        SetCapacity(EntryCount + 1);
    Entries[EntryCount] = color;
    SortedByUse = false;
    Changed();
    return EntryCount++;
}

int TGIFColorMap::AddUnique(const TGIFColor& color)
{
    const int index = IndexOf(color);
    return index >= 0 ? index : Add(color);
}

void TGIFColorMap::CheckIndex(int index) const
{
    if (index < 0 || index >= EntryCount)
        RaiseGIFError(sInvalidColorIndex);
}

void TGIFColorMap::Delete(int index)
{
    CheckIndex(index);
    Entries.erase(Entries.begin() + index);
    Entries.push_back(TGIFColor{0, 0, 0});
    --EntryCount;
    SortedByUse = false;
    Changed();
}

TColor TGIFColorMap::GetColor(int index)
{
    if (index < 0 || index >= EntryCount) {
        Warning(gsWarning, sInvalidColorIndex);
        if (EntryCount == 0)
            RaiseGIFError("Color table is empty");
        index = 0;
    }
    return RGB2Color(Entries[index]);
}

void TGIFColorMap::SetColor(int index, TColor color)
{
    CheckIndex(index);
    Entries[index] = Color2RGB(color);
    Changed();
}

void TGIFColorMap::ImportPalette(HPALETTE palette)
{
    Clear();
    const std::vector<TGIFColor> colors = PaletteColors(palette);
    if (colors.empty())
        return;
    SetCapacity(static_cast<int>(colors.size()));
    std::copy(colors.begin(), colors.end(), Entries.begin());
    EntryCount = static_cast<int>(colors.size());
    Changed();
}

void TGIFColorMap::ImportColorMap(const TGIFColor* table, int n)
{
    n = std::min(n, 256);
    const std::vector<TGIFColor> copy(table, table + std::max(n, 0));
    Clear();
    if (n <= 0)
        return;
    SetCapacity(n);
    std::copy(copy.begin(), copy.end(), Entries.begin());
    EntryCount = n;
    Changed();
}

void TGIFColorMap::ImportColorTable(const RGBQUAD* quads, int n)
{
    Clear();
    n = std::min(n, 256);
    if (n <= 0)
        return;
    SetCapacity(n);
    for (int i = 0; i < n; ++i)
        Entries[i] = TGIFColor{quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue};
    EntryCount = n;
    Changed();
}

void TGIFColorMap::ImportDIBColors(HDC dc)
{
    Clear();
    RGBQUAD quads[256];
    const UINT n = GetDIBColorTable(dc, 0, 256, quads);
    ImportColorTable(quads, static_cast<int>(n));
    Changed();
}

HPALETTE TGIFColorMap::ExportPalette() const
{
    if (EntryCount == 0)
        return nullptr;
    return CreateColorPalette(Colors(), PC_NOCOLLAPSE);
}

std::vector<TGIFColor> TGIFColorMap::FullTable() const
{
    std::vector<TGIFColor> table(256, TGIFColor{0, 0, 0});
    std::copy(Entries.begin(), Entries.begin() + EntryCount, table.begin());
    return table;
}

void TGIFColorMap::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TGIFColorMap*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    Clear();
    EntryCapacity = other->EntryCapacity;
    EntryCount = other->EntryCount;
    SortedByUse = other->SortedByUse;
    Entries.assign(EntryCapacity, TGIFColor{0, 0, 0});
    std::copy(other->Entries.begin(), other->Entries.begin() + EntryCount, Entries.begin());
    Changed();
}

namespace {

void SortByUse(TUsageCount* entries, int lo, int hi)
{
    while (lo < hi) {
        int i = lo, j = hi;
        const int pivot = entries[(lo + hi) / 2].UseCount;
        while (i <= j) {
            while (entries[i].UseCount > pivot)
                ++i;
            while (entries[j].UseCount < pivot)
                --j;
            if (i <= j)
                std::swap(entries[i++], entries[j--]);
        }
        if (lo < j)
            SortByUse(entries, lo, j);
        lo = i;
    }
}

}  // namespace

bool TGIFColorMap::DoOptimize()
{
    if (EntryCount <= 1)
        return false;
    SortedByUse = true;
    TUsageCount histogram[256];
    BuildHistogram(histogram);
    SortByUse(histogram, 0, EntryCount - 1);
    bool inOrder = true;
    for (int k = 0; k < EntryCount; ++k)
        inOrder = inOrder && histogram[k].SourceIndex == k;
    if (inOrder)
        return true;
    int map[256];
    for (int i = 0; i < 256; ++i)
        map[i] = 0;
    for (int k = 0; k < EntryCount; ++k)
        map[histogram[k].SourceIndex] = k;
    MapImages(map);
    const std::vector<TGIFColor> old = Entries;
    for (int i = 0; i < EntryCount; ++i)
        Entries[map[i]] = old[i];
    for (int k = 0; k < EntryCount; ++k) {
        if (histogram[k].UseCount == 0) {
            EntryCount = k;
            break;
        }
    }
    Changed();
    return true;
}

namespace {

// Counts the pixels of a frame into the histogram; values beyond the table count nowhere.
void CountFrame(TGIFSubImage* frame, TUsageCount* histogram, int entries)
{
    const uint8_t* pixels = frame->Data();
    for (int i = 0; i < frame->DataSize(); ++i)
        if (pixels[i] < entries)
            ++histogram[pixels[i]].UseCount;
}

void MapFrame(TGIFSubImage* frame, const int* map, int entries)
{
    uint8_t* pixels = frame->Data();
    for (int i = 0; i < frame->DataSize(); ++i)
        if (pixels[i] < entries)
            pixels[i] = static_cast<uint8_t>(map[pixels[i]]);
    if (frame->TransparentFlag && frame->GraphicControlExtension()) {
        const int index = frame->GraphicControlExtension()->TransparentColorIndex();
        if (index < entries)
            frame->GraphicControlExtension()->ControlBlock[4] = static_cast<uint8_t>(map[index]);
    }
    frame->FreeBitmap();
    frame->FreeMask();
}

void InitHistogram(TUsageCount* histogram, int entries)
{
    for (int i = 0; i < 256; ++i)
        histogram[i] = TUsageCount{0, i};
    (void)entries;
}

}  // namespace

TGIFGlobalColorMap::~TGIFGlobalColorMap() = default;

void TGIFGlobalColorMap::Warning(TGIFSeverity severity, const AnsiString& message)
{
    if (OwnerHeader && OwnerHeader->Image())
        OwnerHeader->Image()->Warning(this, severity, message);
}

void TGIFGlobalColorMap::BuildHistogram(TUsageCount* histogram)
{
    InitHistogram(histogram, EntryCount);
    TGIFImage* image = OwnerHeader->Image();
    for (int i = 0; image && i < image->FrameCount(); ++i)
        if (image->Frame(i)->ActiveColorMap() == this)
            CountFrame(image->Frame(i), histogram, EntryCount);
}

void TGIFGlobalColorMap::MapImages(const int* map)
{
    TGIFImage* image = OwnerHeader->Image();
    for (int i = 0; image && i < image->FrameCount(); ++i)
        if (image->Frame(i)->ActiveColorMap() == this)
            MapFrame(image->Frame(i), map, EntryCount);
}

bool TGIFGlobalColorMap::Optimize()
{
    TGIFImage* image = OwnerHeader->Image();
    if (!image || image->FrameCount() == 0)
        return false;
    return DoOptimize();
}

void TGIFGlobalColorMap::Changed()
{
    if (OwnerHeader && OwnerHeader->Image())
        OwnerHeader->Image()->SetPalette(nullptr);
}

TGIFLocalColorMap::~TGIFLocalColorMap() = default;

void TGIFLocalColorMap::Warning(TGIFSeverity severity, const AnsiString& message)
{
    if (Frame && Frame->Image())
        Frame->Image()->Warning(this, severity, message);
}

void TGIFLocalColorMap::BuildHistogram(TUsageCount* histogram)
{
    InitHistogram(histogram, EntryCount);
    CountFrame(Frame, histogram, EntryCount);
}

void TGIFLocalColorMap::MapImages(const int* map)
{
    MapFrame(Frame, map, EntryCount);
}

bool TGIFLocalColorMap::Optimize()
{
    return DoOptimize();
}

void TGIFLocalColorMap::Changed()
{
    if (Frame)
        Frame->SetPalette(nullptr);
}

TGIFHeader::TGIFHeader(TGIFImage* image) : TGIFItem(image), GlobalMap(new TGIFGlobalColorMap(this))
{
    Clear();
}

TGIFHeader::~TGIFHeader()
{
    delete GlobalMap;
}

void TGIFHeader::Clear()
{
    GlobalMap->Clear();
    std::memset(LogicalScreen.Bytes, 0, sizeof LogicalScreen.Bytes);
}

void TGIFHeader::Assign(TPersistent* source)
{
    if (auto* header = dynamic_cast<TGIFHeader*>(source)) {
        GlobalMap->Assign(header->GlobalMap);
        LogicalScreen = header->LogicalScreen;
    } else if (auto* map = dynamic_cast<TGIFColorMap*>(source)) {
        Clear();
        GlobalMap->Assign(map);
    } else {
        TPersistent::Assign(source);
    }
}

TGIFVersion TGIFHeader::GetVersion()
{
    return GlobalMap->SortedByUse || GetAspectRatio() != 0 ? gv89a : gv87a;
}

void TGIFHeader::SetWidth(int width)
{
    LogicalScreen.Bytes[0] = static_cast<uint8_t>(width);
    LogicalScreen.Bytes[1] = static_cast<uint8_t>(width >> 8);
}

void TGIFHeader::SetHeight(int height)
{
    LogicalScreen.Bytes[2] = static_cast<uint8_t>(height);
    LogicalScreen.Bytes[3] = static_cast<uint8_t>(height >> 8);
}

TColor TGIFHeader::GetBackgroundColor()
{
    return GlobalMap->GetColor(GetBackgroundColorIndex());
}

void TGIFHeader::SetBackgroundColor(TColor color)
{
    SetBackgroundColorIndex(GlobalMap->AddUnique(Color2RGB(color)));
}

void TGIFHeader::SetBackgroundColorIndex(int index)
{
    if (GlobalMap->Count() > 0 && index >= GlobalMap->Count()) {
        Warning(gsWarning, sInvalidColorIndex);
        index = 0;
    }
    LogicalScreen.Bytes[5] = static_cast<uint8_t>(index);
}

void TGIFHeader::Prepare()
{
    uint8_t packed = 0;
    if (GlobalMap->Count() > 0)
        packed = GlobalMap->SortedByUse ? 0x88 : 0x80;
    const int resolution = OwnerImage ? OwnerImage->GetColorResolution() : GetColorResolution();
    const int bits = OwnerImage ? OwnerImage->GetBitsPerPixel() : GetBitsPerPixel();
    packed += ((resolution * 16) & 0x70) + ((bits - 1) & 7);
    LogicalScreen.Bytes[4] = packed;
}

void TGIFHeader::SaveToStream(TStream* stream)
{
    const TGIFVersion version = OwnerImage ? OwnerImage->GetVersion() : GetVersion();
    if (version == gvUnknown)
        RaiseGIFError("Unsupported GIF version");
    Prepare();
    TGIFStreamAdapter adapter(stream);
    adapter.WriteBuffer("GIF", 3);
    adapter.WriteBuffer(GIFVersions[version], 3);
    adapter.WriteBuffer(LogicalScreen.Bytes, 7);
    // The size field follows the frame that needs the most bits, so a local table larger
    // than the global one makes the global table longer than its colours: pad it with black.
    if (LogicalScreen.HasGlobalTable())
        WriteColorTable(adapter, GlobalMap->Colors(), LogicalScreen.GlobalTableSize());
}

void TGIFHeader::LoadFromStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    ReadGIFSignature(adapter);
    ReadExactly(adapter, LogicalScreen.Bytes, 7);
    if (LogicalScreen.HasGlobalTable())
        GlobalMap->LoadFromStream(stream, LogicalScreen.GlobalTableSize());
    else
        GlobalMap->Clear();
}

TGIFExtension* TGIFExtensionList::GetExtension(int index) const
{
    return static_cast<TGIFExtension*>(GetItem(index));
}

void TGIFExtensionList::SetExtension(int index, TGIFExtension* extension)
{
    SetItem(index, extension);
}

void TGIFExtensionList::LoadFromStream(TStream* stream, TObject* parent)
{
    auto* frame = dynamic_cast<TGIFSubImage*>(parent);
    TGIFStreamAdapter adapter(stream);
    uint8_t byte = 0;
    if (!TryReadStreamByte(adapter, byte))
        return;
    while (byte != 0x2C && byte != 0x3B) {
        if (byte != 0x21) {
            Warning(gsWarning, sBadExtensionIntroducer);
            break;
        }
        const TGIFExtensionClass* extensionClass = TGIFExtension::FindExtension(adapter);
        if (!extensionClass)
            RaiseGIFError(sUnknownExtension);
        adapter.Skip(-1);
        TGIFExtension* extension = extensionClass->Create(frame);
        try {
            extension->LoadFromStream(stream);
        } catch (...) {
            TObject::Free(extension);
            throw;
        }
        Add(extension);
        if (!TryReadStreamByte(adapter, byte))
            return;
    }
    adapter.Skip(-1);
}
