// The ImageMagick-made corpus as the tests see it: file names, bytes, and ImageMagick's own
// decoding of each frame as RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

std::string CorpusPath(const std::string& name);
std::string RoundTripPath(const std::string& name);
std::vector<std::string> CorpusNames();
Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

struct ReferenceFrame {
    int Width = 0;
    int Height = 0;
    int Left = 0;
    int Top = 0;
    Bytes Rgba;
};
std::vector<ReferenceFrame> ReferenceFrames(const std::string& name);
