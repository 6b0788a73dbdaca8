#include "cl_settings.h"

#include <windows.h>

#include <vector>

#include "cl_lists.h"
#include "cl_number.h"
#include "cl_streams.h"

namespace {

constexpr DWORD kInitialBuffer = 2048;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool TryParseHex(const std::string& digits, int& value) {
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t result = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    value = static_cast<int>(result);
    return true;
}

bool TryParseDecimal(const std::string& text, int& value) {
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    long long result = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        result = result * 10 + (text[i] - '0');
        if (result > 2147483648LL) return false;
    }
    if (text[0] == '-') result = -result;
    if (result > 2147483647LL) return false;
    value = static_cast<int>(result);
    return true;
}

// The INI integer forms: decimal, or hexadecimal after "0x"/"0X".
bool TryParseIniInteger(const AnsiString& text, int& value) {
    const std::string& s = text.str();
    if (s.empty()) return false;
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        return TryParseHex(s.substr(2), value);
    return TryParseDecimal(s, value);
}

// Calls a profile reader with a growing buffer until the result fits; `slack` is how far
// short of the buffer size a truncated result ends.
template <class Reader> AnsiString ReadProfile(Reader read, DWORD slack) {
    std::vector<char> buffer(kInitialBuffer);
    for (;;) {
        const DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + slack < buffer.size()) return AnsiString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

// Splits a double-null-terminated list of names into the string list.
void AddNameList(const AnsiString& names, TStrings* strings) {
    const std::string& bytes = names.str();
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find('\0', start);
        const size_t stop = end == std::string::npos ? bytes.size() : end;
        if (stop > start) strings->Add(AnsiString(bytes.substr(start, stop - start)));
        start = stop + 1;
    }
}

HKEY AsHkey(HKEY__* key) { return reinterpret_cast<HKEY>(key); }
HKEY__* AsKey(HKEY key) { return reinterpret_cast<HKEY__*>(key); }

[[noreturn]] void InvalidDataType(const AnsiString& name) {
    throw ERegistryException("Invalid data type for '" + name + "'");
}

AnsiString StripLeadingBackslash(const AnsiString& path) {
    return (!path.IsEmpty() && path[1] == '\\') ? path.SubString(2, path.Length()) : path;
}

}  // namespace

// ---- TCustomIniFile ----

int TCustomIniFile::ReadInteger(const AnsiString& section, const AnsiString& ident,
                                int defaultValue) {
    int value;
    return TryParseIniInteger(ReadString(section, ident, ""), value) ? value : defaultValue;
}

void TCustomIniFile::WriteInteger(const AnsiString& section, const AnsiString& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const AnsiString& section, const AnsiString& ident,
                              bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& section, const AnsiString& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const AnsiString& section, const AnsiString& ident,
                                 double defaultValue) {
    double value;
    return TryStrToFloat(ReadString(section, ident, ""), value) ? value : defaultValue;
}

void TCustomIniFile::WriteFloat(const AnsiString& section, const AnsiString& ident,
                                double value) {
    WriteString(section, ident, FloatToStr(value));
}

TDateTime TCustomIniFile::ReadDate(const AnsiString& section, const AnsiString& ident,
                                   TDateTime defaultValue) {
    TDateTime value;
    return TryStrToDate(ReadString(section, ident, ""), value) ? value : defaultValue;
}

TDateTime TCustomIniFile::ReadTime(const AnsiString& section, const AnsiString& ident,
                                   TDateTime defaultValue) {
    TDateTime value;
    return TryStrToTime(ReadString(section, ident, ""), value) ? value : defaultValue;
}

TDateTime TCustomIniFile::ReadDateTime(const AnsiString& section, const AnsiString& ident,
                                       TDateTime defaultValue) {
    TDateTime value;
    return TryStrToDateTime(ReadString(section, ident, ""), value) ? value : defaultValue;
}

void TCustomIniFile::WriteDate(const AnsiString& section, const AnsiString& ident,
                               TDateTime value) {
    WriteString(section, ident, DateToStr(value));
}

void TCustomIniFile::WriteTime(const AnsiString& section, const AnsiString& ident,
                               TDateTime value) {
    WriteString(section, ident, TimeToStr(value));
}

void TCustomIniFile::WriteDateTime(const AnsiString& section, const AnsiString& ident,
                                   TDateTime value) {
    WriteString(section, ident, DateTimeToStr(value));
}

