// File names compared as the file system compares them. The same table runs
// natively and, compiled by MinGW, against Windows' own comparison.

#include <gtest/gtest.h>

#include <string>

#include "common/file_names.h"

namespace zrnx {
namespace {

TEST(SameFileNameTest, CaseFoldsByTheUpperCaseTableAloneAndNothingElse) {
  struct Case {
    std::wstring a, b;
    bool same;
  };
  const Case cases[] = {
      {L"C:\\A\\ZRNX.exe", L"c:\\a\\zrnx.EXE", true},
      {L"C:\\A\\Zrnx.exe", L"C:\\B\\Zrnx.exe", false},
      {L"C:\\A", L"C:\\AB", false},
      {L"C:\\AB", L"C:\\A", false},
      {L"", L"", false},  // no name is no file
      {L"a", L"", false},
      {L"D:\\도구", L"D:\\공구", false},  // both "D:\??" in code page 932
      {L"D:\\도구", L"D:\\도구", true},
      {L"ＡＢＣＺ", L"ａｂｃｚ", true},  // full-width Latin
      {L"ΑΒΓΩΪ", L"αβγωϊ", true},
      {L"ЖЯЁЂ", L"жяёђ", true},
      {L"ÀÉÞÖ", L"àéþö", true},
      {L"Ÿ", L"ÿ", true},
      {L"ĀŁŽ", L"āłž", true},
      {L"×", L"÷", false},  // signs, not letters of a pair
      {L"Straße", L"STRASSE", false},  // no expansion by a locale
      {L"é", L"e\u0301", false},  // no normalisation
      {L"ア", L"ｱ", false},  // half-width katakana is another character
      {L"[", L"{", false},  // 0x20 apart but no letters
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameFileName(c.a, c.b), c.same) << testing::PrintToString(c.a) << " " << testing::PrintToString(c.b);
    EXPECT_EQ(SameFileName(c.b, c.a), c.same) << "reversed";
  }
}

}  // namespace
}  // namespace zrnx
