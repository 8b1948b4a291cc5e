#pragma once
// The fields of a text item besides the dates: "%cursor%" marks where the
// caret goes after the paste, "%clipboard%" stands for the text the clipboard
// held, "%input:LABEL%" (or "%input%") for an answer the user types before
// the paste. Each has its escape in the dates' style: "%%cursor%%" gives
// "%cursor%", "%%input:A%%" gives "%input:A%".
//
// The item is cut at its fields before the dates are expanded: the pieces
// between them expand as texts of their own, so what a date inserts is never
// taken for a field, and what a field inserts is never expanded. A text
// without fields is one piece and expands exactly as before.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/dbcs.h"
#include "sender/grapheme.h"
#include "sender/item_text.h"

namespace zrnx {

// The dialog asks at most this many questions; later labels get empty answers.
inline constexpr std::size_t kMaxQuestions = 10;
// More presses than this leave the caret at the end of the text.
inline constexpr std::size_t kMaxCaretPresses = 10000;
// Joins the pieces for one expansion of the dates: no date token holds it,
// so none can reach across, and item texts never hold it.
inline constexpr char kPieceSeparator = '\0';

enum class FieldKind { kCursor, kClipboard, kInput, kVerbatim };

struct Field {
  FieldKind kind;
  std::size_t question = 0;  // kInput: index into ItemFields::labels
  std::string verbatim;      // kVerbatim: what an escape writes
  bool operator==(const Field&) const = default;
};

struct ItemFields {
  // One more piece than fields: pieces[i] comes before fields[i].
  std::vector<std::string> pieces;
  std::vector<Field> fields;
  // Distinct labels in the order of first use; "" is the unnamed question.
  std::vector<std::string> labels;

  bool Empty() const { return fields.empty(); }
  bool Uses(FieldKind kind) const;
};

// Cuts the text at its fields. A date token ("%d0%", "%%d0%%") is passed over
// whole, so "%d0%%cursor%" is a date and a caret mark. A label runs to the
// next "%" and holds no line break; "%input:" without that end is text.
ItemFields ScanItemFields(std::string_view text);

// The pieces joined for the date expansion, and split again afterwards.
std::string JoinPieces(const std::vector<std::string>& pieces);
std::vector<std::string> SplitPieces(std::string_view joined);

struct FilledItem {
  std::string text;
  // Where the first "%cursor%" stood, as a byte offset into `text`.
  std::optional<std::size_t> cursor;
};

// The expanded pieces with each field's value between them. `answers` holds
// one answer per label (missing ones count as empty); all values are in the
// text's own encoding.
FilledItem FillFields(const ItemFields& fields, const std::vector<std::string>& expanded_pieces,
                      std::string_view clipboard, const std::vector<std::string>& answers);

// Where the caret goes after the paste, told in each way a target takes it.
struct CaretPlacement {
  // Left-arrow presses from the end of the pasted text: one per
  // user-perceived character after the mark (a CR LF pair, a flag or a
  // joined emoji is one); 0 when the mark is at the end or too far back.
  std::size_t presses = 0;
  // UTF-16 units after the mark and in the whole text: with CR LF as two
  // (an edit control keeps both) and as one (a rich edit control keeps a
  // paragraph's end as one CR; a lone LF becomes one too).
  std::size_t edit_tail = 0;
  std::size_t edit_total = 0;
  std::size_t rich_tail = 0;
  std::size_t rich_total = 0;
  bool line_breaks = false;  // the text holds a CR or an LF

  // The caret is not to stay at the end.
  bool Moves() const { return edit_tail != 0; }
  bool operator==(const CaretPlacement&) const = default;
};

// The placement for a caret mark at byte `offset` of the filled text. A
// code-page text counts one unit per character (the system's conversion
// gives each one UTF-16 unit) and one press per character. Presses past
// `limit` give none.
CaretPlacement PlaceCaret(std::string_view text, std::size_t offset, TextEncoding encoding, const LeadBytes& lead,
                          const GraphemeRules& rules, std::size_t limit = kMaxCaretPresses);

}  // namespace zrnx
