// What every control of the library shares: its private control messages, enumerations, sets
// and events, the missing-store exception, the framing interface and the blinking-controls list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "cl_except.h"
#include "UiOrientation.h"
#include "cl_stdctrls.h"
#include "cl_types.h"

class TActionLink;
class TControl;
class TTimer;
class TReader;
class TWriter;

// Control messages of the library, sent with Perform, never posted.
constexpr UINT CM_GETBLINKING = 0xB3E8;
constexpr UINT CM_BLINK = 0xB3E9;
constexpr UINT CM_TOOLBARSHOWCAPTIONCHANGED = 0xB3EA;
constexpr UINT CM_TOOLBARBUTTONLAYOUTCHANGED = 0xB3EB;
constexpr UINT CM_TOOLBARBUTTONSIZECHANGED = 0xB3EC;
constexpr UINT CM_TOOLBARVISUALSTYLECHANGED = 0xB3ED;

enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TBlinkState { bsOn, bsOff };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TBarStyle { bsTraditional, bsLED, bsGradient };
enum TLineStyle { lsNone, lsFlat, lsGroove, lsBump };
enum TFrameStyleEx {
    fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus,
    fsPopup, fsFlatBold, fsFlatRounded
};
// The framed controls' styles: fsNone .. fsFlatBold.
using TFrameStyle = TFrameStyleEx;
constexpr int FrameStyleCount = fsFlatBold + 1;
enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TUiGroupBarGradientPath { gpTopToBottom, gpBottomToTop };
enum TGradientDirection {
    gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
    gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox
};
enum TDirection { dirUp, dirDown, dirLeft, dirRight };
enum TUiScrollStyle { scsNone, scsLeft, scsUp, scsRight, scsDown };
enum TSide { sdLeft, sdTop, sdRight, sdBottom };
enum TExpandOnType { etMouseButton2Click, etFocus, etNone };
// Scoped: the common controls' sort types own the name stNone.
enum class TUiScrollType { stNone, stRightToLeft, stLeftToRight };
enum TUiGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
enum TUiVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TUiXPThemeColor {
    xptcEditBorder, xptcNormalGroupFont, xptcSpecialGroupFont, xptcGroupBarFill,
    xptcListGroupFill, xptcListGroupFont, xptcGroupBoxFont
};
enum TUiXPColorScheme { xpcsBlue, xpcsGreen, xpcsSilver };
enum TUiUIStyle { uiWindows95, uiWindowsXP };
enum TUiButtonDisplayState { bdsNormal, bdsDown, bdsHot, bdsDisabled };
enum TUiButtonHotTrackStyle { htsInterior, htsFrame };
enum TUiWindowsVersion { Win95, WinNT, Win98, WinMe, Win2000, WinXP, WinServer2003 };
enum TUiFrameControllerProperty {
    fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus,
    fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor,
    fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle, fcpFrameVisible,
    fcpFramingPreference, fcpAll
};
enum TUiPathType { ptIniFile, ptRegistry };
enum TUiRegKey {
    hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData,
    hkeyCurrentConfig, hkeyDynData
};
enum TUiRegAccessKey {
    keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink,
    keyRead, keyWrite, keyExecute, keyAllAccess
};

// Bit sets: the element of ordinal n is bit n.
using TSides = uint8_t;
constexpr TSides AllSides = 15;
constexpr TSides SideBit(TSide side) { return static_cast<TSides>(1u << side); }
constexpr bool HasSide(TSides sides, TSide side) { return (sides & SideBit(side)) != 0; }
using TUiFrameControllerNotifications = uint16_t;
constexpr TUiFrameControllerNotifications AllFrameControllerNotifications = 0xFFFF;
using TUiRegAccess = uint16_t;
constexpr TUiRegAccess DefaultRegAccess = 1u << keyAllAccess;

// Integer subranges of published properties; reading a form, a value outside raises EReadError.
template <int Low, int High> struct TIntSubrange {
    static constexpr int Min = Low;
    static constexpr int Max = High;
    static constexpr bool Contains(int value) { return value >= Low && value <= High; }
};
using TPositiveByte = TIntSubrange<1, 255>;
using TPositiveSmallint = TIntSubrange<1, 32767>;
using TPositiveInteger = TIntSubrange<1, 2147483647>;
using TUnsignedSmallint = TIntSubrange<0, 32767>;

// An integer property of subrange `Range`, for RegisterProperty.
template <class Range, class C, class G, class S>
TPropertyInfo SubrangeProperty(const char* name, G get, S set, int def) {
    TPropertyInfo info = OrdinalProperty<C>(name, pkInteger, get, set, def);
    info.SetOrd = [setOrd = info.SetOrd, property = AnsiString(name)](TObject* object,
                                                                      int value) {
        if (!Range::Contains(value))
            throw EReadError("Property %s out of range (%d..%d): %d", property, Range::Min,
                             Range::Max, value);
        setOrd(object, value);
    };
    return info;
}

using TPositionChangingEvent =
    std::function<void(TObject* sender, int newPos, bool& allowChange)>;
using TStateChangingEvent = std::function<void(TObject* sender, int index,
                                               TCheckBoxState newState, bool& allowChange)>;
using TStateChangeEvent =
    std::function<void(TObject* sender, int index, TCheckBoxState newState)>;

CL_DECLARE_EXCEPTION(ENoRegIniFile, Exception);
CL_DECLARE_EXCEPTION(EInvalidFieldType, Exception);

extern const char* const SNoRegIniFile;
extern const char* const SNoRegIniFileFrameLoad;
extern const char* const SNoRegIniFileFrameSave;
extern const char* const SNoRegIniFileColorsLoad;
extern const char* const SNoRegIniFileColorsSave;
extern const char* const SNoRegIniFileFormRestore;
extern const char* const SNoRegIniFileFormSave;

