// The page "無視するウィンドウ" of the real ZrnxSet.exe with Notepad on the
// desktop: list the shown windows, take Notepad's, add it, save it; delete
// with the question; take an entry back with a double-click.

#include <windows.h>

#include <gtest/gtest.h>

#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

const std::string kDeleteTitle = "アイテム削除の確認";
const std::string kDeleteQuestion = "選択されているアイテムを削除してよろしいですか？";

class OptionsThroughTest : public OptionsEditorTest {
 protected:
  std::unique_ptr<OptionsEditor> StartOnPage() {
    auto editor = Start();
    if (editor->Window()) {
      EXPECT_TRUE(editor->ShowPage(kIgnore));
    }
    return editor;
  }
};

std::wstring WideTitle(HWND window) {
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  return title;
}

TEST_F(OptionsThroughTest, NotepadTakenFromTheShownWindowsIsSavedOnOk) {
  Notepad notepad;
  const std::string title = ToAnsi(WideTitle(notepad.Window()));
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n");  // no [ThroughWindow] yet
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  EXPECT_EQ(e->RowCount(ListView2), 0);

  e->Click(NoWinBt_Update);
  int row = -1;
  ASSERT_TRUE(WaitUntil([&] { return (row = e->FindRow(ListView1, 1, "Notepad")) >= 0; }, 3000))
      << "Notepad is not listed";
  EXPECT_EQ(e->RowData(ListView1, row, 0), title);
  // Never the desktop nor the editor itself.
  for (const char* own : {"Progman", "TZrnxSetForm", "Shell_TrayWnd"}) EXPECT_EQ(e->FindRow(ListView1, 1, own), -1) << own;

  // "追加" with empty boxes adds nothing.
  e->Click(NoWinBt_Ins);
  EXPECT_EQ(e->RowCount(ListView2), 0);

  ASSERT_TRUE(e->SelectRow(ListView1, row));
  e->Click(NoWinBt_Sel);
  EXPECT_TRUE(WaitUntil([&] { return e->DataText(Edit4) == "Notepad"; }, 2000));
  EXPECT_EQ(e->DataText(Edit3), title);
  EXPECT_TRUE(e->WaitForFocus(Edit3));

  e->Click(NoWinBt_Ins);
  ASSERT_TRUE(WaitUntil([&] { return e->RowCount(ListView2) == 1; }, 2000));
  EXPECT_EQ(e->RowData(ListView2, 0, 0), title);
  EXPECT_EQ(e->RowData(ListView2, 0, 1), "Notepad");
  EXPECT_EQ(e->DataText(Edit3), "");
  EXPECT_EQ(e->DataText(Edit4), "");

  e->Click(Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(Through("ItemCount"), "1");
  EXPECT_EQ(Through("ItemName0"), title);
  EXPECT_EQ(Through("ClassName0"), "Notepad");
}

// Windows the user cannot switch to are not offered, as the sender passes
// them over; a window of the same kind the user can switch to is.
TEST_F(OptionsThroughTest, WindowsTheUserCannotSwitchToAreNotListed) {
  TestWindow tool("ZrnxTestTool", "tool", true, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  TestWindow no_activate("ZrnxTestNoActivate", "no activate", true, WS_EX_TOPMOST | WS_EX_NOACTIVATE);
  TestWindow tray("Shell_SecondaryTrayWnd", "", true, WS_EX_TOPMOST);
  TestWindow app_tool("ZrnxTestAppTool", "app tool", true, WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
  TestWindow plain("ZrnxTestPlain", "plain", true);
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  e->Click(NoWinBt_Update);
  ASSERT_TRUE(WaitUntil([&] { return e->FindRow(ListView1, 1, "ZrnxTestPlain") >= 0; }, 3000));
  EXPECT_GE(e->FindRow(ListView1, 1, "ZrnxTestAppTool"), 0);
  for (const char* hidden : {"ZrnxTestTool", "ZrnxTestNoActivate", "Shell_SecondaryTrayWnd"})
    EXPECT_EQ(e->FindRow(ListView1, 1, hidden), -1) << hidden;
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

TEST_F(OptionsThroughTest, DoubleClickOnAShownWindowTakesItLikeTheArrow) {
  Notepad notepad;
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  int row = e->FindRow(ListView1, 1, "Notepad");
  ASSERT_GE(row, 0);
  ASSERT_TRUE(e->SelectRow(ListView1, row));
  e->DoubleClickRow(ListView1, row);
  EXPECT_TRUE(WaitUntil([&] { return e->DataText(Edit4) == "Notepad"; }, 2000));
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

TEST_F(OptionsThroughTest, DeleteKeyAsksFirstAndDoubleClickTakesAnEntryBack) {
  sandbox_.WriteFile("Zrnx.ini",
                     "[ThroughWindow]\r\nItemCount=3\r\nItemName0=A\r\nClassName0=ClassA\r\n"
                     "ItemName1=B\r\nClassName1=ClassB\r\nItemName2=C\r\nClassName2=ClassC\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  ASSERT_EQ(e->RowCount(ListView2), 3);

  // Delete with nothing selected asks nothing.
  e->Click(Edit3);
  e->PressKey(VK_TAB);  // Edit4 takes no stop: the through list is next
  ASSERT_TRUE(e->WaitForFocus(ListView2));
  if (e->SelectedRow(ListView2) < 0) {
    e->PressKey(VK_DELETE);
    PumpMessages(300);
    EXPECT_FALSE(FindAnyMessageBox(e->Id()).has_value());
    EXPECT_EQ(e->RowCount(ListView2), 3);
  }

  ASSERT_TRUE(e->SelectRow(ListView2, 1));
  ASSERT_TRUE(e->WaitForFocus(ListView2));
  struct Answer {
    int button;
    int rows_after;
  };
  for (const Answer& a : {Answer{IDNO, 3}, Answer{IDYES, 2}}) {
    SCOPED_TRACE(a.button == IDYES ? "Yes" : "No");
    e->PressKey(VK_DELETE);
    std::optional<MessageBoxSeen> box = AnswerMessageBox(kDeleteTitle, e->Id(), a.button);
    ASSERT_TRUE(box.has_value()) << "no question";
    EXPECT_EQ(box->text, kDeleteQuestion);
    EXPECT_TRUE(WaitUntil([&] { return e->RowCount(ListView2) == a.rows_after; }, 2000));
  }
  EXPECT_EQ(e->RowData(ListView2, 0, 1), "ClassA");
  EXPECT_EQ(e->RowData(ListView2, 1, 1), "ClassC");
  EXPECT_EQ(e->SelectedRow(ListView2), 1);  // the row that took the deleted one's place

  e->DoubleClickRow(ListView2, 0);
  EXPECT_TRUE(WaitUntil([&] { return e->RowCount(ListView2) == 1; }, 2000));
  EXPECT_EQ(e->DataText(Edit3), "A");
  EXPECT_EQ(e->DataText(Edit4), "ClassA");
  EXPECT_TRUE(e->WaitForFocus(Edit3));

  e->Click(Button1);
  ExpectEndsQuietly(*e);
  // The section was erased first: no keys of the longer list remain.
  EXPECT_EQ(Through("ItemCount"), "1");
  EXPECT_EQ(Through("ItemName0"), "C");
  EXPECT_EQ(Through("ClassName0"), "ClassC");
  EXPECT_EQ(Through("ClassName1"), std::nullopt);
  EXPECT_EQ(Through("ClassName2"), std::nullopt);
}

// A second, slow click on the title of the selected entry edits it in place:
// the title only, never the class name; the edited name is saved.
TEST_F(OptionsThroughTest, TitleOfTheSelectedEntryIsEditedInPlaceAndSaved) {
  sandbox_.WriteFile("Zrnx.ini", "[ThroughWindow]\r\nItemCount=1\r\nItemName0=Old name\r\nClassName0=ClassA\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  ASSERT_TRUE(e->SelectRow(ListView2, 0));
  PumpMessages(GetDoubleClickTime() + 100);  // not a double-click
  e->ClickRowCell(ListView2, 0, 0);
  HWND edit = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (edit = e->InPlaceEdit(ListView2)) != nullptr; }, 3000)) << "no in-place edit";
  EXPECT_EQ(ToAnsi(WideWindowText(edit)), "Old name");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"New name")) PostMessageW(edit, WM_CHAR, c, 1);
  ASSERT_TRUE(WaitUntil([&] { return WideWindowText(edit) == L"New name"; }, 3000));
  e->PressKey(VK_RETURN);  // ends the edit, not the window
  EXPECT_TRUE(WaitUntil([&] { return e->RowData(ListView2, 0, 0) == "New name"; }, 3000));
  EXPECT_TRUE(e->Running());
  EXPECT_EQ(e->RowData(ListView2, 0, 1), "ClassA");

  e->Click(Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(Through("ItemName0"), "New name");
  EXPECT_EQ(Through("ClassName0"), "ClassA");
}

TEST_F(OptionsThroughTest, DeleteButtonEmptiesTheListToACountOfZero) {
  sandbox_.WriteFile("Zrnx.ini", "[ThroughWindow]\r\nItemCount=1\r\nItemName0=A\r\nClassName0=ClassA\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  ASSERT_TRUE(e->SelectRow(ListView2, 0));
  e->Click(NoWinBt_Del);
  ASSERT_TRUE(AnswerMessageBox(kDeleteTitle, e->Id(), IDYES).has_value());
  EXPECT_TRUE(WaitUntil([&] { return e->RowCount(ListView2) == 0; }, 2000));
  e->Click(Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(Through("ItemCount"), "0");
  EXPECT_EQ(Through("ItemName0"), std::nullopt);
  EXPECT_EQ(Through("ClassName0"), std::nullopt);
}

// Visible dialog boxes (#32770) of a process.
struct BoxCount {
  DWORD process;
  int boxes = 0;
};
BOOL CALLBACK CountBox(HWND window, LPARAM param) {
  auto& count = *reinterpret_cast<BoxCount*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (process == count.process && IsWindowVisible(window) && std::string(name) == "#32770") ++count.boxes;
  return TRUE;
}

// The question is owned by the options window, which stays disabled while
// it is up: a second click on 削除 (the box moved off the button) brings no
// second question, and one answer deletes one row.
TEST_F(OptionsThroughTest, TheQuestionIsModalToTheWindowSoASecondDeleteCannotStack) {
  sandbox_.WriteFile("Zrnx.ini",
                     "[ThroughWindow]\r\nItemCount=3\r\nItemName0=A\r\nClassName0=ClassA\r\n"
                     "ItemName1=B\r\nClassName1=ClassB\r\nItemName2=C\r\nClassName2=ClassC\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  ASSERT_TRUE(e->SelectRow(ListView2, 0));
  e->Click(NoWinBt_Del);
  HWND box = e->WaitForDialog();
  ASSERT_TRUE(box);
  EXPECT_EQ(GetWindow(box, GW_OWNER), e->Window());
  EXPECT_FALSE(IsWindowEnabled(e->Window()));
  SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  e->Click(NoWinBt_Del);
  PumpMessages(500);
  auto boxes = [&] {
    BoxCount count{e->Id()};
    EnumWindows(CountBox, reinterpret_cast<LPARAM>(&count));
    return count.boxes;
  };
  EXPECT_EQ(boxes(), 1);
  ASSERT_TRUE(AnswerMessageBox(kDeleteTitle, e->Id(), IDYES).has_value());
  PumpMessages(500);
  EXPECT_EQ(boxes(), 0);
  EXPECT_TRUE(IsWindowEnabled(e->Window()));
  EXPECT_EQ(e->RowCount(ListView2), 2);
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// A window put on the list through the page is passed over by the item
// sender: the paste goes to Notepad behind it.
TEST_F(OptionsThroughTest, WindowListedHereIsPassedOverByTheSender) {
  Notepad notepad;
  KeyRecorder front("ZrnxThroughFront");
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n");
  auto e = StartOnPage();
  ASSERT_TRUE(e->Window());
  e->Click(NoWinBt_Update);
  int row = -1;
  ASSERT_TRUE(WaitUntil([&] { return (row = e->FindRow(ListView1, 1, "ZrnxThroughFront")) >= 0; }, 3000));
  ASSERT_TRUE(e->SelectRow(ListView1, row));
  e->Click(NoWinBt_Sel);
  ASSERT_TRUE(WaitUntil([&] { return e->DataText(Edit4) == "ZrnxThroughFront"; }, 2000));
  e->Click(NoWinBt_Ins);
  ASSERT_TRUE(WaitUntil([&] { return e->RowCount(ListView2) == 1; }, 2000));
  e->Click(Button1);
  ExpectEndsQuietly(*e);
  ASSERT_EQ(Through("ClassName0"), "ZrnxThroughFront");

  notepad.Clear();
  ASSERT_TRUE(notepad.ComeForward());
  ASSERT_TRUE(front.ComeForward());
  const std::string item = sandbox_.WriteFile("through.txt", "passed over");
  Process sender(Quote(sandbox_.PathOf("Zrnx.exe")) + " /p " + Quote(item), sandbox_.Dir());
  EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == "passed over"; }, 5000)) << notepad.Text();
  EXPECT_TRUE(front.events.empty());
}

}  // namespace
}  // namespace zrnx::test
