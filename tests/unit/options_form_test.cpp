// The options window's handlers against fake ports: filling the controls,
// OK, Cancel and the close box with the restart question, failed applies,
// the pickers and the through-window page.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_options_form.h"
#include "fakes/fake_profile_store.h"
#include "options/options_form.h"
#include "options/texts.h"

namespace zrnx {
namespace {

using namespace zrnx::ctl;
using test::FakeBrowser;
using test::FakeFormSystem;
using test::FakeFormView;
using test::FakeProfileStore;
using test::FakeShell;

constexpr const wchar_t* kIni = L"C:\\Zarnik\\Zrnx.ini";

class OptionsFormTest : public ::testing::Test {
 protected:
  // A settings file on disk, unless the case is a first run.
  void Existing() {
    system_.wide_files.insert(kIni);
    store_.Set("Option", "PasteMode", "1");
  }

  TZrnxSetForm& Open() {
    form_ = std::make_unique<TZrnxSetForm>(view_, system_, PathsBeside(L"C:\\Zarnik\\ZrnxSet.exe"), store_,
                                           browser_, links_);
    auto shell = std::make_unique<FakeShell>();
    shell_ = shell.get();
    shell_->state = detected_;
    form_->SetShellIntegration(std::move(shell));
    form_->SetWindowHandle(0x1234);
    // As on disk: the first write makes the settings file.
    system_.written = [this](const std::wstring& path) { return path == kIni && !store_.writes.empty(); };
    form_->FormCreate();
    form_->FormShow();
    return *form_;
  }

  // What the window does with a close request: the query, then the end.
  void RunClose() {
    if (view_.close_requests == 0) return;
    form_->FormCloseQuery();
    closed_ = true;
  }

  // Each settings write marks the file as existing, as on disk.
  bool Saved() const { return !store_.writes.empty(); }
  bool Asked() const {
    for (const auto& box : system_.boxes) {
      if (box.text == kRestartQuestion) return true;
    }
    return false;
  }

