#include "graphics_support.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

std::string FixturePath(const std::string& name) {
    return std::string("Z:") + GRAPHICS_FIXTURE_DIR + "/" + name;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

RgbImage ReadPnm(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    std::istringstream header(std::string(bytes.begin(), bytes.begin() + std::min<size_t>(64, bytes.size())));
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    header >> magic >> width >> height >> maxValue;
    const size_t offset = static_cast<size_t>(header.tellg()) + 1;
    const int channels = magic == "P6" ? 3 : 1;
    RgbImage image{width, height, {}};
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        for (int c = 0; c < 3; ++c) image.rgb.push_back(bytes[offset + i * channels + (channels == 3 ? c : 0)]);
    }
    return image;
}

RgbImage PixelsOf(TBitmap* bitmap) {
    TBitmap copy;
    copy.Assign(bitmap);
    copy.SetPixelFormat(pf24bit);
    RgbImage image{copy.Width(), copy.Height(), {}};
    for (int y = 0; y < copy.Height(); ++y) {
        const auto* row = static_cast<const uint8_t*>(copy.ScanLine(y));
        for (int x = 0; x < copy.Width(); ++x) {
            image.rgb.push_back(row[x * 3 + 2]);
            image.rgb.push_back(row[x * 3 + 1]);
            image.rgb.push_back(row[x * 3]);
        }
    }
    return image;
}

int MaxDifference(const RgbImage& a, const RgbImage& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return 256;
    int worst = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) worst = std::max(worst, std::abs(a.rgb[i] - b.rgb[i]));
    return worst;
}

std::string ScratchPath(const std::string& suffix) {
    static int counter = 0;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "clgfx_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++counter) + suffix;
}

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}
