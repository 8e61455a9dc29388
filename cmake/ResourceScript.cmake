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
