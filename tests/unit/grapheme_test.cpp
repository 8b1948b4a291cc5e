// Cluster breaks against the Unicode Consortium's own test data (Debian's
// unicode-data package), and the small cases the caret and labels rely on.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sender/grapheme.h"

namespace zrnx {
namespace {

struct BreakCase {
  std::u16string text;
  std::vector<std::size_t> starts;  // unit offsets of the clusters' starts
  std::string line;
};

void AppendCodePoint(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    out += static_cast<char16_t>(c);
  }
}

std::vector<BreakCase> ReadBreakTest() {
  std::ifstream file(std::string(ZRNX_UNICODE_DATA) + "/auxiliary/GraphemeBreakTest.txt");
  std::vector<BreakCase> cases;
  for (std::string line; std::getline(file, line);) {
    line = line.substr(0, line.find('#'));
    if (line.empty()) continue;
    BreakCase c{{}, {}, line};
    std::istringstream words(line);
    bool breaks = false;
    for (std::string word; words >> word;) {
      if (word == "\xC3\xB7") {  // DIVISION SIGN: a break
        breaks = true;
      } else if (word == "\xC3\x97") {  // MULTIPLICATION SIGN: none
        breaks = false;
      } else {
        if (breaks) c.starts.push_back(c.text.size());
        AppendCodePoint(c.text, static_cast<char32_t>(std::stoul(word, nullptr, 16)));
      }
    }
    cases.push_back(std::move(c));
  }
  return cases;
}

TEST(GraphemeTest, BreaksAsTheUnicodeTestDataSays) {
  const std::vector<BreakCase> cases = ReadBreakTest();
  ASSERT_GT(cases.size(), 600u) << "install Debian's unicode-data (tools/setup-machine)";
  const GraphemeRules& rules = BuiltInGraphemeRules();
  for (const BreakCase& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::size_t> starts;
    GraphemeBreaker breaker;
    for (std::size_t at = 0, units = 0; at < c.text.size(); at += units)
      if (breaker.StartsCluster(CodePointAt(c.text, at, units))) starts.push_back(at);
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(rules.CountClusters(c.text, 100), c.starts.size());
    // The last start at or before each offset.
    for (std::size_t at = 0; at < c.text.size(); ++at) {
      std::size_t expected = 0;
      for (std::size_t s : c.starts)
        if (s <= at) expected = s;
      EXPECT_EQ(rules.ClusterStartAtOrBefore(c.text, at), expected) << at;
    }
    EXPECT_EQ(rules.ClusterStartAtOrBefore(c.text, c.text.size()), c.text.size());
  }
}

TEST(GraphemeTest, CountingStopsPastTheLimit) {
  const std::u16string text(50, u'x');
  const GraphemeRules& rules = BuiltInGraphemeRules();
  EXPECT_EQ(rules.CountClusters(text, 49), 50u);
  EXPECT_EQ(rules.CountClusters(text, 10), 11u);
  EXPECT_EQ(rules.CountClusters(u"", 10), 0u);
}

// A label shown cut keeps whole characters: 6 units at most here.
TEST(GraphemeTest, ACutTextKeepsWholeCharacters) {
  struct Case {
    const char* name;
    std::u16string text;
    std::size_t kept;
  } cases[] = {
      {"fits", u"abcdef", 6},
      {"plain", u"abcdefgh", 6},
      {"a pair across the edge", u"abcde\U0001F600x", 5},
      {"a pair before the edge", u"abcd\U0001F600x", 6},
      {"a flag across the edge", u"abc\U0001F1EF\U0001F1F5x", 3},
      {"a flag up to the edge", u"ab\U0001F1EF\U0001F1F5x", 6},
      {"a skin tone across the edge", u"abcd\U0001F44D\U0001F3FD", 4},
      {"a joined family across the edge", u"a\U0001F468\u200D\U0001F469\u200D\U0001F467", 1},
      {"CR LF across the edge", u"abcde\r\nx", 5},
      {"one long cluster: between code points", u"e\u0301\u0301\u0301\u0301\u0301\u0301\u0301", 6},
      {"one long cluster: not inside a pair", u"e\u0301\u0301\u0301\u0301\U0001D167\u0301", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KeptLength(c.text, 6, BuiltInGraphemeRules()), c.kept);
  }
}

TEST(GraphemeTest, Utf8BecomesUtf16WithReplacementsForBadBytes) {
  struct Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"ASCII and kana", "a\xE3\x81\x82", u"a\u3042"},
      {"a pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"the last code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"past the last", "\xF4\x90\x80\x80", u"\uFFFD"},
      {"overlong", "\xC0\xAF" "b", u"\uFFFD" "b"},
      {"a surrogate", "\xED\xA0\x80", u"\uFFFD"},
      {"cut short", "\xE3\x81", u"\uFFFD"},
      {"a stray continuation", "\x80" "c", u"\uFFFD" "c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToUtf16Units(c.utf8), c.utf16);
  }
}

}  // namespace
}  // namespace zrnx
