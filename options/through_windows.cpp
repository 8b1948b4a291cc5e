#include "options/through_windows.h"

#include <algorithm>

#include "common/settings_keys.h"
#include "options/texts.h"

namespace zrnx {

namespace {

class ListedFacts final : public SwitchProbe {
 public:
  explicit ListedFacts(const TopWindow& window) : window_(window) {}
  std::uint32_t ExtendedStyle() override { return window_.ex_style; }
  bool IsCloaked() override { return window_.cloaked; }

 private:
  const TopWindow& window_;
};

}  // namespace

bool IsListedWindow(const TopWindow& window) {
  if (!window.visible || !window.enabled) return false;
  if (std::find(kListerExcludedClasses.begin(), kListerExcludedClasses.end(), window.class_name) !=
      kListerExcludedClasses.end())
    return false;
  ListedFacts facts(window);
  return IsSwitchableWindow(facts);
}

std::vector<WindowRow> ListShownWindows(const std::vector<TopWindow>& windows) {
  std::vector<WindowRow> rows;
  for (const TopWindow& window : windows) {
    if (IsListedWindow(window)) rows.push_back({window.title, window.class_name});
  }
  return rows;
}

namespace {

std::string NumberedKey(std::string_view key, std::int32_t i) { return std::string(key) + std::to_string(i); }

}  // namespace

ThroughList LoadThroughWindows(const SettingsFile& file) {
  ThroughList list;
  list.loaded_count = file.ReadInteger(kThroughWindowSection, kItemCountKey, 0);
  const std::int32_t count = ThroughEntriesToRead(list.loaded_count);
  list.rows.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    list.rows.push_back({file.ReadText(kThroughWindowSection, NumberedKey(kItemNameKey, i), ""),
                         file.ReadText(kThroughWindowSection, NumberedKey(kClassNameKey, i), "")});
  }
  return list;
}

ThroughList FirstRunThroughWindows() { return {{{std::string(kExplorerItemName), "CabinetWClass"}}, 0}; }

ThroughList LoadThroughWindows(const SettingsFile& file, bool settings_exist) {
  return settings_exist ? LoadThroughWindows(file) : FirstRunThroughWindows();
}

void SaveThroughWindows(SettingsFile& file, const std::vector<WindowRow>& rows, std::int32_t loaded_count) {
  if (loaded_count > 0) file.EraseSection(kThroughWindowSection);
  file.WriteInteger(kThroughWindowSection, kItemCountKey, static_cast<std::int32_t>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto n = static_cast<std::int32_t>(i);
    file.WriteText(kThroughWindowSection, NumberedKey(kItemNameKey, n), rows[i].name);
    file.WriteText(kThroughWindowSection, NumberedKey(kClassNameKey, n), rows[i].class_name);
  }
}

}  // namespace zrnx
