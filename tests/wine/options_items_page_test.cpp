// The items page of the real ZrnxSet.exe: a key typed for an item is in its
// Start-menu shortcut after OK (read back through the shell link object), a
// key another item has gives a box naming that item and keeps the window,
// and a menu folder of 5,000 items fills the page while the window answers.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "common/scoped_win.h"
#include "components/shell_link.h"
#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

const std::string kGroupName = "Zarnik NX テキスト";
constexpr WORD kCtrlAltG = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'G';

std::string ProgramsFolder() {
  char path[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, path), S_OK);
  return path;
}

class ItemsPageWineTest : public OptionsEditorTest {
 protected:
  void SetUp() override {
    sandbox_.Copy("Zrnx.exe");
    sandbox_.Copy("ZrnxSet.exe");
    CreateDirectoryA(menu_.c_str(), nullptr);
    CreateDirectoryA((menu_ + "\\Sub").c_str(), nullptr);
    sandbox_.WriteFile(kGroupName + "\\greeting.zrx", "Hello");
    sandbox_.WriteFile(kGroupName + "\\Sub\\deep.zrx", "deep");
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + menu_ + "\r\n");
  }

  void TearDown() override {
    for (const char* name : {"greeting.lnk", "Sub - deep.lnk"}) DeleteFileA((group_ + "\\" + name).c_str());
    RemoveDirectoryA(group_.c_str());
  }

  // The editor on the items page with its rows listed.
  std::unique_ptr<OptionsEditor> OnItemsPage(int rows) {
    auto e = Start();
    EXPECT_TRUE(e->ShowPage(kItems));
    EXPECT_TRUE(WaitUntil([&] { return e->RowCount(ListView3) == rows; }, 60000)) << e->RowCount(ListView3);
    return e;
  }

  // Selects the item's row and presses Ctrl+Alt+G in the hot-key box.
  void TypeKey(OptionsEditor& e, const std::string& name) { TypeKeyAt(e, e.FindRow(ListView3, 0, name)); }
  void TypeKeyAt(OptionsEditor& e, int row) {
    ASSERT_GE(row, 0);
    ASSERT_TRUE(e.SelectRow(ListView3, row));
    e.Click(HotKey1);
    ASSERT_TRUE(e.WaitForFocus(HotKey1));
    e.PressChord({VK_CONTROL, VK_MENU, 'G'});
    EXPECT_TRUE(WaitUntil([&] { return e.RowText(ListView3, row, 2) == "Ctrl+Alt+G"; }))
        << e.RowText(ListView3, row, 2);
  }

  ComApartment com_;
  const std::string menu_ = sandbox_.PathOf(kGroupName);
  const std::string group_ = ProgramsFolder() + "\\" + kGroupName;
};

TEST_F(ItemsPageWineTest, AKeyTypedForAnItemIsInItsShortcutAfterOkAndAnotherItemCannotHaveIt) {
  {
    auto e = OnItemsPage(2);
    EXPECT_EQ(e->RowText(ListView3, 0, 0), "greeting.zrx");
    EXPECT_EQ(e->RowText(ListView3, 1, 1), "Sub");
    TypeKey(*e, "greeting.zrx");
    e->Click(Button1);
    ExpectEndsQuietly(*e);
  }
  const std::optional<LinkSeen> greeting = ReadShellLink(group_ + "\\greeting.lnk");
  ASSERT_TRUE(greeting);
  EXPECT_EQ(greeting->hot_key, kCtrlAltG);
  EXPECT_EQ(ReadShellLink(group_ + "\\Sub - deep.lnk")->hot_key, 0);

  // The same key for the other item: the box names the one that has it,
  // the window stays, and Cancel then writes nothing.
  auto e = OnItemsPage(2);
  EXPECT_EQ(e->RowText(ListView3, 0, 2), "Ctrl+Alt+G");
  TypeKey(*e, "deep.zrx");
  e->Click(Button1);
  const std::optional<MessageBoxSeen> box = WaitForMessageBox("Zarnik NX", e->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "このキーは「greeting.zrx」が使っています。別のキーを指定して下さい。");
  EXPECT_TRUE(WaitUntil([&] { return e->WindowVisible(); }));
  EXPECT_TRUE(e->Running());
  EXPECT_EQ(e->ActiveTab(), kItems);
  e->Click(Button2);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(ReadShellLink(group_ + "\\Sub - deep.lnk")->hot_key, 0);
  EXPECT_EQ(ReadShellLink(group_ + "\\greeting.lnk")->hot_key, kCtrlAltG);
}

