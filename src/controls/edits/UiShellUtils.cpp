#include "UiShellUtils.h"

#include <vector>

namespace {

TUiModuleVersion ReadCommonControlsVersion() {
    TUiModuleVersion version;
    GetModuleVersion("comctl32.dll", version);
    return version;
}

}  // namespace

TUiModuleVersion COMCTL32_VER = ReadCommonControlsVersion();

bool IsWinNT() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool GetModuleVersion(const AnsiString& fileName, TUiModuleVersion& version) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return false;
    version.Low = info->dwFileVersionLS;
    version.High = info->dwFileVersionMS;
    return true;
}
