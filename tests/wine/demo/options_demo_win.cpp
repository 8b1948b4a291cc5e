// zrnx_options_demo: shows each page of the real options window in turn for
// a screenshot. Notepad runs, so the list of shown windows has a row, and the
// settings file holds a short through-window list.
//
// zrnx_options_demo.exe <folder of ZrnxSet.exe> <flag folder>
// For each page it prints "== shot N LEFT TOP WIDTH HEIGHT" (the client
// area on the screen) and waits until the file shot-N appears in the flag folder.

#include <windows.h>

#include <cstdio>
#include <string>

#include "wine/desktop_support.h"
#include "wine/options_driver.h"

namespace {

using namespace zrnx::test;

bool WaitForFlag(const std::string& path) {
  return WaitUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}

int Demo(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: zrnx_options_demo <folder of ZrnxSet.exe> <flag folder>\n");
    return 2;
  }
  const std::string flags = argv[2];
  Notepad notepad;
  Sandbox sandbox;
  sandbox.Copy("ZrnxSet.exe");
  // A few items for the items page (the editor is cancelled: no shortcut is written).
  CreateDirectoryA(sandbox.PathOf("menu").c_str(), nullptr);
  CreateDirectoryA(sandbox.PathOf("menu\\社内").c_str(), nullptr);
  for (const char* item : {"挨拶.zrx", "署名.zrx", "住所.txt", "社内\\日報.zrx", "社内\\週報.zrx", "site.url"}) {
    sandbox.WriteFile(std::string("menu\\") + item, "x");
  }
  sandbox.WriteFile("Zrnx.ini",
                    "[Option]\r\nPasteMode=1\r\nNew=1\r\nSendKey_Paste=0\r\nData=" + sandbox.PathOf("menu") + "\r\n"
                    "[ThroughWindow]\r\nItemCount=2\r\nItemName0=Terminal\r\nClassName0=ConsoleWindowClass\r\n"
                    "ItemName1=Explorer\r\nClassName1=CabinetWClass\r\n");
  OptionsEditor editor(sandbox);
  if (!editor.WaitForWindow()) {
    std::fprintf(stderr, "the options window did not come\n");
    return 1;
  }
  // The client area: without a window manager Wine leaves the title bar unpainted.
  auto shoot = [&](const std::string& name) {
    SetCursorPos(0, 0);  // no hover colour on the links
    PumpMessages(300);
    RECT rect{};
    GetClientRect(editor.Window(), &rect);
    MapWindowPoints(editor.Window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("== shot %s %ld %ld %ld %ld\n", name.c_str(), rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    std::fflush(stdout);
    if (!WaitForFlag(flags + "\\shot-" + name)) std::fprintf(stderr, "no screenshot taken\n");
  };
  for (int page = 0; page < 6; ++page) {
    if (!editor.ShowPage(page)) std::fprintf(stderr, "page %d did not come\n", page + 1);
    if (page == kItems) {
      WaitUntil([&] { return editor.RowCount(zrnx::ctl::ListView3) > 0; }, 20000);
      editor.SelectRow(zrnx::ctl::ListView3, 0);
      editor.Click(zrnx::ctl::HotKey1);
      editor.PressChord({VK_CONTROL, VK_MENU, 'A'});
    }
    shoot(std::to_string(page + 1));
  }
  // The items page once more, as on a monitor of 150 %: the window is told
  // the new DPI as Windows tells it when it is moved there.
  if (!editor.ShowPage(kItems)) std::fprintf(stderr, "the items page did not come\n");
  RECT window{}, client{};
  GetWindowRect(editor.Window(), &window);
  GetClientRect(editor.Window(), &client);
  const RECT suggested{window.left, window.top, window.right + client.right / 2, window.bottom + client.bottom / 2};
  RemoteMemory memory(editor.Proc().Handle(), sizeof suggested);
  memory.Write(&suggested, sizeof suggested);
  SendMessageW(editor.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), memory.At());
  shoot("5-144dpi");
  editor.Click(zrnx::ctl::Button2);
  editor.Wait(10000);
  std::printf("== end\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SetProcessDPIAware();
  try {
    return Demo(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "demo failed: %s\n", e.what());
    return 1;
  }
}
