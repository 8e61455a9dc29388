// A directory search that filters entries by attribute the way the window
// toolkit's searches do: the filter names the special attributes an entry may
// carry; an entry carrying hidden, system, volume-label or folder without the
// filter naming it is passed over. Ordinary files always match.
#pragma once

#include <string>

#include "system/Handles.h"
#include "system/winapi.h"

constexpr DWORD faReadOnly = 0x01;
constexpr DWORD faHidden = 0x02;
constexpr DWORD faSysFile = 0x04;
constexpr DWORD faVolumeID = 0x08;
constexpr DWORD faDirectory = 0x10;
constexpr DWORD faArchive = 0x20;
constexpr DWORD faAnyFile = 0x3F;

class TDirectorySearch {
 public:
  // Starts the search for pattern (a path that may end in a mask) and moves to the
  // first entry that the filter lets through.
  TDirectorySearch(const std::string& pattern, DWORD attributeFilter);

  // Whether there is a current entry; false once the search has run out (or never started).
  bool Found() const { return found_; }
  // The current entry; only meaningful while Found().
  const WIN32_FIND_DATAA& Entry() const { return entry_; }
  std::string Name() const;
  bool IsFolder() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

  // Moves to the next entry that the filter lets through; returns Found().
  bool Next();

 private:
  void SkipExcluded();

  TFindHandle handle_;
  WIN32_FIND_DATAA entry_{};
  DWORD excluded_;
  bool found_ = false;
};
