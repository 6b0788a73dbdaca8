// Checks of objects in component streams: the properties an object writes, a form written and
// read into a new form, and the published properties of an original and its copy compared.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "cl_controls.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_graphics.h"
#include "cl_lists.h"
#include "cl_streams.h"

inline AnsiString StreamText(TMemoryStream& stream) {
    return AnsiString(static_cast<const char*>(stream.Memory()), static_cast<int>(stream.Size()));
}

// The bytes WriteProperties gives for the object.
inline AnsiString WrittenProperties(TPersistent* instance) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteProperties(instance);
    }
    return StreamText(stream);
}

// Whether written properties hold `name` as the stream spells a name: its length, then it.
inline bool WritesProperty(const AnsiString& written, const AnsiString& name) {
    return written.Pos(AnsiString(static_cast<char>(name.Length())) + name) > 0;
}

// `form` written whole and read into a new form, which the caller frees.
inline TForm* CopyOfForm(TForm* form) {
    TMemoryStream stream;
    WriteComponentToStream(&stream, form);
    stream.SetPosition(0);
    auto* copy = new TForm(nullptr);
    try {
        ReadComponentFromStream(&stream, copy);
    } catch (...) {
        copy->Free();
        throw;
    }
    return copy;
}

// Every published property of `copy` reads as in `original`: sub-objects property by
// property, pictures by their bytes, string lists by their text.
inline void ExpectSameProperties(TPersistent* original, TPersistent* copy) {
    SCOPED_TRACE(original->ClassName().c_str());
    for (const TPropertyInfo* p : PublishedProperties(original->ClassType())) {
        SCOPED_TRACE(p->Name.c_str());
        switch (p->Kind) {
        case pkInteger:
        case pkBool:
        case pkColor:
            EXPECT_EQ(p->GetOrd(copy), p->GetOrd(original));
            break;
        case pkEnum:
        case pkSet:
        case pkString:
            EXPECT_EQ(p->GetText(copy), p->GetText(original));
            break;
        case pkFloat:
            EXPECT_EQ(p->GetFloat(copy), p->GetFloat(original));
            break;
        case pkComponent: {
            TComponent* a = p->GetComponent(original);
            TComponent* b = p->GetComponent(copy);
            EXPECT_EQ(b ? b->Name() : AnsiString(), a ? a->Name() : AnsiString());
            break;
        }
        case pkObject: {
            TPersistent* a = p->GetSubObject(original);
            TPersistent* b = p->GetSubObject(copy);
            ASSERT_EQ(b == nullptr, a == nullptr);
            if (!a) break;
            if (auto* picture = dynamic_cast<TGraphic*>(a)) {
                EXPECT_TRUE(picture->Equals(dynamic_cast<TGraphic*>(b)));
            } else if (auto* strings = dynamic_cast<TStrings*>(a)) {
                EXPECT_EQ(dynamic_cast<TStrings*>(b)->Text(), strings->Text());
            } else if (!dynamic_cast<TCollection*>(a)) {
                ExpectSameProperties(a, b);
            }
            break;
        }
        }
    }
}

// The published properties the class adds or publishes again with its own entry: those every
// windowed control publishes alike are left out.
inline std::vector<const TPropertyInfo*> OwnProperties(const TMetaClass* metaClass) {
    const std::vector<const TPropertyInfo*> common = PublishedProperties(TWinControl::StaticClass());
    std::vector<const TPropertyInfo*> own;
    for (const TPropertyInfo* p : PublishedProperties(metaClass))
        if (std::find(common.begin(), common.end(), p) == common.end()) own.push_back(p);
    return own;
}

// An object as its constructor left it writes none of its own published properties that have
// a default: the registered defaults are the constructor's values.
inline void ExpectDefaultsNotWritten(TPersistent* fresh) {
    SCOPED_TRACE(fresh->ClassName().c_str());
    const AnsiString written = WrittenProperties(fresh);
    for (const TPropertyInfo* p : OwnProperties(fresh->ClassType())) {
        const bool ordinal = p->Kind == pkInteger || p->Kind == pkBool || p->Kind == pkColor;
        if ((ordinal && !p->HasDefault) || p->Kind == pkObject || p->Kind == pkFloat) continue;
        EXPECT_FALSE(WritesProperty(written, p->Name)) << p->Name.c_str();
    }
}

// Each of its own published properties that the object stores is written: a test that
// changes every setting reaches them all.
inline void ExpectEveryOwnPropertyWritten(TPersistent* instance) {
    const AnsiString written = WrittenProperties(instance);
    for (const TPropertyInfo* p : OwnProperties(instance->ClassType())) {
        if (p->Kind == pkObject || (p->IsStored && !p->IsStored(instance))) continue;
        EXPECT_TRUE(WritesProperty(written, p->Name))
            << instance->ClassName().c_str() << " " << p->Name.c_str();
    }
}

// The class publishes each of `names`, or none of them.
inline void ExpectPublished(const TMetaClass* metaClass, std::initializer_list<const char*> names,
                            bool published) {
    const std::vector<const TPropertyInfo*> properties = PublishedProperties(metaClass);
    for (const char* name : names) {
        const bool found = std::any_of(properties.begin(), properties.end(),
                                       [name](const TPropertyInfo* p) { return p->Name == name; });
        EXPECT_EQ(found, published) << metaClass->ClassName().c_str() << " " << name;
    }
}
