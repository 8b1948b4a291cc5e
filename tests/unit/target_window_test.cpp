#include "sender/target_window.h"

#include <gtest/gtest.h>

#include "common/settings_keys.h"
#include "fakes/fake_profile_store.h"

namespace zrnx {
namespace {

struct Window {
  const char* class_name;
  bool visible = true, enabled = true, minimised = false;
};

class FakeProbe : public WindowProbe {
 public:
  explicit FakeProbe(Window w) : w_(std::move(w)) {}
  std::string ClassName() override { return asked += 'c', w_.class_name; }
  bool IsVisible() override { return asked += 'v', w_.visible; }
  bool IsEnabled() override { return asked += 'e', w_.enabled; }
  bool IsMinimised() override { return asked += 'm', w_.minimised; }
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
      {{"Notepad"}, none, true, "cvem"},
      {{"Notepad", false}, none, false, "cv"},
      {{"Notepad", true, false}, none, false, "cve"},  // main window behind a modal dialog
      {{"Notepad", true, true, true}, none, false, "cvem"},
      {{"Shell_TrayWnd"}, none, false, "cve"},
      {{"BaseBar"}, none, false, "cve"},
      {{"HOM Hit Class"}, none, false, "cve"},
      {{"MOM Class"}, none, false, "cve"},
      {{"TApplication"}, none, false, "cve"},
      {{"SysFader"}, none, false, "cvem"},
      {{"Shell_TrayWnd", false}, none, false, "cv"},
      // Whole names, exactly, with case.
      {{"Shell_TrayWndX"}, none, true, "cvem"},
      {{"shell_traywnd"}, none, true, "cvem"},
      {{"Notepad"}, {"Notepad"}, false, "cvem"},
      {{"Notepad"}, {"notepad", "Note", "Notepad "}, true, "cvem"},
      {{"Notepad"}, {"", "Edit", "Notepad", "Notepad"}, false, "cvem"},
      // An unreadable class name is empty; an empty entry matches it.
      {{""}, none, true, "cvem"},
      {{""}, {""}, false, "cvem"},
      // Shift-JIS class names compare as bytes.
      {{"表示"}, {"表示"}, false, "cvem"},
      {{"表示"}, {"表"}, true, "cvem"},
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
