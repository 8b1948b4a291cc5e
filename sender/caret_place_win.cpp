#include <windows.h>

#include <string>

#include "sender/caret_place_win.h"

namespace zrnx {
namespace {

// A control that stopped answering must not hold the sender.
constexpr UINT kAnswerWithin = 500;

class Win32SelectionPort final : public SelectionPort {
 public:
  explicit Win32SelectionPort(HWND control) : control_(control) {}

  Answer AskSelection(Selection& out) override {
    // The positions come back through the pointers, which the system carries
    // across processes for this message; the return value holds only 16 bits.
    DWORD start = 0, end = 0;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end),
                             SMTO_ABORTIFHUNG, kAnswerWithin, &result)) {
      // Still inside a long paste, or no longer there at all.
      const bool gone = !IsWindow(control_) || IsHungAppWindow(GetAncestor(control_, GA_ROOT));
      return gone ? Answer::kGone : Answer::kBusy;
    }
    out = Selection(start, end);
    return Answer::kSelection;
  }

  bool Select(std::size_t position) override {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control_, EM_SETSEL, position, static_cast<LPARAM>(position), SMTO_ABORTIFHUNG,
                             kAnswerWithin, &result))
      return false;
    // Neither control brings a caret set by message into view by itself.
    SendMessageTimeoutW(control_, EM_SCROLLCARET, 0, 0, SMTO_ABORTIFHUNG, kAnswerWithin, &result);
    return true;
  }

  void Pause(unsigned milliseconds) override { Sleep(milliseconds); }
  std::uint64_t Milliseconds() override { return GetTickCount64(); }

 private:
  HWND control_;
};

std::string ClassNameOf(HWND window) {
  char name[64] = {};
  const int n = GetClassNameA(window, name, static_cast<int>(sizeof name));
  return std::string(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace

std::optional<NotedControl> NoteFocusControl(WindowHandle target) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(reinterpret_cast<HWND>(target), nullptr);
  if (thread == 0 || !GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return std::nullopt;
  HWND control = info.hwndFocus;
  const bool multiline = (GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) != 0;
  const CaretControl kind = CaretControlOf(ClassNameOf(control), multiline, IsWindowUnicode(control) != FALSE);
  if (kind == CaretControl::kNone) return std::nullopt;
  Win32SelectionPort port(control);
  Selection before;
  if (port.AskSelection(before) != SelectionPort::Answer::kSelection) return std::nullopt;
  return NotedControl{reinterpret_cast<WindowHandle>(control), kind, before};
}

bool PlaceCaretInControl(const NotedControl& noted, const CaretPlacement& caret) {
  const std::optional<SelectionPlan> plan = PlanSelection(noted.kind, noted.before, caret);
  if (!plan) return false;
  Win32SelectionPort port(reinterpret_cast<HWND>(noted.control));
  return PlaceCaretBySelection(*plan, port);
}

}  // namespace zrnx
