#include "storage/win32/ExtractTo.h"

#include "system/PathText.h"
#include "system/Registry.h"
#include "system/SpecialFolders.h"
#include "system/winapi.h"

namespace {

const char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string ShellFolder(const char* valueName) {
  std::string folder;
  ReadRegString(HKEY_CURRENT_USER, kShellFoldersKey, valueName, folder);  // empty when unreadable
  return folder;
}

std::string BaseFolder(TToplevelDir toplevelDir) {
  switch (toplevelDir) {
    case tdCurrentDir:
      return ExecutableFolder();
    case tdWindowsDir:
      return WindowsFolder();
    case tdTempDir:
      return TempFolder();
    case tdSystemDir:
      return SystemFolder();
    case tdMediaDir:
      return WindowsFolder() + "MEDIA";
    case tdCursorsDir:
      return WindowsFolder() + "CURSORS";
    case tdHelpDir:
      return WindowsFolder() + "HELP";
    case tdSamplesDir:
      return WindowsFolder() + "SAMPLES";
    case tdDesktop:
      return ShellFolder("Desktop");
    case tdProgramFiles:
      return WindowsFolder().substr(0, 3) + "Program Files";  // drive root
    case tdMyDocuments:
      return ShellFolder("Personal");
    case tdMyPictures:
      return ShellFolder("My Pictures");
    case tdAppData:
      return ShellFolder("AppData");
    case tdNone:
      break;
  }
  return std::string();  // also for an ordinal outside the enumeration
}

}  // namespace

std::string TExtractTo::TargetFolder() const {
  if (toplevelDir_ == tdNone) return subdirectory_;
  const std::string below = StripLeadingChar(IncludeTrailingBackslash(subdirectory_), '\\');
  return IncludeTrailingBackslash(BaseFolder(toplevelDir_)) + below;
}
