#include "sender/clipboard_restore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace zrnx {
namespace {

using ::testing::ElementsAre;

constexpr unsigned kText = 1, kBitmap = 2, kDib = 8, kEnhMetafile = 14, kUnicode = 13, kOwnerDisplay = 0x80;
constexpr unsigned kPrivateHandle = 0x250, kRegistered = 0xC123, kRegisteredGone = 0xC200;

// A clipboard of formats (nullopt: listed but without data to give) and a
// target that reads the item or not; records what happens as words.
class FakeKeepClipboard : public ClipboardKeepPort {
 public:
  bool Open() override {
    if (busy_opens > 0) {
      --busy_opens;
      return false;
    }
    calls.push_back("open");
    return true;
  }
  void Close() override { calls.push_back("close"); }
  std::vector<unsigned> Formats() override {
    std::vector<unsigned> formats;
    for (const auto& [format, bytes] : clipboard) formats.push_back(format);
    return formats;
  }
  CopyResult Copy(unsigned format, std::string& bytes) override {
    calls.push_back("copy " + std::to_string(format));
    if (format == no_memory_for) return CopyResult::kNoMemory;
    const auto found = std::find_if(clipboard.begin(), clipboard.end(), [&](auto& f) { return f.first == format; });
    if (!found->second) return CopyResult::kNoData;
    bytes = *found->second;
    return CopyResult::kCopied;
  }
  bool Empty() override {
    calls.push_back("empty");
    if (failed_empties-- > 0) return false;
    clipboard.clear();
    return true;
  }
  bool Put(unsigned format, std::string&& bytes) override {
    calls.push_back("put " + std::to_string(format));
    if (format == refused) return false;
    clipboard.emplace_back(format, std::move(bytes));
    return true;
  }
  ReadSeen WaitForTargetRead(std::uint64_t limit) override {
    calls.push_back("wait");
    if (read_seen == ReadSeen::kTimedOut) now += limit;
    return read_seen;
  }
  bool StillHoldsItem() override { return holds_checks-- > 0; }
  void NotifySibling(unsigned message) override { calls.push_back(message == 0x046E ? "before" : "after"); }
  void Pause(unsigned milliseconds) override { now += milliseconds; }
  std::uint64_t Milliseconds() override { return now; }

  std::vector<std::pair<unsigned, std::optional<std::string>>> clipboard;
  std::vector<std::string> calls;
  std::uint64_t now = 0;
  int busy_opens = 0, failed_empties = 0;
  int holds_checks = 1000;  // checks that find the item still there
  unsigned no_memory_for = 0, refused = 0;
  ReadSeen read_seen = ReadSeen::kRead;
};

TEST(ClipboardRestoreTest, OnlyMemoryFormatsAreCopiedAsBytes) {
  struct Case {
    unsigned format;
    bool memory;
  } cases[] = {{kText, true},        {kBitmap, false},      {3, false},         {kDib, true},
               {9, false},           {kUnicode, true},      {kEnhMetafile, false}, {15, true},
               {kOwnerDisplay, false}, {0x81, true},       {0x82, false},      {0x83, false},
               {0x8E, false},        {0x1FF, true},         {0x200, false},     {0x3FF, false},
               {0x400, true},        {kRegistered, true},   {0, false}};
  for (const Case& c : cases) EXPECT_EQ(IsMemoryFormat(c.format), c.memory) << c.format;
}

TEST(ClipboardRestoreTest, KeepsEveryMemoryFormatInOrderAndSkipsTheRest) {
  FakeKeepClipboard clip;
  clip.clipboard = {{kUnicode, std::string("a\0\0\0", 4)}, {kBitmap, "hbitmap"},  {kRegistered, "private"},
                    {kEnhMetafile, "hemf"},               {kOwnerDisplay, ""},     {kPrivateHandle, "handle"},
                    {kRegisteredGone, std::nullopt},       {kText, std::string("a\0", 2)}};
  const std::optional<KeptClipboard> kept = KeepClipboard(clip);
  ASSERT_TRUE(kept.has_value());
  EXPECT_THAT(*kept, ElementsAre(KeptFormat{kUnicode, std::string("a\0\0\0", 4)}, KeptFormat{kRegistered, "private"},
                                 KeptFormat{kText, std::string("a\0", 2)}));
  // Handles are never asked for as memory.
  EXPECT_THAT(clip.calls, ElementsAre("open", "copy 13", "copy 49443", "copy 49664", "copy 1", "close"));
}

TEST(ClipboardRestoreTest, KeepingWaitsBrieflyForAHeldClipboardAndGivesUpWhole) {
  FakeKeepClipboard clip;
  clip.clipboard = {{kText, "old"}};
  clip.busy_opens = 50;  // half a second
  EXPECT_EQ(KeepClipboard(clip), (KeptClipboard{KeptFormat{kText, "old"}}));

  clip.busy_opens = 1000000;
  clip.now = 0;
  EXPECT_EQ(KeepClipboard(clip), std::nullopt);
  EXPECT_GE(clip.now, kKeepLimit);
  EXPECT_LT(clip.now, kKeepLimit + 100);

  // Half kept is not kept: a later give-back would lose the missing format.
  FakeKeepClipboard short_of_memory;
  short_of_memory.clipboard = {{kUnicode, "u"}, {kText, "t"}, {kDib, "d"}};
  short_of_memory.no_memory_for = kText;
  EXPECT_EQ(KeepClipboard(short_of_memory), std::nullopt);
  EXPECT_EQ(short_of_memory.calls.back(), "close");
}

// The item as the sender left it on the clipboard.
FakeKeepClipboard WithItem() {
  FakeKeepClipboard clip;
  clip.clipboard = {{kUnicode, "item-u"}, {kText, "item"}};
  return clip;
}

TEST(ClipboardRestoreTest, ReadItemIsReplacedByWhatWasKeptWithTheSiblingToldAround) {
  FakeKeepClipboard clip = WithItem();
  const KeptClipboard kept = {{kUnicode, "old-u"}, {kRegistered, "old-private"}, {kText, "old"}};
  EXPECT_EQ(GiveClipboardBack(kept, clip), GiveBackOutcome::kGivenBack);
  EXPECT_THAT(clip.calls, ElementsAre("wait", "before", "open", "empty", "put 13", "put 49443", "put 1", "close",
                                      "after"));
  EXPECT_THAT(clip.clipboard, ElementsAre(std::pair<unsigned, std::optional<std::string>>{kUnicode, "old-u"},
                                          std::pair<unsigned, std::optional<std::string>>{kRegistered, "old-private"},
                                          std::pair<unsigned, std::optional<std::string>>{kText, "old"}));
}

TEST(ClipboardRestoreTest, EmptyClipboardIsGivenBackEmpty) {
  FakeKeepClipboard clip = WithItem();
  EXPECT_EQ(GiveClipboardBack({}, clip), GiveBackOutcome::kGivenBack);
  EXPECT_TRUE(clip.clipboard.empty());
  EXPECT_THAT(clip.calls, ElementsAre("wait", "before", "open", "empty", "close", "after"));
}

TEST(ClipboardRestoreTest, ItemStaysWhenTheTargetNeverReadsIt) {
  FakeKeepClipboard clip = WithItem();
  clip.read_seen = ClipboardKeepPort::ReadSeen::kTimedOut;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, clip), GiveBackOutcome::kNotRead);
  EXPECT_THAT(clip.calls, ElementsAre("wait"));  // no write, so no sibling message either
  EXPECT_EQ(clip.clipboard.size(), 2u);
  EXPECT_EQ(clip.now, kTargetReadLimit);
}

