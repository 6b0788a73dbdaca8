// The column layout the radio and check groups share: item buttons fill the columns top to
// bottom, in equal columns over the group or in columns fitted to their captions.
#pragma once

#include <vector>

#include "cl_controls.h"

class TUiCustomGroupBox;

struct TUiGroupItemLayout {
    // The items' font; null for the group's.
    TFont* ItemFont = nullptr;
    int Columns = 1;
    bool SpaceEvenly = false;
    int StartXPos = 8;
    int StartYPos = 2;
    int ItemHeight = 17;
    int VerticalSpacing = 3;
};

// Columns are kept within 1..16.
int ClampGroupColumns(int columns);

// Places and shows `items` (laid out by their captions in the group's font).
void ArrangeGroupItems(TUiCustomGroupBox* group, const std::vector<TControl*>& items,
                       const TUiGroupItemLayout& layout);

// With `tabOnEnter`, swallows Enter and posts a Tab key-down to the group; true when it did.
bool TabOnEnterKey(TWinControl* group, bool tabOnEnter, char& key);