  FakeFormView view_;
  FakeFormSystem system_;
  FakeProfileStore store_;
  FakeBrowser browser_;
  test::NoShellLinks links_;
  ShellState detected_;
  FakeShell* shell_ = nullptr;
  std::unique_ptr<TZrnxSetForm> form_;
  bool closed_ = false;
};

TEST_F(OptionsFormTest, PathsLieBesideTheEditorWhateverItsFolderHolds) {
  EXPECT_EQ(PathsBeside(L"C:\\A\\ZrnxSet.exe").settings_path, L"C:\\A\\Zrnx.ini");
  EXPECT_EQ(PathsBeside(L"C:\\A\\ZrnxSet.exe").item_sender_path, L"C:\\A\\Zrnx.exe");
  // A folder no code page holds, and one whose last unit's low byte is a backslash.
  EXPECT_EQ(PathsBeside(L"C:\\\xD83D\xDE00\x8868\\ZrnxSet.exe").settings_path, L"C:\\\xD83D\xDE00\x8868\\Zrnx.ini");
  EXPECT_EQ(PathsBeside(L"C:\\\x015C\\ZrnxSet.exe").item_sender_path, L"C:\\\x015C\\Zrnx.exe");
}

TEST_F(OptionsFormTest, FormCreateFillsTheControlsFromTheFileAndTheShell) {
  Existing();
  detected_ = {false, true};
  store_.Set("Option", "New", "0");
  store_.Set("Option", "Editor", "C:\\ed.exe");
  store_.Set("Option", "DateFormat4", "hh");
  store_.Set("Option", "SendKey_Paste", "5");
  store_.Set("Option", "RestoreClipboard", "1");
  Open();
  EXPECT_TRUE(view_.Checked(RestoreClipboard));
  EXPECT_TRUE(view_.Checked(PasteMode));
  EXPECT_FALSE(view_.Checked(New));
  EXPECT_TRUE(view_.Checked(SendTo));
  EXPECT_FALSE(view_.Checked(Kanren));
  EXPECT_EQ(view_.Text(Edit1), "C:\\ed.exe");
  EXPECT_EQ(view_.Text(Edit2), "C:\\Menu\\Zarnik NX テキスト");
  EXPECT_EQ(view_.Text(DateFormat0 + 4), "hh");
  EXPECT_EQ(view_.Text(DateFormat0), "yyyy/mm/dd");
  EXPECT_EQ(view_.ItemIndex(SendKey_Paste), 5);
  EXPECT_TRUE(view_.Checked(StartMenuShortcuts));  // the key is missing: on
  // FormShow: the first page, the focus on Kanren, PasteMode and New follow Kanren.
  EXPECT_EQ(view_.page, TabSheet1);
  EXPECT_EQ(view_.focus, Kanren);
  EXPECT_FALSE(view_.enabled[PasteMode]);
  EXPECT_FALSE(view_.enabled[New]);
}

// The shell (slow to load) is asked for the Start Menu folder only when the
// file has no menu folder of its own; an empty one is kept as it is.
TEST_F(OptionsFormTest, TheStartMenuIsAskedForOnlyWhenDataIsMissing) {
  struct Case {
    const char* data;  // nullptr: no Data key
    int asks;
    const char* shown;
  };
  for (const Case& c : {Case{nullptr, 1, "C:\\Menu\\Zarnik NX テキスト"}, Case{"D:\\Items", 0, "D:\\Items"},
                        Case{"", 0, ""}}) {
    SCOPED_TRACE(c.data ? c.data : "(missing)");
    store_ = {};
    system_.start_menu_asks = 0;
    Existing();
    if (c.data) store_.Set("Option", "Data", c.data);
    Open();
    EXPECT_EQ(system_.start_menu_asks, c.asks);
    EXPECT_EQ(view_.Text(Edit2), c.shown);
  }
}

TEST_F(OptionsFormTest, AFirstRunOffersTheAssociationTickedAndAnUnknownKeyNoChoice) {
  store_.Set("Option", "SendKey_Paste", "9");
  Open();
  EXPECT_TRUE(view_.Checked(Kanren));
  EXPECT_TRUE(view_.enabled[PasteMode]);
  EXPECT_EQ(view_.ItemIndex(SendKey_Paste), -1);
}

// Explorer's folder windows are passed over from the first run on; a file
// that exists keeps its list, even one without the section.
TEST_F(OptionsFormTest, OnlyAFirstRunOffersExplorerInTheThroughList) {
  Open();
  const std::vector<WindowRow> explorer = {{"エクスプローラ", "CabinetWClass"}};
  EXPECT_EQ(view_.rows[ListView2], explorer);
  form_->Button1Click();
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemCount"), "1");
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemName0"), "エクスプローラ");
  EXPECT_EQ(store_.Value("ThroughWindow", "ClassName0"), "CabinetWClass");

  form_.reset();
  view_ = {};
  store_ = {};
  Existing();
  Open();
  EXPECT_TRUE(view_.rows[ListView2].empty());
}

TEST_F(OptionsFormTest, KanrenClickEnablesThePasteAndNewBoxesWithoutTouchingTheirTicks) {
  Existing();
  Open();
  view_.SetChecked(New, true);
  for (bool on : {true, false, true}) {
    view_.SetChecked(Kanren, on);
    form_->KanrenClick();
    EXPECT_EQ(view_.enabled[PasteMode], on);
    EXPECT_EQ(view_.enabled[New], on);
    EXPECT_TRUE(view_.Checked(New));
  }
}

// Whether closing saves and whether it asks about the restart, for a first
// run or not, closed by OK, Cancel or the close box, with the association
// box changed or not.
TEST_F(OptionsFormTest, TheRestartDecisionOverEveryWayOfClosing) {
  enum How { kOk, kCancel, kCloseBox };
  struct Case {
    bool first_run;
    How how;
    bool association_changed;
    bool saved;
    bool asked;
  };
  const std::vector<Case> cases = {
      {true, kOk, false, true, true},         {true, kOk, true, true, true},
      {true, kCancel, false, true, true},     {true, kCancel, true, true, true},
      {true, kCloseBox, false, true, true},   {true, kCloseBox, true, true, true},
      {false, kOk, false, true, false},       {false, kOk, true, true, true},
      {false, kCancel, false, false, false},  {false, kCancel, true, false, false},
      {false, kCloseBox, false, false, false}, {false, kCloseBox, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first run " << c.first_run << ", how " << c.how << ", changed "
                                    << c.association_changed);
    view_ = FakeFormView();
    system_ = FakeFormSystem();
    store_ = FakeProfileStore();
    closed_ = false;
    if (!c.first_run) Existing();
    Open();
    if (c.association_changed) view_.SetChecked(Kanren, !view_.Checked(Kanren));
    store_.writes.clear();
    switch (c.how) {
      case kOk:
        form_->Button1Click();
        break;
      case kCancel:
        form_->Button2Click();
        break;
      case kCloseBox:
        view_.CloseForm();
        break;
    }
    RunClose();
    EXPECT_TRUE(closed_);
    EXPECT_EQ(Saved(), c.saved);
    EXPECT_EQ(shell_->applied.size(), c.saved ? 1u : 0u);
    EXPECT_EQ(Asked(), c.asked);
    EXPECT_EQ(system_.restarts, c.asked ? 1 : 0);  // the question is answered OK
    if (c.how != kCloseBox) {
      EXPECT_FALSE(view_.visible);
    }
  }
}

// The association box is what the shell is asked for, ticked or not, and
// whatever was found at start.
TEST_F(OptionsFormTest, OkAppliesTheAssociationAsTheBoxShowsIt) {
  for (bool found : {false, true}) {
    for (bool ticked : {false, true}) {
      SCOPED_TRACE(testing::Message() << "found " << found << ", ticked " << ticked);
      view_ = FakeFormView();
      system_ = FakeFormSystem();
      store_ = FakeProfileStore();
      Existing();
      detected_ = {found, false};
      Open();
      EXPECT_EQ(view_.Checked(Kanren), found);
      view_.SetChecked(Kanren, ticked);
      form_->Button1Click();
      ASSERT_EQ(shell_->applied.size(), 1u);
      EXPECT_EQ(shell_->applied[0].associate, ticked);
      EXPECT_EQ(shell_->detected_for, L"C:\\Zarnik\\Zrnx.exe");
    }
  }
}

TEST_F(OptionsFormTest, TheRestartQuestionAndARefusedRestart) {
  Open();
  system_.restart_allowed = false;
  form_->Button2Click();
  RunClose();
  ASSERT_EQ(system_.boxes.size(), 2u);
  EXPECT_EQ(system_.boxes[0].caption, "Zarnik NX");
  EXPECT_EQ(system_.boxes[0].style, kBoxOkCancel | kBoxInformation);
  EXPECT_EQ(system_.boxes[1].text, kRestartRefused);
  EXPECT_EQ(system_.boxes[1].style, kBoxError);
}

TEST_F(OptionsFormTest, CancellingTheRestartQuestionRestartsNothing) {
  Open();
  system_.answers = {kAnswerCancel};
  form_->Button1Click();
  RunClose();
  EXPECT_TRUE(Asked());
  EXPECT_EQ(system_.restarts, 0);
}

TEST_F(OptionsFormTest, OkTakesEveryControlIntoTheFileAndTheShell) {
  Existing();
  store_.Set("ThroughWindow", "ItemCount", "1");
  store_.Set("ThroughWindow", "ItemName0", "old");
  store_.Set("ThroughWindow", "ClassName0", "Old");
  Open();
  view_.SetChecked(PasteMode, false);
  view_.SetChecked(New, false);
  view_.SetChecked(SendTo, true);
  view_.SetText(Edit1, "");
  view_.SetText(Edit2, "");
  view_.SetText(DateFormat0 + 9, "");
  view_.SetItemIndex(SendKey_Paste, 9);
  EXPECT_FALSE(view_.Checked(RestoreClipboard));
  view_.SetChecked(RestoreClipboard, true);
  view_.AddRow(ListView2, {"Term", "TermClass"});
  form_->Button1Click();
  EXPECT_EQ(view_.close_requests, 1);
  ASSERT_EQ(shell_->applied.size(), 1u);
  const ShellChoices& choices = shell_->applied[0];
  EXPECT_TRUE(choices.associate == view_.Checked(Kanren));
  EXPECT_TRUE(choices.send_to);
  EXPECT_FALSE(choices.paste_mode);
  EXPECT_FALSE(choices.new_menu);
  EXPECT_EQ(choices.editor, "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(choices.item_sender_path, L"C:\\Zarnik\\Zrnx.exe");
  EXPECT_EQ(store_.Value("Option", "Editor"), "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(store_.Value("Option", "Data"), "");
  EXPECT_EQ(store_.Value("Option", "DateFormat9"), "");
  EXPECT_EQ(store_.Value("Option", "SendKey_Paste"), "-1");
  EXPECT_EQ(store_.Value("Option", "RestoreClipboard"), "1");
  EXPECT_EQ(store_.Value("Option", "PasteMode"), "0");
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemCount"), "2");
  EXPECT_EQ(store_.Value("ThroughWindow", "ClassName1"), "TermClass");
}

// After OK the window comes back with the error read, so the user can
// correct or cancel; nothing of the file is written after the failing key.
TEST_F(OptionsFormTest, AFailedApplyAfterOkShowsTheWindowAgain) {
  Existing();
  Open();
  store_.writes_before_failure = 2;
  form_->Button1Click();
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].text, "C:\\Zarnik\\Zrnx.ini に書き込めません.");
  EXPECT_EQ(system_.boxes[0].caption, kOptionsTitle);
  EXPECT_EQ(system_.boxes[0].style, kBoxError);
  EXPECT_TRUE(view_.visible);
  EXPECT_EQ(view_.close_requests, 0);
  EXPECT_FALSE(form_->OkPressed());
  EXPECT_EQ(store_.writes.size(), 2u);

  // Cancel then closes as on any second run: nothing more written, no question.
  form_->Button2Click();
  RunClose();
  EXPECT_EQ(store_.writes.size(), 2u);
  EXPECT_FALSE(Asked());
}

// An OK whose apply failed after the settings were saved: on a first run
// the shell is registered by then, so a later Cancel or close box offers
// the restart without applying again; on a later run it offers nothing.
TEST_F(OptionsFormTest, ClosingAfterAnOkThatFailedOnceTheSettingsWereSaved) {
  enum How { kCancel, kCloseBox, kOkAgain };
  struct Case {
    bool first_run;
    How how;
    std::size_t applies;  // of the shell, in all
    bool asked;
  };
  const Case cases[] = {
      {true, kCancel, 1, true},   {true, kCloseBox, 1, true},   {true, kOkAgain, 2, true},
      {false, kCancel, 1, false}, {false, kCloseBox, 1, false}, {false, kOkAgain, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first run " << c.first_run << ", how " << c.how);
    view_ = FakeFormView();
    system_ = FakeFormSystem();
    store_ = FakeProfileStore();
    closed_ = false;
    if (!c.first_run) Existing();
    Open();
    shell_->shortcut_error = "スタートメニューのショートカット C:\\P\\a.lnk を作成できません";
    form_->Button1Click();
    ASSERT_EQ(system_.boxes.size(), 1u);
    ASSERT_TRUE(Saved());
    EXPECT_TRUE(view_.visible);
    EXPECT_FALSE(Asked());
    const std::size_t writes = store_.writes.size();
    switch (c.how) {
      case kCancel:
        form_->Button2Click();
        break;
      case kCloseBox:
        view_.CloseForm();
        break;
      case kOkAgain:
        shell_->shortcut_error.reset();
        form_->Button1Click();
        break;
    }
    RunClose();
    EXPECT_TRUE(closed_);
    EXPECT_EQ(shell_->applied.size(), c.applies);
    if (c.how != kOkAgain) {
      EXPECT_EQ(store_.writes.size(), writes) << "nothing saved a second time";
    }
    EXPECT_EQ(Asked(), c.asked);
    EXPECT_EQ(system_.restarts, c.asked ? 1 : 0);
  }
}

// The shortcuts follow the box and the menu folder as shown, after the
// settings are saved; their failure is shown like any other, with the
// settings already safe.
TEST_F(OptionsFormTest, TheStartMenuBoxDrivesTheShortcutsAfterTheSave) {
  Existing();
  store_.Set("Option", "StartMenuShortcuts", "0");
  store_.Set("Option", "Data", "C:\\Old\\Items");
  Open();
  EXPECT_FALSE(view_.Checked(StartMenuShortcuts));
  view_.SetChecked(StartMenuShortcuts, true);
  view_.SetChecked(PasteMode, false);
  view_.SetText(Edit2, "D:\\Items");
  form_->Button1Click();
  ASSERT_EQ(shell_->shortcuts.size(), 1u);
  EXPECT_TRUE(shell_->shortcuts[0].start_menu);
  EXPECT_EQ(shell_->shortcuts[0].menu_folder, "D:\\Items");
  EXPECT_EQ(shell_->shortcuts[0].item_sender_path, L"C:\\Zarnik\\Zrnx.exe");
  EXPECT_FALSE(shell_->shortcuts[0].paste_mode);
  EXPECT_EQ(shell_->shortcuts[0].old_menu_folder, "C:\\Old\\Items");  // its group is left
  EXPECT_EQ(store_.Value("Option", "StartMenuShortcuts"), "1");
}

// An OK that failed, before the sync (a refused group) or in it (the lock
// not had, a link not written), leaves our group where it was: the next OK,
// to a third folder, still moves it from the first one.
TEST_F(OptionsFormTest, AfterAFailedOkTheNextOkStillMovesTheFirstGroup) {
  for (const bool refused_before_sync : {true, false}) {
    SCOPED_TRACE(refused_before_sync ? "refused group" : "sync failed");
    view_ = FakeFormView();
    system_ = FakeFormSystem();
    store_ = FakeProfileStore();
    Existing();
    store_.Set("Option", "Data", "C:\\Old\\Items");
    Open();
    view_.SetText(Edit2, "D:\\Refused");
    if (refused_before_sync) {
      shell_->check_error = "refused";
    } else {
      shell_->shortcut_error = "busy";
    }
    form_->Button1Click();
    EXPECT_TRUE(view_.visible);
    shell_->check_error.reset();
    shell_->shortcut_error.reset();
    view_.SetText(Edit2, "E:\\Third");
    form_->Button1Click();
    ASSERT_EQ(shell_->shortcuts.size(), 1u);
    EXPECT_EQ(shell_->shortcuts[0].menu_folder, "E:\\Third");
    EXPECT_EQ(shell_->shortcuts[0].old_menu_folder, "C:\\Old\\Items");
    EXPECT_EQ(view_.close_requests, 1);
  }
}

// A group the shortcuts may not have (the Startup folder) stops the OK
// before anything is saved or registered.
TEST_F(OptionsFormTest, ARefusedGroupSavesAndRegistersNothing) {
  Existing();
  Open();
  view_.SetText(Edit2, "D:\\Startup");
  shell_->check_error = "メニューフォルダ D:\\Startup のショートカットは作成できません";
  const std::size_t writes = store_.writes.size();
  form_->Button1Click();
  ASSERT_EQ(shell_->checked.size(), 1u);
  EXPECT_EQ(shell_->checked[0].menu_folder, "D:\\Startup");
  EXPECT_TRUE(shell_->applied.empty());
  EXPECT_TRUE(shell_->shortcuts.empty());
  EXPECT_EQ(store_.writes.size(), writes);
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_TRUE(view_.visible);
}

TEST_F(OptionsFormTest, AShortcutErrorIsShownWithTheSettingsAlreadySaved) {
  Existing();
  Open();
  shell_->shortcut_error = "スタートメニューのショートカット C:\\P\\a.lnk を作成できません";
  form_->Button1Click();
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].text, "スタートメニューのショートカット C:\\P\\a.lnk を作成できません.");
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemCount"), "0");  // saved before the shortcuts
  EXPECT_TRUE(view_.visible);
}

// A settings file that cannot be written stops the apply before the shell
// is touched, however the window was left.
TEST_F(OptionsFormTest, AnUnwritableSettingsFileLeavesTheShellAsItWas) {
  enum How { kOk, kCancel, kCloseBox };
  struct Case {
    bool first_run;
    How how;
    bool window_back;  // OK brings it back; a first run's close ends
  };
  const Case cases[] = {{false, kOk, true}, {true, kOk, true}, {true, kCancel, false}, {true, kCloseBox, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first run " << c.first_run << ", how " << c.how);
    view_ = FakeFormView();
    system_ = FakeFormSystem();
    store_ = FakeProfileStore();
    closed_ = false;
    if (!c.first_run) Existing();
    Open();
    store_.fail_writes = true;
    if (c.how == kOk) form_->Button1Click();
    if (c.how == kCancel) form_->Button2Click();
    if (c.how == kCloseBox) view_.CloseForm();
    RunClose();
    EXPECT_GE(store_.probes, 1);
    EXPECT_TRUE(shell_->applied.empty());
    ASSERT_EQ(system_.boxes.size(), 1u);
    EXPECT_EQ(system_.boxes[0].text, "C:\\Zarnik\\Zrnx.ini に書き込めません.");
    EXPECT_EQ(system_.boxes[0].caption, kOptionsTitle);
    EXPECT_EQ(view_.visible && !closed_, c.window_back);
    EXPECT_EQ(system_.restarts, 0);
  }
}

TEST_F(OptionsFormTest, AShellErrorStopsTheApplyBeforeTheFile) {
  Existing();
  Open();
  shell_->error = "ｷｰ .zrx の作成に失敗しました";
  form_->Button1Click();
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].text, "ｷｰ .zrx の作成に失敗しました.");
  EXPECT_TRUE(store_.writes.empty());
  EXPECT_TRUE(view_.visible);
}

