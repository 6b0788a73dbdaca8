#include "DynamicHTMLHelp.h"

#include <oleauto.h>

namespace {

// The record HH_GET_LAST_ERROR fills in.
struct HHLastError {
    int cbStruct;
    HRESULT hr;
    BSTR description;
};

constexpr uint16_t HelpContext = 1;
constexpr uint16_t HelpContextPopup = 8;
constexpr uint16_t HelpFinder = 11;
constexpr uint16_t HelpSetPopupPos = 13;

AnsiString WideToText(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return AnsiString();
    std::string buffer(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &buffer[0], length, nullptr, nullptr);
    buffer.resize(static_cast<size_t>(length - 1));
    return AnsiString(buffer);
}

}  // namespace

TDynamicHTMLHelp::TDynamicHTMLHelp(TComponent* owner) : TComponent(owner) {
    if (!InState(csDesigning)) loadHTMLHelp();
}

void TDynamicHTMLHelp::BeforeDestruction() {
    freeHTMLHelp();
    TComponent::BeforeDestruction();
}

void TDynamicHTMLHelp::loadHTMLHelp() {
    library_ = nullptr;
    entryPoint_ = nullptr;
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    library_ = LoadLibraryA("hhctrl.ocx");
    SetErrorMode(oldMode);
    if (library_)
        entryPoint_ = reinterpret_cast<THtmlHelpA>(
            reinterpret_cast<void*>(GetProcAddress(library_, "HtmlHelpA")));
    popup_ = HH_POPUP{};
    popup_.cbStruct = sizeof(HH_POPUP);
    popup_.clrForeground = static_cast<COLORREF>(-1);
    popup_.clrBackground = static_cast<COLORREF>(-1);
    popup_.rcMargins = RECT{-1, -1, -1, -1};
}

void TDynamicHTMLHelp::freeHTMLHelp() {
    if (!library_) return;
    CloseAllHelp();
    FreeLibrary(library_);
    library_ = nullptr;
    entryPoint_ = nullptr;
}

HWND TDynamicHTMLHelp::Call(const char* file, UINT command, DWORD_PTR data) {
    return entryPoint_ ? entryPoint_(nullptr, file, command, data) : nullptr;
}

void TDynamicHTMLHelp::CloseAllHelp() { Call(nullptr, HH_CLOSE_ALL, 0); }

HWND TDynamicHTMLHelp::htmlHelpPopup(DWORD context) {
    popup_.idString = context;
    return Call(htmlHelpFile_.c_str(), HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup_));
}

bool TDynamicHTMLHelp::ProcessHTMLHelp(uint16_t command, int32_t data) {
    if (!entryPoint_) return true;
    HWND result;
    switch (command) {
    case HelpContext:
        result = Call(htmlHelpFile_.c_str(), HH_HELP_CONTEXT, static_cast<DWORD>(data));
        break;
    case HelpContextPopup:
        result = htmlHelpPopup(static_cast<DWORD>(data));
        break;
    case HelpFinder:
        result = Call(htmlHelpFile_.c_str(), HH_DISPLAY_TOPIC, 0);
        break;
    case HelpSetPopupPos:
        popup_.pt.x = data & 0xFFFF;
        popup_.pt.y = data >> 16;
        return false;
    default:
        return true;
    }
    if (!result) lastError_ = getLastHTMLHelpError();
    return false;
}

AnsiString TDynamicHTMLHelp::getLastHTMLHelpError() {
    HHLastError error{sizeof(HHLastError), 0, nullptr};
    if (!Call(nullptr, HH_GET_LAST_ERROR, reinterpret_cast<DWORD_PTR>(&error)))
        return "Unable To Retreive Error code";
    const AnsiString text = error.description ? WideToText(error.description) : AnsiString();
    if (error.description) SysFreeString(error.description);
    return text;
}
