#include "UiSysRes.h"

#include <windows.h>

#include "cl_sys.h"

namespace {

using GetResourcesProc = int(WINAPI*)(int);

// RSRC32.DLL, loaded on first use and kept until the program ends.
struct ResourceLibrary {
    HMODULE module = LoadLibraryA("RSRC32.DLL");
    ~ResourceLibrary() {
        if (module) FreeLibrary(module);
    }
};

}  // namespace

int GetFreeSystemResources(TFreeSystemResources kind) {
    if (Win32Platform != VER_PLATFORM_WIN32_WINDOWS) return 0;
    static ResourceLibrary library;
    if (!library.module) return 0;
    auto proc = reinterpret_cast<GetResourcesProc>(reinterpret_cast<void*>(
        GetProcAddress(library.module, "_MyGetFreeSystemResources32@4")));
    return proc ? proc(kind) : 0;
}
