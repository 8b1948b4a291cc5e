#include "common/switchable_window.h"

namespace zrnx {

bool IsSwitchableWindow(SwitchProbe& window) {
  const std::uint32_t style = window.ExtendedStyle();
  if ((style & kExToolWindow) && !(style & kExAppWindow)) return false;
  if (style & kExNoActivate) return false;
  return !window.IsCloaked();
}

}  // namespace zrnx
