#include "options/setup_switch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/error.h"

namespace zrnx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ParseSetupSwitchTest, OnlyALoneSwitchInAnyCaseCounts) {
  struct Case {
    std::vector<std::string> args;
    SetupSwitch expected;
  };
  const Case cases[] = {
      {{"/apply"}, SetupSwitch::kApply},
      {{"/APPLY"}, SetupSwitch::kApply},
      {{"/Apply"}, SetupSwitch::kApply},
      {{"/remove"}, SetupSwitch::kRemove},
      {{"/REMOVE"}, SetupSwitch::kRemove},
      {{}, SetupSwitch::kNone},
      {{"/apply", "/remove"}, SetupSwitch::kNone},
      {{"/apply", "x"}, SetupSwitch::kNone},
      {{"x", "/remove"}, SetupSwitch::kNone},
      {{"apply"}, SetupSwitch::kNone},
      {{"-apply"}, SetupSwitch::kNone},
      {{"/apply "}, SetupSwitch::kNone},
      {{"/applyx"}, SetupSwitch::kNone},
      {{"/appl"}, SetupSwitch::kNone},
      {{std::string("/apply\0", 7)}, SetupSwitch::kNone},
      {{""}, SetupSwitch::kNone},
      {{"/"}, SetupSwitch::kNone},
      {{"/\x83\x41pply"}, SetupSwitch::kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseSetupSwitch(c.args), c.expected)
        << "args: " << ::testing::PrintToString(c.args);
  }
}

// Records the steps in order; each can be made to fail.
class FakeSetup : public SetupPort, public ShellIntegration {
 public:
  bool other_editor = false;
  bool settings_exist = true;
  ShellState state;
  LoadedOptions options{true, true, "C:\\ed\\ed.exe", "C:\\WINDOWS\\NOTEPAD.EXE", L"C:\\P\\Zrnx.exe", "C:\\M\\Items", true};
  std::string fail_at;
  std::vector<std::string> steps;
  std::optional<ShellChoices> applied;
  std::wstring detected_for;

  bool ClaimEditorMutex() override {
    steps.push_back("mutex");
    return !other_editor;
  }
  bool SettingsFileExists() override {
    steps.push_back("exists");
    return settings_exist;
  }
  LoadedOptions LoadOptions() override {
    Step("load");
    return options;
  }
  void CheckSettingsWritable() override { Step("writable"); }
  void SaveOptions() override { Step("save options"); }
  void SaveThroughWindows(bool first_run) override { Step(first_run ? "save first list" : "save list"); }
  ShellIntegration& Shell() override { return *this; }
  std::wstring ItemSenderPath() override { return options.item_sender_path; }
  ShellState DetectShellState(const std::wstring& item_sender_path) override {
    Step("detect");
    detected_for = item_sender_path;
    return state;
  }
  void ApplyShellIntegration(const ShellChoices& choices) override {
    applied = choices;
    Step("shell");
  }
  void UpdateItemShortcuts(const ShellChoices& choices) override {
    shortcuts = choices;
    Step("shortcuts");
  }
  void CheckItemShortcuts(const ShellChoices&) override { Step("check"); }
  std::optional<ShellChoices> shortcuts;

 private:
  void Step(const std::string& name) {
    steps.push_back(name);
    if (name == fail_at) throw Error("C:\\P\\Zrnx.ini に書き込めません");
  }
};

TEST(RunSetupSwitchTest, ApplyRunsTheFirstRunSequenceAndRegisters) {
  FakeSetup fake;
  fake.settings_exist = false;
  const SetupOutcome outcome = RunSetupSwitch(SetupSwitch::kApply, fake);
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_THAT(outcome.message, IsEmpty());
  EXPECT_THAT(fake.steps,
              ElementsAre("mutex", "detect", "load", "exists", "check", "writable", "shell", "save options",
                          "save first list", "shortcuts"));
  ASSERT_TRUE(fake.applied);
  EXPECT_TRUE(fake.applied->associate);
  EXPECT_TRUE(fake.applied->send_to);
  EXPECT_TRUE(fake.applied->paste_mode);
  EXPECT_TRUE(fake.applied->new_menu);
  EXPECT_EQ(fake.applied->editor, "C:\\ed\\ed.exe");
  EXPECT_EQ(fake.applied->item_sender_path, L"C:\\P\\Zrnx.exe");
  ASSERT_TRUE(fake.shortcuts);
  EXPECT_TRUE(fake.shortcuts->start_menu);
  EXPECT_EQ(fake.shortcuts->menu_folder, "C:\\M\\Items");
  EXPECT_EQ(fake.shortcuts->item_sender_path, L"C:\\P\\Zrnx.exe");

  // Switched off in the settings: the shortcuts of ours go.
  FakeSetup off;
  off.options.start_menu_shortcuts = false;
  ASSERT_EQ(RunSetupSwitch(SetupSwitch::kApply, off).exit_code, 0);
  ASSERT_TRUE(off.shortcuts);
  EXPECT_FALSE(off.shortcuts->start_menu);
}

TEST(RunSetupSwitchTest, AShortcutFailureIsReportedAfterTheSettingsAreSaved) {
  FakeSetup fake;
  fake.fail_at = "shortcuts";
  const SetupOutcome outcome = RunSetupSwitch(SetupSwitch::kApply, fake);
  EXPECT_EQ(outcome.exit_code, kSetupFailed);
  EXPECT_THAT(fake.steps, ElementsAre("mutex", "detect", "load", "exists", "check", "writable", "shell", "save options", "save list",
                                      "shortcuts"));
}

