#pragma once
// Sections, keys and defaults of the settings file, shared by both programs.

#include <array>
#include <cstdint>
#include <string_view>

namespace zrnx {

inline constexpr std::string_view kOptionSection = "Option";
inline constexpr std::string_view kThroughWindowSection = "ThroughWindow";
inline constexpr std::string_view kSendKeyPasteKey = "SendKey_Paste";
// Flag, default off: in paste mode the clipboard is given back after the paste.
inline constexpr std::string_view kRestoreClipboardKey = "RestoreClipboard";
// The menu folder, the default verb, and whether the items get Start-menu shortcuts.
inline constexpr std::string_view kDataKey = "Data";
inline constexpr std::string_view kPasteModeKey = "PasteMode";
inline constexpr std::string_view kStartMenuShortcutsKey = "StartMenuShortcuts";
// Data's default: this folder inside the user's Start Menu.
inline constexpr std::string_view kDefaultMenuFolderName = "\\Zarnik NX テキスト";
inline constexpr std::string_view kItemCountKey = "ItemCount";
inline constexpr std::string_view kItemNameKey = "ItemName";
inline constexpr std::string_view kClassNameKey = "ClassName";

// The most [ThroughWindow] entries either program reads. The editor writes
// exact counts and no real list comes near this; a damaged ItemCount such as
// 2147483647 would otherwise mean two billion profile reads on every paste.
// Each read is a profile call of about a millisecond, so the cap also bounds
// what a damaged file costs: about a second per paste, two at the editor's start.
inline constexpr std::int32_t kMaxThroughEntries = 1024;

// ItemCount as a number of entries to read: 0 for a negative count, at most
// kMaxThroughEntries.
constexpr std::int32_t ThroughEntriesToRead(std::int32_t item_count) {
  return item_count < 0 ? 0 : (item_count > kMaxThroughEntries ? kMaxThroughEntries : item_count);
}

inline constexpr std::array<std::string_view, 10> kDateFormatKeys = {
    "DateFormat0", "DateFormat1", "DateFormat2", "DateFormat3", "DateFormat4",
    "DateFormat5", "DateFormat6", "DateFormat7", "DateFormat8", "DateFormat9"};

inline constexpr std::array<std::string_view, 10> kDefaultDateFormats = {
    "yyyy/mm/dd",
    "hh:mm",
    "yyyy/mm/dd hh:mm",
    "yyyy\"年\"m\"月\"d\"日\"",
    "h\"時\"m\"分\"",
    "yyyy\"年\"m\"月\"d\"日\" h\"時\"m\"分\"",
    "yyyy\"年\"m\"月\"d\"日\"(aaa)",
    "gge\"年\"m\"月\"d\"日\"",
    "gge\"年\"m\"月\"d\"日\" aaaa",
    "AM/PM hh:mm"};

}  // namespace zrnx
