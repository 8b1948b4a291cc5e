#pragma once
// The item sender's command line: splitting and the choice of mode, for the
// code-page form and the wide form alike (the wide form carries every path
// Windows can hold).

#include <string>
#include <string_view>
#include <vector>

namespace zrnx {

// Splits a raw command line into its arguments, the program's own path (the
// first token) left out. Blanks are the units 0x01-0x20; a double quote opens
// a stretch that runs to the next one (or the end) and joins the units around
// it into the same token; there is no escape character. Counting stops at
// the first token that comes out empty. Tokens have no length limit.
template <class Ch>
std::vector<std::basic_string<Ch>> SplitCommandLine(std::basic_string_view<Ch> command_line);

inline std::vector<std::string> SplitCommandLine(std::string_view line) { return SplitCommandLine<char>(line); }
inline std::vector<std::wstring> SplitCommandLine(std::wstring_view line) { return SplitCommandLine<wchar_t>(line); }

enum class SendMode { kPaste, kCopy, kClipboardOnly };

template <class Ch>
struct BasicInvocation {
  enum class Action { kAbout, kUsageError, kSend };
  Action action = Action::kAbout;
  SendMode mode = SendMode::kClipboardOnly;
  std::basic_string<Ch> item_path;
};
using Invocation = BasicInvocation<char>;
using WideInvocation = BasicInvocation<wchar_t>;

// No arguments: the about box. "/p" or "/P" and a path: paste; "/c" or "/C"
// and a path: copy; a single non-switch argument: clipboard only. Anything
// else is a usage error.
template <class Ch>
BasicInvocation<Ch> ParseInvocation(const std::vector<std::basic_string<Ch>>& args);

}  // namespace zrnx
