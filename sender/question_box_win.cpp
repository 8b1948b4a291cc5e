#include <windows.h>

#include <string>

#include "common/wide_text_win.h"
#include "sender/grapheme.h"
#include "sender/question_box_win.h"
#include "sender/texts.h"

namespace zrnx {
namespace {

// Layout in dialog units, which follow the dialog's font and so the DPI.
constexpr short kMargin = 7;
constexpr short kWidth = 230;
constexpr short kLabelHeight = 8;
constexpr short kEditHeight = 14;
constexpr short kQuestionStep = 28;
constexpr short kNoteHeight = 18;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr int kFirstEdit = 100;
// A longer label is shown cut; the whole of it still names the question.
constexpr std::size_t kShownLabelLength = 100;

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// An extended dialog template (DLGTEMPLATEEX and DLGITEMTEMPLATEEX, which no
// header declares) written word by word.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, short height, WORD items) {
    Word(1);  // dlgVer
    Word(0xFFFF);
    Dword(0);  // helpID
    Dword(0);  // exStyle
    Dword(DS_SHELLFONT | DS_MODALFRAME | DS_SETFOREGROUND | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    Word(items);
    Word(0), Word(0), Word(static_cast<WORD>(kWidth)), Word(static_cast<WORD>(height));
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(title.c_str());
    Word(9);    // point size
    Word(FW_NORMAL);
    Word(0x0100);  // not italic; DEFAULT_CHARSET
    Text(L"MS Shell Dlg");
  }

  void Item(WORD window_class, DWORD style, short x, short y, short cx, short cy, int id, const wchar_t* text) {
    if (words_.size() % 2) Word(0);  // DWORD-aligned
    Dword(0);  // helpID
    Dword(0);  // exStyle
    Dword(style | WS_CHILD | WS_VISIBLE);
    Word(static_cast<WORD>(x)), Word(static_cast<WORD>(y)), Word(static_cast<WORD>(cx)), Word(static_cast<WORD>(cy));
    Dword(static_cast<DWORD>(id));
    Word(0xFFFF), Word(window_class);
    Text(text);
    Word(0);  // no creation data
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(static_cast<wchar_t>(w)); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const wchar_t* text) { words_.append(text, static_cast<std::size_t>(lstrlenW(text)) + 1); }

  // A wide string is a buffer of 16-bit units; a template is far longer than
  // what the string keeps inside itself, so its block is on the heap and
  // aligned for DWORDs.
  std::wstring words_;
};

struct BoxState {
  std::size_t questions = 0;
  std::vector<std::string> answers;  // UTF-8
};

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(box, DWLP_USER, lparam);
      // Started from the Start menu or a hot key, the sender may bring its
      // window forward; the user's window gets the focus back when it closes.
      SetForegroundWindow(box);
      return TRUE;  // the first edit box gets the focus
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id != IDOK && id != IDCANCEL) return FALSE;
      if (id == IDOK) {
        auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER));
        for (std::size_t i = 0; i < state->questions; ++i) {
          HWND edit = GetDlgItem(box, kFirstEdit + static_cast<int>(i));
          std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
          text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
          state->answers.push_back(Narrow(text, CP_UTF8));
        }
      }
      EndDialog(box, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// The box alone runs per-monitor aware (v2): the dialog manager then lays it
// out, fonts included, at the DPI of the monitor it opens on and again when
// it is moved to another (Windows 10 1703 and later). Elsewhere the call is
// missing or refuses the context, and the system scales the box as before.
class PerMonitorDpiForBox {
 public:
  PerMonitorDpiForBox() {
    set_ = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (set_) previous_ = set_(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
  }
  ~PerMonitorDpiForBox() {
    if (set_ && previous_) set_(previous_);
  }
  PerMonitorDpiForBox(const PerMonitorDpiForBox&) = delete;
  PerMonitorDpiForBox& operator=(const PerMonitorDpiForBox&) = delete;

 private:
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  SetContext set_ = nullptr;
  HANDLE previous_ = nullptr;
};

std::wstring ShownLabel(const std::string& utf8_label) {
  if (utf8_label.empty()) return OwnText(kUnnamedQuestion);
  const std::wstring label = Widen(utf8_label, CP_UTF8);
  if (label.size() <= kShownLabelLength) return label;
  // Cut between characters as the user sees them, never inside a pair or an emoji.
  const std::u16string_view units(reinterpret_cast<const char16_t*>(label.data()), label.size());
  return label.substr(0, KeptLength(units, kShownLabelLength - 1, SystemGraphemeRules())) + L"\x2026";
}

}  // namespace

std::optional<std::vector<std::string>> AskInQuestionBox(const std::vector<std::string>& labels,
                                                         std::size_t unshown) {
  const short note = unshown ? kNoteHeight + 4 : 0;
  const short buttons_top = static_cast<short>(kMargin + kQuestionStep * static_cast<short>(labels.size()) + note);
  const short height = static_cast<short>(buttons_top + kButtonHeight + kMargin);
  const WORD items = static_cast<WORD>(2 * labels.size() + (unshown ? 1 : 0) + 2);
  DialogTemplate dialog(OwnText(kAppTitle), height, items);
  const short inner = kWidth - 2 * kMargin;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const short top = static_cast<short>(kMargin + kQuestionStep * static_cast<short>(i));
    // No prefix: an "&" in a label is shown, not taken for an access key.
    dialog.Item(kStaticClass, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kMargin, top, inner, kLabelHeight, -1,
                ShownLabel(labels[i]).c_str());
    dialog.Item(kEditClass, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kMargin,
                static_cast<short>(top + kLabelHeight + 2), inner, kEditHeight, kFirstEdit + static_cast<int>(i),
                L"");
  }
  if (unshown) {
    // user32's formatter: the C library's wide printf would add to the program.
    wchar_t text[256];
    wsprintfW(text, OwnText(kQuestionsLeftOutText).c_str(), static_cast<unsigned long>(unshown));
    dialog.Item(kStaticClass, SS_LEFT | SS_NOPREFIX, kMargin, static_cast<short>(buttons_top - note), inner,
                kNoteHeight, -1, text);
  }
  const short cancel_left = kWidth - kMargin - kButtonWidth;
  dialog.Item(kButtonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, static_cast<short>(cancel_left - 4 - kButtonWidth),
              buttons_top, kButtonWidth, kButtonHeight, IDOK, L"OK");
  dialog.Item(kButtonClass, BS_PUSHBUTTON | WS_TABSTOP, cancel_left, buttons_top, kButtonWidth, kButtonHeight,
              IDCANCEL, OwnText(kQuestionCancel).c_str());

  BoxState state;
  state.questions = labels.size();
  const PerMonitorDpiForBox dpi;
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, BoxProc,
                                                 reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return std::move(state.answers);
}

}  // namespace zrnx
