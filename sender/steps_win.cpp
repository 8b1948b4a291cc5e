#include <windows.h>

#include "common/path.h"
#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "common/settings_keys.h"
#include "components/item_shortcuts.h"
#include "sender/date_format.h"
#include "sender/desktop_win.h"
#include "sender/item_files_win.h"
#include "sender/caret_place_win.h"
#include "sender/clipboard_text_win.h"
#include "sender/placeholders.h"
#include "sender/question_box_win.h"
#include "sender/steps_win.h"

#include "common/wide_text_win.h"
#include "sender/wide_text_win.h"

namespace zrnx {

void Win32SenderSteps::PrepareDateNames() {
  Win32LocaleSource locale;
  date_locale_ = ReadLocaleDateInfo(locale);
}

void Win32SenderSteps::ShowMessage(std::string_view text, std::string_view title, unsigned style) {
  ShowBox(text, std::nullopt, title, style);
}

void Win32SenderSteps::ShowMessageWithValue(std::string_view pattern, std::string_view system_value,
                                            std::string_view title, unsigned style) {
  ShowBox(pattern, system_value, title, style);
}

void Win32SenderSteps::ShowMessageWithPath(std::string_view pattern, std::wstring_view path, std::string_view title,
                                           unsigned style) {
  ShowBoxWithPath(pattern, path, title, style);
}

bool Win32SenderSteps::ItemFileExists(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  ScopedFind find(FindFirstFileW(path.c_str(), &data));
  if (!find) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // An entry whose write time has no local MS-DOS form does not count.
  FILETIME local{};
  WORD dos_date = 0, dos_time = 0;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &dos_date, &dos_time);
}

ItemText Win32SenderSteps::LoadItemText(const std::wstring& path, const std::wstring& extension) {
  Win32ItemFileSystem files;
  return zrnx::LoadItemText(path, extension, files, DefaultProfileStore());
}

ItemText Win32SenderSteps::ExpandDatePlaceholders(const ItemText& text, const DateFormats& formats) {
  return zrnx::ExpandDatePlaceholders(text, formats, DateFormatter(date_locale_, eras_, clock_), Win32CodePageDecoder());
}

void Win32SenderSteps::PutTextOnClipboard(ItemText text) {
  if (keeper_) {
    zrnx::PutTextOnClipboard(std::move(text), keeper_->Writer());
    keeper_->ItemWritten();
    return;
  }
  Win32ClipboardPort clipboard;
  zrnx::PutTextOnClipboard(std::move(text), clipboard);
}

WindowHandle Win32SenderSteps::FindTargetWindow() { return zrnx::FindTargetWindow(settings_path_); }

