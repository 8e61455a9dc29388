#include "system/Registry.h"

#include <gtest/gtest.h>

#include <string>

#include "system/Handles.h"
#include "tests/unit/system/support/TestRegistry.h"

namespace {

TEST(ReadRegString, MissingKeyIsNotOpened) {
  std::string value = "left over";
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, "Software\\HalvoraInstallerTests\\no such key",
                             "Desktop", value));
  EXPECT_EQ(value, "");
}

TEST(ReadRegString, MissingValueOpensTheKeyAndGivesEmptyText) {
  const TTestRegistryKey key;
  std::string value = "left over";
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "Desktop", value));
  EXPECT_EQ(value, "");
}

TEST(ReadRegString, ReadsTheText) {
  const TTestRegistryKey key;
  key.SetValue("Desktop", REG_SZ, std::string("C:\\Users\\me\\Desktop\0", 21));
  std::string value;
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "Desktop", value));
  EXPECT_EQ(value, "C:\\Users\\me\\Desktop");
  // Leading backslashes of the subkey do not matter.
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, "\\\\" + key.Subkey(), "Desktop", value));
  EXPECT_EQ(value, "C:\\Users\\me\\Desktop");
}

TEST(ReadRegString, TakesOnlyTheBytesTheValueHas) {
  const TTestRegistryKey key;
  key.SetValue("unterminated", REG_SZ, "abc");
  key.SetValue("inner zero", REG_SZ, std::string("ab\0cd\0", 6));
  std::string value;
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "unterminated", value));
  EXPECT_EQ(value, "abc");
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "inner zero", value));
  EXPECT_EQ(value, "ab");
}

TEST(ReadRegString, UnreadableValuesGiveEmptyText) {
  const TTestRegistryKey key;
  key.SetValue("empty", REG_SZ, "");
  key.SetValue("too long", REG_SZ, std::string(1500, 'x') + '\0');
  key.SetValue("longest", REG_SZ, std::string(1023, 'y') + '\0');
  std::string value = "left over";
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "empty", value));
  EXPECT_EQ(value, "");
  value = "left over";
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "too long", value));
  EXPECT_EQ(value, "");
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, key.Subkey(), "longest", value));
  EXPECT_EQ(value, std::string(1023, 'y'));
}

}  // namespace
