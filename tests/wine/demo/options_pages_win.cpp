// zrnx_options_demo: the options editor's five pages, one picture each.
// Starts ZrnxSet.exe (from its own folder) on a settings file of a second
// run, turns the pages as a user would and saves each page as a bitmap.
//
// zrnx_options_demo.exe <output folder>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "wine/options_driver.h"

namespace {

using namespace zrnx::test;

// The window's client area as the screen shows it (the frame is the window
// manager's, and there may be none), as a 24-bit bottom-up BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT rect{};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zrnx_options_demo <output folder>\n");
    return 2;
  }
  Sandbox sandbox;
  // A second run: closing asks nothing.
  sandbox.WriteFile("Zrnx.ini", "[Option]\r\nPasteMode=1\r\n");
  OptionsEditor editor(sandbox);
  if (!editor.WaitForWindow()) {
    std::fprintf(stderr, "the options window did not appear\n");
    return 1;
  }
  const int pages = editor.TabCount();
  int saved = 0;
  for (int page = 0; page < pages; ++page) {
    if (!editor.ShowPage(page)) std::fprintf(stderr, "page %d did not come up\n", page + 1);
    PumpMessages(500);  // let it paint
    const std::string path = std::string(argv[1]) + "\\options-page-" + std::to_string(page + 1) + ".bmp";
    if (SaveWindowPicture(editor.Window(), path)) ++saved;
  }
  std::printf("== %d pages of the options window saved\n", saved);
  std::fflush(stdout);
  editor.CloseBox();
  editor.Wait();
  return saved == pages ? 0 : 1;
}
