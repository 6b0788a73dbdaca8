// The PDF engine library's binary interface: entry point types, property and action numbers,
// and the records handed across. Shared by the export component and the engine itself.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace pepdf {

// Environment handle: a small number chosen by the engine; 0 means none.
using Environment = int32_t;

// Called by the engine during its own calls, on the caller's thread.
using Callback = void(__stdcall*)(void* sender, int32_t code, INT_PTR num, void* data);

using InitializeProc = Environment(__stdcall*)(int32_t, int32_t, int32_t, int32_t one,
                                               Callback callback, void* sender);
using FinalizeProc = void(__stdcall*)(Environment env);
using ProcessPDFProc = int32_t(__stdcall*)(void* inputPage, char* buffer, int32_t length,
                                           HDC dc, int32_t resolution);
using SetSPropProc = void(__stdcall*)(Environment env, int32_t id, const char* text);
using SetIPropProc = void(__stdcall*)(Environment env, int32_t id, int32_t value);
using ActionProc = int32_t(__stdcall*)(Environment env, int32_t code, INT_PTR param, void* data);
struct InitRec;
using InitializePageProc = void(__stdcall*)(Environment env, int32_t zero, InitRec* rec);
using PetExecProc = void(__stdcall*)();

// Callback codes.
enum : int32_t {
    cbMessage = 1,
    cbInputPageCount = 2,
    cbInputPage = 3,
    cbMergeText = 4,
};

// Integer properties.
enum : int32_t {
    ipEncodeStream = 1,
    ipCompressStream = 2,
    ipPageMode = 3,
    ipFontMode = 4,
    ipConvertJPEG = 6,
    ipEncryption = 7,
    ipInputFileMode = 8,
    ipReadMode = 9,
    ipInterfaceVersion = 10,
    ipJPEGQuality = 12,
    ipZoomMode = 14,
    ipSecurity = 15,
    ipExtraMessages = 21,
    ipEnlargeFontWidth = 22,
    ipOutlineCharset = 24,
    ipThumbnails = 25,
    ipModes = 26,
    ipOptions = 27,
};

// String properties.
enum : int32_t {
    spAuthor = 1,
    spCreationDate = 2,
    spModDate = 3,
    spProducer = 4,
    spTitle = 5,
    spSubject = 6,
    spKeywords = 7,
    spExcludedFonts = 9,
    spOwnerPassword = 10,
    spUserPassword = 11,
    spInputFile = 12,
    spMergeStart = 14,
    spMergeReply = 15,
    spInfoStrings = 16,
};

// Action codes.
enum : int32_t {
    acBeginDoc = 4533,
    acFinishDoc = 4534,
    acStartPage = 4535,
    acEndPage = 4536,
    acDocumentCopy = 4537,
    acSaveToFile = 4538,
    acCloseDoc = 4539,
    acLinkArea = 4541,
    acBookmark = 4542,
    acOutline = 4543,
    acDrawMetafile = 4544,
    acBeginForm = 4545,
    acEndForm = 4546,
    acPlaceForm = 4547,
    acCommand = 4548,
    acDrawGraphic = 4549,
    acInitDC = 4551,
};

// Graphic data formats of DrawGraphic.
enum : int32_t {
    gfJpegRGB = 2,
    gfCCITT31D = 3,
    gfCCITT32D = 4,
    gfCCITT42D = 5,
    gfJpegCMYK = 6,
    gfJpegGray = 7,
};

// Outline kinds of the outline action: 5 hangs the entry under the outline whose identifier
// is the value (0: top level), 4 places it at the nesting level given by the value.
enum : int32_t { okLevel = 4, okParent = 5 };
enum : int32_t { tkWide = 2 };

#pragma pack(push, 1)

// A page (or form) about to start; handed with InitializePage.
struct InitRec {
    int32_t Width;
    int32_t Height;
    int32_t XRes;
    int32_t YRes;
    int32_t Extra;
    int32_t PageRecordValue;
    uint8_t Reserved1[8];
    uint8_t CreateThumbnails;
    uint8_t Reserved2[4];
};
static_assert(sizeof(InitRec) == 37, "page record size");

// Position, size and names of the link, bookmark, outline, metafile and form actions. On
// 32-bit Windows every byte sits where the interface fixes it; the wide caption's address
// takes a pointer's width.
struct ActionRec {
    uint8_t Reserved1[8];
    int32_t X;
    int32_t Y;
    int32_t Width;
    int32_t Height;
    int32_t Extra1;
    int32_t Extra2;
    char Name[256];
    char Destination[256];
    int32_t OutlineKind;
    int32_t OutlineValue;
    int32_t TextKind;
    uint8_t Reserved2[4];
    const wchar_t* WideCaption;
    uint8_t Reserved3[16 - sizeof(void*)];
};
static_assert(sizeof(ActionRec) == 576, "action record size");
static_assert(offsetof(ActionRec, Name) == 32 && offsetof(ActionRec, OutlineKind) == 544 &&
                  offsetof(ActionRec, WideCaption) == 560,
              "action record layout");

// An image handed with DrawGraphic. The addresses and the handle take a pointer's width.
struct GraphicDef {
    int32_t X;
    int32_t Y;
    int32_t Width;
    int32_t Height;
    int32_t Id;
    HBITMAP Bitmap;
    const BITMAPINFO* DIBHeader;
    const void* DIBBits;
    const void* Data;
    int32_t DataLength;
    int32_t Format;
    int32_t ImageWidth;
    int32_t ImageHeight;
    uint8_t Reserved[8];
};
#ifndef _WIN64
static_assert(sizeof(GraphicDef) == 60 && offsetof(GraphicDef, Format) == 40,
              "graphic record layout");
#endif

// The engine's record of one page of an input PDF; the fields the component uses.
struct InputPageRec {
    int32_t TextCapacity;
    int32_t PageIndex;
    int32_t Stop;
    uint8_t Reserved[16];
    float Width;
    float Height;
};
static_assert(offsetof(InputPageRec, Width) == 28, "input page record layout");

#pragma pack(pop)

}  // namespace pepdf
