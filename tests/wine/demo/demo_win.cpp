// zrnx_demo: the item sender's main job on a desktop. Starts Notepad, sends
// each given item into it with "Zrnx.exe /p", and prints what Notepad then
// holds (as UTF-8, for the terminal), keeping it open a few seconds more.
//
// zrnx_demo.exe <folder of Zrnx.exe> <item>...

#include <windows.h>

#include <cstdio>
#include <string>

#include "wine/desktop_support.h"

namespace {

using namespace zrnx::test;

std::string ToUtf8(const std::string& ansi) {
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string utf8(m, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), m, nullptr, nullptr);
  // The terminal wants plain line ends.
  std::string out;
  for (char c : utf8)
    if (c != '\r') out += c;
  return out;
}

// Waits until Notepad's text has stopped changing for a moment.
std::string SettledText(const Notepad& notepad, const std::string& before) {
  std::string text = notepad.Text();
  WaitUntil([&] { return (text = notepad.Text()) != before; }, 5000);
  for (std::string last; last != text;) {
    last = text;
    PumpMessages(300);
    text = notepad.Text();
  }
  return text;
}

int Demo(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: zrnx_demo <folder of Zrnx.exe> <item>...\n");
    return 2;
  }
  const std::string sender = std::string(argv[1]) + "\\Zrnx.exe";
  Notepad notepad;
  MoveWindow(notepad.Window(), 40, 40, 900, 500, TRUE);
  std::string text;
  for (int i = 2; i < argc; ++i) {
    if (!notepad.ComeForward()) std::fprintf(stderr, "Notepad did not come to the front\n");
    std::printf("== Zrnx.exe /p %s\n", ToUtf8(argv[i]).c_str());
    std::fflush(stdout);
    Process run(Quote(sender) + " /p " + Quote(argv[i]));
    std::optional<DWORD> code = run.Wait(30000);
    if (code != 0u) {
      std::printf("   Zrnx.exe ended with %s\n", code ? std::to_string(*code).c_str() : "a time-out");
      return 1;
    }
    text = SettledText(notepad, text);
  }
  std::printf("== Notepad now holds:\n%s\n== end\n", ToUtf8(text).c_str());
  std::fflush(stdout);
  // Notepad stays a moment for a screenshot (tools/demo takes one on "== end").
  PumpMessages(3000);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Demo(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zrnx_demo: %s\n", e.what());
    return 1;
  }
}
