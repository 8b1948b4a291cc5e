#include "sender/paste_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zrnx {
namespace {

// Scan code of a key: its virtual key plus 0x40, so each is told apart.
// Each call is logged as text: "pause 50", "down 11/51", "up 56/00", "paste 9".
class FakeKeyboard : public KeyboardPort {
 public:
  bool IsKeyDown(std::uint8_t key) override {
    polls.push_back(key);
    if (held_polls > 0) {
      --held_polls;
      return key == held_key;
    }
    return false;
  }
  void Pause(unsigned ms) override { Log("pause " + std::to_string(ms)); }
  std::uint8_t ScanCode(std::uint8_t key) override { return static_cast<std::uint8_t>(key + 0x40); }
  void SendKey(std::uint8_t key, std::uint8_t scan, bool release) override {
    char text[32];
    std::snprintf(text, sizeof text, "%s %02X/%02X", release ? "up" : "down", key, scan);
    Log(text);
  }
  void SendExtendedPresses(std::uint8_t key, std::uint8_t scan, std::size_t presses) override {
    char text[48];
    std::snprintf(text, sizeof text, "%zu x ext %02X/%02X", presses, key, scan);
    Log(text);
  }
  bool SendPasteMessage(WindowHandle window) override {
    Log("paste " + std::to_string(window));
    now += message_takes;
    return message_handled;
  }
  std::uint64_t Milliseconds() override { return now; }

  void Log(std::string s) {
    if (!s.starts_with("pause") || log.empty() || log.back() != s) log.push_back(std::move(s));
  }

