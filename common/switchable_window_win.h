#pragma once
// The platform's answers for the switch decision.

#include <windows.h>

#include "common/switchable_window.h"

namespace zrnx {

std::uint32_t WindowExtendedStyle(HWND window);

// Asked through dwmapi, looked up when first needed: where it or the
// attribute is missing (before Windows 8, some emulators), nothing is cloaked.
bool IsWindowCloaked(HWND window);

}  // namespace zrnx