TEST(RunSetupSwitchTest, ApplyDetectsForThisCopy) {
  FakeSetup fake;
  ASSERT_EQ(RunSetupSwitch(SetupSwitch::kApply, fake).exit_code, 0);
  EXPECT_EQ(fake.detected_for, L"C:\\P\\Zrnx.exe");
}

TEST(RunSetupSwitchTest, ApplyOverExistingSettingsKeepsTheirChoicesAndTheSendToState) {
  for (bool send_to_there : {false, true}) {
    FakeSetup fake;
    fake.state = {false, send_to_there};
    fake.options.paste_mode = false;
    fake.options.new_menu = false;
    fake.options.editor = "";  // the key is there and empty
    ASSERT_EQ(RunSetupSwitch(SetupSwitch::kApply, fake).exit_code, 0);
    ASSERT_TRUE(fake.applied);
    EXPECT_TRUE(fake.applied->associate) << "an association switched off is registered again";
    EXPECT_EQ(fake.applied->send_to, send_to_there);
    EXPECT_FALSE(fake.applied->paste_mode);
    EXPECT_FALSE(fake.applied->new_menu);
    EXPECT_EQ(fake.applied->editor, "C:\\WINDOWS\\NOTEPAD.EXE");
  }
}

TEST(RunSetupSwitchTest, AFailingStepStopsTheRunWithItsTextAndWritesNothingAfterIt) {
  struct Case {
    const char* fail_at;
    std::vector<std::string> steps;
  };
  const Case cases[] = {
      {"check", {"mutex", "detect", "load", "exists", "check"}},
      {"writable", {"mutex", "detect", "load", "exists", "check", "writable"}},
      {"shell", {"mutex", "detect", "load", "exists", "check", "writable", "shell"}},
      {"save options", {"mutex", "detect", "load", "exists", "check", "writable", "shell", "save options"}},
      {"save list", {"mutex", "detect", "load", "exists", "check", "writable", "shell", "save options", "save list"}},
  };
  for (const Case& c : cases) {
    FakeSetup fake;
    fake.fail_at = c.fail_at;
    const SetupOutcome outcome = RunSetupSwitch(SetupSwitch::kApply, fake);
    EXPECT_EQ(outcome.exit_code, kSetupFailed) << c.fail_at;
    // As the error box shows it, with the full stop the box adds.
    EXPECT_EQ(outcome.message, "C:\\P\\Zrnx.ini に書き込めません.") << c.fail_at;
    EXPECT_EQ(fake.steps, c.steps) << c.fail_at;
  }
}

TEST(RunSetupSwitchTest, RemoveUnticksEverythingAndLeavesTheSettingsAlone) {
  for (ShellState state : {ShellState{false, false}, ShellState{true, true}}) {
    FakeSetup fake;
    fake.state = state;
    const SetupOutcome outcome = RunSetupSwitch(SetupSwitch::kRemove, fake);
    EXPECT_EQ(outcome.exit_code, 0);
    // The settings are read for the menu folder that names the group, never written.
    EXPECT_THAT(fake.steps, ElementsAre("mutex", "load", "shell", "shortcuts"));
    ASSERT_TRUE(fake.applied);
    EXPECT_FALSE(fake.applied->associate);
    EXPECT_FALSE(fake.applied->send_to);
    ASSERT_TRUE(fake.shortcuts);
    EXPECT_FALSE(fake.shortcuts->start_menu);
    EXPECT_EQ(fake.shortcuts->menu_folder, "C:\\M\\Items");
    EXPECT_EQ(fake.shortcuts->item_sender_path, L"C:\\P\\Zrnx.exe");
    EXPECT_EQ(fake.applied->item_sender_path, L"C:\\P\\Zrnx.exe") << "only this copy's entries go";
  }
}

// What /remove could not take away is no success either.
TEST(RunSetupSwitchTest, RemoveThatLeavesSomethingBehindFailsWithItsText) {
  FakeSetup fake;
  fake.fail_at = "shell";
  const SetupOutcome outcome = RunSetupSwitch(SetupSwitch::kRemove, fake);
  EXPECT_EQ(outcome.exit_code, kSetupFailed);
  EXPECT_EQ(outcome.message, "C:\\P\\Zrnx.ini に書き込めません.");
}

TEST(RunSetupSwitchTest, AnotherRunningEditorStopsBothSwitchesBeforeAnything) {
  for (SetupSwitch which : {SetupSwitch::kApply, SetupSwitch::kRemove}) {
    FakeSetup fake;
    fake.other_editor = true;
    const SetupOutcome outcome = RunSetupSwitch(which, fake);
    EXPECT_EQ(outcome.exit_code, kSetupEditorRunning);
    EXPECT_EQ(outcome.message,
              "Zarnik NX のオプションが実行中です。オプションを閉じてから、もう一度実行してください。");
    EXPECT_THAT(fake.steps, ElementsAre("mutex"));
    EXPECT_FALSE(fake.applied);
  }
}

TEST(RunSetupSwitchTest, NoSwitchDoesNothing) {
  FakeSetup fake;
  EXPECT_EQ(RunSetupSwitch(SetupSwitch::kNone, fake).exit_code, 0);
  EXPECT_THAT(fake.steps, IsEmpty());
}

}  // namespace
}  // namespace zrnx