// A path the settings file's code page cannot hold is refused with the
// field named, before the shell or the file is touched; the other field
// alone is refused the same way, and once it fits OK goes through.
TEST_F(OptionsFormTest, AValueTheCodePageCannotHoldIsRefusedNamingItsField) {
  Existing();
  Open();
  for (const auto& [id, field] : {std::pair{Edit1, kEditorField}, std::pair{Edit2, kMenuFolderField}}) {
    view_.beyond_code_page = {id};
    form_->Button1Click();
    ASSERT_EQ(system_.boxes.size(), 1u) << field;
    EXPECT_EQ(system_.boxes[0].text, ErrorBoxText(WithValue(kValueDoesNotFit, field)));
    EXPECT_EQ(system_.boxes[0].caption, kOptionsTitle);
    EXPECT_TRUE(view_.visible);
    EXPECT_TRUE(shell_->applied.empty());
    EXPECT_TRUE(store_.writes.empty());
    system_.boxes.clear();
  }
  view_.beyond_code_page.clear();
  form_->Button1Click();
  EXPECT_TRUE(system_.boxes.empty());
  EXPECT_EQ(shell_->applied.size(), 1u);
}

// On a first run closed without OK a failed apply is shown and the program
// ends, without the restart question.
TEST_F(OptionsFormTest, AFailedFirstRunCloseShowsTheErrorAndEnds) {
  Open();
  store_.fail_writes = true;
  view_.CloseForm();
  RunClose();
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].caption, kOptionsTitle);
  EXPECT_TRUE(closed_);
  EXPECT_EQ(system_.restarts, 0);
}

