# The facts of this build that the scripts and the Makefile need, said here once and
# written to <build>/project-facts.sh at every configure. Bash sources it; make reads
# it in a recipe (`. build/win/project-facts.sh && ...`). Nothing else parses
# CMakeLists.txt or the payload manifest.
#
#   HV_VERSION         the product's version (project() in CMakeLists.txt)
#   HV_PAYLOAD_SETS    the stored-file sets, in manifest order (cmake/Payload.cmake)
#   HV_PAYLOAD_BYTES   the decoded size of the whole payload
#   HV_RELEASE_NAME    the installer's published file name (Windows builds)
#   HV_KIT_NAME        the Windows test kit's name, and HV_KIT_ZIP its zip relative to
#                      the build folder (Windows builds); -x64 marks the 64-bit twin
if(WIN32)
  if(HV_PAYLOAD_STANDINS)
    set(HV_RELEASE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-standin.exe)
  else()
    set(HV_RELEASE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}.exe)
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(HV_KIT_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-tests-x64)
  else()
    set(HV_KIT_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-tests)
  endif()
  set(HV_KIT_ZIP tests/kit/${HV_KIT_NAME}.zip)
endif()
list(JOIN HV_PAYLOAD_SETS " " _hv_sets)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/project-facts.sh CONTENT [[
# Written by cmake/ProjectFacts.cmake at configure time; do not edit.
HV_VERSION=@PROJECT_VERSION@
HV_PAYLOAD_SETS='@_hv_sets@'
HV_PAYLOAD_BYTES=@HV_PAYLOAD_BYTES@
HV_RELEASE_NAME=@HV_RELEASE_NAME@
HV_KIT_NAME=@HV_KIT_NAME@
HV_KIT_ZIP=@HV_KIT_ZIP@
]] @ONLY)
