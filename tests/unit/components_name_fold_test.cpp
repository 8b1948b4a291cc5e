#include <gtest/gtest.h>

#include "components/name_fold.h"

namespace zrnx {
namespace {

// Capitals and small letters of each block the file system folds, and
// neighbours it must leave alone (bytes in Shift-JIS, written as UTF-8 and
// compiled to the code page).
TEST(FoldNameTest, FoldsAsTheFileSystemDoes) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"Greeting.ZRX", "greeting.zrx", true},
      {"ａｂｚ", "ＡＢＺ", true},        // full-width Latin
      {"αβω", "ΑΒΩ", true},              // Greek
      {"абнопя", "АБНОПЯ", true},        // Cyrillic, both sides of the unused 847F
      {"ё", "Ё", true},
      {"ⅰⅹ", "ⅠⅩ", true},              // Roman numerals
      {"\xFA\x4A\xEE\xEF", "\x87\x54\x87\x54", true},  // Ⅰ under its IBM code, ⅰ under its NEC-selected one
      {"表", "表", true},                 // 0x95 0x5C: its trail byte is no backslash
      {"ソ", "ｿ", false},                 // full-width and half-width kana differ
      {"ａ", "a", false},
      {"Ａ", "A", false},
      {"ΣΑ", "σα", true},
      {"а", "a", false},                  // Cyrillic а is no Latin a
      {"ab", "abc", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameName(c.a, c.b), c.same) << c.a << " " << c.b;
  }
  // A trail byte that looks like a small letter stays as it is.
  EXPECT_EQ(FoldName("\x83\x61"), "\x83\x61");
  EXPECT_EQ(FoldName("a\x82"), "A\x82");  // a lone lead byte at the end
}

TEST(FoldNameTest, WideNamesFoldTheSameBlocks) {
  struct Case {
    const wchar_t* a;
    const wchar_t* b;
    bool same;
  };
  const Case cases[] = {
      {L"D:\\도구\\Zrnx.exe", L"d:\\도구\\ZRNX.EXE", true},
      {L"D:\\도구\\Zrnx.exe", L"D:\\공구\\Zrnx.exe", false},
      {L"\u00e9t\u00e9", L"\u00c9T\u00c9", true},  // Latin-1
      {L"\u00f7", L"\u00d7", false},                 // division and multiplication signs
      {L"\u03c2\u03c3", L"\u03a3\u03a3", true},      // both sigmas
      {L"\u0451\u044f", L"\u0401\u042f", true},      // Cyrillic
      {L"\uff41", L"\uff21", true},                  // full-width
      {L"\u2170", L"\u2160", true},                  // Roman numerals
      {L"\uff41", L"a", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameName(c.a, c.b), c.same);
}

// Code page 1252 as the system decodes it: Latin-1, with 80-9F holding the
// euro sign, curly quotes and a few letters (Š 8A, Œ 8C, Ž 8E, Ÿ 9F and
// their small letters 9A, 9C, 9E, FF).
wchar_t Decode1252(unsigned char b) {
  static constexpr wchar_t k80[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                      0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
  return b >= 0x80 && b < 0xA0 ? k80[b - 0x80] : static_cast<wchar_t>(b);
}

// A Western code page folds its accented letters, as the file system folds
// the characters they stand for, and leaves signs and letters without a
// one-byte capital alone.
TEST(FoldNameTest, SingleByteCodePagesFoldTheirAccentedLetters) {
  const ByteUpper upper = ByteUpperTable(Decode1252);
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"caf\xE9", "CAF\xC9", true},              // café, CAFÉ
      {"\xE0\xFE\xF6", "\xC0\xDE\xD6", true},  // à þ ö
      {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F", true},  // š œ ž ÿ
      {"\xF7", "\xD7", false},                   // ÷ and × are signs
      {"\xDF", "SS", false},                      // ß has no capital of its own
      {"\xB5", "\xB5", true},                     // µ stays
      {"\x83", "\x8E", false},                    // ƒ has no capital in the code page
      {"\xE9", "E", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameName(c.a, c.b, LeadBytes(), upper), c.same) << c.a << " " << c.b;
  EXPECT_EQ(FoldName("\xDF\xB5\x83\xF7", LeadBytes(), upper), "\xDF\xB5\x83\xF7");
  // The capitals come from the table given: the system's on Windows.
  const ByteUpper none = ByteUpperTable(Decode1252, [](wchar_t c) { return c; });
  EXPECT_FALSE(SameName("\xE9", "\xC9", LeadBytes(), none));
  // A double-byte code page keeps its trail bytes whatever the single-byte table says.
  EXPECT_EQ(FoldName("\x83\x61" "a", LeadBytes::ShiftJis(), upper), "\x83\x61" "A");
}

}  // namespace
}  // namespace zrnx
