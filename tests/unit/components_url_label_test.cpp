#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/url_label.h"

namespace zrnx {
namespace {

constexpr Color kNormal = Rgb(0, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);

class FakeLabelWindow : public LabelWindow {
 public:
  void Repaint() override { ++repaints; }
  void SetBounds(int, int, int, int) override {}
  bool CursorInside() override { return cursor_inside; }
  Color SystemTextColor() override { return kNormal; }
  std::uintptr_t Handle() const override { return 0; }

  int repaints = 0;
  bool cursor_inside = true;
};

class FakeLauncher : public ShellLauncher {
 public:
  void Open(const std::string& file) override { opened.push_back(file); }
  std::vector<std::string> opened;
};

class URLLabelTest : public ::testing::Test {
 protected:
  URLLabelTest() {
    label_ = std::make_unique<TURLLabel>(
        nullptr,
        [this](TLabel&) {
          auto window = std::make_unique<FakeLabelWindow>();
          window_ = window.get();
          return window;
        },
        launcher_);
    label_->SetCaption("https://zarnik.example/nx/");
  }

  void Press(MouseButton button = MouseButton::Left) { label_->MouseDown(button, 0, 3, 3); }
  void Release(bool inside) {
    window_->cursor_inside = inside;
    label_->MouseUp(MouseButton::Left, 0, 3, 3);
  }

  FakeLauncher launcher_;
  FakeLabelWindow* window_ = nullptr;
  std::unique_ptr<TURLLabel> label_;
};

TEST_F(URLLabelTest, StartsAsALinkThatOpensNothing) {
  EXPECT_EQ(label_->HotColor(), Rgb(0, 255, 255));
  EXPECT_EQ(label_->HotColor(), 0x00FFFF00u);
  EXPECT_EQ(label_->PushedColor(), 0x000000FFu);
  EXPECT_TRUE(label_->HotTrack());
  EXPECT_FALSE(label_->Executable());
  EXPECT_EQ(label_->Cursor(), crHandPoint);
  EXPECT_EQ(label_->FontColor(), kNormal);
}

TEST_F(URLLabelTest, AClickRunsThroughHotPushedHotAndBack) {
  label_->SetHotColor(kBlue);  // the options window's layout
  std::vector<Color> seen;
  label_->MouseEnter();
  seen.push_back(label_->FontColor());
  Press();
  seen.push_back(label_->FontColor());
  Release(true);
  seen.push_back(label_->FontColor());
  label_->MouseLeave();
  seen.push_back(label_->FontColor());
  EXPECT_EQ(seen, (std::vector<Color>{kBlue, kRed, kBlue, kNormal}));
  EXPECT_TRUE(launcher_.opened.empty());
}

TEST_F(URLLabelTest, AReleaseOffTheLabelGivesTheColourBeforeTheEntryAtOnce) {
  label_->SetFontColor(Rgb(10, 20, 30));
  label_->MouseEnter();
  Press();
  Release(false);
  EXPECT_EQ(label_->FontColor(), Rgb(10, 20, 30));
  label_->MouseLeave();
  EXPECT_EQ(label_->FontColor(), Rgb(10, 20, 30));
}

TEST_F(URLLabelTest, EveryPressOfAnyButtonOpensTheCaptionOnce) {
  label_->SetExecutable(true);
  label_->SetHotTrack(false);
  label_->MouseEnter();
  Press(MouseButton::Left);
  Release(true);
  Press(MouseButton::Right);
  Press(MouseButton::Middle);
  EXPECT_EQ(launcher_.opened, std::vector<std::string>(3, "https://zarnik.example/nx/"));
  // Without hot tracking the colour never moves.
  EXPECT_EQ(label_->FontColor(), kNormal);
}

TEST_F(URLLabelTest, HandlersOfTheApplicationRunBeforeTheColourChanges) {
  std::vector<Color> at_handler;
  label_->OnMouseEnter = [&] { at_handler.push_back(label_->FontColor()); };
  label_->OnMouseDown = [&](MouseButton, ShiftState, int, int) { at_handler.push_back(label_->FontColor()); };
  label_->MouseEnter();
  Press();
  EXPECT_EQ(at_handler, (std::vector<Color>{kNormal, kAqua}));
}

TEST_F(URLLabelTest, SettersRepaintOnlyWhenTheValueChanges) {
  const int before = window_->repaints;
  label_->SetHotColor(kAqua);
  label_->SetPushedColor(kRed);
  label_->SetHotTrack(true);
  label_->SetCaption("https://zarnik.example/nx/");
  EXPECT_EQ(window_->repaints, before);
  label_->SetHotColor(kBlue);
  label_->SetPushedColor(kBlue);
  label_->SetHotTrack(false);
  label_->SetCaption("mailto:nx@zarnik.example");
  EXPECT_EQ(window_->repaints, before + 4);
  label_->SetExecutable(true);  // not drawn
  EXPECT_EQ(window_->repaints, before + 4);
}

}  // namespace
}  // namespace zrnx
