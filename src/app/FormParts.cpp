#include "FormParts.h"

#include "UiLabel.h"

const char* const PictureFileFilter =
    "All (*.gif;*.jpg;*.jpeg;*.bmp)|*.gif;*.jpg;*.jpeg;*.bmp|GIF Image (*.gif)|*.gif|JPEG Image "
    "File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";

TUiLabel* MakeLabel(TComponent* owner, TWinControl* parent, const AnsiString& name,
                    const AnsiString& caption, int x, int y, int w, int h) {
    auto* label = PlaceControl<TUiLabel>(owner, parent, name, x, y, w, h);
    label->SetCaption(caption);
    label->SetWordWrap(h > 15);
    label->SetTransparent(true);
    return label;
}
