// The real Zrnx.exe under Wine with windows the user cannot switch to above
// the target, and with targets that cannot take the paste: one that hands
// the foreground away when activated, and one that stops answering.

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "sender/texts.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

class SenderWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = sandbox_.Copy("Zrnx.exe");
    SetClipboardText("before");
  }

  void WriteSettings(const std::string& lines) { sandbox_.WriteFile("Zrnx.ini", lines); }

  std::string Item(const std::string& text) { return sandbox_.WriteFile("item.txt", text); }

  // Runs the sender in paste mode; expects it to end with no box.
  void Paste(const std::string& item) {
    Process sender(Quote(program_) + " /p " + Quote(item), sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
    EXPECT_FALSE(FindAnyMessageBox(sender.Id()).has_value());
  }

  // Runs the sender in paste mode; expects the box saying the text is on the
  // clipboard and exit code 1. The box's text.
  std::string PasteRefused(const std::string& item) {
    Process sender(Quote(program_) + " /p " + Quote(item), sandbox_.Dir());
    std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(kAppTitle), sender.Id());
    EXPECT_TRUE(box.has_value());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(1));
    if (!box) return "";
    EXPECT_EQ(box->owner, nullptr);
    return box->text;
  }

  Sandbox sandbox_;
  std::string program_;
};

TEST_F(SenderWalkTest, WindowsTheUserCannotSwitchToArePassedOverAboveTheTarget) {
  struct Case {
    const char* class_name;
    DWORD ex_style;
    bool passed_over;
  };
  const Case cases[] = {
      {"ZrnxTestTool", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, true},
      {"ZrnxTestNoActivate", WS_EX_TOPMOST | WS_EX_NOACTIVATE, true},
      {"Shell_SecondaryTrayWnd", WS_EX_TOPMOST, true},
      // The same place taken by a window the user can switch to: it gets the paste.
      {"ZrnxTestAppTool", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, false},
      {"ZrnxTestTopmost", WS_EX_TOPMOST, false},
  };
  Notepad notepad;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.class_name);
    notepad.Clear();
    ASSERT_TRUE(notepad.ComeForward());
    KeyRecorder above(c.class_name, c.ex_style);
    SetWindowPos(above.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpMessages(50);
    const std::string text = std::string("over ") + c.class_name;
    Paste(Item(text));
    if (c.passed_over) {
      EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == text; }, kDefaultTimeout)) << notepad.Text();
      EXPECT_TRUE(above.events.empty());
    } else {
      EXPECT_TRUE(WaitUntil([&] { return above.events.size() == 4; }, kDefaultTimeout));
      EXPECT_EQ(notepad.Text(), "");
    }
  }
}

// Hands the foreground to another window whenever it is activated, once
// the activation is over.
class ForegroundRefuser : public KeyRecorder {
 public:
  ForegroundRefuser() : KeyRecorder("ZrnxTestRefuser") {}
  HWND hand_to = nullptr;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_ACTIVATE && LOWORD(wparam) != WA_INACTIVE && hand_to) PostMessageA(Handle(), kHandOver, 0, 0);
    if (message == kHandOver) {
      SetForegroundWindow(hand_to);
      SetFocus(hand_to);
      return 0;
    }
    return KeyRecorder::OnMessage(message, wparam, lparam);
  }

 private:
  static constexpr UINT kHandOver = WM_APP + 1;
};

// Keys would go to the window in front, so none are typed; the paste message
// reaches the target's focus control wherever the window stands.
TEST_F(SenderWalkTest, ATargetThatCannotBeBroughtToTheFrontGetsNoKeysButThePasteMessage) {
  for (const int kind : {0, 6}) {
    SCOPED_TRACE(kind);
    WriteSettings("[Option]\r\nSendKey_Paste=" + std::to_string(kind) + "\r\n");
    // In front but never a target, so that the target is activated anew.
    KeyRecorder other("TApplication");
    ForegroundRefuser target;
    ASSERT_TRUE(target.ComeForward());
    ASSERT_TRUE(other.ComeForward());
    target.hand_to = other.Handle();
    if (kind == 0) {
      EXPECT_EQ(PasteRefused(Item("by hand")), kPasteNotDeliveredText);
      PumpMessages(300);
      EXPECT_TRUE(target.events.empty());
    } else {
      Paste(Item("by hand"));
      EXPECT_EQ(target.events, std::vector<std::string>{"paste"});
    }
    EXPECT_TRUE(other.events.empty());
    EXPECT_EQ(ReadClipboardText(), "by hand");
  }
}

// A window on a thread of its own that stops answering once it is asked to
// paste, or when told to, until the test lets it go.
class HangingWindow {
 public:
  HangingWindow() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, kDefaultTimeout);
    CloseHandle(ready);
  }
  ~HangingWindow() {
    SetEvent(release_);
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(release_);
  }
  HWND Handle() const { return window_; }
  bool asked() const { return asked_; }
  void Hang() const { PostMessageA(window_, kHang, 0, 0); }

 private:
  static constexpr UINT kHang = WM_APP + 2;

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kHang) {
      auto* self = reinterpret_cast<HangingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      WaitForSingleObject(self->release_, kDefaultTimeout);
      return 0;
    }
    if (message == WM_PASTE) {
      auto* self = reinterpret_cast<HangingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      self->asked_ = true;
      WaitForSingleObject(self->release_, kDefaultTimeout);
      return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

  void Run(HANDLE ready) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZrnxTestHanging";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "hanging", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    thread_id_ = GetCurrentThreadId();
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(window_);
  }

  HANDLE release_;
  std::thread thread_;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
  volatile bool asked_ = false;
};

// Still in the paste message when the wait ends: it may yet paste, and the
// box says so rather than that nothing was pasted.
TEST_F(SenderWalkTest, ATargetThatHangsInThePasteMessageDoesNotHoldTheSender) {
  WriteSettings("[Option]\r\nSendKey_Paste=6\r\n");
  HangingWindow target;
  ASSERT_TRUE(BringForward(target.Handle()));
  EXPECT_EQ(PasteRefused(Item("hung")), kPasteMayBeLateText);
  EXPECT_TRUE(target.asked());
  EXPECT_EQ(ReadClipboardText(), "hung");
}

TEST_F(SenderWalkTest, ATargetThatStoppedAnsweringIsNotBroughtForward) {
  HangingWindow target;
  ASSERT_TRUE(BringForward(target.Handle()));
  target.Hang();
  ASSERT_TRUE(WaitUntil([&] { return IsHungAppWindow(target.Handle()) != FALSE; }, kDefaultTimeout));
  EXPECT_EQ(PasteRefused(Item("stuck")), kPasteNotDeliveredText);
  EXPECT_EQ(ReadClipboardText(), "stuck");
}

}  // namespace
}  // namespace zrnx::test
