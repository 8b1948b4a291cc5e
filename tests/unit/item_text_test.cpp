#include "sender/item_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zrnx {
namespace {

// Plain literals are Shift-JIS in this program; u8 literals stay UTF-8.
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

std::string Utf16Le(std::u16string_view text, bool mark = true) {
  std::string bytes = mark ? "\xFF\xFE" : "";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::string Utf16Be(std::u16string_view text) {
  std::string bytes = "\xFE\xFF";
  for (char16_t c : text) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

const LeadBytes kShiftJis = LeadBytes::ShiftJis();
const LeadBytes kSingleByte;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string expected;
  TextEncoding encoding;
};

TEST(DecodeItemBytesTest, EachEncodingGivesItsText) {
  const std::string fffd = U8(u8"\uFFFD");
  const std::vector<DecodeCase> cases = {
      {"utf-8 without mark", U8(u8"こんにちは %d0%\r\n①"), U8(u8"こんにちは %d0%\r\n①"), TextEncoding::kUtf8},
      {"utf-8 with mark", "\xEF\xBB\xBF" + U8(u8"日本語"), U8(u8"日本語"), TextEncoding::kUtf8},
      {"utf-8 mark, ASCII only", "\xEF\xBB\xBFplain", "plain", TextEncoding::kUtf8},
      {"utf-16le", Utf16Le(u"テキスト\U0001F600"), U8(u8"テキスト\U0001F600"), TextEncoding::kUtf8},
      {"utf-16be", Utf16Be(u"テキスト a"), U8(u8"テキスト a"), TextEncoding::kUtf8},
      {"ascii stays code page", "plain %d1%", "plain %d1%", TextEncoding::kCodePage},
      {"shift-jis stays as it is", "いつもお世話に\r\nなっております。", "いつもお世話に\r\nなっております。",
       TextEncoding::kCodePage},
      {"zero bytes of a code-page item", std::string("a\0b", 3), "a b", TextEncoding::kCodePage},
      {"U+0000 in utf-16", Utf16Le(std::u16string(u"a\0b", 3)), "a b", TextEncoding::kUtf8},
      // Bad input: replaced, never dropped silently, never read past the end.
      {"utf-16 odd byte count", Utf16Le(u"ab") + "x", "ab" + fffd, TextEncoding::kUtf8},
      {"utf-16 lone high surrogate", Utf16Le(u"a\xD800" u"b"), "a" + fffd + "b", TextEncoding::kUtf8},
      {"utf-16 lone low surrogate at the end", Utf16Le(u"a\xDC00"), "a" + fffd, TextEncoding::kUtf8},
      {"utf-16 mark only", "\xFF\xFE", "", TextEncoding::kUtf8},
      {"utf-8 mark only", "\xEF\xBB\xBF", "", TextEncoding::kUtf8},
      {"utf-8 mark, then invalid bytes", "\xEF\xBB\xBF" "a\xFF" "b\xE3\x81" "c\xC0\xAF",
       "a" + fffd + "b" + fffd + "c" + fffd + fffd, TextEncoding::kUtf8},
      {"utf-8 mark, truncated at the end", "\xEF\xBB\xBF" "a\xF0\x9F\x98", "a" + fffd, TextEncoding::kUtf8},
      {"utf-8 mark, surrogate encoded", "\xEF\xBB\xBF\xED\xA0\x80", fffd + fffd + fffd, TextEncoding::kUtf8},
      {"utf-8 mark, zero byte", std::string("\xEF\xBB\xBFx\0y", 6), "x y", TextEncoding::kUtf8},
      {"empty", "", "", TextEncoding::kCodePage},
  };
  for (const DecodeCase& c : cases) {
    const ItemText text = DecodeItemBytes(c.bytes, kShiftJis);
    EXPECT_EQ(text.bytes, c.expected) << c.name;
    EXPECT_EQ(text.encoding, c.encoding) << c.name;
  }
}

TEST(DecodeItemBytesTest, WithoutMarkOnlyStrictUtf8WithALongCharacterCounts) {
  struct Case {
    std::string bytes;
    bool on_shift_jis, on_single_byte;
  };
  const std::vector<Case> cases = {
      {U8(u8"かな"), true, true},
      {U8(u8"caf\u00E9"), false, true},       // two-byte characters only
      {"caf\xC3\xA9\xC3", false, false},  // cut short
      {"\xC0\xAF", false, false},         // overlong "/"
      {"\xE0\x80\xAF", false, false},     // overlong, three bytes
      {"\xED\xA0\x80", false, false},     // a surrogate
      {"\xF4\x90\x80\x80", false, false}, // above U+10FFFF
      {"\xF0\x9F\x98\x80", true, true},   // U+1F600
      {"ascii only", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LooksLikeUtf8(c.bytes, true), c.on_shift_jis) << c.bytes;
    EXPECT_EQ(LooksLikeUtf8(c.bytes, false), c.on_single_byte) << c.bytes;
  }
  EXPECT_EQ(DecodeItemBytes(U8(u8"caf\u00E9"), kSingleByte).encoding, TextEncoding::kUtf8);
  EXPECT_EQ(DecodeItemBytes(U8(u8"caf\u00E9"), kShiftJis).encoding, TextEncoding::kCodePage);
}

// Real Japanese texts in Shift-JIS (this file's plain literals) are never
// taken for UTF-8.
TEST(DecodeItemBytesTest, ShiftJisCorpusStaysCodePage) {
  const std::vector<std::string> corpus = {
      // The sample items.
      "いつもお世話になっております。\r\n本日 %d3% (%d1%) に、ご依頼の資料をお送りしました。\r\n"
      "ご確認のほど、よろしくお願いいたします。\r\n",
      "Zarnik NX sends plain files too: this is memo.txt\r\n",
      // Kana, kanji, symbols.
      "あいうえお", "アイウエオ", "漢字", "東京都千代田区", "①②③", "※注意", "〒100-0001", "【重要】",
      "ｱﾌﾟﾘｹｰｼｮﾝ ｴﾗｰ", "ﾊﾝｶｸｶﾀｶﾅ", "ﾃｽﾄ", "ﾏｲﾅｽ", "ﾃｽﾄｶ", "ﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵ",
      "ﾃア", "ﾃｽﾄ用", "髙橋", "纊褜鍈銈蓜", "ⅰⅱⅲ", "㈱㈲", "ｶﾞｷﾞｸﾞ 全角ｶﾀｶﾅ混在",
      "日付: %d0% 時刻: %d9%\r\n宛先: 株式会社サンプル 御中\r\n",
      "ＡＢＣ１２３　全角英数字", "―‐～∥…‥''\"\"", "○●◎◇◆□■△▲▽▼",
  };
  for (const std::string& text : corpus) {
    EXPECT_EQ(DecodeItemBytes(text, kShiftJis).encoding, TextEncoding::kCodePage) << text;
    EXPECT_EQ(DecodeItemBytes(text, kShiftJis).bytes, text);
  }
}

// Every pair of Shift-JIS characters from the whole of JIS X 0208 and the
// half-width katakana: how many would be taken for UTF-8. Single characters
// never are; the pairs that are need a half-width katakana or a kanji of the
// second level first, so a real text (a kana after a line break or a space)
// is not.
TEST(DecodeItemBytesTest, ShiftJisCharacterPairsAlmostNeverLookLikeUtf8) {
  std::vector<std::string> chars;
  for (int b = 0xA1; b <= 0xDF; ++b) chars.push_back(std::string(1, static_cast<char>(b)));
  for (int lead = 0x81; lead <= 0xEA; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F) chars.push_back({static_cast<char>(lead), static_cast<char>(trail)});
  }
  for (const std::string& c : chars) ASSERT_FALSE(LooksLikeUtf8(c, true));

  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, chars.size() - 1);
  int taken = 0;
  const int samples = 200000;
  for (int i = 0; i < samples; ++i) {
    const std::string& first = chars[pick(random)];
    const std::string pair = first + chars[pick(random)];
    if (!LooksLikeUtf8(pair, true)) continue;
    ++taken;
    const auto lead = static_cast<unsigned char>(first[0]);
    EXPECT_TRUE(lead >= 0xE0) << "only a second-level kanji can start a three-byte sequence";
  }
  // About 2 % of random pairs, every one opened by a second-level kanji.
  EXPECT_LT(taken, samples / 20);

  // Lines of text: each starts with a common kana or kanji after the line
  // break, so none is UTF-8 whatever follows.
  std::uniform_int_distribution<int> hiragana(0x9F, 0xF1);
  for (int i = 0; i < 2000; ++i) {
    std::string line = "\r\n";
    line += '\x82';
    line += static_cast<char>(hiragana(random));
    for (int k = 0; k < 10; ++k) line += chars[pick(random)];
    ASSERT_FALSE(LooksLikeUtf8("x" + line, true));
  }
}

TEST(RepairUtf8Test, ValidTextIsUnchanged) {
  const std::string text = U8(u8"a \u00E9 \u3042 \U0001F600");
  EXPECT_EQ(RepairUtf8(text), text);
  EXPECT_EQ(Utf16ToUtf8(u"a \u00E9 \u3042 \U0001F600"), text);
}

}  // namespace
}  // namespace zrnx
