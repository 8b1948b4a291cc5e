// ItemShortcuts over the fake: what a sync lists, reads, writes and removes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "common/error.h"
#include "components/item_shortcuts.h"
#include "fakes/fake_link_files.h"

namespace zrnx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::FakeLinkFiles;
using test::Files;
using test::kGroup;
using test::kTarget;
using test::Keyed;
using test::Ours;

TEST(ItemShortcutsTest, WritesEveryFieldThenRemovesOnlyOursWhenSwitchedOff) {
  FakeLinkFiles fake;
  fake.links[kGroup + "mine.lnk"] = {"C:\\WINDOWS\\NOTEPAD.EXE", "", "", "", "", 0};
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(kTarget, true);
  ASSERT_EQ(fake.links.size(), 3u);
  EXPECT_EQ(fake.links[kGroup + "greeting.lnk"],
            (LinkRead{"C:\\P\\Zrnx.exe", "/p \"C:\\M\\Items\\greeting.zrx\"", "C:\\P", "greeting.zrx",
                      "C:\\P\\Zrnx.exe", 1, 0, ItemAppId("C:\\M\\Items\\greeting.zrx")}));
  EXPECT_EQ(fake.links[kGroup + "Sub - a.lnk"].arguments, "/p \"C:\\M\\Items\\Sub\\a.url\"");
  EXPECT_THAT(fake.emptied, IsEmpty());

  const int saves = fake.saves;
  shortcuts.Update(kTarget, true);
  EXPECT_EQ(fake.saves, saves);  // in step: nothing written

  shortcuts.Update(kTarget, false);
  EXPECT_EQ(fake.links.size(), 1u);
  EXPECT_TRUE(fake.links.count(kGroup + "mine.lnk"));
  EXPECT_THAT(fake.emptied, ElementsAre("C:\\U\\Programs\\Items"));
}

TEST(ItemShortcutsTest, HotKeysAreListedPerItemAndWrittenAsChosen) {
  FakeLinkFiles fake;
  fake.items = Files({"greeting.zrx", "Sub\\a.url", "b.txt", "notes.doc"});
  fake.links[kGroup + "Hello.lnk"] = Keyed("Hello.lnk", "greeting.zrx", 0x0647).link.value();
  fake.links[kGroup + "b.lnk"] = Ours("b.txt");
  ItemShortcuts shortcuts(fake, fake);
  const std::vector<ItemHotKey> keys = shortcuts.ItemHotKeys(kTarget);
  ASSERT_EQ(keys.size(), 3u);
  const std::vector<std::tuple<std::string, std::string, std::uint16_t, bool>> expected = {
      {"b.txt", "C:\\M\\Items\\b.txt", 0, true},
      {"greeting.zrx", "C:\\M\\Items\\greeting.zrx", 0x0647, true},
      {"Sub\\a.url", "C:\\M\\Items\\Sub\\a.url", 0, false},
  };
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(std::tie(keys[i].relative, keys[i].item_path, keys[i].hot_key, keys[i].has_shortcut), expected[i]);
  }

  fake.links[kGroup + "b.lnk"].description = "the user's words";
  const std::map<std::string, std::uint16_t> chosen = {{"b.txt", 0x0174}, {"Sub\\a.url", 0x0241}};
  ShortcutTarget target = kTarget;
  target.hot_keys = &chosen;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.links[kGroup + "Hello.lnk"].hot_key, 0x0647);
  EXPECT_EQ(fake.links[kGroup + "b.lnk"].hot_key, 0x0174);
  EXPECT_EQ(fake.links[kGroup + "b.lnk"].description, "the user's words");  // a rewrite keeps the comment
  EXPECT_EQ(fake.links[kGroup + "Sub - a.lnk"].hot_key, 0x0241);

  fake.items.reset();
  EXPECT_THAT(shortcuts.ItemHotKeys(kTarget), IsEmpty());
}

TEST(ItemShortcutsTest, EverythingPossibleIsDoneBeforeTheFirstFailureIsRaised) {
  FakeLinkFiles fake;
  fake.links[kGroup + "gone.lnk"] = Ours("gone.zrx");
  fake.refused = {kGroup + "gone.lnk", kGroup + "greeting.lnk"};
  ItemShortcuts shortcuts(fake, fake);
  try {
    shortcuts.Update(kTarget, true);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), WithValue(kShortcutRemoveFailed, kGroup + "gone.lnk"));
  }
  EXPECT_TRUE(fake.links.count(kGroup + "Sub - a.lnk"));

  fake.refused = {kGroup + "greeting.lnk"};
  try {
    shortcuts.Update(kTarget, true);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), WithValue(kShortcutWriteFailed, kGroup + "greeting.lnk"));
    EXPECT_EQ(error.SystemValue(), kGroup + "greeting.lnk");
  }
  EXPECT_FALSE(fake.links.count(kGroup + "gone.lnk"));
}

