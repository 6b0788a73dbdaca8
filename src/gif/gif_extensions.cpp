#include "gif_extensions.h"

#include <cstring>
#include <memory>

#include "gif_dib.h"
#include "gif_error.h"
#include "gif_frame.h"
#include "gif_image.h"

namespace {

struct LabelEntry {
    uint8_t Label;
    const TGIFExtensionClass* Class;
};
struct AppEntry {
    TGIFApplicationRec Id;
    const TGIFExtensionClass* Class;
};

std::unique_ptr<std::vector<LabelEntry>> labelRegistry;
std::unique_ptr<std::vector<AppEntry>> appRegistry;

std::vector<LabelEntry>& Labels()
{
    if (!labelRegistry)
        labelRegistry.reset(new std::vector<LabelEntry>{{0x01, &TGIFTextExtension::Class},
                                                        {0xF9, &TGIFGraphicControlExtension::Class},
                                                        {0xFE, &TGIFCommentExtension::Class},
                                                        {0xFF, &TGIFApplicationExtension::Class}});
    return *labelRegistry;
}

TGIFApplicationRec AppRec(const char* text)
{
    TGIFApplicationRec rec;
    std::memcpy(&rec, text, sizeof rec);
    return rec;
}

std::vector<AppEntry>& AppIds()
{
    if (!appRegistry)
        appRegistry.reset(new std::vector<AppEntry>{{AppRec("NETSCAPE2.0"), &TGIFAppExtNSLoop::Class},
                                                    {AppRec("ANIMEXTS1.0"), &TGIFAppExtNSLoop::Class}});
    return *appRegistry;
}

const TGIFExtensionClass* OwnClass(TGIFByteStream&) { return nullptr; }

template <class T> TGIFExtension* CreateExtension(TGIFSubImage* frame) { return new T(frame); }

void ReadLines(TGIFByteStream& stream, TStringList* lines)
{
    std::vector<AnsiString> read;
    ReadStringBlocks(stream, read);
    lines->Clear();
    for (const AnsiString& line : read)
        lines->Add(line);
}

void WriteLines(TGIFByteStream& stream, TStringList* lines)
{
    std::vector<AnsiString> text;
    for (int i = 0; i < lines->Count(); ++i)
        text.push_back(lines->Strings(i));
    WriteStringBlocks(stream, text);
}

AnsiString Padded(const AnsiString& text, int length)
{
    AnsiString result = text.SubString(1, length);
    while (result.Length() < length)
        result += ' ';
    return result;
}

}  // namespace

// A class answers itself from FindSubExtension unless it narrows further; null marks "self".
const TGIFExtensionClass TGIFGraphicControlExtension::Class{
    "TGIFGraphicControlExtension", &CreateExtension<TGIFGraphicControlExtension>, &OwnClass};
const TGIFExtensionClass TGIFTextExtension::Class{"TGIFTextExtension",
                                                  &CreateExtension<TGIFTextExtension>, &OwnClass};
const TGIFExtensionClass TGIFCommentExtension::Class{
    "TGIFCommentExtension", &CreateExtension<TGIFCommentExtension>, &OwnClass};
const TGIFExtensionClass TGIFApplicationExtension::Class{
    "TGIFApplicationExtension", &CreateExtension<TGIFUnknownAppExtension>,
    &TGIFApplicationExtension::FindSubExtension};
const TGIFExtensionClass TGIFUnknownAppExtension::Class{
    "TGIFUnknownAppExtension", &CreateExtension<TGIFUnknownAppExtension>, &OwnClass};
const TGIFExtensionClass TGIFAppExtNSLoop::Class{"TGIFAppExtNSLoop",
                                                 &CreateExtension<TGIFAppExtNSLoop>, &OwnClass};

void FreeExtensionRegistries()
{
    labelRegistry.reset();
    appRegistry.reset();
}

void TGIFTrailer::SaveToStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    WriteStreamByte(adapter, 0x3B);
}

void TGIFTrailer::LoadFromStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    uint8_t byte = 0;
    if (TryReadStreamByte(adapter, byte) && byte != 0x3B)
        Warning(gsWarning, "Invalid Image trailer");
}

TGIFExtension::TGIFExtension(TGIFSubImage* frame)
    : TGIFItem(frame ? frame->Image() : nullptr), OwnerFrame(frame)
{
}

