// The list box whose items are rows of tab-separated cells drawn in columns, and its tab stop
// list; stops are counted in average character widths and set by hand, fitted or read off a header.
#pragma once

#include "UiIntegerList.h"
#include "UiListBox.h"
#include "cl_comctrls.h"

class TUiCustomTabbedListBox;

class EHeaderError : public Exception {
public:
    using Exception::Exception;
};

enum TUiTabStopsMode { tsmManual, tsmAutomatic };

// Every change is passed on to the owning list box's window.
class TUiTabStopList : public TUiIntegerList {
    CL_CLASS(TUiTabStopList, TUiIntegerList)

    explicit TUiTabStopList(TUiCustomTabbedListBox* listBox = nullptr);

    void SetItem(int index, int value) override;
    int Add(int value) override;
    void Insert(int index, int value) override;
    void Delete(int index) override;
    void Clear() override;

private:
    void Changed();

    TUiCustomTabbedListBox* listBox_;
};

class TUiCustomTabbedListBox : public TUiCustomListBox {
    CL_COMPONENT_CLASS(TUiCustomTabbedListBox, TUiCustomListBox)

    // The window and the drawing take at most this many stops.
    static constexpr int MaxTabStops = 1000;

    explicit TUiCustomTabbedListBox(TComponent* owner);
    void BeforeDestruction() override;

    TUiTabStopList* TabStops() const { return tabStops_; }
    virtual void SetTabStops(TUiIntegerList* list);
    TUiTabStopsMode TabStopsMode() const { return tabStopsMode_; }
    virtual void SetTabStopsMode(TUiTabStopsMode value);
    // Pixels of one tab stop unit: the font's average character width, at least 1.
    int CharUnit() const { return charUnit_; }

    // The stops in dialog units (four to a character); count is at most MaxTabStops.
    virtual void GetTabArray(int& count, int* array);
    void UpdateTabStops();
    virtual void AdjustTabStops();
    virtual AnsiString GetCellText(int column, int row);
    virtual void SetCellText(int column, int row, const AnsiString& text);
    virtual void UpdateFromHeader(TControl* header);
    void AdjustHorzExtent() override;

protected:
    ~TUiCustomTabbedListBox() override = default;

    // Room before a non-group item's first cell when the stops are fitted.
    virtual int InitialTabStopOffset() { return 0; }
    void DefaultDrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void DrawGroup(int index, TRect rect, TOwnerDrawState state) override;
    void GroupFontChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;

private:
    // The stops in pixels, at most MaxTabStops.
    std::vector<int> TabPositions();
    void DrawTabbedText(const AnsiString& text, TRect rect);
    void AdjustIfAutomatic();
    // Where the cell starts in the text (1-based) and its length; raises for a bad column or row.
    void FindCell(int column, int row, int& start, int& length);

    TUiTabStopList* tabStops_;
    TUiTabStopsMode tabStopsMode_ = tsmManual;
    int charUnit_ = 6;
};

class TUiTabbedListBox : public TUiCustomTabbedListBox {
    CL_COMPONENT_CLASS(TUiTabbedListBox, TUiCustomTabbedListBox)

    explicit TUiTabbedListBox(TComponent* owner) : TUiCustomTabbedListBox(owner) {}

protected:
    ~TUiTabbedListBox() override = default;
};
