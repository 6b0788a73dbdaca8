// What the tree and list views ask of the system: whether it is of the NT family and which
// version of the common-controls library is loaded.
#pragma once

#include <windows.h>

#include "cl_string.h"

// The fixed file version of a module: Low = build << 16 | private part, High = major << 16 |
// minor.
struct TUiModuleVersion {
    DWORD Low = 0;
    DWORD High = 0;
};

bool IsWinNT();
// Reads the file's version resource; false (the record untouched) when it has none.
bool GetModuleVersion(const AnsiString& fileName, TUiModuleVersion& version);
// The version of "comctl32.dll", read at start-up; zeros when unreadable.
extern TUiModuleVersion COMCTL32_VER;
// The High word pair of a version major.minor, for comparisons with COMCTL32_VER.High.
constexpr DWORD ModuleVersionHigh(WORD major, WORD minor) {
    return (static_cast<DWORD>(major) << 16) | minor;
}
