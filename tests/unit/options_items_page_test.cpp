// The items page's handlers against fake ports: what the page says with
// the Start-menu shortcuts on and off, a key typed or cleared for the
// selected item, the editor opened on it, and what OK hands the shortcut
// sync or refuses.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_options_form.h"
#include "fakes/fake_profile_store.h"
#include "options/form_layout.h"
#include "options/options_form.h"
#include "options/texts.h"

namespace zrnx {
namespace {

using namespace zrnx::ctl;

constexpr const wchar_t* kIni = L"C:\\Zarnik\\Zrnx.ini";
constexpr std::uint16_t kCtrlAlt = (kHotKeyControl | kHotKeyAlt) << 8;
const std::string kMenu = "C:\\Menu";

class OptionsItemsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!first_run_) system_.wide_files.insert(kIni);
    store_.Set("Option", "Data", kMenu);
    store_.Set("Option", "Editor", "C:\\ed.exe");
    form_ = std::make_unique<TZrnxSetForm>(view_, system_, PathsBeside(L"C:\\Zarnik\\ZrnxSet.exe"), store_,
                                           browser_, links_);
    auto shell = std::make_unique<test::FakeShell>();
    shell_ = shell.get();
    form_->SetShellIntegration(std::move(shell));
    // As on disk: the first write makes the settings file.
    system_.written = [this](const std::wstring& path) { return path == kIni && !store_.writes.empty(); };
    form_->FormCreate();
    form_->FormShow();
  }

  // Another start of the editor, from nothing.
  void Restart(bool first_run = false) {
    view_ = test::FakeFormView();
    system_ = test::FakeFormSystem();
    store_ = test::FakeProfileStore();
    first_run_ = first_run;
    SetUp();
  }

  // The page shown, and the items of `folder` listed, "a" with Ctrl+Alt+A.
  void List(const std::string& folder = kMenu) {
    form_->ItemsPageShow();
    form_->ItemsListed(folder, {MakeItemRow("a.zrx", folder + "\\a.zrx", kCtrlAlt | 'A', true, LeadBytes()),
                                MakeItemRow("Sub\\b.zrx", folder + "\\Sub\\b.zrx", 0, false, LeadBytes())});
  }

  void Select(int row) {
    view_.SelectRow(ListView3, row);
    form_->ListView3Select();
  }

  void Type(std::uint16_t key) {
    view_.SetHotKey(HotKey1, key);
    form_->HotKey1Change();
  }

  test::FakeFormView view_;
  test::FakeFormSystem system_;
  test::FakeProfileStore store_;
  test::FakeBrowser browser_;
  test::NoShellLinks links_;
  test::FakeShell* shell_ = nullptr;
  std::unique_ptr<TZrnxSetForm> form_;
  bool first_run_ = false;
};

TEST_F(OptionsItemsPageTest, TheListIsForTheMenuFolderShownAndKeysWaitForASelection) {
  const ShortcutTarget target = form_->ItemsTarget();
  EXPECT_EQ(target.menu_folder, kMenu);
  EXPECT_EQ(target.wide_sender_path, L"C:\\Zarnik\\Zrnx.exe");
  List();
  EXPECT_EQ(view_.row_counts[ListView3], 2);
  EXPECT_EQ(view_.texts[Label16], FindControl(Label16)->caption);
  EXPECT_FALSE(view_.enabled[HotKey1]);
  EXPECT_FALSE(view_.enabled[Button7]);
  EXPECT_FALSE(view_.enabled[Button8]);
  Select(0);
  EXPECT_EQ(view_.hot_keys[HotKey1], kCtrlAlt | 'A');
  EXPECT_TRUE(view_.enabled[HotKey1]);
  EXPECT_TRUE(view_.enabled[Button7]);
  EXPECT_TRUE(view_.enabled[Button8]);
  Select(1);
  EXPECT_EQ(view_.hot_keys[HotKey1], 0);
}

TEST_F(OptionsItemsPageTest, WithoutTheStartMenuShortcutsThePageSaysKeysNeedThem) {
  view_.SetChecked(StartMenuShortcuts, false);
  List();
  Select(0);
  EXPECT_EQ(view_.texts[Label16], kKeysNeedShortcuts);
  EXPECT_FALSE(view_.enabled[HotKey1]);
  EXPECT_FALSE(view_.enabled[Button7]);
  EXPECT_TRUE(view_.enabled[Button8]);  // the item can still be edited
  view_.SetChecked(StartMenuShortcuts, true);
  form_->ItemsPageShow();
  EXPECT_TRUE(view_.enabled[HotKey1]);
}

