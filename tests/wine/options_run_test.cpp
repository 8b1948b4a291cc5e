// A user runs the real ZrnxSet.exe: first and later runs, OK, Cancel and the
// close box, what Zrnx.ini then holds, the boxes the editor asks and shows,
// a damaged list, a settings file that cannot be written, a second copy.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "common/scoped_win.h"
#include "common/settings_keys.h"
#include "wine/options_driver.h"

namespace zrnx::test {
namespace {

using namespace zrnx::ctl;

const std::string kRestartQuestion = "Windowsを再起動すると設定が有効になります。今すぐ再起動しますか？";

class OptionsRunTest : public OptionsEditorTest {};

// Both ways of leaving a first run without OK save what is shown, register,
// and ask about the restart; the answer Cancel ends the editor.
TEST_F(OptionsRunTest, FirstRunSavesOnCancelOrCloseAndAsksToRestart) {
  struct Way {
    const char* name;
    std::function<void(OptionsEditor&)> leave;
  };
  const Way ways[] = {{"Cancel", [](OptionsEditor& e) { e.Click(Button2); }},
                      {"close box", [](OptionsEditor& e) { e.CloseBox(); }}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    DeleteFileA(sandbox_.PathOf("Zrnx.ini").c_str());
    auto e = Start();
    ASSERT_TRUE(e->Window());
    EXPECT_TRUE(e->Checked(Kanren));
    EXPECT_TRUE(e->Enabled(PasteMode));
    EXPECT_EQ(e->DataText(Edit1), WindowsFolder() + "\\NOTEPAD.EXE");
    ASSERT_EQ(e->RowCount(ListView2), 1);
    EXPECT_EQ(e->RowData(ListView2, 0, 0), "エクスプローラ");
    EXPECT_EQ(e->RowData(ListView2, 0, 1), "CabinetWClass");
    way.leave(*e);
    std::optional<MessageBoxSeen> box = AnswerMessageBox("Zarnik NX", e->Id(), IDCANCEL);
    ASSERT_TRUE(box.has_value()) << "no restart question";
    EXPECT_EQ(box->text, kRestartQuestion);
    EXPECT_EQ(e->Wait(), std::optional<DWORD>(0));

    EXPECT_EQ(Option("PasteMode"), "1");
    EXPECT_EQ(Option("New"), "1");
    EXPECT_EQ(Option("Editor"), WindowsFolder() + "\\NOTEPAD.EXE");
    const std::optional<std::string> data = Option("Data");
    ASSERT_TRUE(data.has_value());
    EXPECT_TRUE(data->ends_with("\\Zarnik NX テキスト")) << *data;
    for (std::size_t i = 0; i < kDateFormatKeys.size(); ++i)
      EXPECT_EQ(Option(std::string(kDateFormatKeys[i])), std::string(kDefaultDateFormats[i])) << i;
    EXPECT_EQ(Option("SendKey_Paste"), "0");
    EXPECT_EQ(Option("RestoreClipboard"), "0");
    EXPECT_EQ(Through("ItemCount"), "1");
    EXPECT_EQ(Through("ItemName0"), "エクスプローラ");
    EXPECT_EQ(Through("ClassName0"), "CabinetWClass");
  }
}

TEST_F(OptionsRunTest, LaterRunSavesTheEditsOnOkWithoutAQuestion) {
  sandbox_.WriteFile("Zrnx.ini",
                     "[Option]\r\nPasteMode=0\r\nNew=1\r\nEditor=C:\\old\\edit.exe\r\nData=C:\\items\r\n"
                     "DateFormat0=yyyy\r\nDateFormat3=mm\r\nSendKey_Paste=1\r\n");
  auto e = Start();
  ASSERT_TRUE(e->Window());
  // The file's values are shown.
  EXPECT_FALSE(e->Checked(PasteMode));
  EXPECT_TRUE(e->Checked(New));
  EXPECT_EQ(e->DataText(Edit1), "C:\\old\\edit.exe");
  EXPECT_EQ(e->DataText(Edit2), "C:\\items");
  EXPECT_EQ(e->DataText(DateFormat0), "yyyy");
  EXPECT_EQ(e->DataText(DateFormat0 + 1), "hh:mm");
  EXPECT_EQ(e->ComboSelection(SendKey_Paste), 1);
  EXPECT_FALSE(e->Checked(RestoreClipboard));

  // The user's edits on three pages.
  ASSERT_TRUE(e->TypeData(Edit1, "C:\\tools\\editor.exe"));
  ASSERT_TRUE(e->TypeData(Edit2, ""));
  ASSERT_TRUE(e->ShowPage(kDateTime));
  ASSERT_TRUE(e->TypeText(DateFormat0 + 3, "hh\"時\"mm\"分\""));
  ASSERT_TRUE(e->TypeData(DateFormat0 + 9, ""));
  ASSERT_TRUE(e->ShowPage(kVirtualKey));
  ASSERT_TRUE(e->SelectComboItem(SendKey_Paste, 3));
  ASSERT_TRUE(e->SetChecked(RestoreClipboard, true));
  e->Click(Button1);
  ExpectEndsQuietly(*e);

  EXPECT_EQ(Option("PasteMode"), "0");
  EXPECT_EQ(Option("New"), "1");
  EXPECT_EQ(Option("Editor"), "C:\\tools\\editor.exe");
  EXPECT_EQ(Option("Data"), "");  // present and empty: the default is for a missing key only
  EXPECT_EQ(Option("DateFormat0"), "yyyy");
  EXPECT_EQ(Option("DateFormat3"), "hh\"時\"mm\"分\"");
  EXPECT_EQ(Option("DateFormat9"), "");
  EXPECT_EQ(Option("DateFormat1"), "hh:mm");
  EXPECT_EQ(Option("SendKey_Paste"), "3");
  EXPECT_EQ(Option("RestoreClipboard"), "1");
  EXPECT_EQ(Through("ItemCount"), "0");
}

TEST_F(OptionsRunTest, EmptyEditorPathSavesTheDefaultEditor) {
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nEditor=C:\\old\\edit.exe\r\n");
  auto e = Start();
  ASSERT_TRUE(e->TypeData(Edit1, ""));
  e->Click(Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(Option("Editor"), WindowsFolder() + "\\NOTEPAD.EXE");
}

// A stored key out of range shows no pick and is saved as -1 unless the user
// picks; "Windows標準" picks Ctrl+V.
TEST_F(OptionsRunTest, OutOfRangePasteKeyShowsNoPickAndWindowsStandardPicksCtrlV) {
  struct Case {
    bool press_standard;
    const char* saved;
  };
  for (const Case& c : {Case{false, "-1"}, Case{true, "0"}}) {
    SCOPED_TRACE(c.saved);
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nSendKey_Paste=9\r\n");
    auto e = Start();
    ASSERT_TRUE(e->Window());
    EXPECT_EQ(e->ComboSelection(SendKey_Paste), -1);
    if (c.press_standard) {
      ASSERT_TRUE(e->ShowPage(kVirtualKey));
      e->Click(Button6);
      EXPECT_TRUE(WaitUntil([&] { return e->ComboSelection(SendKey_Paste) == 0; }, 2000));
    }
    e->Click(Button1);
    ExpectEndsQuietly(*e);
    EXPECT_EQ(Option("SendKey_Paste"), c.saved);
  }
}

// With a settings file, Cancel, Esc and the close box leave it byte for
// byte, even after the association box and the texts were changed.
TEST_F(OptionsRunTest, LeavingWithoutOkWritesNothing) {
  const std::string before =
      "; kept as it is\r\n[Option]\r\nEditor = C:\\x.exe\r\n\r\n[ThroughWindow]\r\nItemCount=1\r\nClassName0=Foo\r\n";
  struct Way {
    const char* name;
    std::function<void(OptionsEditor&)> leave;
  };
  const Way ways[] = {{"Cancel", [](OptionsEditor& e) { e.Click(Button2); }},
                      {"Esc", [](OptionsEditor& e) { e.PressKey(VK_ESCAPE); }},
                      {"close box", [](OptionsEditor& e) { e.CloseBox(); }}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    sandbox_.WriteFile("Zrnx.ini", before);
    auto e = Start();
    ASSERT_TRUE(e->Window());
    const bool kanren = e->Checked(Kanren);
    ASSERT_TRUE(e->SetChecked(Kanren, !kanren));
    // Kanren decides whether its two sub-options can be used.
    EXPECT_EQ(e->Enabled(PasteMode), !kanren);
    EXPECT_EQ(e->Enabled(New), !kanren);
    ASSERT_TRUE(e->TypeData(Edit1, "C:\\changed.exe"));
    way.leave(*e);
    ExpectEndsQuietly(*e);
    EXPECT_EQ(Ini(), before);
  }
}

// OK with Enter and Cancel with Esc, whichever page is shown and whatever
// (not a push button) holds the focus there.
TEST_F(OptionsRunTest, EnterPressesOkAndEscCancelFromEveryPage) {
  const std::string before = "[Option]\r\nDateFormat0=x\r\n";
  struct Page {
    int position;
    int focus;  // 0: where showing the page left it
  };
  const Page pages[] = {{kGeneral, Edit1}, {kDateTime, DateFormat0 + 4}, {kVirtualKey, 0}, {kIgnore, Edit3}, {kItems, 0}, {kVersion, 0}};
  for (const Page& page : pages) {
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
      SCOPED_TRACE("page " + std::to_string(page.position) + (key == VK_RETURN ? " Enter" : " Esc"));
      sandbox_.WriteFile("Zrnx.ini", before);
      auto e = Start();
      ASSERT_TRUE(e->Window());
      ASSERT_TRUE(e->ShowPage(page.position));
      if (page.focus) {
        e->Click(page.focus);
        ASSERT_TRUE(e->WaitForFocus(page.focus));
      }
      e->PressKey(key);
      ExpectEndsQuietly(*e);
      if (key == VK_RETURN) {
        EXPECT_EQ(Option("SendKey_Paste"), "0");  // written by OK
        EXPECT_EQ(Option("DateFormat0"), "x");
      } else {
        EXPECT_EQ(Ini(), before);
      }
    }
  }
}

TEST_F(OptionsRunTest, SecondCopyEndsAtOnceWithoutAWindow) {
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\n");
  auto first = Start();
  ASSERT_TRUE(first->Window());
  OptionsEditor second(sandbox_);
  EXPECT_EQ(second.Wait(10000), std::optional<DWORD>(0));
  EXPECT_EQ(OptionsEditor::FindWindowOf(second.Id(), OptionsEditor::kClass, false), nullptr);
  EXPECT_FALSE(FindAnyMessageBox(second.Id()).has_value());
  // The first one goes on as before.
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(first->WindowVisible());
  first->Click(Button2);
  ExpectEndsQuietly(*first);
}

TEST_F(OptionsRunTest, ThroughListWithAHugeCountLoadsCapped) {
  sandbox_.WriteFile("Zrnx.ini",
                     "[Option]\r\n[ThroughWindow]\r\nItemCount=2147483647\r\nItemName0=Foo window\r\nClassName0=Foo\r\n");
  const ULONGLONG start = GetTickCount64();
  // Under Wine each profile read costs most of a millisecond: thousands of
  // them take seconds, so the limit here only tells a cap from a hang.
  auto e = Start(90000);
  ASSERT_TRUE(e->Window()) << "the window did not come";
  std::printf("[ figure ] window shown after %llu ms with ItemCount=2147483647\n", GetTickCount64() - start);
  const int rows = e->RowCount(ListView2);
  EXPECT_GE(rows, 1);
  EXPECT_LE(rows, kMaxThroughEntries);
  EXPECT_EQ(e->RowData(ListView2, 0, 0), "Foo window");
  EXPECT_EQ(e->RowData(ListView2, 0, 1), "Foo");
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// A first run whose settings cannot be written (a folder stands at the
// file's place): Cancel still tries to save, shows the error and ends.
TEST_F(OptionsRunTest, FirstRunCancelThatCannotSaveShowsTheErrorAndEnds) {
  ASSERT_TRUE(CreateDirectoryA(sandbox_.PathOf("Zrnx.ini").c_str(), nullptr));
  auto e = Start();
  ASSERT_TRUE(e->Window());
  e->Click(Button2);
  std::optional<MessageBoxSeen> box = AnswerMessageBox("オプション - Zarnik NX", e->Id(), IDOK);
  ASSERT_TRUE(box.has_value()) << "no error box";
  EXPECT_NE(box->text.find("に書き込めません"), std::string::npos) << box->text;
  EXPECT_TRUE(e->Wait().has_value()) << "still running after the error";
  EXPECT_FALSE(FindAnyMessageBox(e->Id()).has_value());
}

// "テキスト編集..." with a folder that is not there says so and starts nothing;
// the current text of Edit2 counts, saved or not.
TEST_F(OptionsRunTest, MissingMenuFolderIsReported) {
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + sandbox_.Dir() + "\r\n");
  auto e = Start();
  ASSERT_TRUE(e->Window());
  const std::string missing = sandbox_.PathOf("no such folder");
  ASSERT_TRUE(e->TypeData(Edit2, missing));
  e->Click(Button5);
  std::optional<MessageBoxSeen> box = AnswerMessageBox("Zarnik NX", e->Id(), IDOK);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "指定したフォルダが見当たりません。");
  PumpMessages(200);
  EXPECT_TRUE(e->WindowVisible());
  EXPECT_EQ(e->DataText(Edit2), missing);
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);  // never created here
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// A settings file that cannot be written: the error names it, the window
// comes back so the user can cancel, and the file keeps its bytes.
TEST_F(OptionsRunTest, UnwritableSettingsFileGivesTheErrorAndTheWindowBack) {
  const std::string before = "[Option]\r\nDateFormat0=yyyy\r\n";
  const std::string path = sandbox_.WriteFile("Zrnx.ini", before);
  // Read-only does not stop root under Wine (WritePrivateProfileStringA even
  // answers TRUE there); a handle that shares reading only stops every writer.
  ScopedFile lock(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock.Valid());
  auto e = Start();
  ASSERT_TRUE(e->Window());
  ASSERT_TRUE(e->ShowPage(kDateTime));
  ASSERT_TRUE(e->TypeData(DateFormat0, "yy"));
  e->Click(Button1);
  std::optional<MessageBoxSeen> box = AnswerMessageBox("オプション - Zarnik NX", e->Id(), IDOK);
  ASSERT_TRUE(box.has_value()) << "no error box";
  EXPECT_NE(box->text.find("に書き込めません"), std::string::npos) << box->text;
  EXPECT_NE(box->text.find(path), std::string::npos) << box->text;
  EXPECT_TRUE(WaitUntil([&] { return e->WindowVisible(); }, 5000)) << "the window did not come back";
  EXPECT_EQ(e->DataText(DateFormat0), "yy");
  lock.Reset();
  EXPECT_EQ(Ini(), before);
  e->Click(Button2);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(Ini(), before);
}

// Odd values load without harm and go back exactly as the window shows them:
// a value of the longest length read, Shift-JIS with trail bytes equal to
// "\\", an out-of-range key, a negative count.
TEST_F(OptionsRunTest, OddValuesLoadAndSaveBackAsShown) {
  const std::string long_editor = "C:\\" + std::string(1016, 'e') + ".exe";  // 1023 bytes
  ASSERT_EQ(long_editor.size(), 1023u);
  const std::string folder = "C:\\表示\\ソフト";  // 0x95 0x5C, 0x83 0x5C
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nEditor=" + long_editor + "\r\nData=" + folder +
                                     "\r\nDateFormat0=yyyy\"年\"\r\nSendKey_Paste=-3\r\n"
                                     "[ThroughWindow]\r\nItemCount=-5\r\nItemName0=A\r\nClassName0=ClassA\r\n");
  auto e = Start();
  ASSERT_TRUE(e->Window());
  EXPECT_EQ(e->DataText(Edit1), long_editor);
  EXPECT_EQ(e->DataText(Edit2), folder);
  EXPECT_EQ(e->DataText(DateFormat0), "yyyy\"年\"");
  EXPECT_EQ(e->ComboSelection(SendKey_Paste), -1);
  EXPECT_EQ(e->RowCount(ListView2), 0);
  e->Click(Button1);
  ExpectEndsQuietly(*e);
  EXPECT_EQ(Option("Editor"), long_editor);
  EXPECT_EQ(Option("Data"), folder);
  EXPECT_EQ(Option("DateFormat0"), "yyyy\"年\"");
  EXPECT_EQ(Option("SendKey_Paste"), "-1");
  EXPECT_EQ(Through("ItemCount"), "0");
}