// Identifiers of the shared enumerations in the component streams, in the order of their values
// (functions, so that property tables built during start-up find them filled).
const std::vector<AnsiString>& AlignmentIdents();
const std::vector<AnsiString>& ButtonLayoutIdents();
const std::vector<AnsiString>& TextStyleIdents();
const std::vector<AnsiString>& VisualStyleIdents();
const std::vector<AnsiString>& GradientColorStyleIdents();
const std::vector<AnsiString>& FrameControllerPropertyNames();
const std::vector<AnsiString>& AlignIdents();
const std::vector<AnsiString>& AlignmentVerticalIdents();
const std::vector<AnsiString>& FrameStyleExIdents();
const std::vector<AnsiString>& GradientDirectionIdents();
const std::vector<AnsiString>& SideNames();
// A bit set as its textual set value ("fcpColor,fcpFrameColor") and back; unknown names raise
// EReadError.
AnsiString BitSetText(unsigned bits, const std::vector<AnsiString>& names);
unsigned BitSetFromText(const AnsiString& text, const std::vector<AnsiString>& names);

// Builders for published data members that need no setter of their own: an integer, Boolean
// or colour with its default, and a string (stored when not empty).
template <class C, class T>
TPropertyInfo OrdinalField(const char* name, TPropertyKind kind, T C::*field, int def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    info.GetOrd = [field](TObject* o) { return static_cast<int>(static_cast<C*>(o)->*field); };
    info.SetOrd = [field](TObject* o, int value) {
        static_cast<C*>(o)->*field = static_cast<T>(value);
    };
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}
template <class C>
TPropertyInfo StringField(const char* name, AnsiString C::*field) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkString;
    info.GetText = [field](TObject* o) { return static_cast<C*>(o)->*field; };
    info.SetText = [field](TObject* o, const AnsiString& value) {
        static_cast<C*>(o)->*field = value;
    };
    return info;
}

// A published colour of an object that keeps its colours by index (GetColor, SetColor).
template <class C>
TPropertyInfo IndexedColorProperty(const char* name, int index, TColor def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkColor;
    info.GetOrd = [index](TObject* o) {
        return static_cast<int>(static_cast<C*>(o)->GetColor(index));
    };
    info.SetOrd = [index](TObject* o, int value) {
        static_cast<C*>(o)->SetColor(index, static_cast<TColor>(value));
    };
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}

// Text-drawing flags by TAlignment (left, right, centre), text-alignment modes, word wrap.
constexpr UINT DrawTextAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr UINT SetTextAlignments[] = {TA_LEFT, TA_RIGHT, TA_CENTER};
constexpr UINT DrawTextWordWrap[] = {0, DT_WORDBREAK};

// Milliseconds after which the incremental search of combo and list boxes starts afresh.
extern int IncrementalSearchResetDelay;

// Told by a frame controller that one of its settings changed; the control then pulls the
// values it admits from its own FrameController.
class IUiCustomFramingNotification {
public:
    virtual ~IUiCustomFramingNotification() = default;
    virtual void CustomFramingChanged() = 0;
};

// The controls that may blink, with the one timer that switches the phase of all of them.
class TUiBlinkingControlsList : public TObject {
    CL_CLASS(TUiBlinkingControlsList, TObject)

    TUiBlinkingControlsList();
    ~TUiBlinkingControlsList() override;

    void Add(TControl* control);
    // A control that is not listed is ignored.
    void Remove(TControl* control);
    int GetCount() const { return static_cast<int>(controls_.size()); }
    TBlinkState State() const { return state_; }
    TTimer* Timer() const { return timer_; }
    uint16_t BlinkIntervalOff = 500;
    uint16_t BlinkIntervalOn = 500;

    void TimerFired(TObject* sender);

private:
    friend void FreeBlinkingControlsListIfEmpty();
    bool IsListed(TControl* control) const;

    TBlinkState state_ = bsOff;
    std::vector<TControl*> controls_;
    TTimer* timer_;
    bool firing_ = false;
    bool retireAfterTick_ = false;
};

extern TUiBlinkingControlsList* BlinkingControls;
// Frees the list when no control is left in it (a list emptied during its own tick goes when
// the tick ends).
void FreeBlinkingControlsListIfEmpty();
// The intervals of the shared blink timer: 500 ms while no list exists, where setting them does
// nothing.
uint16_t SharedBlinkIntervalOff();
void SetSharedBlinkIntervalOff(uint16_t value);
uint16_t SharedBlinkIntervalOn();
void SetSharedBlinkIntervalOn(uint16_t value);
// What a blinking control does when it is made and when it goes.
void RegisterBlinkingControl(TControl* control);
void UnregisterBlinkingControl(TControl* control);

// Readers of properties that older releases stored and that no longer exist: each consumes
// one value of its kind and drops it; the writer writes nothing.
class TUiOldPropReader {
public:
    static void ReadOldBooleanProp(TReader* reader);
    static void ReadOldEnumProp(TReader* reader);
    static void ReadOldIdentProp(TReader* reader);
    static void ReadOldIntegerProp(TReader* reader);
    static void ReadOldSetProp(TReader* reader);
    static void ReadOldStringProp(TReader* reader);
    static void WriteOldProp(TWriter* writer);
};
// The control's action link supplies the value that `linked` asks about (then the control does
// not store it).
bool ActionSupplies(TControl* control, bool (TActionLink::*linked)() const);

// A colour that older releases stored under a property now gone: a colour name or a number.
TColor ReadLegacyColor(TReader* reader);
