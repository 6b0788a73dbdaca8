// The calendar, the time picker, the colour edit and the date-time edit in form streams: the
// calendar's elements and colours, the clock colours and every drop-down setting of the two
// edits come back from a written form, and new controls write no default.
#include "UiColorEdit.h"
#include "UiDateTimeEdit.h"
#include "../controls_edits/edit_fixture.h"
#include "stream_checks.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

const bool classesRegistered = [] {
    RegisterClasses({TUiCalendar::StaticClass(), TUiTimePicker::StaticClass(),
                     TUiColorEdit::StaticClass(), TUiDateTimeEdit::StaticClass(),
                     TUiCustomColors::StaticClass()});
    return true;
}();

// Every colour of an indexed colour object moved off its default.
template <class Colors> void ChangeColors(Colors* colors, int count) {
    const TColor palette[] = {clRed, clLime, clBlue, clFuchsia, clTeal, clOlive, clSilver};
    for (int i = 0; i < count; ++i) colors->SetColor(i, palette[i]);
}

// The named published properties are all written.
void ExpectWritten(TPersistent* instance, std::initializer_list<const char*> names) {
    const AnsiString written = WrittenProperties(instance);
    for (const char* name : names)
        EXPECT_TRUE(WritesProperty(written, name)) << instance->ClassName().c_str() << " " << name;
}

class EditStreamsTest : public EditFormTest {
protected:
    template <class T> T* Place(const char* name, int left, int top, int width, int height) {
        T* control = Add<T>(left, top, width, height);
        control->SetName(name);
        return control;
    }
};

}  // namespace

TEST_F(EditStreamsTest, NewControlsWriteNoDefaultValue) {
    ExpectDefaultsNotWritten(Add<TUiCalendar>(5, 5, 147, 159));
    ExpectDefaultsNotWritten(Add<TUiColorEdit>(160, 5, 80, 21));
    ExpectDefaultsNotWritten(Add<TUiDateTimeEdit>(160, 30, 100, 21));
}

TEST_F(EditStreamsTest, CalendarColoursAndDropDownSettingsReadBack) {
    form->SetName("Edits");
    auto* calendar = Place<TUiCalendar>("Calendar", 5, 5, 147, 159);
    calendar->SetElements({ceMonth, ceWeekNumbers, ceClearButton});
    ChangeColors(calendar->CalendarColors(), 7);
    ExpectWritten(calendar, {"Elements", "CalendarColors.Days", "CalendarColors.TodaysDateFrame"});

    auto* picker = Place<TUiTimePicker>("Clock", 160, 5, 150, 150);
    ChangeColors(picker->ClockFaceColors(), 5);
    ExpectWritten(picker, {"ClockFaceColors.Face", "ClockFaceColors.MinuteTicks"});

    auto* custom = new TUiCustomColors(form);
    custom->SetName("Custom");
    auto* color = Place<TUiColorEdit>("Swatch", 5, 170, 80, 21);
    color->SetSelectedColor(clMaroon);
    color->SetCustomColor(clGray);
    color->SetCustomColors(custom);
    color->SetColorDlgOptions({cdSolidColor, cdAnyColor});
    color->DefaultColor = clPurple;
    color->CustomColorCaption = "Mine";
    color->DefaultColorCaption = "Usual";
    color->NoColorCaption = "None";
    color->ShowColorHints = false;
    color->ShowNoColor = color->ShowCustomColor = color->ShowDefaultColor = true;
    color->ShowSystemColors = true;
    color->SetFlatButtons(true);
    color->SetFlatButtonColor(clYellow);
    color->SetDropButtonVisible(false);
    ExpectWritten(color, {"SelectedColor", "CustomColor", "CustomColors", "ColorDlgOptions",
                          "DefaultColor", "CustomColorCaption", "DefaultColorCaption",
                          "NoColorCaption", "ShowColorHints", "ShowNoColor", "ShowCustomColor",
                          "ShowDefaultColor", "ShowSystemColors", "DropButtonVisible",
                          "FlatButtons", "FlatButtonColor"});

    auto* date = Place<TUiDateTimeEdit>("When", 100, 170, 100, 21);
    date->SetCalendarElements({ceYear, ceArrows});
    ChangeColors(date->CalendarColors(), 7);
    ChangeColors(date->ClockFaceColors(), 5);
    date->CaptionTodayBtn = "&Now";
    date->CaptionClearBtn = "&Empty";
    date->CaptionAM = "am";
    date->CaptionPM = "pm";
    date->CaptionSet = "&Take";
    date->SetFirstDayOfWeek(fdowSunday);
    date->RestrictMinutes = true;
    date->ShowHowToUseHint = false;
    date->HowToUseMsg = "Drag the hands";
    date->PopupButtonColor = clTeal;
    date->PopupButtonFontColor = clWhite;
    ExpectWritten(date, {"CalendarElements", "CalendarColors.Lines", "ClockFaceColors.Hands",
                         "CaptionTodayBtn", "CaptionClearBtn", "CaptionAM", "CaptionPM",
                         "CaptionSet", "FirstDayOfWeek", "RestrictMinutes", "ShowHowToUseHint",
                         "HowToUseMsg", "PopupButtonColor", "PopupButtonFontColor"});

    TForm* copy = CopyOfForm(form);
    for (TComponent* original : std::initializer_list<TComponent*>{calendar, picker, color, date}) {
        TComponent* twin = copy->FindComponent(original->Name());
        ASSERT_NE(twin, nullptr) << original->Name().c_str();
        ExpectSameProperties(original, twin);
    }
    auto* colorCopy = static_cast<TUiColorEdit*>(copy->FindComponent("Swatch"));
    EXPECT_EQ(colorCopy->CustomColors(), copy->FindComponent("Custom"));
    EXPECT_FALSE(colorCopy->ShowColorHints);
    auto* dateCopy = static_cast<TUiDateTimeEdit*>(copy->FindComponent("When"));
    EXPECT_EQ(dateCopy->CaptionSet, "&Take");
    EXPECT_EQ(dateCopy->PopupButtonColor, clTeal);
    copy->Free();
}
