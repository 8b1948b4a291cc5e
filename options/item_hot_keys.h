#pragma once
// The items page's hot keys: the rules a key must meet before it goes into
// an item's Start-menu shortcut, its text in the list, and the page's rows
// with the keys the user changed.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/dbcs.h"

namespace zrnx {

// A hot key as a shell link keeps it: the virtual key in the low byte, these
// modifier flags in the high byte.
inline constexpr unsigned kHotKeyShift = 0x01;
inline constexpr unsigned kHotKeyControl = 0x02;
inline constexpr unsigned kHotKeyAlt = 0x04;
inline constexpr unsigned kHotKeyExtended = 0x08;

constexpr unsigned HotKeyVirtualKey(std::uint16_t key) { return key & 0xFFu; }
constexpr unsigned HotKeyModifiers(std::uint16_t key) { return key >> 8; }

enum class HotKeyProblem {
  kNone,               // no key, or one Explorer acts on
  kNoKey,              // modifiers only
  kNeedsTwoModifiers,  // a letter or digit with fewer than two of Ctrl, Alt and Shift
  kReserved,           // a key Windows keeps: Esc, Enter, Tab, Space, Print Screen, Backspace, the Windows keys
};
HotKeyProblem CheckHotKey(std::uint16_t key);

// "Ctrl+Alt+A", "Shift+F5"; empty for no key.
std::string HotKeyText(std::uint16_t key);

// One item of the page.
struct ItemRow {
  std::string relative;   // below the menu folder, as the shortcut sync names it
  std::string item_path;  // the full path
  std::string name;       // its file name
  std::string folder;     // the folders between, "" for the menu folder itself
  std::uint16_t key = 0;     // as the page shows it
  std::uint16_t stored = 0;  // as its shortcut holds it
  bool has_shortcut = false;
};

ItemRow MakeItemRow(std::string relative, std::string item_path, std::uint16_t stored, bool has_shortcut,
                    const LeadBytes& lead = SystemLeadBytes());

// Why OK cannot write the keys: the first changed row whose key is refused,
// and for a key another item has, that item.
struct KeyRefusal {
  std::size_t row;
  HotKeyProblem problem;             // kNone when the key is taken
  std::optional<std::size_t> other;  // the item that has it
};

class ItemKeyList {
 public:
  ItemKeyList() = default;
  explicit ItemKeyList(std::vector<ItemRow> rows) : rows_(std::move(rows)) {}

  const std::vector<ItemRow>& Rows() const { return rows_; }
  std::size_t Size() const { return rows_.size(); }
  // Out of range: nothing happens.
  void SetKey(std::size_t row, std::uint16_t key);
  // The keys that differ from the shortcuts', by relative path: what OK
  // hands the sync. Empty when nothing changed.
  std::map<std::string, std::uint16_t> Changes() const;
  // Only changed keys are judged: a key set before in a shortcut's
  // properties stays the user's business.
  std::optional<KeyRefusal> FirstRefusal() const;

 private:
  std::vector<ItemRow> rows_;
};

}  // namespace zrnx
