#include "UiShellOpenForm.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "UiUtils.h"
#include "cl_settings.h"
#include "cl_sys.h"

namespace {

// Calls `visit` with the 0-based index of every single-byte character.
template <class F>
void ForEachSingleByte(const std::string& text, F visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i]))) {
            ++i;
            continue;
        }
        if (!visit(i)) return;
    }
}

bool IsDrivePath(const std::string& text) { return text.size() >= 2 && text[1] == ':'; }

// The part of the folder no name may go above: "X:" or "\\server\share".
std::string FolderRoot(const std::string& folder) {
    if (folder.compare(0, 2, "\\\\") != 0) return folder.substr(0, 2);
    const size_t server = folder.find('\\', 2);
    if (server == std::string::npos) return folder;
    const size_t share = folder.find('\\', server + 1);
    return share == std::string::npos ? folder : folder.substr(0, share);
}

std::string GoUp(const std::string& path, size_t levels, const std::string& root) {
    std::string result = path;
    for (size_t i = 0; i < levels && result.size() > root.size(); ++i)
        result.erase(std::max(result.rfind('\\'), root.size()));
    return result;
}

std::string CombineRelative(const std::string& folder, const std::string& name) {
    const std::string root = FolderRoot(folder);
    std::string result = folder;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('\\', start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part.empty()) break;
        if (part.find_first_not_of('.') == std::string::npos)
            result = GoUp(result, part.size() - 1, root);
        else
            result += "\\" + part;
        start = end + 1;
    }
    return result == root && IsDrivePath(root) ? result + "\\" : result;
}

std::string ExtensionOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    const size_t separator = name.find_last_of("\\:");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return std::string();
    return name.substr(dot);
}

// The extension of the pattern's first mask; none when it is itself a wildcard ("*.*").
std::string PatternExtension(const std::string& pattern) {
    const std::string extension = ExtensionOf(pattern.substr(0, pattern.find(';')));
    return extension.find_first_of("*?") == std::string::npos ? extension : std::string();
}

std::string WithExtension(std::string name, const std::string& extension) {
    if (name.empty() || name.back() != '.') name += '.';
    return name + extension;
}

const char* const PlacesBarKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32\\Placesbar";
constexpr int MaxPlaces = 5;

// The shell's name for the folder: its in-folder name, else its normal display name.
AnsiString FolderCaption(LPCITEMIDLIST pidl) {
    const AnsiString name = ShellGetFriendlyNameForLastIdListElement(pidl);
    return name.IsEmpty() ? ShellGetFriendlyNameFromIdList(nullptr, pidl, fnNormal) : name;
}

TUiPlaceData SpecialFolderPlace(TCSIDL csidl) {
    TUiPlaceData place;
    place.CSIDL = csidl;
    LPITEMIDLIST pidl = nullptr;
    if (SUCCEEDED(ShellGetSpecialFolderIdList(nullptr, csidl, pidl))) {
        place.Caption = FolderCaption(pidl);
        ShellMemFree(pidl);
    }
    place.IconIndex = ShellGetSpecialFolderIconIndex(csidl, 0);
    return place;
}

TUiPlaceData PathPlace(const AnsiString& text) {
    TUiPlaceData place;
    place.Path = ExpandEnvironmentVariables(text);
    if (place.Path.Length() > 3) {
        place.Caption = ExtractFileName(place.Path);
    } else {
        LPITEMIDLIST pidl = nullptr;
        if (SUCCEEDED(ShellGetIdListFromPath(place.Path, pidl))) {
            place.Caption = FolderCaption(pidl);
            ShellMemFree(pidl);
        }
    }
    place.IconIndex = ShellGetIconIndexFromPath(place.Path, 0);
    return place;
}

}  // namespace

std::vector<TUiPlaceData> ReadPlaces() {
    std::vector<TUiPlaceData> places;
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(PlacesBarKey)) {
        for (TCSIDL csidl : {csidlRecent, csidlDesktop, csidlPersonal, csidlDrives, csidlNetwork})
            places.push_back(SpecialFolderPlace(csidl));
        return places;
    }
    for (int n = 0; n < MaxPlaces; ++n) {
        const AnsiString name = "Place" + IntToStr(n);
        if (!registry.ValueExists(name)) continue;
        const TRegDataType type = registry.GetDataType(name);
        try {
            if (type == rdString || type == rdExpandString)
                places.push_back(PathPlace(registry.ReadString(name)));
            else
                places.push_back(
                    SpecialFolderPlace(static_cast<TCSIDL>(registry.ReadInteger(name))));
        } catch (const ERegistryException&) {
        }
    }
    return places;
}

AnsiString CombineFolderAndName(const AnsiString& folderText, const AnsiString& nameText) {
    std::string folder = folderText.str();
    const std::string& name = nameText.str();
    if (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
    if (name.size() > 2 && name.compare(0, 2, "\\\\") == 0) return nameText;
    if (name.empty()) return AnsiString();
    if (name[0] == '\\') return AnsiString(FolderRoot(folder) + name);
    if (!IsDrivePath(name)) return AnsiString(CombineRelative(folder, name));
    return name.size() == 2 ? AnsiString(name + "\\") : nameText;
}

bool IsValidFileNameText(const AnsiString& textValue) {
    const std::string& text = textValue.str();
    bool valid = true;
    ForEachSingleByte(text, [&](size_t i) {
        const char c = text[i];
        const bool doubleBackslash = c == '\\' && i > 1 && text[i - 1] == '\\';
        valid = c != '/' && c != '<' && c != '>' && c != '|' && !doubleBackslash;
        return valid;
    });
    return valid;
}

bool HasWildcards(const AnsiString& textValue) {
    const std::string& text = textValue.str();
    bool found = false;
    ForEachSingleByte(text, [&](size_t i) {
        found = text[i] == '*' || text[i] == '?';
        return !found;
    });
    return found;
}

std::vector<std::pair<AnsiString, AnsiString>> ParseFilter(const AnsiString& filterText) {
    std::vector<std::string> fields;
    const std::string& filter = filterText.str();
    size_t start = 0;
    while (start < filter.size()) {
        const size_t end = std::min(filter.find('|', start), filter.size());
        fields.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::pair<AnsiString, AnsiString>> pairs;
    for (size_t i = 0; i + 1 < fields.size(); i += 2)
        pairs.emplace_back(AnsiString(fields[i]), AnsiString(fields[i + 1]));
    return pairs;
}

TDefaultExtResult ApplyDefaultExt(const AnsiString& nameText, const AnsiString& defaultExt,
                                  const AnsiString& filterPattern,
                                  bool (*registered)(const AnsiString& extension)) {
    const std::string& name = nameText.str();
    TDefaultExtResult result{nameText};
    if (defaultExt.IsEmpty()) return result;
    const std::string extension = ExtensionOf(name);
    if (extension.size() > 1 && registered(AnsiString(extension))) {
        result.ExtensionDifferent = TDefaultExtResult::Set;
        return result;
    }
    const std::string filterExtension = PatternExtension(filterPattern.str());
    if (filterExtension.empty()) {
        result.Name = AnsiString(WithExtension(name, defaultExt.str()));
        result.ExtensionDifferent = TDefaultExtResult::Clear;
    } else if (!SameText(AnsiString(filterExtension), AnsiString(extension))) {
        result.Name = AnsiString(WithExtension(name, filterExtension.substr(1)));
        result.ExtensionDifferent = SameText(AnsiString(filterExtension), "." + defaultExt)
                                        ? TDefaultExtResult::Clear
                                        : TDefaultExtResult::Set;
    }
    return result;
}

bool IsRegisteredExtension(const AnsiString& extension) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
