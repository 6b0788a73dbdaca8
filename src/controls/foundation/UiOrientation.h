// The direction a control lays out or turns its contents and the kind of its hot-track colour,
// kept apart from the other shared enumerations so that units mixed with the chart engine's
// headers can use them.
#pragma once

enum TOrientation { orHorizontal, orVertical };
enum TUiHotTrackColorType { htctComplement, htctActual };