// Another live copy's shortcut is never touched and covers its item; one
// to a copy that is gone, or to this one spelt in another case, is ours.
TEST(ItemShortcutsTest, AShortcutIsOursWhenItStartsThisProgramOrOneThatIsGone) {
  FakeLinkFiles fake;
  auto link_of = [](const std::string& program, const std::string& relative) {
    LinkRead link = Ours(relative);
    link.target = program;
    return link;
  };
  fake.links[kGroup + "theirs.lnk"] = link_of("D:\\Other\\Zrnx.exe", "greeting.zrx");
  fake.links[kGroup + "theirs gone.lnk"] = link_of("D:\\Other\\Zrnx.exe", "gone.zrx");
  fake.links[kGroup + "old.lnk"] = link_of("D:\\Old\\Zrnx.exe", "Sub\\a.url");
  fake.links[kGroup + "mine.lnk"] = link_of("c:\\p\\ZRNX.EXE", "gone.zrx");
  fake.existing = {L"D:\\Other\\Zrnx.exe", L"c:\\p\\ZRNX.EXE"};
  ShortcutTarget target = kTarget;
  target.wide_sender_path = L"C:\\P\\Zrnx.exe";
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(target, true);
  EXPECT_THAT(fake.saved, ElementsAre(kGroup + "old.lnk"));
  EXPECT_THAT(fake.removed, ElementsAre(kGroup + "mine.lnk"));
  EXPECT_EQ(fake.links[kGroup + "old.lnk"].target, "C:\\P\\Zrnx.exe");

  shortcuts.Update(target, false);
  EXPECT_EQ(fake.links.size(), 2u);
  EXPECT_TRUE(fake.links.count(kGroup + "theirs.lnk") && fake.links.count(kGroup + "theirs gone.lnk"));
}

// A menu folder that is the group: our shortcuts there are no items, so
// sends never add shortcuts to shortcuts.
TEST(ItemShortcutsTest, AMenuFolderThatIsTheGroupKeepsOneShortcutPerItem) {
  FakeLinkFiles fake;
  fake.menu_folder = "C:\\U\\Programs\\Items";
  fake.menu_holds_links = true;
  fake.items = Files({"greeting.zrx"});
  fake.links[fake.menu_folder + "\\note.lnk"] = {"C:\\WINDOWS\\NOTEPAD.EXE", "", "", "", "", 0};
  ShortcutTarget target = kTarget;
  target.menu_folder = fake.menu_folder;
  ItemShortcuts shortcuts(fake, fake);
  for (int send = 0; send < 3; ++send) shortcuts.Update(target, true);
  // greeting.lnk for the item, "note (lnk).lnk" for the user's own link, nothing more.
  EXPECT_EQ(fake.links.size(), 3u);
  EXPECT_EQ(fake.saves, 2);
}

TEST(ItemShortcutsTest, AGroupThatWouldBeTheStartupFolderIsNeverWritten) {
  FakeLinkFiles fake;
  ShortcutTarget target = kTarget;
  target.menu_folder = "C:\\M\\STARTUP";
  fake.menu_folder = target.menu_folder;
  ItemShortcuts shortcuts(fake, fake);
  for (auto run : {std::function<void()>([&] { shortcuts.Update(target, true); }),
                   std::function<void()>([&] { shortcuts.CheckGroup(target); })}) {
    try {
      run();
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), WithValue(kStartupGroupRefused, "C:\\M\\STARTUP"));
    }
  }
  EXPECT_EQ(fake.saves, 0);
  EXPECT_NO_THROW(shortcuts.Update(target, false));  // removing ours is always allowed
  EXPECT_NO_THROW(shortcuts.CheckGroup(kTarget));
}

