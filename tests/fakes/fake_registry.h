#pragma once
// A registry of two class roots in memory that notes every call and can
// refuse chosen writes.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/error.h"
#include "options/registry_plan.h"

namespace zrnx::test {

class FakeRegistry : public RegistryPort {
 public:
  using Values = std::map<std::string, std::string>;  // name -> data
  using Tree = std::map<std::string, Values>;         // key path -> values

  RegStatus CreateKey(RegistryRoot root, const std::string& key) override {
    return Write(root, "create " + key, [&] { TreeOf(root)[key]; });
  }
  // A path stands in its "%s" with its ASCII characters, the rest as '?'.
  RegStatus SetValue(RegistryRoot root, const std::string& key, const std::string& name, const std::string& data,
                     const std::optional<std::wstring>& path) override {
    const std::string text = path ? Error(data, *path).what() : data;
    if (path) wide_values[key + " [" + name + "]"] = *path;
    return Write(root, "set " + key + " [" + name + "]=" + text, [&] { TreeOf(root)[key][name] = text; });
  }
  void DeleteTree(RegistryRoot root, const std::string& key) override {
    calls.push_back(Prefix(root) + "delete " + key);
    if (undeletable.count(Prefix(root) + key)) return;
    Tree& tree = TreeOf(root);
    std::erase_if(tree, [&](const auto& entry) {
      return entry.first == key || entry.first.starts_with(key + "\\");
    });
  }
  bool KeyExists(RegistryRoot root, const std::string& key) override { return TreeOf(root).count(key) > 0; }
  // What the wide call reads: a text planted in wide_data, else the stored
  // bytes one unit each (exact for ASCII).
  std::optional<std::wstring> ReadValue(RegistryRoot root, const std::string& key, const std::string& name) override {
    const Tree& tree = TreeOf(root);
    auto found = tree.find(key);
    if (found == tree.end() || !found->second.count(name)) return std::nullopt;
    if (auto wide = wide_data.find(Prefix(root) + key + " [" + name + "]"); wide != wide_data.end()) return wide->second;
    std::wstring units;
    for (char byte : found->second.at(name)) units += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    return units;
  }

  Tree& TreeOf(RegistryRoot root) { return root == RegistryRoot::kClasses ? classes : user_classes; }

  Tree classes, user_classes;
  std::map<std::string, std::wstring> wide_values;  // "key [name]" -> the path that went in
  // "HKCR key [name]" -> the text a read gives, for values beyond the code
  // page (set with the stored bytes, which keep the key's place).
  std::map<std::string, std::wstring> wide_data;
  // Trees that stay when deleted, as "HKCR .zrx" (written by an elevated run).
  std::set<std::string> undeletable;
  std::vector<std::string> calls;  // "HKCR create .zrx", "HKCU set zrx_auto_file [NeverShowExt]="
  // Answers each write before it is made: kOk lets it through.
  std::function<RegStatus(RegistryRoot root, int write_index)> refuse = [](RegistryRoot, int) {
    return RegStatus::kOk;
  };

 private:
  static std::string Prefix(RegistryRoot root) { return root == RegistryRoot::kClasses ? "HKCR " : "HKCU "; }

  template <typename Apply>
  RegStatus Write(RegistryRoot root, const std::string& what, Apply apply) {
    calls.push_back(Prefix(root) + what);
    RegStatus status = refuse(root, writes_++);
    if (status == RegStatus::kOk) apply();
    return status;
  }
  int writes_ = 0;
};

}  // namespace zrnx::test
