// The fields of an item: where the scanner cuts, what the escapes write, the
// labels it collects, how the values go in, and the caret's presses.

#include "sender/item_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zrnx {
namespace {

using Strings = std::vector<std::string>;

// The pieces with each field drawn between them: <C> caret, <B> clipboard,
// <Qn> question n, <=text> what an escape writes.
std::string Drawn(const ItemFields& f) {
  std::string out;
  for (std::size_t i = 0; i < f.pieces.size(); ++i) {
    out += f.pieces[i];
    if (i == f.fields.size()) break;
    const Field& field = f.fields[i];
    switch (field.kind) {
      case FieldKind::kCursor: out += "<C>"; break;
      case FieldKind::kClipboard: out += "<B>"; break;
      case FieldKind::kInput: out += "<Q" + std::to_string(field.question) + ">"; break;
      case FieldKind::kVerbatim: out += "<=" + field.verbatim + ">"; break;
    }
  }
  return out;
}

struct ScanCase {
  std::string text;
  std::string drawn;
  Strings labels;
};

TEST(ItemFieldsTest, ScannerCutsAtFieldsAndEscapesAndPassesOverDates) {
  const ScanCase cases[] = {
      {"a%cursor%b", "a<C>b", {}},
      {"%cursor%%cursor%", "<C><C>", {}},
      {"%%cursor%%", "<=%cursor%>", {}},
      {"%%%cursor%%", "%<=%cursor%>", {}},  // the leftmost escape wins, as for dates
      {"%%%cursor%", "%%<C>", {}},
      {"%%clipboard%%%clipboard%", "<=%clipboard%><B>", {}},
      {"%%input%%|%%input:A b%%", "<=%input%>|<=%input:A b%>", {}},
      {"%%input:A%", "%<Q0>", {"A"}},
      // Dates are passed over whole: a date beside a field is both.
      {"%d0%%cursor%%d1%", "%d0%<C>%d1%", {}},
      {"%d0%cursor%", "%d0%cursor%", {}},
      {"%dx%cursor%", "%dx<C>", {}},
      {"%%d0%%cursor%", "%%d0%%cursor%", {}},
      {"%%d0%%%cursor%", "%%d0%%<C>", {}},
      // Labels: first use decides the order; spaces belong to them.
      {"%input:Name%/%input:Age%/%input:Name%", "<Q0>/<Q1>/<Q0>", {"Name", "Age"}},
      {"%input%%input:%", "<Q0><Q0>", {""}},
      {"%input:first name%%clipboard%", "<Q0><B>", {"first name"}},
      {"%input:x%y%", "<Q0>y%", {"x"}},
      {"%input:%%", "<Q0>%", {""}},
      {"今日は%cursor%です%input:お名前%", "今日は<C>です<Q0>", {"お名前"}},
      // Not fields: case, unterminated, a line break in the label, near names.
      {"%CURSOR% %Clipboard% %INPUT%", "%CURSOR% %Clipboard% %INPUT%", {}},
      {"%cursor %clipboard %input:abc", "%cursor %clipboard %input:abc", {}},
      {"%input:a\r\nb% %input:a\nb%", "%input:a\r\nb% %input:a\nb%", {}},
      {"%inputs% %input;A% %cursors% %%%%", "%inputs% %input;A% %cursors% %%%%", {}},
      {"", "", {}},
  };
  for (const ScanCase& c : cases) {
    const ItemFields fields = ScanItemFields(c.text);
    EXPECT_EQ(Drawn(fields), c.drawn) << c.text;
    EXPECT_EQ(fields.labels, c.labels) << c.text;
    EXPECT_EQ(fields.pieces.size(), fields.fields.size() + 1) << c.text;
  }
}

TEST(ItemFieldsTest, UsesTellsTheKindsPresent) {
  const ItemFields f = ScanItemFields("%clipboard% %%cursor%%");
  EXPECT_TRUE(f.Uses(FieldKind::kClipboard));
  EXPECT_TRUE(f.Uses(FieldKind::kVerbatim));
  EXPECT_FALSE(f.Uses(FieldKind::kCursor));
  EXPECT_FALSE(f.Uses(FieldKind::kInput));
  EXPECT_TRUE(ScanItemFields("plain %d0%").Empty());
}

TEST(ItemFieldsTest, PiecesJoinWithASeparatorNoDateHoldsAndSplitBack) {
  for (const Strings& pieces : {Strings{""}, Strings{"a"}, Strings{"a", "", "b%"}, Strings{"", ""}}) {
    const std::string joined = JoinPieces(pieces);
    EXPECT_EQ(SplitPieces(joined), pieces);
  }
  EXPECT_EQ(JoinPieces({"%d", "0%"}), std::string("%d\0" "0%", 5));
}

TEST(ItemFieldsTest, FillPutsValuesVerbatimAndTheCaretAtTheFirstMark) {
  const ItemFields f = ScanItemFields("a%cursor%b%clipboard%c%input:X%%input:Y%%input:X%%%cursor%%%cursor%");
  const FilledItem filled = FillFields(f, {"A", "B", "C", "", "", "", "", "Z"}, "%d0%", {"x", "y%input:X%"});
  EXPECT_EQ(filled.text, "AB%d0%Cxy%input:X%x%cursor%Z");
  EXPECT_EQ(filled.cursor, 1u);

  // Answers that are missing count as empty; no mark, no caret.
  const FilledItem short_answers = FillFields(ScanItemFields("[%input:A%|%input:B%]"), {"[", "|", "]"}, "", {"a"});
  EXPECT_EQ(short_answers.text, "[a|]");
  EXPECT_FALSE(short_answers.cursor);
}

struct PressCase {
  const char* name;
  std::string text;
  std::size_t offset;
  TextEncoding encoding;
  std::size_t presses;
  std::size_t edit_tail, rich_tail;
};

// Presses per user-perceived character; units as each kind of control keeps them.
TEST(ItemFieldsTest, TheCaretIsPlacedAsTheTargetCountsCharacters) {
  constexpr auto kCp = TextEncoding::kCodePage;
  constexpr auto kU8 = TextEncoding::kUtf8;
  const PressCase cases[] = {
      {"all", "abc", 0, kCp, 3, 3, 3},
      {"after one", "abc", 1, kCp, 2, 2, 2},
      {"at the end", "abc", 3, kCp, 0, 0, 0},
      {"CR LF is one press", "ab\r\ncd", 2, kCp, 3, 4, 3},
      {"LF CR and lone ones are two", "a\n\rb", 0, kCp, 4, 4, 4},
      {"a lone CR", "\r", 0, kCp, 1, 1, 1},
      {"Shift-JIS pairs", "あい\r\nう", 0, kCp, 4, 5, 4},
      {"a lead byte at the end", "\x82", 0, kCp, 1, 1, 1},
      {"a surrogate pair", "\xF0\x9F\x98\x80" "a", 0, kU8, 2, 3, 3},
      {"UTF-8 with CR LF", "\xC3\xA9\xE6\x97\xA5\r\n", 0, kU8, 3, 4, 3},
      {"after the first of two", "\xE6\x97\xA5\xE6\x9C\xAC", 3, kU8, 1, 1, 1},
      {"variation selector", "\xE2\x9D\xA4\xEF\xB8\x8F" "a", 0, kU8, 2, 3, 3},
      {"ideographic variation selector", "\xE8\x91\x9B\xF3\xA0\x84\x80", 0, kU8, 1, 3, 3},
      {"skin tone", "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD", 0, kU8, 1, 4, 4},
      {"two flags", "\xF0\x9F\x87\xAF\xF0\x9F\x87\xB5\xF0\x9F\x87\xBA\xF0\x9F\x87\xB8", 0, kU8, 2, 8, 8},
      {"joined family", "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7", 0, kU8, 1, 8, 8},
      {"combining accent", "e\xCC\x81x", 0, kU8, 2, 3, 3},
      {"a broken four-byte sequence", "\xF0\x9F" "a", 0, kU8, 2, 2, 2},
      {"a stray continuation byte", "9\x84" "a", 0, kU8, 3, 3, 3},
      // The conversion reads a broken byte and its trailing bytes as one
      // character: a mark among them stands after it.
      {"a mark inside a broken sequence", "%\xA8\xB7\xB7" "ab", 2, kU8, 2, 2, 2},
      {"a mark inside a broken sequence at the end", "a\xA8\xB7", 2, kU8, 0, 0, 0},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CaretPlacement caret = PlaceCaret(c.text, c.offset, c.encoding, LeadBytes::ShiftJis(), BuiltInGraphemeRules());
    EXPECT_EQ(caret.presses, c.presses);
    EXPECT_EQ(caret.edit_tail, c.edit_tail);
    EXPECT_EQ(caret.rich_tail, c.rich_tail);
    const CaretPlacement whole = PlaceCaret(c.text, 0, c.encoding, LeadBytes::ShiftJis(), BuiltInGraphemeRules());
    if (caret.Moves()) {
      EXPECT_EQ(caret.edit_total, whole.edit_tail);
      EXPECT_EQ(caret.rich_total, whole.rich_tail);
    }
    EXPECT_EQ(caret.line_breaks, c.text.find_first_of("\r\n") != std::string::npos);
  }
}

TEST(ItemFieldsTest, PressesStopAtTheirLimitButUnitsDoNot) {
  const std::string tail(50, 'x');
  for (TextEncoding encoding : {TextEncoding::kCodePage, TextEncoding::kUtf8}) {
    const auto place = [&](std::size_t limit) {
      return PlaceCaret(tail, 0, encoding, LeadBytes(), BuiltInGraphemeRules(), limit);
    };
    EXPECT_EQ(place(50).presses, 50u);
    EXPECT_EQ(place(49).presses, 0u);
    EXPECT_EQ(place(49).edit_tail, 50u);
    EXPECT_TRUE(place(49).Moves());
  }
}

}  // namespace
}  // namespace zrnx
