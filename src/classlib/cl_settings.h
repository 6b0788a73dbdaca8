// Settings storage: the INI-file interface, the INI file over the system's profile functions
// (every read and write goes straight to the file), the registry and an INI view of a key.
#pragma once

#include <cstdint>

#include "cl_component.h"
#include "cl_datetime.h"

class TStrings;
class TStream;
struct HKEY__;

// Values by section and name. Missing values read as the given default.
class TCustomIniFile : public TObject {
    CL_CLASS(TCustomIniFile, TObject)

    explicit TCustomIniFile(const AnsiString& fileName) : fileName_(fileName) {}
    const AnsiString& FileName() const { return fileName_; }

    virtual AnsiString ReadString(const AnsiString& section, const AnsiString& ident,
                                  const AnsiString& defaultValue) = 0;
    virtual void WriteString(const AnsiString& section, const AnsiString& ident,
                             const AnsiString& value) = 0;
    // Decimal, or hexadecimal after "0x"/"0X"; any other text, the empty one included, and a
    // value outside 32 bits read as the default.
    virtual int ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue);
    // Decimal text.
    virtual void WriteInteger(const AnsiString& section, const AnsiString& ident, int value);
    // An integer other than 0 is true; text that is no integer reads as the default.
    virtual bool ReadBool(const AnsiString& section, const AnsiString& ident, bool defaultValue);
    // "1" or "0".
    virtual void WriteBool(const AnsiString& section, const AnsiString& ident, bool value);
    // StrToFloat with the system's decimal separator; empty or bad text reads as the default.
    virtual double ReadFloat(const AnsiString& section, const AnsiString& ident,
                             double defaultValue);
    // FloatToStr: up to 15 significant digits, the system's decimal separator.
    virtual void WriteFloat(const AnsiString& section, const AnsiString& ident, double value);
    virtual TDateTime ReadDate(const AnsiString& section, const AnsiString& ident,
                               TDateTime defaultValue);
    virtual TDateTime ReadTime(const AnsiString& section, const AnsiString& ident,
                               TDateTime defaultValue);
    virtual TDateTime ReadDateTime(const AnsiString& section, const AnsiString& ident,
                                   TDateTime defaultValue);
    virtual void WriteDate(const AnsiString& section, const AnsiString& ident, TDateTime value);
    virtual void WriteTime(const AnsiString& section, const AnsiString& ident, TDateTime value);
    virtual void WriteDateTime(const AnsiString& section, const AnsiString& ident,
                               TDateTime value);
    // Binary values as hexadecimal text; returns the number of bytes read into the stream.
    virtual int ReadBinaryStream(const AnsiString& section, const AnsiString& ident,
                                 TStream* value);
    virtual void WriteBinaryStream(const AnsiString& section, const AnsiString& ident,
                                   TStream* value);

    // The names in a section, and the sections in the file.
    virtual void ReadSection(const AnsiString& section, TStrings* strings) = 0;
    virtual void ReadSections(TStrings* strings) = 0;
    // Replaces the list with the section's "name=value" lines.
    virtual void ReadSectionValues(const AnsiString& section, TStrings* strings);
    virtual void EraseSection(const AnsiString& section) = 0;
    virtual void DeleteKey(const AnsiString& section, const AnsiString& ident) = 0;
    virtual void UpdateFile() = 0;
    // A section exists when it has at least one value.
    bool SectionExists(const AnsiString& section);
    virtual bool ValueExists(const AnsiString& section, const AnsiString& ident);

private:
    AnsiString fileName_;
};

// The INI file over GetPrivateProfileString/WritePrivateProfileString, without a cache. Give
// it a full path: a bare name makes the system look in the Windows folder. A refused write
// raises EIniFileException "Unable to write to <file name>".
class TIniFile : public TCustomIniFile {
    CL_CLASS(TIniFile, TCustomIniFile)

    explicit TIniFile(const AnsiString& fileName) : TCustomIniFile(fileName) {}

