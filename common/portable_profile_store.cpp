#include "common/portable_profile_store.h"

#include <cstdio>

#include "common/text_file.h"

namespace zrnx {
namespace {

// The blanks the platform strips around names and values; ^Z ends old DOS files.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

char LowerAsciiChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names match without regard to the case of ASCII letters; a double-byte
// character matches only itself (its second byte may look like a letter).
bool SameName(std::string_view a, std::string_view b, const LeadBytes& lead) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t length = lead.CharLength(a, pos);
    if (length != lead.CharLength(b, pos)) return false;
    if (length == 2 ? a.substr(pos, 2) != b.substr(pos, 2) : LowerAsciiChar(a[pos]) != LowerAsciiChar(b[pos]))
      return false;
    pos += length;
  }
  return true;
}

// One line of the file: [begin, end) is its text, [end, next) its line ending.
struct Line {
  enum class Kind { kBlank, kSection, kEntry };
  Kind kind = Kind::kBlank;
  std::size_t begin = 0, end = 0, next = 0;
  std::string_view name;   // section or key name
  std::string_view value;  // entries: the text after '=', blanks around it removed
  bool has_value = false;  // entries: the line holds a '='
};

Line ParseLine(std::string_view contents, std::size_t begin, const LeadBytes& lead) {
  Line line;
  line.begin = begin;
  std::size_t lf = contents.find('\n', begin);
  line.next = (lf == std::string_view::npos) ? contents.size() : lf + 1;
  line.end = (lf == std::string_view::npos) ? contents.size() : lf;
  if (line.end > begin && contents[line.end - 1] == '\r') --line.end;

  std::string_view text = Trim(contents.substr(begin, line.end - begin));
  // A byte-order mark before the first line is not part of it.
  if (begin == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") text = Trim(text.substr(3));
  if (text.empty()) return line;
  if (text.front() == '[') {
    std::size_t close = LastDelimiter("]", text, lead);
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::kSection;
      line.name = text.substr(1, close - 1);
      return line;
    }
  }
  line.kind = Line::Kind::kEntry;
  std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) {
    line.name = text;
    return line;
  }
  line.name = TrimRight(text.substr(0, eq));
  line.value = TrimLeft(text.substr(eq + 1));
  line.has_value = true;
  return line;
}

// What one pass over the file finds about the first section of a name.
struct SectionScan {
  bool found = false;
  std::optional<Line> key;           // the first entry of the key in it
  std::size_t after_last_line = 0;   // end of its last line that is not blank
  bool last_line_terminated = true;  // that line ends with a line break
};

// Walks the lines without keeping them: a file of millions of short lines
// costs no more memory than its bytes.
SectionScan ScanSection(std::string_view contents, std::string_view section, std::string_view key,
                        const LeadBytes& lead) {
  SectionScan scan;
  for (std::size_t pos = 0; pos < contents.size();) {
    const Line line = ParseLine(contents, pos, lead);
    pos = line.next;
    if (line.kind == Line::Kind::kSection) {
      if (scan.found) break;
      if (line.name.empty() || !SameName(line.name, section, lead)) continue;
      scan.found = true;
    } else if (!scan.found || line.kind == Line::Kind::kBlank) {
      continue;
    } else if (!scan.key && SameName(line.name, key, lead)) {
      scan.key = line;
    }
    scan.after_last_line = line.next;
    scan.last_line_terminated = contents[line.next - 1] == '\n';
  }
  return scan;
}

std::string CutTo(std::string_view text, std::size_t buffer_size) {
  if (buffer_size == 0) return std::string();
  return std::string(text.substr(0, buffer_size - 1));
}

// The line ending the file already uses; CR LF for a new file.
std::string_view NewlineOf(std::string_view contents) {
  std::size_t lf = contents.find('\n');
  return (lf != std::string_view::npos && (lf == 0 || contents[lf - 1] != '\r')) ? "\n" : "\r\n";
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A name can be written when the line made of it reads back as that name: not
// empty, no line break or 0x00, no '=' in a key, no key that looks like a
// section, no section name whose last byte would swallow the ']'.
bool Writable(Line::Kind kind, std::string_view name, const LeadBytes& lead) {
  if (name.empty() || HasLineBreak(name) || name.find('\0') != std::string_view::npos) return false;
  // Parsed from offset 1, where no byte-order mark is looked for.
  std::string text(kind == Line::Kind::kSection ? " [" : " ");
  text.append(name).append(kind == Line::Kind::kSection ? "]" : "=");
  const Line line = ParseLine(text, 1, lead);
  return line.kind == kind && line.name == name;
}

}  // namespace

