// The PDF export component: loads the PDF engine library, hands it the document settings,
// records each page as an enhanced metafile and has the engine write the file or a stream.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <set>

#include "PePDFEngine.h"
#include "cl_component.h"
#include "cl_datetime.h"
#include "cl_graphics.h"
#include "cl_lists.h"
#include "cl_streams.h"

enum TPePDFReadMode { pepdfStandard, pepdfRetrieveASCII, pepdfRetrieveEMF, pepdfRetrieveBMP };
enum TPePDFCanvasReference { perefScreen, perefPrinter };
enum TPeEncodeStreamMethod { peEncodeNone, peASCII85Encode, peASCIIHexEncode };
enum TPeCompressStreamMethod {
    peCompressNone, peCompressFlate, peCompressRunlength, peCompressFastFlate
};
enum TPePDFPageModes { pwUseNone, peUseOutlines, peUseThumbs, peFullScreen };
enum TPePDFZoomModes { pwZoomDefault, pwZoomFitPage, pwZoomFitVertical, pwZoomFitHorizontal };
enum TPePDFFontMode {
    peUseTrueTypeFonts, peEmbedTrueTypeFonts, peEmbedSymbolTrueTypeFonts, peUseBase14Type1Fonts,
    peEmbedSubsetTrueType_Charsets, peEmbedSubsetTrueType_UsedChar
};
enum TPePDFSecurity { pep40bit, pep128bit };
enum TPeJPEGQuality { peNoJPEG, peJPEG_10, peJPEG_25, peJPEG_50, peJPEG_75, peJPEG_100 };
enum TPePDFInputfileMode {
    pwIgnoreInput, pwAppendToInput, peConvertInputToWatermark, peUseInputAsWatermark
};
enum TPeDevMode {
    peNoBITBLTFillRect, peNeverFill, peWhiteBrushIsTransparent, peExactTextPositioning,
    peNoTextRectClipping, peClipRectSupport, peDontStackWorldModifications,
    peDontAdjustTextSpacing, peDontCropBitmaps, peAllowTransparentBit, peAlwaysHighResPDF,
    peNeverHighResPDF, peUseFontWidthArgument, peNoTextScaling
};
using TPeDevModes = std::set<TPeDevMode>;
enum TPePDFOption { peCreateAutoLinks };
using TPePDFOptions = std::set<TPePDFOption>;
enum TPeExtraMessage { peOnEmbedFonts };
using TPeExtraMessages = std::set<TPeExtraMessage>;
enum TPePDFEncryptionOption {
    peEncryptFile, peEnablePrinting, peEnableChanging, peEnableCopying, peEnableForms,
    peLowQualityPrintOnly
};
using TPePDFEncryption = std::set<TPePDFEncryptionOption>;
enum TPeJPEGColorMode { peRGBjpeg, peGrayjpeg, peCMYKjpeg };
enum TPeCCITTMode { peCCITT_31D, peCCITT_32D, peCCITT_42D };

class TPeCustomPDFExport;

using TPePDFUpdateGaugeEvent = std::function<void(TObject* sender, int position)>;
using TPePDFErrorEvent = std::function<void(TObject* sender, int num, const AnsiString& text)>;
using TPePDFMergeTextEvent = std::function<void(TObject* sender, AnsiString& text)>;
using TPePDFReadWatermarkMeta = std::function<void(TObject* sender, int pageNumber,
                                                   HENHMETAFILE& metaHandle, AnsiString& metaFile)>;
using TPePDFReadInputPDF = std::function<void(TObject* sender, int pageNum, const AnsiString& text,
                                              TObject*& obj)>;
using TPePDFInternalEvent = std::function<void(TObject* sender, void* p)>;
using TPeAfterPDFCreationEvent = std::function<void(TPeCustomPDFExport* sender,
                                                    const AnsiString& fileName, bool& startViewer)>;

