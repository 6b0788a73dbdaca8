// The main window's side of port selection: the Select Serial Port command and the device-change
// broadcasts of serial adapters being plugged in or pulled out.
#include "RadonMainForm.h"

#include <dbt.h>

#include "Radon.h"
#include "SettingsFile.h"

namespace {

// Posted by the device-change handler, so that the broadcast is answered at once; WParam holds
// the port number.
constexpr UINT WM_PORT_ARRIVED = 0x9F40;
constexpr UINT WM_PORT_REMOVED = 0x9F41;
constexpr int SerialPortHelpContext = 1073;
constexpr uint32_t PortSwitchSettleMs = 5000;

void DeviceChanged(HWND window, TMessage& message) {
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_HDR*>(message.LParam);
    if ((message.WParam & 0xC000) == 0x8000 && broadcast) {
        const int port = Monitor->HandleDeviceInterfaceChange(
            window, static_cast<uint32_t>(message.WParam), broadcast->dbch_devicetype,
            broadcast);
        if (port != -1 && message.WParam == DBT_DEVICEARRIVAL)
            PostMessageA(window, WM_PORT_ARRIVED, static_cast<WPARAM>(port), 0);
        if (port != -1 && message.WParam == DBT_DEVICEREMOVECOMPLETE)
            PostMessageA(window, WM_PORT_REMOVED, static_cast<WPARAM>(port), 0);
    }
    message.Result = TRUE;
}

void PortArrived(uint32_t port) {
    const uint32_t previous = Monitor->Port();
    Monitor->HandleDeviceInsertion(port);
    if (Monitor->Port() == previous || Monitor->Port() == 0) return;
    WritePortSetting();
    Monitor->WaitFor(PortSwitchSettleMs);
}

}  // namespace

void TRadonMainForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_DEVICECHANGE:
        DeviceChanged(WindowHandle(), message);
        break;
    case WM_PORT_ARRIVED:
        PortArrived(static_cast<uint32_t>(message.WParam));
        break;
    case WM_PORT_REMOVED:
        Monitor->HandleDeviceRemoval(static_cast<uint32_t>(message.WParam));
        break;
    default:
        TForm::WndProc(message);
    }
}

void TRadonMainForm::SerialPort1Click(TObject*) {
    if (Monitor->GetComPortDlg(this, Monitor->Port(), SerialPortHelpContext) == mrOk)
        WritePortSetting();
}
