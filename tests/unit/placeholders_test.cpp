// Placeholder expansion: the defined results, and the same results as the
// restart-from-the-start algorithm on random texts.

#include "sender/placeholders.h"

#include <gtest/gtest.h>

#include <random>

#include "fakes/item_text_print.h"
#include "fakes/fake_date_sources.h"
#include "sender/date_format.h"
#include "common/settings_keys.h"

namespace zrnx::test {
namespace {

class ExpansionTest : public ::testing::Test {
 protected:
  ExpansionTest() {
    for (std::size_t n = 0; n < 10; ++n) patterns_[n] = kDefaultDateFormats[n];
  }
  std::string Expand(const std::string& text) {
    FakeLocaleSource ja = JapaneseLocale();
    const LocaleDateInfo locale = ReadLocaleDateInfo(ja);
    return ExpandDatePlaceholders(text, patterns_, DateFormatter(locale, eras_, clock_));
  }

  std::array<std::string, 10> patterns_;
  JapaneseEraSource eras_;
  FixedClock clock_;
};

// Decodes ASCII and the few Shift-JIS characters the patterns below use.
class FakeShiftJisDecoder : public CodePageDecoder {
 public:
  std::u16string ToUtf16(std::string_view bytes) const override {
    static const std::pair<std::string_view, char16_t> kTable[] = {{"年", u'年'}, {"月", u'月'}, {"日", u'日'}};
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size();) {
      bool found = false;
      for (const auto& [sjis, wide] : kTable) {
        if (bytes.substr(i, sjis.size()) == sjis) {
          out += wide;
          i += sjis.size();
          found = true;
          break;
        }
      }
      if (!found) out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i++]));
    }
    return out;
  }
};

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST_F(ExpansionTest, DecodedTextExpandsAsTheCodePageOneDoes) {
  patterns_[0] = "yyyy'年'm'月'd'日'";
  FakeLocaleSource ja = JapaneseLocale();
  const LocaleDateInfo locale = ReadLocaleDateInfo(ja);
  const DateFormatter formatter(locale, eras_, clock_);
  const ItemText sjis = ExpandDatePlaceholders(ItemText{"今日は %d0% %d1% (%%d0%%)"}, patterns_, formatter,
                                               FakeShiftJisDecoder());
  EXPECT_EQ(sjis, (ItemText{"今日は 2026年12月6日 14:05 (%d0%)", TextEncoding::kCodePage}));
  const ItemText utf8 = ExpandDatePlaceholders(ItemText{U8(u8"今日は %d0% %d1% (%%d0%%)"), TextEncoding::kUtf8},
                                               patterns_, formatter, FakeShiftJisDecoder());
  EXPECT_EQ(utf8, (ItemText{U8(u8"今日は 2026年12月6日 14:05 (%d0%)"), TextEncoding::kUtf8}));
}

TEST_F(ExpansionTest, ExamplesWithTheDefaultPatterns) {
  const std::pair<const char*, const char*> rows[] = {
      {"Date: %d0%", "Date: 2026/12/06"},
      {"%d0% %d1%", "2026/12/06 14:05"},
      {"%d0%%d1%", "2026/12/0614:05"},
      {"%%d0%% is %d0%", "%d0% is 2026/12/06"},
      {"%d0%%d1%%d2%", "2026/12/06__d1__2026/12/06 14:05"},
      {"%D0% %d0 %d10%", "%D0% %d0 %d10%"},
      {"keep %__d3__%", "keep %d3%"},
      {"今日は%d0%、%d0%", "今日は2026/12/06、2026/12/06"},
      {"%D1% %%D1%%", "%D1% %%D1%%"},
      {"%%d1%%=%d1%", "%d1%=14:05"},
      {"%d3% %d6% %d7% %d9%", "2026年12月6日 2026年12月6日(日) 令和8年12月6日 PM 02:05"},
      {"%d8%", "令和8年12月6日 日曜日"},
  };
  for (const auto& [text, result] : rows) EXPECT_EQ(Expand(text), result) << text;
}

TEST_F(ExpansionTest, AllTenValuesAreFormattedEvenWithoutPlaceholders) {
  EXPECT_EQ(Expand("no percent \x82\xa0 here"), "no percent \x82\xa0 here");
  EXPECT_EQ(clock_.reads, 10);
  EXPECT_EQ(eras_.calls, 4);  // "gg" and "yy" for each of patterns 7 and 8
}

TEST_F(ExpansionTest, ValuesAreExpandedByLaterPlaceholdersOnly) {
  patterns_[0] = "\"%d1%\"";
  patterns_[3] = "\"%d0%\"";
  EXPECT_EQ(Expand("%d0%"), "14:05");
  EXPECT_EQ(Expand("%d3%"), "%d0%");
  patterns_[2] = "\"%__d4__%\"";
  EXPECT_EQ(Expand("%d2%"), "%d4%");  // a marker in a value becomes placeholder text
  patterns_[5] = "";
  EXPECT_EQ(Expand("[%d5%]"), "[2026/12/06 14:05:09]");
}

TEST_F(ExpansionTest, AValueHoldingItsOwnPlaceholderIsInsertedOncePerOccurrence) {
  patterns_[0] = "\"<%d0%>\"";
  EXPECT_EQ(Expand("a%d0%b%d0%"), "a<%d0%>b<%d0%>");
  patterns_[0] = "\"%d0%%d1%\"";
  EXPECT_EQ(Expand("%d0%"), "%d0%14:05");
}

