#pragma once
// The date/time placeholders of text items: "%d0%" to "%d9%" become the
// current time in the ten patterns; the escape "%%d0%%" comes out as "%d0%".

#include <array>
#include <string>
#include <string_view>

#include "sender/item_text.h"

namespace zrnx {

class DateFormatter;

// Replaces the leftmost occurrence of `search` (never empty) again and again,
// each time searching the changed text from its start, until none is left;
// what a replacement inserts is thus searched again together with the bytes
// on both sides. Linear: the search resumes len(search)-1 bytes before the
// inserted text, where the first new occurrence can begin at the earliest.
//
// Where that would never end, the result is bounded instead:
//  - a replacement that contains `search` itself replaces every occurrence
//    of `text` once, from left to right, and is not searched again;
//  - otherwise occurrences that reach into inserted text (chains) may insert
//    at most 4 * text.size() + 64 KiB bytes in all. Beyond that a chain is
//    taken for an endless one (they exist, such as "%d2%%..%%d2%" for
//    "%%d2%%"): the pending text is kept as it is and the rest of `text` is
//    replaced in a single pass. Within the budget the result is exactly the
//    one above.
std::string ReplaceAll(std::string_view search, std::string_view replacement, std::string text);

// The three passes over the ten values: escapes to markers, placeholders to
// values, markers to placeholders, each digit in turn from 0 to 9.
std::string ExpandWithValues(std::string text, const std::array<std::string, 10>& values);

// Formats all ten patterns first (each with its own reading of the clock),
// then expands.
std::string ExpandDatePlaceholders(std::string text, const std::array<std::string, 10>& patterns,
                                   const DateFormatter& formatter);

// Text in the system's code page to UTF-16 (MultiByteToWideChar on Windows).
class CodePageDecoder {
 public:
  virtual ~CodePageDecoder() = default;
  virtual std::u16string ToUtf16(std::string_view bytes) const = 0;
};

// The same on an item text in its own encoding: the formatted values are
// code-page bytes, converted for a decoded text (the placeholders are ASCII,
// so they are found alike in both).
ItemText ExpandDatePlaceholders(ItemText text, const std::array<std::string, 10>& patterns,
                                const DateFormatter& formatter, const CodePageDecoder& code_page);

}  // namespace zrnx