// The document information handed to the engine.
class TPePDFExportInfo : public TPersistent {
    CL_CLASS(TPePDFExportInfo, TPersistent)

    TPePDFExportInfo();
    ~TPePDFExportInfo() override;
    void Assign(TPersistent* source) override;

    AnsiString Author, Producer, Title, Subject, Keywords;
    TDateTime CreationDate = 0;
    TDateTime ModDate = 0;
    TStrings* GetAdditionalStrings() const { return strings_; }
    void SetAdditionalStrings(TStrings* strings) { strings_->Assign(strings); }

private:
    TStringList* strings_;
};

// Turns pages drawn on its metafile canvases into a PDF file through the engine library.
class TPeCustomPDFExport : public TComponent {
    CL_COMPONENT_CLASS(TPeCustomPDFExport, TComponent)

    explicit TPeCustomPDFExport(TComponent* owner);
    void Assign(TPersistent* source) override;

    // The engine library.
    bool LoadDLL(const AnsiString& fileName);
    void UnLoadDLL();
    static AnsiString GetDLLName();
    void SetDLLName(const AnsiString& name);
    // Stores the library name for every instance, without the checks of SetDLLName.
    static void StoreDLLName(const AnsiString& name);
    int UseCount() const { return useCount_; }

    // The document and its pages.
    virtual void PreparePage(int pageNumber, pepdf::InitRec& initRec, int xRes, int yRes);
    virtual void BeginDoc();
    virtual void CloseCanvas();
    virtual void EndPage();
    virtual void StartPage(int width, int height, int xRes, int yRes, int extra);
    virtual void Abort();
    virtual void EndDoc();
    // Gives an open document up without writing anything: the way out after a failure.
    void AbandonDocument();
    bool Printing() const { return printing_; }
    void SetPrinting(bool value);
    int InternEngineCommand(int command, const AnsiString& text);
    void UpdateReferenceCanvas(bool value);
    int PageCount() const { return pageCount_; }
    int InputPageCount() const { return inputPageCount_; }

    // Page canvases and drawing (the page's own canvas is made on first use).
    TCanvas* GetCanvas();
    TCanvas* Canvas() { return GetCanvas(); }
    void DrawMetafile(int x, int y, HENHMETAFILE metafile);
    void DrawMetafileEx(int x, int y, int width, int height, HENHMETAFILE metafile, int xRes,
                        int yRes);
    int InternDrawBitmap(int x, int y, int width, int height, pepdf::GraphicDef& graphic);
    int DrawBitmap(int x, int y, int width, int height, HBITMAP bitmap);
    int DrawDIBBitmap(int x, int y, int width, int height, const BITMAPINFO* header,
                      const void* bits);
    int DrawBitmapClone(int x, int y, int width, int height, int id);
    int DrawJPEG(int x, int y, int width, int height, int imageWidth, int imageHeight,
                 const void* data, int length, TPeJPEGColorMode mode);
    int DrawCCITT(int x, int y, int width, int height, int imageWidth, int imageHeight,
                  TPeCCITTMode mode, const void* data, int length);
    int DrawTGraphic(int x, int y, int width, int height, TGraphic* graphic);
    int DrawGraphicFile(int x, int y, int width, int height, const AnsiString& fileName);
    void DrawRotatedText(const AnsiString& text, int angle, int x, int y, int boxWidth,
                         int boxHeight, TAlignment alignment, TFont* font);
    void Command(const AnsiString& text, INT_PTR param);
    void EnlargeFontWidth(int value);
    void SetOutlineCharset(int value);
    void InitDC();

    // Navigation.
    void SetBookmark(const AnsiString& name, int x, int y);
    void SetLinkArea(const AnsiString& destination, const TRect& rect);
    int SetOutlineXY(const AnsiString& caption, int x, int y, int first, int second);
    int SetOutline(const AnsiString& caption, const AnsiString& destination, int first,
                   int second);
    int SetOutlineXYW(const wchar_t* caption, int x, int y, int first, int second);
    int SetOutlineW(const std::wstring& caption, const std::wstring& destination, int first,
                    int second);