TEST_F(OptionsItemsPageTest, ATypedKeyBelongsToTheSelectedItemAtOnceAndClearTakesItAway) {
  List();
  Type(kCtrlAlt | 'X');  // nothing selected: nobody's
  EXPECT_TRUE(form_->ItemKeys().Changes().empty());
  Select(1);
  const int refreshes = view_.refreshes[ListView3];
  Type(kCtrlAlt | 'B');
  EXPECT_EQ(form_->ItemKeys().Rows()[1].key, kCtrlAlt | 'B');
  EXPECT_GT(view_.refreshes[ListView3], refreshes);
  Select(0);
  form_->Button7Click();
  EXPECT_EQ(view_.hot_keys[HotKey1], 0);
  const std::map<std::string, std::uint16_t> expected = {{"a.zrx", 0}, {"Sub\\b.zrx", kCtrlAlt | 'B'}};
  EXPECT_EQ(form_->ItemKeys().Changes(), expected);
}

TEST_F(OptionsItemsPageTest, EditOpensTheSelectedItemInTheEditorOfTheGeneralPage) {
  List();
  form_->Button8Click();
  EXPECT_TRUE(system_.started.empty());
  Select(1);
  form_->Button8Click();
  view_.SetText(Edit1, "\"C:\\Other Editor\\e.exe\"");
  form_->Button8Click();
  view_.SetText(Edit1, "");
  form_->Button8Click();
  const std::vector<std::string> expected = {
      "C:\\ed.exe | \"C:\\ed.exe\" \"C:\\Menu\\Sub\\b.zrx\"",
      "C:\\Other Editor\\e.exe | \"C:\\Other Editor\\e.exe\" \"C:\\Menu\\Sub\\b.zrx\"",
      "C:\\WINDOWS\\NOTEPAD.EXE | \"C:\\WINDOWS\\NOTEPAD.EXE\" \"C:\\Menu\\Sub\\b.zrx\"",
  };
  EXPECT_EQ(system_.started, expected);
}

TEST_F(OptionsItemsPageTest, OkHandsTheChangedKeysToTheShortcutSync) {
  struct Case {
    const char* what;
    std::string listed_from;
    std::string menu_at_ok;
    std::map<std::string, std::uint16_t> handed;
  } cases[] = {
      {"the folder listed", kMenu, kMenu, {{"Sub\\b.zrx", kCtrlAlt | 'B'}}},
      // The keys were typed for another folder's items: none of them.
      {"another folder saved", kMenu, "C:\\Elsewhere", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    List(c.listed_from);
    Select(1);
    Type(kCtrlAlt | 'B');
    view_.SetText(Edit2, c.menu_at_ok);
    form_->Button1Click();
    ASSERT_EQ(shell_->shortcuts.size(), 1u);
    EXPECT_EQ(shell_->shortcuts[0].hot_keys, c.handed);
    EXPECT_EQ(view_.close_requests, 1);
  }
}

TEST_F(OptionsItemsPageTest, CancelAndAFirstRunsClosingSaveHandOnNoKeys) {
  List();
  Select(1);
  Type(kCtrlAlt | 'B');
  form_->Button2Click();
  form_->FormCloseQuery();
  EXPECT_TRUE(shell_->shortcuts.empty());
  // A first run saves on closing, but the keys wait for OK.
  Restart(true);
  List();
  Select(1);
  Type(kCtrlAlt | 'B');
  form_->FormCloseQuery();
  ASSERT_EQ(shell_->shortcuts.size(), 1u);
  EXPECT_TRUE(shell_->shortcuts[0].hot_keys.empty());
}

TEST_F(OptionsItemsPageTest, ARefusedKeyGivesABoxNamingTheItemAndKeepsTheWindow) {
  struct Case {
    std::uint16_t key;
    std::string text;
  } cases[] = {
      {kCtrlAlt | 'A', "このキーは「a.zrx」が使っています。別のキーを指定して下さい。"},
      {(kHotKeyControl << 8) | 'B', "「Sub\\b.zrx」のキー: 文字や数字には Ctrl、Alt、Shift のうち二つを組み合わせて下さい。"},
      {kCtrlAlt | 0x1B, "「Sub\\b.zrx」のキーは Windows が使うため指定できません。"},
      {kCtrlAlt, "「Sub\\b.zrx」のキーが途中までしか入力されていません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Restart();
    List();
    Select(1);
    Type(c.key);
    view_.ShowPage(TabSheet1);
    Select(0);
    form_->Button1Click();
    ASSERT_EQ(system_.boxes.size(), 1u);
    EXPECT_EQ(system_.boxes[0].text, c.text);
    EXPECT_EQ(system_.boxes[0].style, kBoxError);
    // Nothing written, the window kept, the item shown with its key.
    EXPECT_TRUE(shell_->applied.empty());
    EXPECT_TRUE(shell_->shortcuts.empty());
    EXPECT_EQ(view_.close_requests, 0);
    EXPECT_TRUE(view_.visible);
    EXPECT_FALSE(form_->OkPressed());
    EXPECT_EQ(view_.page, TabSheet6);
    EXPECT_EQ(view_.SelectedRow(ListView3), 1);
    EXPECT_EQ(view_.hot_keys[HotKey1], c.key);
    EXPECT_EQ(view_.focus, HotKey1);
  }
}

}  // namespace
}  // namespace zrnx

