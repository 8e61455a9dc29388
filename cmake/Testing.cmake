# GoogleTest from Debian's source package, built with the same compiler as the
# code under test, so that the Windows tests link against a MinGW build of it.
include(CTest)
set(HV_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(BUILD_TESTING AND NOT HV_FUZZ)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${HV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(WIN32)
    # The Windows test programs travel in the test kit: the file names that
    # GoogleTest's messages carry name no folder of this machine.
    foreach(library IN ITEMS gtest gtest_main gmock gmock_main)
      target_compile_options(${library} PRIVATE -ffile-prefix-map=${HV_GTEST_SOURCE}=googletest)
    endforeach()
  endif()
endif()

# hv_test(name [WINDOWS] SOURCES... LIBS ...): one test program, registered as one ctest
# entry (under Wine in the Windows build, through the cross-compiling emulator). In the
# Windows build it carries a manifest (cmake/ResourceScript.cmake); WINDOWS: it makes or
# drives windows, and takes the installer's common controls and DPI setting.
function(hv_test name)
  cmake_parse_arguments(T "WINDOWS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  hv_settings(${name})
  hv_static_runtime(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(WIN32)
    # GoogleTest's headers by a folder name of their own, as its library (above).
    target_compile_options(${name} PRIVATE -ffile-prefix-map=${HV_GTEST_SOURCE}=googletest)
    if(T_WINDOWS)
      hv_program_manifest(${name} WINDOWS)
    else()
      hv_program_manifest(${name})
    endif()
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_property(GLOBAL APPEND PROPERTY HV_TEST_FOLDERS ${CMAKE_CURRENT_BINARY_DIR})
  if(WIN32)
    # Windows tests share one Wine desktop: focus, foreground and screen reads of one
    # would be disturbed by the windows of another, so they run one at a time.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(WIN32)
    # The Windows test kit runs the same program with the same limit, its whole output
    # in a log, from which the report takes the failed and skipped cases. Label "kit":
    # where make test runs a build's kit, ctest leaves these to it (scripts/run-tests.sh).
    hv_kit_test(${name} ${T_TIMEOUT} ${name})
    set_tests_properties(${name} PROPERTIES LABELS kit)
  endif()
endfunction()

# hv_kit_test(name timeout program-target arguments...): one line of the Windows test
# kit's list (tests/kit), "name<TAB>seconds<TAB>program<TAB>arguments". The program
# lies in the kit's tests folder, which is also its working folder. The runner splits
# the arguments at spaces and puts back {kit}, the kit's own folder (quoting it).
function(hv_kit_test name timeout program)
  list(JOIN ARGN " " arguments)
  set_property(GLOBAL APPEND PROPERTY HV_KIT_TESTS "${name}\t${timeout}\t${program}.exe\t${arguments}")
  set_property(GLOBAL APPEND PROPERTY HV_KIT_PROGRAMS ${program})
endfunction()

# hv_test_data(key path): a file or folder the tests read, found by key through
# hv::test_data (tests/unit/support/TestData.h) in the list test-data.txt beside each
# test program. hv_write_test_data() writes the lists, each path relative to its
# folder; a relative path here (artifacts) stays relative to each test's own folder.
function(hv_test_data key path)
  get_property(known GLOBAL PROPERTY HV_TEST_DATA_${key} SET)
  if(known)
    get_property(known_path GLOBAL PROPERTY HV_TEST_DATA_${key})
    if(NOT known_path STREQUAL path)
      message(FATAL_ERROR "test data \"${key}\" is ${known_path} and ${path}")
    endif()
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY HV_TEST_DATA_KEYS ${key})
  set_property(GLOBAL PROPERTY HV_TEST_DATA_${key} ${path})
endfunction()

function(hv_write_test_data)
  get_property(folders GLOBAL PROPERTY HV_TEST_FOLDERS)
  get_property(keys GLOBAL PROPERTY HV_TEST_DATA_KEYS)
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    set(text "# Where the test programs of this folder find their data (cmake/Testing.cmake).\n")
    foreach(key IN LISTS keys)
      get_property(path GLOBAL PROPERTY HV_TEST_DATA_${key})
      if(IS_ABSOLUTE "${path}")
        file(RELATIVE_PATH path ${folder} ${path})
      endif()
      string(APPEND text "${key}=${path}\n")
    endforeach()
    file(GENERATE OUTPUT ${folder}/test-data.txt CONTENT "${text}")
  endforeach()
endfunction()

