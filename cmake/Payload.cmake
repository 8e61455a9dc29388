# The payload: five "SFP1" containers, one per stored-file set, packed at build time
# by sfpack from the files that resources/payload-manifest.txt names, in its order.
# The manifest is read by payloadgen alone (payloadgen list), never parsed here.
#
# HV_PAYLOAD_DIR names a folder of the real payload files, one subfolder per set
# (FileStoMD3/Type0008.md3, ...). Left empty, payloadgen writes deterministic
# stand-ins of the same names and sizes into <build>/payload/standin.
#
# For later targets:
#   HV_PAYLOAD_CONTAINERS   the five container paths, in manifest order
#   HV_PAYLOAD_<Set>        the container of one set, e.g. HV_PAYLOAD_FileStoMD3
#   HV_PAYLOAD_SETS         the set names, in manifest order
#   HV_PAYLOAD_FILES        SET/NAME of every stored file, in manifest order
#   HV_PAYLOAD_BYTES        the decoded size of the whole payload
#   HV_PAYLOAD_SOURCE_DIR   the folder of the files that are packed, one subfolder
#                           per set: HV_PAYLOAD_DIR, or the stand-ins' folder
#   HV_PAYLOAD_STANDINS     1 when the build packs the stand-ins, else 0: what tests
#                           know of the stand-in files holds only then
#   hv_payload              custom target that makes them; a target that reads a
#                           container adds add_dependencies(<it> hv_payload) and
#                           lists the path among its DEPENDS.
set(HV_PAYLOAD_DIR "" CACHE PATH
  "Folder of the real payload files, one subfolder per stored-file set (empty: stand-ins)")
set(HV_PAYLOAD_MANIFEST ${PROJECT_SOURCE_DIR}/resources/payload-manifest.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HV_PAYLOAD_MANIFEST})

if(HV_FUZZ)
  return()  # the fuzz build has no use for the payload
endif()

# hv_program_sources(target out-sources out-folders): the C++ sources of a program
# and of every library of ours that it links, as absolute paths, and their folders.
function(hv_program_sources target out_sources out_folders)
  set(sources "")
  set(folders "")
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(folder ${current} SOURCE_DIR)
    get_target_property(files ${current} SOURCES)
    foreach(file IN LISTS files)
      if(file MATCHES "\\.cpp$")
        cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${folder})
        list(APPEND sources ${file})
      endif()
    endforeach()
    list(APPEND folders ${folder})
    get_target_property(libraries ${current} LINK_LIBRARIES)
    foreach(library IN LISTS libraries)
      if(TARGET ${library})
        list(APPEND pending ${library})
      endif()
    endforeach()
  endwhile()
  set(${out_sources} ${sources} PARENT_SCOPE)
  set(${out_folders} ${folders} PARENT_SCOPE)
endfunction()

# --- the tools: built here natively, taken from the native build when cross-compiling
if(CMAKE_CROSSCOMPILING)
  if(NOT HV_HOST_TOOLS)
    message(FATAL_ERROR "HV_HOST_TOOLS must name the bin/ folder of a native build (sfpack, payloadgen)")
  endif()
  set(_hv_sfpack ${HV_HOST_TOOLS}/sfpack)
  set(_hv_payloadgen ${HV_HOST_TOOLS}/payloadgen)
  foreach(_hv_tool IN ITEMS ${_hv_sfpack} ${_hv_payloadgen})
    if(NOT EXISTS ${_hv_tool})
      message(FATAL_ERROR "${_hv_tool} does not exist yet: build the native preset before this one")
    endif()
  endforeach()
  set(_hv_manifest_reader ${_hv_payloadgen})
