// The HTML help component: loads the system's HTML help library at run time, turns the class
// library's help requests into HTML help calls on the compiled help file, and closes every help
// window when asked. Without the library every request is left to the class library.
#pragma once

#include <windows.h>

#include <htmlhelp.h>

#include <cstdint>

#include "cl_component.h"

class TDynamicHTMLHelp : public TComponent {
    CL_COMPONENT_CLASS(TDynamicHTMLHelp, TComponent)

    explicit TDynamicHTMLHelp(TComponent* owner);
    void BeforeDestruction() override;

    void loadHTMLHelp();
    void freeHTMLHelp();
    void CloseAllHelp();
    HWND htmlHelpPopup(DWORD context);
    // True when the class library must still handle the request itself.
    bool ProcessHTMLHelp(uint16_t command, int32_t data);
    AnsiString getLastHTMLHelpError();

    bool Loaded() const { return entryPoint_ != nullptr; }
    const AnsiString& LastError() const { return lastError_; }
    POINT PopupPosition() const { return popup_.pt; }
    const AnsiString& htmlHelpFile() const { return htmlHelpFile_; }
    void SethtmlHelpFile(const AnsiString& fileName) { htmlHelpFile_ = fileName; }
    const AnsiString& ControlVersion() const { return controlVersion_; }
    // The version is fixed: the setter stores nothing.
    void SetControlVersion(const AnsiString&) {}

private:
    using THtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    HWND Call(const char* file, UINT command, DWORD_PTR data);

    HMODULE library_ = nullptr;
    THtmlHelpA entryPoint_ = nullptr;
    HH_POPUP popup_{};
    AnsiString lastError_;
    AnsiString htmlHelpFile_;
    AnsiString controlVersion_ = "1.00.01";
};
