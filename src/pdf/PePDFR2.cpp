// The export component's page canvases and drawing operations (metafiles, images, rotated
// text, navigation, background forms, debug copies) and the reading of an existing PDF.
#include "PePDFR2.h"

#include <cmath>
#include <cstring>

#include "cl_fpu.h"
#include "cl_sys.h"

namespace {

int Resolution(int dpi) { return dpi != 0 ? dpi : 72; }

void CopyText(char (&field)[256], const AnsiString& text) {
    const size_t length = std::min<size_t>(static_cast<size_t>(text.Length()), 255);
    std::memcpy(field, text.c_str(), length);
    field[length] = '\0';
}

AnsiString Narrow(const std::wstring& text) {
    if (text.empty()) return AnsiString();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &result[0], size,
                        nullptr, nullptr);
    return AnsiString(std::move(result));
}

class FontHandle {
public:
    explicit FontHandle(HFONT font) : font_(font) {}
    ~FontHandle() {
        if (font_) DeleteObject(font_);
    }
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;
    operator HFONT() const { return font_; }

private:
    HFONT font_;
};

}  // namespace

// ---- page canvas ----

TCanvas* TPeCustomPDFExport::GetCanvas() {
    if (canvas_) return canvas_;
    const int xRes = Resolution(xRes_), yRes = Resolution(yRes_);
    metafile_ = new TMetafile;
    metafile_->SetEnhanced(true);
    metafile_->SetMMWidth(static_cast<int>(Round(static_cast<double>(pageWidth_) / xRes * 2540)));
    metafile_->SetMMHeight(static_cast<int>(Round(static_cast<double>(pageHeight_) / yRes * 2540)));
    canvas_ = new TMetafileCanvas(metafile_, referenceDC_);
    canvas_->Font()->SetPixelsPerInch(yRes);
    canvas_->Brush()->SetStyle(bsClear);
    HDC dc = canvas_->Handle();
    const int deviceX = GetDeviceCaps(dc, LOGPIXELSX), deviceY = GetDeviceCaps(dc, LOGPIXELSY);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, xRes, yRes, nullptr);
    SetViewportExtEx(dc, deviceX, deviceY, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    return canvas_;
}

void TPeCustomPDFExport::DropCanvas() {
    FreeAndNil(canvas_);
    FreeAndNil(metafile_);
}

void TPeCustomPDFExport::CloseCanvas() {
    struct MetafileFreer {
        TMetafile*& metafile;
        ~MetafileFreer() { FreeAndNil(metafile); }
    } freer{metafile_};
    if (!canvas_) return;
    HDC dc = canvas_->Handle();
    const int deviceX = GetDeviceCaps(dc, LOGPIXELSX), deviceY = GetDeviceCaps(dc, LOGPIXELSY);
    FreeAndNil(canvas_);
    if (metafile_) DrawMetafileEx(0, 0, 0, 0, metafile_->Handle(), deviceX, deviceY);
}

// ---- metafiles and debug copies ----

void TPeCustomPDFExport::DrawMetafile(int x, int y, HENHMETAFILE metafile) {
    DrawMetafileEx(x, y, 0, 0, metafile, 0, 0);
}

void TPeCustomPDFExport::DrawMetafileEx(int x, int y, int width, int height,
                                        HENHMETAFILE metafile, int xRes, int yRes) {
    if (!printing_) return;
    pepdf::ActionRec rec{};
    rec.X = x;
    rec.Y = y;
    rec.Width = width;
    rec.Height = height;
    rec.Extra1 = xRes;
    rec.Extra2 = yRes;
    Action(pepdf::acDrawMetafile, reinterpret_cast<INT_PTR>(metafile), &rec);
    if (DebugMode) WriteDebugCopy(metafile);
}

