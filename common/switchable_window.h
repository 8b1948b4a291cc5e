#pragma once
// Whether the user could switch to a top-level window, by what today's
// desktop reports of it. Both the item sender's walk and the options
// editor's list of shown windows pass over the windows that fail.

#include <cstdint>
#include <string_view>

namespace zrnx {

// Extended window styles, with the platform's values.
inline constexpr std::uint32_t kExToolWindow = 0x00000080;
inline constexpr std::uint32_t kExAppWindow = 0x00040000;
inline constexpr std::uint32_t kExNoActivate = 0x08000000;

// The task bar on every monitor but the first.
inline constexpr std::string_view kSecondaryTrayClass = "Shell_SecondaryTrayWnd";

// What the decision asks of a window beyond its class and states.
class SwitchProbe {
 public:
  virtual ~SwitchProbe() = default;
  virtual std::uint32_t ExtendedStyle() = 0;
  // Hidden by the compositor although the window says it is visible.
  virtual bool IsCloaked() = 0;
};

// A tool window (unless it asks for a task-bar button) and a window that
// never takes the focus are not switched to; nor is a cloaked one: the
// closed Start menu and search, suspended store apps, other virtual
// desktops. The style is asked first; the cloaking only when it passes.
bool IsSwitchableWindow(SwitchProbe& window);

}  // namespace zrnx
