#!/usr/bin/env bash
# Checks that an installer executable carries, byte for byte, the window description
# and the CRC-32 that its build made (the RCDATA resources FORMSERVICEPACK and
# FORMSERVICEPACK_CRC), so that a release can never ship the payload of an earlier
# build. Reads the resources with windres, which takes them out of the executable.
#
#   scripts/stored-description.sh EXE DESCRIPTION CRC
set -euo pipefail
exe=${1:?usage: stored-description.sh EXE DESCRIPTION CRC}
description=${2:?usage: stored-description.sh EXE DESCRIPTION CRC}
crc=${3:?usage: stored-description.sh EXE DESCRIPTION CRC}
fail() { echo "stored-description: $exe: $*" >&2; exit 1; }

resources=$(mktemp)
trap 'rm -f "$resources"' EXIT
i686-w64-mingw32-windres -i "$exe" -O res -o "$resources" || fail "cannot read its resources"

# Prints "offset size" of the data of the resource named $1 in the .res file: entries
# of a 32-bit data size, a header size, the type, the name (UTF-16 up to a 0, or an
# ordinal) and more header, then the data, each entry starting on a 4-byte boundary.
resource_span() {
  local want=$1 offset=0 total size header name unit
  total=$(stat -c %s "$resources")
  while [ "$offset" -lt "$total" ]; do
    read -r size header < <(od -An -tu4 -j "$offset" -N 8 "$resources")
    name=""
    for unit in $(od -An -tu2 -v -j $((offset + 12)) -N $((header - 12)) "$resources"); do
      [ "$unit" -eq 0 ] || [ "$unit" -gt 127 ] && break
      name+=$(printf "\\$(printf %o "$unit")")
    done
    if [ "$name" = "$want" ]; then
      echo "$((offset + header)) $size"
      return 0
    fi
    offset=$(((offset + header + size + 3) / 4 * 4))
  done
  return 1
}

# Whether the resource named $1 holds exactly the bytes of the file $2.
carries() {
  local span offset size
  span=$(resource_span "$1") || fail "has no resource $1"
  read -r offset size <<<"$span"
  [ "$size" -eq "$(stat -c %s "$2")" ] && cmp -s -n "$size" -i "$offset:0" "$resources" "$2"
}

carries FORMSERVICEPACK "$description" || fail "carries another window description than $description"
carries FORMSERVICEPACK_CRC "$crc" || fail "carries another CRC-32 than $crc"
echo "stored-description: $(basename "$exe") carries the description just built" \
  "($(stat -c %s "$description") bytes, CRC-32 $(od -An -tx4 "$crc" | tr -d ' '))"