else()
  set(_hv_sfpack $<TARGET_FILE:sfpack>)
  set(_hv_payloadgen $<TARGET_FILE:payloadgen>)
  # The manifest is read here, before this build has made payloadgen: the same
  # program, compiled once more at configure time (and again when its sources change).
  set(_hv_manifest_reader ${CMAKE_BINARY_DIR}/payload/payloadgen-configure)
  hv_program_sources(payloadgen _hv_reader_sources _hv_reader_folders)
  set(_hv_reader_stale FALSE)
  foreach(_hv_folder IN LISTS _hv_reader_folders)
    file(GLOB _hv_files ${_hv_folder}/*.cpp ${_hv_folder}/*.h)
    foreach(_hv_file IN LISTS _hv_files)
      if(NOT EXISTS ${_hv_manifest_reader} OR ${_hv_file} IS_NEWER_THAN ${_hv_manifest_reader})
        set(_hv_reader_stale TRUE)
      endif()
    endforeach()
  endforeach()
  if(_hv_reader_stale)
    hv_layer_roots(_hv_reader_includes tools)
    try_compile(_hv_reader_built ${CMAKE_BINARY_DIR}/payload/payloadgen-configure.build
      SOURCES ${_hv_reader_sources}
      CMAKE_FLAGS "-DINCLUDE_DIRECTORIES=${_hv_reader_includes}"
      CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON
      OUTPUT_VARIABLE _hv_reader_log
      COPY_FILE ${_hv_manifest_reader})
    if(NOT _hv_reader_built)
      message(FATAL_ERROR "could not compile payloadgen to read the payload manifest:\n${_hv_reader_log}")
    endif()
  endif()
endif()

# --- the manifest: set, stored name, decoded size per file, as payloadgen reads it
execute_process(COMMAND ${_hv_manifest_reader} list ${HV_PAYLOAD_MANIFEST}
  OUTPUT_VARIABLE _hv_listing ERROR_VARIABLE _hv_listing_error RESULT_VARIABLE _hv_listed)
if(NOT _hv_listed EQUAL 0)
  message(FATAL_ERROR "${_hv_listing_error}")
endif()
set(HV_PAYLOAD_SETS "")
set(HV_PAYLOAD_FILES "")
set(HV_PAYLOAD_BYTES 0)
string(REGEX MATCHALL "[^\n]+" _hv_listing "${_hv_listing}")
foreach(_hv_line IN LISTS _hv_listing)
  separate_arguments(_hv_fields UNIX_COMMAND "${_hv_line}")
  list(GET _hv_fields 0 _hv_set)
  list(GET _hv_fields 1 _hv_name)
  list(GET _hv_fields 2 _hv_size)
  if(NOT _hv_set IN_LIST HV_PAYLOAD_SETS)
    list(APPEND HV_PAYLOAD_SETS ${_hv_set})
    set(_hv_names_${_hv_set} "")
  endif()
  list(APPEND _hv_names_${_hv_set} ${_hv_name})
  list(APPEND HV_PAYLOAD_FILES ${_hv_set}/${_hv_name})
  set(_hv_size_${_hv_set}/${_hv_name} ${_hv_size})
  math(EXPR HV_PAYLOAD_BYTES "${HV_PAYLOAD_BYTES} + ${_hv_size}")
endforeach()

# --- the files to pack -----------------------------------------------------------
if(HV_PAYLOAD_DIR)
  set(_hv_payload_source ${HV_PAYLOAD_DIR})
  set(_hv_missing "")
  foreach(_hv_set IN LISTS HV_PAYLOAD_SETS)
    foreach(_hv_name IN LISTS _hv_names_${_hv_set})
      set(_hv_file ${HV_PAYLOAD_DIR}/${_hv_set}/${_hv_name})
      if(NOT EXISTS ${_hv_file})
        list(APPEND _hv_missing "  ${_hv_set}/${_hv_name}: missing")
      else()
        file(SIZE ${_hv_file} _hv_actual)
        if(NOT _hv_actual EQUAL _hv_size_${_hv_set}/${_hv_name})
          list(APPEND _hv_missing
            "  ${_hv_set}/${_hv_name}: ${_hv_actual} bytes, the manifest says ${_hv_size_${_hv_set}/${_hv_name}}")
        endif()
      endif()
    endforeach()
  endforeach()
  if(_hv_missing)
    list(JOIN _hv_missing "\n" _hv_missing_text)
    message(FATAL_ERROR "HV_PAYLOAD_DIR=${HV_PAYLOAD_DIR} does not hold the payload the manifest "
      "(${HV_PAYLOAD_MANIFEST}) names:\n${_hv_missing_text}")
  endif()
else()
  set(_hv_payload_source ${CMAKE_BINARY_DIR}/payload/standin)
  set(_hv_standin_files "")
  foreach(_hv_set IN LISTS HV_PAYLOAD_SETS)
    foreach(_hv_name IN LISTS _hv_names_${_hv_set})
      list(APPEND _hv_standin_files ${_hv_payload_source}/${_hv_set}/${_hv_name})
    endforeach()
  endforeach()
  add_custom_command(
    OUTPUT ${_hv_standin_files}
    COMMAND ${_hv_payloadgen} ${HV_PAYLOAD_MANIFEST} ${_hv_payload_source}
    DEPENDS ${_hv_payloadgen} ${HV_PAYLOAD_MANIFEST}
    COMMENT "Generating the stand-in payload in ${_hv_payload_source}"
    VERBATIM)
endif()

set(HV_PAYLOAD_SOURCE_DIR ${_hv_payload_source})
if(HV_PAYLOAD_DIR)
  set(HV_PAYLOAD_STANDINS 0)
else()
  set(HV_PAYLOAD_STANDINS 1)
endif()

# --- one container per set, printed with its decoded and stored size --------------
set(HV_PAYLOAD_CONTAINERS "")
foreach(_hv_set IN LISTS HV_PAYLOAD_SETS)
  set(_hv_container ${CMAKE_BINARY_DIR}/payload/${_hv_set}.sfp)
  set(_hv_inputs "")
  foreach(_hv_name IN LISTS _hv_names_${_hv_set})
    list(APPEND _hv_inputs ${_hv_payload_source}/${_hv_set}/${_hv_name})
  endforeach()
  add_custom_command(
    OUTPUT ${_hv_container}
    COMMAND ${_hv_sfpack} pack ${_hv_container} ${_hv_inputs}
    DEPENDS ${_hv_sfpack} ${_hv_inputs}
    COMMENT "Packing ${_hv_set}"
    VERBATIM)
  set(HV_PAYLOAD_${_hv_set} ${_hv_container})
  list(APPEND HV_PAYLOAD_CONTAINERS ${_hv_container})
endforeach()
add_custom_target(hv_payload ALL DEPENDS ${HV_PAYLOAD_CONTAINERS})

# hv_payload_size(out set name): the decoded size the manifest gives a stored file.
function(hv_payload_size out set name)
  if(NOT DEFINED _hv_size_${set}/${name})
    message(FATAL_ERROR "the payload manifest has no ${set}/${name}")
  endif()
  set(${out} ${_hv_size_${set}/${name}} PARENT_SCOPE)
endfunction()
