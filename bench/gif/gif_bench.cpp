// Decode throughput of the codec's file decoder against giflib on the same files in memory;
// prints both times and their ratio (ours / giflib's). Both decodings of every frame must hold
// the same colour indices: any difference is listed and fails the run.
#include <gif_lib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gif_error.h"
#include "gif_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct MemoryReader {
    const Bytes* bytes;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t n = std::min<size_t>(count, reader->bytes->size() - reader->position);
    std::memcpy(buffer, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

// Each decoder hands every frame it decoded to visit (width, height, indices).
template <typename Visit>
void DecodeWithGiflib(const Bytes& bytes, Visit visit)
{
    MemoryReader reader{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif)
        return;
    if (DGifSlurp(gif) == GIF_OK)
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            visit(image.ImageDesc.Width, image.ImageDesc.Height, image.RasterBits);
        }
    DGifCloseFile(gif, &error);
}

template <typename Visit>
void DecodeWithCodec(const Bytes& bytes, Visit visit)
{
    TGIFMemoryBytes stream(bytes.data(), bytes.size());
    TGIFDecodedFile file;
    try {
        DecodeGIFFile(stream, file, [](TGIFSeverity, const AnsiString&) {});
    } catch (const GIFException&) {
        file.Frames.clear();
    }
    for (const TGIFDecodedFrame& frame : file.Frames)
        visit(frame.Width, frame.Height, frame.Pixels.data());
}

struct CountPixels {
    size_t& Pixels;
    void operator()(int width, int height, const uint8_t*) const
    {
        Pixels += static_cast<size_t>(width) * height;
    }
};

// One FNV-1a hash per frame over its size and its indices.
struct HashFrames {
    std::vector<uint64_t>& Hashes;
    void operator()(int width, int height, const uint8_t* pixels) const
    {
        uint64_t hash = 14695981039346656037ull;
        const auto add = [&hash](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
        for (int value : {width, height})
            for (int shift = 0; shift < 32; shift += 8)
                add(static_cast<uint8_t>(value >> shift));
        for (size_t p = 0; pixels && p < static_cast<size_t>(width) * height; ++p)
            add(pixels[p]);
        Hashes.push_back(hash);
    }
};

// Lists every frame whose indices differ between the two decoders; answers the number.
int CountDifferentFrames(const std::vector<Bytes>& files, char** names)
{
    int different = 0;
    for (size_t f = 0; f < files.size(); ++f) {
        std::vector<uint64_t> giflib, ours;
        DecodeWithGiflib(files[f], HashFrames{giflib});
        DecodeWithCodec(files[f], HashFrames{ours});
        if (giflib.size() != ours.size()) {
            std::printf("differs: %s has %zu frames (giflib %zu)\n", names[f], ours.size(), giflib.size());
            ++different;
            continue;
        }
        for (size_t i = 0; i < ours.size(); ++i)
            if (ours[i] != giflib[i]) {
                std::printf("differs: %s frame %zu\n", names[f], i);
                ++different;
            }
    }
    return different;
}

template <typename Decode>
double BestSeconds(const std::vector<Bytes>& files, int rounds, Decode decode, size_t& pixels)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        pixels = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const Bytes& bytes : files)
            decode(bytes, CountPixels{pixels});
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<Bytes> files;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: gif_bench file.gif...\n");
        return 2;
    }
    const int different = CountDifferentFrames(files, argv + 1);
    const int rounds = 15;
    size_t oursPixels = 0, giflibPixels = 0;
    const double giflib = BestSeconds(
        files, rounds, [](const Bytes& bytes, CountPixels visit) { DecodeWithGiflib(bytes, visit); },
        giflibPixels);
    const double ours = BestSeconds(
        files, rounds, [](const Bytes& bytes, CountPixels visit) { DecodeWithCodec(bytes, visit); },
        oursPixels);
    std::printf("files: %zu, pixels: %zu (giflib %zu), frames with other indices than giflib's: %d\n",
                files.size(), oursPixels, giflibPixels, different);
    std::printf("giflib: %.3f ms, codec: %.3f ms, ratio codec/giflib: %.2f (goal <= 1.25)\n",
                giflib * 1e3, ours * 1e3, ours / giflib);
    return different == 0 && oursPixels == giflibPixels ? 0 : 1;
}