TEST(ClipboardRestoreTest, ReadThatCannotBeSeenIsGivenTimeBeforeTheGiveBack) {
  FakeKeepClipboard clip = WithItem();
  clip.read_seen = ClipboardKeepPort::ReadSeen::kUnseen;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, clip), GiveBackOutcome::kGivenBack);
  EXPECT_EQ(clip.now, kUnseenReadDelay);
  EXPECT_THAT(clip.calls, ElementsAre("wait", "before", "open", "empty", "put 1", "close", "after"));
}

TEST(ClipboardRestoreTest, NewerContentOfAnotherProgramIsLeftAlone) {
  // Changed before the sender looks: nothing is written, no message.
  FakeKeepClipboard before = WithItem();
  before.holds_checks = 0;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, before), GiveBackOutcome::kChangedHands);
  EXPECT_THAT(before.calls, ElementsAre("wait"));

  // Changed while the clipboard was held by that program.
  FakeKeepClipboard while_held = WithItem();
  while_held.busy_opens = 5;
  while_held.holds_checks = 3;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, while_held), GiveBackOutcome::kChangedHands);
  EXPECT_THAT(while_held.calls, ElementsAre("wait", "before", "after"));

  // Changed just before the sender's own open succeeded: checked again inside.
  FakeKeepClipboard at_open = WithItem();
  at_open.holds_checks = 1;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, at_open), GiveBackOutcome::kChangedHands);
  EXPECT_THAT(at_open.calls, ElementsAre("wait", "before", "open", "close", "after"));
  EXPECT_EQ(at_open.clipboard.size(), 2u);
}

TEST(ClipboardRestoreTest, HeldClipboardIsWaitedForWithinItsBound) {
  FakeKeepClipboard brief = WithItem();
  brief.busy_opens = 100;  // a second
  brief.failed_empties = 1;  // and once taken over after opening
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, brief), GiveBackOutcome::kGivenBack);
  EXPECT_THAT(brief.clipboard, ElementsAre(std::pair<unsigned, std::optional<std::string>>{kText, "old"}));

  FakeKeepClipboard held = WithItem();
  held.busy_opens = 1000000;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, held), GiveBackOutcome::kBusy);
  EXPECT_GE(held.now, kGiveBackLimit);
  EXPECT_LT(held.now, kGiveBackLimit + 100);
  EXPECT_THAT(held.calls, ElementsAre("wait", "before", "after"));  // the sibling is not left waiting
  EXPECT_EQ(held.clipboard.size(), 2u);
}

TEST(ClipboardRestoreTest, RefusedFormatIsLostAloneAndTheOthersComeBack) {
  FakeKeepClipboard clip = WithItem();
  clip.refused = kRegistered;
  EXPECT_EQ(GiveClipboardBack({{kUnicode, "u"}, {kRegistered, "p"}, {kText, "t"}}, clip),
            GiveBackOutcome::kGivenBack);
  EXPECT_EQ(clip.clipboard.size(), 2u);
  EXPECT_EQ(clip.clipboard.back().second, "t");
}

TEST(ClipboardRestoreTest, HundredMegabyteTextIsKeptAndGivenBackWhole) {
  std::string big(100u << 20, 'x');
  for (std::size_t i = 0; i < big.size(); i += 4099) big[i] = static_cast<char>('a' + i % 26);
  big.back() = '\0';
  FakeKeepClipboard clip;
  clip.clipboard = {{kText, big}};
  std::optional<KeptClipboard> kept = KeepClipboard(clip);
  ASSERT_TRUE(kept.has_value());
  clip.clipboard = {{kText, "item"}};
  EXPECT_EQ(GiveClipboardBack(std::move(*kept), clip), GiveBackOutcome::kGivenBack);
  ASSERT_EQ(clip.clipboard.size(), 1u);
  EXPECT_TRUE(clip.clipboard[0].second == big);
}

}  // namespace
}  // namespace zrnx
