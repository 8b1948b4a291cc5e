#pragma once
// The progress the editor shows while it brings many Start-menu shortcuts in
// step: nothing for the first second, then a small window with a bar and the
// count, titled with what is being done (the group read, then the links
// written). It is laid out for its monitor's DPI, again when that changes.

#include <windows.h>

#include <cstddef>
#include <functional>

namespace zrnx {

struct ShortcutProgressCalls {
  // For ItemShortcuts::reading and ItemShortcuts::progress: (done, total).
  std::function<void(std::size_t, std::size_t)> reading;
  std::function<void(std::size_t, std::size_t)> writing;
};

// Both calls share one window; it goes when the last link is written or
// when both calls are destroyed.
ShortcutProgressCalls ShortcutProgress(HWND owner);

// The window's class, for those who look for it.
inline constexpr wchar_t kShortcutProgressClass[] = L"ZrnxShortcutProgress";

}  // namespace zrnx
