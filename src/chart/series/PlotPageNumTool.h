// The page-number tool: an annotation whose text names the chart's current page and its page
// count, through a format that is checked before it is used.
#pragma once

#include "ChartTools.h"

extern AnsiString PlotMsg_PageNumber;

class TPageNumTool : public TAnnotationTool {
    CL_COMPONENT_CLASS(TPageNumTool, TAnnotationTool)

    explicit TPageNumTool(TComponent* owner);
    AnsiString Description() const override { return PlotMsg_PageNumber; }
    // The format with the page and the page count; a format the two integers cannot fill is
    // shown as it stands.
    AnsiString GetText() override;

    AnsiString Format() const { return Text(); }
    void SetFormat(const AnsiString& value) { SetText(value); }
    bool IsFormatStored() const;

protected:
    ~TPageNumTool() override = default;
};

// Whether the format asks for at most two integers and otherwise only "%%".
bool IsPageNumberFormat(const AnsiString& format);
