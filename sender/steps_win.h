#pragma once
// The run's steps on the real platform.

#include <memory>
#include <optional>
#include <string>

#include "common/error.h"
#include "sender/caret_place_win.h"
#include "sender/clipboard_keep_win.h"
#include "sender/locale_date_info.h"
#include "sender/locale_win.h"
#include "sender/run.h"

namespace zrnx {

class Win32SenderSteps final : public SenderSteps {
 public:
  explicit Win32SenderSteps(std::wstring settings_path) : settings_path_(std::move(settings_path)) {}

  void PrepareDateNames() override;
  void ShowMessage(std::string_view text, std::string_view title, unsigned style) override;
  void ShowMessageWithValue(std::string_view pattern, std::string_view system_value, std::string_view title,
                            unsigned style) override;
  void ShowMessageWithPath(std::string_view pattern, std::wstring_view path, std::string_view title,
                           unsigned style) override;
  bool ItemFileExists(const std::wstring& path) override;
  ItemText LoadItemText(const std::wstring& path, const std::wstring& extension) override;
  ItemText ExpandDatePlaceholders(const ItemText& text, const DateFormats& formats) override;
  void PutTextOnClipboard(ItemText text) override;
  WindowHandle FindTargetWindow() override;
  bool IsWindow(WindowHandle window) override;
  bool IsHung(WindowHandle window) override;
  WindowHandle ActivateTargetWindow(WindowHandle window) override;
  void WaitBeforePaste(std::int32_t kind) override;
  PasteDelivery SendPasteKey(std::int32_t kind, WindowHandle focus) override;
  WindowHandle ForegroundWindow() override;
  WindowHandle RootOwner(WindowHandle window) override;
  std::optional<std::uint32_t> OwnIntegrityLevel() override;
  std::optional<std::uint32_t> IntegrityLevel(WindowHandle window) override;
  bool LockClipboard() override;
  void KeepClipboard() override;
  GiveBackOutcome GiveClipboardBack() override;
  void SettleClipboard() override;
  void KeepItemShortcuts(const std::wstring& item_path) override;
  ItemText DecodeItemText(const ItemText& text) override;
  std::optional<std::string> ReadClipboardText() override;
  std::optional<std::vector<std::string>> AskQuestions(const std::vector<std::string>& labels,
                                                       std::size_t unshown) override;
  void PrepareCaretPlacement() override;
  void MoveCaretBack(const CaretPlacement& caret) override;

 private:
  std::wstring settings_path_;
  LocaleDateInfo date_locale_;
  Win32EraSource eras_;
  Win32Clock clock_;
  // From the clipboard's first read to the settled give-back: the lock that
  // keeps other sends waiting (released after the keeper); only while the
  // clipboard is to be given back: the owner of the item's promise and what
  // it replaced.
  ScopedOwnedMutex give_back_lock_;
  std::unique_ptr<Win32ClipboardKeeper> keeper_;
  std::optional<KeptClipboard> kept_;
  WindowHandle target_ = 0;
  // The target's focus control, when the caret is placed in it by message.
  std::optional<NotedControl> caret_control_;
};

}  // namespace zrnx
