#pragma once
// Windows of the test's own for the runs of the item sender on the desktop:
// the sibling that records the two messages with the clipboard it saw, a
// window that records the keys and paste messages it receives, Notepad.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "wine/support/wine_support.h"

namespace zrnx::test {

// A plain top-level window of this thread with its own class; the messages
// it receives go to OnMessage.
class TestWindow {
 public:
  TestWindow(const std::string& class_name, const std::string& title, bool visible, DWORD ex_style = 0);
  virtual ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }
  // Brings the window to the front and gives it the focus; false if that did not happen.
  bool ComeForward();

 protected:
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  HWND window_ = nullptr;
};

// The hidden window titled "Zarnik for Windows". For each of the item
// sender's two messages it notes the clipboard's text at that moment
// (nullopt: no text; "<held>": the clipboard could not be opened).
class SiblingRecorder : public TestWindow {
 public:
  SiblingRecorder() : TestWindow("ZrnxTestSibling", "Zarnik for Windows", false) {}
  struct Seen {
    UINT message;
    std::optional<std::string> clipboard;
  };
  std::vector<Seen> seen;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// A visible window that notes each key message as "vk/scan" with " up" for a
// release and " ext" for an extended key, and WM_PASTE as "paste".
class KeyRecorder : public TestWindow {
 public:
  explicit KeyRecorder(const std::string& class_name = "ZrnxTestKeys", DWORD ex_style = 0)
      : TestWindow(class_name, "keys", true, ex_style) {}
  std::vector<std::string> events;

 protected:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// "vk/scan" for a key event as KeyRecorder notes it, scan code from the layout.
std::string KeyEventText(BYTE vk, bool release, bool zero_scan = false);

// Wine's Notepad, started and waited for; ended with the object.
class Notepad {
 public:
  Notepad();
  HWND Window() const { return window_; }
  HWND Edit() const { return edit_; }
  std::string Text() const;
  std::wstring WideText() const;
  void Clear() const;
  bool ComeForward() const;

 private:
  Process process_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

// Makes `window` the foreground window, waiting until the system agrees.
bool BringForward(HWND window);

}  // namespace zrnx::test
