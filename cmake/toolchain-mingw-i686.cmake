# 32-bit Windows: the installer we ship and its Windows tests.
set(HV_MINGW_PROCESSOR i686)
set(HV_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