void TPeCustomPDFExport::WriteDebugCopy(HENHMETAFILE metafile) {
    const AnsiString folder = !DebugMetafilePath.IsEmpty()
                                  ? DebugMetafilePath
                                  : ExtractFileDir(ExeFileName()) + "\\Debug";
    ForceDirectories(folder);
    const AnsiString path = folder + "\\Page" + IntToStr(pageCount_) + ".EMF";
    bool written = false;
    try {
        if (HENHMETAFILE copy = CopyEnhMetaFileA(metafile, path.c_str())) {
            DeleteEnhMetaFile(copy);
            written = true;
        }
    } catch (...) {
    }
    Report(0, (written ? "Wrote debug file:" : "Problem while writing debug file:") + path);
}

// ---- images ----

int TPeCustomPDFExport::DrawGraphic(pepdf::GraphicDef& graphic) {
    Action(pepdf::acDrawGraphic, 0, &graphic);
    return graphic.Id;
}

int TPeCustomPDFExport::InternDrawBitmap(int x, int y, int width, int height,
                                         pepdf::GraphicDef& graphic) {
    if (printing_) {
        graphic.X = x;
        graphic.Y = y;
        graphic.Width = width;
        graphic.Height = height;
        DrawGraphic(graphic);
    }
    return graphic.Id;
}

int TPeCustomPDFExport::DrawBitmap(int x, int y, int width, int height, HBITMAP bitmap) {
    pepdf::GraphicDef graphic{};
    graphic.Bitmap = bitmap;
    return InternDrawBitmap(x, y, width, height, graphic);
}

int TPeCustomPDFExport::DrawDIBBitmap(int x, int y, int width, int height,
                                      const BITMAPINFO* header, const void* bits) {
    pepdf::GraphicDef graphic{};
    graphic.DIBHeader = header;
    graphic.DIBBits = bits;
    return InternDrawBitmap(x, y, width, height, graphic);
}

int TPeCustomPDFExport::DrawBitmapClone(int x, int y, int width, int height, int id) {
    pepdf::GraphicDef graphic{};
    graphic.Id = id;
    if (printing_) DrawGraphic(graphic);
    return InternDrawBitmap(x, y, width, height, graphic);
}

// Compressed data goes to the engine whether or not a document is open; without a live
// engine nothing is called.
int TPeCustomPDFExport::DrawCompressed(int x, int y, int width, int height, int imageWidth,
                                       int imageHeight, const void* data, int length,
                                       int format) {
    if (length < 1 || !EngineLive()) return -1;
    pepdf::GraphicDef graphic{};
    graphic.X = x;
    graphic.Y = y;
    graphic.Width = width;
    graphic.Height = height;
    graphic.Data = data;
    graphic.DataLength = length;
    graphic.Format = format;
    graphic.ImageWidth = imageWidth;
    graphic.ImageHeight = imageHeight;
    return DrawGraphic(graphic);
}

int TPeCustomPDFExport::DrawJPEG(int x, int y, int width, int height, int imageWidth,
                                 int imageHeight, const void* data, int length,
                                 TPeJPEGColorMode mode) {
    static const int formats[] = {pepdf::gfJpegRGB, pepdf::gfJpegGray, pepdf::gfJpegCMYK};
    return DrawCompressed(x, y, width, height, imageWidth, imageHeight, data, length,
                          formats[mode]);
}

int TPeCustomPDFExport::DrawCCITT(int x, int y, int width, int height, int imageWidth,
                                  int imageHeight, TPeCCITTMode mode, const void* data,
                                  int length) {
    return DrawCompressed(x, y, width, height, imageWidth, imageHeight, data, length,
                          pepdf::gfCCITT31D + mode);
}

int TPeCustomPDFExport::DrawTGraphic(int x, int y, int width, int height, TGraphic* graphic) {
    if (!graphic) return -1;
    if (auto* metafile = dynamic_cast<TMetafile*>(graphic)) {
        if (!metafile->Enhanced() && width == 0 && height == 0) {
            width = MulDiv(metafile->MMWidth(), Resolution(xRes_), 2540);
            height = MulDiv(metafile->MMHeight(), Resolution(yRes_), 2540);
        }
        DrawMetafileEx(x, y, width, height, metafile->Handle(), 0, 0);
        return -1;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        return DrawBitmap(x, y, width, height, bitmap->Handle());
    }
    throw Exception(AnsiString(SPeCannotConvert) + graphic->ClassName());
}

