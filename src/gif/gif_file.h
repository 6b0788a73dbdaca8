// The GIF block layouts (signature, logical screen, image descriptor, graphic control) and a
// whole-file decoder over them that follows the same reading rules as the image classes.
#pragma once

#include <cstdint>
#include <vector>

#include "gif_io.h"
#include "gif_types.h"

struct TGIFLogicalScreenBytes {
    uint8_t Bytes[7];
    int Width() const { return Bytes[0] | (Bytes[1] << 8); }
    int Height() const { return Bytes[2] | (Bytes[3] << 8); }
    uint8_t PackedFields() const { return Bytes[4]; }
    bool HasGlobalTable() const { return (Bytes[4] & 0x80) != 0; }
    int GlobalTableSize() const { return 2 << (Bytes[4] & 7); }
};

struct TGIFDescriptorBytes {
    uint8_t Bytes[10];  // separator 0x2C, left, top, width, height, packed fields
    int Field(int index) const { return Bytes[1 + 2 * index] | (Bytes[2 + 2 * index] << 8); }
    int Left() const { return Field(0); }
    int Top() const { return Field(1); }
    int Width() const { return Field(2); }
    int Height() const { return Field(3); }
    bool HasLocalTable() const { return (Bytes[9] & 0x80) != 0; }
    bool Interlaced() const { return (Bytes[9] & 0x40) != 0; }
    int LocalTableSize() const { return 2 << (Bytes[9] & 7); }
};

// Reads the six-byte signature, retrying once four bytes further on; answers the version text.
void ReadGIFSignature(TGIFByteStream& stream);
// Reads count colours of a colour table exactly.
void ReadColorTable(TGIFByteStream& stream, int count, std::vector<TGIFColor>& table);

// The frames larger than this many pixels are refused ("Image is too large").
extern int64_t GIFMaximumFramePixels;
// Allocates a frame's pixel buffer filled with fill; refuses sizes beyond the maximum.
void AllocateFramePixels(std::vector<uint8_t>& pixels, int width, int height, uint8_t fill);

struct TGIFDecodedFrame {
    TGIFDescriptorBytes Descriptor{};
    std::vector<TGIFColor> LocalTable;
    std::vector<uint8_t> Pixels;
    bool Transparent = false;
    uint8_t TransparentIndex = 0;
    int Disposal = 0;
    int Delay = 0;
    int Width = 0;
    int Height = 0;
};

struct TGIFDecodedFile {
    TGIFLogicalScreenBytes Screen{};
    std::vector<TGIFColor> GlobalTable;
    std::vector<TGIFDecodedFrame> Frames;
    int LoopCount = -1;  // -1 without a looping extension
};

// Decodes a whole file: every frame's pixels with its control values. Errors raise
// GIFException; a file that stops early keeps the frames read so far.
void DecodeGIFFile(TGIFByteStream& stream, TGIFDecodedFile& file, const TGIFWarningSink& warning);

// Writes a whole GIF89a file from decoded frames, each frame's data through the given encoder.
void EncodeGIFFile(TGIFByteStream& stream, const TGIFDecodedFile& file,
                   TGIFCompression compression);
// Writes a colour table padded with black to the 2^bits entries the format stores.
void WriteColorTable(TGIFByteStream& stream, const std::vector<TGIFColor>& table);
// Writes a non-empty colour table padded with black to the given number of entries.
void WriteColorTable(TGIFByteStream& stream, const std::vector<TGIFColor>& table, int entries);

extern const char* const sInvalidSignature;
extern const char* const sImageTooLarge;
extern const char* const sUnknownBlock;
extern const char* const sUnknownExtension;
extern const char* const sBadExtensionIntroducer;
