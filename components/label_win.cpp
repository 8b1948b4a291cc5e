#include "components/label_win.h"

#include <exception>

#include "common/error.h"
#include "common/error_box_win.h"
#include "common/scoped_win.h"

namespace zrnx {
namespace {

constexpr char kLabelClass[] = "ZrnxLabel";
constexpr std::string_view kCannotCreateLabel = "ﾗﾍﾞﾙのｳｨﾝﾄﾞｳを作成できません";

class Win32LabelWindow final : public LabelWindow {
 public:
  Win32LabelWindow(HWND parent, TLabel& label) : label_(label) {
    static const ATOM registered = Register();
    (void)registered;
    window_.Reset(CreateWindowExA(0, kLabelClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                                  GetModuleHandleA(nullptr), this));
    if (!window_) throw Error(std::string(kCannotCreateLabel));
  }

  // A null window would mean every window on the desktop.
  void Repaint() override {
    if (window_) InvalidateRect(window_.Get(), nullptr, TRUE);
  }

  void SetBounds(int left, int top, int width, int height) override {
    MoveWindow(window_.Get(), left, top, width, height, TRUE);
  }

  bool CursorInside() override {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window_.Get(), &point);
    RECT client{};
    GetClientRect(window_.Get(), &client);
    return PtInRect(&client, point) != FALSE;
  }

  Color SystemTextColor() override { return GetSysColor(COLOR_WINDOWTEXT); }

  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(window_.Get()); }

 private:
  static ATOM Register() {
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kLabelClass;  // no cursor, no brush: both are the label's
    return RegisterClassA(&window_class);
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Win32LabelWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32LabelWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wparam, lparam);
    try {
      return self->Handle(window, message, wparam, lparam);
    } catch (const std::exception& error) {
      // A handler of the application failed; no exception crosses the system.
      ShowErrorBox(error, "Zarnik NX");
      return 0;
    }
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const int x = static_cast<short>(LOWORD(lparam)), y = static_cast<short>(HIWORD(lparam));
    switch (message) {
      case WM_NCDESTROY:
        // Gone with its parent: nothing left to destroy.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_.Release();
        break;
      case WM_ERASEBKGND:
        EraseBackground(window, reinterpret_cast<HDC>(wparam));
        return 1;
      case WM_PAINT:
        Paint(window);
        return 0;
      case WM_SETCURSOR:
        if (LOWORD(lparam) != HTCLIENT) break;
        SetCursor(LoadCursor(nullptr, label_.Cursor() == crHandPoint ? IDC_HAND : IDC_ARROW));
        return TRUE;
      case WM_MOUSEMOVE:
        if (!tracking_) {
          tracking_ = true;
          TrackLeave(window);
          label_.MouseEnter();
        }
        return 0;
      case WM_MOUSELEAVE:
        tracking_ = false;
        label_.MouseLeave();
        return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        SetCapture(window);
        label_.MouseDown(ButtonOf(message), static_cast<ShiftState>(wparam), x, y);
        return 0;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        if (GetCapture() == window && !(wparam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
          ReleaseCapture();
          // Leave tracking is suspended while the mouse is held: ask again,
          // so a pointer that is already off the label is seen leaving.
          if (tracking_) TrackLeave(window);
        }
        label_.MouseUp(ButtonOf(message), static_cast<ShiftState>(wparam), x, y);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

  static MouseButton ButtonOf(UINT message) {
    switch (message) {
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        return MouseButton::Right;
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
        return MouseButton::Middle;
      default:
        return MouseButton::Left;
    }
  }

  static void TrackLeave(HWND window) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
  }

  // The parent's background, as it gives it to a static control.
  static void EraseBackground(HWND window, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(window)));
    if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
  }

  void Paint(HWND window) {
    ScopedPaint paint(window);
    const HDC dc = paint.Get();
    RECT client{};
    GetClientRect(window, &client);
    auto font = reinterpret_cast<HFONT>(SendMessageA(GetParent(window), WM_GETFONT, 0, 0));
    ScopedSelect selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label_.FontColor());
    // Addresses may hold '&': no accelerator prefixes.
    const std::string& caption = label_.Caption();
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &client,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
  }

  TLabel& label_;
  bool tracking_ = false;
  ScopedWindow window_;
};

}  // namespace

LabelWindowFactory LabelWindowsOn(HWND parent) {
  return [parent](TLabel& label) -> std::unique_ptr<LabelWindow> {
    return std::make_unique<Win32LabelWindow>(parent, label);
  };
}

}  // namespace zrnx