int TPeCustomPDFExport::DrawGraphicFile(int x, int y, int width, int height,
                                        const AnsiString& fileName) {
    TPicture picture;
    picture.LoadFromFile(fileName);
    return DrawTGraphic(x, y, width, height, picture.Graphic());
}

// ---- text and engine settings ----

void TPeCustomPDFExport::DrawRotatedText(const AnsiString& text, int angle, int x, int y,
                                         int boxWidth, int boxHeight, TAlignment alignment,
                                         TFont* font) {
    const TFontStyles& style = font->Style();
    FontHandle rotated(CreateFontA(font->Height(), 0, angle * 10, 0,
                                   style.count(fsBold) ? FW_BOLD : 0, style.count(fsItalic),
                                   style.count(fsUnderline), style.count(fsStrikeOut),
                                   font->Charset(), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH, font->Name().c_str()));
    if (!rotated) return;
    HDC dc = GetCanvas()->Handle();
    HGDIOBJ previous = SelectObject(dc, rotated);
    SIZE extent{};
    GetTextExtentPointA(dc, text.c_str(), text.Length(), &extent);
    int dx = 0, dy = boxHeight > 0 ? (boxHeight - extent.cy) / 2 : 0;
    if (alignment != taLeftJustify && boxWidth != 0 && boxHeight != 0) {
        double across = boxWidth - extent.cx;
        if (alignment == taCenter) across /= 2;
        const double down = boxHeight > 0 ? (boxHeight - extent.cy) / 2.0 : 0.0;
        const double r = std::sqrt(across * across + down * down);
        const double a = angle / 180.0 * Pi;
        dx = static_cast<int>(Round(std::cos(a) * r));
        dy = static_cast<int>(Round(std::sin(a) * r));
    }
    TextOutA(dc, x + dx, y + dy, text.c_str(), text.Length());
    SelectObject(dc, previous);
}

void TPeCustomPDFExport::Command(const AnsiString& text, INT_PTR param) {
    if (printing_) Action(pepdf::acCommand, param, const_cast<char*>(text.c_str()));
}

void TPeCustomPDFExport::EnlargeFontWidth(int value) { SetIProp(pepdf::ipEnlargeFontWidth, value); }

void TPeCustomPDFExport::SetOutlineCharset(int value) { SetIProp(pepdf::ipOutlineCharset, value); }

void TPeCustomPDFExport::InitDC() { Action(pepdf::acInitDC); }

// ---- navigation ----

void TPeCustomPDFExport::SetBookmark(const AnsiString& name, int x, int y) {
    if (!printing_) return;
    pepdf::ActionRec rec{};
    rec.X = x;
    rec.Y = y;
    CopyText(rec.Destination, name);
    Action(pepdf::acBookmark, 0, &rec);
}

void TPeCustomPDFExport::SetLinkArea(const AnsiString& destination, const TRect& rect) {
    if (!printing_) return;
    pepdf::ActionRec rec{};
    rec.X = rect.Left;
    rec.Y = rect.Top;
    rec.Width = rect.Right - rect.Left;
    rec.Height = rect.Bottom - rect.Top;
    CopyText(rec.Destination, destination);
    Action(pepdf::acLinkArea, 0, &rec);
}

namespace {

void SetKind(pepdf::ActionRec& rec, bool byLevel, int level, int parent) {
    rec.OutlineKind = byLevel ? pepdf::okLevel : pepdf::okParent;
    rec.OutlineValue = byLevel ? level : parent;
}

}  // namespace