  std::vector<std::string> log;
  std::vector<std::uint8_t> polls;
  std::uint8_t held_key = 0;
  int held_polls = 0;  // how many polls answer "down" for held_key
  bool message_handled = true;
  std::uint64_t now = 1000, message_takes = 0;
};

// The run's order: the wait, then the delivery.
PasteDelivery SendPasteKey(std::int32_t kind, WindowHandle focus, KeyboardPort& keyboard) {
  WaitBeforePaste(kind, keyboard);
  return DeliverPaste(kind, focus, keyboard);
}

std::vector<std::string> Sent(std::int32_t kind, WindowHandle focus = 9) {
  FakeKeyboard keyboard;
  EXPECT_EQ(SendPasteKey(kind, focus, keyboard), PasteDelivery::kDelivered);
  return keyboard.log;
}

using Log = std::vector<std::string>;

TEST(PasteKeysTest, EachKindSendsItsExactEvents) {
  EXPECT_EQ(Sent(0), (Log{"pause 50", "down 11/51", "down 56/00", "up 56/00", "up 11/51"}));
  EXPECT_EQ(Sent(1), (Log{"pause 50", "down 10/50", "down 2D/6D", "up 2D/6D", "up 10/50"}));
  EXPECT_EQ(Sent(2), (Log{"pause 50", "down 78/B8", "up 78/B8"}));
  EXPECT_EQ(Sent(3), (Log{"pause 50", "down 10/50", "down 78/B8", "up 78/B8", "up 10/50"}));
  EXPECT_EQ(Sent(4), (Log{"pause 50", "down 10/50", "down 12/52", "down 2D/6D", "up 2D/6D", "up 12/52", "up 10/50"}));
  EXPECT_EQ(Sent(5), (Log{"pause 50", "down 12/52", "down 56/00", "up 56/00", "up 12/52"}));
}

TEST(PasteKeysTest, MessageKindGoesToTheFocusWindowOnly) {
  EXPECT_EQ(Sent(6, 9), (Log{"pause 50", "paste 9"}));
  EXPECT_EQ(Sent(6, 0), (Log{"pause 50"}));
}

TEST(PasteKeysTest, AnUnhandledPasteMessageIsReportedAndOnlyWhatDeliversCounts) {
  // Refused at once (a hung window) or waited out (a slow handler, which may still paste).
  struct Case {
    bool handled;
    std::uint64_t takes;
    PasteDelivery delivery;
  } cases[] = {{true, 0, PasteDelivery::kDelivered},
               {true, kPasteMessageTimeout, PasteDelivery::kDelivered},
               {false, 0, PasteDelivery::kNotDelivered},
               {false, kPasteMessageWaitedOut - 1, PasteDelivery::kNotDelivered},
               {false, kPasteMessageWaitedOut, PasteDelivery::kMaybeLate},
               {false, kPasteMessageTimeout + 15, PasteDelivery::kMaybeLate}};
  for (const Case& c : cases) {
    FakeKeyboard keyboard;
    keyboard.message_handled = c.handled;
    keyboard.message_takes = c.takes;
    EXPECT_EQ(DeliverPaste(6, 9, keyboard), c.delivery) << c.handled << " " << c.takes;
    EXPECT_EQ(keyboard.log, (Log{"paste 9"}));
    EXPECT_EQ(DeliverPaste(6, 0, keyboard), PasteDelivery::kDelivered) << "nothing to deliver is not a failure";
  }

  for (std::int32_t kind = 0; kind <= 5; ++kind) {
    EXPECT_TRUE(DeliversPaste(kind, 0)) << kind;
    EXPECT_TRUE(DeliversPaste(kind, 9)) << kind;
  }
  EXPECT_TRUE(DeliversPaste(6, 9));
  EXPECT_FALSE(DeliversPaste(6, 0));
  for (std::int32_t kind : {-1, 7, INT32_MIN, INT32_MAX}) EXPECT_FALSE(DeliversPaste(kind, 9)) << kind;
}

TEST(PasteKeysTest, OtherKindsSendNothingAndOnlyLowOnesWaitForModifiers) {
  for (std::int32_t kind : {-1, 7, 100, INT32_MIN, INT32_MAX}) {
    FakeKeyboard keyboard;
    SendPasteKey(kind, 9, keyboard);
    EXPECT_EQ(keyboard.log, (Log{"pause 50"})) << kind;
    EXPECT_EQ(keyboard.polls.empty(), kind >= 6) << kind;
  }
  FakeKeyboard message;
  SendPasteKey(6, 9, message);
  EXPECT_TRUE(message.polls.empty());
}

TEST(PasteKeysTest, HeldModifierDelaysTheFirstEventUntilAFullPassFindsNoneDown) {
  FakeKeyboard keyboard;
  keyboard.held_key = kVkMenu;
  keyboard.held_polls = 9;  // Alt is seen down at the 3rd, 6th and 9th poll
  SendPasteKey(0, 9, keyboard);
  EXPECT_EQ(keyboard.polls,
            (std::vector<std::uint8_t>{0x10, 0x11, 0x12, 0x10, 0x11, 0x12, 0x10, 0x11, 0x12, 0x10, 0x11, 0x12}));
  // Short pauses while Alt is held, then the paste pause, then the keys.
  EXPECT_EQ(keyboard.log, (Log{"pause 5", "pause 50", "down 11/51", "down 56/00", "up 56/00", "up 11/51"}));
}

TEST(PasteKeysTest, TablesPressAndReleaseEveryKeyInMirrorOrder) {
  for (std::int32_t kind = 0; kind <= 5; ++kind) {
    auto keys = PasteKeySequence(kind);
    ASSERT_EQ(keys.size() % 2, 0u);
    for (std::size_t i = 0; i < keys.size() / 2; ++i) {
      EXPECT_FALSE(keys[i].release);
      EXPECT_EQ(keys[keys.size() - 1 - i], (KeyStroke{keys[i].key, true})) << kind;
    }
  }
  EXPECT_TRUE(PasteKeySequence(6).empty());
}

TEST(PasteKeysTest, TheCaretMovesBackInOneBatchOnceModifiersAreUp) {
  FakeKeyboard shift_held;
  shift_held.held_key = kVkShift;
  shift_held.held_polls = 4;  // Shift is seen down at the first four polls
  MoveCaretBack(1234, shift_held);
  EXPECT_EQ(shift_held.polls.size(), 7u);  // four, then a pass over all three
  EXPECT_EQ(shift_held.log, (Log{"pause 5", "1234 x ext 25/65"}));

  FakeKeyboard none;
  MoveCaretBack(0, none);
  EXPECT_TRUE(none.log.empty());
  EXPECT_TRUE(none.polls.empty());
}

}  // namespace
}  // namespace zrnx
