#pragma once
// Text for the wide-character calls: program texts are Shift-JIS whatever the
// system's code page; data (paths, system messages, dates) are in the
// system's code page.

#include <optional>
#include <string>
#include <string_view>

#include "sender/placeholders.h"

namespace zrnx {


// A message box without an owner window, shown through MessageBoxW so that
// it reads right on any system: `text` and `title` are program text, and
// `system_value`, if given, takes the place of the "%s" in `text`.
void ShowBox(std::string_view text, std::optional<std::string_view> system_value, std::string_view title,
             unsigned style);

// The same with a path from the wide calls in place of the "%s".
void ShowBoxWithPath(std::string_view text, std::wstring_view path, std::string_view title, unsigned style);

class Win32CodePageDecoder final : public CodePageDecoder {
 public:
  std::u16string ToUtf16(std::string_view bytes) const override;
};

}  // namespace zrnx