TEST_F(ExpansionTest, EachValueHasItsOwnReadingOfTheClock) {
  class TickingClock : public Clock {
   public:
    DateTimeValue Now() override { return {2026, 12, 6, 14, 5, second++, 0, 1}; }
    int second = 0;
  } ticking;
  patterns_[0] = "ss";
  patterns_[9] = "ss";
  const LocaleDateInfo locale;
  EXPECT_EQ(ExpandDatePlaceholders("%d0% %d9%", patterns_, DateFormatter(locale, eras_, ticking)), "00 09");
}

// The algorithm as defined: every search starts again at the first byte.
// Gives up after `limit` replacements (a value holding its own search text
// never ends); nullopt then.
std::optional<std::string> NaiveReplaceAll(std::string_view search, std::string_view replacement, std::string text,
                                           int limit) {
  for (int steps = 0;; ++steps) {
    const std::size_t at = text.find(search);
    if (at == std::string::npos) return text;
    if (steps == limit || text.size() > 8000) return std::nullopt;
    text.replace(at, search.size(), replacement);
  }
}

std::string Token(int form, int digit) {
  static const char* const before[] = {"%d", "%%d", "%__d"};
  static const char* const after[] = {"%", "%%", "__%"};
  return before[form] + std::to_string(digit) + after[form];
}

TEST(ReplaceAllTest, GivesTheResultsOfRestartingFromTheStart) {
  std::mt19937 random(20261206);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string bytes = "%%%%dd__0123456789x\x82";
  auto random_text = [&](int max_pieces) {
    std::string text;
    for (int n = pick(max_pieces + 1); n > 0; --n) {
      if (pick(4) == 0)
        text += Token(pick(3), pick(3));
      else
        text += bytes[static_cast<std::size_t>(pick(static_cast<int>(bytes.size())))];
    }
    return text;
  };

  int compared = 0, endless = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string text = random_text(40);
    const std::string search = pick(8) == 0 ? random_text(3) + "x" : Token(pick(3), pick(3));
    const std::string replacement = random_text(12);
    const std::optional<std::string> naive = NaiveReplaceAll(search, replacement, text, 200);
    const std::string result = ReplaceAll(search, replacement, text);
    if (!naive) {
      // Endless by definition (a replacement holding its search text, or a
      // chain that feeds itself): the result is bounded.
      ASSERT_LE(result.size(), 5 * text.size() + (1u << 16) + 2 * replacement.size());
      ++endless;
      continue;
    }
    ASSERT_EQ(result, *naive) << text << " / " << search << " / " << replacement;
    ++compared;
  }
  EXPECT_GT(compared, 90000);
  EXPECT_GT(endless, 100);
}

TEST(ReplaceAllTest, EndlessChainsAreCut) {
  // No "%%d2%%" in the replacement, yet each insertion makes the next one.
  const std::string replacement = "%d2%%%d0%%%%d0%%7_%2%__d0__%%%%d2%";
  ASSERT_FALSE(NaiveReplaceAll("%%d2%%", replacement, "x%%d2%%%y", 1000));
  const std::string result = ReplaceAll("%%d2%%", replacement, "x%%d2%%%y");
  EXPECT_GT(result.size(), std::size_t{1} << 15);
  EXPECT_LT(result.size(), std::size_t{3} << 16);
  EXPECT_EQ(result.substr(result.size() - 1), "y");
}

TEST(ReplaceAllTest, ChainsOfInsertionsStayLinear) {
  // Each insertion makes a new occurrence with the byte before it: n
  // replacements in a text of n + 1 bytes.
  const std::string text = std::string(200000, 'a') + "b";
  const std::string result = ReplaceAll("ab", "bc", text);
  EXPECT_EQ(result, "b" + std::string(200000, 'c'));
  EXPECT_EQ(ReplaceAll("ab", "", std::string(100000, 'a') + std::string(100000, 'b')), "");
}

TEST(ExpandWithValuesTest, MatchesThePassesOfTheNaiveAlgorithm) {
  std::mt19937 random(4);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string bytes = "%%%d_0123456789y";
  auto random_text = [&](int max_pieces) {
    std::string text;
    for (int n = pick(max_pieces + 1); n > 0; --n)
      text += pick(3) == 0 ? Token(pick(3), pick(10)) : std::string(1, bytes[static_cast<std::size_t>(pick(16))]);
    return text;
  };
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    std::array<std::string, 10> values;
    for (auto& value : values) value = random_text(4);
    std::optional<std::string> naive = random_text(30);
    const std::string text = *naive;
    for (int form : {1, 0, 2}) {
      for (int n = 0; n < 10 && naive; ++n) {
        const std::string to = form == 1 ? Token(2, n) : form == 0 ? values[static_cast<std::size_t>(n)] : Token(0, n);
        naive = NaiveReplaceAll(Token(form, n), to, *naive, 200);
      }
    }
    if (!naive) continue;
    ASSERT_EQ(ExpandWithValues(text, values), *naive) << text;
    ++compared;
  }
  EXPECT_GT(compared, 15000);
}

}  // namespace
}  // namespace zrnx::test
