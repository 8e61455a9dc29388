#include "InstallTestSupport.h"

#include <stdexcept>

#include "installer/win32/Win32Desktop.h"
#include "system/Handles.h"
#include "system/winapi.h"

namespace installer_test {

bool RecordingHost::IsWindowOpen(const std::string& title) {
  titlesAsked.push_back(title);
  if (askTheDesktop) return TopLevelWindowExists(title);
  return openWindowTitles.count(title) != 0;
}

TFileChoice RecordingHost::ChooseFile(const std::string& initialFolder, std::string& path) {
  dialogFolders.push_back(initialFolder);
  if (unusableChoice) return *unusableChoice;
  if (!chosenPath) return fcCancelled;
  path = *chosenPath;
  return fcChosen;
}

void RecordingHost::ShowMessage(TMessageKind kind, const std::string& caption,
                                const std::string& text) {
  messages.push_back({kind, caption, text, Busy()});
}

}  // namespace installer_test
