// The open/save form behind the library's own open and save dialogs: what the user types in
// its name edit is checked and combined with the current folder, and its filter is parsed.
#pragma once

#include <utility>
#include <vector>

#include "UiShellUtils.h"
#include "cl_string.h"

// A typed name on the current folder: network paths and drive paths stand as they are, a name
// starting with a backslash goes on the folder's drive (or server share), a bare drive gets its
// root, and a relative name is followed part by part ("." stays, ".." goes up one level, "..."
// two, never above the drive root or the share); an empty part ends it. Empty for an empty name.
AnsiString CombineFolderAndName(const AnsiString& folder, const AnsiString& name);
// No "/", "<", ">" or "|" and no two backslashes in a row except at the very start; the trail
// bytes of double-byte characters do not count.
bool IsValidFileNameText(const AnsiString& text);
// Whether the text holds a "*" or "?" outside double-byte characters.
bool HasWildcards(const AnsiString& text);
// The description and pattern pairs of a filter "Text files|*.txt|All files|*.*"; a trailing
// description without pattern is dropped.
std::vector<std::pair<AnsiString, AnsiString>> ParseFilter(const AnsiString& filter);

// A typed name with the default extension applied, and what becomes of osoExtensionDifferent.
struct TDefaultExtResult {
    AnsiString Name;
    enum { Keep, Set, Clear } ExtensionDifferent = Keep;
};
// `registered` tells whether an extension (with its dot) is a key under the classes root;
// `filterPattern` is the selected file type's pattern, empty when none is selected; a pattern
// whose extension is a wildcard ("*.*") counts as none.
TDefaultExtResult ApplyDefaultExt(const AnsiString& name, const AnsiString& defaultExt,
                                  const AnsiString& filterPattern,
                                  bool (*registered)(const AnsiString& extension));
// Whether the extension is a key under the registry's classes root.
bool IsRegisteredExtension(const AnsiString& extension);

// One jump button of the places bar: a special folder (CSIDL) or a path (CSIDL csidlNone).
struct TUiPlaceData {
    TCSIDL CSIDL = csidlNone;
    AnsiString Caption;
    AnsiString Path;
    int IconIndex = 0;
};
// The places of the common file dialog's places-bar policy of the current user ("Place0" to
// "Place4", in that order, those present); without the policy Recent, Desktop, Personal, My
// Computer and Network.
std::vector<TUiPlaceData> ReadPlaces();
