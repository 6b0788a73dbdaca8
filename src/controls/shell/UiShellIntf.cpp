#include "UiShellIntf.h"

void TUiComStartup::Start() { startedHere_ = CoInitialize(nullptr) == S_OK; }

void TUiComStartup::Stop() {
    if (startedHere_) CoUninitialize();
    startedHere_ = false;
}

namespace {

class TShellComUnit {
public:
    TShellComUnit() { com_.Start(); }
    ~TShellComUnit() { com_.Stop(); }
    const TUiComStartup& Com() const { return com_; }

private:
    TUiComStartup com_;
};

}  // namespace

const TUiComStartup& ShellComStartup() {
    static TShellComUnit unit;
    return unit.Com();
}
