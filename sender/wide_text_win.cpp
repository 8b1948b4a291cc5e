#include <windows.h>

#include "common/wide_text_win.h"
#include "sender/wide_text_win.h"

namespace zrnx {

void ShowBox(std::string_view text, std::optional<std::string_view> system_value, std::string_view title,
             unsigned style) {
  const std::wstring wide = system_value ? OwnTextWithValue(text, *system_value) : OwnText(text);
  MessageBoxW(nullptr, wide.c_str(), OwnText(title).c_str(), style);
}

void ShowBoxWithPath(std::string_view text, std::wstring_view path, std::string_view title, unsigned style) {
  std::wstring wide = OwnText(text);
  if (const std::size_t at = wide.find(L"%s"); at != std::wstring::npos) wide.replace(at, 2, path);
  MessageBoxW(nullptr, wide.c_str(), OwnText(title).c_str(), style);
}

std::u16string Win32CodePageDecoder::ToUtf16(std::string_view bytes) const {
  const std::wstring wide = DataText(bytes);
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace zrnx
