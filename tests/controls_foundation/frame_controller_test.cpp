// The frame controller: pushes by property name (filtered by each control's notifications),
// the interface path, batched updates, the colour rules, and load/save through a store.
#include <gtest/gtest.h>

#include "UiFrameController.h"
#include "UiRegIniFile.h"
#include "cl_controls.h"

namespace {

// A framed control that publishes a few of the controller's names.
class TFramedProbe : public TGraphicControl {
    CL_COMPONENT_CLASS(TFramedProbe, TGraphicControl)
public:
    explicit TFramedProbe(TComponent* owner) : TGraphicControl(owner) {}
    TColor color = clNone, focusColor = clNone, frameColor = clNone;
    AnsiString sides, style;
    int notifications = 0xFFFF;
    int writes = 0;

    TColor GetColor() const { return color; }
    void PutColor(TColor c) { color = c, ++writes; }
    TColor GetFocusColor() const { return focusColor; }
    void PutFocusColor(TColor c) { focusColor = c, ++writes; }
    TColor GetFrameColor() const { return frameColor; }
    void PutFrameColor(TColor c) { frameColor = c, ++writes; }
    int GetNotifications() const { return notifications; }
    void PutNotifications(int n) { notifications = n; }
};

class TFramedListener : public TGraphicControl, public IUiCustomFramingNotification {
public:
    explicit TFramedListener(TComponent* owner) : TGraphicControl(owner) {}
    void CustomFramingChanged() override { ++calls; }
    int calls = 0;
};

TPropertyInfo TextProperty(const char* name, TPropertyKind kind, AnsiString TFramedProbe::*field) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    info.GetText = [field](TObject* o) { return static_cast<TFramedProbe*>(o)->*field; };
    info.SetText = [field](TObject* o, const AnsiString& v) {
        static_cast<TFramedProbe*>(o)->*field = v;
    };
    return info;
}

void RegisterProbe() {
    static bool done = false;
    if (done) return;
    done = true;
    const TMetaClass* meta = TFramedProbe::StaticClass();
    RegisterProperty(meta, OrdinalProperty<TFramedProbe>("Color", pkColor, &TFramedProbe::GetColor,
                                                         &TFramedProbe::PutColor));
    RegisterProperty(meta, OrdinalProperty<TFramedProbe>("FocusColor", pkColor,
                                                         &TFramedProbe::GetFocusColor,
                                                         &TFramedProbe::PutFocusColor));
    RegisterProperty(meta, OrdinalProperty<TFramedProbe>("FrameColor", pkColor,
                                                         &TFramedProbe::GetFrameColor,
                                                         &TFramedProbe::PutFrameColor));
    RegisterProperty(meta, OrdinalProperty<TFramedProbe>("FrameControllerNotifications", pkSet,
                                                         &TFramedProbe::GetNotifications,
                                                         &TFramedProbe::PutNotifications));
    RegisterProperty(meta, TextProperty("FrameSides", pkSet, &TFramedProbe::sides));
    RegisterProperty(meta, TextProperty("FrameStyle", pkEnum, &TFramedProbe::style));
}

class FrameControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterProbe();
        controller = new TUiFrameController(nullptr);
        probe = new TFramedProbe(nullptr);
        listener = new TFramedListener(nullptr);
    }
    void TearDown() override {
        probe->Free();
        listener->Free();
        controller->Free();
    }
    TUiFrameController* controller = nullptr;
    TFramedProbe* probe = nullptr;
    TFramedListener* listener = nullptr;
};

TEST_F(FrameControllerTest, RegistrationPushesEverythingOnce) {
    controller->SetFrameSides(SideBit(sdLeft) | SideBit(sdBottom));
    controller->AddControl(probe);
    controller->AddControl(probe);
    EXPECT_EQ(probe->color, clWindow);
    EXPECT_EQ(probe->focusColor, clWindow);
    EXPECT_EQ(probe->frameColor, clBtnShadow);
    EXPECT_EQ(probe->sides, "sdLeft,sdBottom");
    EXPECT_EQ(probe->style, "fsFlat");
    EXPECT_EQ(probe->writes, 3);
    controller->AddControl(listener);
    EXPECT_EQ(listener->calls, 1);
}

TEST_F(FrameControllerTest, NotificationsFilterThePropertyPath) {
    probe->notifications = 0xFFFF & ~(1 << fcpFrameColor);
    controller->AddControl(probe);
    controller->AddControl(listener);
    probe->frameColor = clLime;
    controller->SetFrameColor(clRed);
    EXPECT_EQ(probe->frameColor, clLime);
    EXPECT_EQ(listener->calls, 2);
    controller->SetFrameStyle(fsLowered);
    EXPECT_EQ(probe->style, "fsLowered");
}

TEST_F(FrameControllerTest, FocusColourFollowsColourWhileEqual) {
    controller->SetColor(clYellow);
    EXPECT_EQ(controller->FocusColor(), clYellow);
    controller->SetFocusColor(clAqua);
    controller->SetColor(clRed);
    EXPECT_EQ(controller->FocusColor(), clAqua);
}

TEST_F(FrameControllerTest, UpdatesBetweenBeginAndEndPushOnce) {
    controller->AddControl(listener);
    controller->BeginUpdate();
    controller->SetColor(clRed);
    controller->SetFrameColor(clBlue);
    controller->SetFrameStyle(fsBump);
    controller->SetFlatButtons(false);
    controller->SetFocusColor(clLime);
    EXPECT_EQ(listener->calls, 1);
    controller->EndUpdate();
    EXPECT_EQ(listener->calls, 2);
    controller->RemoveControl(listener);
    controller->SetColor(clBlack);
    EXPECT_EQ(listener->calls, 2);
}