TEST_F(ItemsPageWineTest, FiveThousandItemsFillThePageWhileTheWindowAnswers) {
  for (int i = 0; i < 5000; ++i) sandbox_.WriteFile(kGroupName + "\\Sub\\n" + std::to_string(i) + ".zrx", "x");
  auto e = Start();
  ASSERT_TRUE(e->ShowPage(kItems));
  int slowest = 0, answers = 0;
  while (e->RowCount(ListView3) < 5002 && answers < 600) {
    const DWORD before = GetTickCount();
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(e->Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    slowest = std::max<int>(slowest, static_cast<int>(GetTickCount() - before));
    ++answers;
    Sleep(100);
  }
  EXPECT_EQ(e->RowCount(ListView3), 5002);
  std::printf("[ figure ] 5,002 items listed; the window answered %d times, the slowest in %d ms\n", answers,
              slowest);

  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// The page shown again after the menu folder changed lists the new folder.
TEST_F(ItemsPageWineTest, ANewMenuFolderIsListedWhenThePageIsShownAgain) {
  const std::string other = sandbox_.PathOf("Other Items");
  CreateDirectoryA(other.c_str(), nullptr);
  sandbox_.WriteFile("Other Items\\only.zrx", "only");
  auto e = OnItemsPage(2);
  ASSERT_TRUE(e->ShowPage(kGeneral));
  ASSERT_TRUE(e->TypeData(Edit2, other));
  ASSERT_TRUE(e->ShowPage(kItems));
  EXPECT_TRUE(WaitUntil([&] { return e->RowCount(ListView3) == 1; }, 30000)) << e->RowCount(ListView3);
  EXPECT_EQ(e->RowData(ListView3, 0, 0), "only.zrx");
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// OK refusing a key names its item and scrolls that row into view.
TEST_F(ItemsPageWineTest, TheRefusedRowIsScrolledIntoView) {
  for (int i = 0; i < 300; ++i) sandbox_.WriteFile(kGroupName + "\\Sub\\n" + std::to_string(i) + ".zrx", "x");
  auto e = OnItemsPage(302);
  // One key for two items far down the list: OK's box, then the first of
  // them is in view.
  // Sorted as the file system folds names, "Sub\n99.zrx" comes last.
  const int refused_row = 300;
  ASSERT_EQ(e->RowData(ListView3, refused_row, 0), "n98.zrx");
  TypeKeyAt(*e, refused_row);
  TypeKeyAt(*e, refused_row + 1);
  HWND list = e->Control(ListView3);
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  ASSERT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  e->Click(Button1);
  ASSERT_TRUE(WaitForMessageBox("Zarnik NX", e->Id()));
  // The handler goes on once the box is closed.
  int top = 0;
  const int per_page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_TRUE(WaitUntil([&] {
    top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    return top <= refused_row && refused_row < top + per_page;
  }, 3000)) << top;
  EXPECT_EQ(e->SelectedRow(ListView3), refused_row);
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// OK or Cancel while the page is still reading a group of 5,000 shortcuts:
// 2,500 of the user's and 2,500 copies of one of ours (all but one of which
// OK removes). The window's thread and the listing each read with a link
// object of their own, the window ends cleanly, no shortcut of the user's
// goes, and the settings are as the button says.
TEST_F(ItemsPageWineTest, OkAndCancelWhileTheListIsStillBeingReadLoseNothing) {
  constexpr int kUserLinks = 2500, kCopies = 2500;
  Process apply(Quote(sandbox_.PathOf("ZrnxSet.exe")) + " /apply", sandbox_.Dir());
  ASSERT_EQ(apply.Wait(), std::optional<DWORD>(0));
  const std::string none, notepad = WindowsFolder() + "\\notepad.exe";
  ASSERT_TRUE(DefaultShellLinkApi().SaveLink(group_ + "\\u0.lnk", LinkFields{notepad, none, none}));
  for (int i = 1; i < kUserLinks; ++i) {
    const std::string copy = group_ + "\\u" + std::to_string(i) + ".lnk";
    ASSERT_TRUE(CopyFileA((group_ + "\\u0.lnk").c_str(), copy.c_str(), FALSE));
  }
  for (int i = 0; i < kCopies; ++i) {
    const std::string copy = group_ + "\\g" + std::to_string(i) + ".lnk";
    ASSERT_TRUE(CopyFileA((group_ + "\\greeting.lnk").c_str(), copy.c_str(), FALSE));
  }
  auto user_links = [&] {
    int count = 0;
    for (int i = 0; i < kUserLinks; ++i) {
      count += GetFileAttributesA((group_ + "\\u" + std::to_string(i) + ".lnk").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    return count;
  };
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    const std::string ini_before = Ini();
    auto e = Start();
    ASSERT_TRUE(e->ShowPage(kItems));
    EXPECT_EQ(e->RowCount(ListView3), 0);  // still reading
    const ULONGLONG pressed = GetTickCount64();
    e->Click(ok ? Button1 : Button2);
    // OK reads the 5,000 links too, with a progress window on the way.
    EXPECT_EQ(e->Wait(ok ? 400000 : kDefaultTimeout), std::optional<DWORD>(0));
    std::printf("[ figure ] %s with the list still being read: ended after %llu ms\n", ok ? "OK" : "Cancel",
                GetTickCount64() - pressed);
    if (std::optional<MessageBoxSeen> box = FindAnyMessageBox(e->Id())) ADD_FAILURE() << "box: " << box->text;
    EXPECT_EQ(user_links(), kUserLinks);
    int copies = 0;
    for (int i = 0; i < kCopies; ++i) {
      copies += GetFileAttributesA((group_ + "\\g" + std::to_string(i) + ".lnk").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    copies += GetFileAttributesA((group_ + "\\greeting.lnk").c_str()) != INVALID_FILE_ATTRIBUTES;
    // OK keeps one shortcut of ours for the item.
    EXPECT_EQ(copies, ok ? 1 : kCopies + 1);
    if (ok) {
      EXPECT_EQ(Option("StartMenuShortcuts"), "1");
    } else {
      EXPECT_EQ(Ini(), ini_before);
    }
  }
  for (int i = 0; i < kUserLinks; ++i) DeleteFileA((group_ + "\\u" + std::to_string(i) + ".lnk").c_str());
  for (int i = 0; i < kCopies; ++i) DeleteFileA((group_ + "\\g" + std::to_string(i) + ".lnk").c_str());
}

}  // namespace
}  // namespace zrnx::test
