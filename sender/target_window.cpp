#include "sender/target_window.h"

#include <algorithm>

#include "common/settings_file.h"
#include "common/settings_keys.h"

namespace zrnx {

ThroughList LoadThroughList(const std::wstring& settings_path, ProfileStore& store) {
  ThroughList list;
  SettingsFile settings(settings_path, store);
  const std::int32_t count =
      ThroughEntriesToRead(settings.ReadInteger(kThroughWindowSection, kItemCountKey, 0));
  for (std::int32_t i = 0; i < count; ++i)
    list.push_back(settings.ReadText(kThroughWindowSection, std::string(kClassNameKey) + std::to_string(i), ""));
  return list;
}

bool IsCandidateWindow(WindowProbe& window, const ThroughList& through) {
  const std::string name = window.ClassName();
  if (!window.IsVisible() || !window.IsEnabled()) return false;
  if (std::find(kShellThroughClasses.begin(), kShellThroughClasses.end(), name) != kShellThroughClasses.end())
    return false;
  if (!IsSwitchableWindow(window)) return false;
  if (window.IsMinimised() || name == kFaderThroughClass) return false;
  return std::find(through.begin(), through.end(), name) == through.end();
}

}  // namespace zrnx
