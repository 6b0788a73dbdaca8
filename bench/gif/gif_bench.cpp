// Decode throughput of the codec's file decoder against giflib on the same files in memory;
// prints both times and their ratio (ours / giflib's).
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

size_t DecodeWithGiflib(const Bytes& bytes)
{
    MemoryReader reader{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif)
        return 0;
    size_t pixels = 0;
    if (DGifSlurp(gif) == GIF_OK)
        for (int i = 0; i < gif->ImageCount; ++i)
            pixels += static_cast<size_t>(gif->SavedImages[i].ImageDesc.Width) *
                      gif->SavedImages[i].ImageDesc.Height;
    DGifCloseFile(gif, &error);
    return pixels;
}

size_t DecodeWithCodec(const Bytes& bytes)
{
    TGIFMemoryBytes stream(bytes.data(), bytes.size());
    TGIFDecodedFile file;
    DecodeGIFFile(stream, file, [](TGIFSeverity, const AnsiString&) {});
    size_t pixels = 0;
    for (const TGIFDecodedFrame& frame : file.Frames)
        pixels += frame.Pixels.size();
    return pixels;
}

template <typename Decode>
double BestSeconds(const std::vector<Bytes>& files, int rounds, Decode decode, size_t& pixels)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        pixels = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const Bytes& bytes : files)
            pixels += decode(bytes);
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
    const int rounds = 15;
    size_t oursPixels = 0, giflibPixels = 0;
    const double giflib = BestSeconds(files, rounds, DecodeWithGiflib, giflibPixels);
    const double ours = BestSeconds(files, rounds, DecodeWithCodec, oursPixels);
    std::printf("files: %zu, pixels: %zu (giflib %zu)\n", files.size(), oursPixels, giflibPixels);
    std::printf("giflib: %.3f ms, codec: %.3f ms, ratio codec/giflib: %.2f (goal <= 1.25)\n",
                giflib * 1e3, ours * 1e3, ours / giflib);
    return oursPixels == giflibPixels ? 0 : 1;
}
