#include "sender/grapheme.h"

#include <algorithm>
#include <iterator>

namespace zrnx {
namespace {

enum Class : int {
  kOther, kCR, kLF, kControl, kExtend, kZWJ, kRegional, kPrepend, kSpacingMark, kL, kV, kT, kLV, kLVT
};

constexpr std::uint32_t kRuns[] = {
#include "sender/grapheme_table.inc"
};

struct Props {
  int klass;
  bool pictographic;
};

Props PropsOf(char32_t c) {
  if (c >= 0xAC00 && c <= 0xD7A3) return {(c - 0xAC00) % 28 == 0 ? kLV : kLVT, false};
  if (c > 0x10FFFF) return {kOther, false};
  const std::uint32_t key = (static_cast<std::uint32_t>(c) << 5) | 31u;
  const std::uint32_t run = *(std::upper_bound(std::begin(kRuns), std::end(kRuns), key) - 1);
  return {static_cast<int>(run & 15u), (run & 16u) != 0};
}

bool IsLineOrControl(int k) { return k == kCR || k == kLF || k == kControl; }

class BuiltInRules final : public GraphemeRules {
 public:
  std::size_t CountClusters(std::u16string_view text, std::size_t limit) const override {
    GraphemeBreaker breaker;
    std::size_t clusters = 0;
    for (std::size_t at = 0, units = 0; at < text.size(); at += units) {
      if (breaker.StartsCluster(CodePointAt(text, at, units)) && ++clusters > limit) break;
    }
    return clusters;
  }

  std::size_t ClusterStartAtOrBefore(std::u16string_view text, std::size_t at) const override {
    if (at >= text.size()) return text.size();
    GraphemeBreaker breaker;
    std::size_t start = 0;
    for (std::size_t i = 0, units = 0; i <= at; i += units)
      if (breaker.StartsCluster(CodePointAt(text, i, units))) start = i;
    return start;
  }
};

}  // namespace

bool GraphemeBreaker::StartsCluster(char32_t c) {
  const Props p = PropsOf(c);
  const int k = p.klass;
  const int prev = previous_;
  bool starts;
  if (prev < 0) starts = true;
  else if (prev == kCR && k == kLF) starts = false;
  else if (IsLineOrControl(prev) || IsLineOrControl(k)) starts = true;
  else if (prev == kL && (k == kL || k == kV || k == kLV || k == kLVT)) starts = false;
  else if ((prev == kLV || prev == kV) && (k == kV || k == kT)) starts = false;
  else if ((prev == kLVT || prev == kT) && k == kT) starts = false;
  else if (k == kExtend || k == kZWJ || k == kSpacingMark || prev == kPrepend) starts = false;
  else if (joiner_after_pictographic_ && p.pictographic) starts = false;
  // Regional indicators pair up: a flag is two of them.
  else if (prev == kRegional && k == kRegional && regional_run_ % 2 == 1) starts = false;
  else starts = true;

  joiner_after_pictographic_ = k == kZWJ && pictographic_run_;
  pictographic_run_ = p.pictographic || (k == kExtend && pictographic_run_);
  regional_run_ = k == kRegional ? regional_run_ + 1 : 0;
  previous_ = k;
  return starts;
}

char32_t CodePointAt(std::u16string_view text, std::size_t at, std::size_t& units) {
  const char16_t u = text[at];
  units = 1;
  if (u >= 0xD800 && u <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
  }
  return u;
}

std::size_t KeptLength(std::u16string_view text, std::size_t max_units, const GraphemeRules& rules) {
  if (text.size() <= max_units) return text.size();
  // The cluster that would start right after the kept part starts it no later.
  if (const std::size_t cut = rules.ClusterStartAtOrBefore(text, max_units); cut != 0) return cut;
  const bool inside_pair = max_units > 0 && text[max_units] >= 0xDC00 && text[max_units] <= 0xDFFF &&
                           text[max_units - 1] >= 0xD800 && text[max_units - 1] <= 0xDBFF;
  return inside_pair ? max_units - 1 : max_units;
}

char32_t Utf8At(std::string_view utf8, std::size_t at, std::size_t& length) {
  const unsigned char b = static_cast<unsigned char>(utf8[at]);
  const std::size_t want = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
  char32_t c = want == 1 ? b : want == 2 ? (b & 0x1F) : want == 3 ? (b & 0x0F) : (b & 0x07);
  bool valid = want != 0 && at + want <= utf8.size();
  for (std::size_t used = 1; valid && used < want; ++used) {
    const unsigned char t = static_cast<unsigned char>(utf8[at + used]);
    if ((t & 0xC0) != 0x80) valid = false;
    else c = (c << 6) | (t & 0x3F);
  }
  // Overlong forms, surrogates and values past the last code point are no characters.
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (valid && (c < kLeast[want] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
  if (valid) {
    length = want;
    return c;
  }
  length = 1;
  while (at + length < utf8.size() && (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80) ++length;
  return 0xFFFD;
}

std::u16string Utf8ToUtf16Units(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0, length = 0; at < utf8.size(); at += length) {
    const char32_t c = Utf8At(utf8, at, length);
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

const GraphemeRules& BuiltInGraphemeRules() {
  static const BuiltInRules rules;
  return rules;
}

#ifndef _WIN32
const GraphemeRules& SystemGraphemeRules() { return BuiltInGraphemeRules(); }
#endif

}  // namespace zrnx
