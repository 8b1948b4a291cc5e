#pragma once
// The paste delivery: the keystrokes of each paste key kind, the wait for the
// user to let go of Shift, Ctrl and Alt, and the paste message. The keyboard
// is behind KeyboardPort, so the sequences are tested without Windows.

#include <cstddef>
#include <cstdint>
#include <span>

#include "sender/run.h"

namespace zrnx {

inline constexpr std::uint8_t kVkShift = 0x10;
inline constexpr std::uint8_t kVkControl = 0x11;
inline constexpr std::uint8_t kVkMenu = 0x12;  // Alt
inline constexpr std::uint8_t kVkInsert = 0x2D;
inline constexpr std::uint8_t kVkV = 0x56;
inline constexpr std::uint8_t kVkF9 = 0x78;
inline constexpr std::uint8_t kVkLeft = 0x25;

// Kind 6 sends WM_PASTE to the focus window instead of keystrokes.
inline constexpr std::int32_t kPasteByMessage = 6;
inline constexpr unsigned kPastePause = 50;          // before the first event
inline constexpr unsigned kModifierPollPause = 5;    // while a modifier is held
inline constexpr unsigned kPasteMessageTimeout = 5000;  // the longest the sender waits for the paste message
// A paste message given up on sooner than this was refused at once (the
// window had stopped answering, or is gone); one waited out is being handled.
inline constexpr unsigned kPasteMessageWaitedOut = kPasteMessageTimeout / 2;


struct KeyStroke {
  std::uint8_t key;
  bool release;
  bool operator==(const KeyStroke&) const = default;
};

// The key events of kinds 0 to 5 in the order they are sent; empty for any
// other kind.
std::span<const KeyStroke> PasteKeySequence(std::int32_t kind);

class KeyboardPort {
 public:
  virtual ~KeyboardPort() = default;
  virtual bool IsKeyDown(std::uint8_t key) = 0;
  virtual void Pause(unsigned milliseconds) = 0;
  // The key's scan code from the keyboard layout.
  virtual std::uint8_t ScanCode(std::uint8_t key) = 0;
  // One injected key event, never flagged as an extended key.
  virtual void SendKey(std::uint8_t key, std::uint8_t scan_code, bool release) = 0;
  // Presses (down and up) of an extended key, all in one injected batch so
  // that no other input falls between them. Extended, or a numeric keypad's
  // twin (a digit with Num Lock on) is what some programs read.
  virtual void SendExtendedPresses(std::uint8_t key, std::uint8_t scan_code, std::size_t presses) = 0;
  // WM_PASTE to the window, waiting until it has been handled, but not
  // longer than kPasteMessageTimeout, and not at all for a window that has
  // stopped answering; false when it was not handled.
  virtual bool SendPasteMessage(WindowHandle window) = 0;
  // A clock in milliseconds.
  virtual std::uint64_t Milliseconds() = 0;
};

// Returns after a pass over Shift, Ctrl and Alt (in that order) found none down.
void WaitForModifierRelease(KeyboardPort& keyboard);

// Whether the kind delivers anything: the keys of kinds 0 to 5, the paste
// message when there is a focus window.
bool DeliversPaste(std::int32_t kind, WindowHandle focus);

// The modifier wait (kinds below the paste message), then the pause.
void WaitBeforePaste(std::int32_t kind, KeyboardPort& keyboard);

// The events of the kind, at once, to the focus window (which may be 0).
PasteDelivery DeliverPaste(std::int32_t kind, WindowHandle focus, KeyboardPort& keyboard);

// After a pasting key: once Shift, Ctrl and Alt are up (a held Shift would
// select instead), Left-arrow presses in one batch.
void MoveCaretBack(std::size_t presses, KeyboardPort& keyboard);

}  // namespace zrnx