TGIFExtension::~TGIFExtension()
{
    if (OwnerFrame)
        OwnerFrame->Extensions()->Remove(this);
}

void TGIFExtension::RegisterExtension(uint8_t label, const TGIFExtensionClass* extensionClass)
{
    Labels().push_back(LabelEntry{label, extensionClass});
}

const TGIFExtensionClass* TGIFExtension::FindExtension(TGIFByteStream& stream)
{
    const int64_t start = stream.GetPosition();
    uint8_t label = 0;
    if (!TryReadStreamByte(stream, label))
        return nullptr;
    const TGIFExtensionClass* found = nullptr;
    const std::vector<LabelEntry>& labels = Labels();
    for (auto entry = labels.rbegin(); entry != labels.rend(); ++entry) {
        if (entry->Label == label) {
            found = entry->Class;
            break;
        }
    }
    // Narrow the class while it names a sub-class of its own.
    for (int depth = 0; found && depth < 8; ++depth) {
        const TGIFExtensionClass* sub = found->FindSubExtension(stream);
        if (!sub || sub == found)
            break;
        found = sub;
    }
    stream.SetPosition(start);
    return found;
}

void TGIFExtension::ReadExtensionHeader(TGIFByteStream& stream)
{
    uint8_t header[2];
    ReadExactly(stream, header, 2);
    if (header[0] != 0x21)
        RaiseGIFError(sBadExtensionIntroducer);
    if (header[1] != GetExtensionType())
        RaiseGIFError("Internal error: Extension Instance does not match Extension Label");
}

void TGIFExtension::WriteExtensionHeader(TGIFByteStream& stream)
{
    const uint8_t header[2] = {0x21, GetExtensionType()};
    stream.WriteBuffer(header, 2);
}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* frame)
    : TGIFExtension(frame)
{
    if (frame && !frame->ControlExtension)
        frame->ControlExtension = this;
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension()
{
    if (!OwnerFrame)
        return;
    if (Transparent())
        OwnerFrame->TransparentFlag = false;
    if (OwnerFrame->ControlExtension == this)
        OwnerFrame->ControlExtension = nullptr;
}

void TGIFGraphicControlExtension::SaveToStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    WriteExtensionHeader(adapter);
    adapter.WriteBuffer(ControlBlock, 6);
}

void TGIFGraphicControlExtension::LoadFromStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    ReadExtensionHeader(adapter);
    if (adapter.Read(ControlBlock, 6) != 6) {
        Warning(gsWarning, sPrematureEnd);
        ControlBlock[1] &= ~1;
        return;
    }
    if (Transparent() && OwnerFrame)
        OwnerFrame->TransparentFlag = true;
}

void TGIFGraphicControlExtension::SetTransparent(bool transparent)
{
    ControlBlock[1] = static_cast<uint8_t>((ControlBlock[1] & ~1) | (transparent ? 1 : 0));
    if (OwnerFrame)
        OwnerFrame->TransparentFlag = transparent;
}

void TGIFGraphicControlExtension::SetUserInput(bool userInput)
{
    ControlBlock[1] = static_cast<uint8_t>((ControlBlock[1] & ~2) | (userInput ? 2 : 0));
}

void TGIFGraphicControlExtension::SetDisposal(int disposal)
{
    ControlBlock[1] = static_cast<uint8_t>((ControlBlock[1] & ~0x1C) | ((disposal & 7) << 2));
}

void TGIFGraphicControlExtension::SetDelay(int delay)
{
    ControlBlock[2] = static_cast<uint8_t>(delay);
    ControlBlock[3] = static_cast<uint8_t>(delay >> 8);
}

void TGIFGraphicControlExtension::SetTransparentColorIndex(int index)
{
    TGIFColorMap* map = OwnerFrame ? OwnerFrame->ActiveColorMap() : nullptr;
    if (map && map->Count() > 0 && index >= map->Count()) {
        Warning(gsWarning, "Invalid color index");
        index = 0;
    }
    ControlBlock[4] = static_cast<uint8_t>(index);
}

TColor TGIFGraphicControlExtension::TransparentColor()
{
    return OwnerFrame->ActiveColorMap()->GetColor(TransparentColorIndex());
}