// Other spellings of Startup name the same folder to the system: refused
// alike, with nothing written.
TEST(ItemShortcutsTest, StartupSpeltAnotherWayIsRefusedToo) {
  for (const char* folder : {"C:\\M\\Startup.", "C:\\M\\Startup ", "C:\\M\\Startup\\.",
                             "C:\\M\\Startup\\Sub\\..", "C:\\M\\STARTUP.\\"}) {
    FakeLinkFiles fake;
    ShortcutTarget target = kTarget;
    target.menu_folder = folder;
    fake.menu_folder = folder;
    ItemShortcuts shortcuts(fake, fake);
    try {
      shortcuts.Update(target, true);
      ADD_FAILURE() << "no error for " << folder;
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), WithValue(kStartupGroupRefused, folder));
    }
    EXPECT_EQ(fake.saves, 0) << folder;
    EXPECT_THROW(shortcuts.CheckGroup(target), Error) << folder;
  }
  EXPECT_EQ(ShortcutGroupName("C:\\M\\Items\\Sub\\.."), "Items");
  EXPECT_EQ(ShortcutGroupName("C:\\."), "");
  // An item below "Items." lies in the folder Items.
  EXPECT_TRUE(InMenuFolder("C:\\M\\Items\\a.zrx", "C:\\M\\Items."));
  EXPECT_TRUE(InMenuFolder("C:\\M\\Items.\\a.zrx", "C:\\M\\Items"));
  EXPECT_FALSE(InMenuFolder("C:\\M\\Items\\..\\a.zrx", "C:\\M\\Items"));
}

// OK with another Data: ours leave the old group (and it, once empty),
// also when both groups have one name.
TEST(ItemShortcutsTest, ANewMenuFolderMovesTheGroup) {
  struct Case {
    const char* old_folder;
    const char* old_group;
  };
  for (const Case& c : {Case{"C:\\M\\Old", "C:\\U\\Programs\\Old\\"}, Case{"D:\\X\\Items\\", kGroup.c_str()}}) {
    FakeLinkFiles fake;
    ShortcutTarget old = kTarget;
    old.menu_folder = c.old_folder;
    fake.links[std::string(c.old_group) + "was.lnk"] = Ours("was.zrx", old);
    fake.links[std::string(c.old_group) + "mine.lnk"] = {"C:\\WINDOWS\\NOTEPAD.EXE", "", "", "", "", 0};
    ShortcutTarget target = kTarget;
    target.old_menu_folder = c.old_folder;
    ItemShortcuts shortcuts(fake, fake);
    shortcuts.Update(target, true);
    EXPECT_FALSE(fake.links.count(std::string(c.old_group) + "was.lnk")) << c.old_folder;
    EXPECT_TRUE(fake.links.count(std::string(c.old_group) + "mine.lnk")) << c.old_folder;
    EXPECT_TRUE(fake.links.count(kGroup + "greeting.lnk")) << c.old_folder;
    const std::string old_group(c.old_group);
    EXPECT_THAT(fake.emptied, ElementsAre(old_group.substr(0, old_group.size() - 1)));
  }
}

