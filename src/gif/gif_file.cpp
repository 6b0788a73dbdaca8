#include "gif_file.h"

#include <cctype>
#include <new>

#include "gif_decoder.h"
#include "gif_encoder.h"
#include "gif_error.h"

const char* const sInvalidSignature = "Invalid GIF signature";
const char* const sImageTooLarge = "Image is too large";
const char* const sUnknownBlock = "Unknown GIF block type";
const char* const sUnknownExtension = "Unknown extension type";
const char* const sBadExtensionIntroducer = "Invalid extension introducer";

int64_t GIFMaximumFramePixels = int64_t(1) << 28;

namespace {

bool StartsWithGIF(const uint8_t* bytes)
{
    return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' &&
           std::toupper(bytes[2]) == 'F';
}

}  // namespace

void ReadGIFSignature(TGIFByteStream& stream)
{
    const int64_t start = stream.GetPosition();
    uint8_t signature[6];
    ReadExactly(stream, signature, 6);
    if (StartsWithGIF(signature))
        return;
    stream.SetPosition(start + 4);
    ReadExactly(stream, signature, 6);
    if (!StartsWithGIF(signature))
        RaiseGIFError(sInvalidSignature);
}

void ReadColorTable(TGIFByteStream& stream, int count, std::vector<TGIFColor>& table)
{
    table.resize(count);
    ReadExactly(stream, table.data(), 3 * count);
}

void AllocateFramePixels(std::vector<uint8_t>& pixels, int width, int height, uint8_t fill)
{
    const int64_t size = static_cast<int64_t>(width) * height;
    if (size > GIFMaximumFramePixels)
        RaiseGIFError(sImageTooLarge);
    try {
        pixels.assign(static_cast<size_t>(size), fill);
    } catch (const std::bad_alloc&) {
        RaiseGIFError(sImageTooLarge);
    }
}

namespace {

void ReadGraphicControl(TGIFByteStream& stream, TGIFDecodedFrame& frame,
                        const TGIFWarningSink& warning)
{
    uint8_t block[6];
    if (stream.Read(block, 6) != 6) {
        warning(gsWarning, sPrematureEnd);
        return;
    }
    frame.Transparent = (block[1] & 1) != 0;
    frame.Disposal = (block[1] >> 2) & 7;
    frame.Delay = block[2] | (block[3] << 8);
    frame.TransparentIndex = block[4];
}

void ReadApplication(TGIFByteStream& stream, TGIFDecodedFile& file)
{
    uint8_t size = ReadStreamByte(stream);
    uint8_t id[11] = {};
    if (size == 10) {
        ReadExactly(stream, id, 10);
    } else if (size >= 11) {
        ReadExactly(stream, id, 11);
        stream.Skip(size - 11);
    } else {
        RaiseGIFError("Unsupported Application Extension block size");
    }
    const bool looping = std::string(reinterpret_cast<char*>(id), 11) == "NETSCAPE2.0" ||
                         std::string(reinterpret_cast<char*>(id), 11) == "ANIMEXTS1.0";
    uint8_t block[256];
    while (TryReadStreamByte(stream, size) && size != 0) {
        ReadExactly(stream, block, size);
        if (looping && (block[0] & 7) == 1) {
            if (size < 3)
                RaiseGIFError("Invalid GIF data");
            if (file.LoopCount < 0)
                file.LoopCount = block[1] | (block[2] << 8);
        }
    }
}

void ReadExtensions(TGIFByteStream& stream, TGIFDecodedFile& file, TGIFDecodedFrame& frame,
                    const TGIFWarningSink& warning)
{
    uint8_t byte = 0;
    if (!TryReadStreamByte(stream, byte))
        return;
    while (byte != 0x2C && byte != 0x3B) {
        if (byte != 0x21) {
            warning(gsWarning, sBadExtensionIntroducer);
            break;
        }
        const uint8_t label = ReadStreamByte(stream);
        if (label == 0xF9) {
            ReadGraphicControl(stream, frame, warning);
        } else if (label == 0xFF) {
            ReadApplication(stream, file);
        } else if (label == 0x01) {
            stream.Skip(13);
            SkipSubBlocks(stream);
        } else if (label == 0xFE) {
            SkipSubBlocks(stream);
        } else {
            RaiseGIFError(sUnknownExtension);
        }
        if (!TryReadStreamByte(stream, byte))
            return;
    }
    stream.Skip(-1);
}

// Reads one frame; answers false when only extensions were found.
bool ReadFrame(TGIFByteStream& stream, TGIFDecodedFile& file, TGIFDecodedFrame& frame,
               const TGIFWarningSink& warning)
{
    ReadExtensions(stream, file, frame, warning);
    uint8_t byte = 0;
    if (!TryReadStreamByte(stream, byte))
        return false;
    stream.Skip(-1);
    if (byte == 0x3B || byte == 0)
        return false;
    ReadExactly(stream, frame.Descriptor.Bytes, 10);
    frame.Width = frame.Descriptor.Width();
    frame.Height = frame.Descriptor.Height();
    if (frame.Width == 0 || frame.Height == 0) {
        frame.Width = file.Screen.Width();
        frame.Height = file.Screen.Height();
        warning(gsWarning, "Image exceeds Logical Screen size");
    }
    if (frame.Descriptor.HasLocalTable())
        ReadColorTable(stream, frame.Descriptor.LocalTableSize(), frame.LocalTable);
    AllocateFramePixels(frame.Pixels, frame.Width, frame.Height,
                        frame.Transparent ? frame.TransparentIndex : 0);
    DecompressImageData(stream,
                        TGIFPixelTarget{frame.Pixels.data(), frame.Width, frame.Height,
                                        frame.Descriptor.Interlaced()},
                        warning);
    return true;
}

bool SkipZeroBytes(TGIFByteStream& stream, uint8_t& byte)
{
    while (TryReadStreamByte(stream, byte))
        if (byte != 0)
            return true;
    return false;
}

}  // namespace

