#include "options/shortcut_progress_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "common/wide_text_win.h"

namespace zrnx {
namespace {

constexpr ULONGLONG kQuietMs = 1000;  // short writes show nothing
constexpr std::string_view kWritingTitle = "スタートメニューのショートカットを作成しています";

class ProgressWindow {
 public:
  explicit ProgressWindow(HWND owner) : owner_(owner), start_(GetTickCount64()) {}
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;
  ~ProgressWindow() { Close(); }

  void Tell(std::size_t done, std::size_t total) {
    if (done >= total) {
      Close();
      return;
    }
    if (!window_ && GetTickCount64() - start_ < kQuietMs) return;
    if (!window_ && !Open()) return;
    SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    const std::wstring count = std::to_wstring(done) + L" / " + std::to_wstring(total);
    SetWindowTextW(label_, count.c_str());
    // Painted between links: the editor's own loop is not running.
    MSG message;
    while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    UpdateWindow(window_);
  }

 private:
  bool Open() {
    const int width = 360, height = 110;
    RECT area{};
    if (!owner_ || !GetWindowRect(owner_, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = (area.left + area.right - width) / 2, y = (area.top + area.bottom - height) / 2;
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, L"#32770", OwnText(kWritingTitle).c_str(),
                              WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, width, height, owner_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 12, 12, width - 30, 20, window_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 12, 40, width - 30, 20, window_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return true;
  }

  void Close() {
    if (window_) DestroyWindow(window_);
    window_ = bar_ = label_ = nullptr;
  }

  HWND owner_;
  ULONGLONG start_;
  HWND window_ = nullptr, bar_ = nullptr, label_ = nullptr;
};

}  // namespace

std::function<void(std::size_t, std::size_t)> ShortcutProgress(HWND owner) {
  auto window = std::make_shared<ProgressWindow>(owner);
  return [window](std::size_t done, std::size_t total) { window->Tell(done, total); };
}

}  // namespace zrnx