bool Win32SenderSteps::IsWindow(WindowHandle window) {
  return ::IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

bool Win32SenderSteps::IsHung(WindowHandle window) {
  return IsHungAppWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

WindowHandle Win32SenderSteps::ActivateTargetWindow(WindowHandle window) {
  target_ = window;
  return zrnx::ActivateTargetWindow(window);
}

void Win32SenderSteps::WaitBeforePaste(std::int32_t kind) {
  Win32KeyboardPort keyboard(keeper_ != nullptr);
  zrnx::WaitBeforePaste(kind, keyboard);
}

PasteDelivery Win32SenderSteps::SendPasteKey(std::int32_t kind, WindowHandle focus) {
  Win32KeyboardPort keyboard;
  // The paste message is read while it is being sent: the target's reads count from before it.
  if (keeper_) keeper_->PasteKeyGoesOut(reinterpret_cast<HWND>(target_));
  return zrnx::DeliverPaste(kind, focus, keyboard);
}

WindowHandle Win32SenderSteps::ForegroundWindow() { return reinterpret_cast<WindowHandle>(GetForegroundWindow()); }

WindowHandle Win32SenderSteps::RootOwner(WindowHandle window) {
  return reinterpret_cast<WindowHandle>(GetAncestor(reinterpret_cast<HWND>(window), GA_ROOTOWNER));
}

std::optional<std::uint32_t> Win32SenderSteps::OwnIntegrityLevel() { return ProcessIntegrityLevel(GetCurrentProcess()); }

std::optional<std::uint32_t> Win32SenderSteps::IntegrityLevel(WindowHandle window) {
  return WindowIntegrityLevel(window);
}

}  // namespace zrnx

namespace zrnx {

bool Win32SenderSteps::LockClipboard() {
  if (!give_back_lock_) give_back_lock_ = TakeGiveBackLock(kGiveBackLockLimit);
  return static_cast<bool>(give_back_lock_);
}

void Win32SenderSteps::KeepClipboard() {
  // Only under the lock: an earlier send's item may be on the clipboard.
  if (!give_back_lock_) return;
  keeper_ = std::make_unique<Win32ClipboardKeeper>();
  if (keeper_->Ready()) kept_ = zrnx::KeepClipboard(*keeper_);
  // Nothing kept, nothing to give back: the item is written as without the option.
  if (!kept_) SettleClipboard();
}

GiveBackOutcome Win32SenderSteps::GiveClipboardBack() {
  if (!keeper_ || !kept_) return GiveBackOutcome::kNothingKept;
  const GiveBackOutcome outcome = zrnx::GiveClipboardBack(std::move(*kept_), target_ != 0, *keeper_);
  kept_.reset();
  return outcome;
}

void Win32SenderSteps::SettleClipboard() {
  kept_.reset();
  keeper_.reset();  // hands over what is still promised
  give_back_lock_.Reset();  // released, not only closed: the next send goes on now
}

// How long a send may spend keeping the Start-menu group in step.
constexpr ULONGLONG kShortcutSyncBudgetMs = 2000;

namespace {

// The path with every short (8.3) name made long; as it is when that fails.
std::wstring LongPath(const std::wstring& path) {
  std::wstring long_path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD n = GetLongPathNameW(path.c_str(), long_path.data(), static_cast<DWORD>(long_path.size()));
    if (n == 0) return path;
    if (n < long_path.size()) {
      long_path.resize(n);
      return long_path;
    }
    long_path.resize(n);
  }
  return path;
}

}  // namespace

void Win32SenderSteps::KeepItemShortcuts(const std::wstring& item_path) {
  // Quiet by design: the user asked for a paste, not for the Start menu.
  try {
    // The shortcuts name their items in the code page, as Data does; an item
    // it cannot hold gets none, and the listing leaves such names out too.
    Win32ItemFileSystem files;
    // An item opened by its short (8.3) name still lies in the menu folder.
    const std::wstring long_item = LongPath(files.FullPath(item_path));
    // The item as it lies below Data, spelt as Data is. A default Data holds
    // short names where the profile's folder does not fit the code page, and
    // the item may be opened by its long name: both are compared long.
    auto item_below = [&](const std::string& menu_folder) -> std::optional<std::string> {
      if (FitsCodePage(long_item) && InMenuFolder(DataBytes(long_item), menu_folder)) return DataBytes(long_item);
      const std::optional<std::wstring> relative =
          RelativeBelow(long_item, LongPath(files.FullPath(DataText(menu_folder))));
      if (!relative || !FitsCodePage(*relative)) return std::nullopt;
      return PathInFolder(menu_folder, DataBytes(*relative));
    };
    ShortcutTarget sender;
    sender.wide_sender_path = ThisModulePath();
    sender.sender_path = DataBytes(sender.wide_sender_path);
    ShellLinkApi& links = DefaultShellLinkApi();
    // The shell is asked for the Start Menu only when Data is missing.
    std::optional<ShortcutTarget> target =
        ShortcutsToKeepAfterSend(SettingsFile(settings_path_), item_below, sender.sender_path, [&] {
          const std::string start_menu = links.SpecialFolderPath(kSpecialFolders[scStartMenu].csidl).value_or("");
          return start_menu.empty() ? std::string() : start_menu + std::string(kDefaultMenuFolderName);
        });
    if (!target) return;
    target->wide_sender_path = std::move(sender.wide_sender_path);
    target->use_stamps = true;
    ItemShortcuts shortcuts(links, DefaultItemShortcutFiles());
    // The paste is done; still, the process ends within about two seconds.
    // What is left is the next send's, as is a sync another sender holds.
    const ULONGLONG start = GetTickCount64();
    shortcuts.out_of_time = [start] { return GetTickCount64() - start > kShortcutSyncBudgetMs; };
    RunLockedSync(0, [&] { shortcuts.Update(*target, true); });
  } catch (...) {
  }
}

}  // namespace zrnx

namespace zrnx {

ItemText Win32SenderSteps::DecodeItemText(const ItemText& text) {
  if (text.encoding != TextEncoding::kCodePage) return text;
  return {Utf16ToUtf8(Win32CodePageDecoder().ToUtf16(text.bytes)), TextEncoding::kUtf8};
}

std::optional<std::string> Win32SenderSteps::ReadClipboardText() { return ReadClipboardUnicodeText(kClipboardReadLimit); }

std::optional<std::vector<std::string>> Win32SenderSteps::AskQuestions(const std::vector<std::string>& labels,
                                                                       std::size_t unshown) {
  return AskInQuestionBox(labels, unshown);
}

void Win32SenderSteps::PrepareCaretPlacement() {
  caret_control_ = target_ != 0 ? NoteFocusControl(target_) : std::nullopt;
}

void Win32SenderSteps::MoveCaretBack(const CaretPlacement& caret) {
  if (caret_control_ && PlaceCaretInControl(*caret_control_, caret)) return;
  Win32KeyboardPort keyboard;
  zrnx::MoveCaretBack(caret.presses, keyboard);
}

}  // namespace zrnx
