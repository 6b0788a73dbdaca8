// Shell shortcut files written and read through the shell link object, and the COM class
// registered for a file type.
#pragma once

#include <set>

#include "UiShellIntf.h"
#include "cl_string.h"

enum TLinkDataOption {
    ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd
};
using TLinkDataOptions = std::set<TLinkDataOption>;

// What a shortcut holds. Options name the optional fields to write; a read sets them all.
struct TLinkData {
    AnsiString PathName;
    TLinkDataOptions Options;
    AnsiString Desc;
    AnsiString Args;
    AnsiString IconPath;
    int IconIndex = 0;
    AnsiString WorkingDir;
    int ShowCmd = 0;
    // Virtual key in the low byte, modifiers in the high byte.
    WORD HotKey = 0;
    // Resolve without any user interface: no search dialog for a moved target.
    bool NoUI = false;
    // The target's PIDL when asked for on reading; the caller frees it with ShellMemFree.
    LPITEMIDLIST IdList = nullptr;
    // The target's file data as the link reports it.
    WIN32_FIND_DATAA FindData{};
};

HRESULT CreateShortcut(const AnsiString& linkFileName, const TLinkData& data);
// A shortcut to the target described by its own name and starting in its folder.
HRESULT CreateQuickShortcut(const AnsiString& linkFileName, const AnsiString& targetFileName);
HRESULT ResolveShortcut(const AnsiString& linkFileName, TLinkData& data, bool wantIdList);

// The class registered for a file type (".ext" or a program identifier) in the classes root:
// through "clsid\{...}" as its default value, its "CLSID" subkey, or its program identifier's.
bool UiClsidFromFileType(const AnsiString& fileType, CLSID& clsid);
