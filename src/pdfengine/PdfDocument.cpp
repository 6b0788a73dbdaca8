// The engine's PDF document over the Haru library.
#include "PdfDocument.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace pdfengine {

namespace {

void HPDF_STDCALL LibraryError(HPDF_STATUS error, HPDF_STATUS detail, void* user) {
    static_cast<PdfDocument*>(user)->OnLibraryError(error, detail);
}

uint64_t Fingerprint(const RgbImage& image) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](const uint8_t* data, size_t size) {
        for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    };
    const int size[2] = {image.width, image.height};
    mix(reinterpret_cast<const uint8_t*>(size), sizeof(size));
    mix(image.rgb.data(), image.rgb.size());
    mix(image.alpha.data(), image.alpha.size());
    return hash;
}

}  // namespace

PdfDocument::PdfDocument(Reporter report) : report_(std::move(report)) {
    doc_ = HPDF_New(LibraryError, this);
}

PdfDocument::~PdfDocument() {
    if (doc_) HPDF_Free(doc_);
}

void PdfDocument::OnLibraryError(HPDF_STATUS error, HPDF_STATUS detail) {
    error_ = true;
    char text[80];
    std::snprintf(text, sizeof(text), "PDF library error 0x%04X (detail %u)",
                  static_cast<unsigned>(error), static_cast<unsigned>(detail));
    if (report_) report_(text);
}

bool PdfDocument::TakeError() {
    const bool error = error_;
    error_ = false;
    if (error) HPDF_ResetError(doc_);
    return error;
}

void PdfDocument::SetCompression(bool compressContent) {
    // Images are always compressed; text and metadata streams as asked.
    HPDF_SetCompressionMode(doc_, compressContent ? HPDF_COMP_ALL : HPDF_COMP_IMAGE);
}

void PdfDocument::SetInfo(HPDF_InfoType type, const std::string& value) {
    if (!value.empty()) HPDF_SetInfoAttr(doc_, type, value.c_str());
}

void PdfDocument::SetDate(HPDF_InfoType type, const std::string& date) {
    if (date.size() < 13 || date.compare(0, 2, "D:") != 0) return;
    const std::string digits = date.substr(2);
    const std::string tail = digits.substr(digits.size() - 10);
    HPDF_Date value{};
    value.year = std::atoi(digits.substr(0, digits.size() - 10).c_str());
    value.month = std::atoi(tail.substr(0, 2).c_str());
    value.day = std::atoi(tail.substr(2, 2).c_str());
    value.hour = std::atoi(tail.substr(4, 2).c_str());
    value.minutes = std::atoi(tail.substr(6, 2).c_str());
    value.seconds = std::atoi(tail.substr(8, 2).c_str());
    value.ind = ' ';
    HPDF_SetInfoDateAttr(doc_, type, value);
}

void PdfDocument::SetEncryption(const std::string& owner, const std::string& user,
                                HPDF_UINT permissions, bool strong) {
    std::string ownerPassword = owner;
    if (ownerPassword.empty() || ownerPassword == user) {
        char generated[40];
        std::snprintf(generated, sizeof(generated), "owner-%08lx-%08lx", GetTickCount(),
                      static_cast<unsigned long>(GetCurrentProcessId()));
        ownerPassword = user + generated;
    }
    HPDF_SetPassword(doc_, ownerPassword.c_str(), user.c_str());
    HPDF_SetPermission(doc_, permissions);
    HPDF_SetEncryptionMode(doc_, strong ? HPDF_ENCRYPT_R3 : HPDF_ENCRYPT_R2, strong ? 16 : 5);
}

void PdfDocument::SetPageMode(HPDF_PageMode mode) { HPDF_SetPageMode(doc_, mode); }

HPDF_Page PdfDocument::AddPage(double width, double height) {
    page_ = HPDF_AddPage(doc_);
    if (!page_) return nullptr;
    HPDF_Page_SetWidth(page_, static_cast<HPDF_REAL>(width));
    HPDF_Page_SetHeight(page_, static_cast<HPDF_REAL>(height));
    pageHeight_ = height;
    if (!firstPage_) firstPage_ = page_;
    return page_;
}

HPDF_Font PdfDocument::Font(const FontChoice& choice) {
    const std::string key = std::string(choice.name) + "/" + (choice.encoding ? choice.encoding : "");
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HPDF_Font font = HPDF_GetFont(doc_, choice.name, choice.encoding);
    if (font) fonts_[key] = font;
    return font;
}

HPDF_Image PdfDocument::Image(const RgbImage& image) {
    const uint64_t key = Fingerprint(image);
    auto found = images_.find(key);
    if (found != images_.end()) return found->second;
    HPDF_Image result = HPDF_LoadRawImageFromMem(doc_, image.rgb.data(), image.width,
                                                 image.height, HPDF_CS_DEVICE_RGB, 8);
    if (result && !image.alpha.empty()) {
        HPDF_Image mask = HPDF_LoadRawImageFromMem(doc_, image.alpha.data(), image.width,
                                                   image.height, HPDF_CS_DEVICE_GRAY, 8);
        if (mask) HPDF_Image_AddSMask(result, mask);
    }
    if (result) images_[key] = result;
    return result;
}