    AnsiString ReadString(const AnsiString& section, const AnsiString& ident,
                          const AnsiString& defaultValue) override;
    void WriteString(const AnsiString& section, const AnsiString& ident,
                     const AnsiString& value) override;
    void ReadSection(const AnsiString& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void EraseSection(const AnsiString& section) override;
    void DeleteKey(const AnsiString& section, const AnsiString& ident) override;
    void UpdateFile() override;
};

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

// A registry key opened relative to RootKey (HKEY_CURRENT_USER unless changed). Key paths
// starting with '\' are absolute, others relative to the current key.
class TRegistry : public TObject {
    CL_CLASS(TRegistry, TObject)

    TRegistry();
    explicit TRegistry(unsigned long access);
    ~TRegistry() override;

    HKEY__* RootKey() const { return rootKey_; }
    void SetRootKey(HKEY__* rootKey);
    HKEY__* CurrentKey() const { return currentKey_; }
    const AnsiString& CurrentPath() const { return currentPath_; }
    unsigned long Access() const { return access_; }
    void SetAccess(unsigned long access) { access_ = access; }

    bool OpenKey(const AnsiString& key, bool canCreate);
    bool OpenKeyReadOnly(const AnsiString& key);
    void CloseKey();
    bool KeyExists(const AnsiString& key);
    bool CreateKey(const AnsiString& key);
    bool DeleteKey(const AnsiString& key);
    bool HasSubKeys();
    void GetKeyNames(TStrings* strings);
    void GetValueNames(TStrings* strings);
    bool ValueExists(const AnsiString& name);
    bool DeleteValue(const AnsiString& name);
    TRegDataType GetDataType(const AnsiString& name);
    // -1 when the value does not exist.
    int GetDataSize(const AnsiString& name);

    // A value of another type raises ERegistryException, and so does a missing one, except
    // for ReadString, which gives an empty text.
    AnsiString ReadString(const AnsiString& name);
    int ReadInteger(const AnsiString& name);
    bool ReadBool(const AnsiString& name);
    // Raises ERegistryException when the value is larger than the buffer or not binary.
    int ReadBinaryData(const AnsiString& name, void* buffer, int bufferSize);
    void WriteString(const AnsiString& name, const AnsiString& value);
    void WriteExpandString(const AnsiString& name, const AnsiString& value);
    void WriteInteger(const AnsiString& name, int value);
    void WriteBool(const AnsiString& name, bool value);
    void WriteBinaryData(const AnsiString& name, const void* buffer, int bufferSize);

private:
    HKEY__* BaseKeyFor(const AnsiString& key, AnsiString& relative) const;
    HKEY__* OpenSubKey(const AnsiString& key, bool canCreate, unsigned long access);
    void ChangeKey(HKEY__* key, const AnsiString& path);
    void ReadValue(const AnsiString& name, void* buffer, int& size, unsigned long expectedType);
    void WriteValue(const AnsiString& name, const void* data, int size, unsigned long type);

    HKEY__* rootKey_;
    HKEY__* currentKey_ = nullptr;
    AnsiString currentPath_;
    unsigned long access_;
};

// An INI view of a registry key: section = subkey, ident = named value. Integers are stored
// as DWORD values; missing values read as the default.
class TRegistryIniFile : public TCustomIniFile {
    CL_CLASS(TRegistryIniFile, TCustomIniFile)

    explicit TRegistryIniFile(const AnsiString& keyName);
    TRegistryIniFile(const AnsiString& keyName, unsigned long access);
    ~TRegistryIniFile() override;
    TRegistry* RegIniFile() const { return registry_; }

    AnsiString ReadString(const AnsiString& section, const AnsiString& ident,
                          const AnsiString& defaultValue) override;
    void WriteString(const AnsiString& section, const AnsiString& ident,
                     const AnsiString& value) override;
    int ReadInteger(const AnsiString& section, const AnsiString& ident, int defaultValue) override;
    void WriteInteger(const AnsiString& section, const AnsiString& ident, int value) override;
    void ReadSection(const AnsiString& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void EraseSection(const AnsiString& section) override;
    void DeleteKey(const AnsiString& section, const AnsiString& ident) override;
    void UpdateFile() override {}

private:
    // Opens the section's key below the base key; false when it does not exist.
    bool OpenSection(TRegistry& registry, const AnsiString& section, bool canCreate) const;

    TRegistry* registry_;
    AnsiString basePath_;
};
