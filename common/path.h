#pragma once
// Path helpers shared by both programs. The delimiters of a path are '\' and
// ':' (and '.' for the extension), recognised only as characters of their
// own, never as the second byte of a double-byte character.

#include <string>
#include <string_view>

#include "common/dbcs.h"

namespace zrnx {

// The text from the last '.' that follows the last '\' or ':', or empty.
std::string FileExtension(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// The path up to and including its last '\' or ':' (empty when it has none).
std::string FolderPart(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// FolderPart without its trailing '\', unless the character before that
// backslash is ':' or '\' itself: C:\A\X.lnk gives C:\A, C:\X.lnk gives C:\,
// \X.lnk gives a lone backslash.
std::string DirectoryPart(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// The rest after the last '\' or ':'.
std::string NamePart(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// Replaces the extension, or appends `extension` when the path has none.
std::string ChangeExtension(std::string_view path, std::string_view extension,
                            const LeadBytes& lead = SystemLeadBytes());

// Whether the path ends in a backslash (a 0x5C that closes a double-byte
// character is none), the path without it, and `relative` below `folder`
// with one backslash between them.
bool EndsWithBackslash(std::string_view path, const LeadBytes& lead = SystemLeadBytes());
std::string WithoutTrailingBackslash(std::string path, const LeadBytes& lead = SystemLeadBytes());
std::string PathInFolder(std::string folder, std::string_view relative, const LeadBytes& lead = SystemLeadBytes());

// The path as the system reads a full path: '/' taken for '\', empty and
// "." segments dropped, ".." taking the segment before it (never the root),
// one trailing period dropped from each folder's name and every trailing
// period and space from the last name. No trailing backslash but a root's
// ("C:\", "\\server\share\"). A "\\?\" path is taken as it is.
std::string NormalPath(std::string_view path, const LeadBytes& lead = SystemLeadBytes());

// A path as a user may paste it ("copy as path" quotes it): without blanks
// around it and without one pair of enclosing double quotes, when no other
// quote stands between them. Anything else comes back unchanged.
std::string UnquotedPath(std::string_view text);

// ASCII capitals A-Z lowered; every other byte unchanged (so the second
// bytes of double-byte characters, which may be capitals, stay as they are).
std::string LowerAscii(std::string_view text, const LeadBytes& lead = SystemLeadBytes());

// The same rules for paths from the wide calls, where every delimiter is a
// character of its own.
std::wstring FileExtension(std::wstring_view path);
std::wstring FolderPart(std::wstring_view path);
std::wstring DirectoryPart(std::wstring_view path);
std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension);
std::wstring LowerAscii(std::wstring_view text);

}  // namespace zrnx
