#include <gtest/gtest.h>

#include "components/browse_folder_dlg.h"

namespace zrnx {
namespace {

class FakeBrowser : public FolderBrowser {
 public:
  std::optional<std::string> Browse(const BrowseRequest& request) override {
    owner = request.owner;
    instruction = request.instruction;
    flags = request.flags;
    directory = request.directory;
    return answer;
  }

  std::optional<std::string> answer;
  std::uintptr_t owner = 0;
  std::string instruction;
  unsigned flags = 0;
  std::string directory;
};

class Window : public TComponent {
 public:
  Window() : TComponent(nullptr) {}
  std::uintptr_t WindowHandle() const override { return 0x1234; }
};

TEST(BrowseFolderTest, InstructionTextJoinsTheLinesWithALineFeed) {
  EXPECT_EQ(InstructionText("Pick", ""), "Pick");
  EXPECT_EQ(InstructionText("Pick", "a folder"), "Pick\na folder");
  EXPECT_EQ(InstructionText("", "a folder"), "\na folder");
  EXPECT_EQ(InstructionText("", ""), "");
}

TEST(BrowseFolderTest, CentringTruncatesTowardZero) {
  EXPECT_EQ(CentredPosition(1024, 768, 320, 400).x, 352);
  EXPECT_EQ(CentredPosition(1024, 768, 320, 400).y, 184);
  EXPECT_EQ(CentredPosition(1025, 769, 320, 400).x, 352);  // 352.5
  EXPECT_EQ(CentredPosition(1025, 769, 320, 400).y, 184);
  // Larger than the screen: -100.5 and -0.5 become -100 and 0, not -101 and -1.
  EXPECT_EQ(CentredPosition(800, 600, 1001, 601).x, -100);
  EXPECT_EQ(CentredPosition(800, 600, 1001, 601).y, 0);
}

TEST(BrowseFolderTest, ExecuteAsksWithTheOwnersWindowAndKeepsTheChosenFolder) {
  FakeBrowser browser;
  Window form;
  auto* dialog = new TBrowseFolderDlg(&form, browser);
  EXPECT_EQ(dialog->Caption(), "フォルダの参照");
  EXPECT_TRUE(dialog->ShowSelectDir());
  dialog->SetTextLine1("Line 1");
  dialog->SetTextLine2("Line 2");
  dialog->SetDirectory("C:\\表");

  browser.answer = "D:\\Items";
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(browser.owner, 0x1234u);
  EXPECT_EQ(browser.instruction, "Line 1\nLine 2");
  EXPECT_EQ(browser.flags, 5u);
  EXPECT_EQ(browser.directory, "C:\\表");
  EXPECT_EQ(dialog->Directory(), "D:\\Items");

  browser.answer = std::nullopt;
  dialog->SetShowSelectDir(false);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(browser.flags, 1u);
  EXPECT_EQ(dialog->Directory(), "D:\\Items");
}

TEST(BrowseFolderTest, TheLastCaptionGivenOrConstructedIsEveryonesTitle) {
  FakeBrowser browser;
  TBrowseFolderDlg first(nullptr, browser);
  first.SetCaption("First");
  first.SetShowSelectDir(false);
  EXPECT_EQ(BrowseTitle(), "First");
  EXPECT_FALSE(BrowseShowsStatus());

  TBrowseFolderDlg second(nullptr, browser);  // construction restores the defaults
  EXPECT_EQ(BrowseTitle(), "フォルダの参照");
  EXPECT_TRUE(BrowseShowsStatus());
  EXPECT_EQ(first.Caption(), "First");
  first.SetCaption("");
  EXPECT_EQ(BrowseTitle(), "");
}

}  // namespace
}  // namespace zrnx
