#include "UiRegIniFile.h"

#include <algorithm>

#include "cl_forms.h"
#include "cl_lists.h"
#include "cl_sys.h"

namespace {

const unsigned long AccessMasks[] = {0x0001, 0x0002, 0x0004, 0x0008, 0x0010,
                                     0x0020, 0x20019, 0x20006, 0x20019, 0xF003F};

AnsiString DefaultRegistryPath() {
    AnsiString title = Application ? Application->Title() : AnsiString();
    if (title.IsEmpty()) title = ChangeFileExt(ExtractFileName(ExeFileName()), "");
    return "\\Software\\Temp\\" + title;
}

AnsiString BinaryText(const std::vector<uint8_t>& bytes) {
    AnsiString text;
    for (uint8_t byte : bytes) text += IntToHex(byte, 2) + " ";
    return text;
}

}  // namespace

HKEY RegKeyRoot(TUiRegKey key) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000000u + key)));
}

unsigned long RegAccessMask(TUiRegAccess access) {
    unsigned long mask = 0;
    for (int key = keyQueryValue; key <= keyAllAccess; ++key)
        if (access & (1u << key)) mask |= AccessMasks[key];
    return mask;
}

TUiRegIniFile::TUiRegIniFile(TComponent* owner) : TComponent(owner) {}

TUiRegIniFile::~TUiRegIniFile() { CloseStore(); }

void TUiRegIniFile::SetPath(const AnsiString& path) {
    if (path == path_) return;
    path_ = path;
    refresh_ = true;
}

void TUiRegIniFile::SetPathType(TUiPathType pathType) {
    if (pathType == pathType_) return;
    pathType_ = pathType;
    refresh_ = true;
}

void TUiRegIniFile::SetRegKey(TUiRegKey regKey) {
    if (regKey == regKey_) return;
    regKey_ = regKey;
    refresh_ = true;
}

void TUiRegIniFile::SetRegAccess(TUiRegAccess regAccess) {
    if (regAccess == regAccess_) return;
    regAccess_ = regAccess;
    refresh_ = true;
}

void TUiRegIniFile::CloseStore() {
    delete iniFile_;
    iniFile_ = nullptr;
    delete regIniFile_;
    regIniFile_ = nullptr;
}

TCustomIniFile* TUiRegIniFile::CheckAccess() {
    if (refresh_) {
        CloseStore();
        AnsiString path = path_;
        if (pathType_ == ptRegistry) {
            if (path.IsEmpty()) path = DefaultRegistryPath();
            const unsigned long mask = RegAccessMask(regAccess_);
            regIniFile_ = new TRegistryIniFile(path, mask);
            TRegistry* registry = regIniFile_->RegIniFile();
            registry->SetRootKey(RegKeyRoot(regKey_));
            const AnsiString absolute = path.IsEmpty() || path[1] != '\\' ? "\\" + path : path;
            registry->OpenKey(absolute, true);
        } else {
            if (path.IsEmpty()) path = ChangeFileExt(ExeFileName(), ".ini");
            iniFile_ = new TIniFile(path);
        }
        path_ = path;
        refresh_ = false;
    }
    return pathType_ == ptRegistry ? static_cast<TCustomIniFile*>(regIniFile_) : iniFile_;
}