TEST_F(OptionsFormTest, ErrorTextsEndWithAFullStopWhenTheyEndAfterOneInByteOrder) {
  EXPECT_EQ(ErrorBoxText("abc"), "abc.");
  EXPECT_EQ(ErrorBoxText("abc."), "abc.");
  EXPECT_EQ(ErrorBoxText("1-"), "1-");
  EXPECT_EQ(ErrorBoxText("書き込めません"), "書き込めません.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST_F(OptionsFormTest, TheEditorPickerStartsAtTheFolderOfTheBoxAndKeepsItOnCancel) {
  Existing();
  Open();
  view_.SetText(Edit1, "C:\\表\\ed.exe");
  form_->Button3Click();
  ASSERT_EQ(system_.picked_from.size(), 1u);
  EXPECT_EQ(system_.picked_from[0].first, "C:\\表\\");
  EXPECT_EQ(system_.picked_from[0].second, "ed.exe");
  EXPECT_EQ(view_.Text(Edit1), "C:\\表\\ed.exe");
  system_.pick = "D:\\new.exe";
  view_.SetText(Edit1, "ed.exe");
  form_->Button3Click();
  EXPECT_EQ(system_.picked_from[1].first, "");
  EXPECT_EQ(view_.Text(Edit1), "D:\\new.exe");
}

TEST_F(OptionsFormTest, TheFolderPickerUsesTheBrowserOwnedByTheWindow) {
  Existing();
  Open();
  EXPECT_EQ(form_->BrowseFolderDlg1().Caption(), "フォルダの参照");
  EXPECT_EQ(form_->ShellShortCut1().ShortCutName(), "\\Zarnik NX.lnk");
  EXPECT_EQ(form_->ShellShortCut1().SCDirectoryType(), scSendto);
  EXPECT_FALSE(form_->ShellShortCut1().VersionCheck());
  view_.SetText(Edit2, "C:\\表");
  form_->Button4Click();
  EXPECT_EQ(browser_.started_at, "C:\\表");
  EXPECT_EQ(browser_.owner, 0x1234u);
  EXPECT_EQ(view_.Text(Edit2), "C:\\表");
  browser_.answer = "D:\\Items";
  form_->Button4Click();
  EXPECT_EQ(view_.Text(Edit2), "D:\\Items");
}

TEST_F(OptionsFormTest, TheExplorerButton) {
  Existing();
  Open();
  view_.SetText(Edit2, "");
  form_->Button5Click();
  EXPECT_TRUE(system_.boxes.empty());

  view_.SetText(Edit2, "C:\\Missing");
  form_->Button5Click();
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].text, kFolderMissing);

  system_.folders.insert("C:\\Items, old");
  view_.SetText(Edit2, "C:\\Items, old");
  form_->Button5Click();
  ASSERT_EQ(system_.started.size(), 1u);
  EXPECT_EQ(system_.started[0], "C:\\WINDOWS\\explorer.exe | \"C:\\WINDOWS\\explorer.exe\" /e,/root,\"C:\\Items, old\"");

  system_.files.erase("C:\\WINDOWS\\explorer.exe");
  form_->Button5Click();
  EXPECT_EQ(system_.boxes.back().text, kExplorerMissing);
  EXPECT_EQ(system_.started.size(), 1u);
  EXPECT_FALSE(form_->OkPressed());
}

