#pragma once
// The association of .zrx items as data: the ordered registry steps for the
// choices of one apply, and the steps that take it away again. Applying
// them goes through RegistryPort, so the order and the failures are tested
// without a registry.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options/shell_integration.h"

namespace zrnx {

// Where a tree of class keys is written: the shell's merged view of the
// classes, or the current user's own classes (HKCU\Software\Classes), which
// a process that is not elevated can always write.
enum class RegistryRoot { kClasses, kUserClasses };

enum class RegStatus { kOk, kAccessDenied, kFailed };

class RegistryPort {
 public:
  virtual ~RegistryPort() = default;
  // Creates the key (or opens it when it exists) and closes it again.
  virtual RegStatus CreateKey(RegistryRoot root, const std::string& key) = 0;
  // Opens the key for writing, creating it when missing, and sets one REG_SZ
  // value ("" names the default value).
  // A `path` takes the place of the "%s" in `data`: the item sender's path
  // goes in as the wide call gave it.
  virtual RegStatus SetValue(RegistryRoot root, const std::string& key, const std::string& name,
                             const std::string& data, const std::optional<std::wstring>& path) = 0;
  // Deletes the key with its whole subtree; a missing key is no error.
  virtual void DeleteTree(RegistryRoot root, const std::string& key) = 0;
  virtual bool KeyExists(RegistryRoot root, const std::string& key) = 0;
  // A REG_SZ or REG_EXPAND_SZ value ("" names the default value) as the
  // wide call reads it, environment strings expanded; nullopt when the key or
  // value is missing or holds something else.
  virtual std::optional<std::wstring> ReadValue(RegistryRoot root, const std::string& key,
                                                const std::string& name) = 0;
};

struct RegistryStep {
  enum class Kind { kCreateKey, kSetValue, kDeleteTree };
  Kind kind;
  std::string key;
  std::string name;  // kSetValue: the value's name, "" for the default value
  std::string data;  // kSetValue: its text
  std::optional<std::wstring> path;  // kSetValue: in place of the "%s" in data
  bool operator==(const RegistryStep&) const = default;
};

inline constexpr std::string_view kExtensionKey = ".zrx";
inline constexpr std::string_view kFileTypeKey = "zrx_auto_file";
inline constexpr std::wstring_view kWideFileTypeKey = L"zrx_auto_file";

inline constexpr std::string_view kKeyCreateFailed = "ｷｰ %s の作成に失敗しました";
inline constexpr std::string_view kValueSetFailed = "'%s' の設定に失敗しました";
inline constexpr std::string_view kKeyRemoveFailed = "ｷｰ %s の削除に失敗しました";
inline constexpr std::string_view kFileRemoveFailed = "%s の削除に失敗しました";

// The key whose default value names the program that opens an item.
inline constexpr std::string_view kOpenCommandKey = "zrx_auto_file\\shell\\open\\command";

// The program a command line starts: the text inside a leading pair of
// quotes, else everything up to the first space. A quote that is never
// closed, or nothing at all, gives "".
std::wstring CommandProgram(std::wstring_view command);

// Every key and value of the association, in the order they are written.
std::vector<RegistryStep> AssociationPlan(const ShellChoices& choices);

// The two keys with their subtrees.
std::vector<RegistryStep> RemovalPlan();

// Runs the steps in order under `root`. A key or value that cannot be
// written raises Error with its text and nothing after it runs. Returns
// kAccessDenied, having done nothing more, when a write was refused for lack
// of access and `stop_when_denied` is set; `writes` counts what was done.
RegStatus ApplyRegistryPlan(const std::vector<RegistryStep>& plan, RegistryPort& registry, RegistryRoot root,
                            bool stop_when_denied, int& writes);

}  // namespace zrnx
