#include "cl_jpeg.h"

#include <csetjmp>
#include <cstdio>

#include "cl_streams.h"

#include <jerror.h>
#include <jpeglib.h>

namespace {

// Where decoded rows go. Both callbacks must not throw: they run inside the libjpeg barrier.
struct JpegTarget {
    void* owner;
    bool (*allocate)(void* owner, int width, int height) noexcept;
    uint8_t* (*row)(void* owner, int y) noexcept;
};

// Everything the decode needs across libjpeg's longjmp lives here, in memory the jump does not
// invalidate.
struct JpegSession {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jmp_buf jump;
    int code;
    char message[JMSG_LENGTH_MAX];
    bool grayscale;
};

const int kAllocationFailed = -1;

extern "C" void JpegErrorExit(j_common_ptr info) {
    auto* session = reinterpret_cast<JpegSession*>(info->client_data);
    session->code = info->err->msg_code;
    (*info->err->format_message)(info, session->message);
    longjmp(session->jump, 1);
}

extern "C" void JpegQuietMessage(j_common_ptr) {}

void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int c = inverted ? cmyk[0] : 255 - cmyk[0];
        const int m = inverted ? cmyk[1] : 255 - cmyk[1];
        const int y = inverted ? cmyk[2] : 255 - cmyk[2];
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        bgr[0] = static_cast<uint8_t>(y * k / 255);
        bgr[1] = static_cast<uint8_t>(m * k / 255);
        bgr[2] = static_cast<uint8_t>(c * k / 255);
    }
}

// The C-style barrier around libjpeg: no object with a destructor lives in this frame, so the
// error exit's longjmp back to it is safe. Returns 0, a libjpeg message code, or
// kAllocationFailed.
int DecodeJpeg(const uint8_t* data, size_t size, const JpegTarget* target, JpegSession* s) {
    s->info.err = jpeg_std_error(&s->errors);
    s->errors.error_exit = JpegErrorExit;
    s->errors.output_message = JpegQuietMessage;
    s->info.client_data = s;
    s->code = 0;
    jpeg_create_decompress(&s->info);
    if (setjmp(s->jump)) {
        jpeg_destroy_decompress(&s->info);
        return s->code ? s->code : JERR_UNKNOWN_MARKER;
    }
    jpeg_mem_src(&s->info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&s->info, TRUE);
    const bool cmyk = s->info.jpeg_color_space == JCS_CMYK || s->info.jpeg_color_space == JCS_YCCK;
    s->grayscale = s->info.jpeg_color_space == JCS_GRAYSCALE;
    s->info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&s->info);
    const int width = static_cast<int>(s->info.output_width);
    if (!target->allocate(target->owner, width, static_cast<int>(s->info.output_height))) {
        jpeg_destroy_decompress(&s->info);
        return kAllocationFailed;
    }
    JSAMPARRAY cmykRow = cmyk ? (*s->info.mem->alloc_sarray)(
                                    reinterpret_cast<j_common_ptr>(&s->info), JPOOL_IMAGE,
                                    s->info.output_width * 4, 1)
                              : nullptr;
    while (s->info.output_scanline < s->info.output_height) {
        uint8_t* row = target->row(target->owner, static_cast<int>(s->info.output_scanline));
        if (cmyk) {
            jpeg_read_scanlines(&s->info, cmykRow, 1);
            CmykToBgr(cmykRow[0], row, width, s->info.saw_Adobe_marker);
        } else {
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&s->info, rows, 1);
        }
    }
    jpeg_finish_decompress(&s->info);
    jpeg_destroy_decompress(&s->info);
    return 0;
}

bool AllocateBitmap(void* owner, int width, int height) noexcept {
    try {
        auto* bitmap = static_cast<TBitmap*>(owner);
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(width, height);
        return !bitmap->Empty();
    } catch (...) {
        return false;
    }
}

uint8_t* BitmapRow(void* owner, int y) noexcept {
    return static_cast<uint8_t*>(static_cast<TBitmap*>(owner)->ScanLine(y));
}

}  // namespace

TJPEGImage::~TJPEGImage() { delete bitmap_; }

void TJPEGImage::Clear() {
    delete bitmap_;
    bitmap_ = nullptr;
    data_.clear();
    grayscale_ = false;
}

int TJPEGImage::Width() const { return bitmap_ ? bitmap_->Width() : 0; }
int TJPEGImage::Height() const { return bitmap_ ? bitmap_->Height() : 0; }

void TJPEGImage::LoadFromStream(TStream* stream) {
    const int64_t length = stream->Size() - stream->Position();
    if (length < 0 || length > 0x7FFFFFFF) throw EInvalidGraphic("JPEG image is too large");
    std::vector<uint8_t> data(static_cast<size_t>(length));
    if (length) stream->ReadBuffer(data.data(), static_cast<int>(length));
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    const JpegTarget target{bitmap.get(), AllocateBitmap, BitmapRow};
    auto session = std::make_unique<JpegSession>();
    const int code = DecodeJpeg(data.data(), data.size(), &target, session.get());
    if (code == kAllocationFailed) throw EOutOfResources(SOutOfResources);
    if (code != 0) {
        throw EInvalidGraphic(Format(SJpegError, code) + ": " + session->message);
    }
    Clear();
    bitmap_ = bitmap.release();
    data_ = std::move(data);
    grayscale_ = session->grayscale;
    Changed(this);
}

void TJPEGImage::SaveToStream(TStream* stream) {
    if (!data_.empty()) stream->WriteBuffer(data_.data(), static_cast<int>(data_.size()));
}

void TJPEGImage::Assign(TPersistent* source) {
    auto* jpeg = dynamic_cast<TJPEGImage*>(source);
    if (!source || jpeg) {
        if (jpeg == this) return;
        Clear();
        if (jpeg && jpeg->bitmap_) {
            bitmap_ = new TBitmap;
            bitmap_->Assign(jpeg->bitmap_);
            data_ = jpeg->data_;
            grayscale_ = jpeg->grayscale_;
        }
        Changed(this);
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(bitmap_);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect) { canvas->StretchDraw(rect, bitmap_); }
