# 64-bit Windows: the same sources, built to run the Windows tests where no 32-bit
# program can run (and, beside the 32-bit suite, so that no pointer-size assumption
# creeps in). Nothing of this build is shipped.
set(HV_MINGW_PROCESSOR x86_64)
set(HV_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
