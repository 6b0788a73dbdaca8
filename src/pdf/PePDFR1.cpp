// The PDF export component: the engine library's binding, the document settings and the
// document and page protocol (the page canvases and drawing operations are in PePDFR2).
#include "PePDFR1.h"

#include <shellapi.h>

#include "cl_fpu.h"
#include "cl_printer.h"
#include "cl_sys.h"

const char* const SPeDLLNotFound = "DLL \"%s\" was not found. PDF Export is not possible.";
const char* const SPeDLLNotCompatible = "DLL \"%s\" is not compatible. PDF Export is not possible.";
const char* const SPeDLLInUse = "DLL is in use. Cannot unload it";
const char* const SPeNoFilename = "No filename or InMemoryMode was specified!";
const char* const SPeInitFailed = "Initialization of PDF Engine failed";
const char* const SPeBeginDocFailed = "Error in BeginDoc!";
const char* const SPeStartPageOutsideDoc = "StartPage is only allowed within StartDoc and EndDoc!";
const char* const SPeSaveFailed = "The PDF file \"%s\" could not be written.";
const char* const SPeCopyFailed = "The PDF document could not be copied to the stream.";
const char* const SPeCannotConvert = "Cannot convert ";

TPeAfterPDFCreationEvent PeAfterPDFCreation;

namespace {

const char* const DefaultDLLName = "PEPDF200.DLL";
const char* const Banner = "Radon Monitor PDF engine 2.0 - radon-monitor.example/pdf";

AnsiString& SharedDLLName() {
    static AnsiString name = DefaultDLLName;
    return name;
}

template <class E> int32_t Bits(const std::set<E>& set, int width) {
    uint32_t bits = 0;
    for (E e : set) {
        if (static_cast<int>(e) < width) bits |= 1u << static_cast<int>(e);
    }
    return static_cast<int32_t>(bits);
}

AnsiString PdfDate(TDateTime value) {
    int year, month, day, hour, minute, second, msec;
    DecodeDateTime(value, year, month, day, hour, minute, second, msec);
    AnsiString text;
    text.sprintf("D:%d%.2d%.2d%.2d%.2d%.2d", year, month, day, hour, minute, second);
    return text;
}

// The library's file: a bare or relative name is looked for in the program's folder only,
// never in the current folder or along the search path.
AnsiString LibraryPath(const AnsiString& fileName) {
    const bool absolute = !ExtractFileDrive(fileName).IsEmpty() ||
                          (fileName.Length() > 0 && fileName[1] == '\\');
    return absolute ? fileName : ExtractFilePath(ExeFileName()) + fileName;
}

class ErrorModeGuard {
public:
    ErrorModeGuard() : mode_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~ErrorModeGuard() { SetErrorMode(mode_); }

private:
    UINT mode_;
};

template <class F> bool BindEntry(HMODULE library, const char* name, F& proc) {
    proc = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return proc != nullptr;
}

}  // namespace

// ---- document information ----

TPePDFExportInfo::TPePDFExportInfo() : strings_(new TStringList) {}

TPePDFExportInfo::~TPePDFExportInfo() { delete strings_; }

void TPePDFExportInfo::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPePDFExportInfo*>(source);
    if (!other) return;
    Author = other->Author;
    Producer = other->Producer;
    Title = other->Title;
    Subject = other->Subject;
    Keywords = other->Keywords;
    CreationDate = other->CreationDate;
    ModDate = other->ModDate;
    strings_->Assign(other->strings_);
}

// ---- the component ----

TPeCustomPDFExport::TPeCustomPDFExport(TComponent* owner)
    : TComponent(owner),
      watermarkKeys_(new TStringList),
      info_(new TPePDFExportInfo),
      excludedFonts_(new TStringList) {
    info_->Producer = Banner;
    info_->CreationDate = Now();
    info_->ModDate = info_->CreationDate;
}

TPeCustomPDFExport::~TPeCustomPDFExport() {
    UpdateReferenceCanvas(false);
    delete watermarkKeys_;
    delete excludedFonts_;
    delete info_;
    FinalizeEnvironment();
    DropCanvas();
    UnLoadDLL();
}