// A change of Data: the new folder is listed before the old group is left,
// so one that is missing moves nothing; turning the shortcuts off or a
// folder with no group name still takes ours out of the old group; a moved
// item keeps its key and comment unless a key was chosen for it now.
TEST(ItemShortcutsTest, ANewMenuFolderIsListedFirstAndMovedItemsKeepKeyAndComment) {
  constexpr std::uint16_t kOldKey = 0x0647, kChosen = 0x0648;
  const std::string old_group = "C:\\U\\Programs\\Old\\";
  struct Case {
    const char* what;
    std::string menu_folder;
    bool listed;
    bool on;
    bool key_chosen;
    bool old_left;                 // ours gone from the old group, and it emptied
    std::uint16_t new_key;         // the moved item's shortcut in the new group
    std::string new_comment;
  } cases[] = {
      {"moved", kTarget.menu_folder, true, true, false, true, kOldKey, "my note"},
      {"moved, a key chosen now", kTarget.menu_folder, true, true, true, true, kChosen, "my note"},
      {"new folder missing", kTarget.menu_folder, false, true, false, false, 0, ""},
      {"shortcuts turned off", kTarget.menu_folder, true, false, false, true, 0, ""},
      {"no group name", "C:\\", true, true, false, true, 0, ""},
      {"no menu folder at all", "", true, true, false, true, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeLinkFiles fake;
    fake.menu_folder = c.menu_folder;
    // An empty Data cannot be listed either, as on Windows.
    if (!c.listed || c.menu_folder.empty()) fake.items = std::nullopt;
    ShortcutTarget old = kTarget;
    old.menu_folder = "C:\\M\\Old";
    LinkRead moved = Ours("greeting.zrx", old);
    moved.hot_key = kOldKey;
    moved.description = "my note";
    fake.links[old_group + "greeting.lnk"] = moved;
    fake.links[old_group + "mine.lnk"] = {"C:\\WINDOWS\\NOTEPAD.EXE", "", "", "", "", 0};
    ShortcutTarget target = kTarget;
    target.menu_folder = c.menu_folder;
    target.old_menu_folder = old.menu_folder;
    const std::map<std::string, std::uint16_t> chosen = {{"greeting.zrx", kChosen}};
    if (c.key_chosen) target.hot_keys = &chosen;
    ItemShortcuts shortcuts(fake, fake);
    std::string error;
    try {
      shortcuts.Update(target, c.on);
    } catch (const Error& e) {
      error = e.what();
    }
    // Only a folder that is not there is reported: the shortcuts stayed.
    EXPECT_EQ(error, c.listed ? "" : WithValue(kShortcutFolderMissing, c.menu_folder));
    EXPECT_EQ(fake.links.count(old_group + "greeting.lnk"), c.old_left ? 0u : 1u);
    EXPECT_TRUE(fake.links.count(old_group + "mine.lnk"));
    EXPECT_EQ(std::count(fake.emptied.begin(), fake.emptied.end(), "C:\\U\\Programs\\Old"), c.old_left ? 1 : 0);
    const auto written = fake.links.find(kGroup + "greeting.lnk");
    ASSERT_EQ(written != fake.links.end(), c.new_key != 0);
    if (written == fake.links.end()) continue;
    EXPECT_EQ(written->second.hot_key, c.new_key);
    EXPECT_EQ(written->second.description, c.new_comment);
    EXPECT_EQ(fake.links[kGroup + "Sub - a.lnk"].description, "Sub\\a.url");  // no old shortcut: its own path
  }
}

// A send finds both listings as the last sync left them: no link is loaded.
TEST(ItemShortcutsTest, AStampedSyncWithNothingChangedLoadsNoLink) {
  FakeLinkFiles fake;
  ShortcutTarget target = kTarget;
  target.use_stamps = true;
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 2);
  const int reads = fake.reads;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.reads, reads);
  EXPECT_EQ(fake.saves, 2);

  fake.stamp = 2;  // a shortcut changed (its Properties, say): read, nothing to write
  shortcuts.Update(target, true);
  EXPECT_GT(fake.reads, reads);
  EXPECT_EQ(fake.saves, 2);

  fake.items->push_back({"new.zrx", false, 1});
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 3);
  target.use_stamps = false;  // the editor always looks
  const int stamped_reads = fake.reads;
  shortcuts.Update(target, true);
  EXPECT_GT(fake.reads, stamped_reads);
}

// The sync of a send has a time bound: it stops between links, keeps no
// stamp, and the next one goes on. The editor is told the progress.
TEST(ItemShortcutsTest, OutOfTimeStopsBetweenLinksAndTheNextSyncGoesOn) {
  FakeLinkFiles fake;
  fake.items = Files({"a.zrx", "b.zrx", "c.zrx"});
  ShortcutTarget target = kTarget;
  target.use_stamps = true;
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.out_of_time = [&] { return fake.saves >= 2; };
  std::vector<std::pair<std::size_t, std::size_t>> told;
  shortcuts.progress = [&](std::size_t done, std::size_t total) { told.emplace_back(done, total); };
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.links.size(), 2u);
  EXPECT_THAT(fake.stamps, IsEmpty());
  EXPECT_THAT(told, ElementsAre(std::pair<std::size_t, std::size_t>{1, 3}, std::pair<std::size_t, std::size_t>{2, 3}));

  shortcuts.out_of_time = nullptr;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.links.size(), 3u);
  EXPECT_EQ(fake.stamps.size(), 1u);
  // Read while out of time: nothing planned from half a group.
  fake.items->push_back({"d.zrx"});
  shortcuts.out_of_time = [] { return true; };
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.links.size(), 3u);
}

