#include "sender/clipboard_restore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <new>

namespace zrnx {
namespace {

using ::testing::ElementsAre;

constexpr unsigned kText = 1, kBitmap = 2, kPicture = 3, kOemText = 7, kDib = 8, kPalette = 9, kUnicode = 13,
                   kEnhMetafile = 14, kLocale = 16, kDibV5 = 17, kOwnerDisplay = 0x80;
constexpr unsigned kPrivateHandle = 0x250, kRegistered = 0xC123, kRegisteredGone = 0xC200;

using Slot = std::pair<unsigned, std::optional<std::string>>;

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
    if (formats_throw) throw std::bad_alloc();
    std::vector<unsigned> formats;
    for (const auto& [format, bytes] : clipboard) formats.push_back(format);
    return formats;
  }
  bool OwnerAnswers(unsigned limit) override {
    calls.push_back("owner " + std::to_string(limit));
    return owner_answers;
  }
  CopyResult Copy(unsigned format, std::string& bytes) override {
    calls.push_back("copy " + std::to_string(format));
    now += copy_cost;
    if (format == no_memory_for) return CopyResult::kNoMemory;
    if (format == throws_for) throw std::bad_alloc();
    const auto found = std::find_if(clipboard.begin(), clipboard.end(), [&](auto& f) { return f.first == format; });
    if (!found->second) return CopyResult::kNoData;
    bytes = *found->second;
    return CopyResult::kCopied;
  }
  bool Prepare(KeptClipboard&& kept) override {
    calls.push_back("prepare");
    if (prepare_throws) throw std::bad_alloc();
    if (prepare_fails) return false;
    prepared = std::move(kept);
    return true;
  }
  bool Empty() override {
    calls.push_back("empty");
    if (failed_empties-- > 0) return false;
    clipboard.clear();
    return true;
  }
  bool HandOver() override {
    calls.push_back("hand over");
    bool whole = true;
    for (KeptFormat& format : prepared) {
      if (format.format == refused)
        whole = false;
      else
        clipboard.emplace_back(format.format, std::move(format.bytes));
    }
    prepared.clear();
    return whole;
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

  std::vector<Slot> clipboard;
  KeptClipboard prepared;
  std::vector<std::string> calls;
  std::uint64_t now = 0;
  unsigned copy_cost = 0;
  int busy_opens = 0, failed_empties = 0;
  int holds_checks = 1000;  // checks that find the item still there
  unsigned no_memory_for = 0, throws_for = 0, refused = 0;
  bool owner_answers = true, prepare_fails = false, prepare_throws = false, formats_throw = false;
  ReadSeen read_seen = ReadSeen::kRead;
};

TEST(ClipboardRestoreTest, MemoryFormatsAndMetafilesCanBeKeptHandlesCannot) {
  struct Case {
    unsigned format;
    bool kept;
  } cases[] = {{kText, true},         {kBitmap, false},     {kPicture, true},     {kDib, true},
               {kPalette, false},     {kUnicode, true},     {kEnhMetafile, true}, {15, true},
               {kOwnerDisplay, false}, {0x81, true},        {0x82, false},        {0x83, false},
               {0x8E, false},         {0x1FF, true},        {0x200, false},       {0x3FF, false},
               {0x400, true},         {kRegistered, true},  {0, false}};
  for (const Case& c : cases) EXPECT_EQ(CanBeKept(c.format), c.kept) << c.format;
}

TEST(ClipboardRestoreTest, SynthesizedFormatsFollowTheSystemsTable) {
  struct Case {
    unsigned source;
    std::vector<unsigned> made;
  } cases[] = {{kText, {kOemText, kUnicode}},    {kOemText, {kText, kUnicode}},
               {kUnicode, {kText, kOemText}},    {kBitmap, {kDib, kDibV5}},
               {kDib, {kBitmap, kPalette, kDibV5}}, {kDibV5, {kBitmap, kDib, kPalette}},
               {kEnhMetafile, {kPicture}},       {kPicture, {kEnhMetafile}},
               {kLocale, {}},                    {kRegistered, {}}};
  for (const Case& c : cases) {
    for (unsigned format : {0u, kText, kBitmap, kPicture, kOemText, kDib, kPalette, kUnicode, kEnhMetafile, kLocale,
                            kDibV5, kRegistered}) {
      const bool made = std::find(c.made.begin(), c.made.end(), format) != c.made.end();
      EXPECT_EQ(IsSynthesizedFrom(format, c.source), made) << format << " from " << c.source;
    }
  }
}

TEST(ClipboardRestoreTest, KeepsWhatCanBeKeptOnceUnicodeFirstAndNotWhatTheSystemMakesFromIt) {
  FakeKeepClipboard clip;
  // Text placed as code-page text, a bitmap as a handle; the rest made by the system.
  clip.clipboard = {{kText, "a"},          {kBitmap, "hbitmap"},          {kRegistered, "private"},
                    {kEnhMetafile, "emf"}, {kOwnerDisplay, ""},           {kPrivateHandle, "handle"},
                    {kRegisteredGone, std::nullopt}, {kLocale, "0411"},   {kUnicode, "a-u"},
                    {kOemText, "a-o"},     {kPicture, "mfp"},             {kDib, "dib"},
                    {kPalette, "pal"},     {kDibV5, "dib5"}};
  const std::optional<KeptClipboard> kept = KeepClipboard(clip);
  ASSERT_TRUE(kept.has_value());
  EXPECT_THAT(*kept, ElementsAre(KeptFormat{kUnicode, "a-u"}, KeptFormat{kRegistered, "private"},
                                 KeptFormat{kEnhMetafile, "emf"}, KeptFormat{kLocale, "0411"},
                                 KeptFormat{kDib, "dib"}));
  // The owner is asked before any promised data; handles are never asked for.
  EXPECT_THAT(clip.calls, ElementsAre("open", "owner 200", "copy 13", "copy 49443", "copy 14", "copy 49664",
                                      "copy 16", "copy 8", "close"));
}

// Each way the keep cannot take everything: nothing at all is kept, within
// the one bound, and the clipboard is closed again.
TEST(ClipboardRestoreTest, KeepIsWholeWithinOneBoundOrNothing) {
  struct Case {
    const char* name;
    int busy_opens = 0;
    bool owner_answers = true;
    unsigned no_memory_for = 0;
    unsigned copy_cost = 0;
    unsigned throws_for = 0;  // out of memory on the way, as a std::bad_alloc
    bool formats_throw = false;
    bool kept = false;
    std::vector<std::string> calls;
  } cases[] = {
      {.name = "held briefly", .busy_opens = 50, .kept = true, .calls = {"open", "owner 200", "copy 13", "copy 49443", "copy 8", "close"}},
      {.name = "held throughout", .busy_opens = 1000000, .calls = {}},
      {.name = "owner does not answer", .owner_answers = false, .calls = {"open", "owner 200", "close"}},
      {.name = "short of memory", .no_memory_for = kRegistered,
       .calls = {"open", "owner 200", "copy 13", "copy 49443", "close"}},
      {.name = "out of memory keeping a copy", .throws_for = kRegistered,
       .calls = {"open", "owner 200", "copy 13", "copy 49443", "close"}},
      {.name = "out of memory listing the formats", .formats_throw = true, .calls = {"open", "close"}},
      {.name = "copies within the bound", .copy_cost = 300, .kept = true,
       .calls = {"open", "owner 200", "copy 13", "copy 49443", "copy 8", "close"}},
      {.name = "last copy ends past the bound", .copy_cost = 400,
       .calls = {"open", "owner 200", "copy 13", "copy 49443", "copy 8", "close"}},
      {.name = "held, then the bound passed between copies", .busy_opens = 40, .copy_cost = 350,
       .calls = {"open", "owner 200", "copy 13", "copy 49443", "close"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeKeepClipboard clip;
    clip.clipboard = {{kUnicode, "u"}, {kRegistered, "r"}, {kDib, "d"}};
    clip.busy_opens = c.busy_opens;
    clip.owner_answers = c.owner_answers;
    clip.no_memory_for = c.no_memory_for;
    clip.copy_cost = c.copy_cost;
    clip.throws_for = c.throws_for;
    clip.formats_throw = c.formats_throw;
    std::optional<KeptClipboard> kept;
    EXPECT_NO_THROW(kept = KeepClipboard(clip));
    EXPECT_EQ(kept.has_value(), c.kept);
    EXPECT_EQ(clip.calls, c.calls);
    EXPECT_LT(clip.now, kKeepLimit + 400);
  }
}

TEST(ClipboardRestoreTest, OnlyTheTargetsOwnReadAfterTheKeyCounts) {
  struct Case {
    std::uint32_t reader;
    bool after_key;
    std::uint32_t target;
    bool counts;
  } cases[] = {{42, true, 42, true},   {42, false, 42, false},  // gathered as it changed, before the key
               {0, true, 42, false},   {0, true, 0, false},     // a reader without a window, no target
               {43, true, 42, false},  {42, true, 0, false}};
  for (const Case& c : cases)
    EXPECT_EQ(IsTargetRead({c.reader, c.after_key}, c.target), c.counts)
        << c.reader << (c.after_key ? " after " : " before ") << c.target;
}

// The item as the sender left it on the clipboard.
FakeKeepClipboard WithItem() {
  FakeKeepClipboard clip;
  clip.clipboard = {{kUnicode, "item-u"}, {kText, "item"}};
  return clip;
}

TEST(ClipboardRestoreTest, ReadItemIsReplacedByWhatWasKeptWithTheSiblingToldAround) {
  FakeKeepClipboard clip = WithItem();
  const KeptClipboard kept = {{kUnicode, "old-u"}, {kRegistered, "old-private"}, {kEnhMetafile, "emf"}};
  EXPECT_EQ(GiveClipboardBack(kept, true, clip), GiveBackOutcome::kGivenBack);
  // Everything is made ready before the item is emptied away.
  EXPECT_THAT(clip.calls, ElementsAre("wait", "prepare", "before", "open", "empty", "hand over", "close", "after"));
  EXPECT_THAT(clip.clipboard, ElementsAre(Slot{kUnicode, "old-u"}, Slot{kRegistered, "old-private"},
                                          Slot{kEnhMetafile, "emf"}));

  FakeKeepClipboard empty = WithItem();
  EXPECT_EQ(GiveClipboardBack({}, true, empty), GiveBackOutcome::kGivenBack);
  EXPECT_TRUE(empty.clipboard.empty());
}

// Each way the give-back does not happen: the item stays whole on the
// clipboard, and the sibling hears of a write only when one was tried.
TEST(ClipboardRestoreTest, GiveBackThatCannotBeMadeLeavesTheItem) {
  using ReadSeen = ClipboardKeepPort::ReadSeen;
  struct Case {
    const char* name;
    bool has_target = true;
    ReadSeen read = ReadSeen::kRead;
    int holds_checks = 1000;
    int busy_opens = 0;
    bool prepare_fails = false;
    bool prepare_throws = false;
    GiveBackOutcome outcome;
    std::vector<std::string> calls;
  } cases[] = {
      {.name = "no target", .has_target = false, .outcome = GiveBackOutcome::kNoTarget, .calls = {}},
      {.name = "never read", .read = ReadSeen::kTimedOut, .outcome = GiveBackOutcome::kNotRead, .calls = {"wait"}},
      // Another program took the data first: a late paste must still get the item.
      {.name = "read unseen", .read = ReadSeen::kUnseen, .outcome = GiveBackOutcome::kNotRead, .calls = {"wait"}},
      {.name = "newer content before", .holds_checks = 0, .outcome = GiveBackOutcome::kChangedHands,
       .calls = {"wait"}},
      {.name = "no memory for the blocks", .prepare_fails = true, .outcome = GiveBackOutcome::kNoMemory,
       .calls = {"wait", "prepare"}},
      {.name = "out of memory making the blocks", .prepare_throws = true, .outcome = GiveBackOutcome::kNoMemory,
       .calls = {"wait", "prepare"}},
      {.name = "newer content while held", .holds_checks = 3, .busy_opens = 5,
       .outcome = GiveBackOutcome::kChangedHands, .calls = {"wait", "prepare", "before", "after"}},
      {.name = "newer content just before the open", .holds_checks = 1, .outcome = GiveBackOutcome::kChangedHands,
       .calls = {"wait", "prepare", "before", "open", "close", "after"}},
      {.name = "held to the end", .busy_opens = 1000000, .outcome = GiveBackOutcome::kBusy,
       .calls = {"wait", "prepare", "before", "after"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeKeepClipboard clip = WithItem();
    clip.read_seen = c.read;
    clip.holds_checks = c.holds_checks;
    clip.busy_opens = c.busy_opens;
    clip.prepare_fails = c.prepare_fails;
    clip.prepare_throws = c.prepare_throws;
    GiveBackOutcome outcome{};
    EXPECT_NO_THROW(outcome = GiveClipboardBack({{kText, "old"}}, c.has_target, clip));
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(clip.calls, c.calls);
    EXPECT_THAT(clip.clipboard, ElementsAre(Slot{kUnicode, "item-u"}, Slot{kText, "item"}));
    EXPECT_LE(clip.now, std::max(kTargetReadLimit, kGiveBackLimit) + 100);
  }
}

TEST(ClipboardRestoreTest, HeldClipboardIsWaitedForWithinItsBound) {
  FakeKeepClipboard brief = WithItem();
  brief.busy_opens = 100;    // a second
  brief.failed_empties = 1;  // and once taken over after opening
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, true, brief), GiveBackOutcome::kGivenBack);
  EXPECT_THAT(brief.clipboard, ElementsAre(Slot{kText, "old"}));

  FakeKeepClipboard held = WithItem();
  held.busy_opens = 1000000;
  EXPECT_EQ(GiveClipboardBack({{kText, "old"}}, true, held), GiveBackOutcome::kBusy);
  EXPECT_GE(held.now, kGiveBackLimit);
  EXPECT_LT(held.now, kGiveBackLimit + 100);
}

TEST(ClipboardRestoreTest, RefusedFormatIsReported) {
  FakeKeepClipboard clip = WithItem();
  clip.refused = kRegistered;
  EXPECT_EQ(GiveClipboardBack({{kUnicode, "u"}, {kRegistered, "p"}, {kText, "t"}}, true, clip),
            GiveBackOutcome::kRefused);
  EXPECT_THAT(clip.clipboard, ElementsAre(Slot{kUnicode, "u"}, Slot{kText, "t"}));
}

TEST(ClipboardRestoreTest, HundredMegabyteTextIsKeptOnceAndGivenBackWhole) {
  std::string big(100u << 20, 'x');
  for (std::size_t i = 0; i < big.size(); i += 4099) big[i] = static_cast<char>('a' + i % 26);
  big.back() = '\0';
  FakeKeepClipboard clip;
  // The code-page forms are the system's, made from the Unicode text.
  clip.clipboard = {{kUnicode, big}, {kText, "made"}, {kOemText, "made"}};
  std::optional<KeptClipboard> kept = KeepClipboard(clip);
  ASSERT_TRUE(kept.has_value());
  ASSERT_EQ(kept->size(), 1u);
  clip.clipboard = {{kText, "item"}};
  EXPECT_EQ(GiveClipboardBack(std::move(*kept), true, clip), GiveBackOutcome::kGivenBack);
  ASSERT_EQ(clip.clipboard.size(), 1u);
  EXPECT_TRUE(clip.clipboard[0].second == big);
}

}  // namespace
}  // namespace zrnx