HPDF_Image PdfDocument::Jpeg(const void* data, size_t length) {
    return HPDF_LoadJpegImageFromMem(doc_, static_cast<const HPDF_BYTE*>(data),
                                     static_cast<HPDF_UINT>(length));
}

int PdfDocument::AddGraphic(HPDF_Image image) {
    graphics_.push_back(image);
    return static_cast<int>(graphics_.size());
}

HPDF_Image PdfDocument::Graphic(int id) const {
    return id >= 1 && id <= static_cast<int>(graphics_.size()) ? graphics_[id - 1] : nullptr;
}

HPDF_Destination PdfDocument::Destination(HPDF_Page page, double x, double y) {
    HPDF_Destination destination = HPDF_Page_CreateDestination(page);
    if (destination) {
        HPDF_Destination_SetXYZ(destination, static_cast<HPDF_REAL>(std::max(x, 0.0)),
                                static_cast<HPDF_REAL>(std::max(y, 0.0)), 1);
    }
    return destination;
}

void PdfDocument::SetBookmark(const std::string& name, double x, double y) {
    if (page_ && !name.empty()) bookmarks_[name] = {page_, x, y};
}

void PdfDocument::AddLink(const std::string& name, HPDF_Rect area) {
    if (page_) links_.push_back({page_, area, name});
}

int PdfDocument::AddOutline(const std::string& caption, int kind, int value,
                            const std::string& name, bool atPoint, double x, double y) {
    HPDF_Outline parent = nullptr;
    int level = 1;
    if (kind == 5 && value >= 1 && value <= static_cast<int>(outlines_.size())) {
        parent = outlines_[value - 1].outline;
        level = outlines_[value - 1].level + 1;
    } else if (kind == 4 && value > 1) {
        for (auto it = outlines_.rbegin(); it != outlines_.rend(); ++it) {
            if (it->level == value - 1) {
                parent = it->outline;
                level = value;
                break;
            }
        }
    }
    HPDF_Outline outline = HPDF_CreateOutline(doc_, parent, caption.c_str(), nullptr);
    if (!outline) return -1;
    HPDF_Outline_SetOpened(outline, HPDF_TRUE);
    if (name.empty() && atPoint && page_) {
        HPDF_Outline_SetDestination(outline, Destination(page_, x, y));
    }
    outlines_.push_back({outline, level, name});
    return static_cast<int>(outlines_.size());
}

void PdfDocument::Finish() {
    for (const Link& link : links_) {
        auto target = bookmarks_.find(link.name);
        if (target == bookmarks_.end()) {
            if (report_) report_("Link to the unknown bookmark \"" + link.name + "\" left out.");
            continue;
        }
        const Bookmark& b = target->second;
        HPDF_Annotation annotation =
            HPDF_Page_CreateLinkAnnot(link.page, link.area, Destination(b.page, b.x, b.y));
        if (annotation) HPDF_LinkAnnot_SetBorderStyle(annotation, 0, 0, 0);
    }
    links_.clear();
    for (const Outline& outline : outlines_) {
        if (outline.name.empty()) continue;
        auto target = bookmarks_.find(outline.name);
        if (target == bookmarks_.end()) continue;
        const Bookmark& b = target->second;
        HPDF_Outline_SetDestination(outline.outline, Destination(b.page, b.x, b.y));
    }
    if (zoomMode_ != 0 && firstPage_) {
        HPDF_Destination open = HPDF_Page_CreateDestination(firstPage_);
        if (zoomMode_ == 1) HPDF_Destination_SetFit(open);
        if (zoomMode_ == 2) HPDF_Destination_SetFitV(open, 0);
        if (zoomMode_ == 3) HPDF_Destination_SetFitH(open, HPDF_Page_GetHeight(firstPage_));
        HPDF_SetOpenAction(doc_, open);
    }
}

// Written beside the target first and then moved over it, so that the file holds either its
// old contents or the whole document.
bool PdfDocument::SaveToFile(const std::string& fileName) {
    const std::string temporary = fileName + ".part";
    if (HPDF_SaveToFile(doc_, temporary.c_str()) != HPDF_OK || TakeError()) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    if (!MoveFileExA(temporary.c_str(), fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

int32_t PdfDocument::Size() {
    if (HPDF_SaveToStream(doc_) != HPDF_OK || TakeError()) return -1;
    return static_cast<int32_t>(HPDF_GetStreamSize(doc_));
}

int32_t PdfDocument::CopyTo(void* buffer, int32_t size) {
    const int32_t total = Size();
    if (total < 0 || !buffer || size < total) return -1;
    HPDF_ResetStream(doc_);
    HPDF_UINT32 read = static_cast<HPDF_UINT32>(total);
    HPDF_ReadFromStream(doc_, static_cast<HPDF_BYTE*>(buffer), &read);
    TakeError();
    return read == static_cast<HPDF_UINT32>(total) ? total : -1;
}

}  // namespace pdfengine
