#pragma once
// A profile store held in memory, for tests of logic that reads settings.
// Names match without regard to case, as the platform's do; values are
// returned as stored (the trimming rules belong to the real stores).

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/path.h"
#include "common/profile_store.h"

namespace zrnx::test {

class FakeProfileStore : public ProfileStore {
 public:
  void Set(std::string_view section, std::string_view key, std::string_view value) {
    values_[Name(section)][Name(key)] = std::string(value);
  }

  std::string GetString(const std::wstring& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t buffer_size) override {
    reads.push_back(std::string(key));
    paths.push_back(path);
    std::string value(fallback);
    if (auto s = values_.find(Name(section)); s != values_.end()) {
      if (auto k = s->second.find(Name(key)); k != s->second.end()) value = k->second;
    }
    if (value.size() >= buffer_size) value.resize(buffer_size - 1);
    return value;
  }

  bool WriteString(const std::wstring& path, std::string_view section, std::optional<std::string_view> key,
                   std::optional<std::string_view> value) override {
    paths.push_back(path);
    if (fail_writes) return false;
    if (writes_before_failure == 0) return false;
    if (writes_before_failure > 0) --writes_before_failure;
    writes.push_back(std::string(section) + (key ? "/" + std::string(*key) + "=" + std::string(value.value_or("")) : "/-"));
    if (!key) {
      values_.erase(Name(section));
    } else {
      Set(section, *key, value.value_or(""));
    }
    return true;
  }

  bool CanWrite(const std::wstring& path) override {
    paths.push_back(path);
    ++probes;
    return !fail_writes && writes_before_failure != 0;
  }

  std::vector<std::string> reads;  // keys in the order they were read
  std::vector<std::wstring> paths;
  bool fail_writes = false;
  // Writes that succeed before every later one fails; -1 for no limit.
  int writes_before_failure = -1;
  // Successful writes in order: "Section/Key=Value", or "Section/-" for an erased section.
  std::vector<std::string> writes;
  int probes = 0;  // CanWrite calls

  // A stored value, or nullopt.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const {
    auto s = values_.find(Name(section));
    if (s == values_.end()) return std::nullopt;
    auto k = s->second.find(Name(key));
    if (k == s->second.end()) return std::nullopt;
    return k->second;
  }
  bool HasSection(std::string_view section) const { return values_.count(Name(section)) != 0; }

 private:
  static std::string Name(std::string_view name) { return LowerAscii(name); }
  std::map<std::string, std::map<std::string, std::string>> values_;
};

}  // namespace zrnx::test
