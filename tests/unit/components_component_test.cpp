#include <gtest/gtest.h>

#include <vector>

#include "common/error.h"
#include "components/shell_shortcut.h"

namespace zrnx {
namespace {

// Records its own destruction, so ownership can be seen.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name, std::vector<std::string>& log) : TComponent(owner), log_(log) {
    SetName(std::move(name));
  }
  ~Probe() override { log_.push_back(Name()); }

 private:
  std::vector<std::string>& log_;
};

class NullShellLinkApi : public ShellLinkApi {
 public:
  std::optional<std::string> SpecialFolderPath(int) override { return std::nullopt; }
  bool DirectoryExists(const std::string&) override { return false; }
  void MakeDirectory(const std::string&) override {}
  bool SaveLink(const std::string&, const LinkFields&) override { return true; }
};

TEST(ComponentTest, OwnerDestroysWhatItOwnsLastCreatedFirst) {
  std::vector<std::string> log;
  {
    TComponent form(nullptr);
    new Probe(&form, "A", log);
    auto* b = new Probe(&form, "B", log);
    new Probe(b, "B1", log);
    auto* c = new Probe(&form, "C", log);
    EXPECT_EQ(form.ComponentCount(), 3u);
    EXPECT_EQ(form.FindComponent("B"), b);
    EXPECT_EQ(form.FindComponent("B1"), nullptr);
    delete c;  // leaves its owner's list
    EXPECT_EQ(form.ComponentCount(), 2u);
  }
  // A component's own destructor runs before it lets go of what it owns.
  EXPECT_EQ(log, (std::vector<std::string>{"C", "B", "B1", "A"}));
}

TEST(ComponentTest, StoredPropertiesAreAppliedInTheirOrder) {
  NullShellLinkApi api;
  TShellShortCut link(nullptr, api);
  // The options window's layout: VersionCheck false survives Version 100.
  const StoredProperty layout[] = {
      {"Name", std::string("ShellShortCut1")},
      {"ShortCutName", std::string("\\Zarnik NX.lnk")},
      {"Description", std::string("Zarnik NX")},
      {"SCDirectoryType", std::string("scSendto")},
      {"Version", std::int64_t{100}},
      {"VersionCheck", false},
  };
  link.LoadProperties(layout);
  EXPECT_EQ(link.Name(), "ShellShortCut1");
  EXPECT_EQ(link.ShortCutName(), "\\Zarnik NX.lnk");
  EXPECT_EQ(link.Description(), "Zarnik NX");
  EXPECT_EQ(link.SCDirectoryType(), scSendto);
  EXPECT_FALSE(link.VersionCheck());

  const StoredProperty reversed[] = {{"VersionCheck", false}, {"Version", std::int64_t{100}}};
  link.LoadProperties(reversed);
  EXPECT_TRUE(link.VersionCheck());
  const StoredProperty too_new[] = {{"Version", std::int64_t{1000}}};
  link.LoadProperties(too_new);
  EXPECT_FALSE(link.VersionCheck());
}

TEST(ComponentTest, UnknownNamesAndWrongKindsOfValueAreClearErrors) {
  NullShellLinkApi api;
  TShellShortCut link(nullptr, api);
  const auto message = [&](const StoredProperty& property) {
    try {
      link.LoadProperties(std::span(&property, 1));
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message({"Colour", std::int64_t{1}}), "ﾌﾟﾛﾊﾟﾃｨ Colour はありません");
  EXPECT_EQ(message({"Version", std::string("100")}), "ﾌﾟﾛﾊﾟﾃｨ Version の値が正しくありません");
  EXPECT_EQ(message({"SCDirectoryType", std::string("scNowhere")}), "ﾌｫﾙﾀﾞの種類 scNowhere はありません");
  EXPECT_EQ(link.SCDirectoryType(), scDeskTop);
}

}  // namespace
}  // namespace zrnx
