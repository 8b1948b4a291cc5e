#include "components/link_cache.h"

#include <charconv>
#include <vector>

namespace zrnx {
namespace {

// The fields of a line: name, stamp, target, arguments, work_dir,
// description, icon_path, icon_index, hot_key, app_id, wide_target.
constexpr std::size_t kFields = 11;

void Escaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

template <typename Number>
std::optional<Number> NumberOf(std::string_view text, int base) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string WideHex(const std::wstring& text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (wchar_t c : text) {
    for (int shift = 12; shift >= 0; shift -= 4) hex += kDigits[(static_cast<unsigned>(c) >> shift) & 0xF];
  }
  return hex;
}

std::optional<std::wstring> WideOfHex(std::string_view hex) {
  if (hex.size() % 4 != 0) return std::nullopt;
  std::wstring text;
  for (std::size_t i = 0; i < hex.size(); i += 4) {
    const std::optional<unsigned> c = NumberOf<unsigned>(hex.substr(i, 4), 16);
    if (!c) return std::nullopt;
    text += static_cast<wchar_t>(*c);
  }
  return text;
}

std::string LinkCacheText(const LinkCache& cache) {
  std::string text;
  for (const auto& [name, cached] : cache) {
    const LinkRead& link = cached.link;
    Escaped(text, name);
    text.append(1, '\t').append(std::to_string(cached.stamp));
    for (const std::string* field : {&link.target, &link.arguments, &link.work_dir, &link.description, &link.icon_path}) {
      text += '\t';
      Escaped(text, *field);
    }
    text.append(1, '\t').append(std::to_string(link.icon_index));
    text.append(1, '\t').append(std::to_string(link.hot_key));
    text += '\t';
    Escaped(text, link.app_id);
    text.append(1, '\t').append(WideHex(link.wide_target)).append(1, '\n');
  }
  return text;
}

LinkCache ParseLinkCache(const std::string& text) {
  LinkCache cache;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    if (fields.size() != kFields) continue;
    std::optional<std::string> strings[7];
    const std::size_t string_fields[7] = {0, 2, 3, 4, 5, 6, 9};
    bool whole = true;
    for (std::size_t i = 0; i < 7; ++i) {
      strings[i] = Unescaped(fields[string_fields[i]]);
      whole = whole && strings[i].has_value();
    }
    const auto stamp = NumberOf<std::uint64_t>(fields[1], 10);
    const auto icon_index = NumberOf<int>(fields[7], 10);
    const auto hot_key = NumberOf<std::uint16_t>(fields[8], 10);
    const auto wide_target = WideOfHex(fields[10]);
    if (!whole || !stamp || !icon_index || !hot_key || !wide_target) continue;
    LinkRead link{*strings[1], *strings[2], *strings[3], *strings[4], *strings[5], *icon_index, *hot_key,
                  *strings[6], *wide_target};
    cache[*strings[0]] = {*stamp, std::move(link)};
  }
  return cache;
}

}  // namespace zrnx
