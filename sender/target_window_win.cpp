#include <windows.h>

#include <exception>

#include "common/settings_file.h"
#include "common/switchable_window_win.h"
#include "sender/desktop_win.h"
#include "sender/target_window.h"

namespace zrnx {
namespace {

class Win32WindowProbe final : public WindowProbe {
 public:
  explicit Win32WindowProbe(HWND window) : window_(window) {}

  std::uint32_t ExtendedStyle() override { return WindowExtendedStyle(window_); }
  bool IsCloaked() override { return IsWindowCloaked(window_); }

  std::string ClassName() override {
    // Cleared first: a name that cannot be read counts as empty.
    char name[256] = {};
    int n = GetClassNameA(window_, name, 255);
    return std::string(name, n > 0 ? n : 0);
  }
  bool IsVisible() override { return IsWindowVisible(window_) != FALSE; }
  bool IsEnabled() override { return IsWindowEnabled(window_) != FALSE; }
  bool IsMinimised() override { return IsIconic(window_) != FALSE; }

 private:
  HWND window_;
};

struct Walk {
  ThroughList through;
  std::vector<HWND> candidates;
  std::exception_ptr failure;  // carried past user32, rethrown after the walk
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM param) {
  auto* walk = reinterpret_cast<Walk*>(param);
  if (walk->failure) return TRUE;
  try {
    Win32WindowProbe probe(window);
    if (IsCandidateWindow(probe, walk->through)) walk->candidates.push_back(window);
  } catch (...) {
    walk->failure = std::current_exception();
  }
  return TRUE;  // always the whole walk
}

}  // namespace

WindowHandle FindTargetWindow(const std::wstring& settings_path) {
  Walk walk{LoadThroughList(settings_path, DefaultProfileStore()), {}, nullptr};
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&walk));
  if (walk.failure) std::rethrow_exception(walk.failure);
  return walk.candidates.empty() ? 0 : reinterpret_cast<WindowHandle>(walk.candidates.front());
}

}  // namespace zrnx
