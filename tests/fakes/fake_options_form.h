#pragma once
// The options window's ports in memory: controls by identifier, the system
// around the window with scripted answers, a shell integration that records
// what it is asked for.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/error.h"
#include "components/browse_folder_dlg.h"
#include "components/shell_link.h"
#include "options/control_ids.h"
#include "options/form_ports.h"
#include "options/shell_integration.h"
#include "options/texts.h"

namespace zrnx::test {

class FakeFormView : public FormView {
 public:
  bool Checked(int id) const override { return Get(checked, id); }
  void SetChecked(int id, bool value) override { checked[id] = value; }
  void SetEnabled(int id, bool value) override { enabled[id] = value; }
  std::string Text(int id) const override { return Get(texts, id); }
  bool TextFitsCodePage(int id) const override { return !beyond_code_page.count(id); }
  void SetText(int id, const std::string& text) override { texts[id] = text; }
  // Seven items, as the real list has.
  int ItemIndex(int id) const override { return item_index.count(id) ? item_index.at(id) : -1; }
  void SetItemIndex(int id, int index) override { item_index[id] = index >= 0 && index < 7 ? index : -1; }
  void Focus(int id) override { focus = id; }
  void ShowPage(int id) override { page = id; }
  void ShowForm() override {
    visible = true;
    ++shown;
  }
  void HideForm() override { visible = false; }
  void CloseForm() override { ++close_requests; }

  std::vector<WindowRow> Rows(int id) const override { return Get(rows, id); }
  void ClearRows(int id) override {
    rows[id].clear();
    selected[id] = focused[id] = -1;
  }
  void AddRow(int id, const WindowRow& row) override { rows[id].push_back(row); }
  // As the list control does: the focus moves to the row that took the
  // deleted row's place, or to the new last row.
  void DeleteRow(int id, int row) override {
    auto& list = rows[id];
    list.erase(list.begin() + row);
    selected[id] = -1;
    if (focused[id] >= static_cast<int>(list.size())) focused[id] = static_cast<int>(list.size()) - 1;
  }
  int SelectedRow(int id) const override { return selected.count(id) ? selected.at(id) : -1; }
  int FocusedRow(int id) const override { return focused.count(id) ? focused.at(id) : -1; }
  void SelectRow(int id, int row) override { selected[id] = focused[id] = row; }
  void SetRowCount(int id, int count) override { row_counts[id] = count; }
  void RefreshRows(int id) override { ++refreshes[id]; }
  std::uint16_t HotKey(int id) const override { return Get(hot_keys, id); }
  void SetHotKey(int id, std::uint16_t key) override { hot_keys[id] = key; }

  std::map<int, int> row_counts, refreshes;
  std::map<int, std::uint16_t> hot_keys;
  std::map<int, bool> checked, enabled;
  std::map<int, std::string> texts;
  std::set<int> beyond_code_page;  // controls whose text the code page cannot hold
  std::map<int, int> item_index;
  std::map<int, std::vector<WindowRow>> rows;
  std::map<int, int> selected, focused;
  int focus = 0, page = 0;
  bool visible = true;
  int shown = 0;
  int close_requests = 0;

 private:
  template <typename Map>
  static typename Map::mapped_type Get(const Map& map, int id) {
    auto found = map.find(id);
    return found == map.end() ? typename Map::mapped_type{} : found->second;
  }
};

class FakeFormSystem : public FormSystem {
 public:
  struct Box {
    std::string text, caption;
    unsigned style;
  };

  int ShowBox(std::string_view text, std::string_view caption, unsigned style) override {
    boxes.push_back({std::string(text), std::string(caption), style});
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowErrorBox(const std::exception& error, std::string_view caption) override {
    ShowBox(ErrorBoxText(error.what()), caption, kBoxError);
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool PathExists(const std::wstring& path) override {
    return wide_files.count(path) > 0 || (written && written(path));
  }
  bool FolderExists(const std::string& path) override { return folders.count(path) > 0; }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  std::optional<std::string> StartMenuFolder() override {
    ++start_menu_asks;
    return start_menu;
  }
  std::optional<std::string> PickExecutable(const std::string& folder, const std::string& name) override {
    picked_from.push_back({folder, name});
    return pick;
  }
  void StartProcess(const std::string& application, const std::string& command_line) override {
    started.push_back(application + " | " + command_line);
  }
  std::vector<TopWindow> TopLevelWindows() override { return windows; }
  bool Restart() override {
    ++restarts;
    return restart_allowed;
  }

  std::vector<Box> boxes;
  std::deque<int> answers;  // then OK
  std::set<std::string> files{"C:\\WINDOWS\\explorer.exe"};
  std::set<std::wstring> wide_files;
  // Files that exist once written (the settings file after a save).
  std::function<bool(const std::wstring& path)> written;
  std::set<std::string> folders;
  std::optional<std::string> start_menu = "C:\\Menu";
  int start_menu_asks = 0;
  std::optional<std::string> pick;
  std::vector<std::pair<std::string, std::string>> picked_from;
  std::vector<std::string> started;
  std::vector<TopWindow> windows;
  int restarts = 0;
  bool restart_allowed = true;
};

class FakeShell : public ShellIntegration {
 public:
  ShellState DetectShellState(const std::wstring& item_sender_path) override {
    detected_for = item_sender_path;
    return state;
  }
  void ApplyShellIntegration(const ShellChoices& choices) override {
    if (error) throw Error(*error);
    applied.push_back(choices);
  }
  void UpdateItemShortcuts(const ShellChoices& choices) override {
    if (shortcut_error) throw Error(*shortcut_error);
    shortcuts.push_back(choices);
  }
  void CheckItemShortcuts(const ShellChoices& choices) override {
    checked.push_back(choices);
    if (check_error) throw Error(*check_error);
  }
  ShellState state;
  std::optional<std::string> check_error;
  std::vector<ShellChoices> checked;
  std::wstring detected_for;
  std::optional<std::string> error, shortcut_error;
  std::vector<ShellChoices> applied;
  std::vector<ShellChoices> shortcuts;
};

class FakeBrowser : public FolderBrowser {
 public:
  std::optional<std::string> Browse(const BrowseRequest& request) override {
    started_at = request.directory;
    owner = request.owner;
    return answer;
  }
  std::optional<std::string> answer;
  std::string started_at;
  std::uintptr_t owner = 0;
};

class NoShellLinks : public ShellLinkApi {
 public:
  std::optional<std::string> SpecialFolderPath(int) override { return std::nullopt; }
  bool DirectoryExists(const std::string&) override { return false; }
  void MakeDirectory(const std::string&) override {}
  bool SaveLink(const std::string&, const LinkFields&) override { return true; }
};

}  // namespace zrnx::test
