// The real Zrnx.exe under Wine: the boxes of the run and its exit codes.

#include <gtest/gtest.h>

#include "sender/texts.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

class SenderRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = sandbox_.Copy("Zrnx.exe");
    SetClipboardText("before");
  }

  // Runs the sender with `args`, expects one box with this title and returns
  // it; then expects the given exit code.
  MessageBoxSeen RunExpectingBox(const std::string& args, std::string_view title, DWORD exit_code = 0) {
    Process sender(Quote(program_) + (args.empty() ? "" : " " + args), sandbox_.Dir());
    std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(title), sender.Id());
    EXPECT_TRUE(box.has_value()) << "no box titled " << title << " for: " << args;
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(exit_code)) << args;
    return box.value_or(MessageBoxSeen{});
  }

  Sandbox sandbox_;
  std::string program_;
};

TEST_F(SenderRunTest, NoArgumentsShowsTheAboutBoxAndLeavesTheClipboardAlone) {
  DWORD sequence = ClipboardSequence();
  MessageBoxSeen box = RunExpectingBox("", kAboutTitle);
  EXPECT_EQ(box.text, kAboutText);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(ClipboardSequence(), sequence);
  EXPECT_EQ(ReadClipboardText(), "before");
}

}  // namespace
}  // namespace zrnx::test
