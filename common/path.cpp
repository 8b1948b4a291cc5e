#include "common/path.h"

#include <vector>

namespace zrnx {
namespace {

constexpr std::string_view kFolderDelimiters = "\\:";
constexpr std::string_view kExtensionDelimiters = ".\\:";

std::size_t ExtensionStart(std::string_view path, const LeadBytes& lead) {
  std::size_t pos = LastDelimiter(kExtensionDelimiters, path, lead);
  return (pos != std::string_view::npos && path[pos] == '.') ? pos : path.size();
}

}  // namespace

std::string FileExtension(std::string_view path, const LeadBytes& lead) {
  return std::string(path.substr(ExtensionStart(path, lead)));
}

std::string FolderPart(std::string_view path, const LeadBytes& lead) {
  std::size_t pos = LastDelimiter(kFolderDelimiters, path, lead);
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string DirectoryPart(std::string_view path, const LeadBytes& lead) {
  std::string folder = FolderPart(path, lead);
  if (folder.empty() || folder.back() != '\\' || folder.size() == 1) return folder;
  // The character before the trailing backslash: a delimiter of its own keeps it.
  std::string_view before(folder.data(), folder.size() - 1);
  std::size_t last = LastDelimiter(kFolderDelimiters, before, lead);
  if (last != std::string_view::npos && last == before.size() - 1) return folder;
  folder.pop_back();
  return folder;
}

bool EndsWithBackslash(std::string_view path, const LeadBytes& lead) {
  return !path.empty() && LastDelimiter("\\", path, lead) == path.size() - 1;
}

std::string WithoutTrailingBackslash(std::string path, const LeadBytes& lead) {
  if (EndsWithBackslash(path, lead)) path.pop_back();
  return path;
}

std::string PathInFolder(std::string folder, std::string_view relative, const LeadBytes& lead) {
  if (!EndsWithBackslash(folder, lead)) folder += '\\';
  return folder.append(relative);
}

std::string NormalPath(std::string_view path, const LeadBytes& lead) {
  if (path.substr(0, 4) == "\\\\?\\") return std::string(path);
  // The segments, split at each '\' or '/' that is a character of its own.
  std::vector<std::string> parts(1);
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = lead.CharLength(path, pos);
    if (length == 1 && (path[pos] == '\\' || path[pos] == '/')) {
      parts.emplace_back();
    } else {
      parts.back().append(path, pos, length);
    }
    pos += length;
  }
  // The root: "C:\" keeps its drive; "\\server\share" its first two names.
  std::string root;
  std::size_t first = 0;
  if (parts.size() > 1 && parts[0].size() == 2 && parts[0][1] == ':') {
    root = parts[0] + '\\';
    first = 1;
  } else if (parts.size() > 3 && parts[0].empty() && parts[1].empty()) {
    root = "\\\\" + parts[2] + '\\' + parts[3] + '\\';
    first = 4;
  } else if (parts.size() > 1 && parts[0].empty()) {
    root = "\\";
    first = 1;
  }
  std::vector<std::string> kept;
  for (std::size_t i = first; i < parts.size(); ++i) {
    std::string part = parts[i];
    if (i + 1 == parts.size()) {
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    } else if (part.size() > 1 && part.back() == '.' && part[part.size() - 2] != '.') {
      part.pop_back();
    }
    if (parts[i] == "..") {
      if (!kept.empty() && kept.back() != "..") {
        kept.pop_back();
      } else if (root.empty()) {
        kept.push_back(parts[i]);
      }
    } else if (!part.empty() && parts[i] != ".") {
      kept.push_back(std::move(part));
    }
  }
  // Every root ends in its backslash; a name may end in a trail byte 0x5C.
  std::string normal = root;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) normal += '\\';
    normal += kept[i];
  }
  return normal;
}

std::string NamePart(std::string_view path, const LeadBytes& lead) {
  std::size_t pos = LastDelimiter(kFolderDelimiters, path, lead);
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ChangeExtension(std::string_view path, std::string_view extension, const LeadBytes& lead) {
  std::string result(path.substr(0, ExtensionStart(path, lead)));
  result += extension;
  return result;
}

std::string LowerAscii(std::string_view text, const LeadBytes& lead) {
  std::string result(text);
  for (std::size_t pos = 0; pos < result.size(); pos += lead.CharLength(result, pos)) {
    char& c = result[pos];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

namespace {

std::size_t WideExtensionStart(std::wstring_view path) {
  std::size_t pos = path.find_last_of(L".\\:");
  return (pos != std::wstring_view::npos && path[pos] == L'.') ? pos : path.size();
}

}  // namespace

std::wstring FileExtension(std::wstring_view path) { return std::wstring(path.substr(WideExtensionStart(path))); }

std::wstring FolderPart(std::wstring_view path) {
  std::size_t pos = path.find_last_of(L"\\:");
  return pos == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, pos + 1));
}

std::wstring DirectoryPart(std::wstring_view path) {
  std::wstring folder = FolderPart(path);
  if (folder.size() < 2 || folder.back() != L'\\') return folder;
  // A delimiter just before the trailing backslash keeps it (C:\, \\).
  const wchar_t before = folder[folder.size() - 2];
  if (before != L':' && before != L'\\') folder.pop_back();
  return folder;
}

std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension) {
  std::wstring result(path.substr(0, WideExtensionStart(path)));
  result += extension;
  return result;
}

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return result;
}

std::string UnquotedPath(std::string_view text) {
  // Neither a blank nor a quote is ever the second byte of a double-byte character.
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string(text);
  const std::size_t last = text.find_last_not_of(" \t");
  const std::string_view inner = text.substr(first, last - first + 1);
  if (inner.size() < 2 || inner.front() != '"' || inner.back() != '"') return std::string(text);
  const std::string_view path = inner.substr(1, inner.size() - 2);
  if (path.find('"') != std::string_view::npos) return std::string(text);
  return std::string(path);
}

}  // namespace zrnx
