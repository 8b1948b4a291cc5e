#pragma once
// The clipboard's text as the sender found it, for "%clipboard%".

#include <optional>
#include <string>

namespace zrnx {

// How long the text may take to be read, opening the clipboard included.
inline constexpr unsigned kClipboardReadLimit = 1000;

// CF_UNICODETEXT (which the system makes from the other text forms) as
// UTF-8, up to its first U+0000 and never past its block; empty when the
// clipboard holds no text. Nullopt when the text could not be had within
// `limit` milliseconds: the clipboard stayed held by another program, or
// its owner did not hand over text it had only promised (the system would
// wait up to 30 s for it, and a hung owner longer).
std::optional<std::string> ReadClipboardUnicodeText(unsigned limit);

}  // namespace zrnx
