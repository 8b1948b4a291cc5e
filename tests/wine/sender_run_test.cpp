// The real Zrnx.exe under Wine: the boxes of the run and its exit codes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sender/item_files.h"
#include "common/error.h"
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

TEST_F(SenderRunTest, CommandLinesThatAreNotAcceptedShowTheUsageBox) {
  const DWORD sequence = ClipboardSequence();
  for (const char* args : {"/C", "-p x.zrx", "/paste x.zrx", "a.zrx b.zrx", "/p a.zrx b.zrx"}) {
    MessageBoxSeen box = RunExpectingBox(args, kAppTitle);
    EXPECT_EQ(box.text, kUsageText) << args;
    EXPECT_EQ(box.owner, nullptr) << args;
  }
  EXPECT_EQ(ClipboardSequence(), sequence);
  EXPECT_EQ(ReadClipboardText(), "before");
}

TEST_F(SenderRunTest, AMissingFileOrAFolderShowsTheItemMissingBox) {
  CreateDirectoryA(sandbox_.PathOf("folder.zrx").c_str(), nullptr);
  const DWORD sequence = ClipboardSequence();
  const std::vector<std::pair<std::string, std::string>> lines = {
      {Quote(sandbox_.PathOf("missing.zrx")), sandbox_.PathOf("missing.zrx")},
      {"/p missing.zrx", "missing.zrx"},
      {"/c " + Quote(sandbox_.PathOf("folder.zrx")), sandbox_.PathOf("folder.zrx")},
      {"/x", "/x"}};
  for (const auto& [args, path] : lines) {
    MessageBoxSeen box = RunExpectingBox(args, kAppTitle);
    EXPECT_EQ(box.text, WithValue(kItemMissingPathText, path)) << args;
  }
  EXPECT_EQ(ClipboardSequence(), sequence);
  EXPECT_EQ(ReadClipboardText(), "before");
}

// A wildcard matches a file on a directory search, but names none.
TEST_F(SenderRunTest, APathWithWildcardsShowsTheItemMissingBox) {
  sandbox_.WriteFile("present.zrx", "text");
  const DWORD sequence = ClipboardSequence();
  for (const char* name : {"*.zrx", "present.zr?", "pres*"}) {
    MessageBoxSeen box = RunExpectingBox("/p " + Quote(sandbox_.PathOf(name)), kAppTitle);
    EXPECT_EQ(box.text, WithValue(kItemMissingPathText, sandbox_.PathOf(name))) << name;
  }
  EXPECT_EQ(ClipboardSequence(), sequence);
}

TEST_F(SenderRunTest, ALockedInternetShortcutEndsWithTheOpenErrorAndLeavesTheClipboard) {
  const std::string item = sandbox_.WriteFile("site.url", "[InternetShortcut]\r\nURL=https://example.com/\r\n");
  HANDLE lock = CreateFileA(item.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const DWORD sequence = ClipboardSequence();
  MessageBoxSeen box = RunExpectingBox("/p " + Quote(item), kApplicationErrorTitle, 1);
  CloseHandle(lock);
  EXPECT_EQ(box.text, OpenErrorText(item));
  EXPECT_EQ(ClipboardSequence(), sequence);
  EXPECT_EQ(ReadClipboardText(), "before");
}

// Far beyond any path the system can open, and full of blanks, but one
// argument all the same (a second one would make it a usage error).
TEST_F(SenderRunTest, AVeryLongQuotedPathIsOneArgumentAndFailsCleanly) {
  const DWORD sequence = ClipboardSequence();
  std::string path = sandbox_.Dir() + "\\";
  while (path.size() < 10000) path += "a long name ";
  path.resize(10000);
  MessageBoxSeen box = RunExpectingBox("/p " + Quote(path), kAppTitle);
  EXPECT_EQ(box.text, WithValue(kItemMissingPathText, path).substr(0, box.text.size()));
  EXPECT_EQ(ClipboardSequence(), sequence);
}

// The settings file is the program's own name with ".ini": a renamed copy
// reads its own file, not Zrnx.ini beside it.
TEST_F(SenderRunTest, ARenamedProgramReadsTheSettingsFileOfItsOwnName) {
  const std::string other = sandbox_.Copy("Zrnx.exe", "Other.exe");
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nDateFormat0='Zrnx.ini'.\r\n");
  sandbox_.WriteFile("Other.ini", "[Option]\r\nDateFormat0='Other.ini'.\r\n");
  const std::string item = sandbox_.WriteFile("item.zrx", "%d0%");
  Process sender(Quote(other) + " " + Quote(item), sandbox_.Dir());
  ASSERT_EQ(sender.Wait(), std::optional<DWORD>(0));
  const std::optional<std::string> sent = ReadClipboardText();
  EXPECT_EQ(sent, "Other.ini.");
}

}  // namespace
}  // namespace zrnx::test
