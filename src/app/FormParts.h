// Pieces the application's windows build alike: their captioned labels and the file filter of
// their picture-open dialogs.
#pragma once

#include "cl_string.h"

class TComponent;
class TWinControl;
class TUiLabel;

// The picture files a picture slot, the signature and the header picture are chosen from.
extern const char* const PictureFileFilter;

// A transparent label at the given place; one taller than a line wraps its words.
TUiLabel* MakeLabel(TComponent* owner, TWinControl* parent, const AnsiString& name,
                    const AnsiString& caption, int x, int y, int w, int h = 15);
