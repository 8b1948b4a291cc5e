// The run's use of the clipboard lock: taken before the clipboard is first
// read (the quoted text or the keep), let go while a question box is open,
// and released once the give-back is settled, before any box and before the
// Start-menu sync, on every path out.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

#include "common/error.h"
#include "fakes/fake_profile_store.h"
#include "fakes/item_text_print.h"
#include "fakes/mock_sender_steps.h"
#include "sender/run.h"
#include "sender/texts.h"

namespace zrnx {
namespace {

using ::testing::_;
using ::testing::NiceMock;
using Steps = std::vector<std::string>;

struct Case {
  const char* name;
  const char* item;                 // a ".zrx" item's text
  bool restore = true;              // RestoreClipboard=1
  bool locks = true;                // the lock is had within its bound
  std::optional<std::string> read = {};  // the clipboard's text as read
  PasteDelivery delivered = PasteDelivery::kDelivered;
  bool write_fails = false;
  Steps steps;
  int exit_code = 0;
  std::string_view box = {};
};

// Runs "/p a.zrx" into the target 7 and returns the steps that touch the
// clipboard or show a box, by name, in order.
Steps RunLogged(const Case& c, int& exit_code) {
  NiceMock<test::MockSteps> steps;
  test::FakeProfileStore store;
  if (c.restore) store.Set("Option", "RestoreClipboard", "1");
  Steps log;
  const auto logs = [&log](const char* name) { return [&log, name] { log.push_back(name); }; };
  ON_CALL(steps, ItemFileExists(_)).WillByDefault(::testing::Return(true));
  ON_CALL(steps, LoadItemText(_, _)).WillByDefault(::testing::Return(ItemText{c.item, TextEncoding::kUtf8}));
  ON_CALL(steps, ExpandDatePlaceholders(_, _)).WillByDefault([](const ItemText& text, auto&) { return text; });
  ON_CALL(steps, LockClipboard()).WillByDefault([&] {
    log.push_back("lock");
    return c.locks;
  });
  ON_CALL(steps, ReadClipboardText()).WillByDefault([&] {
    log.push_back("read");
    return c.read;
  });
  ON_CALL(steps, AskQuestions(_, _)).WillByDefault([&](auto& labels, std::size_t) {
    log.push_back("ask");
    return std::optional<std::vector<std::string>>(std::vector<std::string>(labels.size(), "A"));
  });
  ON_CALL(steps, KeepClipboard()).WillByDefault(logs("keep"));
  ON_CALL(steps, PutTextOnClipboard(_)).WillByDefault([&](ItemText text) {
    log.push_back("write " + text.bytes);
    if (c.write_fails) throw Error("held");
  });
  ON_CALL(steps, FindTargetWindow()).WillByDefault(::testing::Return(7));
  ON_CALL(steps, IsWindow(7)).WillByDefault(::testing::Return(true));
  ON_CALL(steps, ActivateTargetWindow(7)).WillByDefault(::testing::Return(8));
  ON_CALL(steps, ForegroundWindow()).WillByDefault(::testing::Return(7));
  ON_CALL(steps, RootOwner(7)).WillByDefault(::testing::Return(7));
  ON_CALL(steps, SendPasteKey(_, _)).WillByDefault([&](auto, auto) {
    log.push_back("paste");
    return c.delivered;
  });
  ON_CALL(steps, GiveClipboardBack()).WillByDefault([&] {
    log.push_back("give back");
    return GiveBackOutcome::kGivenBack;
  });
  ON_CALL(steps, SettleClipboard()).WillByDefault(logs("settle"));
  ON_CALL(steps, ShowMessage(_, _, _)).WillByDefault([&](std::string_view text, auto, auto) {
    log.push_back(text == c.box ? "box" : "other box: " + std::string(text));
  });
  ON_CALL(steps, KeepItemShortcuts(_)).WillByDefault([&](auto&) { log.push_back("shortcuts"); });
  exit_code = RunSender(L"z /p a.zrx", L"C:\\Tools\\Zrnx.ini", steps, store);
  return log;
}

TEST(RunGiveBackTest, TheLockCoversEveryReadAndIsLetGoBeforeAnythingThatWaits) {
  const Case cases[] = {
      {.name = "plain item", .item = "x", .steps = {"lock", "keep", "write x", "paste", "give back", "settle",
                                                     "shortcuts"}},
      {.name = "without the option nothing is locked", .item = "x", .restore = false,
       .steps = {"write x", "paste", "settle", "shortcuts"}},
      // The quote is read after any other send has given the user's text
      // back, and the lock stays on to the keep, so both see the same.
      {.name = "quote", .item = "re: %clipboard%", .read = "mine",
       .steps = {"lock", "read", "lock", "keep", "write re: mine", "paste", "give back", "settle", "shortcuts"}},
      {.name = "quote without the option", .item = "re: %clipboard%", .restore = false, .read = "mine",
       .steps = {"lock", "read", "write re: mine", "paste", "settle", "shortcuts"}},
      // Other sends go on while the user answers.
      {.name = "quote and a question", .item = "%clipboard% %input%", .read = "mine",
       .steps = {"lock", "read", "settle", "ask", "lock", "keep", "write mine A", "paste", "give back", "settle",
                 "shortcuts"}},
      {.name = "a question alone takes no lock before it", .item = "%input%",
       .steps = {"ask", "lock", "keep", "write A", "paste", "give back", "settle", "shortcuts"}},
      // Nothing is sent without the quote, and the user is told.
      {.name = "quote unreadable", .item = "re: %clipboard% %input%", .read = std::nullopt,
       .steps = {"lock", "read", "settle", "box", "shortcuts"}, .exit_code = 1, .box = kClipboardUnreadableText},
      {.name = "earlier send never settled, quote", .item = "re: %clipboard%", .locks = false, .read = "theirs",
       .steps = {"lock", "settle", "box", "shortcuts"}, .exit_code = 1, .box = kClipboardUnreadableText},
      {.name = "earlier send never settled, nothing kept", .item = "x", .locks = false,
       .steps = {"lock", "write x", "paste", "settle", "shortcuts"}},
      // The box may stay open for long: the next send does not wait on it.
      {.name = "not pasted", .item = "x", .delivered = PasteDelivery::kNotDelivered,
       .steps = {"lock", "keep", "write x", "paste", "settle", "box", "shortcuts"}, .exit_code = 1,
       .box = kPasteNotDeliveredText},
      {.name = "may be late", .item = "x", .delivered = PasteDelivery::kMaybeLate,
       .steps = {"lock", "keep", "write x", "paste", "settle", "box", "shortcuts"}, .exit_code = 1,
       .box = kPasteMayBeLateText},
      {.name = "the write fails", .item = "x", .write_fails = true,
       .steps = {"lock", "keep", "write x", "settle", "box"}, .exit_code = 1, .box = "held"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int exit_code = -1;
    EXPECT_EQ(RunLogged(c, exit_code), c.steps);
    EXPECT_EQ(exit_code, c.exit_code);
  }
}

}  // namespace
}  // namespace zrnx
