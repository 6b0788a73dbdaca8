// Texture images for OpenGL: pixels read from bitmaps (files and the program's resources), from
// a texture package file holding named RGB images, and from Targa files.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "cl_graphics.h"

// A texture image, rows bottom-up: from bitmaps each pixel red, green, blue and, with 4 bytes
// per pixel, alpha 255; from a package the bytes as stored there.
struct BMPTexture {
    uint32_t UserData = 0;  // not set by the loaders; the caller's to use
    int BytesPerPixel = 3;
    int TexWidth = 0;
    int TexHeight = 0;
    GLenum TexFormat = GL_RGB;
    GLenum TexType = GL_UNSIGNED_BYTE;
    std::vector<uint8_t> TexPixels;
};

// The bitmap's pixels as a texture: GL_RGBA with alpha, else GL_RGB.
std::unique_ptr<BMPTexture> TextureFromBitmap(TBitmap* bitmap, bool alpha);

// The image called `name` in a texture package: a 32-bit entry count, 20-byte directory
// entries (8-byte name, width, height, offset), then the pixel data, each entry's
// width x height x 3 bytes found offset bytes after the directory. None when the name is not
// there or the package is cut short.
std::unique_ptr<BMPTexture> ParseTexturePackage(const uint8_t* data, size_t size,
                                                const AnsiString& name);

// LoadTGA's answers.
enum TTargaStatus {
    tgaLoaded = 0, tgaNotTrueColor = -1, tgaUnsupportedDepth = -2, tgaCannotOpen = -3
};

// A Targa image read into width x height x 4 bytes (red, green, blue, alpha), the first stored
// row last.
struct TargaImage {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
    std::vector<uint8_t> Pixels;
};

// Reads an uncompressed (type 2) or run-length (type 10) true-colour Targa file of 24 or 32
// bits: tgaNotTrueColor for other types and for data cut short, tgaUnsupportedDepth for a
// colour map or another depth. BitsPerPixel is set once the header is read; Pixels only for
// tgaLoaded.
int ParseTGA(const uint8_t* data, size_t size, TargaImage& image);
