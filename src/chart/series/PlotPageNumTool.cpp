// The page-number tool.
#include "PlotPageNumTool.h"

#include <cctype>

#include "ChartRegistry.h"
#include "PlotPublished.h"
#include "Plotconst.h"

AnsiString PlotMsg_PageNumber = "Page Number";

bool IsPageNumberFormat(const AnsiString& format) {
    const std::string text = format.str();
    int integers = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (++i < text.size() && text[i] == '%') continue;
        if (i < text.size() && text[i] == '-') ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i < text.size() && text[i] == '.') {
            ++i;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        }
        if (i >= text.size() || (text[i] != 'd' && text[i] != 'D')) return false;
        if (++integers > 2) return false;
    }
    return true;
}

TPageNumTool::TPageNumTool(TComponent* owner) : TAnnotationTool(owner) {
    SetText(Plotconst::PlotMsg_PageOfPages);
}

AnsiString TPageNumTool::GetText() {
    const AnsiString format = Format();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !IsPageNumberFormat(format)) return format;
    return ::Format(format, chart->Page(), chart->NumPages());
}

bool TPageNumTool::IsFormatStored() const { return Format() != Plotconst::PlotMsg_PageOfPages; }

namespace {

// "Format", written when it differs from the standard text.
const bool pageNumPropertiesRegistered = [] {
    using T = TPageNumTool;
    RegisterProperty(T::StaticClass(),
                     StoredWhen<T>(StringProperty<T>("Format", &T::Format, &T::SetFormat),
                                   [](T* tool) { return tool->IsFormatStored(); }));
    return true;
}();

struct PageNumRegistration {
    PageNumRegistration() {
        const TMetaClass* tools[] = {TPageNumTool::StaticClass()};
        RegisterPlotTools(tools, 0);
        PlotPageNumToolClass = TPageNumTool::StaticClass();
    }
    ~PageNumRegistration() {
        PlotPageNumToolClass = nullptr;
        if (!PlotToolTypes) return;
        const TMetaClass* tools[] = {TPageNumTool::StaticClass()};
        UnRegisterPlotTools(tools, 0);
    }
} pageNumRegistration;
}  // namespace
