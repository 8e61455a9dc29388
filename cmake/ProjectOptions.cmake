# Settings every target of ours shares; applied per target, never globally.
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

set(HV_FUZZ OFF CACHE BOOL "Build the libFuzzer targets (needs clang)")
option(HV_SANITIZE "Build our targets with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# On by default, so that a warning stops the build where it appears; off for a
# compiler newer than Debian's that finds something new to say.
option(HV_WARNINGS_AS_ERRORS "Build the project's own targets with -Werror" ON)

# hv_warnings(target): the warnings of our own code, as errors. Only our targets get
# them: GoogleTest, Google Benchmark and the standard library are not ours to fix, so
# no warning flag is ever set for the whole build (CMAKE_CXX_FLAGS stays empty).
function(hv_warnings target)
  set(c_and_cxx -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wcast-align -Wunused -Wnull-dereference)
  set(cxx_only -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(HV_WARNINGS_AS_ERRORS)
    list(APPEND c_and_cxx -Werror)
  endif()
  # Not for resource scripts: windres takes none of these.
  target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:C,CXX>:${c_and_cxx}>"
    "$<$<COMPILE_LANGUAGE:CXX>:${cxx_only}>")
endfunction()

# hv_settings(target): the project's compile settings for one of its own targets.
function(hv_settings target)
  target_compile_features(${target} PUBLIC cxx_std_17)
  hv_warnings(${target})
  if(WIN32)
    # ANSI entry points: the product speaks the system code page.
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT
      _WIN32_WINNT=0x0601 WINVER=0x0601)
    # Source files by their path in the tree (tests/...): the Windows programs are
    # copied to other machines (the test kit) and name no folder of this one.
    target_compile_options(${target} PRIVATE
      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>")
  endif()
  if(HV_SANITIZE)
    # The asan preset: every overrun and undefined operation of the unit tests stops
    # the test that made it, with where it happened.
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(HV_FUZZ)
    # Everything a fuzzer links is instrumented for coverage and checked by the
    # sanitizers; executables other than fuzzers link the sanitizer runtimes.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  # Each source file sees only the folders its layer stands on (cmake/Layers.cmake).
  hv_layer_includes(${target})
endfunction()

# hv_static_runtime(target): a Windows program that needs no DLL beyond Windows' own.
function(hv_static_runtime target)
  if(WIN32)
    # No time stamp in the PE header either: the same sources give the same bytes.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
  endif()
endfunction()
