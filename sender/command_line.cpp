#include "sender/command_line.h"

namespace zrnx {
namespace {

bool IsBlank(char c) {
  auto b = static_cast<unsigned char>(c);
  return b >= 0x01 && b <= 0x20;
}

// Reads one token from `pos`; leaves `pos` after it.
std::string NextToken(std::string_view line, std::size_t& pos) {
  // Blanks and empty quoted pairs before a token are skipped.
  for (;;) {
    if (pos < line.size() && IsBlank(line[pos])) {
      ++pos;
    } else if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"') {
      pos += 2;
    } else {
      break;
    }
  }
  std::string token;
  bool quoted = false;
  for (; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '\0') break;
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      token += c;
    }
  }
  return token;
}

bool IsSwitch(std::string_view arg, char lower) {
  return arg.size() == 2 && arg[0] == '/' && (arg[1] == lower || arg[1] == lower - 'a' + 'A');
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  if (auto nul = command_line.find('\0'); nul != std::string_view::npos) command_line = command_line.substr(0, nul);
  std::size_t pos = 0;
  NextToken(command_line, pos);  // the program's own path
  std::vector<std::string> args;
  for (;;) {
    std::string token = NextToken(command_line, pos);
    if (token.empty()) break;
    args.push_back(std::move(token));
  }
  return args;
}

Invocation ParseInvocation(const std::vector<std::string>& args) {
  Invocation inv;
  if (args.empty()) {
    inv.action = Invocation::Action::kAbout;
    return inv;
  }
  inv.action = Invocation::Action::kUsageError;
  if (args.size() == 1) {
    if (IsSwitch(args[0], 'p') || IsSwitch(args[0], 'c')) return inv;
    inv.action = Invocation::Action::kSend;
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
    inv.action = Invocation::Action::kSend;
    inv.item_path = args[1];
  }
  return inv;
}

}  // namespace zrnx