void TGIFGraphicControlExtension::SetTransparentColor(TColor color)
{
    ControlBlock[4] = static_cast<uint8_t>(OwnerFrame->ActiveColorMap()->AddUnique(Color2RGB(color)));
}

TGIFTextExtension::TGIFTextExtension(TGIFSubImage* frame)
    : TGIFExtension(frame), TextLines(new TStringList)
{
}

TGIFTextExtension::~TGIFTextExtension()
{
    TObject::Free(TextLines);
}

void TGIFTextExtension::SaveToStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    WriteExtensionHeader(adapter);
    adapter.WriteBuffer(TextBlock, 13);
    WriteLines(adapter, TextLines);
}

void TGIFTextExtension::LoadFromStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    ReadExtensionHeader(adapter);
    ReadExactly(adapter, TextBlock, 13);
    ReadLines(adapter, TextLines);
}

int TGIFTextExtension::GetBounds(int index) const
{
    if (index < 1 || index > 4)
        return 0;
    return TextBlock[2 * index - 1] | (TextBlock[2 * index] << 8);
}

void TGIFTextExtension::SetBounds(int index, int value)
{
    if (index < 1 || index > 4)
        return;
    TextBlock[2 * index - 1] = static_cast<uint8_t>(value);
    TextBlock[2 * index] = static_cast<uint8_t>(value >> 8);
}

int TGIFTextExtension::GetCharacter(int index) const
{
    return index == 1 || index == 2 ? TextBlock[8 + index] : 0;
}

void TGIFTextExtension::SetCharacter(int index, int value)
{
    if (index == 1 || index == 2)
        TextBlock[8 + index] = static_cast<uint8_t>(value);
}

int TGIFTextExtension::GetColorIndex(int index) const
{
    return index == 1 || index == 2 ? TextBlock[10 + index] : 0;
}

void TGIFTextExtension::SetColorIndex(int index, int value)
{
    if (index == 1 || index == 2)
        TextBlock[10 + index] = static_cast<uint8_t>(value);
}

TColor TGIFTextExtension::ForegroundColor()
{
    return OwnerFrame->ActiveColorMap()->GetColor(GetColorIndex(1));
}

void TGIFTextExtension::SetForegroundColor(TColor color)
{
    SetColorIndex(1, OwnerFrame->ActiveColorMap()->AddUnique(Color2RGB(color)));
}

TColor TGIFTextExtension::BackgroundColor()
{
    return OwnerFrame->ActiveColorMap()->GetColor(GetColorIndex(2));
}

void TGIFTextExtension::SetBackgroundColor(TColor color)
{
    SetColorIndex(2, OwnerFrame->ActiveColorMap()->AddUnique(Color2RGB(color)));
}

TGIFCommentExtension::TGIFCommentExtension(TGIFSubImage* frame)
    : TGIFExtension(frame), TextLines(new TStringList)
{
}

TGIFCommentExtension::~TGIFCommentExtension()
{
    TObject::Free(TextLines);
}

void TGIFCommentExtension::SaveToStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    WriteExtensionHeader(adapter);
    WriteLines(adapter, TextLines);
}

void TGIFCommentExtension::LoadFromStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    ReadExtensionHeader(adapter);
    ReadLines(adapter, TextLines);
}

void TGIFApplicationExtension::SaveToStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    WriteExtensionHeader(adapter);
    WriteStreamByte(adapter, 11);
    adapter.WriteBuffer(&AppId, 11);
    SaveData(adapter);
}

void TGIFApplicationExtension::LoadFromStream(TStream* stream)
{
    TGIFStreamAdapter adapter(stream);
    ReadExtensionHeader(adapter);
    const uint8_t size = ReadStreamByte(adapter);
    if (size == 10) {
        std::memset(&AppId, 0, sizeof AppId);
        ReadExactly(adapter, &AppId, 10);
    } else if (size >= 11) {
        ReadExactly(adapter, &AppId, 11);
        if (adapter.Remaining() < size - 11)
            RaiseGIFError(sPrematureEnd);
        adapter.Skip(size - 11);
    } else {
        RaiseGIFError("Unsupported Application Extension block size");
    }
    LoadData(adapter);
}

void TGIFApplicationExtension::SetIdentifier(const AnsiString& identifier)
{
    std::memcpy(AppId.Identifier, Padded(identifier, 8).c_str(), 8);
}

