#include "sender/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zrnx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SplitCommandLineTest, SkipsTheProgramAndSplitsAtBlanks) {
  EXPECT_THAT(SplitCommandLine("\"C:\\Program Files\\Zrnx.exe\" /p \"C:\\My Items\\a.zrx\""),
              ElementsAre("/p", "C:\\My Items\\a.zrx"));
  EXPECT_THAT(SplitCommandLine("Zrnx.exe"), IsEmpty());
  EXPECT_THAT(SplitCommandLine(""), IsEmpty());
  EXPECT_THAT(SplitCommandLine("Zrnx.exe\t/c\x01x\x1f"
                               "y   "),
              ElementsAre("/c", "x", "y"));
}

TEST(SplitCommandLineTest, QuotedStretchesJoinTheBytesAroundThem) {
  EXPECT_THAT(SplitCommandLine("z a\"b c\"d e"), ElementsAre("ab cd", "e"));
  EXPECT_THAT(SplitCommandLine("z \"unclosed stretch"), ElementsAre("unclosed stretch"));
  EXPECT_THAT(SplitCommandLine("z x\"\"y"), ElementsAre("xy"));
}

TEST(SplitCommandLineTest, EmptyQuotedPairsBeforeATokenAreSkipped) {
  EXPECT_THAT(SplitCommandLine("z \"\" \"\"file"), ElementsAre("file"));
  EXPECT_THAT(SplitCommandLine("z file \"\""), ElementsAre("file"));
  // A lone quote at the end yields an empty token: counting stops there.
  EXPECT_THAT(SplitCommandLine("z a \""), ElementsAre("a"));
}

TEST(SplitCommandLineTest, ShiftJisBytesAndLongTokensAreTakenWhole) {
  EXPECT_THAT(SplitCommandLine("z \"C:\\表\\ソ.zrx\""), ElementsAre("C:\\表\\ソ.zrx"));
  const std::string long_path(10000, 'x');
  EXPECT_THAT(SplitCommandLine("z /p \"" + long_path + "\""), ElementsAre("/p", long_path));
}

Invocation Parse(std::vector<std::string> args) { return ParseInvocation(args); }

TEST(ParseInvocationTest, ModesFollowTheSwitch) {
  EXPECT_EQ(Parse({}).action, Invocation::Action::kAbout);
  for (const char* sw : {"/p", "/P"}) {
    Invocation inv = Parse({sw, "a.zrx"});
    EXPECT_EQ(inv.action, Invocation::Action::kSend);
    EXPECT_EQ(inv.mode, SendMode::kPaste);
    EXPECT_EQ(inv.item_path, "a.zrx");
  }
  for (const char* sw : {"/c", "/C"}) EXPECT_EQ(Parse({sw, "a.zrx"}).mode, SendMode::kCopy);
  Invocation lone = Parse({"a.zrx"});
  EXPECT_EQ(lone.action, Invocation::Action::kSend);
  EXPECT_EQ(lone.mode, SendMode::kClipboardOnly);
  // A slash with another letter is an item path, not a switch.
  EXPECT_EQ(Parse({"/x"}).action, Invocation::Action::kSend);
}

TEST(ParseInvocationTest, AnythingElseIsAUsageError) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"/p"}, {"/C"}, {"-p", "a"}, {"/paste", "a"}, {"a", "b"}, {"/p", "a", "b"}, {"x", "y", "z"}}) {
    EXPECT_EQ(Parse(args).action, Invocation::Action::kUsageError) << ::testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace zrnx
