#include "options/item_hot_keys.h"

#include <array>
#include <bit>
#include <cstdio>
#include <utility>

#include "common/path.h"

namespace zrnx {
namespace {

constexpr unsigned kModifierKeys[] = {0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
// Esc, Enter, Tab, Space, Print Screen, Backspace, the Windows keys and the
// menu key: taken by Windows before Explorer sees them.
constexpr unsigned kReservedKeys[] = {0x1B, 0x0D, 0x09, 0x20, 0x2C, 0x08, 0x5B, 0x5C, 0x5D};

bool Among(unsigned vk, const auto& keys) {
  for (unsigned k : keys) {
    if (k == vk) return true;
  }
  return false;
}

bool LetterOrDigit(unsigned vk) { return (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'); }

constexpr std::array<std::pair<unsigned, const char*>, 24> kKeyNames{{
    {0x21, "PageUp"}, {0x22, "PageDown"}, {0x23, "End"},    {0x24, "Home"},   {0x25, "←"},      {0x26, "↑"},
    {0x27, "→"},      {0x28, "↓"},        {0x2D, "Insert"}, {0x2E, "Delete"}, {0x13, "Pause"},  {0x91, "ScrollLock"},
    {0x6A, "Num *"},  {0x6B, "Num +"},    {0x6D, "Num -"},  {0x6E, "Num ."},  {0x6F, "Num /"},  {0x90, "NumLock"},
    {0xBA, ":"},      {0xBB, ";"},        {0xBC, ","},      {0xBD, "-"},      {0xBE, "."},      {0xBF, "/"},
}};

std::string KeyName(unsigned vk) {
  if (LetterOrDigit(vk)) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
  if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);
  for (const auto& [key, name] : kKeyNames) {
    if (key == vk) return name;
  }
  char code[8];
  std::snprintf(code, sizeof code, "#%02X", vk);
  return code;
}

}  // namespace

HotKeyProblem CheckHotKey(std::uint16_t key) {
  if (key == 0) return HotKeyProblem::kNone;
  const unsigned vk = HotKeyVirtualKey(key);
  if (vk == 0 || Among(vk, kModifierKeys)) return HotKeyProblem::kNoKey;
  if (Among(vk, kReservedKeys)) return HotKeyProblem::kReserved;
  const unsigned modifiers = HotKeyModifiers(key) & (kHotKeyShift | kHotKeyControl | kHotKeyAlt);
  if (LetterOrDigit(vk) && std::popcount(modifiers) < 2) return HotKeyProblem::kNeedsTwoModifiers;
  return HotKeyProblem::kNone;
}

std::string HotKeyText(std::uint16_t key) {
  if (key == 0) return "";
  const unsigned modifiers = HotKeyModifiers(key);
  std::string text;
  if (modifiers & kHotKeyControl) text += "Ctrl+";
  if (modifiers & kHotKeyShift) text += "Shift+";
  if (modifiers & kHotKeyAlt) text += "Alt+";
  const unsigned vk = HotKeyVirtualKey(key);
  if (vk == 0) return text;
  return text + KeyName(vk);
}

ItemRow MakeItemRow(std::string relative, std::string item_path, std::uint16_t stored, bool has_shortcut,
                    const LeadBytes& lead) {
  ItemRow row;
  row.name = NamePart(relative, lead);
  row.folder = DirectoryPart(relative, lead);
  row.relative = std::move(relative);
  row.item_path = std::move(item_path);
  row.key = row.stored = stored;
  row.has_shortcut = has_shortcut;
  return row;
}

void ItemKeyList::SetKey(std::size_t row, std::uint16_t key) {
  if (row < rows_.size()) rows_[row].key = key;
}

std::map<std::string, std::uint16_t> ItemKeyList::Changes() const {
  std::map<std::string, std::uint16_t> changes;
  for (const ItemRow& row : rows_) {
    if (row.key != row.stored) changes[row.relative] = row.key;
  }
  return changes;
}

std::optional<KeyRefusal> ItemKeyList::FirstRefusal() const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const ItemRow& row = rows_[i];
    if (row.key == row.stored || row.key == 0) continue;
    if (const HotKeyProblem problem = CheckHotKey(row.key); problem != HotKeyProblem::kNone) {
      return KeyRefusal{i, problem, std::nullopt};
    }
    for (std::size_t j = 0; j < rows_.size(); ++j) {
      if (j != i && rows_[j].key == row.key) return KeyRefusal{i, HotKeyProblem::kNone, j};
    }
  }
  return std::nullopt;
}

}  // namespace zrnx
