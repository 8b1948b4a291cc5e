// TBrowseFolderDlg with the shell's real folder browser. Execute is modal,
// so a second thread watches the browser, reads it and closes it.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "common/scoped_win.h"
#include "components/browse_folder_dlg.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

// The options window stands in as a plain top-level window, away from the
// centre of the screen.
class OwnerForm : public TComponent {
 public:
  OwnerForm()
      : TComponent(nullptr),
        window_(CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 240, 120, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  std::uintptr_t WindowHandle() const override { return reinterpret_cast<std::uintptr_t>(window_.Get()); }
  HWND Window() const { return window_.Get(); }

 private:
  ScopedWindow window_;
};

struct BrowserSeen {
  bool found = false;
  bool ready = false;  // showed the awaited text
  std::string title;
  RECT rect{};
  std::vector<std::string> visible_texts;  // of the static controls
};

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::vector<std::string> VisibleStaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[64] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") == 0 && IsWindowVisible(child)) texts.push_back(TextOf(child));
  }
  return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& wanted) {
  for (const std::string& text : texts) {
    if (lstrcmpiA(text.c_str(), wanted.c_str()) == 0) return true;
  }
  return false;
}

// Polls (without pumping: this thread has no windows) for a time limit.
template <typename Predicate>
bool Poll(Predicate done) {
  const ULONGLONG end = GetTickCount64() + kDefaultTimeout;
  while (!done()) {
    if (GetTickCount64() >= end) return done();
    Sleep(50);
  }
  return true;
}

// Waits for the browser owned by `owner`, until its static texts hold
// `awaited` (or a time limit), records it, runs `act` on it, then presses `button`.
std::thread Drive(HWND owner, const std::string& awaited, int button, BrowserSeen& seen,
                  std::function<void(HWND)> act = nullptr) {
  return std::thread([=, &seen] {
    HWND dialog = nullptr;
    const bool ready = Poll([&] {
      dialog = nullptr;
      while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) && GetWindow(dialog, GW_OWNER) != owner) {
      }
      return dialog && IsWindowVisible(dialog) && Contains(VisibleStaticTexts(dialog), awaited);
    });
    if (!dialog) return;
    seen.ready = ready;
    seen.found = true;
    seen.title = TextOf(dialog);
    GetWindowRect(dialog, &seen.rect);
    seen.visible_texts = VisibleStaticTexts(dialog);
    // Acting on a browser that is still filling its tree tests nothing.
    if (act && ready) act(dialog);
    PostMessageA(dialog, WM_COMMAND, button, 0);
  });
}

class BrowseFolderWineTest : public ::testing::Test {
 protected:
  // The first browser of a fresh prefix is slow to come up and, on a loaded
  // machine, often does not take the starting folder it is given (Wine's
  // browser; later ones rarely miss it). The tests are about the component,
  // not that first start: one browser is opened and cancelled before them.
  static void SetUpTestSuite() {
    ComApartment com;
    OwnerForm form;
    auto* warm_up = new TBrowseFolderDlg(&form);  // owned by form
    warm_up->SetTextLine1("warm-up");
    BrowserSeen seen;
    std::thread driver = Drive(form.Window(), "warm-up", IDCANCEL, seen);
    warm_up->Execute();
    driver.join();
  }

  // Not under the temporary folder: Wine's browser cannot select items
  // below it. 表 ends in the byte 0x5C.
  BrowseFolderWineTest() : dialog_(new TBrowseFolderDlg(&form_)) {
    CreateDirectoryA(parent_.c_str(), nullptr);
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  ~BrowseFolderWineTest() override {
    RemoveDirectoryA(folder_.c_str());
    RemoveDirectoryA(parent_.c_str());
  }

  ComApartment com_;
  const std::string parent_ = "C:\\Zrnx表";
  const std::string folder_ = parent_ + "\\Items";
  OwnerForm form_;
  TBrowseFolderDlg* dialog_;  // owned by form_
};

TEST_F(BrowseFolderWineTest, OpensCentredWithItsTitleAndConfirmsTheStartingFolder) {
  dialog_->SetTextLine1("Line 1");
  dialog_->SetTextLine2("Line 2");
  dialog_->SetDirectory(folder_);

  // Moving the selection to the parent folder and back shows each path in the status line.
  bool parent_shown = false, folder_shown_again = false;
  const auto reselect = [&](HWND dialog) {
    HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    // The selection reaches the starting folder, with its parent in the tree.
    LRESULT item = 0, parent = 0;
    Poll([&] {
      item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
      parent = item ? SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, item) : 0;
      return parent != 0;
    });
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, parent);
    parent_shown = Poll([&] { return Contains(VisibleStaticTexts(dialog), parent_); });
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
    folder_shown_again = Poll([&] { return Contains(VisibleStaticTexts(dialog), folder_); });
  };
  BrowserSeen seen;
  std::thread driver = Drive(form_.Window(), folder_, IDOK, seen, reselect);
  const bool confirmed = dialog_->Execute();
  driver.join();

  ASSERT_TRUE(seen.found);
  EXPECT_TRUE(seen.ready);
  EXPECT_EQ(seen.title, "フォルダの参照");
  const int width = seen.rect.right - seen.rect.left, height = seen.rect.bottom - seen.rect.top;
  EXPECT_EQ(seen.rect.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(seen.rect.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  EXPECT_TRUE(Contains(seen.visible_texts, "Line 1\nLine 2"));
  EXPECT_TRUE(Contains(seen.visible_texts, folder_));  // the status line
  EXPECT_TRUE(parent_shown);
  EXPECT_TRUE(folder_shown_again);
  EXPECT_TRUE(confirmed);
  EXPECT_STRCASEEQ(dialog_->Directory().c_str(), folder_.c_str());
}

TEST_F(BrowseFolderWineTest, CancelKeepsTheDirectoryAndNoStatusLineWhenSwitchedOff) {
  dialog_->SetCaption("Pick one");
  dialog_->SetTextLine1("Only line");
  dialog_->SetShowSelectDir(false);
  dialog_->SetDirectory(folder_);

  BrowserSeen seen;
  std::thread driver = Drive(form_.Window(), "Only line", IDCANCEL, seen);
  EXPECT_FALSE(dialog_->Execute());
  driver.join();

  ASSERT_TRUE(seen.found);
  EXPECT_TRUE(seen.ready);
  EXPECT_EQ(seen.title, "Pick one");
  EXPECT_FALSE(Contains(seen.visible_texts, folder_));
  EXPECT_EQ(dialog_->Directory(), folder_);
}

// A starting folder that cannot be selected (too long to be a path) is still
// shown as given; the browser opens at its default selection, which OK returns.
TEST_F(BrowseFolderWineTest, AnUnusableStartingFolderLeavesTheDefaultSelection) {
  const std::string long_name = "C:\\" + std::string(400, 'x');
  dialog_->SetDirectory(long_name);

  BrowserSeen seen;
  std::thread driver = Drive(form_.Window(), long_name, IDOK, seen);
  EXPECT_TRUE(dialog_->Execute());
  driver.join();

  EXPECT_TRUE(seen.ready);
  EXPECT_FALSE(dialog_->Directory().empty());
  EXPECT_NE(dialog_->Directory(), long_name);
}

}  // namespace
}  // namespace zrnx::test
