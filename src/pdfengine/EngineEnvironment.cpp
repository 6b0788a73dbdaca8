// The engine's actions on one environment.
#include "EngineEnvironment.h"

#include <cstring>

#include "EmfTranslator.h"

namespace pdfengine {

namespace {

std::string Field(const char (&field)[256]) { return std::string(field, strnlen(field, 256)); }

std::string WinAnsi(const wchar_t* text) {
    if (!text || !*text) return std::string();
    const int size = WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(1252, 0, text, -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

int Dpi(int32_t resolution) { return resolution > 0 ? resolution : 72; }

}  // namespace

EngineEnvironment::EngineEnvironment(pepdf::Callback callback, void* sender)
    : callback_(callback), sender_(sender) {}

EngineEnvironment::~EngineEnvironment() { ClearForms(); }

void EngineEnvironment::ClearForms() {
    for (auto& entry : forms_) {
        for (FormItem& item : entry.second.items) DeleteEnhMetaFile(item.metafile);
    }
    forms_.clear();
    openForm_ = nullptr;
}

void EngineEnvironment::SetString(int32_t id, const char* text) { strings_[id] = text ? text : ""; }

int32_t EngineEnvironment::Integer(int32_t id) const {
    auto found = integers_.find(id);
    return found != integers_.end() ? found->second : 0;
}

std::string EngineEnvironment::String(int32_t id) const {
    auto found = strings_.find(id);
    return found != strings_.end() ? found->second : std::string();
}

void EngineEnvironment::Message(const std::string& text) {
    if (callback_) callback_(sender_, pepdf::cbMessage, 0, const_cast<char*>(text.c_str()));
}

double EngineEnvironment::PointsAcross(double dots, int resolution) const {
    return dots * 72.0 / Dpi(resolution);
}

int32_t EngineEnvironment::Checked(int32_t result) {
    return doc_ && doc_->TakeError() ? 1 : result;
}

int32_t EngineEnvironment::Action(int32_t code, INT_PTR param, void* data) {
    using namespace pepdf;
    auto* rec = static_cast<const ActionRec*>(data);
    if (code != acBeginDoc && code != acCloseDoc && code != acInitDC && !doc_) {
        Message("No document is open.");
        return -1;
    }
    switch (code) {
        case acBeginDoc: return BeginDoc(static_cast<const char*>(data));
        case acFinishDoc: return FinishDoc();
        case acStartPage: return StartPage();
        case acEndPage: return EndPage();
        case acDocumentCopy: return DocumentCopy(param, data);
        case acSaveToFile: return SaveToFile(static_cast<const char*>(data));
        case acCloseDoc: return CloseDoc();
        case acLinkArea: return rec ? LinkArea(rec) : -1;
        case acBookmark: return rec ? Bookmark(rec) : -1;
        case acOutline: return rec ? Outline(rec) : -1;
        case acDrawMetafile: return DrawMetafile(reinterpret_cast<HENHMETAFILE>(param), rec);
        case acBeginForm: return rec ? BeginForm(rec) : -1;
        case acEndForm:
            openForm_ = nullptr;
            return 0;
        case acPlaceForm: return rec ? PlaceForm(rec) : -1;
        case acDrawGraphic: return DrawGraphic(static_cast<GraphicDef*>(data));
        case acInitDC: return 0;
        default:
            Message("Unknown engine command " + std::to_string(code) +
                    (code == acCommand && data ? std::string(": ") + static_cast<const char*>(data)
                                               : std::string()));
            return -1;
    }
}

// ---- the document ----

int32_t EngineEnvironment::BeginDoc(const char*) {
    if (Integer(pepdf::ipReadMode) != 0 ||
        (Integer(pepdf::ipInputFileMode) != 0 && !String(pepdf::spInputFile).empty())) {
        Message("This engine cannot read PDF files.");
        return 1;
    }
    ClearForms();
    doc_ = std::make_unique<PdfDocument>([this](const std::string& text) { Message(text); });
    if (!doc_->Valid()) {
        doc_.reset();
        return 1;
    }
    finished_ = false;
    ApplySettings();
    doc_->TakeError();
    return 0;
}

void EngineEnvironment::ApplySettings() {
    using namespace pepdf;
    doc_->SetCompression(Integer(ipCompressStream) != 0);
    doc_->SetInfo(HPDF_INFO_AUTHOR, String(spAuthor));
    doc_->SetInfo(HPDF_INFO_PRODUCER, String(spProducer));
    doc_->SetInfo(HPDF_INFO_TITLE, String(spTitle));
    doc_->SetInfo(HPDF_INFO_SUBJECT, String(spSubject));
    doc_->SetInfo(HPDF_INFO_KEYWORDS, String(spKeywords));
    doc_->SetDate(HPDF_INFO_CREATION_DATE, String(spCreationDate));
    doc_->SetDate(HPDF_INFO_MOD_DATE, String(spModDate));
    static const HPDF_PageMode modes[] = {HPDF_PAGE_MODE_USE_NONE, HPDF_PAGE_MODE_USE_OUTLINE,
                                          HPDF_PAGE_MODE_USE_THUMBS, HPDF_PAGE_MODE_FULL_SCREEN};
    const int32_t mode = Integer(ipPageMode);
    if (mode >= 0 && mode < 4) doc_->SetPageMode(modes[mode]);
    doc_->SetZoomMode(Integer(ipZoomMode));
    const int32_t encryption = Integer(ipEncryption);
    if (encryption & 1) {
        // The upper permission bits allow unless cleared: form filling (0x100), assembly
        // (0x400) and printing at full quality (0x800).
        HPDF_UINT permissions = 0xFFFFFFC0u;
        if (encryption & 2) permissions |= HPDF_ENABLE_PRINT;
        if (encryption & 4) permissions |= HPDF_ENABLE_EDIT_ALL;
        if (encryption & 8) permissions |= HPDF_ENABLE_COPY;
        if (encryption & 16) permissions |= HPDF_ENABLE_EDIT;
        if (!(encryption & 16)) permissions &= ~0x100u;
        if (!(encryption & 4)) permissions &= ~0x400u;
        if (!(encryption & 2) || (encryption & 32)) permissions &= ~0x800u;
        doc_->SetEncryption(String(spOwnerPassword), String(spUserPassword), permissions,
                            Integer(ipSecurity) == 1);
    }
}

int32_t EngineEnvironment::StartPage() {
    pageXRes_ = Dpi(pageRec_.XRes);
    pageYRes_ = Dpi(pageRec_.YRes);
    double width = PointsAcross(pageRec_.Width, pageXRes_);
    double height = PointsAcross(pageRec_.Height, pageYRes_);
    if (width <= 0 || height <= 0) {
        width = 612;
        height = 792;
    }
    openForm_ = nullptr;
    if (!doc_->AddPage(std::min(std::max(width, 3.0), 14400.0),
                       std::min(std::max(height, 3.0), 14400.0))) {
        return Checked(1);
    }
    return Checked(0);
}

int32_t EngineEnvironment::EndPage() {
    doc_->ClosePage();
    return 0;
}

int32_t EngineEnvironment::FinishDoc() {
    if (!finished_) doc_->Finish();
    finished_ = true;
    return Checked(0);
}

int32_t EngineEnvironment::SaveToFile(const char* fileName) {
    if (!fileName || !*fileName) return 1;
    FinishDoc();
    if (!doc_->SaveToFile(fileName)) {
        Message(std::string("The PDF file could not be written: ") + fileName);
        return 1;
    }
    return 0;
}

int32_t EngineEnvironment::DocumentCopy(INT_PTR size, void* buffer) {
    FinishDoc();
    return buffer ? doc_->CopyTo(buffer, static_cast<int32_t>(size)) : doc_->Size();
}

int32_t EngineEnvironment::CloseDoc() {
    doc_.reset();
    ClearForms();
    finished_ = false;
    return 0;
}

// ---- drawing ----

void EngineEnvironment::DrawMetafileAt(HENHMETAFILE metafile, double x, double y, double width,
                                       double height) {
    TextMerge merge{String(pepdf::spMergeStart),
                    [this](const std::string& text) { return MergeText(text); }};
    EmfTranslator(*doc_, doc_->Page(), doc_->PageHeight(), merge)
        .Translate(metafile, x, y, width, height);
}

int32_t EngineEnvironment::DrawMetafile(HENHMETAFILE metafile, const pepdf::ActionRec* rec) {
    ENHMETAHEADER header{};
    if (!metafile || !GetEnhMetaFileHeader(metafile, sizeof(header), &header)) {
        Message("The metafile handed over is not valid.");
        return 1;
    }
    const int xRes = rec && rec->Extra1 > 0 ? rec->Extra1 : pageXRes_;
    const int yRes = rec && rec->Extra2 > 0 ? rec->Extra2 : pageYRes_;
    const double x = rec ? PointsAcross(rec->X, xRes) : 0;
    const double y = rec ? PointsAcross(rec->Y, yRes) : 0;
    const double width = rec && rec->Width > 0
                             ? PointsAcross(rec->Width, xRes)
                             : (header.rclFrame.right - header.rclFrame.left) * 72.0 / 2540;
    const double height = rec && rec->Height > 0
                              ? PointsAcross(rec->Height, yRes)
                              : (header.rclFrame.bottom - header.rclFrame.top) * 72.0 / 2540;
    if (openForm_) {
        HENHMETAFILE copy = CopyEnhMetaFileA(metafile, nullptr);
        if (!copy) return 1;
        openForm_->items.push_back({copy, x, y, width, height});
        return 0;
    }
    if (!doc_->Page()) {
        Message("No page is open for the metafile.");
        return 1;
    }
    DrawMetafileAt(metafile, x, y, width, height);
    return Checked(0);
}

int32_t EngineEnvironment::DrawGraphic(pepdf::GraphicDef* graphic) {
    if (!graphic) return -1;
    HPDF_Image image = nullptr;
    bool fresh = true;
    RgbImage pixels;
    if (graphic->Bitmap) {
        if (ImageFromBitmap(graphic->Bitmap, pixels)) image = doc_->Image(pixels);
    } else if (graphic->DIBHeader && graphic->DIBBits) {
        const BITMAPINFOHEADER& h = graphic->DIBHeader->bmiHeader;
        if (ImageFromDIB(graphic->DIBHeader, graphic->DIBBits, DIB_RGB_COLORS, 0, 0, h.biWidth,
                         std::abs(h.biHeight), pixels)) {
            image = doc_->Image(pixels);
        }
    } else if (graphic->Data && graphic->DataLength > 0) {
        const int32_t format = graphic->Format;
        if (format == pepdf::gfJpegRGB || format == pepdf::gfJpegGray ||
            format == pepdf::gfJpegCMYK) {
            image = doc_->Jpeg(graphic->Data, static_cast<size_t>(graphic->DataLength));
        } else {
            Message("This engine cannot place CCITT image data.");
        }
    } else if (graphic->Id > 0) {
        image = doc_->Graphic(graphic->Id);
        fresh = false;
    }
    if (!image) {
        Message("The image handed over could not be read.");
        doc_->TakeError();
        return 1;
    }
    if (fresh) graphic->Id = doc_->AddGraphic(image);
    if (!doc_->Page() || (!fresh && graphic->Width == 0 && graphic->Height == 0)) return Checked(0);
    const double width = graphic->Width > 0 ? graphic->Width : HPDF_Image_GetWidth(image);
    const double height = graphic->Height > 0 ? graphic->Height : HPDF_Image_GetHeight(image);
    const double x = PointsAcross(graphic->X, pageXRes_), y = PointsAcross(graphic->Y, pageYRes_);
    const double w = PointsAcross(width, pageXRes_), h = PointsAcross(height, pageYRes_);
    HPDF_Page_DrawImage(doc_->Page(), image, static_cast<HPDF_REAL>(x),
                        static_cast<HPDF_REAL>(doc_->PageHeight() - y - h),
                        static_cast<HPDF_REAL>(w), static_cast<HPDF_REAL>(h));
    return Checked(0);
}

// ---- forms ----

int32_t EngineEnvironment::BeginForm(const pepdf::ActionRec* rec) {
    Form& form = forms_[Field(rec->Name)];
    for (FormItem& item : form.items) DeleteEnhMetaFile(item.metafile);
    form.items.clear();
    form.width = PointsAcross(rec->Width, pageRec_.XRes);
    form.height = PointsAcross(rec->Height, pageRec_.YRes);
    openForm_ = &form;
    return 0;
}

int32_t EngineEnvironment::PlaceForm(const pepdf::ActionRec* rec) {
    const std::string name = Field(rec->Name);
    auto found = forms_.find(name);
    if (found == forms_.end()) {
        Message("Unknown form \"" + name + "\".");
        return 1;
    }
    if (!doc_->Page()) return 1;
    const Form& form = found->second;
    const double x = PointsAcross(rec->X, pageXRes_), y = PointsAcross(rec->Y, pageYRes_);
    const double width = rec->Width > 0 ? PointsAcross(rec->Width, pageXRes_) : form.width;
    const double height = rec->Height > 0 ? PointsAcross(rec->Height, pageYRes_) : form.height;
    const double sx = form.width > 0 ? width / form.width : 1;
    const double sy = form.height > 0 ? height / form.height : 1;
    for (const FormItem& item : form.items) {
        DrawMetafileAt(item.metafile, x + item.x * sx, y + item.y * sy, item.width * sx,
                       item.height * sy);
    }
    return Checked(0);
}

// ---- navigation ----

int32_t EngineEnvironment::Bookmark(const pepdf::ActionRec* rec) {
    if (!doc_->Page()) return 1;
    doc_->SetBookmark(Field(rec->Destination), PointsAcross(rec->X, pageXRes_),
                      doc_->PageHeight() - PointsAcross(rec->Y, pageYRes_));
    return 0;
}

int32_t EngineEnvironment::LinkArea(const pepdf::ActionRec* rec) {
    if (!doc_->Page()) return 1;
    const double left = PointsAcross(rec->X, pageXRes_);
    const double top = doc_->PageHeight() - PointsAcross(rec->Y, pageYRes_);
    const HPDF_Rect area{static_cast<HPDF_REAL>(left),
                         static_cast<HPDF_REAL>(top - PointsAcross(rec->Height, pageYRes_)),
                         static_cast<HPDF_REAL>(left + PointsAcross(rec->Width, pageXRes_)),
                         static_cast<HPDF_REAL>(top)};
    doc_->AddLink(Field(rec->Destination), area);
    return 0;
}

int32_t EngineEnvironment::Outline(const pepdf::ActionRec* rec) {
    const std::string caption = rec->TextKind == pepdf::tkWide && rec->WideCaption
                                    ? WinAnsi(rec->WideCaption)
                                    : Field(rec->Name);
    const int32_t id = doc_->AddOutline(caption, rec->OutlineKind, rec->OutlineValue,
                                        Field(rec->Destination), true,
                                        PointsAcross(rec->X, pageXRes_),
                                        doc_->PageHeight() - PointsAcross(rec->Y, pageYRes_));
    return doc_->TakeError() ? -1 : id;
}

// The caller may answer from inside the callback by setting the reply text.
std::string EngineEnvironment::MergeText(const std::string& text) {
    if (merging_ || !callback_) return text;
    merging_ = true;
    strings_[pepdf::spMergeReply] = text;
    callback_(sender_, pepdf::cbMergeText, 0, const_cast<char*>(text.c_str()));
    merging_ = false;
    return String(pepdf::spMergeReply);
}

}  // namespace pdfengine