std::string ReadProfileValue(std::string_view contents, std::string_view section, std::string_view key,
                             std::string_view fallback, std::size_t buffer_size, const LeadBytes& lead) {
  const SectionScan scan = ScanSection(contents, Trim(section), Trim(key), lead);
  if (!scan.key || !scan.key->has_value) return CutTo(fallback, buffer_size);
  std::string_view value = UpToNul(scan.key->value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return CutTo(value, buffer_size);
}

namespace {

// Every section called `section` left out, with all its lines.
std::string EraseSections(std::string_view contents, std::string_view section, const LeadBytes& lead) {
  std::string result;
  result.reserve(contents.size());
  bool erasing = false;
  for (std::size_t pos = 0; pos < contents.size();) {
    const Line line = ParseLine(contents, pos, lead);
    if (line.kind == Line::Kind::kSection) erasing = SameName(line.name, section, lead);
    if (!erasing) result.append(contents.substr(line.begin, line.next - line.begin));
    pos = line.next;
  }
  return result;
}

}  // namespace

std::optional<std::string> UpdateProfileText(std::string_view contents, std::string_view section,
                                             std::optional<std::string_view> key,
                                             std::optional<std::string_view> value, const LeadBytes& lead) {
  section = Trim(section);
  if (!Writable(Line::Kind::kSection, section, lead)) return std::nullopt;
  if (key) {
    key = Trim(*key);
    if (!Writable(Line::Kind::kEntry, *key, lead)) return std::nullopt;
  }
  if (value) {
    value = UpToNul(*value);
    if (HasLineBreak(*value)) return std::nullopt;
  }
  if (!key) return EraseSections(contents, section, lead);

  const SectionScan scan = ScanSection(contents, section, *key, lead);
  const std::string_view newline = NewlineOf(contents);
  std::string result;
  result.reserve(contents.size() + (value ? value->size() : 0) + section.size() + key->size() + 16);

  if (scan.key) {
    const Line& line = *scan.key;
    result.append(contents.substr(0, line.begin));
    if (value) {
      // Everything up to the '=' stays as it was; the old value goes.
      std::string_view text = contents.substr(line.begin, line.end - line.begin);
      std::size_t eq = text.find('=');
      result.append(eq == std::string_view::npos ? TrimRight(text) : text.substr(0, eq));
      result.append("=").append(*value);
      result.append(contents.substr(line.end));
    } else {
      result.append(contents.substr(line.next));
    }
    return result;
  }
  if (!value) return std::string(contents);

  if (scan.found) {
    // A new key goes after the section's last line that is not blank.
    result.append(contents.substr(0, scan.after_last_line));
    if (!scan.last_line_terminated) result.append(newline);
    result.append(*key).append("=").append(*value).append(newline);
    result.append(contents.substr(scan.after_last_line));
    return result;
  }
  result.append(contents);
  if (!result.empty() && result.back() != '\n') result.append(newline);
  result.append("[").append(section).append("]").append(newline);
  result.append(*key).append("=").append(*value).append(newline);
  return result;
}

std::string PortableProfileStore::GetString(const std::wstring& path, std::string_view section, std::string_view key,
                                            std::string_view fallback, std::size_t buffer_size) {
  FileContents file = ReadWholeFile(path);
  if (file.status != FileRead::kOk) return CutTo(fallback, buffer_size);
  return ReadProfileValue(file.bytes, section, key, fallback, buffer_size, lead_);
}

bool PortableProfileStore::WriteString(const std::wstring& path, std::string_view section,
                                       std::optional<std::string_view> key, std::optional<std::string_view> value) {
  FileContents file = ReadWholeFile(path);
  if (file.status == FileRead::kFailed) return false;  // never write over what could not be read
  std::optional<std::string> updated = UpdateProfileText(file.bytes, section, key, value, lead_);
  if (!updated) return false;
  if (file.status == FileRead::kMissing && updated->empty()) return true;  // nothing to erase, nothing to create
  return ReplaceWholeFile(path, *updated);
}

bool PortableProfileStore::CanWrite(const std::wstring& path) {
  FileContents file = ReadWholeFile(path);
  if (file.status == FileRead::kFailed) return false;
  if (!ReplaceWholeFile(path, file.bytes)) return false;
  if (file.status == FileRead::kMissing) RemoveWholeFile(path);
  return true;
}

}  // namespace zrnx