// The editor shows the group being read, then the links being written, in
// that order; a group read in full says so before anything is written.
TEST(ItemShortcutsTest, ReadingTheGroupIsToldBeforeTheWrites) {
  FakeLinkFiles fake;
  fake.items = Files({"a.zrx", "b.zrx"});
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(kTarget, true);
  fake.items->push_back({"c.zrx"});
  std::vector<std::string> told;
  shortcuts.reading = [&](std::size_t done, std::size_t total) {
    told.push_back("read " + std::to_string(done) + "/" + std::to_string(total));
  };
  shortcuts.progress = [&](std::size_t done, std::size_t total) {
    told.push_back("wrote " + std::to_string(done) + "/" + std::to_string(total));
  };
  shortcuts.Update(kTarget, true);
  EXPECT_THAT(told, ElementsAre("read 1/2", "read 2/2", "wrote 1/1"));  // only the new item is written
}

TEST(ItemShortcutsTest, EnvironmentStringsAndCaseInALinkReadBackAreTheSameLink) {
  FakeLinkFiles fake;
  fake.items = Files({"a.zrx"});
  ShortcutTarget target = kTarget;
  target.sender_path = "C:\\Users\\u\\Apps\\Zrnx.exe";
  LinkRead link = Ours("a.zrx", target);
  link.icon_path = "%USERPROFILE%\\Apps\\zrnx.EXE";
  link.target = "C:\\USERS\\U\\APPS\\ZRNX.EXE";
  fake.links[kGroup + "a.lnk"] = link;
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 0);

  // A shell that keeps no IDs reads every link back without one: that is
  // no reason to write it again; where IDs are kept, it is.
  fake.links[kGroup + "a.lnk"].app_id.clear();
  fake.keeps_app_ids = false;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 0);
  fake.keeps_app_ids = true;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 1);
}

// 1,000 links: Programs is asked for once, and so are the Startup folders.
TEST(ItemShortcutsTest, AThousandLinksAskTheShellForEachFolderOnce) {
  FakeLinkFiles fake;
  fake.items.emplace();
  for (int i = 0; i < 1000; ++i) fake.items->push_back({"item" + std::to_string(i) + ".zrx"});
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(kTarget, true);
  EXPECT_EQ(fake.saves, 1000);
  EXPECT_EQ(fake.folder_lookups, 3);
}

// The name is cut to the room the group's path leaves: the longest link
// path is exactly MAX_PATH - 1 bytes and is written.
TEST(ItemShortcutsTest, ANameIsCutToTheLastByteTheGroupLeaves) {
  FakeLinkFiles fake;
  fake.items = Files({(std::string(300, 'n') + ".zrx").c_str()});
  ItemShortcuts shortcuts(fake, fake);
  EXPECT_NO_THROW(shortcuts.Update(kTarget, true));
  ASSERT_EQ(fake.saved.size(), 1u);
  EXPECT_EQ(fake.saved[0].size(), kMaxLinkPath);
}

TEST(ItemShortcutsTest, OfTwoFailedRemovalsTheFirstIsReported) {
  FakeLinkFiles fake;
  fake.links[kGroup + "a gone.lnk"] = Ours("a gone.zrx");
  fake.links[kGroup + "b gone.lnk"] = Ours("b gone.zrx");
  fake.refused = {kGroup + "a gone.lnk", kGroup + "b gone.lnk"};
  ItemShortcuts shortcuts(fake, fake);
  try {
    shortcuts.Update(kTarget, true);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), WithValue(kShortcutRemoveFailed, kGroup + "a gone.lnk"));
  }
  EXPECT_THAT(fake.removed, ElementsAre(kGroup + "a gone.lnk", kGroup + "b gone.lnk"));
}

TEST(ItemShortcutsTest, NoProgramsFolderNoMenuFolderOrATooLongPath) {
  FakeLinkFiles fake;
  fake.programs.reset();
  ItemShortcuts shortcuts(fake, fake);
  EXPECT_THROW(shortcuts.Update(kTarget, true), Error);
  EXPECT_NO_THROW(shortcuts.Update(kTarget, false));

  FakeLinkFiles no_menu;
  no_menu.items.reset();
  no_menu.links[kGroup + "gone.lnk"] = Ours("gone.zrx");
  ItemShortcuts kept(no_menu, no_menu);
  kept.Update(kTarget, true);
  EXPECT_EQ(no_menu.links.size(), 1u);  // nothing known of the items: nothing removed

  ShortcutTarget nameless = kTarget;
  nameless.menu_folder = "";
  kept.Update(nameless, true);
  EXPECT_EQ(no_menu.saves, 0);

  FakeLinkFiles deep;
  deep.programs = "C:\\" + std::string(250, 'p');
  ItemShortcuts too_long(deep, deep);
  EXPECT_THROW(too_long.Update(kTarget, true), Error);
}

}  // namespace
}  // namespace zrnx
