// One engine environment: the settings handed in as numbered properties, the document being
// built and the actions that build, save and copy it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PdfDocument.h"
#include "PePDFEngine.h"

namespace pdfengine {

class EngineEnvironment {
public:
    EngineEnvironment(pepdf::Callback callback, void* sender);
    ~EngineEnvironment();
    EngineEnvironment(const EngineEnvironment&) = delete;
    EngineEnvironment& operator=(const EngineEnvironment&) = delete;

    void SetInteger(int32_t id, int32_t value) { integers_[id] = value; }
    void SetString(int32_t id, const char* text);
    void InitializePage(const pepdf::InitRec& rec) { pageRec_ = rec; }
    int32_t Action(int32_t code, INT_PTR param, void* data);
    void Message(const std::string& text);

private:
    struct FormItem {
        HENHMETAFILE metafile;
        double x, y, width, height;
    };
    struct Form {
        double width = 0, height = 0;
        std::vector<FormItem> items;
    };

    int32_t Integer(int32_t id) const;
    std::string String(int32_t id) const;
    double PointsAcross(double dots, int resolution) const;
    int32_t BeginDoc(const char* outputName);
    void ApplySettings();
    int32_t StartPage();
    int32_t EndPage();
    int32_t FinishDoc();
    int32_t SaveToFile(const char* fileName);
    int32_t DocumentCopy(INT_PTR size, void* buffer);
    int32_t CloseDoc();
    int32_t DrawMetafile(HENHMETAFILE metafile, const pepdf::ActionRec* rec);
    void DrawMetafileAt(HENHMETAFILE metafile, double x, double y, double width, double height);
    int32_t DrawGraphic(pepdf::GraphicDef* graphic);
    int32_t BeginForm(const pepdf::ActionRec* rec);
    int32_t PlaceForm(const pepdf::ActionRec* rec);
    int32_t Bookmark(const pepdf::ActionRec* rec);
    int32_t LinkArea(const pepdf::ActionRec* rec);
    int32_t Outline(const pepdf::ActionRec* rec);
    std::string MergeText(const std::string& text);
    int32_t Checked(int32_t result);
    void ClearForms();

    pepdf::Callback callback_;
    void* sender_;
    std::map<int32_t, int32_t> integers_;
    std::map<int32_t, std::string> strings_;
    pepdf::InitRec pageRec_{};
    std::unique_ptr<PdfDocument> doc_;
    bool finished_ = false;
    int pageXRes_ = 72, pageYRes_ = 72;
    std::map<std::string, Form> forms_;
    Form* openForm_ = nullptr;
    bool merging_ = false;
};

}  // namespace pdfengine
