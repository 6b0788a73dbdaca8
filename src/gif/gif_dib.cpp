#include "gif_dib.h"

#include <cstring>

#include "gif_error.h"

void RaiseOutOfResources()
{
    const DWORD code = GetLastError();
    char text[256] = {};
    if (code != 0 && FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0x400, text, sizeof text, nullptr) > 0)
        throw EOutOfResources(Trim(AnsiString(text)));
    throw EOutOfResources("Out of system resources");
}

std::vector<TGIFColor> PaletteColors(HPALETTE palette)
{
    std::vector<TGIFColor> colors;
    WORD count = 0;
    if (!palette || !GetObjectA(palette, sizeof count, &count) || count == 0)
        return colors;
    if (count > 256)
        count = 256;
    PALETTEENTRY entries[256];
    const UINT read = GetPaletteEntries(palette, 0, count, entries);
    for (UINT i = 0; i < read; ++i)
        colors.push_back(TGIFColor{entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
    return colors;
}

HPALETTE CreateColorPalette(const std::vector<TGIFColor>& colors, BYTE flags)
{
    const size_t count = colors.size() > 256 ? 256 : colors.size();
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), 0);
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (size_t i = 0; i < count; ++i)
        logical->palPalEntry[i] = PALETTEENTRY{colors[i].Red, colors[i].Green, colors[i].Blue, flags};
    return RequireGDIHandle(CreatePalette(logical));
}

TDIBReader::TDIBReader(TBitmap* bitmap, TPixelFormat format) : TDIB(bitmap, format)
{
    bitmap->SetPixelFormat(format);
}

TDIBWriter::TDIBWriter(TBitmap* bitmap, TPixelFormat format, int width, int height,
                       HPALETTE palette)
    : TDIB(bitmap, format), PaletteHandle(palette), DIBWidth(width), DIBHeight(height)
{
    if (format != pf8bit && format != pf24bit)
        RaiseGIFError("Unsupported PixelFormat");
    if (width <= 0 || height <= 0)
        RaiseGIFError("Invalid image dimensions");
}

TDIBWriter::~TDIBWriter()
{
    try {
        StoreIntoBitmap();
    } catch (...) {
    }
    ReleaseBits();
}

void TDIBWriter::AllocateBits()
{
    ReleaseBits();
    const int bitCount = Format == pf8bit ? 8 : 24;
    InfoSize = bitCount == 8 ? 40 + 256 * 4 : 40;
    Info.assign(InfoSize, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(Info.data());
    header->biSize = 40;
    header->biWidth = DIBWidth;
    header->biHeight = DIBHeight;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bitCount);
    header->biCompression = BI_RGB;
    if (bitCount == 8) {
        const std::vector<TGIFColor> colors = PaletteColors(PaletteHandle);
        auto* table = reinterpret_cast<RGBQUAD*>(Info.data() + 40);
        for (size_t i = 0; i < colors.size(); ++i)
            table[i] = RGBQUAD{colors[i].Blue, colors[i].Green, colors[i].Red, 0};
        header->biClrUsed = 256;
        header->biClrImportant = static_cast<DWORD>(colors.size());
    }
    const int64_t size = static_cast<int64_t>(AlignedRowBytes(DIBWidth, bitCount, 32)) * DIBHeight;
    if (size > 0x7FFFFFFF)
        throw EOutOfMemory("Failed to allocate memory for GIF DIB");
    BitsSize = static_cast<int>(size);
    BitsHandle = GlobalAlloc(GMEM_MOVEABLE, BitsSize);
    Bits = BitsHandle ? static_cast<uint8_t*>(GlobalLock(BitsHandle)) : nullptr;
    if (!Bits) {
        ReleaseBits();
        throw EOutOfMemory("Failed to allocate memory for GIF DIB");
    }
}

void TDIBWriter::ReleaseBits()
{
    Info.clear();
    if (BitsHandle) {
        if (Bits)
            GlobalUnlock(BitsHandle);
        GlobalFree(BitsHandle);
    }
    BitsHandle = nullptr;
    Bits = nullptr;
}

void* TDIBWriter::RowPointer(int row)
{
    if (!Bits)
        AllocateBits();
    if (row < 0 || row >= DIBHeight)
        throw EInvalidGraphicOperation("Scan line index out of range");
    GdiFlush();
    const int rowBytes = AlignedRowBytes(DIBWidth, Format == pf8bit ? 8 : 24, 32);
    return Bits + static_cast<size_t>(DIBHeight - 1 - row) * rowBytes;
}

void TDIBWriter::StoreIntoBitmap()
{
    if (!Bits)
        return;
    TMemoryStream stream;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = static_cast<DWORD>(14 + InfoSize + BitsSize);
    file.bfOffBits = static_cast<DWORD>(14 + InfoSize);
    stream.WriteBuffer(&file, 14);
    stream.WriteBuffer(Info.data(), InfoSize);
    stream.WriteBuffer(Bits, BitsSize);
    stream.SetPosition(0);
    ReleaseBits();
    BoundBitmap->LoadFromStream(&stream);
}

void InitBitmapInfoHeader(HBITMAP bitmap, BITMAPINFOHEADER& header, TPixelFormat format)
{
    DIBSECTION section{};
    const int got = GetObjectA(bitmap, sizeof section, &section);
    if (got == 0)
        RaiseGIFError("Bitmap image is not valid");
    if (got >= 64 && section.dsBmih.biSize >= 40) {
        header = section.dsBmih;
    } else {
        header = BITMAPINFOHEADER{};
        header.biSize = 40;
        header.biWidth = section.dsBm.bmWidth;
        header.biHeight = section.dsBm.bmHeight;
    }
    switch (format) {
    case pf1bit: header.biBitCount = 1; break;
    case pf4bit: header.biBitCount = 4; break;
    case pf8bit: header.biBitCount = 8; break;
    case pf24bit: header.biBitCount = 24; break;
    default: RaiseGIFError("Unsupported PixelFormat");
    }
    header.biPlanes = 1;
    header.biCompression = BI_RGB;
    header.biSizeImage = AlignedRowBytes(header.biWidth, header.biBitCount, 32) * std::abs(header.biHeight);
}

void InternalGetDIBSizes(HBITMAP bitmap, int& infoSize, int& imageSize, TPixelFormat format)
{
    BITMAPINFOHEADER header;
    InitBitmapInfoHeader(bitmap, header, format);
    infoSize = header.biBitCount <= 8 ? 40 + 4 * (1 << header.biBitCount) : 40;
    imageSize = static_cast<int>(header.biSizeImage);
}

bool InternalGetDIB(HBITMAP bitmap, HPALETTE palette, void* info, void* bits, TPixelFormat format)
{
    auto* header = static_cast<BITMAPINFOHEADER*>(info);
    InitBitmapInfoHeader(bitmap, *header, format);
    HDC dc = RequireGDIHandle(CreateCompatibleDC(nullptr));
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    const bool ok = GetDIBits(dc, bitmap, 0, std::abs(header->biHeight), bits,
                              static_cast<BITMAPINFO*>(info), DIB_RGB_COLORS) != 0;
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    DeleteDC(dc);
    return ok;
}