namespace zrnx {
namespace {

// Keys OK will not write are not judged: with the Start-menu box off (the
// key box disabled) a refused key cannot be corrected, so it is ignored;
// keys typed for the items of a menu folder no longer set are dropped only
// after the user agrees.
TEST_F(OptionsItemsPageTest, KeysThatWillNotBeWrittenAreNeitherJudgedNorDroppedSilently) {
  constexpr std::uint16_t kRefused = (kHotKeyControl << 8) | 'B';
  struct Case {
    const char* what;
    bool box_on;
    std::string menu_at_ok;
    std::uint16_t key;
    std::deque<int> answers;
    std::vector<std::string> boxes;
    bool applied;
  } cases[] = {
      {"refused, box on", true, kMenu, kRefused, {}, {"「Sub\\b.zrx」のキー: 文字や数字には Ctrl、Alt、Shift のうち二つを組み合わせて下さい。"}, false},
      {"refused, box off", false, kMenu, kRefused, {}, {}, true},
      {"refused, folder changed", true, "D:\\Other", kRefused, {kAnswerOk}, {std::string(kKeysOfFormerFolderAtOk)}, true},
      {"folder changed, agreed", true, "D:\\Other", kCtrlAlt | 'B', {kAnswerOk}, {std::string(kKeysOfFormerFolderAtOk)}, true},
      {"folder changed, cancelled", true, "D:\\Other", kCtrlAlt | 'B', {2}, {std::string(kKeysOfFormerFolderAtOk)}, false},
      {"folder changed, box off", false, "D:\\Other", kCtrlAlt | 'B', {}, {}, true},
      {"folder changed, no key typed", true, "D:\\Other", 0, {}, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    List();
    Select(1);
    if (c.key) Type(c.key);
    view_.SetChecked(StartMenuShortcuts, c.box_on);
    view_.SetText(Edit2, c.menu_at_ok);
    system_.answers = c.answers;
    form_->Button1Click();
    std::vector<std::string> boxes;
    for (const auto& box : system_.boxes) boxes.push_back(box.text);
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(shell_->shortcuts.size(), c.applied ? 1u : 0u);
    EXPECT_EQ(view_.close_requests, c.applied ? 1 : 0);
  }
}

// Shown again after the menu folder changed, the page is listed again for
// the new one; keys typed for the old one's items go, and the user is told.
TEST_F(OptionsItemsPageTest, TheListIsReadAgainForANewMenuFolder) {
  EXPECT_TRUE(form_->ItemsNeedListing());  // never listed
  List();
  EXPECT_FALSE(form_->ItemsNeedListing());
  view_.SetText(Edit2, "D:\\Other");
  EXPECT_TRUE(form_->ItemsNeedListing());
  EXPECT_TRUE(system_.boxes.empty());  // no key typed: nothing to tell
  EXPECT_EQ(form_->ItemKeys().Size(), 0u);
  EXPECT_EQ(view_.row_counts[ListView3], 0);
  List("D:\\Other");
  EXPECT_FALSE(form_->ItemsNeedListing());
  Select(1);
  Type(kCtrlAlt | 'B');
  view_.SetText(Edit2, kMenu);
  EXPECT_TRUE(form_->ItemsNeedListing());
  ASSERT_EQ(system_.boxes.size(), 1u);
  EXPECT_EQ(system_.boxes[0].text, kKeysOfFormerFolderDropped);
  EXPECT_TRUE(form_->ItemKeys().Changes().empty());
}

}  // namespace
}  // namespace zrnx
