// The real Zrnx.exe under Wine with sends that overlap and with windows that
// are slow to answer: the give-back's lock is free as soon as a send has
// settled (while its box is still open), the text an item quotes is the
// user's own and comes back, a quote that cannot be read in time stops the
// send with a box, and only the sibling itself is told, never for long.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "common/scoped_win.h"
#include "sender/clipboard_keep_win.h"
#include "sender/texts.h"
#include "wine/desktop_support.h"

namespace zrnx::test {
namespace {

const UINT kPrivateFormat = RegisterClipboardFormatA("ZrnxTestPrivate");

// What the user had copied: text and a private format of its own.
void CopyUserContent(HWND owner, const char* text) {
  ASSERT_TRUE(WaitUntil([&] { return OpenClipboard(owner) != FALSE; }));
  EmptyClipboard();
  for (UINT format : {static_cast<UINT>(CF_TEXT), kPrivateFormat}) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
    GlobalUnlock(block);
    SetClipboardData(format, block);
  }
  CloseClipboard();
}

std::optional<std::string> ReadPrivateFormat() {
  std::optional<std::string> result;
  if (!OpenClipboard(nullptr)) return result;
  if (HANDLE data = GetClipboardData(kPrivateFormat)) {
    result = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return result;
}

// A target pasted into by message that reads CF_TEXT `delay` milliseconds
// after each paste, as a program busy for a moment would.
class LateReader : public TestWindow {
 public:
  explicit LateReader(DWORD delay) : TestWindow("ZrnxTestLateReader", "reader", true), delay_(delay) {}
  std::vector<std::string> pasted;
  int pastes = 0;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM) override {
    if (message == WM_PASTE) {
      ++pastes;
      SetTimer(Handle(), pastes, delay_, nullptr);
    } else if (message == WM_TIMER) {
      KillTimer(Handle(), wparam);
      if (OpenClipboard(Handle())) {
        HANDLE data = GetClipboardData(CF_TEXT);
        if (const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
          pasted.emplace_back(text);
          GlobalUnlock(data);
        }
        CloseClipboard();
      }
    } else {
      return std::nullopt;
    }
    return 0;
  }

 private:
  DWORD delay_;
};

// A window on a thread of its own that stops in `stall_on` until the test
// lets it go (or a minute passes), then runs `after` with the window.
class StallingWindow {
 public:
  StallingWindow(const char* class_name, const char* title, UINT stall_on,
                 std::function<void(HWND)> setup = {}, std::function<void(HWND)> after = {})
      : stall_on_(stall_on), after_(std::move(after)), release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([=, this] {
      WNDCLASSA window_class{};
      window_class.lpfnWndProc = &Proc;
      window_class.hInstance = GetModuleHandleA(nullptr);
      window_class.lpszClassName = class_name;
      RegisterClassA(&window_class);
      window_ = CreateWindowExA(0, class_name, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                nullptr, window_class.hInstance, nullptr);
      SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      thread_id_ = GetCurrentThreadId();
      if (setup) setup(window_);
      SetEvent(ready);
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      DestroyWindow(window_);
      UnregisterClassA(class_name, window_class.hInstance);
    });
    WaitForSingleObject(ready, kDefaultTimeout);
    CloseHandle(ready);
  }
  ~StallingWindow() {
    Release();
    PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(release_);
  }
  HWND Handle() const { return window_; }
  int stalls() const { return stalls_; }
  void Release() { SetEvent(release_); }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<StallingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || message != self->stall_on_) return DefWindowProcA(window, message, wparam, lparam);
    ++self->stalls_;
    WaitForSingleObject(self->release_, kDefaultTimeout);
    if (self->after_) self->after_(window);
    return 0;
  }

  UINT stall_on_;
  std::function<void(HWND)> after_;
  HANDLE release_;
  std::thread thread_;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
  std::atomic<int> stalls_{0};
};

bool HasVisibleBox(DWORD process_id) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == process_id && IsWindowVisible(w)) return true;
  }
  return false;
}

// A dialog box's own procedure, and the sibling messages it was sent.
WNDPROC dialog_proc = nullptr;
int dialog_told = 0;

LRESULT CALLBACK CountingDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == 0x046E || message == 0x046F) ++dialog_told;
  return CallWindowProcA(dialog_proc, window, message, wparam, lparam);
}

class SenderGiveBackTest : public ::testing::Test {
 protected:
  void SetUp() override { program_ = sandbox_.Copy("Zrnx.exe"); }