int TCustomIniFile::ReadBinaryStream(const AnsiString& section, const AnsiString& ident,
                                     TStream* value) {
    const AnsiString hex = ReadString(section, ident, "");
    const std::string& text = hex.str();
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) break;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    if (!bytes.empty()) value->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    return static_cast<int>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const AnsiString& section, const AnsiString& ident,
                                       TStream* value) {
    AnsiString text;
    uint8_t byte;
    while (value->Read(&byte, 1) == 1) text += IntToHex(byte, 2);
    WriteString(section, ident, text);
}

void TCustomIniFile::ReadSectionValues(const AnsiString& section, TStrings* strings) {
    TStringList names;
    ReadSection(section, &names);
    strings->BeginUpdate();
    strings->Clear();
    for (int i = 0; i < names.Count(); ++i)
        strings->Add(names[i] + "=" + ReadString(section, names[i], ""));
    strings->EndUpdate();
}

bool TCustomIniFile::SectionExists(const AnsiString& section) {
    TStringList names;
    ReadSection(section, &names);
    return names.Count() > 0;
}

bool TCustomIniFile::ValueExists(const AnsiString& section, const AnsiString& ident) {
    TStringList names;
    ReadSection(section, &names);
    return names.IndexOf(ident) >= 0;
}

// ---- TIniFile ----

AnsiString TIniFile::ReadString(const AnsiString& section, const AnsiString& ident,
                                const AnsiString& defaultValue) {
    return ReadProfile(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(),
                                            buffer, size, FileName().c_str());
        },
        1);
}

void TIniFile::WriteString(const AnsiString& section, const AnsiString& ident,
                           const AnsiString& value) {
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(),
                                    FileName().c_str()))
        throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::ReadSection(const AnsiString& section, TStrings* strings) {
    const AnsiString names = ReadProfile(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size,
                                            FileName().c_str());
        },
        2);
    strings->BeginUpdate();
    strings->Clear();
    AddNameList(names, strings);
    strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* strings) {
    const AnsiString names = ReadProfile(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileSectionNamesA(buffer, size, FileName().c_str());
        },
        2);
    strings->BeginUpdate();
    strings->Clear();
    AddNameList(names, strings);
    strings->EndUpdate();
}

void TIniFile::EraseSection(const AnsiString& section) {
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FileName().c_str()))
        throw EIniFileException("Unable to write to " + FileName());
}

void TIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
    WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FileName().c_str());
}

void TIniFile::UpdateFile() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FileName().c_str());
}

// ---- TRegistry ----

TRegistry::TRegistry() : TRegistry(KEY_ALL_ACCESS) {}

TRegistry::TRegistry(unsigned long access) : rootKey_(AsKey(HKEY_CURRENT_USER)), access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY__* rootKey) {
    CloseKey();
    rootKey_ = rootKey;
}

HKEY__* TRegistry::BaseKeyFor(const AnsiString& key, AnsiString& relative) const {
    const bool absolute = !key.IsEmpty() && key[1] == '\\';
    relative = StripLeadingBackslash(key);
    return (absolute || !currentKey_) ? rootKey_ : currentKey_;
}

HKEY__* TRegistry::OpenSubKey(const AnsiString& key, bool canCreate, unsigned long access) {
    AnsiString relative;
    HKEY base = AsHkey(BaseKeyFor(key, relative));
    HKEY result = nullptr;
    const LONG status =
        canCreate ? RegCreateKeyExA(base, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    access, nullptr, &result, nullptr)
                  : RegOpenKeyExA(base, relative.c_str(), 0, access, &result);
    return status == ERROR_SUCCESS ? AsKey(result) : nullptr;
}

void TRegistry::ChangeKey(HKEY__* key, const AnsiString& path) {
    const bool absolute = !path.IsEmpty() && path[1] == '\\';
    const AnsiString relative = StripLeadingBackslash(path);
    const AnsiString newPath = (absolute || currentPath_.IsEmpty())
                                   ? relative
                                   : (relative.IsEmpty() ? currentPath_ : currentPath_ + "\\" + relative);
    CloseKey();
    currentKey_ = key;
    currentPath_ = newPath;
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate) {
    HKEY__* opened = OpenSubKey(key, canCreate, access_);
    if (!opened) return false;
    ChangeKey(opened, key);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& key) {
    HKEY__* opened = OpenSubKey(key, false, KEY_READ);
    if (!opened) return false;
    ChangeKey(opened, key);
    return true;
}

void TRegistry::CloseKey() {
    if (currentKey_) RegCloseKey(AsHkey(currentKey_));
    currentKey_ = nullptr;
    currentPath_ = AnsiString();
}

