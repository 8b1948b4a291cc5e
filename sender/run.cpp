#include "sender/run.h"

#include <exception>
#include <new>

#include "common/error.h"
#include "common/path.h"
#include "common/settings_file.h"
#include "sender/command_line.h"
#include "common/settings_keys.h"
#include "sender/texts.h"

namespace zrnx {

DateFormats ReadDateFormats(const std::wstring& settings_path, ProfileStore& store) {
  SettingsFile settings(settings_path, store);
  DateFormats formats;
  for (std::size_t i = 0; i < formats.size(); ++i)
    formats[i] = settings.ReadText(kOptionSection, kDateFormatKeys[i], kDefaultDateFormats[i]);
  return formats;
}

namespace {

void SendItem(const WideInvocation& inv, const std::wstring& settings_path, SenderSteps& steps,
              ProfileStore& store) {
  const std::wstring extension = LowerAscii(FileExtension(inv.item_path));

  if (HasWildcard(inv.item_path) || !steps.ItemFileExists(inv.item_path)) {
    steps.ShowMessageWithPath(kItemMissingPathText, inv.item_path, kAppTitle, kBoxError);
    return;
  }

  ItemText text = steps.LoadItemText(inv.item_path, extension);
  if (!text.bytes.empty() && extension == L".zrx")
    text = steps.ExpandDatePlaceholders(text, ReadDateFormats(settings_path, store));

  // Handed over whole: a large text is freed as soon as the clipboard holds it.
  steps.PutTextOnClipboard(std::move(text));

  WindowHandle focus = 0;
  if (inv.mode != SendMode::kClipboardOnly) {
    WindowHandle target = steps.FindTargetWindow();
    if (target != 0 && steps.IsWindow(target)) focus = steps.ActivateTargetWindow(target);
  }

  if (inv.mode == SendMode::kPaste) {
    std::int32_t kind = SettingsFile(settings_path, store).ReadInteger(kOptionSection, kSendKeyPasteKey, 0);
    steps.SendPasteKey(kind, focus);
  }
}

}  // namespace

bool HasWildcard(std::wstring_view path) { return path.find_first_of(L"*?") != std::wstring_view::npos; }

int RunSender(std::wstring_view command_line, const std::wstring& settings_path, SenderSteps& steps,
              ProfileStore& store) {
  try {
    steps.PrepareDateNames();
    const WideInvocation inv = ParseInvocation(SplitCommandLine(command_line));
    switch (inv.action) {
      case WideInvocation::Action::kAbout:
        steps.ShowMessage(kAboutText, kAboutTitle, kBoxInformation);
        break;
      case WideInvocation::Action::kUsageError:
        steps.ShowMessage(kUsageText, kAppTitle, kBoxError);
        break;
      case WideInvocation::Action::kSend:
        SendItem(inv, settings_path, steps, store);
        break;
    }
    return 0;
  } catch (const std::bad_alloc&) {
    steps.ShowMessage(kOutOfMemoryText, kApplicationErrorTitle, kBoxTaskModal | kBoxError);
  } catch (const Error& e) {
    if (e.HasPath())
      steps.ShowMessageWithPath(e.Pattern(), e.Path(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
    else if (e.HasSystemValue())
      steps.ShowMessageWithValue(e.Pattern(), e.SystemValue(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
    else
      steps.ShowMessage(e.what(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
  } catch (const std::exception& e) {
    steps.ShowMessage(e.what(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
  }
  return 1;
}

}  // namespace zrnx