  // Starts the sender in paste mode by message, with the clipboard given back.
  std::unique_ptr<Process> StartPaste(const std::string& name, const std::string& text) {
    sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nSendKey_Paste=6\r\nRestoreClipboard=1\r\n");
    return std::make_unique<Process>(Quote(program_) + " /p " + Quote(sandbox_.WriteFile(name, text)), sandbox_.Dir());
  }

  Sandbox sandbox_;
  std::string program_;
  TestWindow owner_{"ZrnxTestOwner", "owner", false};
};

// The lock is the one thing that keeps a second send from reading the first
// one's item; a send that let it go, or ended holding it, holds nobody: a
// send already waiting for it goes on.
TEST(GiveBackLockTest, ALockLetGoOrLeftByAnEndedThreadIsFreeAtOnce) {
  for (const bool lets_go : {true, false}) {
    SCOPED_TRACE(lets_go ? "let go, thread lives on" : "thread ended holding it");
    ScopedHandle taken(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle let_go(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ScopedHandle finish(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
      ScopedOwnedMutex lock = TakeGiveBackLock(0);
      EXPECT_TRUE(lock.Valid());
      SetEvent(taken.Get());
      WaitForSingleObject(let_go.Get(), kDefaultTimeout);
      if (!lets_go) {
        lock.Release();  // as if the process were ended here
        return;
      }
      lock.Reset();
      WaitForSingleObject(finish.Get(), kDefaultTimeout);  // a send busy after its give-back
    });
    WaitForSingleObject(taken.Get(), kDefaultTimeout);
    EXPECT_FALSE(TakeGiveBackLock(0).Valid());
    bool waiter_took = false;
    std::thread waiter([&] { waiter_took = TakeGiveBackLock(5000).Valid(); });
    Sleep(100);  // the waiter is waiting
    SetEvent(let_go.Get());
    waiter.join();
    EXPECT_TRUE(waiter_took);
    SetEvent(finish.Get());
    holder.join();
  }
}

// The second send starts once the first one's item is on the clipboard and
// the target is still about to read it: the second waits for the give-back,
// so both quote the user's text and the user's content is back at the end.
TEST_F(SenderGiveBackTest, TwoOverlappingSendsQuoteTheUsersTextAndGiveItBack) {
  LateReader target(300);
  CopyUserContent(owner_.Handle(), "mine");
  ASSERT_TRUE(target.ComeForward());
  std::unique_ptr<Process> first = StartPaste("first.zrx", "1 %clipboard%");
  ASSERT_TRUE(WaitUntil([&] { return target.pastes == 1; }));
  std::unique_ptr<Process> second = StartPaste("second.zrx", "2 %clipboard%");
  EXPECT_EQ(first->Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(second->Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(FindAnyMessageBox(second->Id()), std::nullopt);
  EXPECT_EQ(target.pasted, (std::vector<std::string>{"1 mine", "2 mine"}));
  EXPECT_EQ(ReadClipboardText(), "mine");
  EXPECT_EQ(ReadPrivateFormat(), "mine");
}

// The first send's box ("may be late") stays open; the second send does not
// wait for it: it keeps what the clipboard holds (the first send's item,
// which stayed) and gives that back after its own paste.
TEST_F(SenderGiveBackTest, AnOpenBoxOfAnEarlierSendHoldsNoLaterSend) {
  CopyUserContent(owner_.Handle(), "mine");
  StallingWindow slow("ZrnxTestSlowPaste", "slow", WM_PASTE);
  ASSERT_TRUE(BringForward(slow.Handle()));
  std::unique_ptr<Process> first = StartPaste("first.txt", "first");
  ASSERT_TRUE(WaitUntil([&] { return HasVisibleBox(first->Id()); }));
  LateReader target(0);
  ASSERT_TRUE(target.ComeForward());
  std::unique_ptr<Process> second = StartPaste("second.txt", "second");
  EXPECT_EQ(second->Wait(), std::optional<DWORD>(0));
  EXPECT_EQ(target.pasted, std::vector<std::string>{"second"});
  EXPECT_EQ(ReadClipboardText(), "first");
  EXPECT_TRUE(HasVisibleBox(first->Id())) << "the first send's box was open throughout";
  slow.Release();
  const std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(kAppTitle), first->Id());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, kPasteMayBeLateText);
  EXPECT_EQ(first->Wait(), std::optional<DWORD>(1));
}

// The clipboard's owner promised text and does not hand it over: the sender
// gives up within its bound, says so, and sends nothing.
TEST_F(SenderGiveBackTest, AQuoteTheOwnerDoesNotHandOverStopsTheSendWithABox) {
  for (const bool restore : {true, false}) {
    SCOPED_TRACE(restore ? "given back" : "not given back");
    const auto promise = [](HWND window) {
      for (int i = 0; i < 500 && !OpenClipboard(window); ++i) Sleep(10);
      EmptyClipboard();
      SetClipboardData(CF_UNICODETEXT, nullptr);
      CloseClipboard();
    };
    const auto render = [](HWND) {
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof L"late");
      std::memcpy(GlobalLock(block), L"late", sizeof L"late");
      GlobalUnlock(block);
      if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    };
    StallingWindow owner("ZrnxTestSlowOwner", "owner", WM_RENDERFORMAT, promise, render);
    LateReader target(0);
    ASSERT_TRUE(target.ComeForward());
    sandbox_.WriteFile("Zrnx.ini", std::string("[Option]\r\nSendKey_Paste=6\r\nRestoreClipboard=") +
                                       (restore ? "1" : "0") + "\r\n");
    Process sender(Quote(program_) + " /p " + Quote(sandbox_.WriteFile("quote.zrx", "re: %clipboard%")),
                   sandbox_.Dir());
    const std::optional<MessageBoxSeen> box = WaitForMessageBox(std::string(kAppTitle), sender.Id(), 20000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, kClipboardUnreadableText);
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(1));
    EXPECT_GE(owner.stalls(), 1);
    EXPECT_EQ(target.pastes, 0);
    owner.Release();
  }
}

