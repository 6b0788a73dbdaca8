#include "cl_filer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "cl_graphics.h"
#include "cl_lists.h"

namespace {

const char kSignature[4] = {'C', 'L', 'F', '1'};

// The unit's texts.
const char* const SInvalidStream = "Invalid stream format";
const char* const SInvalidValue = "Invalid property value";
const char* const SInvalidLength = "Invalid length %d in stream";
const char* const SIntegerRange = "Integer value out of range in stream";
const char* const SUnknownProperty = "Property %s does not exist";
const char* const SPropertyError = "Error reading %s.%s: %s";
const char* const SClassNotFound = "Class %s not found";
const char* const SNameTooLong = "Name too long for stream: %s";

void StoreLittleEndian(uint8_t* bytes, uint64_t value, int count) {
    for (int i = 0; i < count; ++i, value >>= 8) bytes[i] = static_cast<uint8_t>(value);
}

AnsiString JoinNames(const std::vector<AnsiString>& names) {
    AnsiString text;
    for (size_t i = 0; i < names.size(); ++i) text += (i ? "," : "") + names[i];
    return text;
}

std::vector<AnsiString> SplitNames(const AnsiString& text) {
    std::vector<AnsiString> names;
    AnsiString rest = text;
    while (!rest.IsEmpty()) {
        const int comma = rest.Pos(",");
        const AnsiString name = Trim(comma ? rest.SubString(1, comma - 1) : rest);
        if (!name.IsEmpty()) names.push_back(name);
        rest = comma ? rest.SubString(comma + 1, rest.Length()) : AnsiString();
    }
    return names;
}

AnsiString ObjectName(TPersistent* instance) {
    if (auto* component = dynamic_cast<TComponent*>(instance))
        if (!component->Name().IsEmpty()) return component->Name();
    return instance ? instance->ClassName() : AnsiString("nil");
}

bool SameClassOrNull(TPersistent* ancestor, TPersistent* instance) {
    return ancestor && ancestor->ClassType() == instance->ClassType();
}

// The name under which a component's writer records it.
AnsiString ReferenceName(TComponent* component, TComponent* root) {
    if (!component) return AnsiString();
    if (component == root || component->Owner() == root || !component->Owner())
        return component->Name();
    return component->Owner()->Name() + "." + component->Name();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TReader

TReader::TReader(TStream* stream, int) : TFiler(stream) {}

void TReader::ReadBytes(void* buffer, int64_t count) {
    if (count <= 0) return;
    if (count > stream_->Size() - stream_->Position()) throw EReadError("Stream read error");
    stream_->ReadBuffer(buffer, static_cast<int>(count));
}

int64_t TReader::ReadLength(int64_t length) {
    if (length < 0 || length > stream_->Size() - stream_->Position())
        throw EReadError(SInvalidLength, static_cast<int>(length));
    return length;
}

TValueType TReader::ReadValue() {
    uint8_t tag = 0;
    ReadBytes(&tag, 1);
    if (tag > vaCollection) throw EReadError(SInvalidValue);
    return static_cast<TValueType>(tag);
}

TValueType TReader::NextValue() {
    const TValueType value = ReadValue();
    stream_->Seek(-1, soCurrent);
    return value;
}

// Between properties the byte ahead is a name's length byte, which may be any value; only a
// zero ends the list.
bool TReader::EndOfList() {
    uint8_t next = 0;
    ReadBytes(&next, 1);
    stream_->Seek(-1, soCurrent);
    return next == vaNull;
}

void TReader::ReadListBegin() {
    if (ReadValue() != vaList) throw EReadError(SInvalidValue);
}

void TReader::ReadListEnd() {
    if (ReadValue() != vaNull) throw EReadError(SInvalidValue);
}

uint64_t TReader::ReadUnsigned(int size) {
    uint8_t bytes[8];
    ReadBytes(bytes, size);
    uint64_t value = 0;
    for (int i = size; i-- > 0;) value = (value << 8) | bytes[i];
    return value;
}

int64_t TReader::ReadInt64() {
    switch (ReadValue()) {
    case vaInt8: return static_cast<int8_t>(ReadUnsigned(1));
    case vaInt16: return static_cast<int16_t>(ReadUnsigned(2));
    case vaInt32: return static_cast<int32_t>(ReadUnsigned(4));
    case vaInt64: return static_cast<int64_t>(ReadUnsigned(8));
    default: throw EReadError(SInvalidValue);
    }
}

int TReader::ReadInteger() {
    const int64_t value = ReadInt64();
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw EReadError(SIntegerRange);
    return static_cast<int>(value);
}

double TReader::ReadFloat() {
    if (NextValue() != vaDouble) return static_cast<double>(ReadInt64());
    ReadValue();
    const uint64_t bits = ReadUnsigned(8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

AnsiString TReader::ReadStr() {
    uint8_t length = 0;
    ReadBytes(&length, 1);
    AnsiString text;
    text.SetLength(length);
    if (length) ReadBytes(&text[1], length);
    return text;
}

AnsiString TReader::ReadString() {
    int64_t length = 0;
    switch (ReadValue()) {
    case vaString:
        length = static_cast<int64_t>(ReadUnsigned(1));
        break;
    case vaLString:
        length = static_cast<int32_t>(ReadUnsigned(4));
        break;
    default: throw EReadError(SInvalidValue);
    }
    AnsiString text;
    text.SetLength(static_cast<int>(ReadLength(length)));
    if (length) ReadBytes(&text[1], length);
    return text;
}

AnsiString TReader::ReadIdent() {
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: throw EReadError(SInvalidValue);
    }
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: throw EReadError(SInvalidValue);
    }
}

char TReader::ReadChar() {
    const AnsiString text = ReadString();
    if (text.Length() != 1) throw EReadError(SInvalidValue);
    return text[1];
}

std::vector<AnsiString> TReader::ReadSet() {
    if (ReadValue() != vaSet) throw EReadError(SInvalidValue);
    std::vector<AnsiString> names;
    for (AnsiString name = ReadStr(); !name.IsEmpty(); name = ReadStr()) names.push_back(name);
    return names;
}

std::vector<uint8_t> TReader::ReadBinary() {
    if (ReadValue() != vaBinary) throw EReadError(SInvalidValue);
    const int32_t length = static_cast<int32_t>(ReadUnsigned(4));
    std::vector<uint8_t> data(static_cast<size_t>(ReadLength(length)));
    ReadBytes(data.data(), length);
    return data;
}

// Iterative, so that a stream of deeply nested lists cannot exhaust the stack.
void TReader::SkipValue() {
    int depth = 0;
    do {
        switch (NextValue()) {
        case vaList: case vaCollection: ReadValue(); ++depth; break;
        case vaInt8: case vaInt16: case vaInt32: case vaInt64: ReadInt64(); break;
        case vaDouble: ReadFloat(); break;
        case vaString: case vaLString: ReadString(); break;
        case vaIdent: case vaFalse: case vaTrue: case vaNil: case vaNull: ReadIdent(); break;
        case vaBinary: ReadBinary(); break;
        case vaSet: ReadSet(); break;
        }
        for (; depth > 0 && EndOfList(); --depth) ReadListEnd();
    } while (depth > 0);
}

void TReader::ReadSignature() {
    char signature[4];
    ReadBytes(signature, 4);
    if (std::memcmp(signature, kSignature, 4) != 0) throw EReadError(SInvalidStream);
}

void TReader::PropertyError(TPersistent* instance, const AnsiString& text) {
    throw EReadError(SPropertyError, ObjectName(instance), propName_, text);
}

void TReader::ReadProperty(TPersistent* instance) {
    const AnsiString name = ReadStr();
    const AnsiString savedName = propName_;
    propName_ = name;
    try {
        if (!ReadPublished(instance, name)) {
            propertyRead_ = false;
            instance->DefineProperties(this);
            if (!propertyRead_) PropertyError(instance, Format(SUnknownProperty, name));
        }
    } catch (EReadError&) {
        propName_ = savedName;
        throw;
    } catch (Exception& e) {
        PropertyError(instance, e.Message());
    }
    propName_ = savedName;
}

// Dotted names walk into sub-objects: "Font.Size" is Size of the Font.
bool TReader::ReadPublished(TPersistent* instance, const AnsiString& name) {
    const int dot = name.Pos(".");
    const AnsiString head = dot ? name.SubString(1, dot - 1) : name;
    const TPropertyInfo* property = FindProperty(instance, head);
    if (!property) return false;
    if (!dot) {
        ReadPropertyValue(instance, *property);
        return true;
    }
    if (property->Kind != pkObject) return false;
    TPersistent* sub = property->GetSubObject(instance);
    if (!sub) return false;
    const AnsiString rest = name.SubString(dot + 1, name.Length());
    if (ReadPublished(sub, rest)) return true;
    propName_ = rest;
    propertyRead_ = false;
    sub->DefineProperties(this);
    propName_ = name;
    return propertyRead_;
}

void TReader::ReadPropertyValue(TPersistent* instance, const TPropertyInfo& property) {
    switch (property.Kind) {
    case pkInteger:
        return property.SetOrd(instance, ReadInteger());
    case pkBool:
        return property.SetOrd(instance, ReadBoolean() ? 1 : 0);
    case pkColor: {
        if (NextValue() != vaIdent) return property.SetOrd(instance, ReadInteger());
        TColor color = 0;
        if (!IdentToColor(ReadIdent(), color)) throw EReadError(SInvalidValue);
        return property.SetOrd(instance, color);
    }
    case pkEnum:
        return property.SetText(instance, ReadIdent());
    case pkSet:
        return property.SetText(instance, JoinNames(ReadSet()));
    case pkString:
        return property.SetText(instance, ReadString());
    case pkFloat:
        return property.SetFloat(instance, ReadFloat());
    case pkObject: {
        auto* collection = dynamic_cast<TCollection*>(property.GetSubObject(instance));
        if (!collection) throw EReadError(SInvalidValue);
        return ReadCollection(collection);
    }
    case pkComponent: {
        const AnsiString name = ReadIdent();
        if (name == "nil") return property.SetComponent(instance, nullptr);
        fixups_.push_back({instance, &property, name});
        return;
    }
    }
}

void TReader::ReadCollection(TCollection* collection) {
    if (ReadValue() != vaCollection) throw EReadError(SInvalidValue);
    collection->BeginUpdate();
    try {
        collection->Clear();
        while (!EndOfList()) {
            ReadListBegin();
            TCollectionItem* item = collection->Add();
            while (!EndOfList()) ReadProperty(item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

void TReader::DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc&,
                             bool) {
    if (propertyRead_ || !read || !SameText(name, propName_)) return;
    read(this);
    propertyRead_ = true;
}

void TReader::DefineBinaryProperty(const AnsiString& name, const TStreamProc& read,
                                   const TStreamProc&, bool) {
    if (propertyRead_ || !read || !SameText(name, propName_)) return;
    const std::vector<uint8_t> data = ReadBinary();
    TMemoryStream block;
    if (!data.empty()) block.WriteBuffer(data.data(), static_cast<int>(data.size()));
    block.SetPosition(0);
    read(&block);
    propertyRead_ = true;
}

void TReader::ReadData(TComponent* instance) {
    while (!EndOfList()) ReadProperty(instance);
    ReadListEnd();
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
}

TComponent* TReader::ReadComponent(TComponent* component) {
    const AnsiString className = ReadStr();
    const AnsiString name = ReadStr();
    if (!component && owner_) {
        TComponent* existing = owner_->FindComponent(name);
        if (existing && SameText(existing->ClassName(), className)) component = existing;
    }
    bool created = false;
    if (!component) {
        const TMetaClass* metaClass = GetClass(className);
        if (!metaClass || !metaClass->CanCreate())
            throw EReadError(SClassNotFound, className);
        component = CreateComponent(metaClass, owner_);
        created = true;
    }
    try {
        component->IncludeState(csLoading);
        component->IncludeState(csReading);
        if (!name.IsEmpty()) component->SetName(name);
        loaded_.push_back(component);
        component->ReadState(this);
    } catch (...) {
        if (created) {
            loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), component), loaded_.end());
            component->Free();
        }
        throw;
    }
    return component;
}

void TReader::ResolveFixups() {
    for (const Fixup& fixup : fixups_) {
        TComponent* target = nullptr;
        if (root_ && SameText(root_->Name(), fixup.name)) {
            target = root_;
        } else if (root_) {
            const int dot = fixup.name.Pos(".");
            if (!dot) {
                target = root_->FindComponent(fixup.name);
            } else if (TComponent* owner =
                           root_->FindComponent(fixup.name.SubString(1, dot - 1))) {
                target = owner->FindComponent(fixup.name.SubString(dot + 1, fixup.name.Length()));
            }
        }
        if (target) fixup.property->SetComponent(fixup.instance, target);
    }
    fixups_.clear();
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
    ReadSignature();
    const AnsiString className = ReadStr();
    const AnsiString name = ReadStr();
    bool created = false;
    if (!root) {
        const TMetaClass* metaClass = GetClass(className);
        if (!metaClass || !metaClass->CanCreate())
            throw EReadError(SClassNotFound, className);
        root = CreateComponent(metaClass, owner_);
        created = true;
    }
    root_ = root;
    owner_ = root;
    loaded_.clear();
    try {
        if (root->Name().IsEmpty() && !name.IsEmpty()) root->SetName(name);
        root->IncludeState(csLoading);
        root->IncludeState(csReading);
        root->ReadState(this);
        ResolveFixups();
    } catch (...) {
        for (TComponent* component : loaded_) {
            component->ExcludeState(csReading);
            component->ExcludeState(csLoading);
        }
        root->ExcludeState(csReading);
        root->ExcludeState(csLoading);
        if (created) root->Free();
        throw;
    }
    loaded_.push_back(root);
    for (TComponent* component : loaded_) component->ExcludeState(csReading);
    for (TComponent* component : loaded_)
        if (component->InState(csLoading)) component->Loaded();
    loaded_.clear();
    return root;
}

// ---------------------------------------------------------------------------------------------
// TWriter

TWriter::TWriter(TStream* stream, int) : TFiler(stream) {}

void TWriter::WriteBytes(const void* data, int64_t count) {
    if (count > 0) stream_->WriteBuffer(data, static_cast<int>(count));
}

void TWriter::WriteValue(TValueType value) {
    const uint8_t tag = value;
    WriteBytes(&tag, 1);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }

void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteInteger(int64_t value) {
    uint8_t bytes[9];
    int size = 8;
    bytes[0] = vaInt64;
    if (value >= -128 && value <= 127) {
        bytes[0] = vaInt8;
        size = 1;
    } else if (value >= -32768 && value <= 32767) {
        bytes[0] = vaInt16;
        size = 2;
    } else if (value >= std::numeric_limits<int32_t>::min() &&
               value <= std::numeric_limits<int32_t>::max()) {
        bytes[0] = vaInt32;
        size = 4;
    }
    StoreLittleEndian(bytes + 1, static_cast<uint64_t>(value), size);
    WriteBytes(bytes, size + 1);
}

void TWriter::WriteFloat(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t bytes[9];
    bytes[0] = vaDouble;
    StoreLittleEndian(bytes + 1, bits, 8);
    WriteBytes(bytes, 9);
}

void TWriter::WriteStr(const AnsiString& value) {
    if (value.Length() > 255) throw EWriteError(SNameTooLong, value);
    const uint8_t length = static_cast<uint8_t>(value.Length());
    WriteBytes(&length, 1);
    WriteBytes(value.c_str(), length);
}

void TWriter::WriteString(const AnsiString& value) {
    if (value.Length() <= 255) {
        WriteValue(vaString);
        return WriteStr(value);
    }
    uint8_t bytes[5];
    bytes[0] = vaLString;
    StoreLittleEndian(bytes + 1, static_cast<uint32_t>(value.Length()), 4);
    WriteBytes(bytes, 5);
    WriteBytes(value.c_str(), value.Length());
}

void TWriter::WriteIdent(const AnsiString& ident) {
    if (SameText(ident, "False")) return WriteValue(vaFalse);
    if (SameText(ident, "True")) return WriteValue(vaTrue);
    if (SameText(ident, "nil")) return WriteValue(vaNil);
    if (SameText(ident, "Null")) return WriteValue(vaNull);
    WriteValue(vaIdent);
    WriteStr(ident);
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }

void TWriter::WriteChar(char value) { WriteString(AnsiString(value)); }

void TWriter::WriteSet(const std::vector<AnsiString>& names) {
    WriteValue(vaSet);
    for (const AnsiString& name : names)
        if (!name.IsEmpty()) WriteStr(name);
    WriteStr(AnsiString());
}

void TWriter::WriteBinary(const void* data, int size) {
    uint8_t bytes[5];
    bytes[0] = vaBinary;
    StoreLittleEndian(bytes + 1, static_cast<uint32_t>(size), 4);
    WriteBytes(bytes, 5);
    WriteBytes(data, size);
}

void TWriter::WritePropName(const AnsiString& name) { WriteStr(propPath_ + name); }

void TWriter::WriteSignature() { WriteBytes(kSignature, 4); }

void TWriter::WriteProperties(TPersistent* instance) {
    TPersistent* ancestor = SameClassOrNull(ancestor_, instance) ? ancestor_ : nullptr;
    for (const TPropertyInfo* property : PublishedProperties(instance->ClassType()))
        WritePublished(instance, *property, ancestor);
    TPersistent* savedAncestor = ancestor_;
    ancestor_ = ancestor;
    try {
        instance->DefineProperties(this);
    } catch (...) {
        ancestor_ = savedAncestor;
        throw;
    }
    ancestor_ = savedAncestor;
}

void TWriter::WritePublished(TPersistent* instance, const TPropertyInfo& property,
                             TPersistent* ancestor) {
    if (property.IsStored && !property.IsStored(instance)) return;
    switch (property.Kind) {
    case pkInteger:
    case pkBool:
    case pkColor: {
        const int value = property.GetOrd(instance);
        if (ancestor ? value == property.GetOrd(ancestor)
                     : property.HasDefault && value == property.DefaultOrd)
            return;
        WritePropName(property.Name);
        AnsiString ident;
        if (property.Kind == pkBool) return WriteBoolean(value != 0);
        if (property.Kind == pkColor && ColorToIdent(value, ident)) return WriteIdent(ident);
        return WriteInteger(value);
    }
    case pkEnum:
    case pkSet:
    case pkString: {
        const AnsiString value = property.GetText(instance);
        const AnsiString reference =
            ancestor ? property.GetText(ancestor)
                     : (property.Kind == pkString ? AnsiString() : property.DefaultText);
        if (property.Kind == pkSet ? SplitNames(value) == SplitNames(reference) : value == reference)
            return;
        WritePropName(property.Name);
        if (property.Kind == pkEnum) return WriteIdent(value);
        if (property.Kind == pkSet) return WriteSet(SplitNames(value));
        return WriteString(value);
    }
    case pkFloat: {
        const double value = property.GetFloat(instance);
        if (value == (ancestor ? property.GetFloat(ancestor) : property.DefaultFloat)) return;
        WritePropName(property.Name);
        return WriteFloat(value);
    }
    case pkComponent: {
        TComponent* value = property.GetComponent(instance);
        if (value == (ancestor ? property.GetComponent(ancestor) : nullptr)) return;
        WritePropName(property.Name);
        if (!value) return WriteIdent("nil");
        return WriteIdent(ReferenceName(value, root_));
    }
    case pkObject: {
        TPersistent* sub = property.GetSubObject(instance);
        if (!sub) return;
        if (auto* collection = dynamic_cast<TCollection*>(sub)) {
            if (collection->Count() == 0) return;
            WritePropName(property.Name);
            return WriteCollection(collection);
        }
        const AnsiString savedPath = propPath_;
        TPersistent* savedAncestor = ancestor_;
        propPath_ = propPath_ + property.Name + ".";
        ancestor_ = ancestor ? property.GetSubObject(ancestor) : nullptr;
        try {
            WriteProperties(sub);
        } catch (...) {
            propPath_ = savedPath;
            ancestor_ = savedAncestor;
            throw;
        }
        propPath_ = savedPath;
        ancestor_ = savedAncestor;
        return;
    }
    }
}

void TWriter::WriteCollection(TCollection* collection) {
    const AnsiString savedPath = propPath_;
    TPersistent* savedAncestor = ancestor_;
    propPath_ = AnsiString();
    ancestor_ = nullptr;
    WriteValue(vaCollection);
    try {
        for (int i = 0; i < collection->Count(); ++i) {
            WriteListBegin();
            WriteProperties(collection->Items(i));
            WriteListEnd();
        }
    } catch (...) {
        propPath_ = savedPath;
        ancestor_ = savedAncestor;
        throw;
    }
    WriteListEnd();
    propPath_ = savedPath;
    ancestor_ = savedAncestor;
}

void TWriter::DefineProperty(const AnsiString& name, const TReaderProc&, const TWriterProc& write,
                             bool hasData) {
    if (!hasData || !write) return;
    WritePropName(name);
    write(this);
}

void TWriter::DefineBinaryProperty(const AnsiString& name, const TStreamProc&,
                                   const TStreamProc& write, bool hasData) {
    if (!hasData || !write) return;
    TMemoryStream block;
    write(&block);
    WritePropName(name);
    WriteBinary(block.Memory(), static_cast<int>(block.Size()));
}

void TWriter::WriteData(TComponent* instance) {
    WriteStr(instance->ClassName());
    WriteStr(instance->Name());
    WriteProperties(instance);
    WriteListEnd();
    instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    WriteListEnd();
}

void TWriter::WriteComponent(TComponent* component) {
    const bool wasWriting = component->InState(csWriting);
    component->IncludeState(csWriting);
    try {
        component->WriteState(this);
    } catch (...) {
        if (!wasWriting) component->ExcludeState(csWriting);
        throw;
    }
    if (!wasWriting) component->ExcludeState(csWriting);
}

void TWriter::WriteRootComponent(TComponent* root) {
    root_ = root;
    WriteSignature();
    WriteComponent(root);
}

// ---------------------------------------------------------------------------------------------
// TComponent streaming and the whole-tree helpers

void TComponent::ReadState(TReader* reader) { reader->ReadData(this); }

void TComponent::WriteState(TWriter* writer) { writer->WriteData(this); }

void WriteComponentToStream(TStream* stream, TComponent* instance) {
    TWriter writer(stream);
    writer.WriteRootComponent(instance);
}

TComponent* ReadComponentFromStream(TStream* stream, TComponent* instance, TComponent* owner) {
    TReader reader(stream);
    reader.SetOwner(owner);
    return reader.ReadRootComponent(instance);
}