    // Background forms.
    void StartWatermark(const AnsiString& name, int width, int height, int xRes, int yRes);
    void EndWatermark();
    void UseWatermark(const AnsiString& name);
    void UseWatermarkEx(const AnsiString& name, int width, int height, int extra);
    void UsePDFWatermark(int inputPage);
    void UseXForm(const AnsiString& name, int x, int y, int width, int height);
    void UseXFormEx(const AnsiString& name, int x, int y, int width, int height, int extra);
    AnsiString PrepareWatermark(int width, int height, int xRes, int yRes);

    // Properties.
    const AnsiString& Filename() const { return filename_; }
    void SetFilename(const AnsiString& name) { filename_ = name; }
    bool InMemoryMode = false;
    TPePDFReadMode PDFReadMode = pepdfStandard;
    TPePDFCanvasReference CanvasReference = perefScreen;
    bool AutoLaunch = false;
    TPeEncodeStreamMethod EncodeStreamMethod = peEncodeNone;
    TPeCompressStreamMethod CompressStreamMethod = peCompressNone;
    TPePDFExportInfo* Info() const { return info_; }
    void SetInfo(TPePDFExportInfo* info) { info_->Assign(info); }
    bool CreateThumbnails = false;
    bool CreateOutlines = false;
    const TPeDevModes& Modes() const { return modes_; }
    void SetModes(const TPeDevModes& modes);
    const TPePDFOptions& Options() const { return options_; }
    void SetOptions(const TPePDFOptions& options);
    TStrings* ExcludedFonts() const { return excludedFonts_; }
    void SetExcludedFonts(TStrings* fonts) { excludedFonts_->Assign(fonts); }
    TPePDFPageModes PageMode = pwUseNone;
    TPePDFZoomModes ZoomMode = pwZoomDefault;
    TPePDFFontMode FontMode = peUseTrueTypeFonts;
    TPePDFEncryption Encryption;
    TPePDFSecurity Security = pep40bit;
    AnsiString UserPassword;
    AnsiString OwnerPassword;
    const AnsiString& MergeStart() const { return mergeStart_; }
    void SetMergeStart(const AnsiString& text);
    TPeJPEGQuality JPEGQuality() const { return jpegQuality_; }
    void SetJPEGQuality(TPeJPEGQuality quality);
    TPeExtraMessages ExtraMessages;
    TPePDFInputfileMode InputfileMode = pwIgnoreInput;
    AnsiString InputFile;
    bool ConvertJPEGData = false;
    bool DebugMode = false;
    AnsiString DebugMetafilePath;
    TStream* Stream = nullptr;
    int ImportBitmapResolution = 100;
    uint32_t PageRecordValue = 2147483664u;
    int DefaultXRes = 72;
    int DefaultYRes = 72;
    int ImportedPageWidth() const { return importedWidth_; }
    int ImportedPageHeight() const { return importedHeight_; }

    TNotifyEvent BeforeBeginDoc, AfterBeginDoc, BeforeEndDoc, AfterEndDoc;
    TPePDFErrorEvent OnError;
    TPePDFMergeTextEvent OnMergeText;
    TPePDFUpdateGaugeEvent OnUpdateGauge;
    TPePDFReadWatermarkMeta OnGetWatermark;
    TPePDFReadInputPDF OnReadInputPDF;
    TPePDFInternalEvent OnInternalPage;

protected:
    ~TPeCustomPDFExport() override;
    bool pagePrepared_ = false;

private:
    // Clears the page-prepared flag while a page or form starts, and restores it.
    class PreparedFlagSuspender {
    public:
        explicit PreparedFlagSuspender(bool& flag) : flag_(flag), saved_(flag) { flag_ = false; }
        ~PreparedFlagSuspender() { flag_ = saved_; }

