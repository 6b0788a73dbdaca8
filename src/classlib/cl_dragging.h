// Mouse dragging: the one drag that runs at a time, from the press that may start it to the
// drop on a control (DragOver/DragDrop) or, for dkDock controls, on a dock site or into a float.
#pragma once

#include "cl_controls.h"

// How far the pointer moves (in either direction) before a drag that waits for it starts.
constexpr int DefaultDragThreshold = 5;

// Begins dragging `control` (see TControl::BeginDrag); nothing while a drag runs.
void BeginControlDrag(TControl* control, bool immediate, int threshold);
// The control being dragged (also while the drag waits for its threshold); null: none.
TControl* DragControl();
// Ends the running drag: with `drop`, dropped where the pointer is; otherwise cancelled.
void EndControlDrag(bool drop);
// A message reaching `control` while a drag runs: true when the drag took it.
bool DragMessage(TControl* control, TMessage& message);
// The latest mouse message: a drag starts from its screen position, and one begun with the
// left button down ends when a move comes without it.
void NoteMouseMessage(TPoint screenPos, bool leftButton);
// A control being destroyed: the drag forgets it (ending the drag when it is the dragged one).
void ForgetDragControl(TControl* control);
// The dock sites a docking drag looks for, in the order they became sites.
void RegisterDockSite(TWinControl* site, bool isSite);