// Windows titled like the sibling that cannot be it are never told; a
// sibling that does not answer holds the send only for a moment.
TEST_F(SenderGiveBackTest, OnlyTheSiblingIsToldAndASlowOneHoldsNothing) {
  struct Decoy : TestWindow {
    Decoy() : TestWindow("CabinetWClass", "Zarnik for Windows", true) {}
    int told = 0;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
      if (message != 0x046E && message != 0x046F) return std::nullopt;
      ++told;
      return 0;
    }
  };
  // A dialog box titled so and owned by another window (a box of the
  // sibling's own), watched through its window procedure.
  sandbox_.WriteFile("Zrnx.ini", "[Option]\r\nSendKey_Paste=6\r\n");
  // An owned dialog is passed over; an unowned one may be a program's main window.
  for (const bool owned : {true, false}) {
    SCOPED_TRACE(owned ? "owned dialog" : "unowned dialog");
    dialog_told = 0;
    SiblingRecorder sibling;
    // Made after the sibling, so they lie above it.
    Decoy folder;
    ScopedWindow dialog(CreateWindowExA(0, "#32770", "Zarnik for Windows", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50,
                                        owned ? sibling.Handle() : nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(dialog.Valid());
    dialog_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingDialogProc)));
    LateReader target(0);
    ASSERT_TRUE(target.ComeForward());
    Process sender(Quote(program_) + " /p " + Quote(sandbox_.WriteFile("a.txt", "told")), sandbox_.Dir());
    EXPECT_EQ(sender.Wait(), std::optional<DWORD>(0));
    EXPECT_EQ(folder.told, 0);
    EXPECT_EQ(dialog_told, owned ? 0 : 2);
    EXPECT_EQ(sibling.seen.size(), owned ? 2u : 0u);
  }
  StallingWindow sibling("ZrnxTestSlowSibling", "Zarnik for Windows", 0x046E);
  LateReader target(0);
  ASSERT_TRUE(target.ComeForward());
  Process sender(Quote(program_) + " /p " + Quote(sandbox_.WriteFile("b.txt", "not held")), sandbox_.Dir());
  // Without a bound the sender would wait until the sibling is let go.
  EXPECT_EQ(sender.Wait(20000), std::optional<DWORD>(0));
  EXPECT_GE(sibling.stalls(), 1);
  // Nothing is given back, so the sender need not wait for the read: the
  // target reads once its timer comes round.
  EXPECT_TRUE(WaitUntil([&] { return !target.pasted.empty(); }));
  EXPECT_EQ(target.pasted, std::vector<std::string>{"not held"});
  sibling.Release();
}

}  // namespace
}  // namespace zrnx::test
