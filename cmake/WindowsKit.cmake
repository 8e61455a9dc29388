# Packs the Windows test kit (tests/kit): copies the files that KIT/kit-files.txt
# names ("place=file" lines) into KIT/NAME/, adds the lists, README.txt and
# run-tests.cmd with Windows line ends, and zips the folder's contents as
# KIT/NAME.zip with Debian's zip, entries sorted and dated by the last commit, so
# that the same build gives the same zip.
#
# With a certificate in the environment, as make release takes it (SIGN_CERT and
# SIGN_KEY, or SIGN_PKCS12; SIGN_PASS_FILE, TIMESTAMP_URL and PRODUCT_URL optional),
# every program of the kit is signed the way the release is (scripts/sign-installer.sh,
# signing time the last commit's): Windows 11's Smart App Control blocks unsigned
# programs and DLLs. The payload's files stay as stored, and the copy of the installer
# in data\signed keeps the test authority's signature that the start-up test expects.
#
#   cmake -DKIT=folder -DNAME=... -DVERSION=... -DBITS=32-bit|64-bit -DPAYLOAD=text
#         -DSOURCE=tests/kit -DREPOSITORY=root -P cmake/WindowsKit.cmake
foreach(variable IN ITEMS KIT NAME VERSION BITS PAYLOAD SOURCE REPOSITORY)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "WindowsKit.cmake: -D${variable}=... is missing")
  endif()
endforeach()
set(stage ${KIT}/${NAME})
set(zip ${KIT}/${NAME}.zip)
file(REMOVE_RECURSE ${stage})
file(REMOVE ${zip})

file(STRINGS ${KIT}/kit-files.txt lines)
foreach(line IN LISTS lines)
  string(FIND "${line}" "=" equals)
  string(SUBSTRING "${line}" 0 ${equals} place)
  math(EXPR after "${equals} + 1")
  string(SUBSTRING "${line}" ${after} -1 file)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "the test kit's ${place} should be ${file}, which does not exist")
  endif()
  get_filename_component(folder ${stage}/${place} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${file} ${stage}/${place})
endforeach()

# Notepad and cmd.exe want CRLF; cmd.exe misreads some batch files without it.
function(windows_text from to)
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()
windows_text(${KIT}/kit-tests.txt ${stage}/tests/kit-tests.txt)
windows_text(${KIT}/kit-test-data.txt ${stage}/tests/test-data.txt)
windows_text(${SOURCE}/run-tests.cmd ${stage}/run-tests.cmd)

# Every entry dated by the last commit (or a fixed day outside a checkout), in UTC, and
# without the extra fields of owner and access times: the same build gives the same zip.
execute_process(COMMAND git -C ${REPOSITORY} log -1 --format=%ct
  OUTPUT_VARIABLE stamp OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_result)
if(NOT git_result EQUAL 0 OR NOT stamp MATCHES "^[0-9]+$")
  set(stamp 1704067200)  # 2024-01-01
endif()
set(signed 0)
if(NOT "$ENV{SIGN_CERT}$ENV{SIGN_KEY}$ENV{SIGN_PKCS12}" STREQUAL "")
  file(GLOB_RECURSE programs RELATIVE ${stage} ${stage}/*.exe ${stage}/*.dll)
  list(FILTER programs EXCLUDE REGEX "^data/(payload|containers|signed)/")
  list(SORT programs)
  foreach(program IN LISTS programs)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SIGN_TIME=${stamp}
        ${REPOSITORY}/scripts/sign-installer.sh ${stage}/${program} ${stage}/${program}
      OUTPUT_QUIET RESULT_VARIABLE sign_result)
    if(NOT sign_result EQUAL 0)
      message(FATAL_ERROR "could not sign the test kit's ${program}")
    endif()
  endforeach()
  list(LENGTH programs signed)
  message(STATUS "Windows test kit: ${signed} programs signed")
endif()

set(KIT_NAME ${NAME})
set(MINUTES "2 to 5")  # one under Wine on two cores
if(signed)
  set(SIGNED "signed: its ${signed} programs carry our signature")
else()
  set(SIGNED "not signed")
endif()
configure_file(${SOURCE}/README.txt ${KIT}/README.txt @ONLY)
windows_text(${KIT}/README.txt ${stage}/README.txt)

file(GLOB_RECURSE entries RELATIVE ${stage} ${stage}/*)
list(SORT entries)
list(JOIN entries "\n" entry_text)
file(WRITE ${KIT}/zip-entries.txt "${entry_text}\n")
find_program(ZIP_TOOL zip)
if(NOT ZIP_TOOL)
  message(FATAL_ERROR "no zip: scripts/bootstrap.sh installs it (Debian package zip)")
endif()
execute_process(COMMAND touch -d @${stamp} ${entries} WORKING_DIRECTORY ${stage}
  RESULT_VARIABLE touch_result)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP_TOOL} -q -X -D -9 ${zip} -@
  INPUT_FILE ${KIT}/zip-entries.txt WORKING_DIRECTORY ${stage} RESULT_VARIABLE zip_result)
if(NOT touch_result EQUAL 0 OR NOT zip_result EQUAL 0)
  message(FATAL_ERROR "could not write ${zip}")
endif()
list(LENGTH entries count)
file(SIZE ${zip} size)
math(EXPR megabytes "(${size} + 524288) / 1048576")
message(STATUS "Windows test kit: ${zip} (${count} files, ${megabytes} MB)")