void TPeCustomPDFExport::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPeCustomPDFExport*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    info_->Assign(other->info_);
    excludedFonts_->Assign(other->excludedFonts_);
    CanvasReference = other->CanvasReference;
    EncodeStreamMethod = other->EncodeStreamMethod;
    CompressStreamMethod = other->CompressStreamMethod;
    InputfileMode = other->InputfileMode;
    OnGetWatermark = other->OnGetWatermark;
    InputFile = other->InputFile;
    DefaultXRes = other->DefaultXRes;
    DefaultYRes = other->DefaultYRes;
    Encryption = other->Encryption;
    Security = other->Security;
    modes_ = other->modes_;
    options_ = other->options_;
    UserPassword = other->UserPassword;
    OwnerPassword = other->OwnerPassword;
    PageMode = other->PageMode;
    ZoomMode = other->ZoomMode;
    FontMode = other->FontMode;
    CreateThumbnails = other->CreateThumbnails;
    CreateOutlines = other->CreateOutlines;
    AutoLaunch = other->AutoLaunch;
    DebugMode = other->DebugMode;
    DebugMetafilePath = other->DebugMetafilePath;
    PDFReadMode = other->PDFReadMode;
    jpegQuality_ = other->jpegQuality_;
    PageRecordValue = other->PageRecordValue;
    BeforeBeginDoc = other->BeforeBeginDoc;
    AfterBeginDoc = other->AfterBeginDoc;
    BeforeEndDoc = other->BeforeEndDoc;
    AfterEndDoc = other->AfterEndDoc;
    OnError = other->OnError;
    ExtraMessages = other->ExtraMessages;
    mergeStart_ = other->mergeStart_;
    OnMergeText = other->OnMergeText;
}

// ---- the engine library ----

