#pragma once
// The text of an item and its encoding. Items are code-page bytes unless the
// file says otherwise: a UTF-16 or UTF-8 byte-order mark, or bytes that are
// wholly valid UTF-8 with at least one multi-byte character (what Notepad
// saves by default). Decoded items are carried as UTF-8, so the placeholders
// (plain ASCII) expand on them unchanged.

#include <string>
#include <string_view>

#include "common/dbcs.h"

namespace zrnx {

enum class TextEncoding { kCodePage, kUtf8 };

struct ItemText {
  std::string bytes;
  TextEncoding encoding = TextEncoding::kCodePage;

  bool operator==(const ItemText&) const = default;
};

// For test failures: the bytes as escaped text and the encoding.
std::string Describe(const ItemText& text);

// The file's bytes as an item text, for a system whose code page has the lead
// bytes `lead`. Marks are removed; invalid sequences,
// lone surrogates and an odd last byte of UTF-16 become U+FFFD; U+0000 and
// every 0x00 byte of a code-page item become a space, so that the
// zero-terminated clipboard text carries the whole content.
ItemText DecodeItemBytes(std::string bytes, const LeadBytes& lead = SystemLeadBytes());

// Without a mark, text is taken for UTF-8 when all of it is UTF-8 as the
// standard allows it (no overlong forms, no surrogates, nothing above
// U+10FFFF) and it holds a character of three or four bytes (kana, kanji and
// the full-width forms all are), or, on a single-byte code page, of two.
// Shift-JIS text is not UTF-8 wherever a kana or a common kanji (lead byte
// 81-9F, a UTF-8 continuation byte) follows an ASCII byte; and half-width
// katakana (A1-DF) can only ever make two-byte sequences.
bool LooksLikeUtf8(std::string_view bytes, bool double_byte_code_page);

// UTF-8 with every invalid sequence (each maximal invalid part) as U+FFFD.
std::string RepairUtf8(std::string_view bytes);

// UTF-16 code units, little- or big-endian, as UTF-8.
std::string Utf16BytesToUtf8(std::string_view bytes, bool big_endian);
std::string Utf16ToUtf8(std::u16string_view text);

// Every 0x00 byte becomes a space.
void ZerosToSpaces(std::string& text);

}  // namespace zrnx
