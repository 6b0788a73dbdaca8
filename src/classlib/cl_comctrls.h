// Common controls of the system, subclassed: the date-time picker (value, display format, range
// and calendar colours kept across window re-creation), the hot-key field, the header and the
// rich edit.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <vector>

#include "cl_controls.h"
#include "cl_datetime.h"
#include "cl_menus.h"
#include "cl_stdctrls.h"

// Custom drawing of the list and tree views: what is drawn, when, and the item's state.
enum TCustomDrawTarget { dtControl, dtItem, dtSubItem };
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
enum TCustomDrawStateItem {
    cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked,
    cdsIndeterminate
};
using TCustomDrawState = std::set<TCustomDrawStateItem>;
// The CDIS_ flags of a custom-draw notification as a state.
TCustomDrawState CustomDrawStateOf(UINT itemState);

// What lies at a point of a list or tree view.
enum THitTest {
    htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel,
    htOnRight, htOnStateIcon, htToLeft, htToRight
};
using THitTests = std::set<THitTest>;

// Automatic sorting of the list and tree views: stText and stBoth keep the items sorted by
// text (or OnCompare) as they are added and renamed; stData and stBoth sort when Data changes.
enum TSortType { stNone, stData, stText, stBoth };

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };
// The first day of the drop-down calendar's weeks; dowLocaleDefault takes the user locale's.
enum TCalDayOfWeek {
    dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, dowSunday,
    dowLocaleDefault
};

// The calendar colours, by the system's MCSC_ index.
enum TMonthCalColor {
    mccBackground, mccText, mccTitleBack, mccTitleText, mccMonthBack, mccTrailingText
};

// Picks a date or a time of day. Setting Date changes only the date part of the value and
// keeps the time of day; setting Time changes only the time of day and keeps the date.
class TDateTimePicker : public TWinControl {
    CL_COMPONENT_CLASS(TDateTimePicker, TWinControl)

    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const { return dateFormat_; }
    void SetDateFormat(TDTDateFormat format);
    // The display format ("MM/dd/yyyy", "hh:mm tt"); empty = the system's.
    const AnsiString& Format() const { return format_; }
    void SetFormat(const AnsiString& format);

    TDateTime DateTime();
    void SetDateTime(TDateTime value);
    // The whole days of the value.
    TDateTime Date();
    void SetDate(TDateTime date);
    // The time of day of the value.
    TDateTime Time();
    void SetTime(TDateTime time);
    // 0 = no limit.
    TDateTime MinDate() const { return minDate_; }
    void SetMinDate(TDateTime date);
    TDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(TDateTime date);

    // Lets the user type a text the program parses (OnUserInput is not offered yet).
    bool ParseInput() const { return parseInput_; }
    void SetParseInput(bool value);
    // clDefault: the system's colour.
    TColor CalColor(TMonthCalColor which) const { return calColors_[which]; }
    void SetCalColor(TMonthCalColor which, TColor color);
    TDTCalAlignment CalAlignment() const { return calAlignment_; }
    void SetCalAlignment(TDTCalAlignment alignment);
    // Applied to the calendar at every drop-down.
    TCalDayOfWeek FirstDayOfWeek() const { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(TCalDayOfWeek day) { firstDayOfWeek_ = day; }
    // The drop-down calendar while it is shown; 0 otherwise.
    HWND MonthCalHandle();
    bool DroppedDown() { return MonthCalHandle() != nullptr; }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();

private:
    void SendValue();
    void SendRange();
    void HandleNotify(TMessage& message);

    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDTDateFormat dateFormat_ = dfShort;
    AnsiString format_;
    TDateTime value_;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
    bool parseInput_ = false;
    TColor calColors_[6] = {clDefault, clDefault, clDefault, clDefault, clDefault, clDefault};
    TDTCalAlignment calAlignment_ = dtaLeft;
    TCalDayOfWeek firstDayOfWeek_ = dowLocaleDefault;

protected:
    ~TDateTimePicker() override = default;
};

// ---------------------------------------------------------------------------------------------
enum THKModifier { hkShift, hkCtrl, hkAlt, hkExt };
using THKModifiers = std::set<THKModifier>;
enum THKInvalidKey { hcNone, hcShift, hcCtrl, hcAlt, hcShiftCtrl, hcShiftAlt, hcCtrlAlt,
                     hcShiftCtrlAlt };
using THKInvalidKeys = std::set<THKInvalidKey>;

// The system's hot-key field (msctls_hotkey32): the user presses a key combination, HotKey
// reads it as a shortcut code.
class THotKey : public TWinControl {
    CL_COMPONENT_CLASS(THotKey, TWinControl)

