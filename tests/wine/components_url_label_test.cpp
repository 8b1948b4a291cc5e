// TURLLabel in a real window: the mouse is moved and pressed with real
// pointer positions and mouse messages, and the colour is read back from
// the label and from the screen. The shell launch is recorded, not made.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/scoped_win.h"
#include "components/label_win.h"
#include "components/url_label.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

constexpr Color kBlue = Rgb(0, 0, 255);

class RecordingLauncher : public ShellLauncher {
 public:
  void Open(const std::string& file) override { opened.push_back(file); }
  std::vector<std::string> opened;
};

HWND MakeParent() {
  static const ATOM registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.lpszClassName = "ZrnxTestPage";
    return RegisterClassA(&window_class);
  }();
  (void)registered;
  HWND parent = CreateWindowExA(0, "ZrnxTestPage", "Version", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 160,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(parent);
  return parent;
}

class URLLabelWineTest : public ::testing::Test {
 protected:
  URLLabelWineTest() {
    label_ = new TURLLabel(form_.get(), LabelWindowsOn(parent_.Get()), launcher_);
    label_->SetCaption("https://zarnik.example/nx/");
    label_->SetBounds(16, 40, 197, 12);
    label_->SetExecutable(true);
    label_->SetHotColor(kBlue);  // the options window's layout
    window_ = reinterpret_cast<HWND>(label_->WindowHandle());
    UpdateWindow(parent_.Get());
    PumpMessages(100);
  }

  // Puts the pointer at a point of the label's client area (or far off it).
  void PointerAt(int x, int y) {
    POINT point{x, y};
    ClientToScreen(window_, &point);
    SetCursorPos(point.x, point.y);
  }
  void PointerOff() { SetCursorPos(5, 900); }

  void Send(UINT message, WPARAM wparam = 0) { SendMessageA(window_, message, wparam, MAKELPARAM(20, 6)); }

  bool ColourBecomes(Color color) {
    return WaitUntil([&] { return label_->FontColor() == color; }, 5000);
  }

  // Whether any pixel of the label on screen has the colour.
  bool PaintedIn(Color color) {
    UpdateWindow(window_);
    HDC dc = GetDC(window_);
    bool found = false;
    for (int y = 0; y < 12 && !found; ++y) {
      for (int x = 0; x < 197 && !found; ++x) found = GetPixel(dc, x, y) == color;
    }
    ReleaseDC(window_, dc);
    return found;
  }

  ScopedWindow parent_{MakeParent()};
  std::unique_ptr<TComponent> form_ = std::make_unique<TComponent>(nullptr);
  RecordingLauncher launcher_;
  TURLLabel* label_ = nullptr;  // owned by form_
  HWND window_ = nullptr;
  const Color normal_ = GetSysColor(COLOR_WINDOWTEXT);
};

TEST_F(URLLabelWineTest, AClickShowsHotPushedHotAndLeavingRestores) {
  ASSERT_TRUE(IsWindow(window_));
  EXPECT_EQ(label_->FontColor(), normal_);
  EXPECT_TRUE(PaintedIn(normal_));

  PointerAt(20, 6);
  Send(WM_MOUSEMOVE);
  EXPECT_TRUE(ColourBecomes(kBlue));
  EXPECT_TRUE(PaintedIn(kBlue));
  SendMessageA(window_, WM_SETCURSOR, reinterpret_cast<WPARAM>(window_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(label_->FontColor(), kRed);
  EXPECT_TRUE(PaintedIn(kRed));
  EXPECT_EQ(launcher_.opened, std::vector<std::string>{"https://zarnik.example/nx/"});
  EXPECT_EQ(GetCapture(), window_);

  Send(WM_LBUTTONUP);
  EXPECT_EQ(label_->FontColor(), kBlue);
  EXPECT_EQ(GetCapture(), nullptr);

  PointerOff();  // the platform reports the leave
  EXPECT_TRUE(ColourBecomes(normal_));
  EXPECT_TRUE(PaintedIn(normal_));
}

TEST_F(URLLabelWineTest, ReleasingOffTheLabelRestoresAtOnceAndAnyButtonLaunches) {
  PointerAt(20, 6);
  Send(WM_MOUSEMOVE);
  ASSERT_TRUE(ColourBecomes(kBlue));
  Send(WM_RBUTTONDOWN, MK_RBUTTON);
  EXPECT_EQ(label_->FontColor(), kRed);
  PointerOff();
  Send(WM_RBUTTONUP);
  EXPECT_EQ(label_->FontColor(), normal_);
  PumpMessages(300);  // the leave that follows changes nothing
  EXPECT_EQ(label_->FontColor(), normal_);

  // A new visit is tracked again.
  PointerAt(30, 6);
  Send(WM_MOUSEMOVE);
  EXPECT_TRUE(ColourBecomes(kBlue));
  Send(WM_MBUTTONDOWN, MK_MBUTTON);
  Send(WM_MBUTTONUP);
  EXPECT_EQ(launcher_.opened.size(), 2u);
}

// The page may go before the components on it: a label left without its
// window must not repaint every other window instead.
TEST_F(URLLabelWineTest, ALabelWhoseWindowIsGoneRepaintsNoOtherWindow) {
  parent_.Reset();
  ASSERT_FALSE(IsWindow(window_));
  ScopedWindow other{MakeParent()};
  UpdateWindow(other.Get());
  PumpMessages(100);
  ValidateRect(other.Get(), nullptr);
  label_->SetHotColor(Rgb(1, 2, 3));
  label_->MouseEnter();
  EXPECT_FALSE(GetUpdateRect(other.Get(), nullptr, FALSE));
}

TEST_F(URLLabelWineTest, TheWindowGoesWithItsOwner) {
  ASSERT_TRUE(IsWindow(window_));
  form_.reset();
  EXPECT_FALSE(IsWindow(window_));
}

}  // namespace
}  // namespace zrnx::test
