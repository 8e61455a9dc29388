# Cross-compiles for Windows with MinGW-w64 and runs the results under Wine, so that
# add_test() commands execute the Windows test programs directly. Included by the
# toolchain file of each architecture, which sets HV_MINGW_PROCESSOR (i686, x86_64)
# and HV_WINE_ARCH (win32, win64: which Wine loader and prefix run the tests).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${HV_MINGW_PROCESSOR})

set(_hv_triplet ${HV_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${_hv_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_hv_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_hv_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_hv_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh;--arch=${HV_WINE_ARCH}")