int TPeCustomPDFExport::SetOutlineXY(const AnsiString& caption, int x, int y, int first,
                                     int second) {
    if (!printing_) return 0;
    pepdf::ActionRec rec{};
    rec.X = x;
    rec.Y = y;
    CopyText(rec.Name, caption);
    SetKind(rec, second != 0, second, first);
    return Action(pepdf::acOutline, 0, &rec);
}

int TPeCustomPDFExport::SetOutline(const AnsiString& caption, const AnsiString& destination,
                                   int first, int second) {
    if (!printing_) return 0;
    pepdf::ActionRec rec{};
    CopyText(rec.Name, caption);
    CopyText(rec.Destination, destination);
    SetKind(rec, first == 0, second, first);
    return Action(pepdf::acOutline, 0, &rec);
}

int TPeCustomPDFExport::SetOutlineXYW(const wchar_t* caption, int x, int y, int first,
                                      int second) {
    if (!printing_) return 0;
    pepdf::ActionRec rec{};
    rec.X = x;
    rec.Y = y;
    SetKind(rec, second != 0, second, first);
    rec.TextKind = pepdf::tkWide;
    rec.WideCaption = caption;
    return Action(pepdf::acOutline, 0, &rec);
}

int TPeCustomPDFExport::SetOutlineW(const std::wstring& caption, const std::wstring& destination,
                                    int first, int second) {
    if (!printing_) return 0;
    pepdf::ActionRec rec{};
    CopyText(rec.Name, Narrow(caption));
    CopyText(rec.Destination, Narrow(destination));
    SetKind(rec, first == 0, second, first);
    rec.TextKind = pepdf::tkWide;
    rec.WideCaption = caption.c_str();
    return Action(pepdf::acOutline, 0, &rec);
}

// ---- background forms ----

void TPeCustomPDFExport::StartWatermark(const AnsiString& name, int width, int height,
                                        int xRes, int yRes) {
    if (!printing_) return;
    PreparedFlagSuspender prepared(pagePrepared_);
    pageWidth_ = width;
    pageHeight_ = height;
    xRes_ = Resolution(xRes);
    yRes_ = Resolution(yRes);
    initRec_ = pepdf::InitRec();
    initRec_.Width = width;
    initRec_.Height = height;
    initRec_.XRes = xRes_;
    initRec_.YRes = yRes_;
    initRec_.PageRecordValue = static_cast<int32_t>(PageRecordValue);
    initRec_.CreateThumbnails = CreateThumbnails ? 1 : 0;
    if (EngineLive()) {
        TFPUControlGuard engineCall;
        engine_.InitializePage(env_, 0, &initRec_);
        RethrowCallbackFailure();
    }
    pepdf::ActionRec rec{};
    rec.Width = width;
    rec.Height = height;
    CopyText(rec.Name, name);
    Action(pepdf::acBeginForm, 0, &rec);
    DropCanvas();
}

void TPeCustomPDFExport::EndWatermark() {
    if (!printing_) return;
    FreeAndNil(canvas_);
    if (metafile_) {
        try {
            DrawMetafile(0, 0, metafile_->Handle());
        } catch (...) {
        }
    }
    FreeAndNil(metafile_);
    Action(pepdf::acEndForm);
}

void TPeCustomPDFExport::UseXForm(const AnsiString& name, int x, int y, int width, int height) {
    UseXFormEx(name, x, y, width, height, 0);
}

void TPeCustomPDFExport::UseXFormEx(const AnsiString& name, int x, int y, int width, int height,
                                    int extra) {
    if (!printing_) return;
    pepdf::ActionRec rec{};
    rec.X = x;
    rec.Y = y;
    rec.Width = width;
    rec.Height = height;
    rec.Extra1 = extra;
    CopyText(rec.Name, name);
    Action(pepdf::acPlaceForm, 0, &rec);
}

void TPeCustomPDFExport::UseWatermark(const AnsiString& name) {
    UseXForm(name, 0, 0, pageWidth_, pageHeight_);
}

