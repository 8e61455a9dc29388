# Settings every target of ours shares; applied per target, never globally.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

set(HV_FUZZ OFF CACHE BOOL "Build the libFuzzer targets (needs clang)")

# hv_settings(target): the project's compile settings for one of its own targets.
function(hv_settings target)
  target_compile_features(${target} PUBLIC cxx_std_17)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    # ANSI entry points: the product speaks the system code page.
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT
      _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
  if(HV_FUZZ)
    # Everything a fuzzer links is instrumented for coverage and checked by the
    # sanitizers; executables other than fuzzers link the sanitizer runtimes.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# hv_static_runtime(target): a Windows program that needs no DLL beyond Windows' own.
function(hv_static_runtime target)
  if(WIN32)
    # No time stamp in the PE header either: the same sources give the same bytes.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
  endif()
endfunction()
