#include "sender/target_window.h"

#include <gtest/gtest.h>

#include "common/settings_keys.h"
#include "fakes/fake_profile_store.h"

namespace zrnx {
namespace {

struct Window {
  const char* class_name;
  bool visible = true, enabled = true, minimised = false;
  std::uint32_t ex_style = 0;
  bool cloaked = false;
};

class FakeProbe : public WindowProbe {
 public:
  explicit FakeProbe(Window w) : w_(std::move(w)) {}
  std::string ClassName() override { return asked += 'c', w_.class_name; }
  bool IsVisible() override { return asked += 'v', w_.visible; }
  bool IsEnabled() override { return asked += 'e', w_.enabled; }
  bool IsMinimised() override { return asked += 'm', w_.minimised; }
  std::uint32_t ExtendedStyle() override { return asked += 'x', w_.ex_style; }
  bool IsCloaked() override { return asked += 'k', w_.cloaked; }
  std::string asked;

 private:
  Window w_;
};

struct Case {
  Window window;
  ThroughList through;
  bool qualifies;
  std::string asked;  // the states asked for, in order
};

TEST(IsCandidateWindowTest, DecidesByClassStatesAndListInTheirOrder) {
  const ThroughList none;
  const Case cases[] = {
      {{"Notepad"}, none, true, "cvexkm"},
      {{"Notepad", false}, none, false, "cv"},
      {{"Notepad", true, false}, none, false, "cve"},  // main window behind a modal dialog
      {{"Notepad", true, true, true}, none, false, "cvexkm"},
      {{"Shell_TrayWnd"}, none, false, "cve"},
      {{"BaseBar"}, none, false, "cve"},
      {{"HOM Hit Class"}, none, false, "cve"},
      {{"MOM Class"}, none, false, "cve"},
      {{"TApplication"}, none, false, "cve"},
      {{"Shell_SecondaryTrayWnd"}, none, false, "cve"},
      {{"SysFader"}, none, false, "cvexkm"},
      {{"Shell_TrayWnd", false}, none, false, "cv"},
      // Whole names, exactly, with case.
      {{"Shell_TrayWndX"}, none, true, "cvexkm"},
      {{"shell_traywnd"}, none, true, "cvexkm"},
      {{"Shell_SecondaryTrayWnd2"}, none, true, "cvexkm"},
      {{"Notepad"}, {"Notepad"}, false, "cvexkm"},
      {{"Notepad"}, {"notepad", "Note", "Notepad "}, true, "cvexkm"},
      {{"Notepad"}, {"", "Edit", "Notepad", "Notepad"}, false, "cvexkm"},
      // An unreadable class name is empty; an empty entry matches it.
      {{""}, none, true, "cvexkm"},
      {{""}, {""}, false, "cvexkm"},
      // Shift-JIS class names compare as bytes.
      {{"表示"}, {"表示"}, false, "cvexkm"},
      {{"表示"}, {"表"}, true, "cvexkm"},
      // Windows the user cannot switch to: a tool window unless it asks for
      // a task-bar button, one that never takes the focus, a cloaked one.
      {{"Palette", true, true, false, kExToolWindow}, none, false, "cvex"},
      {{"Palette", true, true, false, kExToolWindow | kExAppWindow}, none, true, "cvexkm"},
      {{"Palette", true, true, false, kExAppWindow}, none, true, "cvexkm"},
      {{"Toast", true, true, false, kExNoActivate}, none, false, "cvex"},
      {{"Toast", true, true, false, kExNoActivate | kExAppWindow}, none, false, "cvex"},
      {{"Windows.UI.Core.CoreWindow", true, true, false, 0, true}, none, false, "cvexk"},
      {{"ApplicationFrameWindow", true, true, true, 0, true}, none, false, "cvexk"},
      // Other extended styles (edges, topmost) do not matter.
      {{"Notepad", true, true, false, 0x00000300 | 0x00000008}, none, true, "cvexkm"},
      // Hidden or built-in windows are rejected before the new questions.
      {{"Palette", false, true, false, kExToolWindow, true}, none, false, "cv"},
      {{"Shell_SecondaryTrayWnd", true, true, false, kExToolWindow, true}, none, false, "cve"},
  };
  for (const Case& c : cases) {
    FakeProbe probe(c.window);
    EXPECT_EQ(IsCandidateWindow(probe, c.through), c.qualifies) << c.window.class_name;
    EXPECT_EQ(probe.asked, c.asked) << c.window.class_name;
  }
}

TEST(LoadThroughListTest, ReadsTheCountedClassNamesFreshlyEachTime) {
  test::FakeProfileStore store;
  EXPECT_TRUE(LoadThroughList(L"C:\\Z\\Zrnx.ini", store).empty());

  store.Set("ThroughWindow", "ItemCount", "3");
  store.Set("ThroughWindow", "ClassName0", "Notepad");
  store.Set("ThroughWindow", "ClassName2", "Notepad");
  store.Set("ThroughWindow", "ClassName3", "Beyond");
  store.Set("ThroughWindow", "Name0", "メモ帳");
  store.reads.clear();
  EXPECT_EQ(LoadThroughList(L"C:\\Z\\Zrnx.ini", store), (ThroughList{"Notepad", "", "Notepad"}));
  EXPECT_EQ(store.reads, (std::vector<std::string>{"ItemCount", "ClassName0", "ClassName1", "ClassName2"}));
  for (const auto& path : store.paths) EXPECT_EQ(path, L"C:\\Z\\Zrnx.ini");

  store.Set("ThroughWindow", "ItemCount", "1");
  EXPECT_EQ(LoadThroughList(L"C:\\Z\\Zrnx.ini", store), (ThroughList{"Notepad"}));
  for (const char* count : {"0", "-2", "x", ""}) {
    store.Set("ThroughWindow", "ItemCount", count);
    EXPECT_TRUE(LoadThroughList(L"C:\\Z\\Zrnx.ini", store).empty()) << count;
  }

  // A damaged count reads no further than the cap.
  store.Set("ThroughWindow", "ItemCount", "2147483647");
  store.reads.clear();
  EXPECT_EQ(LoadThroughList(L"C:\\Z\\Zrnx.ini", store).size(), static_cast<std::size_t>(kMaxThroughEntries));
  EXPECT_EQ(store.reads.size(), static_cast<std::size_t>(kMaxThroughEntries) + 1);
}

}  // namespace
}  // namespace zrnx