void TPeCustomPDFExport::UseWatermarkEx(const AnsiString& name, int width, int height,
                                        int extra) {
    UseXFormEx(name, 0, 0, width != 0 ? width : pageWidth_, height != 0 ? height : pageHeight_,
               extra);
}

void TPeCustomPDFExport::UsePDFWatermark(int inputPage) {
    if (inputPage > 0 && inputPage <= inputPageCount_) UseWatermark("inpage" + IntToStr(inputPage));
}

void TPeCustomPDFExport::DrawWatermarkFile(const AnsiString& fileName) {
    TMetafile metafile;
    metafile.LoadFromFile(fileName);
    DrawMetafile(0, 0, metafile.Handle());
}

AnsiString TPeCustomPDFExport::PrepareWatermark(int width, int height, int xRes, int yRes) {
    if (!OnGetWatermark) return AnsiString();
    HENHMETAFILE handle = nullptr;
    AnsiString fileName;
    OnGetWatermark(this, pageCount_ + 1, handle, fileName);
    const AnsiString key =
        handle ? IntToStr(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)))
               : fileName;
    if (key.IsEmpty()) return AnsiString();
    const int index = watermarkKeys_->IndexOf(key);
    if (index >= 0) return "XPEF" + IntToStr(index);
    AnsiString name = "XPEF" + IntToStr(watermarkKeys_->Count());
    StartWatermark(name, width, height, xRes, yRes);
    try {
        if (handle) {
            DrawMetafile(0, 0, handle);
            watermarkKeys_->Add(key);
        } else {
            try {
                DrawWatermarkFile(fileName);
                watermarkKeys_->Add(fileName);
            } catch (...) {
                name = AnsiString();
            }
        }
    } catch (...) {
        EndWatermark();
        throw;
    }
    EndWatermark();
    return name;
}

// ---- reading an input PDF ----

void TPeCustomPDFExport::ReadInputPage(pepdf::InputPageRec* page) {
    if (OnInternalPage) {
        OnInternalPage(this, page);
        return;
    }
    if (!OnReadInputPDF) return;
    if (PDFReadMode == pepdfRetrieveASCII) {
        ReadInputPageAsText(page);
    } else if (PDFReadMode == pepdfRetrieveEMF || PDFReadMode == pepdfRetrieveBMP) {
        ReadInputPageAsGraphic(page);
    }
    if (abort_) page->Stop = 1;
}

void TPeCustomPDFExport::ReadInputPageAsText(pepdf::InputPageRec* page) {
    if (!engine_.ProcessPDF) return;
    const int capacity = std::max(page->TextCapacity, 0);
    std::vector<char> buffer(static_cast<size_t>(capacity) + 1, '\0');
    int32_t length;
    {
        TFPUControlGuard engineCall;
        length = engine_.ProcessPDF(page, buffer.data(), capacity, nullptr, 0);
    }
    const AnsiString text(buffer.data(), std::min(std::max(length, 0), capacity));
    importedWidth_ = 0;
    importedHeight_ = 0;
    TObject* object = nullptr;
    struct ObjectFreer {
        TObject*& object;
        ~ObjectFreer() { TObject::Free(object); }
    } freer{object};
    OnReadInputPDF(this, page->PageIndex + 1, text, object);
}

