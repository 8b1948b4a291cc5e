#include "wine/support/wine_support.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <stdexcept>

#include <gtest/gtest.h>

#include "common/scoped_win.h"

namespace zrnx::test {

std::string BuildDir() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of('\\'));
}

Sandbox::Sandbox() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static unsigned counter = 0;
  for (;;) {
    std::string candidate = std::string(temp) + "zrnx-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++counter);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      dir_ = candidate;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + candidate);
  }
}

Sandbox::~Sandbox() {
  // SHFileOperation wants a list ended by two zero bytes.
  std::string from = dir_ + std::string(2, '\0');
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
}

std::string Sandbox::Copy(const std::string& program, const std::string& as) {
  std::string target = PathOf(as.empty() ? program : as);
  std::string source = BuildDir() + "\\" + program;
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) throw std::runtime_error("cannot copy " + source);
  return target;
}

std::string Sandbox::WriteFile(const std::string& name, const std::string& bytes) const {
  std::string path = PathOf(name);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  BOOL ok = bytes.empty() || ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + path);
  return path;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

std::string Quote(const std::string& arg) { return "\"" + arg + "\""; }

Process::Process(const std::string& command_line, const std::string& current_dir) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = command_line;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      current_dir.empty() ? nullptr : current_dir.c_str(), &startup, &info_))
    throw std::runtime_error("cannot start " + command_line);
}

Process::Process(const std::wstring& command_line, const std::wstring& current_dir) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring line = command_line;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      current_dir.empty() ? nullptr : current_dir.c_str(), &startup, &info_))
    throw std::runtime_error("cannot start a wide command line");
}

std::wstring WideOf(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

bool WriteWideFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() || ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

Process::~Process() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

std::optional<DWORD> Process::Wait(DWORD timeout) {
  bool ended = WaitUntil([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeout);
  if (!ended) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void PumpMessages(DWORD duration) {
  const ULONGLONG end = GetTickCount64() + duration;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

namespace {

std::wstring WideWindowText(HWND window) {
  wchar_t text[4096] = {};
  int n = GetWindowTextW(window, text, 4096);
  return std::wstring(text, n > 0 ? n : 0);
}

// Box texts as the program's own Shift-JIS bytes, whatever the system's code page.
std::string WindowText(HWND window) { return ToShiftJis(WideWindowText(window)); }

struct BoxSearch {
  const std::string* title;  // null: any title
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (std::string(class_name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (search->process_id != 0 && pid != search->process_id) return TRUE;
  if (search->title && !search->title->empty() && WindowText(window) != *search->title) return TRUE;
  search->found = window;
  return FALSE;
}

MessageBoxSeen ReadBox(HWND box) {
  MessageBoxSeen seen;
  seen.wide_title = WideWindowText(box);
  seen.wide_text = WideWindowText(GetDlgItem(box, 0xFFFF));
  seen.title = ToShiftJis(seen.wide_title);
  seen.text = ToShiftJis(seen.wide_text);
  seen.owner = GetWindow(box, GW_OWNER);
  return seen;
}

void PressButton(HWND box, HWND button) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

MessageBoxSeen ReadAndDismiss(HWND box) {
  MessageBoxSeen seen = ReadBox(box);
  // The boxes of the programs have one button: OK (or the default one).
  HWND button = GetDlgItem(box, IDOK);
  if (!button) button = GetDlgItem(box, IDCANCEL);
  if (button) {
    PressButton(box, button);
  } else {
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
  return seen;
}

HWND WaitForBox(const std::string& title, DWORD process_id, DWORD timeout) {
  BoxSearch search{&title, process_id, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeout);
  return search.found;
}

}  // namespace

std::optional<MessageBoxSeen> WaitForMessageBox(const std::string& title, DWORD process_id, DWORD timeout) {
  HWND box = WaitForBox(title, process_id, timeout);
  if (!box) return std::nullopt;
  return ReadAndDismiss(box);
}

std::optional<MessageBoxSeen> AnswerMessageBox(const std::string& title, DWORD process_id, int button,
                                               DWORD timeout) {
  HWND box = WaitForBox(title, process_id, timeout);
  if (!box) return std::nullopt;
  MessageBoxSeen seen = ReadBox(box);
  HWND control = GetDlgItem(box, button);
  EXPECT_NE(control, nullptr) << "the box has no button " << button;
  if (control) PressButton(box, control);
  // Gone before the caller goes on.
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
  return seen;
}

std::optional<MessageBoxSeen> FindAnyMessageBox(DWORD process_id) {
  BoxSearch search{nullptr, process_id, nullptr};
  EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return std::nullopt;
  return ReadAndDismiss(search.found);
}

namespace {

// Another program may hold the clipboard for a moment: try for a while.
bool OpenClipboardPatiently() {
  return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000);
}

}  // namespace

std::optional<std::string> ReadClipboardText() {
  if (!OpenClipboardPatiently()) throw std::runtime_error("cannot open the clipboard");
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      SIZE_T size = GlobalSize(data);
      std::string_view view(bytes, size);
      text = std::string(view.substr(0, view.find('\0')));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  if (!OpenClipboardPatiently()) throw std::runtime_error("cannot open the clipboard");
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  CloseClipboard();
}

std::optional<std::wstring> ReadClipboardUnicode() {
  if (!OpenClipboardPatiently()) throw std::runtime_error("cannot open the clipboard");
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      std::wstring_view view(units, GlobalSize(data) / sizeof(wchar_t));
      text = std::wstring(view.substr(0, view.find(L'\0')));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::string ToShiftJis(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

DWORD ClipboardSequence() { return GetClipboardSequenceNumber(); }

std::optional<LinkSeen> ReadShellLink(const std::string& path) {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.Put()))) ||
      FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) {
    return std::nullopt;
  }
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READ))) return std::nullopt;
  char target[MAX_PATH] = {}, work_dir[MAX_PATH] = {}, description[INFOTIPSIZE] = {};
  link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetWorkingDirectory(work_dir, MAX_PATH);
  link->GetDescription(description, INFOTIPSIZE);
  char arguments[INFOTIPSIZE] = {}, icon_path[MAX_PATH] = {};
  int icon_index = 0;
  link->GetArguments(arguments, INFOTIPSIZE);
  link->GetIconLocation(icon_path, MAX_PATH, &icon_index);
  WORD hot_key = 0;
  link->GetHotkey(&hot_key);
  return LinkSeen{target, work_dir, description, arguments, icon_path, icon_index, hot_key};
}

std::optional<WideLinkSeen> ReadWideShellLink(const std::wstring& path) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(link.Put()))) ||
      FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) ||
      FAILED(file->Load(path.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  wchar_t target[MAX_PATH] = {}, work_dir[MAX_PATH] = {};
  link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetWorkingDirectory(work_dir, MAX_PATH);
  return WideLinkSeen{target, work_dir};
}

bool ProcessRunning(const char* exe_name) {
  ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, exe_name) == 0) return true;
  }
  return false;
}

namespace {

struct TitleSearch {
  const wchar_t* part;
  HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  wchar_t title[512] = {};
  GetWindowTextW(window, title, 512);
  if (!IsWindowVisible(window) || !wcsstr(title, search->part)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindVisibleWindowTitled(const wchar_t* part) {
  TitleSearch search{part, nullptr};
  EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace zrnx::test
