#pragma once
// The progress the editor shows while it writes many Start-menu shortcuts:
// nothing for the first second, then a small window with a bar and the count.

#include <windows.h>

#include <cstddef>
#include <functional>

namespace zrnx {

// A callback for ItemShortcuts::progress; the window it makes goes when the
// last link is written or the callback is destroyed.
std::function<void(std::size_t, std::size_t)> ShortcutProgress(HWND owner);

}  // namespace zrnx
