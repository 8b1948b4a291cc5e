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

DateFormats ReadDateFormats(const std::string& settings_path, ProfileStore& store) {
  SettingsFile settings(settings_path, store);
  DateFormats formats;
  for (std::size_t i = 0; i < formats.size(); ++i)
    formats[i] = settings.ReadText(kOptionSection, kDateFormatKeys[i], kDefaultDateFormats[i]);
  return formats;
}

namespace {

void SendItem(const Invocation& inv, const std::string& settings_path, SenderSteps& steps, ProfileStore& store) {
  const std::string extension = LowerAscii(FileExtension(inv.item_path));

  if (HasWildcard(inv.item_path) || !steps.ItemFileExists(inv.item_path)) {
    steps.ShowMessage(kItemMissingText, kAppTitle, kBoxError);
    return;
  }

  ItemText text = steps.LoadItemText(inv.item_path, extension);
  if (!text.bytes.empty() && extension == ".zrx")
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

  // The text is delivered; a Start menu that cannot be kept is no failure of the send.
  try {
    steps.KeepItemShortcuts(inv.item_path);
  } catch (...) {
  }
}

}  // namespace

bool HasWildcard(std::string_view path) {
  // Neither byte can be the second byte of a Shift-JIS character.
  return path.find_first_of("*?") != std::string_view::npos;
}

int RunSender(std::string_view command_line, const std::string& settings_path, SenderSteps& steps,
              ProfileStore& store) {
  try {
    steps.PrepareDateNames();
    const Invocation inv = ParseInvocation(SplitCommandLine(command_line));
    switch (inv.action) {
      case Invocation::Action::kAbout:
        steps.ShowMessage(kAboutText, kAboutTitle, kBoxInformation);
        break;
      case Invocation::Action::kUsageError:
        steps.ShowMessage(kUsageText, kAppTitle, kBoxError);
        break;
      case Invocation::Action::kSend:
        SendItem(inv, settings_path, steps, store);
        break;
    }
    return 0;
  } catch (const std::bad_alloc&) {
    steps.ShowMessage(kOutOfMemoryText, kApplicationErrorTitle, kBoxTaskModal | kBoxError);
  } catch (const Error& e) {
    if (e.HasSystemValue())
      steps.ShowMessageWithValue(e.Pattern(), e.SystemValue(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
    else
      steps.ShowMessage(e.what(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
  } catch (const std::exception& e) {
    steps.ShowMessage(e.what(), kApplicationErrorTitle, kBoxTaskModal | kBoxError);
  }
  return 1;
}

}  // namespace zrnx
