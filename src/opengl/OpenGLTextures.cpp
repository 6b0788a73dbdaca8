#include "OpenGLTextures.h"

#include <cstring>

namespace {

constexpr size_t PackageEntrySize = 20;
constexpr size_t TargaHeaderSize = 18;

uint32_t ReadUInt32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t ReadUInt16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

AnsiString EntryName(const uint8_t* entry) {
    const char* name = reinterpret_cast<const char*>(entry);
    return AnsiString(name, static_cast<int>(strnlen(name, 8)));
}

// Reads the Targa pixels one by one, through run-length packets when `packed`.
class TargaPixelReader {
public:
    TargaPixelReader(const uint8_t* data, size_t size, int bytesPerPixel, bool packed)
        : p_(data), end_(data + size), bytes_(bytesPerPixel), packed_(packed) {}

    // The next pixel as red, green, blue, alpha; false when the data ran out.
    bool Next(uint8_t* rgba) {
        if (packed_ && left_ == 0 && !StartPacket()) return false;
        if (!repeating_ || firstOfRun_) {
            if (end_ - p_ < bytes_) return false;
            pixel_ = p_;
            p_ += bytes_;
            firstOfRun_ = false;
        }
        if (packed_) --left_;
        rgba[0] = pixel_[2];
        rgba[1] = pixel_[1];
        rgba[2] = pixel_[0];
        rgba[3] = bytes_ == 4 ? pixel_[3] : 255;
        return true;
    }

private:
    // A packet header: (h and 0x7F) + 1 pixels, one pixel repeated when h >= 0x80.
    bool StartPacket() {
        if (p_ == end_) return false;
        const uint8_t header = *p_++;
        left_ = (header & 0x7F) + 1;
        repeating_ = header >= 0x80;
        firstOfRun_ = true;
        return true;
    }

    const uint8_t* p_;
    const uint8_t* end_;
    int bytes_;
    bool packed_;
    const uint8_t* pixel_ = nullptr;
    int left_ = 0;
    bool repeating_ = false;
    bool firstOfRun_ = false;
};

}  // namespace

std::unique_ptr<BMPTexture> TextureFromBitmap(TBitmap* bitmap, bool alpha) {
    auto texture = std::make_unique<BMPTexture>();
    texture->BytesPerPixel = alpha ? 4 : 3;
    texture->TexFormat = alpha ? GL_RGBA : GL_RGB;
    texture->TexWidth = bitmap->Width();
    texture->TexHeight = bitmap->Height();
    bitmap->SetPixelFormat(pf24bit);
    texture->TexPixels.resize(static_cast<size_t>(texture->TexWidth) * texture->TexHeight *
                              texture->BytesPerPixel);
    uint8_t* out = texture->TexPixels.data();
    for (int row = texture->TexHeight - 1; row >= 0; --row) {
        const auto* in = static_cast<const uint8_t*>(bitmap->ScanLine(row));
        for (int column = 0; column < texture->TexWidth; ++column, in += 3) {
            *out++ = in[2];
            *out++ = in[1];
            *out++ = in[0];
            if (alpha) *out++ = 255;
        }
    }
    return texture;
}

std::unique_ptr<BMPTexture> ParseTexturePackage(const uint8_t* data, size_t size,
                                                const AnsiString& name) {
    if (size < 4) return nullptr;
    const uint32_t count = ReadUInt32(data);
    if (count > (size - 4) / PackageEntrySize) return nullptr;
    const size_t dataStart = 4 + count * PackageEntrySize;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + 4 + i * PackageEntrySize;
        if (EntryName(entry) != name) continue;
        const uint64_t width = ReadUInt32(entry + 8), height = ReadUInt32(entry + 12);
        const uint64_t offset = ReadUInt32(entry + 16);
        const uint64_t bytes = width * height * 3;
        if (width > 0x7FFF || height > 0x7FFF || dataStart + offset + bytes > size)
            return nullptr;
        auto texture = std::make_unique<BMPTexture>();
        texture->TexWidth = static_cast<int>(width);
        texture->TexHeight = static_cast<int>(height);
        const uint8_t* pixels = data + dataStart + offset;
        texture->TexPixels.assign(pixels, pixels + bytes);
        return texture;
    }
    return nullptr;
}

int ParseTGA(const uint8_t* data, size_t size, TargaImage& image) {
    if (size < TargaHeaderSize) return tgaNotTrueColor;
    const uint8_t idLength = data[0], colorMapType = data[1], imageType = data[2];
    const int width = ReadUInt16(data + 12), height = ReadUInt16(data + 14);
    image.BitsPerPixel = data[16];
    if (imageType != 2 && imageType != 10) return tgaNotTrueColor;
    if (colorMapType != 0 || (image.BitsPerPixel != 24 && image.BitsPerPixel != 32))
        return tgaUnsupportedDepth;
    const size_t start = TargaHeaderSize + idLength;
    if (start > size) return tgaNotTrueColor;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    TargaPixelReader reader(data + start, size - start, image.BitsPerPixel / 8, imageType == 10);
    for (int row = height - 1; row >= 0; --row) {
        uint8_t* out = pixels.data() + static_cast<size_t>(row) * width * 4;
        for (int column = 0; column < width; ++column, out += 4)
            if (!reader.Next(out)) return tgaNotTrueColor;
    }
    image.Width = width;
    image.Height = height;
    image.Pixels = std::move(pixels);
    return tgaLoaded;
}
