#include "sender/placeholders.h"

#include <algorithm>
#include <cstring>

#include "sender/date_format.h"

namespace zrnx {
namespace {

// Bytes that chained replacements may insert beyond four times the text.
constexpr std::size_t kChainAllowance = std::size_t{1} << 16;

// Rewrites `text` as the restart-from-the-start algorithm would, without
// restarting. The text is always out + pending + input[next..]:
//  - out holds no occurrence of `search`;
//  - pending (a stack: its back is the next byte) holds inserted text and the
//    few bytes of out that a new occurrence may start in;
//  - input is the unread rest of the original text.
// Bytes move into out one at a time from pending and in long runs from input;
// whenever out comes to end with `search`, that is the leftmost occurrence of
// the whole text.
class Rewriter {
 public:
  Rewriter(std::string_view search, std::string_view replacement, std::string_view input, std::string& out)
      : search_(search), replacement_(replacement), input_(input), out_(out) {}

  void Run(std::size_t first) {
    out_.clear();
    out_.reserve(input_.size() + replacement_.size());
    out_.append(input_.substr(0, first + search_.size()));
    next_ = first + search_.size();
    Replace();
    for (;;) {
      if (!pending_.empty() || from_input_ + 1 < search_.size()) {
        if (!pending_.empty()) {
          out_ += pending_.back();
          pending_.pop_back();
          from_input_ = 0;
        } else if (next_ < input_.size()) {
          out_ += input_[next_++];
          ++from_input_;
        } else {
          break;
        }
        if (!EndsWithSearch()) continue;
        // An occurrence that reaches into inserted text (or into the gap a
        // removal closed) is a chain; chains that keep growing never end.
        if (from_input_ < search_.size()) {
          chained_bytes_ += replacement_.size();
          if (chained_bytes_ > chain_budget_) return FinishWithoutRescan();
        }
        Replace();
        continue;
      }
      // The last len-1 bytes of out are input bytes, so a plain search of the
      // input from there finds the next occurrence, straddling ones included.
      const std::size_t back = search_.size() - 1;
      const std::size_t found = input_.find(search_, next_ - back);
      if (found == std::string_view::npos) {
        out_.append(input_.substr(next_));
        break;
      }
      out_.append(input_.substr(next_, found + search_.size() - next_));
      next_ = found + search_.size();
      Replace();
    }
  }

 private:
  bool EndsWithSearch() const {
    const std::size_t n = search_.size();
    return out_.size() >= n && out_.back() == search_.back() &&
           std::memcmp(out_.data() + out_.size() - n, search_.data(), n) == 0;
  }

  // out ends with the occurrence: replace it, and step back so that the
  // inserted text and the len-1 bytes before it are read again.
  void Replace() {
    out_.resize(out_.size() - search_.size());
    pending_.append(replacement_.rbegin(), replacement_.rend());
    const std::size_t back = std::min(search_.size() - 1, out_.size());
    pending_.append(out_.rbegin(), out_.rbegin() + static_cast<std::ptrdiff_t>(back));
    out_.resize(out_.size() - back);
    from_input_ = 0;
  }

  // The chain budget is spent: what is pending goes out as it is, and the
  // rest of the input is replaced in a single pass.
  void FinishWithoutRescan() {
    out_.append(pending_.rbegin(), pending_.rend());
    std::size_t from = next_;
    for (std::size_t at = input_.find(search_, from); at != std::string_view::npos;
         at = input_.find(search_, from)) {
      out_.append(input_.substr(from, at - from));
      out_.append(replacement_);
      from = at + search_.size();
    }
    out_.append(input_.substr(from));
  }

  std::string_view search_;
  std::string_view replacement_;
  std::string_view input_;
  std::size_t chained_bytes_ = 0;
  std::size_t chain_budget_ = 4 * input_.size() + kChainAllowance;
  std::string& out_;
  std::string pending_;
  std::size_t next_ = 0;
  std::size_t from_input_ = 0;  // how many of out's last bytes came straight from input
};

std::string Token(std::string_view before, char digit, std::string_view after) {
  std::string token(before);
  token += digit;
  token.append(after);
  return token;
}

// For a replacement that holds `search`: each occurrence of the original
// text once, left to right.
void ReplaceOnce(std::string_view search, std::string_view replacement, std::string_view text, std::size_t first,
                 std::string& out) {
  out.clear();
  out.reserve(text.size() + replacement.size());
  std::size_t from = 0;
  for (std::size_t at = first; at != std::string_view::npos; at = text.find(search, from)) {
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + search.size();
  }
  out.append(text.substr(from));
}

// The result goes to `out` (its storage is reused); false, and `out`
// untouched, when `text` holds no occurrence.
bool ReplaceAllInto(std::string_view search, std::string_view replacement, std::string_view text, std::string& out) {
  const std::size_t first = text.find(search);
  if (first == std::string_view::npos) return false;
  if (replacement.find(search) != std::string_view::npos)
    ReplaceOnce(search, replacement, text, first, out);
  else
    Rewriter(search, replacement, text, out).Run(first);
  return true;
}

// One pass over the ten digits, alternating between two buffers so that
// large texts are not allocated afresh for every digit.
template <typename Replacement>
void Pass(std::string& text, std::string& spare, std::string_view before, std::string_view after,
          Replacement replacement) {
  for (char digit = '0'; digit <= '9'; ++digit) {
    const std::string search = Token(before, digit, after);
    if (ReplaceAllInto(search, replacement(digit), text, spare)) text.swap(spare);
  }
}

}  // namespace

std::string ReplaceAll(std::string_view search, std::string_view replacement, std::string text) {
  std::string out;
  return ReplaceAllInto(search, replacement, text, out) ? out : text;
}

std::string ExpandWithValues(std::string text, const std::array<std::string, 10>& values) {
  std::string spare;
  // A pass changes nothing unless the text holds the common start of its
  // ten tokens: one search spares ten over a large text.
  if (text.find("%%d") != std::string::npos)
    Pass(text, spare, "%%d", "%%", [](char digit) { return Token("%__d", digit, "__%"); });
  Pass(text, spare, "%d", "%", [&](char digit) { return values[static_cast<std::size_t>(digit - '0')]; });
  if (text.find("%__d") != std::string::npos)
    Pass(text, spare, "%__d", "__%", [](char digit) { return Token("%d", digit, "%"); });
  return text;
}

std::string ExpandDatePlaceholders(std::string text, const std::array<std::string, 10>& patterns,
                                   const DateFormatter& formatter) {
  std::array<std::string, 10> values;
  for (std::size_t n = 0; n < values.size(); ++n) values[n] = formatter.FormatNow(patterns[n]);
  return ExpandWithValues(std::move(text), values);
}

ItemText ExpandDatePlaceholders(ItemText text, const std::array<std::string, 10>& patterns,
                                const DateFormatter& formatter, const CodePageDecoder& code_page) {
  if (text.encoding == TextEncoding::kCodePage)
    return {ExpandDatePlaceholders(std::move(text.bytes), patterns, formatter), text.encoding};
  std::array<std::string, 10> values;
  for (std::size_t n = 0; n < values.size(); ++n) values[n] = Utf16ToUtf8(code_page.ToUtf16(formatter.FormatNow(patterns[n])));
  return {ExpandWithValues(std::move(text.bytes), values), text.encoding};
}

}  // namespace zrnx