bool TPeCustomPDFExport::LoadDLL(const AnsiString& fileName) {
    if (library_) return true;
    HMODULE library;
    {
        ErrorModeGuard quiet;
        TFPUControlGuard engineCall;
        library = LoadLibraryExA(LibraryPath(fileName).c_str(), nullptr,
                                 LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (!library) throw Exception(SPeDLLNotFound, fileName);
    Engine engine;
    pepdf::PetExecProc petExec = nullptr;
    const bool complete = BindEntry(library, "PEPDF_Initialize", engine.Initialize) &
                          BindEntry(library, "PEPDF_Finalize", engine.Finalize) &
                          BindEntry(library, "PEPDF_SetSProp", engine.SetSProp) &
                          BindEntry(library, "PEPDF_SetIProp", engine.SetIProp) &
                          BindEntry(library, "PEPDF_Action", engine.Action) &
                          BindEntry(library, "PEPDF_InitializePage", engine.InitializePage) &
                          BindEntry(library, "_PEPDF_PETEXEC", petExec);
    BindEntry(library, "PEPDF_ProcessPDF", engine.ProcessPDF);
    if (!complete) {
        FreeLibrary(library);
        throw Exception(SPeDLLNotCompatible, fileName);
    }
    library_ = library;
    engine_ = engine;
    useCount_ = 0;
    return true;
}

// A document still open on the library is given up first, so that nothing calls into the
// library once it is gone.
void TPeCustomPDFExport::UnLoadDLL() {
    if (!library_) return;
    if (printing_) {
        AbandonDocument();
    } else {
        FinalizeEnvironment();
    }
    FreeLibrary(library_);
    library_ = nullptr;
    engine_ = Engine();
}

AnsiString TPeCustomPDFExport::GetDLLName() { return SharedDLLName(); }

void TPeCustomPDFExport::StoreDLLName(const AnsiString& name) { SharedDLLName() = name; }

void TPeCustomPDFExport::SetDLLName(const AnsiString& name) {
    if (name == SharedDLLName()) return;
    if (useCount_ > 0) throw Exception(SPeDLLInUse);
    UnLoadDLL();
    StoreDLLName(name);
}

// ---- engine calls ----

void __stdcall EngineCallback(void* sender, int32_t code, INT_PTR num, void* data) {
    if (!sender) return;
    auto* self = static_cast<TPeCustomPDFExport*>(sender);
    try {
        self->HandleEngineCallback(code, num, data);
    } catch (...) {
        // Raised again once the engine call in progress has returned.
        if (!self->callbackFailure_) self->callbackFailure_ = std::current_exception();
    }
}

void TPeCustomPDFExport::RethrowCallbackFailure() {
    if (!callbackFailure_) return;
    std::exception_ptr failure = callbackFailure_;
    callbackFailure_ = nullptr;
    std::rethrow_exception(failure);
}

int32_t TPeCustomPDFExport::Action(int32_t code, INT_PTR param, void* data) {
    if (!EngineLive()) return -1;
    TFPUControlGuard engineCall;
    const int32_t result = engine_.Action(env_, code, param, data);
    RethrowCallbackFailure();
    return result;
}

void TPeCustomPDFExport::SetIProp(int32_t id, int32_t value) {
    if (!EngineLive()) return;
    TFPUControlGuard engineCall;
    engine_.SetIProp(env_, id, value);
    RethrowCallbackFailure();
}

void TPeCustomPDFExport::SetSProp(int32_t id, const AnsiString& text) {
    if (!EngineLive()) return;
    TFPUControlGuard engineCall;
    engine_.SetSProp(env_, id, text.c_str());
    RethrowCallbackFailure();
}

int TPeCustomPDFExport::InternEngineCommand(int command, const AnsiString& text) {
    if (!EngineLive()) return -1;
    return Action(command, 0, const_cast<char*>(text.c_str()));
}

void TPeCustomPDFExport::FinalizeEnvironment() {
    const pepdf::Environment env = env_;
    env_ = 0;
    callbackFailure_ = nullptr;
    if (!library_ || !env) return;
    TFPUControlGuard engineCall;
    engine_.Finalize(env);
}

void TPeCustomPDFExport::Report(int num, const AnsiString& text) {
    if (OnError) OnError(this, num, text);
}

void TPeCustomPDFExport::HandleEngineCallback(int32_t code, INT_PTR num, void* data) {
    switch (code) {
        case pepdf::cbMessage:
            Report(static_cast<int>(num), data ? static_cast<const char*>(data) : "");
            break;
        case pepdf::cbInputPageCount:
            inputPageCount_ = static_cast<int>(num);
            break;
        case pepdf::cbInputPage:
            if (data) ReadInputPage(static_cast<pepdf::InputPageRec*>(data));
            break;
        case pepdf::cbMergeText:
            MergeText(static_cast<const char*>(data));
            break;
        default:
            break;
    }
}

// The reply goes back to the engine from inside its own call.
void TPeCustomPDFExport::MergeText(const char* text) {
    if (!OnMergeText) return;
    AnsiString merged = text ? text : "";
    OnMergeText(this, merged);
    if (!library_ || !env_) return;
    TFPUControlGuard engineCall;
    engine_.SetSProp(env_, pepdf::spMergeReply, merged.c_str());
}

// ---- settings that reach a live engine at once ----

void TPeCustomPDFExport::SetModes(const TPeDevModes& modes) {
    TPeDevModes next = modes;
    if (next.count(peNeverHighResPDF) && !modes_.count(peNeverHighResPDF)) {
        next.erase(peAlwaysHighResPDF);
    }
    if (next.count(peAlwaysHighResPDF)) next.erase(peNeverHighResPDF);
    modes_ = next;
    SetIProp(pepdf::ipModes, Bits(modes_, 16));
}

void TPeCustomPDFExport::SetOptions(const TPePDFOptions& options) {
    options_ = options;
    SetIProp(pepdf::ipOptions, Bits(options_, 8));
}

void TPeCustomPDFExport::SetJPEGQuality(TPeJPEGQuality quality) {
    jpegQuality_ = quality;
    SetIProp(pepdf::ipJPEGQuality, quality);
}

void TPeCustomPDFExport::SetMergeStart(const AnsiString& text) {
    mergeStart_ = text;
    SetSProp(pepdf::spMergeStart, text);
}

// ---- the document ----

void TPeCustomPDFExport::HandOverProperties() {
    using namespace pepdf;
    const int32_t inputMode = PDFReadMode != pepdfStandard ? 2 : InputfileMode;
    const std::pair<int32_t, int32_t> integers[] = {
        {ipEncodeStream, EncodeStreamMethod}, {ipCompressStream, CompressStreamMethod},
        {ipPageMode, PageMode}, {ipZoomMode, ZoomMode}, {ipFontMode, FontMode},
        {ipConvertJPEG, ConvertJPEGData ? 1 : 0}, {ipEncryption, Bits(Encryption, 32)},
        {ipSecurity, Security}, {ipJPEGQuality, jpegQuality_},
        {ipThumbnails, CreateThumbnails ? 1 : 0}, {ipModes, Bits(modes_, 16)},
        {ipOptions, Bits(options_, 8)}, {ipReadMode, PDFReadMode}, {ipInputFileMode, inputMode},
        {ipExtraMessages, ExtraMessages.count(peOnEmbedFonts) ? 1 : 0}};
    for (const auto& [id, value] : integers) SetIProp(id, value);

    const std::pair<int32_t, AnsiString> strings[] = {
        {spAuthor, info_->Author}, {spCreationDate, PdfDate(info_->CreationDate)},
        {spModDate, PdfDate(info_->ModDate)}, {spProducer, info_->Producer},
        {spTitle, info_->Title}, {spSubject, info_->Subject}, {spKeywords, info_->Keywords},
        {spExcludedFonts, excludedFonts_->CommaText()}, {spUserPassword, UserPassword},
        {spOwnerPassword, OwnerPassword}, {spInputFile, InputFile}, {spMergeStart, mergeStart_}};
    for (const auto& [id, text] : strings) SetSProp(id, text);
    TStrings* lines = info_->GetAdditionalStrings();
    if (lines->Count() > 0) {
        AnsiString text = lines->Strings(0);
        for (int i = 1; i < lines->Count(); ++i) text += "\r\n" + lines->Strings(i);
        SetSProp(spInfoStrings, text);
    }
}

void TPeCustomPDFExport::BeginDoc() {
    inputPageCount_ = 0;
    xRes_ = DefaultXRes;
    yRes_ = DefaultYRes;
    if (filename_.IsEmpty() && !InMemoryMode && PDFReadMode == pepdfStandard) {
        throw Exception(SPeNoFilename);
    }
    if (printing_) {
        // A healthy open document stays; one left behind by a failure is given up.
        if (!documentFailed_ && !pageOpen_) return;
        AbandonDocument();
    }
    LoadDLL(SharedDLLName());
    FinalizeEnvironment();
    {
        TFPUControlGuard engineCall;
        env_ = engine_.Initialize(0, 0, 0, 1, EngineCallback, this);
    }
    if (!env_) throw Exception(SPeInitFailed);
    pageCount_ = 0;
    watermarkKeys_->Clear();
    if (OnUpdateGauge) OnUpdateGauge(this, 0);
    const AnsiString output = (Stream || InMemoryMode) ? AnsiString() : filename_;
    if (BeforeBeginDoc) BeforeBeginDoc(this);
    HandOverProperties();
    SetIProp(pepdf::ipInterfaceVersion, 200);
    if (Action(pepdf::acBeginDoc, 0,
               output.IsEmpty() ? nullptr : const_cast<char*>(output.c_str())) != 0) {
        throw Exception(SPeBeginDocFailed);
    }
    abort_ = false;
    initRec_ = pepdf::InitRec();
    PreparePage(-1, initRec_, DefaultXRes, DefaultYRes);
    initRec_.PageRecordValue = static_cast<int32_t>(PageRecordValue);
    initRec_.CreateThumbnails = CreateThumbnails ? 1 : 0;
    printing_ = true;
    documentFailed_ = false;
    pageOpen_ = false;
    ++useCount_;
    UpdateReferenceCanvas(true);
    if (AfterBeginDoc) AfterBeginDoc(this);
    if (pagePrepared_) {
        TFPUControlGuard engineCall;
        engine_.InitializePage(env_, 0, &initRec_);
        RethrowCallbackFailure();
    }
}

void TPeCustomPDFExport::PreparePage(int, pepdf::InitRec&, int, int) { pagePrepared_ = false; }

void TPeCustomPDFExport::UpdateReferenceCanvas(bool value) {
    if (referenceDC_) DeleteDC(referenceDC_);
    referenceDC_ = nullptr;
    if (!value || CanvasReference != perefPrinter) return;
    try {
        TPrinter* printer = Printer();
        if (printer->Printers()->Count() == 0) return;
        char device[129] = "", driver[129] = "", port[129] = "";
        HGLOBAL deviceMode = nullptr;
        printer->GetPrinter(device, driver, port, deviceMode);
        if (deviceMode) GlobalFree(deviceMode);
        referenceDC_ = CreateDCA(driver, device[0] ? device : nullptr, nullptr, nullptr);
    } catch (...) {
        referenceDC_ = nullptr;
    }
}

void TPeCustomPDFExport::StartPage(int width, int height, int xRes, int yRes, int extra) {
    pageWidth_ = width;
    pageHeight_ = height;
    xRes_ = xRes;
    yRes_ = yRes;
    PreparedFlagSuspender prepared(pagePrepared_);
    if (!printing_) throw Exception(SPeStartPageOutsideDoc);
    try {
        const AnsiString form = PrepareWatermark(width, height, xRes, yRes);
        pageOpen_ = true;
        if (xRes_ == 0) xRes_ = 72;
        if (yRes_ == 0) yRes_ = 72;
        initRec_ = pepdf::InitRec();
        initRec_.Width = width;
        initRec_.Height = height;
        initRec_.XRes = xRes_;
        initRec_.YRes = yRes_;
        initRec_.Extra = extra;
        initRec_.PageRecordValue = static_cast<int32_t>(PageRecordValue);
        initRec_.CreateThumbnails = CreateThumbnails ? 1 : 0;
        if (EngineLive()) {
            TFPUControlGuard engineCall;
            engine_.InitializePage(env_, 0, &initRec_);
            RethrowCallbackFailure();
        }
        ++pageCount_;
        Action(pepdf::acStartPage);
        if (inputPageCount_ > 0 && InputfileMode == peUseInputAsWatermark) {
            const int inputPage = pageCount_ < inputPageCount_ ? pageCount_ : inputPageCount_;
            UseWatermark("inpage" + IntToStr(inputPage));
        }
        DropCanvas();
        if (!form.IsEmpty()) UseWatermark(form);
    } catch (...) {
        documentFailed_ = true;
        throw;
    }
}

void TPeCustomPDFExport::EndPage() {
    struct PageCloser {
        TPeCustomPDFExport* self;
        ~PageCloser() {
            self->pageOpen_ = false;
            try {
                self->Action(pepdf::acEndPage);
            } catch (...) {
                self->documentFailed_ = true;
            }
        }
    } closer{this};
    try {
        CloseCanvas();
    } catch (...) {
        documentFailed_ = true;
        throw;
    }
}

void TPeCustomPDFExport::Abort() { abort_ = true; }

void TPeCustomPDFExport::SaveDocument() {
    if (Action(pepdf::acSaveToFile, 0, const_cast<char*>(filename_.c_str())) != 0) {
        throw Exception(SPeSaveFailed, filename_);
    }
}

void TPeCustomPDFExport::CopyDocumentToStream() {
    const int32_t size = Action(pepdf::acDocumentCopy);
    if (size <= 0) throw Exception(SPeCopyFailed);
    if (auto* memory = dynamic_cast<TMemoryStream*>(Stream)) {
        memory->Clear();
        memory->SetSize(size);
        if (Action(pepdf::acDocumentCopy, size, memory->Memory()) != size) {
            throw Exception(SPeCopyFailed);
        }
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(size));
    if (Action(pepdf::acDocumentCopy, size, buffer.data()) != size) throw Exception(SPeCopyFailed);
    Stream->WriteBuffer(buffer.data(), size);
}

void TPeCustomPDFExport::LaunchViewer() {
    bool launch = AutoLaunch;
    if (PeAfterPDFCreation) PeAfterPDFCreation(this, filename_, launch);
    if (launch && !filename_.IsEmpty()) {
        ShellExecuteA(nullptr, "open", filename_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

// Closes the engine's document and environment; used on every way out of a document.
void TPeCustomPDFExport::FinishEngineSide() {
    try {
        Action(pepdf::acCloseDoc);
    } catch (...) {
    }
    printing_ = false;
    pageOpen_ = false;
    --useCount_;
    DropCanvas();
    FinalizeEnvironment();
}

void TPeCustomPDFExport::EndDoc() {
    if (!printing_ || !env_) return;
    try {
        if (BeforeEndDoc) BeforeEndDoc(this);
        Action(pepdf::acFinishDoc);
        UpdateReferenceCanvas(false);
        if (Stream && PDFReadMode == pepdfStandard) CopyDocumentToStream();
        if (!filename_.IsEmpty() && PDFReadMode == pepdfStandard) SaveDocument();
    } catch (...) {
        FinishEngineSide();
        DefaultXRes = DefaultYRes = 72;
        if (AfterEndDoc) AfterEndDoc(this);
        throw;
    }
    FinishEngineSide();
    DefaultXRes = DefaultYRes = 72;
    if (AfterEndDoc) AfterEndDoc(this);
    if (PDFReadMode == pepdfStandard) LaunchViewer();
}

void TPeCustomPDFExport::AbandonDocument() {
    if (!printing_) return;
    UpdateReferenceCanvas(false);
    FinishEngineSide();
    DefaultXRes = DefaultYRes = 72;
}

void TPeCustomPDFExport::SetPrinting(bool value) {
    if (value == printing_) return;
    if (value) {
        BeginDoc();
    } else {
        EndDoc();
    }
}
