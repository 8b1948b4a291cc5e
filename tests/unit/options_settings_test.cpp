// The option set and the through-window list against a store in memory:
// defaults, the read rules, the write order, the erase rule, the cap.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "common/settings_keys.h"
#include "fakes/fake_profile_store.h"
#include "options/option_set.h"
#include "options/through_windows.h"

namespace zrnx {
namespace {

using test::FakeProfileStore;

constexpr const wchar_t* kPath = L"C:\\Zarnik\\Zrnx.ini";
const OptionDefaults kDefaults = MakeOptionDefaults("C:\\WINDOWS", "C:\\Start");

TEST(OptionDefaultsTest, EditorFromTheWindowsFolderMenuFolderFromTheStartMenu) {
  EXPECT_EQ(kDefaults.editor, "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(kDefaults.menu_folder, "C:\\Start\\Zarnik NX テキスト");
  EXPECT_EQ(MakeOptionDefaults("C:\\WINDOWS", "").menu_folder, "");
}

TEST(OptionSetTest, AnEmptyFileGivesEveryDefaultInTheStoredOrder) {
  FakeProfileStore store;
  const OptionSet options = LoadOptions(SettingsFile(kPath, store), kDefaults);
  EXPECT_TRUE(options.paste_mode);
  EXPECT_TRUE(options.new_menu);
  EXPECT_EQ(options.editor, kDefaults.editor);
  EXPECT_EQ(options.data, kDefaults.menu_folder);
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(options.date_formats[i], kDefaultDateFormats[i]) << i;
  EXPECT_EQ(options.send_key_paste, 0);
  EXPECT_FALSE(options.restore_clipboard);
  EXPECT_TRUE(options.start_menu_shortcuts);
  const std::vector<std::string> order = {"PasteMode",   "New",         "Editor",        "Data",
                                          "DateFormat0", "DateFormat1", "DateFormat2",   "DateFormat3",
                                          "DateFormat4", "DateFormat5", "DateFormat6",   "DateFormat7",
                                          "DateFormat8", "DateFormat9", "SendKey_Paste", "RestoreClipboard",
                                          "StartMenuShortcuts"};
  EXPECT_EQ(store.reads, order);
}

TEST(OptionSetTest, StoredValuesWinAndAnEmptyValueIsNotAMissingKey) {
  FakeProfileStore store;
  store.Set("Option", "PasteMode", "0");
  store.Set("Option", "New", "0");
  store.Set("Option", "Editor", "");
  store.Set("Option", "Data", "");
  store.Set("Option", "DateFormat3", "");
  store.Set("Option", "DateFormat9", "表示");
  store.Set("Option", "SendKey_Paste", "9");
  store.Set("Option", "RestoreClipboard", "1");
  store.Set("Option", "StartMenuShortcuts", "0");
  const OptionSet options = LoadOptions(SettingsFile(kPath, store), kDefaults);
  EXPECT_TRUE(options.restore_clipboard);
  EXPECT_FALSE(options.paste_mode);
  EXPECT_FALSE(options.new_menu);
  EXPECT_EQ(options.editor, "");
  EXPECT_EQ(options.data, "");
  EXPECT_EQ(options.date_formats[3], "");
  EXPECT_EQ(options.date_formats[9], "表示");
  EXPECT_EQ(options.send_key_paste, 9);
  EXPECT_FALSE(options.start_menu_shortcuts);
}

TEST(OptionSetTest, OddValuesLoadWithoutHarm) {
  FakeProfileStore store;
  const std::string long_value(1023, 'x');
  store.Set("Option", "Editor", long_value);
  store.Set("Option", "Data", std::string(2000, 'y'));  // cut to the read buffer
  store.Set("Option", "SendKey_Paste", "abc");           // not a number: the default
  store.Set("Option", "PasteMode", "-7");                // any non-zero number is true
  const OptionSet options = LoadOptions(SettingsFile(kPath, store), kDefaults);
  EXPECT_EQ(options.editor, long_value);
  EXPECT_EQ(options.data, std::string(1023, 'y'));
  EXPECT_EQ(options.send_key_paste, 0);
  EXPECT_TRUE(options.paste_mode);
}

TEST(OptionSetTest, SaveWritesEveryKeyInOrderEmptyOnesAndMinusOneIncluded) {
  FakeProfileStore store;
  OptionSet options;
  options.paste_mode = false;
  options.editor = "C:\\ed.exe";
  options.date_formats.fill("");
  options.date_formats[0] = "yyyy";
  options.send_key_paste = -1;
  options.restore_clipboard = true;
  options.start_menu_shortcuts = false;
  SettingsFile file(kPath, store);
  SaveOptions(file, options);
  ASSERT_EQ(store.writes.size(), 17u);
  EXPECT_EQ(store.writes[0], "Option/PasteMode=0");
  EXPECT_EQ(store.writes[1], "Option/New=1");
  EXPECT_EQ(store.writes[2], "Option/Editor=C:\\ed.exe");
  EXPECT_EQ(store.writes[3], "Option/Data=");
  EXPECT_EQ(store.writes[4], "Option/DateFormat0=yyyy");
  EXPECT_EQ(store.writes[13], "Option/DateFormat9=");
  EXPECT_EQ(store.writes[14], "Option/SendKey_Paste=-1");
  EXPECT_EQ(store.writes[15], "Option/RestoreClipboard=1");
  EXPECT_EQ(store.writes[16], "Option/StartMenuShortcuts=0");
}

TEST(OptionSetTest, AFailedWriteRaisesTheErrorAndEndsTheSaveThere) {
  FakeProfileStore store;
  store.writes_before_failure = 3;
  SettingsFile file(kPath, store);
  try {
    SaveOptions(file, OptionSet{});
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "C:\\Zarnik\\Zrnx.ini に書き込めません");
    EXPECT_EQ(error.Path(), kPath);
  }
  EXPECT_EQ(store.writes.size(), 3u);
  EXPECT_FALSE(store.Value("Option", "Data").has_value());
}

TEST(WindowListerTest, OffersVisibleEnabledWindowsOfOtherClassesInOrder) {
  const std::vector<TopWindow> windows = {
      {"Desktop", "Progman", true, true},         {"", "Notepad", true, true},
      {"Options", "TZrnxSetForm", true, true},    {"Hidden", "Hidden", false, true},
      {"Blocked", "Blocked", true, false},        {"Tray", "Shell_TrayWnd", true, true},
      {"case", "progman", true, true},            {"fader", "SysFader", true, true},
      {"x", "BaseBar", true, true},               {"x", "HOM Hit Class", true, true},
      {"x", "MOM Class", true, true},             {"x", "TApplication", true, true},
      {"Editor", "Editor", true, true},
      // Windows the user cannot switch to, decided as the item sender does.
      {"2nd", "Shell_SecondaryTrayWnd", true, true},
      {"Tool", "Tool", true, true, kExToolWindow},
      {"App tool", "AppTool", true, true, kExToolWindow | kExAppWindow},
      {"No focus", "NoFocus", true, true, kExNoActivate},
      {"Search", "Windows.UI.Core.CoreWindow", true, true, 0, true},
      {"Topmost", "Topmost", true, true, 0x00000008},
  };
  const std::vector<WindowRow> expected = {{"", "Notepad"},          {"case", "progman"},   {"Editor", "Editor"},
                                           {"App tool", "AppTool"}, {"Topmost", "Topmost"}};
  EXPECT_EQ(ListShownWindows(windows), expected);
}

TEST(ThroughWindowsTest, LoadsEveryEntryAndAMissingClassAsEmpty) {
  FakeProfileStore store;
  store.Set("ThroughWindow", "ItemCount", "3");
  for (const char* i : {"0", "1", "2"}) store.Set("ThroughWindow", std::string("ItemName") + i, std::string("n") + i);
  store.Set("ThroughWindow", "ClassName0", "C0");
  store.Set("ThroughWindow", "ClassName2", "C2");
  const ThroughList list = LoadThroughWindows(SettingsFile(kPath, store));
  const std::vector<WindowRow> expected = {{"n0", "C0"}, {"n1", ""}, {"n2", "C2"}};
  EXPECT_EQ(list.rows, expected);
  EXPECT_EQ(list.loaded_count, 3);

  SettingsFile file(kPath, store);
  SaveThroughWindows(file, list.rows, list.loaded_count);
  EXPECT_EQ(store.writes.front(), "ThroughWindow/-");
  EXPECT_EQ(store.Value("ThroughWindow", "ClassName1"), "");
  EXPECT_EQ(store.Value("ThroughWindow", "ItemName2"), "n2");
}

TEST(ThroughWindowsTest, CountsThatAreNoListLoadNothing) {
  for (const char* count : {"", "0", "-5", "x3", "3x"}) {
    FakeProfileStore store;
    store.Set("ThroughWindow", "ItemCount", count);
    store.Set("ThroughWindow", "ItemName0", "n");
    const ThroughList list = LoadThroughWindows(SettingsFile(kPath, store));
    EXPECT_TRUE(list.rows.empty()) << count;
  }
}

TEST(ThroughWindowsTest, AHugeCountReadsAtMostTheCap) {
  FakeProfileStore store;
  store.Set("ThroughWindow", "ItemCount", "2147483647");
  const ThroughList list = LoadThroughWindows(SettingsFile(kPath, store));
  EXPECT_EQ(list.rows.size(), static_cast<std::size_t>(kMaxThroughEntries));
  EXPECT_EQ(list.loaded_count, 2147483647);
  EXPECT_EQ(store.reads.size(), 1u + 2u * kMaxThroughEntries);
}

// The erase rule: a loaded list is erased first, so a shorter list leaves no
// keys of the longer one; a list that loaded empty is only written over.
TEST(ThroughWindowsTest, SaveErasesTheSectionOnlyWhenEntriesWereLoaded) {
  struct Case {
    std::int32_t loaded_count;
    std::vector<WindowRow> rows;
    std::vector<std::string> writes;
    bool stale_key_left;
  };
  const std::vector<Case> cases = {
      {2, {}, {"ThroughWindow/-", "ThroughWindow/ItemCount=0"}, false},
      {1, {{"a", "A"}}, {"ThroughWindow/-", "ThroughWindow/ItemCount=1", "ThroughWindow/ItemName0=a",
                         "ThroughWindow/ClassName0=A"}, false},
      {0, {}, {"ThroughWindow/ItemCount=0"}, true},
      {-3, {{"a", "A"}, {"a", "A"}},
       {"ThroughWindow/ItemCount=2", "ThroughWindow/ItemName0=a", "ThroughWindow/ClassName0=A",
        "ThroughWindow/ItemName1=a", "ThroughWindow/ClassName1=A"}, true},
  };
  for (const Case& c : cases) {
    FakeProfileStore store;
    store.Set("ThroughWindow", "ItemName7", "stale");
    SettingsFile file(kPath, store);
    SaveThroughWindows(file, c.rows, c.loaded_count);
    EXPECT_EQ(store.writes, c.writes) << c.loaded_count;
    EXPECT_EQ(store.Value("ThroughWindow", "ItemName7").has_value(), c.stale_key_left) << c.loaded_count;
  }
}

TEST(ThroughWindowsTest, AFailedWriteEndsTheSave) {
  FakeProfileStore store;
  store.writes_before_failure = 2;
  SettingsFile file(kPath, store);
  EXPECT_THROW(SaveThroughWindows(file, {{"a", "A"}, {"b", "B"}}, 0), Error);
  EXPECT_EQ(store.writes.size(), 2u);
}

}  // namespace
}  // namespace zrnx
