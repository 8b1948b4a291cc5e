#include "sender/run.h"

#include <exception>
#include <new>

#include "common/error.h"
#include "common/path.h"
#include "common/settings_file.h"
#include "sender/command_line.h"
#include "sender/item_fill.h"
#include "sender/paste_guard.h"
#include "sender/paste_keys.h"
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

std::string_view RefusalText(PasteRefusal refusal) {
  // A window gone or not in front: the plain "not pasted" box.
  return refusal == PasteRefusal::kAboveOwnLevel ? kPasteElevatedText : kPasteNotDeliveredText;
}

// How a send ended: its exit code, and the box that says why the text was
// not pasted (none when empty). The box waits until the clipboard is settled,
// so that no other send is held for as long as it stays open.
struct Delivery {
  int exit_code = 0;
  std::string_view box;
};

Delivery Refused(std::string_view box) { return {1, box}; }

// The item's text to the clipboard and, in paste mode, into the target.
Delivery DeliverItem(const WideInvocation& inv, const std::wstring& settings_path, SenderSteps& steps,
                     ProfileStore& store) {
  const std::wstring extension = LowerAscii(FileExtension(inv.item_path));
  ItemText text = steps.LoadItemText(inv.item_path, extension);
  CaretPlacement caret;
  std::optional<WindowHandle> asked_over;
  if (!text.bytes.empty() && extension == L".zrx") {
    std::optional<ExpandedItem> expanded = ExpandItem(std::move(text), ReadDateFormats(settings_path, store), steps,
                                                      inv.mode != SendMode::kClipboardOnly);
    if (!expanded) return {kExitCancelled, {}};
    if (expanded->clipboard_unreadable) return Refused(kClipboardUnreadableText);
    text = std::move(expanded->text);
    caret = expanded->caret;
    asked_over = expanded->asked_over;
  }

  // In copy and clipboard-only mode the item on the clipboard is what the user asked for.
  // Another send still busy past the bound may have its item on the
  // clipboard: then nothing is kept rather than that.
  const bool give_back = inv.mode == SendMode::kPaste &&
                         SettingsFile(settings_path, store).ReadFlag(kOptionSection, kRestoreClipboardKey, false) &&
                         steps.LockClipboard();
  if (give_back) steps.KeepClipboard();

  // Handed over whole: a large text is freed as soon as the clipboard holds it.
  steps.PutTextOnClipboard(std::move(text));

  WindowHandle target = 0;
  WindowHandle focus = 0;
  bool hung = false;
  if (inv.mode != SendMode::kClipboardOnly) {
    target = asked_over ? *asked_over : steps.FindTargetWindow();
    if (target != 0 && steps.IsWindow(target)) {
      // Bringing forward a window that stopped answering would hold the
      // sender with it.
      hung = steps.IsHung(target);
      if (!hung) focus = steps.ActivateTargetWindow(target);
    } else if (target != 0 && asked_over && inv.mode == SendMode::kPaste) {
      // Closed while the user answered: another window is no stand-in for it.
      return Refused(kTargetClosedText);
    } else {
      target = 0;
    }
  }
  if (inv.mode != SendMode::kPaste) return {};

  std::int32_t kind = SettingsFile(settings_path, store).ReadInteger(kOptionSection, kSendKeyPasteKey, 0);
  if (hung && kind >= 0 && kind <= kPasteByMessage) return Refused(kPasteNotDeliveredText);
  steps.WaitBeforePaste(kind);
  // Checked at the last moment: the user may have switched windows while
  // still holding a modifier.
  if (target != 0 && DeliversPaste(kind, focus)) {
    const PasteRefusal refusal = CheckPasteTarget(target, kind == kPasteByMessage, steps);
    if (refusal != PasteRefusal::kNone) return Refused(RefusalText(refusal));
  }
  // Keys follow keys in the input queue; a paste message leaves the caret alone.
  const bool places_caret = caret.Moves() && !PasteKeySequence(kind).empty();
  if (places_caret) steps.PrepareCaretPlacement();
  const PasteDelivery delivery = steps.SendPasteKey(kind, focus);
  if (delivery != PasteDelivery::kDelivered)
    return Refused(delivery == PasteDelivery::kMaybeLate ? kPasteMayBeLateText : kPasteNotDeliveredText);
  if (places_caret) steps.MoveCaretBack(caret);
  // What comes of the give-back is the clipboard's business: the paste is done.
  if (give_back) steps.GiveClipboardBack();
  return {};
}

int SendItem(const WideInvocation& inv, const std::wstring& settings_path, SenderSteps& steps,
             ProfileStore& store) {
  if (HasWildcard(inv.item_path) || !steps.ItemFileExists(inv.item_path)) {
    steps.ShowMessageWithPath(kItemMissingPathText, inv.item_path, kAppTitle, kBoxError);
    return 0;
  }
  Delivery delivery;
  try {
    delivery = DeliverItem(inv, settings_path, steps, store);
  } catch (...) {
    // The error's box too waits for no lock of ours.
    steps.SettleClipboard();
    throw;
  }
  // The item's promise is kept and the lock let go before anything else may
  // take time or wait for the user.
  steps.SettleClipboard();
  if (!delivery.box.empty()) steps.ShowMessage(delivery.box, kAppTitle, kBoxWarning);

  // The text is delivered, or left on the clipboard with a box; a Start menu
  // that cannot be kept is no failure of the send.
  try {
    steps.KeepItemShortcuts(inv.item_path);
  } catch (...) {
  }
  return delivery.exit_code;
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
        return SendItem(inv, settings_path, steps, store);
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
