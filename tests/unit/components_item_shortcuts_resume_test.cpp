// ItemShortcuts over the fake: what a sync keeps when a link does not load,
// another copy goes away, or a send runs out of time.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "components/item_shortcuts.h"
#include "components/link_cache.h"
#include "fakes/fake_link_files.h"

namespace zrnx {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using test::FakeLinkFiles;
using test::Files;
using test::kGroup;
using test::kTarget;
using test::Keyed;
using test::Ours;

// The user renamed an item's shortcut and gave it a key; once it did not
// load, and the item got a second one. The renamed one stays, whichever
// name sorts first; the added one goes.
TEST(ItemShortcutResumeTest, ARenamedShortcutThatFailedToLoadOnceIsKept) {
  for (const std::string renamed : {"zz mine.lnk", "Hello.lnk", "greeting~.lnk", "greeting (mine) 2.lnk"}) {
    FakeLinkFiles fake;
    fake.items = Files({"greeting.zrx"});
    LinkRead link = Keyed(renamed, "greeting.zrx", 0x0647).link.value();
    link.description = "my words";
    fake.links[kGroup + renamed] = link;
    fake.unreadable = {kGroup + renamed};
    ItemShortcuts shortcuts(fake, fake);
    shortcuts.Update(kTarget, true);
    fake.unreadable.clear();
    shortcuts.Update(kTarget, true);
    EXPECT_THAT(fake.removed, ElementsAre(kGroup + "greeting.lnk")) << renamed;
    ASSERT_TRUE(fake.links.count(kGroup + renamed)) << renamed;
    EXPECT_EQ(fake.links[kGroup + renamed].hot_key, 0x0647);
    EXPECT_EQ(fake.links[kGroup + renamed].description, "my words");
  }
}

// A send whose stamp was kept while a link did not load reads it again.
TEST(ItemShortcutResumeTest, AnUnreadLinkIsNotFrozenByTheStamp) {
  FakeLinkFiles fake;
  fake.items = Files({"greeting.zrx"});
  fake.links[kGroup + "greeting.lnk"] = Ours("greeting.zrx");
  fake.links[kGroup + "greeting.lnk"].arguments = "/c \"C:\\M\\Items\\greeting.zrx\"";  // stale mode
  fake.unreadable = {kGroup + "greeting.lnk"};
  ShortcutTarget target = kTarget;
  target.use_stamps = true;
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 0);
  fake.unreadable.clear();
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.links[kGroup + "greeting.lnk"].arguments, "/p \"C:\\M\\Items\\greeting.zrx\"");
  const int reads = fake.reads;
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.reads, reads);  // now in step: the stamp holds
}

// Another copy's shortcut is left alone while its Zrnx.exe exists; once it
// is gone the shortcut is ours, though neither listing changed.
TEST(ItemShortcutResumeTest, AnotherCopyGoingAwayIsSeenThroughTheStamp) {
  FakeLinkFiles fake;
  fake.items = Files({"greeting.zrx"});
  LinkRead theirs = Ours("greeting.zrx");
  theirs.target = "D:\\Other\\Zrnx.exe";
  fake.links[kGroup + "greeting.lnk"] = theirs;
  fake.existing = {L"D:\\Other\\Zrnx.exe"};
  ShortcutTarget target = kTarget;
  target.wide_sender_path = L"C:\\P\\Zrnx.exe";
  target.use_stamps = true;
  ItemShortcuts shortcuts(fake, fake);
  shortcuts.Update(target, true);
  shortcuts.Update(target, true);
  EXPECT_EQ(fake.saves, 0);
  fake.existing.clear();
  shortcuts.Update(target, true);
  EXPECT_THAT(fake.saved, ElementsAre(kGroup + "greeting.lnk"));
  EXPECT_EQ(fake.links[kGroup + "greeting.lnk"].target, "C:\\P\\Zrnx.exe");
}

