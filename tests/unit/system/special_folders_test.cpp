#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "system/Folders.h"
#include "system/SpecialFolders.h"

namespace {

// A query that answers like the platform for a folder of the given text: it writes
// the text only when it fits, and otherwise asks for the capacity it needs.
TFolderQuery FolderOf(const std::string& folder) {
  return [folder](char* buffer, DWORD capacity) -> DWORD {
    if (folder.size() + 1 > capacity) return static_cast<DWORD>(folder.size() + 1);
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return static_cast<DWORD>(folder.size());
  };
}

TEST(SpecialFolders, NameExistingFoldersWithTrailingBackslash) {
  for (const std::string& folder :
       {TempFolder(), SystemFolder(), WindowsFolder(), ExecutableFolder()}) {
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\') << folder;
    EXPECT_TRUE(FolderExists(folder)) << folder;
  }
  EXPECT_EQ(SystemFolder().rfind(WindowsFolder(), 0), 0u)
      << "the system folder lies in the Windows folder";
}

TEST(SpecialFolders, ExecutableFolderHoldsTheRunningProgram) {
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  const std::string program(path);
  const std::string folder = ExecutableFolder();
  EXPECT_EQ(program.rfind(folder, 0), 0u);
  EXPECT_EQ(program.find('\\', folder.size()), std::string::npos);
}

TEST(ReadFolderQuery, TakesTheFolderAndAppendsTheBackslash) {
  EXPECT_EQ(ReadFolderQuery(FolderOf("C:\\WINDOWS")), "C:\\WINDOWS\\");
  EXPECT_EQ(ReadFolderQuery(FolderOf("C:\\TEMP\\")), "C:\\TEMP\\");
}

TEST(ReadFolderQuery, RetriesWithTheCapacityAskedFor) {
  const std::string deep = "C:\\" + std::string(400, 'd');
  EXPECT_EQ(ReadFolderQuery(FolderOf(deep)), deep + "\\");

  // An answer that fills the buffer leaves no room for the zero byte: what the buffer
  // holds then is a cut-off folder (here, as the module-name calls cut, with a zero byte
  // in the last place), never the answer.
  const std::string filling = "C:\\" + std::string(257, 'f');  // 260 characters
  const auto cutsToTheBuffer = [filling](char* buffer, DWORD capacity) -> DWORD {
    const std::size_t written = std::min<std::size_t>(filling.size(), capacity - 1);
    std::memcpy(buffer, filling.data(), written);
    buffer[written] = '\0';
    return written == filling.size() ? static_cast<DWORD>(written) : capacity;
  };
  EXPECT_EQ(ReadFolderQuery(cutsToTheBuffer), filling + "\\");
}

TEST(ReadFolderQuery, FailureGivesTheDriveRoot) {
  const auto failsAfterScribbling = [](char* buffer, DWORD capacity) -> DWORD {
    std::memset(buffer, 'x', capacity);
    return 0;
  };
  EXPECT_EQ(ReadFolderQuery(failsAfterScribbling), "\\");

  DWORD asked = 300;
  const auto keepsGrowing = [&asked](char*, DWORD) { return asked += 100; };
  EXPECT_EQ(ReadFolderQuery(keepsGrowing), "\\");

  const auto absurd = [](char*, DWORD) -> DWORD { return 0x7FFFFFFF; };
  EXPECT_EQ(ReadFolderQuery(absurd), "\\");
}

TEST(ReadFolderQuery, NeverTakesBytesBeyondTheReportedLength) {
  const auto unterminated = [](char* buffer, DWORD capacity) -> DWORD {
    std::memset(buffer, 'x', capacity);
    std::memcpy(buffer, "C:\\WIN", 6);
    return 6;
  };
  EXPECT_EQ(ReadFolderQuery(unterminated), "C:\\WIN\\");

  const auto endsEarly = [](char* buffer, DWORD) -> DWORD {
    std::memcpy(buffer, "C:\\A\0BC", 7);
    return 6;
  };
  EXPECT_EQ(ReadFolderQuery(endsEarly), "C:\\A\\");
}

}  // namespace
