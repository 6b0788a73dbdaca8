// The clipboard: one process-wide object for text, pictures and raw clipboard handles, opened
// with retries because another program may hold the clipboard for a moment.
#pragma once

#include <windows.h>

#include "cl_graphics.h"

// Opening nests (counted); each single operation opens and closes by itself, so a sequence of
// them is atomic only between an explicit Open and Close. Failing to open raises Exception
// "Cannot open clipboard".
class TClipboard : public TPersistent {
    CL_CLASS(TClipboard, TPersistent)

    ~TClipboard() override;

    void Open();
    void Close();
    // Empties the clipboard and takes ownership of it.
    void Clear();
    bool HasFormat(UINT format) const;
    int FormatCount();
    UINT Formats(int index);

    // CF_TEXT, the bytes as they stand.
    AnsiString AsText();
    void SetAsText(const AnsiString& text);
    int GetTextBuf(char* buffer, int size);
    void SetTextBuf(const char* buffer) { SetAsText(buffer); }

    // Owned by the clipboard; valid while it is open.
    HANDLE GetAsHandle(UINT format);
    // The clipboard takes ownership of the handle.
    void SetAsHandle(UINT format, HANDLE data);

    // Puts a picture or graphic on the clipboard in its own clipboard format (a bitmap as
    // CF_BITMAP with CF_PALETTE, a metafile as CF_ENHMETAFILE).
    void Assign(TPersistent* source) override;
    // Reads the clipboard into a picture or graphic; EInvalidGraphic "Unsupported clipboard
    // format" when no format on the clipboard suits it.
    void AssignTo(TPersistent* dest) override;

private:
    void AssignGraphic(TGraphic* graphic);
    HWND OwnerWindow();
    HWND window_ = nullptr;
    int openCount_ = 0;
};

TClipboard* Clipboard();
// Replaces the process-wide clipboard and returns the previous one (the caller owns it).
TClipboard* SetClipboard(TClipboard* clipboard);
