#include "sender/item_fields.h"

namespace zrnx {
namespace {

constexpr std::string_view kCursorName = "cursor";
constexpr std::string_view kClipboardName = "clipboard";
constexpr std::string_view kInputName = "input";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the date token ("%dN%" or "%%dN%%") at `at`, or 0.
std::size_t DateTokenLength(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at);
  if (rest.size() >= 6 && rest[1] == '%' && rest[2] == 'd' && IsDigit(rest[3]) && rest[4] == '%' && rest[5] == '%')
    return 6;
  if (rest.size() >= 4 && rest[1] == 'd' && IsDigit(rest[2]) && rest[3] == '%') return 4;
  return 0;
}

struct Token {
  std::size_t length = 0;  // 0: no field here
  FieldKind kind = FieldKind::kCursor;
  std::string_view label;  // kInput
};

// The field "%name%" or "%input:LABEL%" whose opening "%" is at `at`, with
// `closing` "%" signs after it (1 for a field, 2 for the end of an escape,
// whose other "%" is before `at`).
Token FieldAt(std::string_view text, std::size_t at, std::size_t closing) {
  const std::string_view rest = text.substr(at + 1);
  const auto named = [&](std::string_view name, FieldKind kind) -> Token {
    if (rest.size() < name.size() + closing || rest.substr(0, name.size()) != name) return {};
    if (rest.substr(name.size(), closing).find_first_not_of('%') != std::string_view::npos) return {};
    return {1 + name.size() + closing, kind, {}};
  };
  if (rest.empty()) return {};
  switch (rest[0]) {
    case 'c':
      if (Token t = named(kCursorName, FieldKind::kCursor); t.length) return t;
      return named(kClipboardName, FieldKind::kClipboard);
    case 'i': {
      if (Token t = named(kInputName, FieldKind::kInput); t.length) return t;
      if (rest.size() <= kInputName.size() || rest.substr(0, kInputName.size()) != kInputName ||
          rest[kInputName.size()] != ':')
        return {};
      const std::size_t start = kInputName.size() + 1;
      const std::size_t end = rest.find_first_of("%\r\n", start);
      if (end == std::string_view::npos || rest[end] != '%') return {};
      if (rest.size() < end + closing || rest.substr(end, closing).find_first_not_of('%') != std::string_view::npos)
        return {};
      return {1 + end + closing, FieldKind::kInput, rest.substr(start, end - start)};
    }
    default:
      return {};
  }
}

std::size_t QuestionFor(std::string_view label, std::vector<std::string>& labels) {
  std::size_t question = 0;
  while (question < labels.size() && labels[question] != label) ++question;
  if (question == labels.size()) labels.emplace_back(label);
  return question;
}

}  // namespace

bool ItemFields::Uses(FieldKind kind) const {
  for (const Field& field : fields)
    if (field.kind == kind) return true;
  return false;
}

ItemFields ScanItemFields(std::string_view text) {
  ItemFields out;
  std::size_t piece_start = 0;
  const auto cut = [&](std::size_t at, std::size_t length, Field field) {
    out.pieces.emplace_back(text.substr(piece_start, at - piece_start));
    out.fields.push_back(std::move(field));
    piece_start = at + length;
  };
  for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
    if (const std::size_t date = DateTokenLength(text, at)) {
      at += date;
      continue;
    }
    if (at + 1 < text.size() && text[at + 1] == '%') {
      // An escape writes its field's text with one "%" less on each side.
      if (const Token escaped = FieldAt(text, at + 1, 2); escaped.length) {
        cut(at, escaped.length + 1, {FieldKind::kVerbatim, 0, std::string(text.substr(at + 1, escaped.length - 1))});
        at = piece_start;
        continue;
      }
    }
    if (const Token field = FieldAt(text, at, 1); field.length) {
      const std::size_t question = field.kind == FieldKind::kInput ? QuestionFor(field.label, out.labels) : 0;
      cut(at, field.length, {field.kind, question, {}});
      at = piece_start;
      continue;
    }
    ++at;
  }
  out.pieces.emplace_back(text.substr(piece_start));
  return out;
}

std::string JoinPieces(const std::vector<std::string>& pieces) {
  std::string joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i != 0) joined += kPieceSeparator;
    joined += pieces[i];
  }
  return joined;
}

std::vector<std::string> SplitPieces(std::string_view joined) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t end = joined.find(kPieceSeparator, start);
    pieces.emplace_back(joined.substr(start, end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

FilledItem FillFields(const ItemFields& fields, const std::vector<std::string>& expanded_pieces,
                      std::string_view clipboard, const std::vector<std::string>& answers) {
  FilledItem out;
  const auto piece = [&](std::size_t i) -> std::string_view {
    return i < expanded_pieces.size() ? std::string_view(expanded_pieces[i]) : std::string_view();
  };
  for (std::size_t i = 0; i < fields.fields.size(); ++i) {
    out.text += piece(i);
    const Field& field = fields.fields[i];
    switch (field.kind) {
      case FieldKind::kCursor:
        if (!out.cursor) out.cursor = out.text.size();
        break;
      case FieldKind::kClipboard:
        out.text += clipboard;
        break;
      case FieldKind::kInput:
        if (field.question < answers.size()) out.text += answers[field.question];
        break;
      case FieldKind::kVerbatim:
        out.text += field.verbatim;
        break;
    }
  }
  out.text += piece(fields.fields.size());
  return out;
}

CaretPlacement PlaceCaret(std::string_view text, std::size_t offset, TextEncoding encoding, const LeadBytes& lead,
                          const GraphemeRules& rules, std::size_t limit) {
  CaretPlacement out;
  if (offset >= text.size()) return out;
  std::size_t presses = 0;
  // Where the walk enters the tail: past the mark when the mark falls inside
  // a broken sequence, which the conversion takes as one character.
  std::size_t tail_start = text.size();
  for (std::size_t at = 0; at < text.size();) {
    const bool tail = at >= offset;
    if (tail && tail_start == text.size()) tail_start = at;
    std::size_t units = 1, rich_units = 1, length = 1;
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x20 && byte < 0x80) {
      // Plain ASCII, most of any text: one unit, and no lead byte in any code page.
    } else if (byte == '\r' || byte == '\n') {
      out.line_breaks = true;
      if (byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n') length = units = 2;
    } else if (encoding == TextEncoding::kCodePage) {
      length = lead.CharLength(text, at);
    } else {
      // Read as the conversion for the clipboard reads it.
      if (Utf8At(text, at, length) >= 0x10000) units = rich_units = 2;
    }
    if (tail) {
      out.edit_tail += units;
      out.rich_tail += rich_units;
      if (encoding == TextEncoding::kCodePage) ++presses;
    }
    out.edit_total += units;
    out.rich_total += rich_units;
    at += length;
  }
  if (encoding != TextEncoding::kCodePage) {
    // Far more units than presses allowed: not worth converting.
    const std::string_view tail = text.substr(tail_start);
    presses = tail.size() > (limit + 1) * 32 ? limit + 1 : rules.CountClusters(Utf8ToUtf16Units(tail), limit);
  }
  out.presses = presses <= limit ? presses : 0;
  return out;
}

}  // namespace zrnx
