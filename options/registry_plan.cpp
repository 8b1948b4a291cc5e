#include "options/registry_plan.h"

#include "common/error.h"
#include "common/path.h"

namespace zrnx {
namespace {

constexpr std::string_view kPasteLabel = "貼り付け(&P)";
constexpr std::string_view kCopyLabel = "クリップボードへ送る(&N)";
constexpr std::string_view kEditLabel = "編集(&E)";
constexpr std::string_view kFileTypeName = "Zarnik NX ファイル";

// Paths go in as they are: the shell splits the command at the quotes. The
// sender's path takes the place of the "%s".
std::string SenderCommand(std::string_view mode) {
  std::string command = "\"%s\" ";
  command.append(mode).append(" \"%1\"");
  return command;
}

RegistryStep Create(std::string_view key) { return {RegistryStep::Kind::kCreateKey, std::string(key), {}, {}}; }

RegistryStep Set(std::string key, std::string name, std::string data,
                 std::optional<std::wstring> path = std::nullopt) {
  return {RegistryStep::Kind::kSetValue, std::move(key), std::move(name), std::move(data), std::move(path)};
}

RegistryStep Delete(std::string key) { return {RegistryStep::Kind::kDeleteTree, std::move(key), {}, {}}; }

}  // namespace

std::vector<RegistryStep> AssociationPlan(const ShellChoices& choices) {
  const std::string ext(kExtensionKey);
  const std::string type(kFileTypeKey);
  const std::string shell = type + "\\shell\\";
  const std::string paste = SenderCommand("/p");
  const std::string copy = SenderCommand("/c");
  const std::wstring& sender = choices.item_sender_path;
  // The shell's default verb is "open": PasteMode decides whether it pastes.
  const bool p = choices.paste_mode;

  std::vector<RegistryStep> plan{Create(ext), Create(type), Set(ext, "", type)};
  plan.push_back(choices.new_menu ? Set(ext + "\\ShellNew", "NullFile", "") : Delete(ext + "\\ShellNew"));
  plan.insert(plan.end(), {
      Set(type, "", std::string(kFileTypeName)),
      Set(type, "NeverShowExt", ""),
      Set(type + "\\DefaultIcon", "", "%s,1", sender),
      Set(shell + "open", "", std::string(p ? kPasteLabel : kCopyLabel)),
      Set(shell + "open\\command", "", p ? paste : copy, sender),
      Set(shell + "open2", "", std::string(p ? kCopyLabel : kPasteLabel)),
      Set(shell + "open2\\command", "", p ? copy : paste, sender),
      Set(shell + "Edit", "", std::string(kEditLabel)),
      Set(shell + "Edit\\command", "", "\"" + choices.editor + "\" \"%1\""),
  });
  return plan;
}

std::vector<RegistryStep> RemovalPlan() {
  return {Delete(std::string(kExtensionKey)), Delete(std::string(kFileTypeKey))};
}

std::wstring CommandProgram(std::wstring_view command) {
  const std::size_t start = command.find_first_not_of(L" \t");
  if (start == std::wstring_view::npos) return {};
  command.remove_prefix(start);
  if (command.front() != L'"') return std::wstring(command.substr(0, command.find(L' ')));
  const std::size_t close = command.find(L'"', 1);
  if (close == std::wstring_view::npos) return {};
  return std::wstring(command.substr(1, close - 1));
}

RegStatus ApplyRegistryPlan(const std::vector<RegistryStep>& plan, RegistryPort& registry, RegistryRoot root,
                            bool stop_when_denied, int& writes) {
  for (const RegistryStep& step : plan) {
    RegStatus status = RegStatus::kOk;
    switch (step.kind) {
      case RegistryStep::Kind::kCreateKey:
        status = registry.CreateKey(root, step.key);
        break;
      case RegistryStep::Kind::kSetValue:
        status = registry.SetValue(root, step.key, step.name, step.data, step.path);
        break;
      case RegistryStep::Kind::kDeleteTree:
        registry.DeleteTree(root, step.key);
        break;
    }
    if (status == RegStatus::kAccessDenied && stop_when_denied) return status;
    if (status != RegStatus::kOk) {
      bool create = step.kind == RegistryStep::Kind::kCreateKey;
      throw Error(WithValue(create ? kKeyCreateFailed : kValueSetFailed, create ? step.key : step.name));
    }
    ++writes;
  }
  return RegStatus::kOk;
}

}  // namespace zrnx
