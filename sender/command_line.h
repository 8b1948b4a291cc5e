#pragma once
// The item sender's command line: splitting and the choice of mode.

#include <string>
#include <string_view>
#include <vector>

namespace zrnx {

// Splits a raw command line into its arguments, the program's own path (the
// first token) left out. Blanks are the bytes 0x01-0x20; a double quote opens
// a stretch that runs to the next one (or the end) and joins the bytes around
// it into the same token; there is no escape character. Counting stops at
// the first token that comes out empty. Tokens have no length limit.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

enum class SendMode { kPaste, kCopy, kClipboardOnly };

struct Invocation {
  enum class Action { kAbout, kUsageError, kSend };
  Action action = Action::kAbout;
  SendMode mode = SendMode::kClipboardOnly;
  std::string item_path;
};

// No arguments: the about box. "/p" or "/P" and a path: paste; "/c" or "/C"
// and a path: copy; a single non-switch argument: clipboard only. Anything
// else is a usage error.
Invocation ParseInvocation(const std::vector<std::string>& args);

}  // namespace zrnx
