#pragma once
// Which top-level window gets the paste: the first one, in the platform's
// order, that is visible, enabled, one the user could switch to, not
// minimised and not of a class on the through list (seven built-in classes
// and the user's [ThroughWindow] list).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/profile_store.h"
#include "common/switchable_window.h"

namespace zrnx {

// Window classes the user listed in [ThroughWindow], in stored order.
using ThroughList = std::vector<std::string>;

// The task bars and shell menus; in the order they are tested.
inline constexpr std::array<std::string_view, 6> kShellThroughClasses = {
    "Shell_TrayWnd", "BaseBar", "HOM Hit Class", "MOM Class", "TApplication", kSecondaryTrayClass};
// Tested only after the minimised state.
inline constexpr std::string_view kFaderThroughClass = "SysFader";

// Read afresh on every call: ItemCount, then ClassName0 .. ClassName<n-1>.
ThroughList LoadThroughList(const std::wstring& settings_path, ProfileStore& store);

// What the decision asks of one window, in the order it asks: the class,
// the two states, then (for a window of no built-in class) the extended
// style and the cloaking, then the minimised state.
class WindowProbe : public SwitchProbe {
 public:
  virtual ~WindowProbe() = default;
  // The class name; empty when it cannot be read.
  virtual std::string ClassName() = 0;
  virtual bool IsVisible() = 0;
  virtual bool IsEnabled() = 0;
  virtual bool IsMinimised() = 0;
};

// Whether the window may be the target. Depends only on the class name, the
// states and the list; the states are asked for only as far as needed.
bool IsCandidateWindow(WindowProbe& window, const ThroughList& through);

}  // namespace zrnx
