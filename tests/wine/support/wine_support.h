#pragma once
// Helpers for the tests that drive the real programs under Wine: a private
// folder with a copy of the program, processes with time limits, message
// boxes, the clipboard. Waiting always pumps this thread's messages, so
// windows the test owns stay responsive.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace zrnx::test {

// Time limits in milliseconds. Waits end as soon as their condition holds,
// so the limits are set for a slow, loaded machine: a fresh prefix's first
// window and a process start under load can each take many seconds.
inline constexpr DWORD kDefaultTimeout = 60000;

// The folder of the running test program; the programs under test are built
// beside it.
std::string BuildDir();

// A fresh folder under the temporary directory, removed with its content
// when the object goes; Copy() puts a built program into it, so each test
// has its own settings file beside its own copy of the program.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::string& Dir() const { return dir_; }
  std::string PathOf(const std::string& name) const { return dir_ + "\\" + name; }

  // Copies BuildDir()\program into the sandbox (as `as`, if given); returns its path.
  std::string Copy(const std::string& program, const std::string& as = "");
  // Writes a file with exactly these bytes; returns its path.
  std::string WriteFile(const std::string& name, const std::string& bytes) const;

 private:
  std::string dir_;
};

// A system code-page text as UTF-16.
std::wstring WideOf(const std::string& text);
// Writes a file named by a wide path with exactly these bytes; false when it cannot.
bool WriteWideFile(const std::wstring& path, const std::string& bytes);

// Reads a whole file; nullopt when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);

// A started process. The destructor ends it if it is still running.
class Process {
 public:
  // Starts `command_line` as given (quote the program path yourself).
  explicit Process(const std::string& command_line, const std::string& current_dir = "");
  // The same through the wide call, for paths no code page holds.
  explicit Process(const std::wstring& command_line, const std::wstring& current_dir = L"");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  // The exit code, or nullopt when it has not ended in time.
  std::optional<DWORD> Wait(DWORD timeout = kDefaultTimeout);

 private:
  PROCESS_INFORMATION info_{};
};

// Quotes one argument for a command line.
std::string Quote(const std::string& arg);

// Runs this thread's message loop for the given time.
void PumpMessages(DWORD duration);

// Pumps messages until `done` answers true or the time is up; the last answer.
template <typename Predicate>
bool WaitUntil(Predicate done, DWORD timeout = kDefaultTimeout) {
  const ULONGLONG end = GetTickCount64() + timeout;
  while (!done()) {
    if (GetTickCount64() >= end) return done();
    PumpMessages(10);
  }
  return true;
}

// Title and text as Shift-JIS bytes (what the programs' constants are), and
// as the box shows them.
struct MessageBoxSeen {
  std::string title;
  std::string text;
  HWND owner = nullptr;
  std::wstring wide_title;
  std::wstring wide_text;
};

// Waits for a top-level dialog box (class #32770) with this title, owned by
// the given process (0: any), reads its text, then presses its default
// button. (The icon cannot be told from another process under Wine: icon
// handles are private to the process that loaded them; the style passed to
// the box is checked by the native tests of the run.) nullopt when none appeared in time.
std::optional<MessageBoxSeen> WaitForMessageBox(const std::string& title, DWORD process_id = 0,
                                                DWORD timeout = kDefaultTimeout);

// The same for a box that asks: reads it and presses the button `button`
// (IDOK, IDCANCEL, IDYES, IDNO); an empty title matches any box of the process.
std::optional<MessageBoxSeen> AnswerMessageBox(const std::string& title, DWORD process_id, int button,
                                               DWORD timeout = kDefaultTimeout);

// Any visible top-level message box of the process, pressed away; used to
// prove that none appeared.
std::optional<MessageBoxSeen> FindAnyMessageBox(DWORD process_id);

// What a shell link file holds, read through the shell link object; nullopt
// when it cannot be loaded.
struct LinkSeen {
  std::string target, work_dir, description;
  std::string arguments, icon_path;
  int icon_index = 0;
  WORD hot_key = 0;
};
std::optional<LinkSeen> ReadShellLink(const std::string& path);
// The same through the wide interface, for paths no code page holds.
struct WideLinkSeen {
  std::wstring target, work_dir;
};
std::optional<WideLinkSeen> ReadWideShellLink(const std::wstring& path);

// The clipboard as CF_TEXT (up to its first 0x00 byte), nullopt when it
// holds no text. SetClipboardText empties it and sets one CF_TEXT item.
std::optional<std::string> ReadClipboardText();
void SetClipboardText(const std::string& text);
// The clipboard's sequence number: it changes with every change of content.
DWORD ClipboardSequence();
// The clipboard as CF_UNICODETEXT, nullopt when it holds none.
std::optional<std::wstring> ReadClipboardUnicode();

// Code page 932 bytes of a UTF-16 text.
std::string ToShiftJis(const std::wstring& text);

// Whether a process of this file name (any letter case) is running; for
// programs started through the shell, which leaves no handle to wait on.
bool ProcessRunning(const char* exe_name);

// The first visible top-level window whose title holds `part`, or nullptr.
HWND FindVisibleWindowTitled(const wchar_t* part);

}  // namespace zrnx::test
