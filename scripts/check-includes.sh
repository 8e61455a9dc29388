#!/usr/bin/env bash
# check-includes.sh [ROOT]: every #include of src/, tools/, tests/ and bench/ against
# the layer table of docs/ARCHITECTURE.md, which it reads from the doc itself.
#
# An include "..." may point into the including file's own folder or down a layer; a
# Win32 folder may also stand on the portable folders of its own layer. Pointing up,
# sideways, or from a portable folder into a Win32 one fails, and so does an include
# that names no file of the tree (the compiler would look beside the file, in src/,
# then in the folders a CMakeLists.txt puts on the include path).
# An include <...> may name a C or C++ standard header or one of the few others below;
# any other is a platform header, which only src/system/winapi.h includes.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
doc=docs/ARCHITECTURE.md
folders=(src tools tests bench)

# Headers beside the standard ones: the libraries the tests and benchmarks link, the
# compiler's CPU intrinsics, and the C runtime's file, memory-mapping and process calls.
allowed_other='^(gtest|gmock|benchmark)/|^(zlib|lz4|cpuid|immintrin)\.h$'
allowed_other+='|^(sys/stat|sys/types|sys/resource|sys/mman|unistd|fcntl|io|process)\.h$'

# table_folders LAYER KIND CELL: one line "LAYER n kind folder" for each folder that a
# cell of the layer table names in backquotes ("MISSING path" for a path the tree does
# not have); a file named there only explains the row.
table_folders() {
  # shellcheck disable=SC2016 # the backquotes are Markdown's
  { grep -oE '`(src|tools|tests|bench)(/[^`]*)?`' <<<"$3" || true; } | tr -d '`' |
    while read -r name; do
      if [ -d "$name" ]; then
        echo "LAYER ${1// /} $2 $name"
      elif [ ! -e "$name" ]; then
        echo "MISSING $name"
      fi
    done
}

{
  # The layer table: rows "| N | portable folders | Win32 folders |" of the Layers section.
  awk '/^## /{ in_layers = ($0 ~ /^## Layers/) } in_layers && /^\| *[0-9]+ *\|/' "$doc" |
    while IFS='|' read -r _ layer portable win32 _; do
      table_folders "$layer" portable "$portable"
      table_folders "$layer" win32 "$win32"
    done
  # The folders that CMake puts on the include path beside src/.
  { grep -rlE --include=CMakeLists.txt \
      'target_include_directories\([^)]*\$\{CMAKE_CURRENT_SOURCE_DIR\}[ )]' "${folders[@]}" ||
      true; } | sed -E 's#/CMakeLists.txt$##; s#^#INCDIR #'
  find "${folders[@]}" -type f | sed 's#^#FILE #'
  grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
    '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "${folders[@]}" | sed 's#^#INC #'
} | ALLOWED_OTHER=$allowed_other DOC=$doc awk '
function fail(message) { print message; ++problems }
# The table folder a path lies in: the longest one that holds it.
function folder_of(path,    best, f) {
  best = ""
  for (f in kind) {
    if ((path == f || index(path, f "/") == 1) && length(f) > length(best)) best = f
  }
  return best
}
function dir_of(path) { sub(/\/[^\/]*$/, "", path); return path }
# The file of the tree that an include "name" in file reaches, or "".
function resolve(file, name,    d) {
  if ((dir_of(file) "/" name) in files) return dir_of(file) "/" name
  if (("src/" name) in files) return "src/" name
  for (d in incdir) if ((d "/" name) in files) return d "/" name
  return ""
}
BEGIN {
  doc = ENVIRON["DOC"]; allowed_other = ENVIRON["ALLOWED_OTHER"]
  n = split("algorithm any array atomic barrier bit bitset charconv chrono codecvt compare " \
            "complex concepts condition_variable coroutine deque exception execution " \
            "filesystem format forward_list fstream functional future initializer_list " \
            "iomanip ios iosfwd iostream istream iterator latch limits list locale map " \
            "memory memory_resource mutex new numbers numeric optional ostream queue random " \
            "ranges ratio regex scoped_allocator semaphore set shared_mutex source_location " \
            "span sstream stack stdexcept stop_token streambuf string string_view " \
            "syncstream system_error thread tuple type_traits typeindex typeinfo " \
            "unordered_map unordered_set utility valarray variant vector version", cxx, " ")
  for (i = 1; i <= n; ++i) standard[cxx[i]] = 1
  # The C headers, as <name.h> and as <cname>.
  n = split("assert complex ctype errno fenv float inttypes iso646 limits locale math " \
            "setjmp signal stdalign stdarg stdatomic stdbool stddef stdint stdio stdlib " \
            "stdnoreturn string tgmath threads time uchar wchar wctype", c, " ")
  for (i = 1; i <= n; ++i) { standard[c[i] ".h"] = 1; standard["c" c[i]] = 1 }
}
$1 == "LAYER" { layer[$4] = $2 + 0; kind[$4] = $3; ++rows; next }
$1 == "MISSING" { fail(doc ": the layer table names " $2 ", which the tree does not have"); next }
$1 == "INCDIR" { incdir[$2] = 1; next }
$1 == "FILE" { files[$2] = 1; next }
$1 == "INC" { include_lines[++includes] = substr($0, 5) }
END {
  if (rows == 0) {
    fail(doc ": no layer table (rows \"| N | portable | Win32 |\" under \"## Layers\")")
    includes = 0
  }
  for (f in files) {
    if (rows > 0 && f ~ /\.(h|cpp|c)$/ && folder_of(f) == "") {
      fail(f ": lies in no folder of the layer table in " doc)
    }
  }
  for (i = 1; i <= includes; ++i) check(include_lines[i])
  printf "include check: %d includes, %d problems\n", includes, problems
  exit problems > 0
}
# line: "path:number:#include ..." as grep -n prints it.
function check(line,    at, file, where, text, header, name, from, target, to) {
  split(line, at, ":"); file = at[1]; where = at[1] ":" at[2]
  text = substr(line, length(where) + 2)
  if (match(text, /<[^>]*>/)) {
    header = substr(text, RSTART + 1, RLENGTH - 2)
    if (file != "src/system/winapi.h" && !(header in standard) && header !~ allowed_other) {
      fail(where ": includes the platform header <" header ">; only src/system/winapi.h may")
    }
    return
  }
  match(text, /"[^"]*"/); name = substr(text, RSTART + 1, RLENGTH - 2)
  target = resolve(file, name)
  if (target == "") { fail(where ": includes \"" name "\", which is no file of the tree"); return }
  from = folder_of(file); to = folder_of(target)
  if (from == "" || to == "" || from == to) return
  if (kind[from] == "portable" && kind[to] == "win32") {
    fail(where ": includes \"" name "\" of the Win32 folder " to " from the portable folder " from)
  } else if (layer[to] > layer[from]) {
    fail(where ": includes \"" name "\" of " to " (layer " layer[to] ") from " from " (layer " \
         layer[from] "): an include points down, never up")
  } else if (layer[to] == layer[from] && !(kind[from] == "win32" && kind[to] == "portable")) {
    fail(where ": includes \"" name "\" of " to " from " from ", beside it in layer " layer[to] \
         ": a folder stands only on lower layers")
  }
}'
