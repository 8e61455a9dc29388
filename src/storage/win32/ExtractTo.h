// Where a stored-file set writes its files: a base folder and a folder below it.
#pragma once

#include <cstdint>
#include <string>

#include "base/Component.h"

// The base of a target folder; stored as an 8-bit ordinal in this order.
enum TToplevelDir : std::uint8_t {
  tdCurrentDir,  // folder of the running executable
  tdWindowsDir,
  tdTempDir,
  tdSystemDir,
  tdMediaDir,      // Windows folder + MEDIA
  tdCursorsDir,    // Windows folder + CURSORS
  tdHelpDir,       // Windows folder + HELP
  tdSamplesDir,    // Windows folder + SAMPLES
  tdDesktop,       // the current user's shell folders, from the registry
  tdProgramFiles,  // drive root of the Windows folder + Program Files
  tdMyDocuments,
  tdMyPictures,
  tdAppData,
  tdNone,  // Subdirectory is the whole folder
};

class TExtractTo : public TPersistent {
 public:
  bool CreatePath() const { return createPath_; }
  void SetCreatePath(bool value) { createPath_ = value; }
  TToplevelDir ToplevelDir() const { return toplevelDir_; }
  void SetToplevelDir(TToplevelDir value) { toplevelDir_ = value; }
  const std::string& Subdirectory() const { return subdirectory_; }
  void SetSubdirectory(const std::string& value) { subdirectory_ = value; }

  // The target folder, worked out anew on every call (the folders it reads can
  // change). It ends in a backslash, except for tdNone, whose Subdirectory is
  // taken as it is. A base that cannot be found (a shell folder missing from the
  // registry) is empty, which leaves the folder at the root of the current drive.
  std::string TargetFolder() const;

 private:
  bool createPath_ = true;
  TToplevelDir toplevelDir_ = tdCurrentDir;
  std::string subdirectory_;
};
