# GoogleTest from Debian's source package, built with the same compiler as the
# code under test, so that the Windows tests link against a MinGW build of it.
include(CTest)
set(HV_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(BUILD_TESTING AND NOT HV_FUZZ)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${HV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# hv_test(name SOURCES... LIBS ...): one test program, registered as one ctest
# entry (under Wine in the Windows build, through the cross-compiling emulator).
function(hv_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  hv_settings(${name})
  hv_static_runtime(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(WIN32)
    # Windows tests share one Wine desktop: focus, foreground and screen reads of one
    # would be disturbed by the windows of another, so they run one at a time.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
  if(T_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# hv_wine_path(out unix_path): the path as a Windows program under Wine sees it
# (the Unix file system is drive Z:), for test programs that open build outputs.
function(hv_wine_path out unix_path)
  string(REPLACE "/" "\\\\" windows_path "${unix_path}")
  set(${out} "Z:${windows_path}" PARENT_SCOPE)
endfunction()
