// The list that tells a test program where its data lies, beside it in the build and
// in the Windows test kit alike.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "TestData.h"

namespace {

std::string Message(const std::string& text, const std::string& key) {
  try {
    TestDataEntry(text, "kit/test-data.txt", key);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(TestDataList, GivesTheKeysPathAsWrittenSkippingCommentsAndCarriageReturns) {
  const std::string text =
      "# where the tests find their data\r\n"
      "installer=../HalvoraPluginInstaller.exe\r\n"
      "\r\n"
      "installer-copy=copy/HalvoraPluginInstaller.exe\r\n"
      "payload=..\\data\\payload";
  EXPECT_EQ(TestDataEntry(text, "list", "installer"), "../HalvoraPluginInstaller.exe");
  EXPECT_EQ(TestDataEntry(text, "list", "installer-copy"), "copy/HalvoraPluginInstaller.exe");
  EXPECT_EQ(TestDataEntry(text, "list", "payload"), "..\\data\\payload");
}

TEST(TestDataList, NamesTheListAndTheKeyThatIsMissingOrStatedTwice) {
  EXPECT_EQ(Message("installer-copy=a.exe\n# installer=b.exe\n", "installer"),
            "kit/test-data.txt has no \"installer=\" line");
  EXPECT_EQ(Message("installer=a.exe\ninstaller=b.exe\n", "installer"),
            "kit/test-data.txt names \"installer\" twice");
  EXPECT_EQ(Message("installer=\n", "installer"), "kit/test-data.txt gives \"installer\" no path");
}

TEST(TestDataList, RefusesAbsolutePathsWhichWouldNotMoveWithTheFolder) {
  for (const char* path :
       {"/work/build/payload", "\\data\\payload", "D:\\plugin\\payload", "C:payload"}) {
    const std::string message = Message(std::string("payload=") + path + "\n", "payload");
    EXPECT_NE(message.find("gives \"payload\" the absolute path " + std::string(path)),
              std::string::npos)
        << message;
  }
}

TEST(TestDataList, FindsTheListBesideThisProgram) {
  EXPECT_NO_THROW(TestDataPath("payload-manifest"));
  EXPECT_NE(TestDataPath("payload-manifest").find(TestProgramFolder()), std::string::npos);
}

}  // namespace
