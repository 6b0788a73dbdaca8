// One PDF document of the engine over the Haru library: settings, pages, the standard fonts,
// images (shared when equal), named destinations with their links and the outline tree.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "FontChoice.h"
#include "RasterImage.h"
#include "hpdf.h"

namespace pdfengine {

class PdfDocument {
public:
    using Reporter = std::function<void(const std::string& message)>;

    explicit PdfDocument(Reporter report);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;
    bool Valid() const { return doc_ != nullptr; }

    void SetCompression(bool compressContent);
    void SetInfo(HPDF_InfoType type, const std::string& value);
    // `date` as "D:" followed by year, month, day, hour, minute and second.
    void SetDate(HPDF_InfoType type, const std::string& date);
    void SetEncryption(const std::string& owner, const std::string& user, HPDF_UINT permissions,
                       bool strong);
    void SetPageMode(HPDF_PageMode mode);
    // 0 default, 1 whole page, 2 page height, 3 page width.
    void SetZoomMode(int mode) { zoomMode_ = mode; }

    HPDF_Page AddPage(double width, double height);
    HPDF_Page Page() const { return page_; }
    double PageHeight() const { return pageHeight_; }
    void ClosePage() { page_ = nullptr; }

    HPDF_Font Font(const FontChoice& choice);
    HPDF_Image Image(const RgbImage& image);
    HPDF_Image Jpeg(const void* data, size_t length);
    // Graphic identifiers handed to the caller: 1, 2, ...
    int AddGraphic(HPDF_Image image);
    HPDF_Image Graphic(int id) const;

    // In page points from the bottom left of the current page.
    void SetBookmark(const std::string& name, double x, double y);
    void AddLink(const std::string& name, HPDF_Rect area);
    // Returns the outline's identifier (1, 2, ...) or -1.
    int AddOutline(const std::string& caption, int kind, int value, const std::string& name,
                   bool atPoint, double x, double y);

    // Resolves links and outline destinations; the document may then be saved.
    void Finish();
    bool SaveToFile(const std::string& fileName);
    // The whole document's size in bytes, or -1.
    int32_t Size();
    // Copies the document into `buffer`; returns the bytes copied or -1.
    int32_t CopyTo(void* buffer, int32_t size);

    // True when the library reported an error since the last call.
    bool TakeError();
    void OnLibraryError(HPDF_STATUS error, HPDF_STATUS detail);

private:
    struct Bookmark {
        HPDF_Page page;
        double x, y;
    };
    struct Link {
        HPDF_Page page;
        HPDF_Rect area;
        std::string name;
    };
    struct Outline {
        HPDF_Outline outline;
        int level;
        std::string name;
    };
    HPDF_Destination Destination(HPDF_Page page, double x, double y);

    HPDF_Doc doc_ = nullptr;
    Reporter report_;
    bool error_ = false;
    HPDF_Page page_ = nullptr;
    HPDF_Page firstPage_ = nullptr;
    double pageHeight_ = 0;
    int zoomMode_ = 0;
    std::map<std::string, HPDF_Font> fonts_;
    std::unordered_map<uint64_t, HPDF_Image> images_;
    std::vector<HPDF_Image> graphics_;
    std::map<std::string, Bookmark> bookmarks_;
    std::vector<Link> links_;
    std::vector<Outline> outlines_;
};

}  // namespace pdfengine
