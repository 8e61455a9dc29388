#!/usr/bin/env bash
# check-includes.sh [ROOT]: the include rules of src/, tools/, tests/ and bench/ that
# the compiler cannot see. The layers themselves are the build's: each source file is
# compiled with the include roots of the folders it may stand on and no others
# (cmake/Layers.cmake). What is left:
#  - an include <...> names a C or C++ standard header or one of the few others below;
#    any other is a platform header, which only src/system/winapi.h includes;
#  - an include "..." names a file of its own folder, or a header by its path from an
#    include root (`toolkit/win32/Form.h`, `tools/common/InputFile.h`): never with
#    "..", nor by a path from its own folder, which the compiler would take before the
#    roots (`win32/Form.h` from src/toolkit would reach a Win32 header).
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

standard='algorithm|any|array|atomic|barrier|bit|bitset|charconv|chrono|codecvt|compare|complex'
standard+='|concepts|condition_variable|coroutine|deque|exception|execution|filesystem|format'
standard+='|forward_list|fstream|functional|future|initializer_list|iomanip|ios|iosfwd|iostream'
standard+='|istream|iterator|latch|limits|list|locale|map|memory|memory_resource|mutex|new'
standard+='|numbers|numeric|optional|ostream|queue|random|ranges|ratio|regex|scoped_allocator'
standard+='|semaphore|set|shared_mutex|source_location|span|sstream|stack|stdexcept|stop_token'
standard+='|streambuf|string|string_view|syncstream|system_error|thread|tuple|type_traits'
standard+='|typeindex|typeinfo|unordered_map|unordered_set|utility|valarray|variant|vector|version'
c='assert|complex|ctype|errno|fenv|float|inttypes|iso646|limits|locale|math|setjmp|signal'
c+='|stdalign|stdarg|stdatomic|stdbool|stddef|stdint|stdio|stdlib|stdnoreturn|string|tgmath'
c+='|threads|time|uchar|wchar|wctype'
# Beside the standard ones: the libraries the tests and benchmarks link, the compiler's
# CPU intrinsics, and the C runtime's file, memory-mapping and process calls.
others='(gtest|gmock|benchmark)/.*|(zlib|lz4|cpuid|immintrin)\.h'
others+='|(sys/stat|sys/types|sys/resource|sys/mman|unistd|fcntl|io|process)\.h'
allowed="^(($standard)|($c)\\.h|c($c)|$others)\$"

problems=0 includes=0
fail() { echo "$1"; problems=$((problems + 1)); }
while IFS= read -r line; do
  file=${line%%:*}; rest=${line#*:}; where="$file:${rest%%:*}"; text=${rest#*:}
  includes=$((includes + 1))
  if [[ $text =~ \<([^>]*)\> ]]; then
    header=${BASH_REMATCH[1]}
    if [ "$file" != src/system/winapi.h ] && ! [[ $header =~ $allowed ]]; then
      fail "$where: includes the platform header <$header>; only src/system/winapi.h may"
    fi
  elif [[ $text =~ \"([^\"]*)\" ]]; then
    name=${BASH_REMATCH[1]}
    if [[ $name == *..* ]]; then
      fail "$where: includes \"$name\" through ..: name a header by its path from its root"
    elif [[ $name == */* ]] && [ -e "$(dirname "$file")/$name" ]; then
      fail "$where: includes \"$name\" by its path from this folder: name it from its root"
    fi
  fi
done < <(grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' src tools tests bench)
echo "include check: $includes includes, $problems problems"
[ "$problems" -eq 0 ]
