// The GIF89a extensions that precede a frame (graphic control, plain text, comment and
// application extensions with the looping one), the registries that map a block's label to
// its class, the data sub-block holder and the trailer.
#pragma once

#include <cstdint>

#include "cl_lists.h"
#include "gif_colormap.h"

class TGIFExtension;

// An extension class: how to create one for a frame, and how to narrow the class from the
// bytes that follow the label (application extensions look at their identifier).
struct TGIFExtensionClass {
    const char* Name;
    TGIFExtension* (*Create)(TGIFSubImage* frame);
    const TGIFExtensionClass* (*FindSubExtension)(TGIFByteStream& stream);
};

class TGIFTrailer : public TGIFItem {
    CL_CLASS(TGIFTrailer, TGIFItem)

    using TGIFItem::TGIFItem;
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;
};

class TGIFExtension : public TGIFItem {
    CL_CLASS(TGIFExtension, TGIFItem)

    explicit TGIFExtension(TGIFSubImage* frame);
    ~TGIFExtension() override;
    TGIFVersion GetVersion() override { return gv89a; }
    virtual uint8_t GetExtensionType() const = 0;
    virtual const TGIFExtensionClass* ExtensionClass() const = 0;
    TGIFSubImage* Frame() const { return OwnerFrame; }

    static void RegisterExtension(uint8_t label, const TGIFExtensionClass* extensionClass);
    // The class for the label at the stream's position (the stream is left where it was);
    // null when the label is not registered.
    static const TGIFExtensionClass* FindExtension(TGIFByteStream& stream);

protected:
    void ReadExtensionHeader(TGIFByteStream& stream);
    void WriteExtensionHeader(TGIFByteStream& stream);

    TGIFSubImage* OwnerFrame;
};

class TGIFGraphicControlExtension : public TGIFExtension {
    CL_CLASS(TGIFGraphicControlExtension, TGIFExtension)

    explicit TGIFGraphicControlExtension(TGIFSubImage* frame);
    ~TGIFGraphicControlExtension() override;
    static const TGIFExtensionClass Class;
    const TGIFExtensionClass* ExtensionClass() const override { return &Class; }
    uint8_t GetExtensionType() const override { return 0xF9; }
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;

    bool Transparent() const { return (ControlBlock[1] & 1) != 0; }
    void SetTransparent(bool transparent);
    bool UserInput() const { return (ControlBlock[1] & 2) != 0; }
    void SetUserInput(bool userInput);
    TDisposalMethod Disposal() const { return static_cast<TDisposalMethod>((ControlBlock[1] >> 2) & 7); }
    void SetDisposal(int disposal);
    int Delay() const { return ControlBlock[2] | (ControlBlock[3] << 8); }
    void SetDelay(int delay);
    int TransparentColorIndex() const { return ControlBlock[4]; }
    void SetTransparentColorIndex(int index);
    TColor TransparentColor();
    void SetTransparentColor(TColor color);

    uint8_t ControlBlock[6] = {4, 0, 0, 0, 0, 0};
};

class TGIFTextExtension : public TGIFExtension {
    CL_CLASS(TGIFTextExtension, TGIFExtension)

    explicit TGIFTextExtension(TGIFSubImage* frame);
    ~TGIFTextExtension() override;
    static const TGIFExtensionClass Class;
    const TGIFExtensionClass* ExtensionClass() const override { return &Class; }
    uint8_t GetExtensionType() const override { return 0x01; }
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;

    // Indexes 1 to 4: grid left, top, width, height; others read 0 and are ignored.
    int GetBounds(int index) const;
    void SetBounds(int index, int value);
    // Indexes 1 and 2: cell width and height.
    int GetCharacter(int index) const;
    void SetCharacter(int index, int value);
    // Indexes 1 and 2: foreground and background colour indexes.
    int GetColorIndex(int index) const;
    void SetColorIndex(int index, int value);
    TColor ForegroundColor();
    void SetForegroundColor(TColor color);
    TColor BackgroundColor();
    void SetBackgroundColor(TColor color);

    uint8_t TextBlock[13] = {12};
    TStringList* TextLines;
};

class TGIFCommentExtension : public TGIFExtension {
    CL_CLASS(TGIFCommentExtension, TGIFExtension)

    explicit TGIFCommentExtension(TGIFSubImage* frame);
    ~TGIFCommentExtension() override;
    static const TGIFExtensionClass Class;
    const TGIFExtensionClass* ExtensionClass() const override { return &Class; }
    uint8_t GetExtensionType() const override { return 0xFE; }
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;

    TStringList* TextLines;
};

struct TGIFApplicationRec {
    char Identifier[8];
    char Authentication[3];
};

class TGIFApplicationExtension : public TGIFExtension {
    CL_CLASS(TGIFApplicationExtension, TGIFExtension)

    using TGIFExtension::TGIFExtension;
    static const TGIFExtensionClass Class;
    const TGIFExtensionClass* ExtensionClass() const override { return &Class; }
    uint8_t GetExtensionType() const override { return 0xFF; }
    void SaveToStream(TStream* stream) override;
    void LoadFromStream(TStream* stream) override;
    virtual void SaveData(TGIFByteStream& stream) = 0;
    virtual void LoadData(TGIFByteStream& stream) = 0;

    AnsiString Identifier() const { return AnsiString(AppId.Identifier, 8); }
    void SetIdentifier(const AnsiString& identifier);
    AnsiString Authentication() const { return AnsiString(AppId.Authentication, 3); }
    void SetAuthentication(const AnsiString& authentication);

    static void RegisterExtension(const TGIFApplicationRec& id, const TGIFExtensionClass* extensionClass);
    static const TGIFExtensionClass* FindSubExtension(TGIFByteStream& stream);

    TGIFApplicationRec AppId{};
};

// A data sub-block held as read.
class TGIFBlock : public TObject {
    CL_CLASS(TGIFBlock, TObject)

    explicit TGIFBlock(int size) : BlockData(size, 0) {}
    int BlockSize() const { return static_cast<int>(BlockData.size()); }
    void SaveToStream(TGIFByteStream& stream);
    void LoadFromStream(TGIFByteStream& stream);

    std::vector<uint8_t> BlockData;
};

// An application extension of an unknown identifier, kept and written back as read.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
    CL_CLASS(TGIFUnknownAppExtension, TGIFApplicationExtension)

    using TGIFApplicationExtension::TGIFApplicationExtension;
    ~TGIFUnknownAppExtension() override;
    static const TGIFExtensionClass Class;
    const TGIFExtensionClass* ExtensionClass() const override { return &Class; }
    void SaveData(TGIFByteStream& stream) override;
    void LoadData(TGIFByteStream& stream) override;

    std::vector<TGIFBlock*> BlockList;

private:
    void FreeBlocks();
};

// The looping extension ("NETSCAPE2.0", also read as "ANIMEXTS1.0"); LoopCount 0 = for ever.
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
    CL_CLASS(TGIFAppExtNSLoop, TGIFApplicationExtension)

    explicit TGIFAppExtNSLoop(TGIFSubImage* frame);
    static const TGIFExtensionClass Class;
    const TGIFExtensionClass* ExtensionClass() const override { return &Class; }
    void SaveData(TGIFByteStream& stream) override;
    void LoadData(TGIFByteStream& stream) override;

    uint16_t LoopCount = 0;
    uint32_t BufferLength = 0;
};

// Frees the extension registries (unit end).
void FreeExtensionRegistries();
