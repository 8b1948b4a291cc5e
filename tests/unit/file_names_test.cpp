// File names compared as the file system compares them. The same table runs
// natively and, compiled by MinGW, against Windows' own comparison.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

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

TEST(FileNameUpperTest, LetterBlocksFoldToTheirCapitals) {
  struct Case {
    wchar_t small, capital;
  };
  const Case cases[] = {{L'a', L'A'},         {L'z', L'Z'},         {0xE9, 0xC9},   {0xFE, 0xDE},   {0xFF, 0x178},
                        {0x101, 0x100},       {0x12F, 0x12E},       {0x133, 0x132}, {0x13A, 0x139}, {0x148, 0x147},
                        {0x14B, 0x14A},       {0x177, 0x176},       {0x17A, 0x179}, {0x17E, 0x17D}, {0x3AC, 0x386},
                        {0x3AD, 0x388},       {0x3AF, 0x38A},       {0x3C2, 0x3A3}, {0x3CA, 0x3AA}, {0x3CC, 0x38C},
                        {0x3CE, 0x38F},       {0x430, 0x410},       {0x45F, 0x40F}, {0x461, 0x460}, {0x481, 0x480},
                        {0x48B, 0x48A},       {0x4BF, 0x4BE},       {0x4C2, 0x4C1}, {0x4CE, 0x4CD}, {0x4D1, 0x4D0},
                        {0x52F, 0x52E},       {0x2170, 0x2160},     {0x217F, 0x216F}, {0xFF41, 0xFF21}, {0xFF5A, 0xFF3A}};
  for (const Case& c : cases) {
    EXPECT_EQ(FileNameUpper(c.small), c.capital) << std::hex << static_cast<unsigned>(c.small);
    EXPECT_EQ(FileNameUpper(c.capital), c.capital) << std::hex << static_cast<unsigned>(c.capital);
  }
  // Neighbours that are no small letters of a pair.
  for (wchar_t c : {L'`', L'{', wchar_t{0xF7}, wchar_t{0xDF}, wchar_t{0x138}, wchar_t{0x149}, wchar_t{0x390},
                    wchar_t{0x3B0}, wchar_t{0x482}, wchar_t{0x4C0}, wchar_t{0xFF40}, wchar_t{0xFF5B}}) {
    EXPECT_EQ(FileNameUpper(c), c) << std::hex << static_cast<unsigned>(c);
  }
}

#ifdef _WIN32
// The table against the system's own: every character of the blocks it
// covers upper-cases as LCMapStringEx does without linguistic casing, and
// compares equal to its capital by the ordinal comparison.
TEST(FileNameUpperTest, AgreesWithTheSystemTable) {
  std::vector<unsigned> differ;
  const std::pair<unsigned, unsigned> blocks[] = {{0x20, 0x52F}, {0x2160, 0x217F}, {0xFF01, 0xFF5E}};
  for (const auto& [first, last] : blocks) {
    for (unsigned u = first; u <= last; ++u) {
      const wchar_t c = static_cast<wchar_t>(u);
      wchar_t system = 0;
      if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &c, 1, &system, 1, nullptr, nullptr, 0) != 1) continue;
      // Final sigma: folded to Σ on the safe side (a clash only costs a
      // longer name), where Wine's table leaves it.
      if (u == 0x3C2) continue;
      const wchar_t ours = FileNameUpper(c);
      if (ours != system && ours != c) differ.push_back(u);  // ours folds where the system does not
      if (ours != system && ours == c && system != c) {
        // The system folds where ours does not: only the characters left out on purpose.
        if (u != 0xB5 && u != 0x131 && u != 0x17F && !(u >= 0x180 && u <= 0x24F) && !(u >= 0x250 && u <= 0x2AF) &&
            !(u >= 0x345 && u <= 0x3FF && (u < 0x3AC || u > 0x3CE)))
          differ.push_back(u);
      }
      if (ours != c) {
        EXPECT_EQ(CompareStringOrdinal(&c, 1, &ours, 1, TRUE), CSTR_EQUAL) << std::hex << u;
      }
    }
  }
  EXPECT_TRUE(differ.empty()) << testing::PrintToString(differ);
}

// The byte table of the code page the test runs under, from the system.
TEST(FileNameUpperTest, TheSystemCodePageTable) {
  const ByteUpper& upper = SystemByteUpper();
  EXPECT_EQ(upper['a'], 'A');
  EXPECT_EQ(upper['['], '[');
  if (GetACP() == 1252) {
    for (auto [small, capital] : {std::pair{0xE9, 0xC9}, {0xFF, 0x9F}, {0x9A, 0x8A}, {0xF7, 0xF7}, {0xDF, 0xDF}})
      EXPECT_EQ(upper[small], capital) << std::hex << small;
  }
  if (GetACP() == 932) {
    for (unsigned b = 0x80; b < 0x100; ++b) EXPECT_EQ(upper[b], b) << std::hex << b;  // lead bytes and kana
  }
  std::printf("code page %u\n", GetACP());
}
#endif

}  // namespace
}  // namespace zrnx
