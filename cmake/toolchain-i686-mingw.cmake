# The shipped program: 32-bit Windows, run under Wine's 32-bit loader.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
# double in SSE2 registers as on x86_64, so both builds compute the same results (Extended stays
# on the x87 unit). Windows hands callbacks a stack aligned to 4 bytes only: realign it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