TEST_F(FrameControllerTest, HotTrackingShowsTheFrameOnAllSides) {
    controller->SetFrameSides(SideBit(sdTop));
    controller->SetFrameHotTrack(true);
    EXPECT_TRUE(controller->FrameVisible());
    EXPECT_EQ(controller->FrameSides(), AllSides);
}

TEST_F(FrameControllerTest, LoadAndSaveThroughTheStore) {
    EXPECT_THROW(controller->Load("Frames"), ENoRegIniFile);
    try {
        controller->Save("Frames");
        FAIL();
    } catch (const ENoRegIniFile& e) {
        EXPECT_STREQ(e.what(),
                     "Cannot save Custom Framing settings--No TUiRegIniFile component specified");
    }
    TUiRegIniFile* store = new TUiRegIniFile(nullptr);
    store->SetPathType(ptRegistry);
    store->SetPath("\\Software\\RadonTests\\Frames");
    store->EraseSection("Frames");
    controller->SetRegIniFile(store);
    controller->SetColor(clYellow);
    controller->SetFrameStyle(fsGroove);
    controller->SetFrameSides(SideBit(sdRight));
    controller->SetDisabledColor(clGray);
    controller->Save("Frames");
    store->DeleteKey("Frames", "DisabledColor");

    TUiFrameController* loaded = new TUiFrameController(nullptr);
    loaded->SetRegIniFile(store);
    loaded->AddControl(listener);
    loaded->Load("Frames");
    EXPECT_EQ(listener->calls, 2);
    EXPECT_EQ(loaded->Color(), clYellow);
    EXPECT_EQ(loaded->FrameStyle(), fsGroove);
    EXPECT_EQ(loaded->FrameSides(), SideBit(sdRight));
    EXPECT_EQ(loaded->DisabledColor(), clWindow);
    EXPECT_EQ(store->ReadInteger("Frames", "FrameHotStyle", -1), fsFlatBold);
    store->EraseSection("Frames");
    store->Free();
    EXPECT_EQ(loaded->RegIniFile(), nullptr);
    loaded->Free();
}

}  // namespace

#include "cl_filer.h"
#include "cl_streams.h"

namespace {

TEST(FrameControllerLegacy, OldPropertiesAreReadAndNeverWritten) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WritePropName("FrameFlatStyle");
        writer.WriteIdent("fsWhatever");
        writer.WritePropName("FrameFlat");
        writer.WriteBoolean(true);
        writer.WritePropName("FrameFocusStyle");
        writer.WriteIdent("fsBump");
        writer.WriteInteger(4711);
    }
    TUiFrameController* controller = new TUiFrameController(nullptr);
    stream.SetPosition(0);
    {
        TReader reader(&stream);
        reader.ReadProperty(controller);
        reader.ReadProperty(controller);
        reader.ReadProperty(controller);
        EXPECT_EQ(reader.ReadInteger(), 4711);
    }
    EXPECT_TRUE(controller->FrameHotTrack());
    EXPECT_EQ(controller->FrameStyle(), fsStatus);
    EXPECT_EQ(controller->FrameHotStyle(), fsBump);

    TMemoryStream out;
    {
        TWriter writer(&out);
        writer.WriteProperties(controller);
    }
    const AnsiString written(static_cast<const char*>(out.Memory()), static_cast<int>(out.Size()));
    EXPECT_EQ(written.Pos("FrameFlat"), 0);
    controller->Free();
}

TEST(LegacyReader, EachReaderConsumesOneValue) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        writer.WriteBoolean(false);
        writer.WriteIdent("x");
        writer.WriteInteger(70000);
        writer.WriteSet({"a", "b"});
        writer.WriteString("text");
        writer.WriteInteger(9);
    }
    stream.SetPosition(0);
    TReader reader(&stream);
    TUiOldPropReader::ReadOldBooleanProp(&reader);
    TUiOldPropReader::ReadOldEnumProp(&reader);
    TUiOldPropReader::ReadOldIntegerProp(&reader);
    TUiOldPropReader::ReadOldSetProp(&reader);
    TUiOldPropReader::ReadOldStringProp(&reader);
    EXPECT_EQ(reader.ReadInteger(), 9);
}

}  // namespace

namespace {

TEST(FrameControllerPublished, PropertiesReachTheComponentStreams) {
    TUiFrameController* controller = new TUiFrameController(nullptr);
    const TPropertyInfo* sides = FindProperty(controller, "FrameSides");
    ASSERT_NE(sides, nullptr);
    EXPECT_EQ(sides->GetText(controller), "sdLeft,sdTop,sdRight,sdBottom");
    sides->SetText(controller, "sdTop, sdBottom");
    EXPECT_EQ(controller->FrameSides(), SideBit(sdTop) | SideBit(sdBottom));
    FindProperty(controller, "FrameStyle")->SetText(controller, "fsPopup");
    EXPECT_EQ(controller->FrameStyle(), fsPopup);
    controller->SetParentColor(true);
    EXPECT_FALSE(FindProperty(controller, "Color")->IsStored(controller));
    TUiRegIniFile* store = new TUiRegIniFile(nullptr);
    FindProperty(store, "PathType")->SetText(store, "ptRegistry");
    EXPECT_EQ(store->PathType(), ptRegistry);
    store->Free();
    controller->Free();
}

}  // namespace