void TPeCustomPDFExport::ReadInputPageAsGraphic(pepdf::InputPageRec* page) {
    if (!engine_.ProcessPDF) return;
    TObject* object = nullptr;
    struct ObjectFreer {
        TObject*& object;
        ~ObjectFreer() { TObject::Free(object); }
    } freer{object};
    if (PDFReadMode == pepdfRetrieveEMF) {
        const int ppi = ScreenPixelsPerInch();
        auto* metafile = new TMetafile;
        object = metafile;
        metafile->SetWidth(static_cast<int>(Round(ppi * page->Width / 72.0)));
        metafile->SetHeight(static_cast<int>(Round(ppi * page->Height / 72.0)));
        TOwnedPtr<TMetafileCanvas> canvas(new TMetafileCanvas(metafile, nullptr));
        TFPUControlGuard engineCall;
        engine_.ProcessPDF(page, nullptr, 0, canvas->Handle(), ppi);
    } else {
        const int dpi = ImportBitmapResolution;
        auto* bitmap = new TBitmap;
        object = bitmap;
        bitmap->SetPixelFormat(pf1bit);
        bitmap->SetSize(static_cast<int>(Round(dpi * page->Width / 72.0)),
                        static_cast<int>(Round(dpi * page->Height / 72.0)));
        TFPUControlGuard engineCall;
        engine_.ProcessPDF(page, nullptr, 0, bitmap->Canvas()->Handle(), dpi);
    }
    importedWidth_ = static_cast<int>(Round(page->Width * 20.0));
    importedHeight_ = static_cast<int>(Round(page->Height * 20.0));
    OnReadInputPDF(this, page->PageIndex, AnsiString(), object);
}

// ---- the page import ----

TPePDFImportedPage::~TPePDFImportedPage() { TObject::Free(graphic_); }

TGraphic* TPePDFImportedPage::GetGraphicAndNil() {
    TGraphic* graphic = graphic_;
    graphic_ = nullptr;
    return graphic;
}

TPePDFPagesImport::~TPePDFPagesImport() {
    Clear();
    TObject::Free(exporter_);
}

void TPePDFPagesImport::Clear() {
    for (TPePDFImportedPage* page : pages_) delete page;
    pages_.clear();
    maxWidth_ = 0;
    maxHeight_ = 0;
}

void TPePDFPagesImport::EndExport() {
    struct ExporterFreer {
        TPeCustomPDFExport*& exporter;
        ~ExporterFreer() { FreeAndNil(exporter); }
    } freer{exporter_};
    exporter_->EndDoc();
}

bool TPePDFPagesImport::Execute() {
    if (!exporter_) exporter_ = new TPeCustomPDFExport(this);
    Clear();
    exporter_->OnReadInputPDF = Bind(this, &TPePDFPagesImport::ExtractPDFPage);
    exporter_->InputFile = PDFFile;
    exporter_->ImportBitmapResolution = BitmapResolution;
    static const TPePDFReadMode modes[] = {pepdfRetrieveASCII, pepdfRetrieveBMP,
                                           pepdfRetrieveEMF};
    exporter_->PDFReadMode = modes[Mode];
    counter_ = 1;
    try {
        exporter_->BeginDoc();
    } catch (...) {
        EndExport();
        throw;
    }
    EndExport();
    return !pages_.empty();
}

void TPePDFPagesImport::ExtractPDFPage(TObject*, int, const AnsiString& text, TObject*& obj) {
    const int page = counter_++;
    bool import = page >= FromPage && (ToPage <= 0 || page <= ToPage);
    bool abort = ToPage > 0 && page > ToPage;
    if (BeforeReadPage) BeforeReadPage(this, page, abort, import);
    if (abort) {
        exporter_->Abort();
        return;
    }
    if (!import) return;
    auto* imported = new TPePDFImportedPage(exporter_->ImportedPageWidth(),
                                            exporter_->ImportedPageHeight());
    maxWidth_ = std::max(maxWidth_, imported->Width());
    maxHeight_ = std::max(maxHeight_, imported->Height());
    if (auto* graphic = dynamic_cast<TGraphic*>(obj)) {
        imported->SetGraphic(graphic);
        obj = nullptr;
    }
    imported->Text = text;
    imported->PageNumber = page;
    pages_.push_back(imported);
}

void TPePDFPagesImport::SetDLLName(const AnsiString& name) {
    if (name == TPeCustomPDFExport::GetDLLName()) return;
    if (exporter_) {
        if (exporter_->UseCount() > 0) throw Exception(SPeDLLInUse);
        exporter_->UnLoadDLL();
    }
    TPeCustomPDFExport::StoreDLLName(name);
}
