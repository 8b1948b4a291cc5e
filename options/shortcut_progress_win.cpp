#include "options/shortcut_progress_win.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>

#include "common/scoped_win.h"
#include "common/wide_text_win.h"
#include "options/dpi_win.h"

namespace zrnx {
namespace {

constexpr ULONGLONG kQuietMs = 1000;  // short syncs show nothing
constexpr std::string_view kReadingTitle = "スタートメニューのショートカットを読み込んでいます";
constexpr std::string_view kWritingTitle = "スタートメニューのショートカットを作成しています";

// The client area and the two controls at 96 DPI.
constexpr int kClientWidth = 336, kClientHeight = 72;
constexpr RECT kBar{12, 12, 324, 32};
constexpr RECT kCount{12, 40, 324, 60};
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;

enum class Phase { kReading, kWriting };

int SystemDpi() {
  ScopedGetDC screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

class ProgressWindow {
 public:
  explicit ProgressWindow(HWND owner) : owner_(owner), start_(GetTickCount64()) {}
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;
  ~ProgressWindow() { Close(); }

  void Tell(Phase phase, std::size_t done, std::size_t total) {
    // The last link written ends the sync; a group read in full is followed
    // by the writes, or by nothing, when the calls go.
    if (phase == Phase::kWriting && done >= total) {
      Close();
      return;
    }
    if (!window_ && GetTickCount64() - start_ < kQuietMs) return;
    if (!window_ && !Open()) return;
    if (phase != phase_) {
      phase_ = phase;
      SetWindowTextW(window_, OwnText(phase == Phase::kReading ? kReadingTitle : kWritingTitle).c_str());
    }
    SendMessageW(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    const std::wstring count = std::to_wstring(done) + L" / " + std::to_wstring(total);
    SetWindowTextW(count_, count.c_str());
    // Painted between links: the editor's own loop is not running.
    MSG message;
    while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    UpdateWindow(window_);
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_DPICHANGED && self) {
      // Moved to a monitor of another DPI: the rectangle Windows suggests,
      // then the controls and the font for that DPI.
      const RECT& suggested = *reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      self->Place(LOWORD(wparam));
      return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }

  static RECT Frame(int dpi) {
    RECT frame{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
    AdjustFrameForDpi(frame, kStyle, kExStyle, dpi);
    return frame;
  }

  bool Open() {
    static const bool registered = [] {
      WNDCLASSW window_class{};
      window_class.lpfnWndProc = Proc;
      window_class.hInstance = GetModuleHandleW(nullptr);
      window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
      window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      window_class.lpszClassName = kShortcutProgressClass;
      return RegisterClassW(&window_class) != 0;
    }();
    if (!registered) return false;
    const INITCOMMONCONTROLSEX progress_class{sizeof progress_class, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&progress_class);
    // Made at the owner's DPI, over its centre (or the work area's).
    const int dpi = owner_ ? WindowDpi(owner_) : SystemDpi();
    RECT area{};
    if (!owner_ || !GetWindowRect(owner_, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const RECT frame = Frame(dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    window_ = CreateWindowExW(kExStyle, kShortcutProgressClass, L"", kStyle, (area.left + area.right - width) / 2,
                              (area.top + area.bottom - height) / 2, width, height, owner_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    count_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0, window_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    // The monitor it landed on decides, where that is not the owner's.
    const int placed = WindowDpi(window_);
    if (placed != dpi) {
      const RECT wanted = Frame(placed);
      SetWindowPos(window_, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Place(placed);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    return true;
  }

  // The controls and the message font at `dpi`.
  void Place(int dpi) {
    auto scaled = [dpi](const RECT& rect) {
      return RECT{MulDiv(rect.left, dpi, 96), MulDiv(rect.top, dpi, 96), MulDiv(rect.right, dpi, 96),
                  MulDiv(rect.bottom, dpi, 96)};
    };
    for (const auto& [control, design] : {std::pair{bar_, kBar}, std::pair{count_, kCount}}) {
      const RECT rect = scaled(design);
      SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW face{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      face = metrics.lfMessageFont;
      face.lfHeight = MulDiv(face.lfHeight, dpi, SystemDpi());  // given at the system's DPI
    } else {
      face.lfHeight = -MulDiv(12, dpi, 96);
    }
    // The old font goes once the label has the new one.
    ScopedFont old = std::move(font_);
    font_.Reset(CreateFontIndirectW(&face));
    SendMessageW(count_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  }

  void Close() {
    if (window_) DestroyWindow(window_);
    window_ = bar_ = count_ = nullptr;
  }

  HWND owner_;
  ULONGLONG start_;
  HWND window_ = nullptr, bar_ = nullptr, count_ = nullptr;
  std::optional<Phase> phase_;
  ScopedFont font_;
};

}  // namespace

ShortcutProgressCalls ShortcutProgress(HWND owner) {
  auto window = std::make_shared<ProgressWindow>(owner);
  return {[window](std::size_t done, std::size_t total) { window->Tell(Phase::kReading, done, total); },
          [window](std::size_t done, std::size_t total) { window->Tell(Phase::kWriting, done, total); }};
}

}  // namespace zrnx
