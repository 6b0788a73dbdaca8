// The direction a control lays out or turns its contents, kept apart from the other shared
// enumerations so that units mixed with the chart engine's headers can use it.
#pragma once

enum TOrientation { orHorizontal, orVertical };
