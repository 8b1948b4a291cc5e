#include "sender/item_text.h"

#include <cstring>

namespace zrnx {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

struct Sequence {
  std::size_t length;  // bytes taken: the whole character, or the maximal invalid part
  bool valid;
};

// The UTF-8 character at `pos`, by the table of well-formed byte sequences:
// the second byte's range depends on the first, which rules out overlong
// forms, surrogates and values above U+10FFFF.
Sequence NextSequence(std::string_view s, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char first = byte(pos);
  if (first < 0x80) return {1, true};
  std::size_t trailing = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    trailing = 1;
  } else if (first >= 0xE0 && first <= 0xEF) {
    trailing = 2;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    trailing = 3;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  } else {
    return {1, false};
  }
  std::size_t next = pos + 1;
  for (std::size_t k = 0; k < trailing; ++k, ++next) {
    if (next >= s.size()) return {next - pos, false};
    const unsigned char b = byte(next);
    if (b < (k == 0 ? low : 0x80) || b > (k == 0 ? high : 0xBF)) return {next - pos, false};
  }
  return {next - pos, true};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

void ZerosToSpaces(std::string& text) {
  // memchr finds the (usually rare) zero bytes far faster than a byte loop.
  char* const end = text.data() + text.size();
  for (char* p = text.data(); (p = static_cast<char*>(std::memchr(p, '\0', end - p))) != nullptr; ++p) *p = ' ';
}

namespace {

// Valid UTF-8 throughout; `longest` is the length of its longest character.
bool ValidUtf8(std::string_view bytes, std::size_t& longest) {
  longest = 1;
  for (std::size_t pos = 0; pos < bytes.size();) {
    // ASCII runs are by far the most common; skip them without the table.
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const Sequence seq = NextSequence(bytes, pos);
    if (!seq.valid) return false;
    if (seq.length > longest) longest = seq.length;
    pos += seq.length;
  }
  return true;
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes, bool double_byte_code_page) {
  std::size_t longest = 0;
  return ValidUtf8(bytes, longest) && longest >= (double_byte_code_page ? 3u : 2u);
}

std::string RepairUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const Sequence seq = NextSequence(bytes, pos);
    if (seq.valid)
      out.append(bytes.substr(pos, seq.length));
    else
      out.append(kReplacement);
    pos += seq.length;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3 / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      out.append(kReplacement);  // a lone surrogate
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string Utf16BytesToUtf8(std::string_view bytes, bool big_endian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto a = static_cast<unsigned char>(bytes[2 * i]), b = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(big_endian ? (a << 8 | b) : (b << 8 | a));
  }
  std::string out = Utf16ToUtf8(units);
  if (bytes.size() % 2 != 0) out.append(kReplacement);  // half a code unit
  return out;
}

std::string Describe(const ItemText& text) {
  std::string out = text.encoding == TextEncoding::kUtf8 ? "utf-8 \"" : "code page \"";
  for (unsigned char c : text.bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out + '"';
}

ItemText DecodeItemBytes(std::string bytes, const LeadBytes& lead) {
  ItemText text{std::move(bytes), TextEncoding::kUtf8};
  std::string& b = text.bytes;
  if (StartsWith(b, "\xFF\xFE") || StartsWith(b, "\xFE\xFF")) {
    b = Utf16BytesToUtf8(std::string_view(b).substr(2), b[0] == '\xFE');
  } else if (StartsWith(b, "\xEF\xBB\xBF")) {
    // Valid text (the usual case) is only shifted, never copied.
    std::size_t longest = 0;
    if (ValidUtf8(std::string_view(b).substr(3), longest))
      b.erase(0, 3);
    else
      b = RepairUtf8(std::string_view(b).substr(3));
  } else if (!LooksLikeUtf8(b, !lead.Empty())) {
    text.encoding = TextEncoding::kCodePage;
  }
  ZerosToSpaces(b);
  return text;
}

}  // namespace zrnx