bool TRegistry::KeyExists(const AnsiString& key) {
    HKEY__* opened = OpenSubKey(key, false, KEY_READ);
    if (opened) RegCloseKey(AsHkey(opened));
    return opened != nullptr;
}

bool TRegistry::CreateKey(const AnsiString& key) {
    HKEY__* created = OpenSubKey(key, true, access_);
    if (created) RegCloseKey(AsHkey(created));
    return created != nullptr;
}

bool TRegistry::DeleteKey(const AnsiString& key) {
    AnsiString relative;
    HKEY base = AsHkey(BaseKeyFor(key, relative));
    HKEY doomed = nullptr;
    if (RegOpenKeyExA(base, relative.c_str(), 0, KEY_ALL_ACCESS, &doomed) == ERROR_SUCCESS) {
        TRegistry children(KEY_ALL_ACCESS);
        children.currentKey_ = AsKey(doomed);
        TStringList names;
        children.GetKeyNames(&names);
        for (int i = 0; i < names.Count(); ++i) children.DeleteKey(names[i]);
    }
    return RegDeleteKeyA(base, relative.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::HasSubKeys() {
    DWORD subKeys = 0;
    return currentKey_ &&
           RegQueryInfoKeyA(AsHkey(currentKey_), nullptr, nullptr, nullptr, &subKeys, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* strings) {
    strings->Clear();
    if (!currentKey_) return;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(AsHkey(currentKey_), i, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        strings->Add(AnsiString(name, static_cast<int>(length)));
    }
}

void TRegistry::GetValueNames(TStrings* strings) {
    strings->Clear();
    if (!currentKey_) return;
    std::vector<char> name(16384);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueA(AsHkey(currentKey_), i, name.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        strings->Add(AnsiString(name.data(), static_cast<int>(length)));
    }
}

bool TRegistry::ValueExists(const AnsiString& name) { return GetDataSize(name) >= 0; }

bool TRegistry::DeleteValue(const AnsiString& name) {
    return currentKey_ && RegDeleteValueA(AsHkey(currentKey_), name.c_str()) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const AnsiString& name) {
    DWORD type = REG_NONE;
    if (!currentKey_ || RegQueryValueExA(AsHkey(currentKey_), name.c_str(), nullptr, &type,
                                         nullptr, nullptr) != ERROR_SUCCESS)
        return rdUnknown;
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

int TRegistry::GetDataSize(const AnsiString& name) {
    DWORD size = 0;
    if (!currentKey_ || RegQueryValueExA(AsHkey(currentKey_), name.c_str(), nullptr, nullptr,
                                         nullptr, &size) != ERROR_SUCCESS)
        return -1;
    return static_cast<int>(size);
}

void TRegistry::ReadValue(const AnsiString& name, void* buffer, int& size,
                          unsigned long expectedType) {
    DWORD type = REG_NONE;
    DWORD length = static_cast<DWORD>(size);
    const LONG status = currentKey_ ? RegQueryValueExA(AsHkey(currentKey_), name.c_str(), nullptr,
                                                       &type, static_cast<BYTE*>(buffer), &length)
                                    : ERROR_INVALID_HANDLE;
    const bool stringWanted = expectedType == REG_SZ;
    const bool typeOk = type == expectedType || (stringWanted && type == REG_EXPAND_SZ);
    if (status != ERROR_SUCCESS || !typeOk) InvalidDataType(name);
    size = static_cast<int>(length);
}

AnsiString TRegistry::ReadString(const AnsiString& name) {
    const int size = GetDataSize(name);
    if (size < 0) return AnsiString();
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    int length = size;
    ReadValue(name, buffer.data(), length, REG_SZ);
    while (length > 0 && buffer[length - 1] == '\0') --length;
    return AnsiString(buffer.data(), length);
}

int TRegistry::ReadInteger(const AnsiString& name) {
    DWORD value = 0;
    int size = sizeof(value);
    ReadValue(name, &value, size, REG_DWORD);
    return static_cast<int>(value);
}

bool TRegistry::ReadBool(const AnsiString& name) { return ReadInteger(name) != 0; }

int TRegistry::ReadBinaryData(const AnsiString& name, void* buffer, int bufferSize) {
    const TRegDataType type = GetDataType(name);
    const int size = GetDataSize(name);
    if ((type != rdBinary && type != rdUnknown) || size < 0 || size > bufferSize)
        InvalidDataType(name);
    int length = bufferSize;
    ReadValue(name, buffer, length, REG_BINARY);
    return length;
}

void TRegistry::WriteValue(const AnsiString& name, const void* data, int size,
                           unsigned long type) {
    if (!currentKey_ || RegSetValueExA(AsHkey(currentKey_), name.c_str(), 0, type,
                                       static_cast<const BYTE*>(data),
                                       static_cast<DWORD>(size)) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value) {
    WriteValue(name, value.c_str(), value.Length() + 1, REG_SZ);
}

void TRegistry::WriteExpandString(const AnsiString& name, const AnsiString& value) {
    WriteValue(name, value.c_str(), value.Length() + 1, REG_EXPAND_SZ);
}

void TRegistry::WriteInteger(const AnsiString& name, int value) {
    const DWORD data = static_cast<DWORD>(value);
    WriteValue(name, &data, sizeof(data), REG_DWORD);
}

void TRegistry::WriteBool(const AnsiString& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteBinaryData(const AnsiString& name, const void* buffer, int bufferSize) {
    WriteValue(name, buffer, bufferSize, REG_BINARY);
}

// ---- TRegistryIniFile ----

TRegistryIniFile::TRegistryIniFile(const AnsiString& keyName)
    : TRegistryIniFile(keyName, KEY_ALL_ACCESS) {}

TRegistryIniFile::TRegistryIniFile(const AnsiString& keyName, unsigned long access)
    : TCustomIniFile(keyName), registry_(new TRegistry(access)),
      basePath_(StripLeadingBackslash(keyName)) {
    const bool canWrite = (access & KEY_SET_VALUE) != 0;
    if (canWrite)
        registry_->OpenKey("\\" + basePath_, true);
    else
        registry_->OpenKeyReadOnly("\\" + basePath_);
}

TRegistryIniFile::~TRegistryIniFile() { registry_->Free(); }

bool TRegistryIniFile::OpenSection(TRegistry& registry, const AnsiString& section,
                                   bool canCreate) const {
    registry.SetRootKey(registry_->RootKey());
    const AnsiString path = "\\" + basePath_ + (section.IsEmpty() ? "" : "\\" + section);
    return registry.OpenKey(path, canCreate);
}

AnsiString TRegistryIniFile::ReadString(const AnsiString& section, const AnsiString& ident,
                                        const AnsiString& defaultValue) {
    TRegistry registry(KEY_READ);
    if (!OpenSection(registry, section, false) || !registry.ValueExists(ident))
        return defaultValue;
    switch (registry.GetDataType(ident)) {
    case rdString:
    case rdExpandString: return registry.ReadString(ident);
    case rdInteger: return IntToStr(registry.ReadInteger(ident));
    default: return defaultValue;
    }
}

void TRegistryIniFile::WriteString(const AnsiString& section, const AnsiString& ident,
                                   const AnsiString& value) {
    TRegistry registry(registry_->Access());
    if (!OpenSection(registry, section, true))
        throw ERegistryException("Failed to create key " + section);
    registry.WriteString(ident, value);
}

int TRegistryIniFile::ReadInteger(const AnsiString& section, const AnsiString& ident,
                                  int defaultValue) {
    TRegistry registry(KEY_READ);
    if (OpenSection(registry, section, false) && registry.GetDataType(ident) == rdInteger)
        return registry.ReadInteger(ident);
    return TCustomIniFile::ReadInteger(section, ident, defaultValue);
}

void TRegistryIniFile::WriteInteger(const AnsiString& section, const AnsiString& ident,
                                    int value) {
    TRegistry registry(registry_->Access());
    if (!OpenSection(registry, section, true))
        throw ERegistryException("Failed to create key " + section);
    registry.WriteInteger(ident, value);
}

void TRegistryIniFile::ReadSection(const AnsiString& section, TStrings* strings) {
    TRegistry registry(KEY_READ);
    strings->Clear();
    if (OpenSection(registry, section, false)) registry.GetValueNames(strings);
}

void TRegistryIniFile::ReadSections(TStrings* strings) {
    TRegistry registry(KEY_READ);
    strings->Clear();
    if (OpenSection(registry, "", false)) registry.GetKeyNames(strings);
}

void TRegistryIniFile::EraseSection(const AnsiString& section) {
    TRegistry registry(registry_->Access());
    registry.SetRootKey(registry_->RootKey());
    registry.DeleteKey("\\" + basePath_ + "\\" + section);
}

void TRegistryIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
    TRegistry registry(registry_->Access());
    if (OpenSection(registry, section, false)) registry.DeleteValue(ident);
}