// "テキスト編集..." opens the menu folder in Explorer, without the
// missing-folder box: a name with trail bytes equal to "\\" is found whole,
// and a comma (which Explorer's command line splits on) survives its quotes.
TEST_F(OptionsRunTest, MenuFolderOpensInExplorerWhateverItsName) {
  const struct {
    const char* name;
    const wchar_t* title;
  } cases[] = {{"表示", L"\u8868\u793a"}, {"a, b", L"a, b"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = sandbox_.PathOf(c.name);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + folder + "\r\n");
    auto e = Start();
    ASSERT_TRUE(e->Window());
    e->Click(Button5);
    // Explorer shows the folder in a window titled with its name.
    const bool opened = WaitUntil(
        [&] {
          HWND found = FindVisibleWindowTitled(c.title);
          if (found) PostMessageW(found, WM_CLOSE, 0, 0);
          return found != nullptr;
        },
        20000);
    EXPECT_TRUE(opened) << "no Explorer window on the folder";
    EXPECT_FALSE(FindAnyMessageBox(e->Id()).has_value());
    e->Click(Button2);
    ExpectEndsQuietly(*e);
  }
}

// The editor picker opens on the name part of Edit1 (a name with a trail
// byte equal to "\\" stays whole), Cancel keeps Edit1, a chosen file replaces it.
TEST_F(OptionsRunTest, EditorPickerStartsOnTheNamePartAndTakesTheChosenFile) {
  const std::string current = sandbox_.WriteFile("表.exe", "");
  const std::string chosen = sandbox_.PathOf("Zrnx.exe");
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nEditor=" + current + "\r\n");
  auto e = Start();
  ASSERT_TRUE(e->Window());
  struct Round {
    int button;
    std::string expected;
  };
  for (const Round& round : {Round{IDCANCEL, current}, Round{IDOK, chosen}}) {
    SCOPED_TRACE(round.button == IDOK ? "OK" : "Cancel");
    e->Click(Button3);
    HWND dialog = e->WaitForDialog();
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    HWND name = OptionsEditor::FileNameBox(dialog);
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return WindowTextCp932(name) == "表.exe"; }, 3000)) << WindowTextCp932(name);
    // One filter: executable files.
    HWND filter = GetDlgItem(dialog, 0x470);
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(SendMessageW(filter, CB_GETCOUNT, 0, 0), 1);
    wchar_t description[256] = {};
    SendMessageW(filter, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(description));
    EXPECT_EQ(ToCp932(description), "実行ファイル");
    if (round.button == IDOK) SetWindowTextW(name, FromCp932(chosen).c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(round.button, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return e->DataText(Edit1) == round.expected; }, 3000)) << e->DataText(Edit1);
  }
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

// The menu-folder picker opens on Edit2's folder (a name with a trail byte
// equal to "\\"), Cancel keeps Edit2, OK gives the same folder back whole.
TEST_F(OptionsRunTest, MenuFolderPickerKeepsAFolderWithTrailBytes) {
  const std::string folder = sandbox_.PathOf("表示");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nData=" + folder + "\r\n");
  auto e = Start();
  ASSERT_TRUE(e->Window());
  for (int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
    e->Click(Button4);
    HWND browser = e->WaitForDialog();
    ASSERT_NE(browser, nullptr) << "no folder browser";
    EXPECT_TRUE(WaitUntil([&] { return WindowTextCp932(browser) == "フォルダの参照"; }, 3000))
        << WindowTextCp932(browser);
    PumpMessages(500);  // the starting folder gets selected after the browser shows
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(browser); }, 5000));
    PumpMessages(200);
    EXPECT_EQ(e->DataText(Edit2), folder);
  }
  e->Click(Button2);
  ExpectEndsQuietly(*e);
}

}  // namespace
}  // namespace zrnx::test
