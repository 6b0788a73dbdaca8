#include "UiGroupItems.h"

#include "UiGroupBox.h"
#include "UiUtils.h"

namespace {
constexpr int GlyphWidth = 13;
constexpr int MaxColumns = 16;

int CaptionWidth(HDC dc, TControl* item) {
    const AnsiString text = RemovePrefixChars(item->Caption());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
    return size.cx;
}

std::vector<int> FittedColumnWidths(TFont* font, const std::vector<TControl*>& items,
                                    int columns, int rows) {
    std::vector<int> widths(columns, 0);
    ScreenDC screen;
    HGDIOBJ previous = SelectObject(screen, font->Handle());
    for (size_t i = 0; i < items.size(); ++i) {
        int& width = widths[i / rows];
        width = Max(width, CaptionWidth(screen, items[i]) + GlyphWidth + 12);
    }
    SelectObject(screen, previous);
    return widths;
}
}  // namespace

int ClampGroupColumns(int columns) { return Max(1, Min(columns, MaxColumns)); }

void ArrangeGroupItems(TUiCustomGroupBox* group, const std::vector<TControl*>& items,
                       const TUiGroupItemLayout& layout) {
    if (items.empty() || group->InState(csLoading)) return;
    const int count = static_cast<int>(items.size());
    const int columns = ClampGroupColumns(layout.Columns);
    const int rows = (count + columns - 1) / columns;
    const int evenWidth =
        (group->Width() - layout.StartXPos - 2 * group->BorderWidth() - 10) / columns;
    TFont* font = layout.ItemFont ? layout.ItemFont : group->Font();
    const std::vector<int> widths = layout.SpaceEvenly
                                        ? std::vector<int>(columns, evenWidth)
                                        : FittedColumnWidths(font, items, columns, rows);
    TRect area = group->ClientRect();
    group->AdjustClientRect(area);
    const int top = area.Top + layout.StartYPos;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows, row = i % rows;
        const int y = row * (layout.ItemHeight + layout.VerticalSpacing) + top;
        int x = 0;
        for (int c = 0; c < column; ++c) x += widths[c];
        const int width = layout.SpaceEvenly ? evenWidth : widths[column] - 4;
        items[i]->SetBounds(x + layout.StartXPos, y, width, layout.ItemHeight);
        items[i]->SetFont(font);
        items[i]->SetVisible(true);
    }
}

bool TabOnEnterKey(TWinControl* group, bool tabOnEnter, char& key) {
    if (!tabOnEnter || key != '\r') return false;
    key = 0;
    if (group->HandleAllocated()) PostMessageA(group->Handle(), WM_KEYDOWN, VK_TAB, 0);
    return true;
}
