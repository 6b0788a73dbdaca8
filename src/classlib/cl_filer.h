// Component streaming: a small tagged binary value format, the reader and writer of values,
// published properties, defined properties and whole component trees.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "cl_component.h"
#include "cl_streams.h"

// The tag in front of every value. A stream of components opens with the signature "CLF1";
// names (classes, components, properties) are written as a length byte and the characters,
// and a list of properties or components ends with a zero byte (vaNull).
//   vaNull        end of a list
//   vaList        values up to vaNull
//   vaInt8/16/32/64  little-endian two's complement
//   vaDouble      8-byte IEEE double
//   vaString      length byte, characters; vaLString: 32-bit length, characters
//   vaIdent       length byte, characters
//   vaFalse, vaTrue, vaNil
//   vaBinary      32-bit length, bytes
//   vaSet         identifiers (length byte, characters) up to an empty one
//   vaCollection  items, each a vaList of properties, up to vaNull
enum TValueType : uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaInt64, vaDouble, vaString, vaLString, vaIdent,
    vaFalse, vaTrue, vaNil, vaBinary, vaSet, vaCollection
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader* reader)>;
using TWriterProc = std::function<void(TWriter* writer)>;
using TStreamProc = std::function<void(TStream* stream)>;

// What the reader and the writer share: the stream, the root of the tree, the ancestor the
// written values are compared with, and the defined properties of DefineProperties.
class TFiler : public TObject {
    CL_CLASS(TFiler, TObject)

    explicit TFiler(TStream* stream) : stream_(stream) {}
    TStream* Stream() const { return stream_; }
    TComponent* Root() const { return root_; }
    void SetRoot(TComponent* root) { root_ = root; }
    // The object whose values a writer leaves out when equal (null: compare with defaults).
    TPersistent* Ancestor() const { return ancestor_; }
    void SetAncestor(TPersistent* ancestor) { ancestor_ = ancestor; }

    // A property that the published ones cannot express: the reader calls `read` when the
    // stream holds it; the writer calls `write` after the name when `hasData` says so.
    virtual void DefineProperty(const AnsiString& name, const TReaderProc& read,
                                const TWriterProc& write, bool hasData) = 0;
    // The same as raw bytes: `read` gets a stream over exactly the stored bytes.
    virtual void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read,
                                      const TStreamProc& write, bool hasData) = 0;

protected:
    TStream* stream_;
    TComponent* root_ = nullptr;
    TPersistent* ancestor_ = nullptr;
    // "Font." while the properties of a sub-object are handled.
    AnsiString propPath_;
};

// Reads values and components. Every read is checked against the stream: a wrong tag, a
// length beyond the end, an unknown class or property raises EReadError with a clear text.
class TReader : public TFiler {
    CL_CLASS(TReader, TFiler)

    // The buffer size is accepted for the callers' sake; values are read straight from the
    // stream, which is left just after the last value read.
    explicit TReader(TStream* stream, int bufferSize = 1024);

    TValueType NextValue();
    TValueType ReadValue();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    // Any integer tag; raises for an integer that does not fit 32 bits.
    int ReadInteger();
    int64_t ReadInt64();
    // A double or an integer.
    double ReadFloat();
    AnsiString ReadString();
    // vaIdent, or the words "False", "True", "nil", "Null" for those tags.
    AnsiString ReadIdent();
    bool ReadBoolean();
    char ReadChar();
    // The names of a set, in stream order.
    std::vector<AnsiString> ReadSet();
    // The bytes of a vaBinary value.
    std::vector<uint8_t> ReadBinary();
    // Skips one value of any kind.
    void SkipValue();
    // A raw name: length byte and characters.
    AnsiString ReadStr();

    // One "name value" pair into `instance`: a published property (sub-objects by dotted
    // name) or one that the instance's DefineProperties defines.
    void ReadProperty(TPersistent* instance);
    // The properties up to their end marker, then the child components up to theirs.
    void ReadData(TComponent* instance);
    // A child component: created by its class name (owned by Owner) unless the owner already
    // holds one of that name and class, then its state.
    TComponent* ReadComponent(TComponent* component);
    // The signature and the root component; creates the root when `root` is null. Component
    // references are resolved and Loaded runs on every component read, the root last.
    TComponent* ReadRootComponent(TComponent* root);
    void ReadSignature();

    // Owner of the components read, and the parent a control read now is placed on.
    TComponent* Owner() const { return owner_; }
    void SetOwner(TComponent* owner) { owner_ = owner; }
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent) { parent_ = parent; }
    // The name of the property being read (for DefineProperties).
    const AnsiString& PropName() const { return propName_; }

    void DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read,
                              const TStreamProc& write, bool hasData) override;

private:
    struct Fixup {
        TObject* instance;
        const TPropertyInfo* property;
        AnsiString name;
    };
    void ReadBytes(void* buffer, int64_t count);
    uint64_t ReadUnsigned(int size);
    int64_t ReadLength(int64_t length);
    bool ReadPublished(TPersistent* instance, const AnsiString& name);
    void ReadPropertyValue(TPersistent* instance, const TPropertyInfo& property);
    void ReadCollection(class TCollection* collection);
    void ResolveFixups();
    [[noreturn]] void PropertyError(TPersistent* instance, const AnsiString& text);

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    AnsiString propName_;
    bool propertyRead_ = false;
    std::vector<Fixup> fixups_;
    std::vector<TComponent*> loaded_;
};

// Writes values and components in the reader's format.
class TWriter : public TFiler {
    CL_CLASS(TWriter, TFiler)

    explicit TWriter(TStream* stream, int bufferSize = 1024);

    void WriteValue(TValueType value);
    void WriteListBegin();
    void WriteListEnd();
    // In the smallest integer tag that holds it.
    void WriteInteger(int64_t value);
    void WriteFloat(double value);
    void WriteString(const AnsiString& value);
    // An identifier; "False", "True", "nil" and "Null" become their tags.
    void WriteIdent(const AnsiString& ident);
    void WriteBoolean(bool value);
    void WriteChar(char value);
    void WriteSet(const std::vector<AnsiString>& names);
    void WriteBinary(const void* data, int size);
    // A raw name: length byte and characters (at most 255).
    void WriteStr(const AnsiString& value);
    void WritePropName(const AnsiString& name);

    // The published properties that differ from the defaults (or from Ancestor's values),
    // then those of the instance's DefineProperties. No end marker.
    void WriteProperties(TPersistent* instance);
    // Class name, name, properties, end marker, the children (GetChildren), end marker.
    void WriteData(TComponent* instance);
    void WriteComponent(TComponent* component);
    void WriteRootComponent(TComponent* root);
    void WriteSignature();

    void DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read,
                              const TStreamProc& write, bool hasData) override;

private:
    void WriteBytes(const void* data, int64_t count);
    void WritePublished(TPersistent* instance, const TPropertyInfo& property,
                        TPersistent* ancestor);
    void WriteCollection(class TCollection* collection);
};

// Writes a component tree whole; reads one into `instance` (or a new root when null).
void WriteComponentToStream(TStream* stream, TComponent* instance);
TComponent* ReadComponentFromStream(TStream* stream, TComponent* instance,
                                    TComponent* owner = nullptr);
