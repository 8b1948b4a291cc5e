#include "sender/item_fill.h"

#include "sender/item_fields.h"

namespace zrnx {

bool MayHoldFields(std::string_view text) {
  for (std::string_view name : {"%cursor%", "%clipboard%", "%input"})
    if (text.find(name) != std::string_view::npos) return true;
  return false;
}

std::optional<ExpandedItem> ExpandItem(ItemText text, const DateFormats& formats, SenderSteps& steps,
                                       bool wants_target) {
  ItemFields fields;
  if (MayHoldFields(text.bytes)) fields = ScanItemFields(text.bytes);
  if (fields.Empty()) return ExpandedItem{steps.ExpandDatePlaceholders(text, formats), {}, false, std::nullopt};

  const bool asks = !fields.labels.empty();
  const bool quotes = fields.Uses(FieldKind::kClipboard);
  if ((asks || quotes) && text.encoding == TextEncoding::kCodePage) {
    // Tokens and labels' ends are ASCII, which no Shift-JIS trail byte is,
    // so the fields are found alike in the decoded text.
    text = steps.DecodeItemText(text);
    fields = ScanItemFields(text.bytes);
  }
  // Read before anything of ours is written to the clipboard, and after any
  // other send has given the user's content back.
  std::string clipboard;
  if (quotes) {
    std::optional<std::string> read;
    if (steps.LockClipboard()) read = steps.ReadClipboardText();
    if (!read) return ExpandedItem{{{}, text.encoding}, {}, true, std::nullopt};
    clipboard = std::move(*read);
    // The box may stay open for long: other sends go on meanwhile.
    if (asks) steps.SettleClipboard();
  }
  std::vector<std::string> answers;
  std::optional<WindowHandle> asked_over;
  if (asks) {
    // The box takes the front; the window the user works in is the one in
    // front before it opens.
    if (wants_target) asked_over = steps.FindTargetWindow();
    // The labels are not needed past the questions: the box gets the first ones.
    const std::size_t all = fields.labels.size();
    if (all > kMaxQuestions) fields.labels.resize(kMaxQuestions);
    std::optional<std::vector<std::string>> given = steps.AskQuestions(fields.labels, all - fields.labels.size());
    if (!given) return std::nullopt;
    answers = std::move(*given);
  }

  // A large item is held a few times over on the way: each form is let go
  // as soon as the next one is made.
  const TextEncoding encoding = text.encoding;
  std::string().swap(text.bytes);
  ItemText joined{JoinPieces(fields.pieces), encoding};
  std::vector<std::string>().swap(fields.pieces);
  ItemText expanded = steps.ExpandDatePlaceholders(joined, formats);
  std::string().swap(joined.bytes);
  const std::vector<std::string> pieces = SplitPieces(expanded.bytes);
  std::string().swap(expanded.bytes);
  FilledItem filled = FillFields(fields, pieces, clipboard, answers);
  ExpandedItem out{{std::move(filled.text), encoding}, {}, false, asked_over};
  // Too far back for presses: the caret stays at the end rather than creep
  // for long, unless the target takes its place by message.
  if (filled.cursor)
    out.caret = PlaceCaret(out.text.bytes, *filled.cursor, out.text.encoding, SystemLeadBytes(),
                           SystemGraphemeRules(), kMaxCaretPresses);
  return out;
}

}  // namespace zrnx
