# hv_resource_script_inputs(<out> <script>): the absolute paths of the files that
# <script> names. Also read by cmake/CheckResourceDependencies.cmake, in script mode.
function(hv_resource_script_inputs out script)
  file(READ ${script} text)
  get_filename_component(folder ${script} DIRECTORY)
  string(REGEX MATCHALL "\n[ \t]*[A-Za-z0-9_]+[ \t]+[A-Za-z0-9_]+[ \t]+\"[^\"\n]+\"" statements
    "\n${text}")
  set(inputs "")
  foreach(statement IN LISTS statements)
    string(REGEX REPLACE ".*\"([^\"]+)\"$" "\\1" input "${statement}")
    cmake_path(ABSOLUTE_PATH input BASE_DIRECTORY ${folder} NORMALIZE)
    list(APPEND inputs ${input})
  endforeach()
  set(${out} "${inputs}" PARENT_SCOPE)
endfunction()

# hv_resource_script(<target> <script>): compiles the resource script <script> into
# <target>, and makes every file that the script names (the quoted file after a
# resource's name and type, such as `FORMSERVICEPACK RCDATA "..."`) a dependency of
# its object. windres reports only the headers it includes, so without this an
# edited picture, manifest, description or payload would not be linked again and
# the program would silently keep the old one. A relative name is taken from the
# script's folder. The property is set in the target's own folder, where the
# target's build rules look for it, wherever this is called from.
function(hv_resource_script target script)
  hv_resource_script_inputs(inputs ${script})
  if(NOT inputs)
    message(FATAL_ERROR "${script} names no file")
  endif()
  target_sources(${target} PRIVATE ${script})
  set_source_files_properties(${script} TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${inputs}")
endfunction()

# hv_manifest(<file> NAME <assembly name> DESCRIPTION <text> LEVEL <level> [WINDOWS]):
# writes the manifest <file> from resources/program.manifest.in, the one template of
# every program we build for Windows: the execution level (requireAdministrator for
# the installer, asInvoker for the rest), the Windows versions the program knows, and
# with WINDOWS, for a program that makes or drives windows, the version 6 common
# controls and the installer's DPI setting (resources/program-windows.manifest.in).
function(hv_manifest file)
  cmake_parse_arguments(M "WINDOWS" "NAME;DESCRIPTION;LEVEL" "" ${ARGN})
  if(NOT M_NAME OR NOT M_DESCRIPTION OR NOT M_LEVEL MATCHES "^(asInvoker|requireAdministrator)$")
    message(FATAL_ERROR "hv_manifest(${file}): NAME, DESCRIPTION and LEVEL asInvoker or requireAdministrator")
  endif()
  set(HV_MANIFEST_NAME ${M_NAME})
  set(HV_MANIFEST_DESCRIPTION ${M_DESCRIPTION})
  set(HV_MANIFEST_LEVEL ${M_LEVEL})
  set(HV_MANIFEST_VERSION ${PROJECT_VERSION}.0.0)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(HV_MANIFEST_ARCHITECTURE amd64)
  else()
    set(HV_MANIFEST_ARCHITECTURE x86)
  endif()
  set(HV_MANIFEST_WINDOWS "")
  if(M_WINDOWS)
    file(READ ${PROJECT_SOURCE_DIR}/resources/program-windows.manifest.in HV_MANIFEST_WINDOWS)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
      ${PROJECT_SOURCE_DIR}/resources/program-windows.manifest.in)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/resources/program.manifest.in ${file} @ONLY)
endfunction()

# hv_program_manifest(<target> [WINDOWS]): a manifest for a Windows program of ours
# other than the installer (whose resource script names its own): asInvoker, and the
# rest as hv_manifest says, compiled in through a resource script of its own.
function(hv_program_manifest target)
  cmake_parse_arguments(P "WINDOWS" "" "" ${ARGN})
  set(windows "")
  if(P_WINDOWS)
    set(windows WINDOWS)
  endif()
  get_target_property(folder ${target} BINARY_DIR)
  set(manifest ${folder}/${target}.manifest)
  hv_manifest(${manifest} NAME Quillmoor.HalvoraPluginInstaller.${target}
    DESCRIPTION "${target}, of the Halvora plugin installer's build" LEVEL asInvoker ${windows})
  file(CONFIGURE OUTPUT ${folder}/${target}_manifest.rc
    CONTENT "// The manifest of ${target} (cmake/ResourceScript.cmake).\n#include <winresrc.h>\n\nCREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${manifest}\"\n")
  hv_resource_script(${target} ${folder}/${target}_manifest.rc)
endfunction()