TEST_F(OptionsFormTest, TheExplorerCommandLineQuotesTheFolder) {
  const std::string explorer = "C:\\WINDOWS\\explorer.exe";
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Items, old", "\"C:\\Items, old\""},
      {"C:\\A B\\表", "\"C:\\A B\\表\""},  // its trail byte is no backslash
      {"C:\\Items\\", "\"C:\\Items\""},
      {"C:\\", "\"C:\\\""},
      {"\\\\server\\share\\", "\"\\\\server\\share\""},
  };
  for (const auto& [folder, quoted] : cases) {
    EXPECT_EQ(ExplorerCommandLine(explorer, folder, LeadBytes::ShiftJis()), "\"" + explorer + "\" /e,/root," + quoted) << folder;
  }
}

// "Copy as path" quotes: the verb gets the path once quoted, the file the bare path.
TEST_F(OptionsFormTest, AQuotedEditorPathIsSavedBareAndThePickerOpensOnIt) {
  Existing();
  Open();
  view_.SetText(Edit1, "\"C:\\A B\\ed.exe\"");
  form_->Button3Click();
  ASSERT_EQ(system_.picked_from.size(), 1u);
  EXPECT_EQ(system_.picked_from[0].first, "C:\\A B\\");
  EXPECT_EQ(system_.picked_from[0].second, "ed.exe");
  form_->Button1Click();
  ASSERT_EQ(shell_->applied.size(), 1u);
  EXPECT_EQ(shell_->applied[0].editor, "C:\\A B\\ed.exe");
  EXPECT_EQ(store_.Value("Option", "Editor"), "C:\\A B\\ed.exe");
}

