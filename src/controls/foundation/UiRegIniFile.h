// The settings store: one read/write interface over an INI file or a registry key, opened
// lazily and reopened after any change of its properties.
#pragma once

#include "UiCommon.h"
#include "cl_component.h"
#include "cl_settings.h"

class TStrings;
class TStream;

class TUiRegIniFile : public TComponent {
    CL_COMPONENT_CLASS(TUiRegIniFile, TComponent)

    explicit TUiRegIniFile(TComponent* owner);

    const AnsiString& Path() const { return path_; }
    virtual void SetPath(const AnsiString& path);
    TUiPathType PathType() const { return pathType_; }
    virtual void SetPathType(TUiPathType pathType);
    TUiRegKey RegKey() const { return regKey_; }
    virtual void SetRegKey(TUiRegKey regKey);
    TUiRegAccess RegAccess() const { return regAccess_; }
    virtual void SetRegAccess(TUiRegAccess regAccess);

    bool SectionExists(const AnsiString& section);
    bool ValueExists(const AnsiString& section, const AnsiString& name);
    bool ReadBool(const AnsiString& section, const AnsiString& name, bool defaultValue);
    void WriteBool(const AnsiString& section, const AnsiString& name, bool value);
    int ReadInteger(const AnsiString& section, const AnsiString& name, int defaultValue);
    void WriteInteger(const AnsiString& section, const AnsiString& name, int value);
    AnsiString ReadString(const AnsiString& section, const AnsiString& name,
                          const AnsiString& defaultValue);
    void WriteString(const AnsiString& section, const AnsiString& name, const AnsiString& value);
    double ReadFloat(const AnsiString& section, const AnsiString& name, double defaultValue);
    void WriteFloat(const AnsiString& section, const AnsiString& name, double value);
    TDateTime ReadDate(const AnsiString& section, const AnsiString& name, TDateTime defaultValue);
    void WriteDate(const AnsiString& section, const AnsiString& name, TDateTime value);
    TDateTime ReadTime(const AnsiString& section, const AnsiString& name, TDateTime defaultValue);
    void WriteTime(const AnsiString& section, const AnsiString& name, TDateTime value);
    TDateTime ReadDateTime(const AnsiString& section, const AnsiString& name,
                           TDateTime defaultValue);
    void WriteDateTime(const AnsiString& section, const AnsiString& name, TDateTime value);
    int ReadBinaryStream(const AnsiString& section, const AnsiString& name, TStream* value);
    void WriteBinaryStream(const AnsiString& section, const AnsiString& name, TStream* value);
    void ReadSection(const AnsiString& section, TStrings* strings);
    void ReadSections(TStrings* strings);
    void EraseSection(const AnsiString& section);
    void DeleteKey(const AnsiString& section, const AnsiString& name);
    // INI form: the list becomes the section's name=value lines. Registry form: one line per
    // value of the section's key, in name order, appended to the list.
    void ReadSectionValues(const AnsiString& section, TStrings* strings);

protected:
    ~TUiRegIniFile() override;

private:
    // The open store, (re)opened when a property changed.
    TCustomIniFile* CheckAccess();
    void CloseStore();
    void ReadRegistrySectionValues(const AnsiString& section, TStrings* strings);

    AnsiString path_;
    TUiPathType pathType_ = ptIniFile;
    TUiRegKey regKey_ = hkeyCurrentUser;
    TUiRegAccess regAccess_ = DefaultRegAccess;
    TIniFile* iniFile_ = nullptr;
    TRegistryIniFile* regIniFile_ = nullptr;
    bool refresh_ = true;
};

// The registry root of a TUiRegKey and the access mask of a TUiRegAccess.
HKEY RegKeyRoot(TUiRegKey key);
unsigned long RegAccessMask(TUiRegAccess access);
