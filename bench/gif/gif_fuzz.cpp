// libFuzzer harness: any input must decode to frames or end in GIFException, never crash, and
// every decoded frame must survive a round trip through both encoders and the decoder.
#include <cstdint>
#include <cstdlib>

#include "gif_decoder.h"
#include "gif_encoder.h"
#include "gif_error.h"
#include "gif_file.h"

namespace {

void RoundTrip(const TGIFDecodedFrame& frame, TGIFCompression compression)
{
    TGIFMemoryBytes encoded;
    CreateGIFEncoder(compression)->EncodeFrame(encoded, 8, frame.Width, frame.Height,
                                               frame.Descriptor.Interlaced(),
                                               frame.Pixels.data(), 256);
    TGIFMemoryBytes input(encoded.Bytes().data(), encoded.Bytes().size());
    std::vector<uint8_t> decoded(frame.Pixels.size(), 0);
    DecompressImageData(input,
                        TGIFPixelTarget{decoded.data(), frame.Width, frame.Height,
                                        frame.Descriptor.Interlaced()},
                        [](TGIFSeverity, const AnsiString&) { std::abort(); });
    if (decoded != frame.Pixels)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GIFMaximumFramePixels = 1 << 20;
    TGIFMemoryBytes stream(data, size);
    TGIFDecodedFile file;
    try {
        DecodeGIFFile(stream, file, [](TGIFSeverity, const AnsiString&) {});
    } catch (const GIFException&) {
    }
    for (const TGIFDecodedFrame& frame : file.Frames) {
        if (frame.Pixels.empty() || frame.Pixels.size() > 65536)
            continue;
        RoundTrip(frame, gcLZW);
        RoundTrip(frame, gcRLE);
    }
    return 0;
}
