#include "sender/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zrnx {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// One table for both forms: each line is widened unit by unit for the wide form.
struct SplitCase {
  std::string line;
  std::vector<std::string> args;
};

const std::vector<SplitCase> kSplitCases = {
    {"\"C:\\Program Files\\Zrnx.exe\" /p \"C:\\My Items\\a.zrx\"", {"/p", "C:\\My Items\\a.zrx"}},
    {"Zrnx.exe", {}},
    {"", {}},
    {"Zrnx.exe\t/c\x01x\x1fy   ", {"/c", "x", "y"}},
    // Quoted stretches join the units around them; an unclosed one runs to the end.
    {"z a\"b c\"d e", {"ab cd", "e"}},
    {"z \"unclosed stretch", {"unclosed stretch"}},
    {"z x\"\"y", {"xy"}},
    // Empty pairs before a token are skipped; a lone quote at the end is an
    // empty token, where counting stops.
    {"z \"\" \"\"file", {"file"}},
    {"z file \"\"", {"file"}},
    {"z a \"", {"a"}},
    // A 0x00 unit ends the line; 0x21 and above are no blanks.
    {std::string("z a\0b c", 7), {"a"}},
    {"z !a~ \x7f", {"!a~", "\x7f"}},
    {"\"\" a", {}},
};

template <class Ch>
std::basic_string<Ch> Units(const std::string& bytes) {
  std::basic_string<Ch> out;
  for (char c : bytes) out += static_cast<Ch>(static_cast<unsigned char>(c));
  return out;
}

template <class Ch>
class SplitTableTest : public ::testing::Test {};
using CharTypes = ::testing::Types<char, wchar_t>;
TYPED_TEST_SUITE(SplitTableTest, CharTypes);

TYPED_TEST(SplitTableTest, BothFormsSplitAlike) {
  for (const SplitCase& c : kSplitCases) {
    std::vector<std::basic_string<TypeParam>> expected;
    for (const std::string& arg : c.args) expected.push_back(Units<TypeParam>(arg));
    const std::basic_string<TypeParam> line = Units<TypeParam>(c.line);
    EXPECT_THAT(SplitCommandLine(std::basic_string_view<TypeParam>(line)), ElementsAreArray(expected))
        << ::testing::PrintToString(c.line);
  }
}

TYPED_TEST(SplitTableTest, BothFormsChooseTheModeAlike) {
  using Inv = BasicInvocation<TypeParam>;
  auto parse = [](std::vector<std::string> args) {
    std::vector<std::basic_string<TypeParam>> units;
    for (const std::string& a : args) units.push_back(Units<TypeParam>(a));
    return ParseInvocation(units);
  };
  EXPECT_EQ(parse({}).action, Inv::Action::kAbout);
  for (const char* sw : {"/p", "/P"}) {
    Inv inv = parse({sw, "a.zrx"});
    EXPECT_EQ(inv.action, Inv::Action::kSend);
    EXPECT_EQ(inv.mode, SendMode::kPaste);
    EXPECT_EQ(inv.item_path, Units<TypeParam>("a.zrx"));
  }
  for (const char* sw : {"/c", "/C"}) EXPECT_EQ(parse({sw, "a.zrx"}).mode, SendMode::kCopy);
  Inv lone = parse({"a.zrx"});
  EXPECT_EQ(lone.action, Inv::Action::kSend);
  EXPECT_EQ(lone.mode, SendMode::kClipboardOnly);
  EXPECT_EQ(lone.item_path, Units<TypeParam>("a.zrx"));
  // A slash with another letter is an item path, not a switch.
  EXPECT_EQ(parse({"/x"}).action, Inv::Action::kSend);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"/p"}, {"/C"}, {"-p", "a"}, {"/paste", "a"}, {"/q", "a"}, {"a", "b"}, {"/p", "a", "b"}, {"x", "y", "z"}}) {
    EXPECT_EQ(parse(args).action, Inv::Action::kUsageError) << ::testing::PrintToString(args);
  }
}

TEST(SplitCommandLineTest, ShiftJisBytesAndLongTokensAreTakenWhole) {
  EXPECT_THAT(SplitCommandLine("z \"C:\\表\\ソ.zrx\""), ElementsAre("C:\\表\\ソ.zrx"));
  const std::string long_path(10000, 'x');
  EXPECT_THAT(SplitCommandLine("z /p \"" + long_path + "\""), ElementsAre("/p", long_path));
}

TEST(SplitCommandLineTest, WideUnitsAboveTheBlanksStayInTheToken) {
  // An emoji as its surrogate pair, a Korean name, and a lone surrogate: all kept unit by unit.
  const std::wstring emoji = L"C:\\i\\\x8FD4\x4FE1\xD83D\xDE00.zrx";
  EXPECT_THAT(SplitCommandLine(L"z /p \"" + emoji + L"\""), ElementsAre(L"/p", emoji));
  EXPECT_THAT(SplitCommandLine(std::wstring_view(L"z \xBA54\xBAA8.txt")), ElementsAre(L"\xBA54\xBAA8.txt"));
  EXPECT_THAT(SplitCommandLine(std::wstring_view(L"z a\xD800 b")), ElementsAre(L"a\xD800", L"b"));
  // A unit whose low byte is a blank or a quote is neither.
  EXPECT_THAT(SplitCommandLine(std::wstring_view(L"z a\x0120\x0122z")), ElementsAre(L"a\x0120\x0122z"));
  EXPECT_THAT(SplitCommandLine(std::wstring_view(L"z \"\x3000x\"")), ElementsAre(L"\x3000x"));
}

}  // namespace
}  // namespace zrnx
