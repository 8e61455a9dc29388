# The layer table of docs/ARCHITECTURE.md as the compiler enforces it: every source
# file is compiled with the include roots of its own folder and of the folders it may
# stand on, and no other, so an include that points up, sideways, or from a portable
# folder into a Win32 one names a file the compiler cannot find.
#
# One row per folder: layer, column, folder. A portable folder stands on the portable
# folders of lower layers; a Win32 folder on every folder of lower layers and on the
# portable folders of its own; tools, tests and bench ("any") on every lower folder.
set(HV_LAYERS
  "1 portable src/base"
  "1 win32    src/system"
  "2 portable src/codec"
  "3 portable src/storage"
  "3 portable src/toolkit"
  "3 win32    src/storage/win32"
  "3 win32    src/toolkit/win32"
  "4 portable src/button"
  "4 win32    src/button/win32"
  "5 portable src/installer"
  "5 win32    src/installer/win32"
  "6 any      tools"
  "7 any      tests"
  "7 any      bench")

# A folder's headers are included by their path below src/ (`toolkit/win32/Form.h`),
# or from the top for tools, tests and bench (`tools/common/InputFile.h`). Each
# folder gets an include root of its own in <build>/include that holds only that
# folder under that path: a link to the folder, or, where a folder of the table lies
# inside it (toolkit/win32 inside toolkit), a link to each of its own headers.
set(HV_LAYER_FOLDERS "")
foreach(row IN LISTS HV_LAYERS)
  separate_arguments(fields UNIX_COMMAND "${row}")
  list(GET fields 0 layer)
  list(GET fields 1 column)
  list(GET fields 2 folder)
  list(APPEND HV_LAYER_FOLDERS ${folder})
  set(HV_LAYER_${folder} ${layer})
  set(HV_COLUMN_${folder} ${column})
endforeach()

foreach(folder IN LISTS HV_LAYER_FOLDERS)
  string(REGEX REPLACE "^src/" "" spelled ${folder})
  string(REPLACE "/" "-" name ${folder})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  set(HV_ROOT_${folder} ${root})
  set(HV_SPELLED_${folder} ${spelled})
  set(holds_table_folder FALSE)
  foreach(other IN LISTS HV_LAYER_FOLDERS)
    string(FIND "${other}" "${folder}/" at)
    if(at EQUAL 0)
      set(holds_table_folder TRUE)
    endif()
  endforeach()
  file(REMOVE_RECURSE ${root})
  get_filename_component(parent ${root}/${spelled} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(holds_table_folder)
    file(MAKE_DIRECTORY ${root}/${spelled})
    file(GLOB headers RELATIVE ${PROJECT_SOURCE_DIR}/${folder} CONFIGURE_DEPENDS
      ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    foreach(header IN LISTS headers)
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder}/${header} ${root}/${spelled}/${header} SYMBOLIC)
    endforeach()
  else()
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${spelled} SYMBOLIC)
  endif()
endforeach()

# The include roots a file of FOLDER may use, its own first.
function(hv_layer_roots out folder)
  set(roots ${HV_ROOT_${folder}})
  set(layer ${HV_LAYER_${folder}})
  set(column ${HV_COLUMN_${folder}})
  foreach(other IN LISTS HV_LAYER_FOLDERS)
    set(other_layer ${HV_LAYER_${other}})
    set(other_column ${HV_COLUMN_${other}})
    if(other STREQUAL folder)
      continue()
    elseif(other_layer LESS layer AND (NOT column STREQUAL "portable" OR other_column STREQUAL "portable"))
      list(APPEND roots ${HV_ROOT_${other}})
    elseif(other_layer EQUAL layer AND column STREQUAL "win32" AND other_column STREQUAL "portable")
      list(APPEND roots ${HV_ROOT_${other}})
    endif()
  endforeach()
  set(${out} ${roots} PARENT_SCOPE)
endfunction()

# The table folder that holds PATH (relative to the project), or "".
function(hv_layer_folder_of out path)
  set(best "")
  string(LENGTH "${best}" best_length)
  foreach(folder IN LISTS HV_LAYER_FOLDERS)
    string(FIND "${path}" "${folder}/" at)
    string(LENGTH "${folder}" length)
    if(at EQUAL 0 AND length GREATER best_length)
      set(best ${folder})
      set(best_length ${length})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# hv_layer_includes(target): each of the target's source files gets the include roots
# of its folder. Files outside the table (generated resource scripts) get none.
function(hv_layer_includes target)
  get_target_property(folder ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder} NORMALIZE OUTPUT_VARIABLE absolute)
    cmake_path(RELATIVE_PATH absolute BASE_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE path)
    hv_layer_folder_of(layer_folder "${path}")
    if(layer_folder)
      hv_layer_roots(roots ${layer_folder})
      set_property(SOURCE ${absolute} TARGET_DIRECTORY ${target} PROPERTY INCLUDE_DIRECTORIES ${roots})
    endif()
  endforeach()
  # Messages and debug information name a header by its place in the tree, not by
  # its link in <build>/include (relative to the tree where hv_settings says so).
  foreach(layer_folder IN LISTS HV_LAYER_FOLDERS)
    if(WIN32)
      set(real ${layer_folder})
    else()
      set(real ${PROJECT_SOURCE_DIR}/${layer_folder})
    endif()
    target_compile_options(${target} PRIVATE
      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${HV_ROOT_${layer_folder}}/${HV_SPELLED_${layer_folder}}=${real}>")
  endforeach()
endfunction()
