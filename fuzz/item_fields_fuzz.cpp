// The field scanner on any text: its pieces never hold a field, expanding
// the joined pieces is expanding each on its own, and the values go in
// whole with the caret inside the text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sender/item_fields.h"
#include "sender/item_fill.h"
#include "sender/placeholders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  // Item texts never hold 0x00 (loading makes it a space).
  for (char& c : text)
    if (c == '\0') c = ' ';

  const zrnx::ItemFields fields = zrnx::ScanItemFields(text);
  if (fields.pieces.size() != fields.fields.size() + 1) __builtin_trap();
  if (fields.Empty() && fields.pieces[0] != text) __builtin_trap();
  if (!fields.Empty() && !zrnx::MayHoldFields(text)) __builtin_trap();
  std::size_t piece_bytes = 0;
  for (const std::string& piece : fields.pieces) {
    if (!zrnx::ScanItemFields(piece).Empty()) __builtin_trap();
    piece_bytes += piece.size();
  }
  for (std::size_t i = 0; i < fields.labels.size(); ++i) {
    if (fields.labels[i].find_first_of("%\r\n") != std::string::npos) __builtin_trap();
    for (std::size_t j = 0; j < i; ++j)
      if (fields.labels[i] == fields.labels[j]) __builtin_trap();
  }
  for (const zrnx::Field& field : fields.fields)
    if (field.kind == zrnx::FieldKind::kInput && field.question >= fields.labels.size()) __builtin_trap();

  // Values taken from the text itself, so they look like tokens often.
  std::array<std::string, 10> values;
  for (std::size_t n = 0; n < values.size(); ++n) values[n] = text.substr(n * 7 % (size + 1), n % 5);
  const std::vector<std::string> expanded = zrnx::SplitPieces(zrnx::ExpandWithValues(zrnx::JoinPieces(fields.pieces), values));
  if (expanded.size() != fields.pieces.size()) __builtin_trap();
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    // Every token holds "%d" or "%_": a piece without both stays as it is
    // (the full expansion, with its allocations, is kept for the others).
    const bool plain = fields.pieces[i].find("%d") == std::string::npos && fields.pieces[i].find("%_") == std::string::npos;
    if (expanded[i] != (plain ? fields.pieces[i] : zrnx::ExpandWithValues(fields.pieces[i], values))) __builtin_trap();
  }

  const std::string clipboard = text.substr(0, size % 9);
  const std::vector<std::string> answers(fields.labels.size(), "%cursor%");
  const zrnx::FilledItem filled = zrnx::FillFields(fields, fields.pieces, clipboard, answers);
  if (filled.text.size() < piece_bytes) __builtin_trap();
  if (fields.Uses(zrnx::FieldKind::kCursor) != filled.cursor.has_value()) __builtin_trap();
  if (filled.cursor) {
    if (*filled.cursor > filled.text.size()) __builtin_trap();
    const zrnx::CaretPlacement caret = zrnx::PlaceCaret(filled.text, *filled.cursor, zrnx::TextEncoding::kUtf8,
                                                        zrnx::LeadBytes::ShiftJis(), zrnx::BuiltInGraphemeRules(), 64);
    // A mark inside a broken sequence at the very end stays at the end: the
    // conversion reads the sequence as one character.
    const std::size_t tail = filled.text.size() - *filled.cursor;
    if (caret.presses > 64 || caret.presses > caret.rich_tail || caret.rich_tail > caret.edit_tail ||
        caret.edit_tail > tail || caret.edit_total > filled.text.size() || caret.rich_total > caret.edit_total ||
        caret.edit_tail > caret.edit_total || (caret.Moves() && tail == 0))
      __builtin_trap();
  }
  return 0;
}
