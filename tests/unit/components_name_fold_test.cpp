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

}  // namespace
}  // namespace zrnx
