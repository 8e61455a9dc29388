# Prints the size of the linked installer and how much of it is not payload, which
# is what the code, the pictures and the window description's settings cost.
#   cmake -DEXECUTABLE=<exe> -DPAYLOAD_DIR=<folder of the *.sfp containers> -P PrintExecutableSize.cmake
file(SIZE "${EXECUTABLE}" exe_size)
file(GLOB containers "${PAYLOAD_DIR}/*.sfp")
set(payload_size 0)
foreach(container IN LISTS containers)
  file(SIZE "${container}" container_size)
  math(EXPR payload_size "${payload_size} + ${container_size}")
endforeach()
math(EXPR rest_size "${exe_size} - ${payload_size}")
get_filename_component(exe_name "${EXECUTABLE}" NAME)
message(STATUS "${exe_name}: ${exe_size} bytes, of which ${payload_size} payload and ${rest_size} code and resources")
if(rest_size GREATER 1048576)
  message(WARNING "${exe_name}: the code and resources besides the payload exceed 1 MB")
endif()
