#include "cl_clipboard.h"

#include <cstring>

namespace {

TClipboard* theClipboard = nullptr;
const char kOwnerClass[] = "ClassLibClipboardOwner";

// Open and Close around one clipboard operation.
class OpenedClipboard {
public:
    explicit OpenedClipboard(TClipboard* clipboard) : clipboard_(clipboard) { clipboard_->Open(); }
    ~OpenedClipboard() { clipboard_->Close(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

private:
    TClipboard* clipboard_;
};

}  // namespace

TClipboard::~TClipboard() {
    if (window_) DestroyWindow(window_);
}

HWND TClipboard::OwnerWindow() {
    if (!window_) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kOwnerClass;
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, kOwnerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    }
    return window_;
}

void TClipboard::Open() {
    if (openCount_ == 0) {
        HWND owner = OwnerWindow();
        bool opened = false;
        for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
            opened = OpenClipboard(owner) != 0;
            if (!opened) Sleep(10);
        }
        if (!opened) throw Exception("Cannot open clipboard");
    }
    ++openCount_;
}

void TClipboard::Close() {
    if (openCount_ == 0) return;
    if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
    OpenedClipboard opened(this);
    EmptyClipboard();
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }

int TClipboard::FormatCount() { return CountClipboardFormats(); }

UINT TClipboard::Formats(int index) {
    OpenedClipboard opened(this);
    UINT format = 0;
    for (int i = 0; i <= index; ++i) {
        format = EnumClipboardFormats(format);
        if (!format) break;
    }
    return format;
}

AnsiString TClipboard::AsText() {
    OpenedClipboard opened(this);
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!text) return AnsiString();
    const AnsiString result(text, static_cast<int>(strnlen(text, GlobalSize(data))));
    GlobalUnlock(data);
    return result;
}

void TClipboard::SetAsText(const AnsiString& text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.Length() + 1);
    if (!data) throw EOutOfMemory("Out of memory");
    std::memcpy(GlobalLock(data), text.c_str(), text.Length() + 1);
    GlobalUnlock(data);
    SetAsHandle(CF_TEXT, data);
}

int TClipboard::GetTextBuf(char* buffer, int size) {
    if (size <= 0) return 0;
    const AnsiString text = AsText();
    lstrcpynA(buffer, text.c_str(), size);
    return static_cast<int>(strlen(buffer));
}

HANDLE TClipboard::GetAsHandle(UINT format) {
    OpenedClipboard opened(this);
    return GetClipboardData(format);
}

void TClipboard::SetAsHandle(UINT format, HANDLE data) {
    OpenedClipboard opened(this);
    EmptyClipboard();
    SetClipboardData(format, data);
}

void TClipboard::AssignGraphic(TGraphic* graphic) {
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    graphic->SaveToClipboardFormat(format, data, palette);
    OpenedClipboard opened(this);
    EmptyClipboard();
    SetClipboardData(format, data);
    if (palette) SetClipboardData(CF_PALETTE, palette);
}

void TClipboard::Assign(TPersistent* source) {
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (!picture->Graphic()) throw EInvalidGraphic(SUnknownClipboardFormat);
        AssignGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        AssignGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TClipboard::AssignTo(TPersistent* dest) {
    auto* picture = dynamic_cast<TPicture*>(dest);
    auto* graphic = dynamic_cast<TGraphic*>(dest);
    if (!picture && !graphic) {
        TPersistent::AssignTo(dest);
        return;
    }
    OpenedClipboard opened(this);
    HPALETTE palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (!TPicture::SupportsClipboardFormat(format)) continue;
        HANDLE data = GetClipboardData(format);
        if (picture) {
            picture->LoadFromClipboardFormat(format, data, palette);
            return;
        }
        try {
            graphic->LoadFromClipboardFormat(format, data, palette);
            return;
        } catch (const EInvalidGraphic&) {
        }
    }
    throw EInvalidGraphic(SUnknownClipboardFormat);
}

TClipboard* Clipboard() {
    if (!theClipboard) theClipboard = new TClipboard;
    return theClipboard;
}

TClipboard* SetClipboard(TClipboard* clipboard) {
    TClipboard* previous = theClipboard;
    theClipboard = clipboard;
    return previous;
}
