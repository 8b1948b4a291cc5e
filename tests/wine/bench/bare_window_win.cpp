// zrnx_bare_window: the yardstick of tools/bench-options-start. A window of
// the options window's kind and nothing else: fixed 402 x 353 client area,
// the same face, a tab control of five pages and 40 controls on it, common
// controls 6; it reads no settings and asks the shell nothing.

#include <windows.h>
#include <commctrl.h>

namespace {

constexpr wchar_t kClass[] = L"ZrnxBareWindow";

int Scale(int value) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(value, dpi, 96);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, HFONT font) {
  HWND child = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, Scale(x), Scale(y), Scale(w), Scale(h),
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  WNDCLASSW window_class{};  // NOLINT
  window_class.lpfnWndProc = Proc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClass;
  RegisterClassW(&window_class);

  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scale(402), Scale(353)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClass, L"Bare window", style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                                width, height, nullptr, nullptr, instance, nullptr);
  HFONT font = CreateFontW(-Scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                           L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
  Child(window, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 240, 320, 73, 25, font);
  Child(window, L"BUTTON", L"Cancel", WS_TABSTOP, 320, 320, 73, 25, font);
  HWND tabs = Child(window, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 8, 8, 385, 305, font);
  const wchar_t* pages[] = {L"General", L"Date", L"Key", L"Windows", L"Version"};
  for (int i = 0; i < 5; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(pages[i]);
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  // The first page's kind of controls, then ten rows of label and edit box,
  // two list views with their buttons: 40 in all with the three above.
  Child(window, L"BUTTON", L"Group", BS_GROUPBOX, 16, 36, 361, 97, font);
  for (int i = 0; i < 4; ++i) Child(window, L"BUTTON", L"Check box", BS_AUTOCHECKBOX | WS_TABSTOP, 24, 52 + 16 * i, 200, 17, font);
  Child(window, L"BUTTON", L"Group", BS_GROUPBOX, 16, 140, 361, 57, font);
  Child(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP, 24, 162, 305, 20, font);
  Child(window, L"BUTTON", L"...", 0, 328, 162, 25, 20, font);
  for (int i = 0; i < 10; ++i) {
    Child(window, L"STATIC", L"%d0% :", 0, 24, 205 + 9 * i, 30, 12, font);
    Child(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP, 64, 205 + 9 * i, 289, 9, font);
  }
  Child(window, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP, 24, 36, 177, 120, font);
  Child(window, L"BUTTON", L"Windows", WS_TABSTOP, 216, 36, 137, 23, font);
  for (int i = 0; i < 2; ++i) {
    HWND list = Child(window, WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER, 24, 60 + 70 * i, 289, 60, font);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = Scale(150);
    column.pszText = const_cast<wchar_t*>(L"Name");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    Child(window, L"BUTTON", L"Button", WS_TABSTOP, 320, 60 + 70 * i, 49, 25, font);
    Child(window, L"BUTTON", L"Button", WS_TABSTOP, 320, 90 + 70 * i, 49, 25, font);
  }
  for (int i = 0; i < 3; ++i) Child(window, L"STATIC", L"Label", 0, 24, 200 + 14 * i, 160, 12, font);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DeleteObject(font);
  return 0;
}
