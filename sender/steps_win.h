#pragma once
// The run's steps on the real platform.

#include <string>

#include "common/error.h"
#include "sender/locale_date_info.h"
#include "sender/locale_win.h"
#include "sender/run.h"

namespace zrnx {

class Win32SenderSteps final : public SenderSteps {
 public:
  explicit Win32SenderSteps(std::string settings_path) : settings_path_(std::move(settings_path)) {}

  void PrepareDateNames() override;
  void ShowMessage(std::string_view text, std::string_view title, unsigned style) override;
  void ShowMessageWithValue(std::string_view pattern, std::string_view system_value, std::string_view title,
                            unsigned style) override;
  bool ItemFileExists(const std::string& path) override;
  ItemText LoadItemText(const std::string& path, const std::string& extension) override;
  ItemText ExpandDatePlaceholders(const ItemText& text, const DateFormats& formats) override;
  void PutTextOnClipboard(ItemText text) override;
  WindowHandle FindTargetWindow() override;
  bool IsWindow(WindowHandle window) override;
  WindowHandle ActivateTargetWindow(WindowHandle window) override;
  void SendPasteKey(std::int32_t kind, WindowHandle focus) override;
  void KeepItemShortcuts(const std::string& item_path) override;

 private:
  std::string settings_path_;
  LocaleDateInfo date_locale_;
  Win32EraSource eras_;
  Win32Clock clock_;
};

}  // namespace zrnx