bool TUiRegIniFile::SectionExists(const AnsiString& section) {
    return CheckAccess()->SectionExists(section);
}
bool TUiRegIniFile::ValueExists(const AnsiString& section, const AnsiString& name) {
    return CheckAccess()->ValueExists(section, name);
}
bool TUiRegIniFile::ReadBool(const AnsiString& section, const AnsiString& name, bool def) {
    return CheckAccess()->ReadBool(section, name, def);
}
void TUiRegIniFile::WriteBool(const AnsiString& section, const AnsiString& name, bool value) {
    CheckAccess()->WriteBool(section, name, value);
}
int TUiRegIniFile::ReadInteger(const AnsiString& section, const AnsiString& name, int def) {
    return CheckAccess()->ReadInteger(section, name, def);
}
void TUiRegIniFile::WriteInteger(const AnsiString& section, const AnsiString& name, int value) {
    CheckAccess()->WriteInteger(section, name, value);
}
AnsiString TUiRegIniFile::ReadString(const AnsiString& section, const AnsiString& name,
                                     const AnsiString& def) {
    return CheckAccess()->ReadString(section, name, def);
}
void TUiRegIniFile::WriteString(const AnsiString& section, const AnsiString& name,
                                const AnsiString& value) {
    CheckAccess()->WriteString(section, name, value);
}
double TUiRegIniFile::ReadFloat(const AnsiString& section, const AnsiString& name, double def) {
    return CheckAccess()->ReadFloat(section, name, def);
}
void TUiRegIniFile::WriteFloat(const AnsiString& section, const AnsiString& name, double value) {
    CheckAccess()->WriteFloat(section, name, value);
}
TDateTime TUiRegIniFile::ReadDate(const AnsiString& section, const AnsiString& name,
                                  TDateTime def) {
    return CheckAccess()->ReadDate(section, name, def);
}
void TUiRegIniFile::WriteDate(const AnsiString& section, const AnsiString& name,
                              TDateTime value) {
    CheckAccess()->WriteDate(section, name, value);
}
TDateTime TUiRegIniFile::ReadTime(const AnsiString& section, const AnsiString& name,
                                  TDateTime def) {
    return CheckAccess()->ReadTime(section, name, def);
}
void TUiRegIniFile::WriteTime(const AnsiString& section, const AnsiString& name,
                              TDateTime value) {
    CheckAccess()->WriteTime(section, name, value);
}
TDateTime TUiRegIniFile::ReadDateTime(const AnsiString& section, const AnsiString& name,
                                      TDateTime def) {
    return CheckAccess()->ReadDateTime(section, name, def);
}
void TUiRegIniFile::WriteDateTime(const AnsiString& section, const AnsiString& name,
                                  TDateTime value) {
    CheckAccess()->WriteDateTime(section, name, value);
}
int TUiRegIniFile::ReadBinaryStream(const AnsiString& section, const AnsiString& name,
                                    TStream* value) {
    return CheckAccess()->ReadBinaryStream(section, name, value);
}
void TUiRegIniFile::WriteBinaryStream(const AnsiString& section, const AnsiString& name,
                                      TStream* value) {
    CheckAccess()->WriteBinaryStream(section, name, value);
}
void TUiRegIniFile::ReadSection(const AnsiString& section, TStrings* strings) {
    CheckAccess()->ReadSection(section, strings);
}
void TUiRegIniFile::ReadSections(TStrings* strings) { CheckAccess()->ReadSections(strings); }
void TUiRegIniFile::EraseSection(const AnsiString& section) {
    CheckAccess()->EraseSection(section);
}
void TUiRegIniFile::DeleteKey(const AnsiString& section, const AnsiString& name) {
    CheckAccess()->DeleteKey(section, name);
}

void TUiRegIniFile::ReadSectionValues(const AnsiString& section, TStrings* strings) {
    TCustomIniFile* store = CheckAccess();
    if (pathType_ == ptRegistry)
        ReadRegistrySectionValues(section, strings);
    else
        store->ReadSectionValues(section, strings);
}

void TUiRegIniFile::ReadRegistrySectionValues(const AnsiString& section, TStrings* strings) {
    TRegistry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(RegKeyRoot(regKey_));
    AnsiString key = path_;
    if (key.IsEmpty() || key[key.Length()] != '\\') key += "\\";
    key += section;
    if (key[1] != '\\') key = "\\" + key;
    if (!registry.OpenKey(key, false)) return;
    registry.CloseKey();
    registry.OpenKey(key, false);
    TStringList names;
    registry.GetValueNames(&names);
    names.Sort();
    strings->BeginUpdate();
    try {
        for (int i = 0; i < names.Count(); ++i) {
            const AnsiString name = names.Strings(i);
            const AnsiString shown = name.IsEmpty() ? AnsiString("Default") : name;
            switch (registry.GetDataType(name)) {
            case rdString:
            case rdExpandString: strings->Add(shown + "=" + registry.ReadString(name)); break;
            case rdInteger: strings->Add(shown + "=" + IntToStr(registry.ReadInteger(name))); break;
            case rdBinary: {
                std::vector<uint8_t> bytes(std::max(registry.GetDataSize(name), 0));
                if (!bytes.empty())
                    registry.ReadBinaryData(name, bytes.data(), static_cast<int>(bytes.size()));
                strings->Add(shown + "=" + BinaryText(bytes));
                break;
            }
            default: strings->Add(shown + "=Unknown Data Type"); break;
            }
        }
    } catch (...) {
        strings->EndUpdate();
        throw;
    }
    strings->EndUpdate();
}

namespace {

// The store's published properties, for the component streams.
const bool regIniFilePropertiesRegistered = [] {
    using C = TUiRegIniFile;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, StringProperty<C>("Path", &C::Path, &C::SetPath));
    RegisterProperty(meta, EnumProperty<C>("PathType", &C::PathType, &C::SetPathType,
                                           {"ptIniFile", "ptRegistry"}, ptIniFile));
    RegisterProperty(meta, EnumProperty<C>("RegKey", &C::RegKey, &C::SetRegKey,
                                           {"hkeyClassesRoot", "hkeyCurrentUser",
                                            "hkeyLocalMachine", "hkeyUsers",
                                            "hkeyPerformanceData", "hkeyCurrentConfig",
                                            "hkeyDynData"},
                                           hkeyCurrentUser));
    RegisterProperty(meta, OrdinalProperty<C>("RegAccess", pkSet, &C::RegAccess,
                                              &C::SetRegAccess, DefaultRegAccess));
    return true;
}();

}  // namespace