TEST_F(OptionsFormTest, WindowsStandardChoosesCtrlV) {
  Existing();
  store_.Set("Option", "SendKey_Paste", "3");
  Open();
  form_->Button6Click();
  EXPECT_EQ(view_.ItemIndex(SendKey_Paste), 0);
}

TEST_F(OptionsFormTest, TheThroughWindowPage) {
  Existing();
  store_.Set("ThroughWindow", "ItemCount", "2");
  store_.Set("ThroughWindow", "ItemName0", "a");
  store_.Set("ThroughWindow", "ClassName0", "A");
  store_.Set("ThroughWindow", "ItemName1", "b");
  store_.Set("ThroughWindow", "ClassName1", "B");
  system_.windows = {{"Self", "TZrnxSetForm", true, true}, {"Pad", "Notepad", true, true}};
  Open();
  ASSERT_EQ(view_.rows[ListView1].size(), 1u);
  ASSERT_EQ(view_.rows[ListView2].size(), 2u);

  // "↓" with nothing selected does nothing; with a row it fills both boxes.
  form_->NoWinBt_SelClick();
  EXPECT_EQ(view_.Text(Edit4), "");
  view_.selected[ListView1] = 0;
  form_->NoWinBt_SelClick();
  EXPECT_EQ(view_.Text(Edit3), "Pad");
  EXPECT_EQ(view_.Text(Edit4), "Notepad");
  EXPECT_EQ(view_.focus, Edit3);

  // "追加" needs both boxes; the same entry twice is two entries.
  view_.SetText(Edit3, "");
  form_->NoWinBt_InsClick();
  EXPECT_EQ(view_.rows[ListView2].size(), 2u);
  for (int i = 0; i < 2; ++i) {
    view_.SetText(Edit3, "Pad");
    view_.SetText(Edit4, "Notepad");
    form_->NoWinBt_InsClick();
  }
  EXPECT_EQ(view_.rows[ListView2].size(), 4u);
  EXPECT_EQ(view_.Text(Edit3), "");
  EXPECT_EQ(view_.Text(Edit4), "");

  // Delete without a selection asks nothing; No keeps; Yes deletes and
  // selects the row that took its place.
  form_->ListView2KeyDown(kVkDelete, 0);
  EXPECT_TRUE(system_.boxes.empty());
  view_.SelectRow(ListView2, 1);
  system_.answers = {kAnswerNo, kAnswerYes};
  form_->ListView2KeyDown(kVkDelete, 4);
  EXPECT_EQ(view_.rows[ListView2].size(), 4u);
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].text, kDeleteQuestion);
  EXPECT_EQ(system_.boxes[0].caption, kDeleteTitle);
  EXPECT_EQ(system_.boxes[0].style, kBoxYesNo | kBoxQuestion);
  form_->NoWinBt_DelClick();
  EXPECT_EQ(view_.rows[ListView2].size(), 3u);
  EXPECT_EQ(view_.rows[ListView2][1].name, "Pad");
  EXPECT_EQ(view_.SelectedRow(ListView2), 1);
  form_->ListView2KeyDown('A', 0);
  EXPECT_EQ(system_.boxes.size(), 2u);

  // A double-click takes the entry back out at once.
  view_.SelectRow(ListView2, 0);
  form_->ListView2DblClick();
  EXPECT_EQ(view_.Text(Edit3), "a");
  EXPECT_EQ(view_.Text(Edit4), "A");
  EXPECT_EQ(view_.rows[ListView2].size(), 2u);

  form_->Button1Click();
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemCount"), "2");
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemName0"), "Pad");
  EXPECT_EQ(store_.Value("ThroughWindow", "ItemName1"), "Pad");
}

TEST_F(OptionsFormTest, DeletingTheFirstRowSelectsTheRowThatMovesUp) {
  Existing();
  Open();
  for (const char* name : {"a", "b", "c"}) view_.AddRow(ListView2, {name, "C"});
  view_.SelectRow(ListView2, 0);
  system_.answers = {kAnswerYes};
  form_->NoWinBt_DelClick();
  ASSERT_EQ(view_.rows[ListView2].size(), 2u);
  EXPECT_EQ(view_.rows[ListView2][0].name, "b");
  EXPECT_EQ(view_.SelectedRow(ListView2), 0);
}

TEST_F(OptionsFormTest, DeletingTheLastRowSelectsNothing) {
  Existing();
  Open();
  view_.AddRow(ListView2, {"a", "A"});
  view_.SelectRow(ListView2, 0);
  form_->NoWinBt_DelClick();
  EXPECT_TRUE(view_.rows[ListView2].empty());
  EXPECT_EQ(view_.SelectedRow(ListView2), -1);
}

}  // namespace
}  // namespace zrnx