void TGIFApplicationExtension::SetAuthentication(const AnsiString& authentication)
{
    std::memcpy(AppId.Authentication, Padded(authentication, 3).c_str(), 3);
}

void TGIFApplicationExtension::RegisterExtension(const TGIFApplicationRec& id,
                                                 const TGIFExtensionClass* extensionClass)
{
    AppIds().push_back(AppEntry{id, extensionClass});
}

// Unknown identifiers, and blocks too odd to narrow, are read as unknown application
// extensions so that every application block has a data reader.
const TGIFExtensionClass* TGIFApplicationExtension::FindSubExtension(TGIFByteStream& stream)
{
    const int64_t start = stream.GetPosition();
    uint8_t size = 0;
    if (!TryReadStreamByte(stream, size))
        return nullptr;
    TGIFApplicationRec id{};
    if (size == 11 && stream.Read(&id, 11) == 11) {
        const std::vector<AppEntry>& ids = AppIds();
        for (auto entry = ids.rbegin(); entry != ids.rend(); ++entry)
            if (std::memcmp(&entry->Id, &id, 11) == 0)
                return entry->Class;
    }
    stream.SetPosition(start);
    return &TGIFUnknownAppExtension::Class;
}

void TGIFBlock::SaveToStream(TGIFByteStream& stream)
{
    WriteStreamByte(stream, static_cast<uint8_t>(BlockData.size()));
    stream.WriteBuffer(BlockData.data(), static_cast<int>(BlockData.size()));
}

void TGIFBlock::LoadFromStream(TGIFByteStream& stream)
{
    ReadExactly(stream, BlockData.data(), static_cast<int>(BlockData.size()));
}

TGIFUnknownAppExtension::~TGIFUnknownAppExtension()
{
    FreeBlocks();
}

void TGIFUnknownAppExtension::FreeBlocks()
{
    for (TGIFBlock* block : BlockList)
        TObject::Free(block);
    BlockList.clear();
}

void TGIFUnknownAppExtension::SaveData(TGIFByteStream& stream)
{
    for (TGIFBlock* block : BlockList)
        block->SaveToStream(stream);
    WriteStreamByte(stream, 0);
}

void TGIFUnknownAppExtension::LoadData(TGIFByteStream& stream)
{
    FreeBlocks();
    uint8_t size = 0;
    while (TryReadStreamByte(stream, size) && size != 0) {
        auto* block = new TGIFBlock(size);
        try {
            block->LoadFromStream(stream);
        } catch (...) {
            TObject::Free(block);
            throw;
        }
        BlockList.push_back(block);
    }
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* frame) : TGIFApplicationExtension(frame)
{
    std::memcpy(&AppId, "NETSCAPE2.0", 11);
}

void TGIFAppExtNSLoop::SaveData(TGIFByteStream& stream)
{
    const uint8_t loop[4] = {3, 1, static_cast<uint8_t>(LoopCount), static_cast<uint8_t>(LoopCount >> 8)};
    stream.WriteBuffer(loop, 4);
    if (BufferLength != 0) {
        const uint8_t buffer[6] = {5, 2, static_cast<uint8_t>(BufferLength),
                                   static_cast<uint8_t>(BufferLength >> 8),
                                   static_cast<uint8_t>(BufferLength >> 16),
                                   static_cast<uint8_t>(BufferLength >> 24)};
        stream.WriteBuffer(buffer, 6);
    }
    WriteStreamByte(stream, 0);
}

void TGIFAppExtNSLoop::LoadData(TGIFByteStream& stream)
{
    uint8_t size = 0;
    while (TryReadStreamByte(stream, size) && size != 0) {
        uint8_t block[255];
        ReadExactly(stream, block, size);
        const int remaining = size - 1;
        const int kind = block[0] & 7;
        if (kind == 1) {
            if (remaining < 2)
                RaiseGIFError("Invalid GIF data");
            LoopCount = static_cast<uint16_t>(block[1] | (block[2] << 8));
        } else if (kind == 2) {
            if (remaining < 4)
                RaiseGIFError("Invalid GIF data");
            BufferLength = block[1] | (block[2] << 8) | (block[3] << 16) | (static_cast<uint32_t>(block[4]) << 24);
        }
    }
}
