// Another program on the clipboard, for the tests of the give-back. It
// listens for clipboard changes and writes one line per change to the report
// file named on its command line:
//   marks <exclude 0|1> <history value|-> <cloud value|-> text <CF_TEXT|->
// "greedy" reads the text of every change, as careless watchers do (so the
// data is rendered before any target asks); "polite" reads only content not
// marked for exclusion. "ready" is the first line.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

FILE* g_report = nullptr;
bool g_greedy = false;

std::string DwordOf(UINT format) {
  if (!IsClipboardFormatAvailable(format)) return "-";
  HANDLE data = GetClipboardData(format);
  const DWORD* value = data && GlobalSize(data) >= sizeof(DWORD) ? static_cast<const DWORD*>(GlobalLock(data)) : nullptr;
  if (!value) return "?";
  const std::string text = std::to_string(*value);
  GlobalUnlock(data);
  return text;
}

std::string TextOf(UINT format) {
  HANDLE data = GetClipboardData(format);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (!text) return "-";
  std::string copy(text, strnlen(text, GlobalSize(data)));
  GlobalUnlock(data);
  return copy;
}

void Note(HWND window) {
  const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  const UINT cloud = RegisterClipboardFormatA("CanUploadToCloudClipboard");
  for (int attempt = 0; attempt < 100 && !OpenClipboard(window); ++attempt) Sleep(10);
  const bool excluded = IsClipboardFormatAvailable(exclude) != FALSE;
  std::string line = std::string("marks ") + (excluded ? "1 " : "0 ") + DwordOf(history) + " " + DwordOf(cloud);
  std::string text = "-";
  if (g_greedy || !excluded) {
    GetClipboardData(CF_UNICODETEXT);  // renders it too, as a careless watcher would
    text = TextOf(CF_TEXT);
  }
  CloseClipboard();
  std::fprintf(g_report, "%s text %s\n", line.c_str(), text.c_str());
  std::fflush(g_report);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLIPBOARDUPDATE) {
    Note(window);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  std::string args = command_line;
  const std::size_t space = args.find(' ');
  if (space == std::string::npos) return 2;
  g_greedy = args.substr(0, space) == "greedy";
  g_report = std::fopen(args.substr(space + 1).c_str(), "w");
  if (!g_report) return 2;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = Proc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "ZrnxTestClipWatcher";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "ZrnxTestClipWatcher", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window || !AddClipboardFormatListener(window)) return 3;
  std::fputs("ready\n", g_report);
  std::fflush(g_report);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
