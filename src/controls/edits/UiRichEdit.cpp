#include "UiRichEdit.h"

#include "cl_forms.h"
#include "cl_streams.h"

namespace {

const bool richEditPropertiesRegistered = [] {
    RegisterFramedMemoProperties<TUiRichEdit>();
    return true;
}();

}  // namespace

TUiRichEdit::TUiRichEdit(TComponent* owner) : TUiFramedMemo<TRichEdit>(owner) {}

AnsiString TUiRichEdit::GetRtfData() {
    TMemoryStream stream;
    Lines()->SaveToStream(&stream);
    stream.SetPosition(0);
    TStringList lines;
    lines.LoadFromStream(&stream);
    return lines.Text();
}

void TUiRichEdit::SelectionChange() {
    TUiFramedMemo<TRichEdit>::SelectionChange();
    ClipboardChange();
}

void TUiRichEdit::EnabledChanged() {
    if (!Enabled() && Parent()) {
        TCustomForm* form = GetParentForm(this);
        if (form && HasKeyboardFocus(this)) {
            form->DefocusControl(this, false);
            if (form->HandleAllocated()) ::SetFocus(form->WindowHandle());
        }
    }
    if (HandleAllocated() && !InState(csDesigning)) {
        if (Enabled())
            EnableWindow(WindowHandle(), TRUE);
        else
            SetWindowLongPtrA(WindowHandle(), GWL_STYLE,
                              GetWindowLongPtrA(WindowHandle(), GWL_STYLE) | WS_DISABLED);
    }
    UpdateColors();
}

// The enabled state is applied here alone, without the class library's EnableWindow call.
void TUiRichEdit::Dispatch(TMessage& message) {
    if (message.Msg == CM_ENABLEDCHANGED) return EnabledChanged();
    TUiFramedMemo<TRichEdit>::Dispatch(message);
}