void DecodeGIFFile(TGIFByteStream& stream, TGIFDecodedFile& file, const TGIFWarningSink& warning)
{
    file = TGIFDecodedFile();
    ReadGIFSignature(stream);
    ReadExactly(stream, file.Screen.Bytes, 7);
    if (file.Screen.HasGlobalTable())
        ReadColorTable(stream, file.Screen.GlobalTableSize(), file.GlobalTable);
    uint8_t byte = 0;
    if (!SkipZeroBytes(stream, byte))
        return;
    while (byte != 0x3B) {
        stream.Skip(-1);
        if (byte != 0x21 && byte != 0x2C) {
            warning(gsWarning, sUnknownBlock);
            return;
        }
        TGIFDecodedFrame frame;
        ReadFrame(stream, file, frame, warning);
        file.Frames.push_back(std::move(frame));
        if (!SkipZeroBytes(stream, byte))
            return;
    }
}

void WriteColorTable(TGIFByteStream& stream, const std::vector<TGIFColor>& table)
{
    WriteColorTable(stream, table, 1 << BitsForColors(static_cast<int>(table.size())));
}

void WriteColorTable(TGIFByteStream& stream, const std::vector<TGIFColor>& table, int entries)
{
    if (table.empty())
        return;
    stream.WriteBuffer(table.data(), 3 * static_cast<int>(table.size()));
    const TGIFColor black{0, 0, 0};
    for (int i = static_cast<int>(table.size()); i < entries; ++i)
        stream.WriteBuffer(&black, 3);
}

namespace {

uint8_t TableSizeBits(const std::vector<TGIFColor>& table)
{
    return static_cast<uint8_t>(BitsForColors(static_cast<int>(table.size())) - 1);
}

void WriteFrame(TGIFByteStream& stream, const TGIFDecodedFile& file, const TGIFDecodedFrame& frame,
                TGIFCompression compression)
{
    if (frame.Transparent || frame.Disposal || frame.Delay) {
        const uint8_t control[8] = {0x21, 0xF9, 4,
                                    static_cast<uint8_t>((frame.Disposal & 7) << 2 | frame.Transparent),
                                    static_cast<uint8_t>(frame.Delay), static_cast<uint8_t>(frame.Delay >> 8),
                                    frame.TransparentIndex, 0};
        stream.WriteBuffer(control, 8);
    }
    TGIFDescriptorBytes descriptor = frame.Descriptor;
    descriptor.Bytes[0] = 0x2C;
    descriptor.Bytes[5] = static_cast<uint8_t>(frame.Width);
    descriptor.Bytes[6] = static_cast<uint8_t>(frame.Width >> 8);
    descriptor.Bytes[7] = static_cast<uint8_t>(frame.Height);
    descriptor.Bytes[8] = static_cast<uint8_t>(frame.Height >> 8);
    descriptor.Bytes[9] &= 0x40;
    if (!frame.LocalTable.empty())
        descriptor.Bytes[9] |= 0x80 | TableSizeBits(frame.LocalTable);
    stream.WriteBuffer(descriptor.Bytes, 10);
    WriteColorTable(stream, frame.LocalTable);
    const std::vector<TGIFColor>& active = frame.LocalTable.empty() ? file.GlobalTable : frame.LocalTable;
    const int bits = active.empty() ? 8 : BitsForColors(static_cast<int>(active.size()));
    CreateGIFEncoder(compression)->EncodeFrame(stream, bits, frame.Width, frame.Height,
                                               descriptor.Interlaced(), frame.Pixels.data(),
                                               active.empty() ? 256 : static_cast<int>(active.size()));
}

}  // namespace

void EncodeGIFFile(TGIFByteStream& stream, const TGIFDecodedFile& file,
                   TGIFCompression compression)
{
    stream.WriteBuffer("GIF89a", 6);
    TGIFLogicalScreenBytes screen = file.Screen;
    screen.Bytes[4] &= 0x70;
    if (!file.GlobalTable.empty())
        screen.Bytes[4] |= 0x80 | TableSizeBits(file.GlobalTable);
    stream.WriteBuffer(screen.Bytes, 7);
    WriteColorTable(stream, file.GlobalTable);
    if (file.LoopCount >= 0) {
        const uint8_t loop[19] = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                                  3, 1, static_cast<uint8_t>(file.LoopCount),
                                  static_cast<uint8_t>(file.LoopCount >> 8), 0};
        stream.WriteBuffer(loop, 19);
    }
    for (const TGIFDecodedFrame& frame : file.Frames)
        if (!frame.Pixels.empty())
            WriteFrame(stream, file, frame, compression);
    WriteStreamByte(stream, 0x3B);
}
