#include "UiMemo.h"

namespace {

const bool memoPropertiesRegistered = [] {
    RegisterFramedMemoProperties<TUiMemo>();
    return true;
}();

}  // namespace

TUiMemo::TUiMemo(TComponent* owner) : TUiFramedMemo<TMemo>(owner) {}
