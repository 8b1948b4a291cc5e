#include <windows.h>

#include <climits>

#include "sender/wide_text_win.h"

namespace zrnx {

std::wstring WideFromCodePage(unsigned code_page, std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), n);
  return wide;
}

void ShowBox(std::string_view text, std::optional<std::string_view> system_value, std::string_view title,
             unsigned style) {
  std::wstring wide = WideFromCodePage(kProgramCodePage, text);
  if (system_value) {
    const std::size_t at = wide.find(L"%s");
    if (at != std::wstring::npos) wide.replace(at, 2, WideFromCodePage(CP_ACP, *system_value));
  }
  MessageBoxW(nullptr, wide.c_str(), WideFromCodePage(kProgramCodePage, title).c_str(), style);
}

std::u16string Win32CodePageDecoder::ToUtf16(std::string_view bytes) const {
  const std::wstring wide = WideFromCodePage(CP_ACP, bytes);
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace zrnx
