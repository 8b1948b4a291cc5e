#include "common/error_box_win.h"

#include <windows.h>

#include <string>

#include "common/error.h"
#include "common/wide_text_win.h"

namespace zrnx {

void ShowErrorBox(const std::exception& error, std::string_view caption, HWND owner) {
  const std::string text = ErrorBoxText(error.what());
  std::wstring shown;
  if (const auto* own = dynamic_cast<const Error*>(&error); own && own->HasSystemValue()) {
    // The "." the box may add goes after the text as a whole.
    const bool dot = text.size() > std::string_view(error.what()).size();
    shown = OwnTextWithValue(own->Pattern() + (dot ? "." : ""), own->SystemValue());
  } else if (own && own->HasPath()) {
    // A path from a wide call goes in as it is, whatever the code page holds.
    const bool dot = text.size() > std::string_view(error.what()).size();
    shown = OwnText(own->Pattern() + (dot ? "." : ""));
    if (const std::size_t at = shown.find(L"%s"); at != std::wstring::npos) shown.replace(at, 2, own->Path());
  } else {
    shown = OwnText(text);
  }
  MessageBoxW(owner, shown.c_str(), OwnText(caption).c_str(), MB_ICONERROR);
}

}  // namespace zrnx
