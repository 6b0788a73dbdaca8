// The GIF block model's common parts: the item and list bases, the colour tables (global and
// local), the header with the logical screen descriptor, and a frame's extension list.
#pragma once

#include <windows.h>

#include <vector>

#include "cl_lists.h"
#include "cl_streams.h"
#include "gif_file.h"
#include "gif_types.h"

class TGIFImage;
class TGIFSubImage;
class TGIFExtension;

// A block of a GIF file, owned by an image.
class TGIFItem : public TPersistent {
    CL_CLASS(TGIFItem, TPersistent)

    explicit TGIFItem(TGIFImage* image) : OwnerImage(image) {}
    virtual TGIFVersion GetVersion() { return gv87a; }
    virtual void Warning(TGIFSeverity severity, const AnsiString& message);
    virtual void SaveToStream(TStream* stream) = 0;
    virtual void LoadFromStream(TStream* stream) = 0;
    void SaveToFile(const AnsiString& fileName);
    void LoadFromFile(const AnsiString& fileName);
    TGIFImage* Image() const { return OwnerImage; }

protected:
    TGIFImage* OwnerImage;
};

// A list that owns its items: Delete, Clear and the destructor free them; Remove does not.
class TGIFList : public TPersistent {
    CL_CLASS(TGIFList, TPersistent)

    explicit TGIFList(TGIFImage* image) : OwnerImage(image) {}
    ~TGIFList() override;
    virtual void Warning(TGIFSeverity severity, const AnsiString& message);
    virtual void SaveToStream(TStream* stream);
    virtual void LoadFromStream(TStream* stream, TObject* parent) = 0;

    TGIFItem* GetItem(int index) const { return static_cast<TGIFItem*>(ItemList.Items(index)); }
    void SetItem(int index, TGIFItem* item) { ItemList.SetItem(index, item); }
    int GetCount() const { return ItemList.Count(); }
    int Add(TGIFItem* item) { return ItemList.Add(item); }
    void Clear();
    void Delete(int index);
    void Exchange(int a, int b) { ItemList.Exchange(a, b); }
    TGIFItem* First() const { return GetItem(0); }
    int IndexOf(TGIFItem* item) const { return ItemList.IndexOf(item); }
    void Insert(int index, TGIFItem* item) { ItemList.Insert(index, item); }
    TGIFItem* Last() const { return GetItem(GetCount() - 1); }
    void Move(int from, int to) { ItemList.Move(from, to); }
    int Remove(TGIFItem* item) { return ItemList.Remove(item); }
    TGIFImage* Image() const { return OwnerImage; }

protected:
    TList ItemList;
    TGIFImage* OwnerImage;
};

// A colour table of at most 256 entries.
class TGIFColorMap : public TPersistent {
    CL_CLASS(TGIFColorMap, TPersistent)

    ~TGIFColorMap() override = default;
    void Assign(TPersistent* source) override;
    virtual void Warning(TGIFSeverity severity, const AnsiString& message) = 0;
    virtual void BuildHistogram(TUsageCount* histogram) = 0;
    virtual void MapImages(const int* map) = 0;
    virtual bool Optimize() = 0;
    virtual void Changed() = 0;

    void Clear();
    void SetCapacity(int n);
    // Reads n colours (counts above 256 are refused as "Color table overflow").
    void LoadFromStream(TStream* stream, int n);
    void SaveToStream(TStream* stream);
    int GetBitsPerPixel() const { return BitsForColors(EntryCount); }
    int IndexOf(const TGIFColor& color) const;
    int Add(const TGIFColor& color);
    int AddUnique(const TGIFColor& color);
    void Delete(int index);
    TColor GetColor(int index);
    void SetColor(int index, TColor color);
    void ImportPalette(HPALETTE palette);
    void ImportColorMap(const TGIFColor* table, int n);
    void ImportColorTable(const RGBQUAD* quads, int n);
    void ImportDIBColors(HDC dc);
    HPALETTE ExportPalette() const;
    bool DoOptimize();

    int Count() const { return EntryCount; }
    int Capacity() const { return EntryCapacity; }
    const TGIFColor& Entry(int index) const { return Entries[index]; }
    // The entries padded with black to 256, so that any pixel value can be looked up.
    std::vector<TGIFColor> FullTable() const;
    // The entries in use, as the pure parts hold a table.
    std::vector<TGIFColor> Colors() const { return {Entries.begin(), Entries.begin() + EntryCount}; }
    bool SortedByUse = false;

protected:
    void CheckIndex(int index) const;

    std::vector<TGIFColor> Entries;
    int EntryCount = 0;
    int EntryCapacity = 0;
};

class TGIFHeader;

class TGIFGlobalColorMap : public TGIFColorMap {
    CL_CLASS(TGIFGlobalColorMap, TGIFColorMap)

    explicit TGIFGlobalColorMap(TGIFHeader* header) : OwnerHeader(header) {}
    ~TGIFGlobalColorMap() override;
    void Warning(TGIFSeverity severity, const AnsiString& message) override;
    void BuildHistogram(TUsageCount* histogram) override;
    void MapImages(const int* map) override;
    bool Optimize() override;
    void Changed() override;

private:
    TGIFHeader* OwnerHeader;
};

class TGIFLocalColorMap : public TGIFColorMap {
    CL_CLASS(TGIFLocalColorMap, TGIFColorMap)

    explicit TGIFLocalColorMap(TGIFSubImage* frame) : Frame(frame) {}
    ~TGIFLocalColorMap() override;
    void Warning(TGIFSeverity severity, const AnsiString& message) override;
    void BuildHistogram(TUsageCount* histogram) override;
    void MapImages(const int* map) override;
    bool Optimize() override;
    void Changed() override;

private:
    TGIFSubImage* Frame;
};

// The signature, the logical screen descriptor and the global colour table.
class TGIFHeader : public TGIFItem {
    CL_CLASS(TGIFHeader, TGIFItem)

    explicit TGIFHeader(TGIFImage* image);
    ~TGIFHeader() override;
    void Assign(TPersistent* source) override;
    TGIFVersion GetVersion() override;
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;
    void Clear();
    void Prepare();

    int Width() const { return LogicalScreen.Width(); }
    int Height() const { return LogicalScreen.Height(); }
    void SetWidth(int width);
    void SetHeight(int height);
    TColor GetBackgroundColor();
    void SetBackgroundColor(TColor color);
    int GetBackgroundColorIndex() const { return LogicalScreen.Bytes[5]; }
    void SetBackgroundColorIndex(int index);
    int GetAspectRatio() const { return LogicalScreen.Bytes[6]; }
    void SetAspectRatio(int ratio) { LogicalScreen.Bytes[6] = static_cast<uint8_t>(ratio); }
    int GetBitsPerPixel() const { return GlobalMap->GetBitsPerPixel(); }
    int GetColorResolution() const { return GetBitsPerPixel() - 1; }
    TGIFGlobalColorMap* ColorMap() const { return GlobalMap; }

    TGIFLogicalScreenBytes LogicalScreen{};

private:
    TGIFGlobalColorMap* GlobalMap;
};

// The extensions that precede a frame's image descriptor.
class TGIFExtensionList : public TGIFList {
    CL_CLASS(TGIFExtensionList, TGIFList)

    using TGIFList::TGIFList;
    void LoadFromStream(TStream* stream, TObject* parent) override;
    TGIFExtension* GetExtension(int index) const;
    void SetExtension(int index, TGIFExtension* extension);
};
