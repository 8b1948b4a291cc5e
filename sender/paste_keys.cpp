#include "sender/paste_keys.h"

#include <array>

namespace zrnx {
namespace {

constexpr KeyStroke Down(std::uint8_t key) { return {key, false}; }
constexpr KeyStroke Up(std::uint8_t key) { return {key, true}; }

constexpr std::array kCtrlV = {Down(kVkControl), Down(kVkV), Up(kVkV), Up(kVkControl)};
constexpr std::array kShiftIns = {Down(kVkShift), Down(kVkInsert), Up(kVkInsert), Up(kVkShift)};
constexpr std::array kF9 = {Down(kVkF9), Up(kVkF9)};
constexpr std::array kShiftF9 = {Down(kVkShift), Down(kVkF9), Up(kVkF9), Up(kVkShift)};
constexpr std::array kShiftAltIns = {Down(kVkShift), Down(kVkMenu), Down(kVkInsert),
                                     Up(kVkInsert),  Up(kVkMenu),   Up(kVkShift)};
constexpr std::array kAltV = {Down(kVkMenu), Down(kVkV), Up(kVkV), Up(kVkMenu)};

}  // namespace

std::span<const KeyStroke> PasteKeySequence(std::int32_t kind) {
  switch (kind) {
    case 0: return kCtrlV;
    case 1: return kShiftIns;
    case 2: return kF9;
    case 3: return kShiftF9;
    case 4: return kShiftAltIns;
    case 5: return kAltV;
    default: return {};
  }
}

void WaitForModifierRelease(KeyboardPort& keyboard) {
  while (keyboard.IsKeyDown(kVkShift) || keyboard.IsKeyDown(kVkControl) || keyboard.IsKeyDown(kVkMenu))
    keyboard.Pause(kModifierPollPause);
}

bool DeliversPaste(std::int32_t kind, WindowHandle focus) {
  return kind == kPasteByMessage ? focus != 0 : !PasteKeySequence(kind).empty();
}

void WaitBeforePaste(std::int32_t kind, KeyboardPort& keyboard) {
  // Keys still held from opening the item would turn the paste into another
  // command; the message kind is not affected by them.
  if (kind < kPasteByMessage) WaitForModifierRelease(keyboard);
  keyboard.Pause(kPastePause);
}

PasteDelivery DeliverPaste(std::int32_t kind, WindowHandle focus, KeyboardPort& keyboard) {
  if (kind == kPasteByMessage) {
    if (focus == 0) return PasteDelivery::kDelivered;
    const std::uint64_t start = keyboard.Milliseconds();
    if (keyboard.SendPasteMessage(focus)) return PasteDelivery::kDelivered;
    // A handler that outlasts the wait (a large text, a question to the
    // user) may still paste: the user is told so, not that nothing came.
    return keyboard.Milliseconds() - start >= kPasteMessageWaitedOut ? PasteDelivery::kMaybeLate
                                                                     : PasteDelivery::kNotDelivered;
  }
  for (const KeyStroke& stroke : PasteKeySequence(kind)) {
    // The V events go out without a scan code.
    const std::uint8_t scan = stroke.key == kVkV ? 0 : keyboard.ScanCode(stroke.key);
    keyboard.SendKey(stroke.key, scan, stroke.release);
  }
  return PasteDelivery::kDelivered;
}

void MoveCaretBack(std::size_t presses, KeyboardPort& keyboard) {
  if (presses == 0) return;
  WaitForModifierRelease(keyboard);
  keyboard.SendExtendedPresses(kVkLeft, keyboard.ScanCode(kVkLeft), presses);
}

}  // namespace zrnx
