#include "common/ole_error_win.h"

#include "common/ole_error.h"

namespace zrnx {

std::string OleErrorMessage(HRESULT status) {
  char text[1024] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           static_cast<DWORD>(status), 0, text, sizeof text, nullptr);
  return OleErrorText(static_cast<std::uint32_t>(status), std::string_view(text, n));
}

}  // namespace zrnx
