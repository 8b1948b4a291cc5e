#include "common/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/error.h"
#include "common/portable_profile_store.h"
#include "fakes/fake_profile_store.h"
#include "fakes/temp_folder.h"

namespace zrnx {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  test::FakeProfileStore store;
  SettingsFile settings{L"C:\\Tools\\Zrnx.ini", store};
};

TEST_F(SettingsFileTest, ReadsIntegersAndFlagsByTheIntegerRule) {
  store.Set("Option", "SendKey_Paste", "0x6");
  store.Set("Option", "New", "0");
  store.Set("Option", "PasteMode", "yes");
  store.Set("ThroughWindow", "ItemCount", "-1");
  EXPECT_EQ(settings.ReadInteger("Option", "SendKey_Paste", 0), 6);
  EXPECT_EQ(settings.ReadInteger("Option", "Missing", 42), 42);
  EXPECT_EQ(settings.ReadInteger("ThroughWindow", "ItemCount", 0), -1);
  EXPECT_FALSE(settings.ReadFlag("Option", "New", true));
  // A flag that does not convert falls back to the default, either way round.
  EXPECT_TRUE(settings.ReadFlag("Option", "PasteMode", true));
  EXPECT_FALSE(settings.ReadFlag("Option", "PasteMode", false));
  EXPECT_TRUE(settings.ReadFlag("Option", "Absent", true));
  EXPECT_THAT(store.paths, ::testing::Each(std::wstring(L"C:\\Tools\\Zrnx.ini")));
}

TEST_F(SettingsFileTest, WritesIntegersAndFlagsInTheirTextForms) {
  settings.WriteInteger("Option", "A", 0);
  settings.WriteInteger("Option", "B", -42);
  settings.WriteInteger("Option", "C", INT32_MIN);
  settings.WriteInteger("Option", "D", 7);
  settings.WriteFlag("Option", "E", true);
  settings.WriteFlag("Option", "F", false);
  settings.WriteText("Option", "G", "");
  EXPECT_EQ(settings.ReadText("Option", "A", "?"), "0");
  EXPECT_EQ(settings.ReadText("Option", "B", "?"), "-42");
  EXPECT_EQ(settings.ReadText("Option", "C", "?"), "-2147483648");
  EXPECT_EQ(settings.ReadText("Option", "D", "?"), "7");
  EXPECT_EQ(settings.ReadText("Option", "E", "?"), "1");
  EXPECT_EQ(settings.ReadText("Option", "F", "?"), "0");
  EXPECT_EQ(settings.ReadText("Option", "G", "?"), "");  // written empty, not removed
}

TEST_F(SettingsFileTest, AFailedWriteOrEraseNamesTheFullPath) {
  store.fail_writes = true;
  const std::string message = "C:\\Tools\\Zrnx.ini に書き込めません";
  try {
    settings.WriteText("Option", "Editor", "x");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), message);
    EXPECT_EQ(e.Pattern(), "%s に書き込めません");
    EXPECT_EQ(e.Path(), L"C:\\Tools\\Zrnx.ini");
  }
  try {
    settings.EraseSection("ThroughWindow");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), message);
  }
  try {
    settings.CheckWritable();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), message);
  }
  store.fail_writes = false;
  EXPECT_NO_THROW(settings.CheckWritable());
  EXPECT_TRUE(store.writes.empty()) << "the probe writes nothing";
}

// The same on a real file: a folder that does not exist cannot take it.
TEST(SettingsFileOnDiskTest, AFileInAMissingFolderCannotBeWritten) {
  test::TempFolder folder;
  PortableProfileStore store;
  const std::string path = folder.PathOf("gone") + "/Zrnx.ini";
  SettingsFile settings(test::Wide(path), store);
  EXPECT_EQ(settings.ReadInteger("Option", "SendKey_Paste", 3), 3);
  try {
    settings.WriteInteger("Option", "SendKey_Paste", 1);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), path + " に書き込めません");
  }
}

}  // namespace
}  // namespace zrnx
