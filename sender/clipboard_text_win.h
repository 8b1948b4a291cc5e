#pragma once
// The clipboard's text as the sender found it, for "%clipboard%".

#include <string>

namespace zrnx {

// CF_UNICODETEXT (which the system makes from the other text forms) as
// UTF-8, up to its first U+0000 and never past its block; empty when the
// clipboard holds no text or stays held by another program.
std::string ReadClipboardUnicodeText();

}  // namespace zrnx
