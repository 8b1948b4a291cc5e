#include "common/wide_text_win.h"

#include <climits>

namespace zrnx {

std::wstring Widen(std::string_view bytes, UINT code_page) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), n);
  return wide;
}

std::wstring OwnTextWithValue(std::string_view pattern, std::string_view system_value) {
  std::wstring text = OwnText(pattern);
  const std::size_t at = text.find(L"%s");
  if (at != std::wstring::npos) text.replace(at, 2, DataText(system_value));
  return text;
}

bool FitsCodePage(std::wstring_view text) { return DataText(DataBytes(text)) == text; }

std::optional<std::string> CodePageFolder(const ITEMIDLIST* folder) {
  wchar_t path[MAX_PATH] = {};
  if (!folder || !SHGetPathFromIDListW(folder, path)) return std::nullopt;
  return CodePagePath(path);
}

std::optional<std::string> CodePagePath(const std::wstring& path) {
  if (FitsCodePage(path)) return DataBytes(path);
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring short_path(size, L'\0');
  const DWORD n = GetShortPathNameW(path.c_str(), short_path.data(), size);
  if (n == 0 || n >= size) return std::nullopt;
  short_path.resize(n);
  if (!FitsCodePage(short_path)) return std::nullopt;
  return DataBytes(short_path);
}

std::wstring ThisModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    if (path.size() >= 0x8000) return {};  // longer than any path Windows holds
    path.resize(path.size() * 2);
  }
}

std::string Narrow(std::wstring_view text, UINT code_page) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(code_page, 0, text.data(), size, bytes.data(), n, nullptr, nullptr);
  return bytes;
}

}  // namespace zrnx
