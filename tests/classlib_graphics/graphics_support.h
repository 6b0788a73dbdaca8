// Shared helpers of the graphics tests: fixture paths, PNM reference images, bitmap pixels and
// scratch files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cl_graphics.h"

// Pixels as RGB triples, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// A fixture made at build time (make_fixtures.sh), as a Windows path.
std::string FixturePath(const std::string& name);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// A binary P5/P6 image.
RgbImage ReadPnm(const std::string& path);
// The bitmap's pixels, read from a 24-bit copy through ScanLine.
RgbImage PixelsOf(TBitmap* bitmap);
// The largest difference of any channel; 256 when the sizes differ.
int MaxDifference(const RgbImage& a, const RgbImage& b);
// A fresh file name in the temporary folder.
std::string ScratchPath(const std::string& suffix);
// A 24-bit bitmap of the size, filled with the colour.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color);