    explicit THotKey(TComponent* owner);

    TShortCut HotKey();
    void SetHotKey(TShortCut hotKey);
    // The modifiers used in place of an invalid combination.
    const THKModifiers& Modifiers() const { return modifiers_; }
    void SetModifiers(const THKModifiers& modifiers);
    const THKInvalidKeys& InvalidKeys() const { return invalidKeys_; }
    void SetInvalidKeys(const THKInvalidKeys& keys);

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void SendRules();

    TShortCut hotKey_ = scNone;
    THKModifiers modifiers_{hkAlt};
    THKInvalidKeys invalidKeys_{hcNone, hcShift};

protected:
    ~THotKey() override = default;
};

// ---------------------------------------------------------------------------------------------
class THeaderSections;

class THeaderSection {
public:
    THeaderSection(THeaderSections* owner, const AnsiString& text, int width)
        : owner_(owner), text_(text), width_(width) {}
    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& text);
    int Width() const;
    void SetWidth(int width);
    int Index() const;

private:
    friend class THeaderControl;
    THeaderSections* owner_;
    AnsiString text_;
    int width_;
};

class THeaderControl;

// The sections of a header, shown as the header window's items.
class THeaderSections {
public:
    explicit THeaderSections(THeaderControl* header) : header_(header) {}
    ~THeaderSections();
    THeaderSections(const THeaderSections&) = delete;
    THeaderSections& operator=(const THeaderSections&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    THeaderSection* Items(int index) const { return items_.at(index); }
    THeaderSection* Add(const AnsiString& text = AnsiString(), int width = 50);
    void Delete(int index);
    void Clear();
    THeaderControl* Header() const { return header_; }
    int IndexOf(const THeaderSection* section) const;

private:
    THeaderControl* header_;
    std::vector<THeaderSection*> items_;
};

// The system's header (SysHeader32) with its sections; the widths the user drags are read
// back from the window.
class THeaderControl : public TWinControl {
    CL_COMPONENT_CLASS(THeaderControl, TWinControl)

    explicit THeaderControl(TComponent* owner);
    void BeforeDestruction() override;

    THeaderSections* Sections() const { return sections_; }
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnSectionResize;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    friend class THeaderSection;
    friend class THeaderSections;
    void UpdateSection(int index, UINT mask);
    void InsertSection(int index);

    THeaderSections* sections_;

protected:
    ~THeaderControl() override = default;
};

// The older header: the same control under its own class name.
class THeader : public THeaderControl {
    CL_COMPONENT_CLASS(THeader, THeaderControl)

    explicit THeader(TComponent* owner) : THeaderControl(owner) {}

protected:
    ~THeader() override = default;
};

// ---------------------------------------------------------------------------------------------
// The system's rich edit (RichEdit20A) used as a memo: Lines, Text and CaretPos as the memo's,
// plus selection-change notifications.
class TCustomRichEdit : public TCustomMemo {
    CL_COMPONENT_CLASS(TCustomRichEdit, TCustomMemo)

    explicit TCustomRichEdit(TComponent* owner) : TCustomMemo(owner) {}
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnSelectionChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void SelectionChange();

private:
    void ApplyBackground();

protected:
    ~TCustomRichEdit() override = default;
};

class TRichEdit : public TCustomRichEdit {
    CL_COMPONENT_CLASS(TRichEdit, TCustomRichEdit)

    explicit TRichEdit(TComponent* owner) : TCustomRichEdit(owner) {}

protected:
    ~TRichEdit() override = default;
};
