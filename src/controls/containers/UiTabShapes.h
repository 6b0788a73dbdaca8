// Geometry of the tab control's drawing: the outline of every tab style, the face rectangle
// inside a tab, and the pen commands that stroke tab outlines and card frames.
#pragma once

#include <vector>

#include "UiTabData.h"
#include "cl_types.h"

// What the shape of a tab depends on.
struct TUiTabGeometry {
    TUiTabStyle Style = tsSingleSlant;
    TUiTabOrientation Orientation = toTop;
    bool VerticalText = false;
    bool SoftCorners = false;
    int CutCornerSize = 6;
    int TabOverlap = -1;

    bool Horizontal() const { return Orientation == toTop || Orientation == toBottom; }
    // How far neighbouring tabs of this length overlap, and how wide a slant is.
    int Offset(int length) const;
};

// The outline of a tab laid out at `rect` (strip coordinates), from the bottom-left corner
// around the top to the bottom-right corner; the base on the card is no edge of it.
std::vector<TPoint> TabOutline(const TUiTabGeometry& geometry, const TRect& rect);
// The number of points TabOutline gives for the style.
int TabOutlinePointCount(const TUiTabGeometry& geometry);
// The room for image and caption inside a tab drawn at `rect` (control coordinates).
TRect TabFaceRect(const TUiTabGeometry& geometry, const TRect& rect);

// Pen commands: one integer, or a code with a point.
enum TUiTabCommand {
    tcFrameColor = 0,
    tcElement = 2,
    tcMoveTo = 3,
    tcLineTo = 4,
    tcDarkShadow = 5,
    tcLightShadow = 6
};

class TUiTabCommands {
public:
    void Clear() { items_.clear(); }
    void Add(int code) { items_.push_back(code); }
    void AddPt(int code, TPoint p) { items_.insert(items_.end(), {code, p.X, p.Y}); }
    bool HasShadow() const;
    const std::vector<int>& Items() const { return items_; }

private:
    std::vector<int> items_;
};

// Strokes the outline points (control coordinates) of a tab of the style.
void AddTabOutlineCommands(TUiTabCommands& commands, const TUiTabGeometry& geometry,
                           const std::vector<TPoint>& points);

// The card frame of one row: open between A and B where the active tab joins the card.
struct TUiCardFrame {
    TRect Card;
    bool Open = false;
    TPoint A, B;
    bool Full = true;
    // Top tabs in standard order with a shadow: the frame stops two pixels short of the right
    // and bottom edges, which the shadow fills.
    bool Shadowed = false;
    bool DrawShadow = true;
};
void AddCardFrameCommands(TUiTabCommands& commands, const TUiTabGeometry& geometry,
                          const TUiCardFrame& frame);
