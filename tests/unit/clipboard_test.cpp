#include "sender/clipboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

#include "fakes/item_text_print.h"
#include "common/error.h"

namespace zrnx {
namespace {

using ::testing::ElementsAre;

// Records every call as a word; the clipboard opens after `busy_attempts` tries.
class FakeClipboard : public ClipboardPort {
 public:
  void NotifySibling(unsigned message) override { calls.push_back(message == 0x046E ? "before" : "after"); }
  bool PrepareBlock(const std::string& text) override {
    calls.push_back("prepare");
    block = text + '\0';
    return !out_of_memory;
  }
  bool PrepareUnicodeBlocks(std::string&& utf8) override {
    calls.push_back("prepare unicode");
    block = std::move(utf8) + '\0';
    utf8.clear();
    return !out_of_memory;
  }
  bool Open() override {
    ++open_attempts;
    if (open_attempts <= busy_attempts) return false;
    calls.push_back("open");
    return true;
  }
  bool Empty() override {
    calls.push_back("empty");
    return taken_over-- <= 0;
  }
  HandOverResult HandOver() override {
    calls.push_back("set");
    if (refusals-- > 0) return refuse_after_part ? HandOverResult::kRefusedAfterPart : HandOverResult::kRefused;
    held = block;
    return HandOverResult::kAccepted;
  }
  void Close() override { calls.push_back("close"); }
  void Pause(unsigned ms) override { paused += ms; }
  // The holder changes every `change_every` failed attempts (0: never).
  ClipboardHolder Holder() override {
    if (change_every != 0 && open_attempts % change_every == 0) holder.sequence = static_cast<std::uint32_t>(open_attempts);
    return holder;
  }
  std::uint64_t Milliseconds() override { return paused; }

  std::vector<std::string> calls;
  std::string block, held;
  int busy_attempts = 0, open_attempts = 0, change_every = 0;
  ClipboardHolder holder{0x1234, 7};
  unsigned paused = 0;
  int taken_over = 0, refusals = 0;  // attempts that fail so
  bool out_of_memory = false, refuse_after_part = false;
};

TEST(ClipboardTest, WriteIsBracketedByTheSiblingMessages) {
  FakeClipboard clip;
  PutTextOnClipboard(ItemText{""}, clip);
  EXPECT_THAT(clip.calls, ElementsAre("before", "prepare", "open", "empty", "set", "close", "after"));
  EXPECT_EQ(clip.held, std::string(1, '\0'));  // an empty text is one zero byte
}

TEST(ClipboardTest, DecodedTextGoesThroughTheUnicodeBlocks) {
  FakeClipboard clip;
  PutTextOnClipboard(ItemText{"\xE3\x81\x82", TextEncoding::kUtf8}, clip);
  EXPECT_THAT(clip.calls, ElementsAre("before", "prepare unicode", "open", "empty", "set", "close", "after"));
  EXPECT_EQ(clip.held, std::string("\xE3\x81\x82\0", 4));
}

TEST(ClipboardTest, ClipboardThatChangesHandsIsWaitedForBeyondTheStuckLimit) {
  // Busy for 10 s in all, but never 3 s with one holder and one content.
  FakeClipboard clip;
  clip.busy_attempts = 1000;
  clip.change_every = 100;
  PutTextOnClipboard(ItemText{"abc"}, clip);
  EXPECT_EQ(clip.open_attempts, 1001);
  EXPECT_EQ(clip.held, std::string("abc\0", 4));
  EXPECT_EQ(clip.paused, 1000 * kClipboardRetryPause);
}

// Under Wine a run that opened the clipboard without a window loses it to the
// next one that does: emptying it or setting the data then fails.
TEST(ClipboardTest, ClipboardTakenOverByAnotherRunIsWrittenAgain) {
  FakeClipboard clip;
  clip.taken_over = 1;
  clip.refusals = 1;
  PutTextOnClipboard(ItemText{"abc"}, clip);
  EXPECT_THAT(clip.calls, ElementsAre("before", "prepare", "open", "empty", "close", "open", "empty", "set", "close",
                                      "open", "empty", "set", "close", "after"));
  EXPECT_EQ(clip.held, std::string("abc\0", 4));
}

TEST(ClipboardTest, ClipboardThatStaysHeldIsAnErrorWithinAFewSeconds) {
  struct Case {
    int change_every;  // 0: one holder for good
    std::uint64_t gave_up_after;
  };
  for (const Case& c : {Case{0, kClipboardStuckLimit}, Case{10, kClipboardWaitLimit}}) {
    FakeClipboard clip;
    clip.busy_attempts = 1 << 30;
    clip.change_every = c.change_every;
    try {
      PutTextOnClipboard(ItemText{"abc"}, clip);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), kClipboardBusyText);
    }
    EXPECT_EQ(clip.paused, c.gave_up_after);
    EXPECT_THAT(clip.calls, ElementsAre("before", "prepare", "after"));
  }
}

TEST(ClipboardTest, RefusedDataAndShortMemoryAreErrorsToo) {
  FakeClipboard refused;
  refused.refusals = 1;
  refused.refuse_after_part = true;
  EXPECT_THROW(PutTextOnClipboard(ItemText{"abc"}, refused), Error);
  EXPECT_THAT(refused.calls, ElementsAre("before", "prepare", "open", "empty", "set", "close", "after"));

  FakeClipboard always_refused;
  always_refused.refusals = 1 << 30;
  EXPECT_THROW(PutTextOnClipboard(ItemText{"abc"}, always_refused), Error);
  EXPECT_EQ(always_refused.paused, kClipboardStuckLimit);

  FakeClipboard short_of_memory;
  short_of_memory.out_of_memory = true;
  EXPECT_THROW(PutTextOnClipboard(ItemText{"abc"}, short_of_memory), std::bad_alloc);
  // The clipboard keeps what it held.
  EXPECT_THAT(short_of_memory.calls, ElementsAre("before", "prepare", "after"));
}

}  // namespace
}  // namespace zrnx