TEST(ItemShortcutResumeTest, AStampHoldsOnlyWhenEveryNamedCopyExists) {
  FakeLinkFiles fake;
  fake.existing = {L"D:\\A\\Zrnx.exe", L"D:\\\uB3C4\\Zrnx.exe"};
  // D:\A\Zrnx.exe and D:\도구\Zrnx.exe as four hex digits a character.
  const std::string a = "0044003A005C0041005C005A0072006E0078002E006500780065";
  const std::string korean = "0044003A005CB3C4005C005A0072006E0078002E006500780065";
  struct Case {
    std::string kept;
    bool holds;
  };
  const Case cases[] = {
      {"ABC", true},
      {"ABC\t" + a + "\t" + korean, true},
      {"ABD", false},
      {"ABC\t" + a + "\t0044003A005C0042", false},  // D:\B is gone
      {"ABC\t" + a.substr(1), false},              // not a path
      {"ABCD", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(StampHolds(c.kept, "ABC", fake), c.holds) << c.kept;
  EXPECT_FALSE(StampHolds("", "", fake));
}

// Reading the group alone takes longer than a send may: each send reads on
// where the last stopped, and the one that has it all writes. The same when
// the menu folder is the group, whose links are read as items too.
TEST(ItemShortcutResumeTest, SendsGoOnReadingWhereTheLastStopped) {
  for (const bool menu_is_group : {false, true}) {
    SCOPED_TRACE(menu_is_group ? "menu folder is the group" : "group apart");
    FakeLinkFiles fake;
    ShortcutTarget target = kTarget;
    target.use_stamps = true;
    if (menu_is_group) {
      target.menu_folder = fake.menu_folder = "C:\\U\\Programs\\Items";
      fake.menu_holds_links = true;
    }
    fake.items = Files({"a.zrx", "b.zrx", "c.zrx", "d.zrx", "e.zrx", "f.zrx"});
    for (const char* item : {"a", "b", "c", "d", "e", "f"})
      fake.links[kGroup + item + ".lnk"] = Ours(item + std::string(".zrx"), target);
    const std::string f_item = "\"" + target.menu_folder + "\\f.zrx\"";
    fake.links[kGroup + "f.lnk"].arguments = "/c " + f_item;  // stale
    ItemShortcuts shortcuts(fake, fake);
    int start = 0;
    shortcuts.out_of_time = [&] { return fake.reads - start >= 2; };  // two links a send
    int sends = 0;
    for (; sends < 10 && fake.saves == 0; ++sends) {
      start = fake.reads;
      shortcuts.Update(target, true);
      EXPECT_LE(fake.reads - start, 2) << "send " << sends;
    }
    // Three sends read (six more when the links are items too), the next writes.
    EXPECT_EQ(sends, menu_is_group ? 7 : 4);
    EXPECT_EQ(fake.links[kGroup + "f.lnk"].arguments, "/p " + f_item);

    // A link changed since (its stamp) is read again, not taken as kept.
    shortcuts.out_of_time = nullptr;
    fake.links[kGroup + "a.lnk"].arguments = "/c \"" + target.menu_folder + "\\a.zrx\"";
    fake.stamp = 2;
    start = fake.reads;
    shortcuts.Update(target, true);
    EXPECT_EQ(fake.reads - start, menu_is_group ? 12 : 6);
    EXPECT_EQ(fake.links[kGroup + "a.lnk"].arguments, "/p \"" + target.menu_folder + "\\a.zrx\"");
    EXPECT_EQ(fake.LoadLinks("another key"), "");
  }
}

TEST(LinkCacheTest, EveryFieldComesBackAndABrokenLineIsLeftOut) {
  LinkRead odd{"C:\\P\\Zrnx.exe", "/p \"C:\\M\\a\tb.zrx\"", "C:\\P", "line\nbreak \\ and \r", "", -3, 0x0647,
               "ZarnikNX.Item.1", L"C:\\\uB3C4\\Zrnx.exe"};
  const LinkCache cache = {{"a\tb.lnk", {0xFFFFFFFFFFFFFFFFULL, odd}}, {"plain.lnk", {7, Ours("plain.zrx")}}};
  const std::string text = LinkCacheText(cache);
  EXPECT_EQ(ParseLinkCache(text), cache);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
  const std::string plain = text.substr(text.find('\n') + 1);
  for (const std::string& broken : {plain.substr(0, plain.size() / 2) + "\n", std::string("x\t1\n"), "\\q" + plain,
                                    plain.substr(0, plain.rfind('\t')) + "\t00G0\n"}) {
    EXPECT_EQ(ParseLinkCache(broken + plain).size(), 1u) << broken;
  }
  EXPECT_TRUE(ParseLinkCache("").empty());
}

}  // namespace
}  // namespace zrnx
