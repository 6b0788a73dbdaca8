// The library's framed rich edit: the framed memo's behaviour on the system rich edit, with
// its own caret position and a disabled state that gives the focus back to the form.
#pragma once

#include "UiMemo.h"
#include "cl_comctrls.h"

class TUiRichEdit : public TUiFramedMemo<TRichEdit> {
    CL_COMPONENT_CLASS(TUiRichEdit, TRichEdit)

    explicit TUiRichEdit(TComponent* owner);

    int GetLine() override { return CaretPos().Y + 1; }
    int GetColumn() override { return CaretPos().X + 1; }
    // Lines written to a stream and read back as one text.
    AnsiString GetRtfData();

protected:
    ~TUiRichEdit() override = default;

    void SelectionChange() override;
    void Dispatch(TMessage& message) override;

private:
    void EnabledChanged() override;
};
