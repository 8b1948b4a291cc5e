#include "sender/command_line.h"

namespace zrnx {
namespace {

// Shift-JIS trail bytes start at 0x40, so no blank or quote hides in a
// double-byte character; UTF-16 has no such bytes at all.
template <class Ch>
bool IsBlank(Ch c) {
  using Unit = std::make_unsigned_t<Ch>;
  auto u = static_cast<Unit>(c);
  return u >= 0x01 && u <= 0x20;
}

// Reads one token from `pos`; leaves `pos` after it.
template <class Ch>
std::basic_string<Ch> NextToken(std::basic_string_view<Ch> line, std::size_t& pos) {
  constexpr Ch kQuote = static_cast<Ch>('"');
  // Blanks and empty quoted pairs before a token are skipped.
  for (;;) {
    if (pos < line.size() && IsBlank(line[pos])) {
      ++pos;
    } else if (pos + 1 < line.size() && line[pos] == kQuote && line[pos + 1] == kQuote) {
      pos += 2;
    } else {
      break;
    }
  }
  std::basic_string<Ch> token;
  bool quoted = false;
  for (; pos < line.size(); ++pos) {
    Ch c = line[pos];
    if (c == Ch{}) break;
    if (c == kQuote) {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      token += c;
    }
  }
  return token;
}

template <class Ch>
bool IsSwitch(const std::basic_string<Ch>& arg, char lower) {
  return arg.size() == 2 && arg[0] == static_cast<Ch>('/') &&
         (arg[1] == static_cast<Ch>(lower) || arg[1] == static_cast<Ch>(lower - 'a' + 'A'));
}

}  // namespace

template <class Ch>
std::vector<std::basic_string<Ch>> SplitCommandLine(std::basic_string_view<Ch> command_line) {
  if (auto nul = command_line.find(Ch{}); nul != command_line.npos) command_line = command_line.substr(0, nul);
  std::size_t pos = 0;
  NextToken(command_line, pos);  // the program's own path
  std::vector<std::basic_string<Ch>> args;
  for (;;) {
    std::basic_string<Ch> token = NextToken(command_line, pos);
    if (token.empty()) break;
    args.push_back(std::move(token));
  }
  return args;
}

template <class Ch>
BasicInvocation<Ch> ParseInvocation(const std::vector<std::basic_string<Ch>>& args) {
  using Action = typename BasicInvocation<Ch>::Action;
  BasicInvocation<Ch> inv;
  if (args.empty()) {
    inv.action = Action::kAbout;
    return inv;
  }
  inv.action = Action::kUsageError;
  if (args.size() == 1) {
    if (IsSwitch(args[0], 'p') || IsSwitch(args[0], 'c')) return inv;
    inv.action = Action::kSend;
    inv.mode = SendMode::kClipboardOnly;
    inv.item_path = args[0];
  } else if (args.size() == 2) {
    if (IsSwitch(args[0], 'p')) {
      inv.mode = SendMode::kPaste;
    } else if (IsSwitch(args[0], 'c')) {
      inv.mode = SendMode::kCopy;
    } else {
      return inv;
    }
    inv.action = Action::kSend;
    inv.item_path = args[1];
  }
  return inv;
}

template std::vector<std::string> SplitCommandLine<char>(std::string_view);
template std::vector<std::wstring> SplitCommandLine<wchar_t>(std::wstring_view);
template Invocation ParseInvocation<char>(const std::vector<std::string>&);
template WideInvocation ParseInvocation<wchar_t>(const std::vector<std::wstring>&);

}  // namespace zrnx
