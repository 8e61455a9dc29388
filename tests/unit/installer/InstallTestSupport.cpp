#include "InstallTestSupport.h"

#include <stdexcept>

#include "installer/win32/Win32Desktop.h"
#include "storage/StoredData.h"
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
  if (chosenNameUnusable) return fcNameUnusable;
  if (!chosenPath) return fcCancelled;
  path = *chosenPath;
  return fcChosen;
}

void RecordingHost::ShowMessage(TMessageKind kind, const std::string& caption,
                                const std::string& text) {
  messages.push_back({kind, caption, text, Busy()});
}

std::unique_ptr<TFileStorage> MakeFileSet(
    const std::vector<std::pair<std::string, std::string>>& files) {
  TMemoryStream container;
  WriteStoredDataHeader(container, static_cast<std::int32_t>(files.size()));
  for (const auto& [name, bytes] : files) {
    WriteStoredRecord(container, name, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::int32_t>(bytes.size()));
  }
  container.Seek(0);
  auto set = std::make_unique<TFileStorage>(nullptr);
  set->ReadStoredData(container);
  return set;
}

}  // namespace installer_test
