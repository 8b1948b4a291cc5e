#pragma once
// The through-window list: the windows the item sender passes over, kept in
// section [ThroughWindow], and the lister of the windows shown on the
// desktop from which the user picks them. Load and save work on plain data.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings_file.h"
#include "common/switchable_window.h"

namespace zrnx {

// A row of either list: a window's title (or the user's name for it) and
// its class name, bytes in the system code page.
struct WindowRow {
  std::string name;
  std::string class_name;
  bool operator==(const WindowRow&) const = default;
};

// Classes the lister never offers: the shell's own windows and this window.
inline constexpr std::array<std::string_view, 9> kListerExcludedClasses = {
    "Shell_TrayWnd", "BaseBar",  "HOM Hit Class", "MOM Class", "TApplication", "TZrnxSetForm", "Progman",
    "SysFader",      kSecondaryTrayClass};

// One top-level window as the lister sees it.
struct TopWindow {
  std::string title;
  std::string class_name;
  bool visible = false;
  bool enabled = false;
  std::uint32_t ex_style = 0;
  bool cloaked = false;
};

// Whether the lister offers the window: visible, enabled, not of an
// excluded class (compared exactly, with case), and one the user could
// switch to (IsSwitchableWindow), as the item sender decides.
bool IsListedWindow(const TopWindow& window);

// The offered windows, in the order given (top of the Z order first).
std::vector<WindowRow> ListShownWindows(const std::vector<TopWindow>& windows);

struct ThroughList {
  std::vector<WindowRow> rows;
  // ItemCount as read: a positive count means a section to erase before saving.
  std::int32_t loaded_count = 0;
};

// Reads ItemCount (0 when missing or not a number), then ItemName<i> and
// ClassName<i> for at most kMaxThroughEntries entries, missing ones empty.
ThroughList LoadThroughWindows(const SettingsFile& file);

// What a first run (no settings file yet) offers: Explorer's folder
// windows, so that an item opened from its folder is pasted into the window
// behind. Nothing to erase, since nothing was read.
ThroughList FirstRunThroughWindows();

// The stored list, or on a first run the one above.
ThroughList LoadThroughWindows(const SettingsFile& file, bool settings_exist);

// Erases the section when `loaded_count` is positive, then writes ItemCount
// and the entries in list order. The first failed write raises Error.
void SaveThroughWindows(SettingsFile& file, const std::vector<WindowRow>& rows, std::int32_t loaded_count);

}  // namespace zrnx
