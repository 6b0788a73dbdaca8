#include "UiMaskEdit.h"

namespace {

const bool maskEditPropertiesRegistered = [] {
    using C = TUiMaskEdit;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubReadOnlyColors | fpubNotifications);
    RegisterProperty(meta, StringProperty<C>("EditMask", &C::EditMask, &C::SetEditMask));
    RegisterProperty(meta, StringProperty<C>("Text", &C::GetText, &C::SetText));
    RegisterProperty(meta, OrdinalProperty<C>("TabOnEnter", pkBool, &C::TabOnEnter,
                                              &C::SetTabOnEnter, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ReadOnly", pkBool, &C::GetReadOnly,
                                              &C::SetReadOnly, 0));
    return true;
}();

}  // namespace