    private:
        bool& flag_;
        bool saved_;
    };
    struct Engine {
        pepdf::InitializeProc Initialize = nullptr;
        pepdf::FinalizeProc Finalize = nullptr;
        pepdf::ProcessPDFProc ProcessPDF = nullptr;
        pepdf::SetSPropProc SetSProp = nullptr;
        pepdf::SetIPropProc SetIProp = nullptr;
        pepdf::ActionProc Action = nullptr;
        pepdf::InitializePageProc InitializePage = nullptr;
    };
    friend void __stdcall EngineCallback(void* sender, int32_t code, INT_PTR num, void* data);
    void HandleEngineCallback(int32_t code, INT_PTR num, void* data);
    void ReadInputPage(pepdf::InputPageRec* page);
    void ReadInputPageAsText(pepdf::InputPageRec* page);
    void ReadInputPageAsGraphic(pepdf::InputPageRec* page);
    void MergeText(const char* text);
    bool EngineLive() const { return library_ && env_; }
    int32_t Action(int32_t code, INT_PTR param = 0, void* data = nullptr);
    void SetIProp(int32_t id, int32_t value);
    void SetSProp(int32_t id, const AnsiString& text);
    void FinalizeEnvironment();
    void FinishEngineSide();
    void HandOverProperties();
    void SaveDocument();
    void CopyDocumentToStream();
    void LaunchViewer();
    void DropCanvas();
    void WriteDebugCopy(HENHMETAFILE metafile);
    void DrawWatermarkFile(const AnsiString& fileName);
    int DrawGraphic(pepdf::GraphicDef& graphic);
    int DrawCompressed(int x, int y, int width, int height, int imageWidth, int imageHeight,
                       const void* data, int length, int format);
    void Report(int num, const AnsiString& text);
    void RethrowCallbackFailure();

    HMODULE library_ = nullptr;
    Engine engine_;
    int useCount_ = 0;
    pepdf::Environment env_ = 0;
    bool printing_ = false;
    bool pageOpen_ = false;
    bool documentFailed_ = false;
    bool abort_ = false;
    HDC referenceDC_ = nullptr;
    TMetafile* metafile_ = nullptr;
    TMetafileCanvas* canvas_ = nullptr;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    int xRes_ = 72;
    int yRes_ = 72;
    int pageCount_ = 0;
    int inputPageCount_ = 0;
    int importedWidth_ = 0;
    int importedHeight_ = 0;
    pepdf::InitRec initRec_{};
    TStringList* watermarkKeys_;
    TPePDFExportInfo* info_;
    TStringList* excludedFonts_;
    AnsiString filename_;
    AnsiString mergeStart_;
    TPeJPEGQuality jpegQuality_ = peNoJPEG;
    TPeDevModes modes_{peClipRectSupport};
    TPePDFOptions options_;
    std::exception_ptr callbackFailure_;
};

// The export component as the form designer publishes it; the main window holds one.
class TPePDFPrinter : public TPeCustomPDFExport {
    CL_COMPONENT_CLASS(TPePDFPrinter, TPeCustomPDFExport)

    explicit TPePDFPrinter(TComponent* owner) : TPeCustomPDFExport(owner) {}
};

// Called after a successful document with the file name; may ask for the viewer to be opened.
extern TPeAfterPDFCreationEvent PeAfterPDFCreation;

// The texts the component raises.
extern const char* const SPeDLLNotFound;
extern const char* const SPeDLLNotCompatible;
extern const char* const SPeDLLInUse;
extern const char* const SPeNoFilename;
extern const char* const SPeInitFailed;
extern const char* const SPeBeginDocFailed;
extern const char* const SPeStartPageOutsideDoc;
extern const char* const SPeSaveFailed;
extern const char* const SPeCopyFailed;
extern const char* const SPeCannotConvert;
