// Reading the pages of an existing PDF through the engine: the import component and its pages.
// (The page canvases and drawing operations of the export component are defined in PePDFR2.cpp.)
#pragma once

#include <vector>

#include "PePDFR1.h"

enum TPePDFPagesImportMode { pepdfReadASCII, pepdfReadBitmap, pepdfReadMetafile };
using TPePDFPagesImportEvent =
    std::function<void(TObject* sender, int pageNumber, bool& abort, bool& import)>;

// One page read from a PDF: its picture (owned) or text, its size in twips and its number.
class TPePDFImportedPage : public TObject {
    CL_CLASS(TPePDFImportedPage, TObject)

    TPePDFImportedPage(int width, int height) : width_(width), height_(height) {}
    ~TPePDFImportedPage() override;

    TGraphic* Graphic() const { return graphic_; }
    void SetGraphic(TGraphic* graphic) { graphic_ = graphic; }
    // Hands the picture to the caller.
    TGraphic* GetGraphicAndNil();
    int Width() const { return width_; }
    int Height() const { return height_; }
    AnsiString Text;
    int PageNumber = 0;

private:
    TGraphic* graphic_ = nullptr;
    int width_;
    int height_;
};

// Reads the pages FromPage..ToPage of PDFFile as text, metafiles or bitmaps.
class TPePDFPagesImport : public TComponent {
    CL_COMPONENT_CLASS(TPePDFPagesImport, TComponent)

    explicit TPePDFPagesImport(TComponent* owner) : TComponent(owner) {}

    bool Execute();
    void Clear();
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    TPePDFImportedPage* GetPage(int index) const { return pages_.at(index); }
    void SetDLLName(const AnsiString& name);
    void ExtractPDFPage(TObject* sender, int pageNumber, const AnsiString& text, TObject*& obj);

    TPePDFPagesImportMode Mode = pepdfReadASCII;
    int BitmapResolution = 200;
    AnsiString PDFFile;
    int FromPage = 0;
    int ToPage = 0;
    TPePDFPagesImportEvent BeforeReadPage;
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }

protected:
    ~TPePDFPagesImport() override;

private:
    void EndExport();

    std::vector<TPePDFImportedPage*> pages_;
    TPeCustomPDFExport* exporter_ = nullptr;
    int counter_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};
