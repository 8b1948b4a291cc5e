// The portable profile store against kernel32's private-profile calls: the
// same files, the same calls, the same results. Where the two differ on
// purpose the case says so and checks the portable store's answer.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/portable_profile_store.h"
#include "common/settings_file.h"
#include "common/wide_text_win.h"
#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

struct Query {
  std::string section, key;
};

class ProfileDifferentialTest : public ::testing::Test {
 protected:
  std::string Get(ProfileStore& store, const std::string& path, const Query& q) {
    return store.GetString(DataText(path), q.section, q.key, "<default>", SettingsFile::kBufferSize);
  }

  // Each query on both stores, one file each, must give the same text.
  void ExpectSameReads(const std::string& kernel_file, const std::string& portable_file,
                       const std::vector<Query>& queries) {
    for (const Query& q : queries) {
      std::string by_kernel = Get(kernel32_, kernel_file, q);
      std::string by_portable = Get(portable_, portable_file, q);
      EXPECT_EQ(by_portable, by_kernel) << "[" << q.section << "] " << q.key;
    }
  }

  // Runs the same writes through both stores on two copies of `initial`
  // (nullopt: no file), then compares the results of the queries, each store
  // on its own file and on the other's.
  void CompareWrites(const std::string& name, const std::optional<std::string>& initial,
                     const std::function<void(ProfileStore&, const std::string&)>& writes,
                     const std::vector<Query>& queries) {
    const std::string kernel_file = sandbox_.PathOf(name + "-kernel32.ini");
    const std::string portable_file = sandbox_.PathOf(name + "-portable.ini");
    if (initial) {
      sandbox_.WriteFile(name + "-kernel32.ini", *initial);
      sandbox_.WriteFile(name + "-portable.ini", *initial);
    }
    writes(kernel32_, kernel_file);
    writes(portable_, portable_file);
    // Flushes kernel32's cache so the next reads see the files anew.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kernel_file.c_str());
    ExpectSameReads(kernel_file, portable_file, queries);
    ExpectSameReads(portable_file, kernel_file, queries);
  }

  static void Write(ProfileStore& store, const std::string& path, const char* section, const char* key,
                    const char* value) {
    EXPECT_TRUE(store.WriteString(DataText(path), section, key ? std::optional<std::string_view>(key) : std::nullopt,
                                  value ? std::optional<std::string_view>(value) : std::nullopt))
        << section << " " << (key ? key : "(erase)");
  }

  bool Japanese() const { return GetACP() == 932; }

  Sandbox sandbox_;
  ProfileStore& kernel32_ = DefaultProfileStore();
  PortableProfileStore portable_;
};

const std::string kLong(1100, 'L');

std::string RichFile(bool japanese) {
  std::string ini =
      "; comment line\r\n"
      "Stray=before any section\r\n"
      "[Option]\r\n"
      "Quoted=\"  spaced  \"\r\n"
      "Single='x'\r\n"
      "   Blanks   =   padded value   \r\n"
      "Empty=\r\n"
      "BlankOnly=   \r\n"
      "Pattern=\"at \"h\"m\"\r\n"
      "Mismatched=\"open'\r\n"
      "LoneQuote=\"\r\n"
      "Bare\r\n"
      "Long=" + kLong + "\r\n"
      "Tabbed=\t\tx\t\r\n"
      "Equals=a=b\r\n"
      "Twice=first\r\n"
      "Twice=second\r\n"
      "[mIxEd CaSe]\n"
      "KeY=lf line\n"
      "[Option]\r\n"
      "Later=second section of the name\r\n"
      "[NoNewline]\r\n"
      "Last=end";
  if (japanese) {
    ini.insert(ini.find("[mIxEd"),
               "Date=yyyy\"年\"m\"月\"\r\n"
               "Path=C:\\表\\ソフト\r\n"
               "Wide=\x81\x40全角\x81\x40\r\n"
               "[ゾーン]\r\n"
               "ア=katakana key\r\n");
  }
  return ini;
}

std::vector<Query> RichQueries(bool japanese) {
  std::vector<Query> queries = {
      {"Option", "Quoted"},   {"Option", "Single"},     {"Option", "Blanks"},    {"Option", "Empty"},
      {"Option", "BlankOnly"}, {"Option", "Pattern"},   {"Option", "Mismatched"}, {"Option", "LoneQuote"},
      {"Option", "Bare"},     {"Option", "Long"},       {"Option", "Tabbed"},    {"Option", "Equals"},
      {"Option", "Twice"},    {"Option", "Later"},      {"Option", "Stray"},     {"Option", "Missing"},
      {"OPTION", "quoted"},   {" option ", " blanks "}, {"Mixed Case", "key"},   {"MIXED CASE", "KEY"},
      {"Missing", "Quoted"},  {"NoNewline", "Last"},    {"nonewline", "LAST"},
  };
  if (japanese) {
    queries.insert(queries.end(), {{"Option", "Date"}, {"Option", "Path"}, {"ゾーン", "ア"}, {"ゾーン", "ヂ"}, {"Option", "Wide"}});
  }
  return queries;
}

TEST_F(ProfileDifferentialTest, ReadsOfAFileWithEveryKindOfValue) {
  const std::string path = sandbox_.WriteFile("rich.ini", RichFile(Japanese()));
  ExpectSameReads(path, path, RichQueries(Japanese()));
  const std::string missing = sandbox_.PathOf("missing.ini");
  ExpectSameReads(missing, missing, {{"Option", "Quoted"}});
  ExpectSameReads(sandbox_.PathOf("no folder\\x.ini"), sandbox_.PathOf("no folder\\x.ini"), {{"Option", "Quoted"}});
}

TEST_F(ProfileDifferentialTest, WritesCreateReplaceAndErase) {
  const std::vector<Query> queries = {
      {"Option", "PasteMode"}, {"Option", "Editor"},     {"Option", "Data"},      {"Option", "Quoted"},
      {"Option", "Long"},      {"Option", "Empty"},      {"ThroughWindow", "ItemCount"},
      {"ThroughWindow", "ClassName0"}, {"Other", "Kept"}, {"Option", "Later"}, {"New", "Made"},
  };
  auto writes = [](ProfileStore& store, const std::string& path) {
    Write(store, path, "Option", "PasteMode", "1");
    Write(store, path, "Option", "Editor", "C:\\WINDOWS\\NOTEPAD.EXE");
    Write(store, path, "option", "pastemode", "0");  // rewritten, other case
    Write(store, path, "Option", "Quoted", "\"kept quotes\"");
    Write(store, path, "Option", "Long", std::string(1500, 'w').c_str());
    Write(store, path, "Option", "Empty", "");
    Write(store, path, "ThroughWindow", "ItemCount", "1");
    Write(store, path, "ThroughWindow", "ClassName0", "ExploreWClass");
    Write(store, path, "ThroughWindow", nullptr, nullptr);
    Write(store, path, "Gone", nullptr, nullptr);
    Write(store, path, "New", "Made", "  leading blanks");
  };
  CompareWrites("fresh", std::nullopt, writes, queries);
  CompareWrites("existing", std::string("[Other]\r\nKept=yes\r\n[Option]\r\nEditor=old\r\nLater=x"), writes,
                queries);
  CompareWrites("lf", std::string("[ThroughWindow]\nItemCount=3\nClassName0=A\n\n[Other]\nKept=lf\n"), writes,
                queries);
}

TEST_F(ProfileDifferentialTest, ErasingASectionOfAMissingFileCreatesNothing) {
  const std::string kernel_file = sandbox_.PathOf("erase-kernel32.ini");
  const std::string portable_file = sandbox_.PathOf("erase-portable.ini");
  Write(kernel32_, kernel_file, "ThroughWindow", nullptr, nullptr);
  Write(portable_, portable_file, "ThroughWindow", nullptr, nullptr);
  EXPECT_EQ(ReadFileBytes(portable_file).has_value(), ReadFileBytes(kernel_file).has_value());
}

// Where this store and kernel32 part on purpose.
TEST_F(ProfileDifferentialTest, KnownDifferences) {
  // A quoted value of exactly 1023 bytes fits the buffer whole; Wine drops its
  // last byte as well.
  const std::string content(1023, 'q');
  const std::string path = sandbox_.WriteFile("quoted.ini", "[S]\r\nK=\"" + content + "\"\r\n");
  EXPECT_EQ(Get(portable_, path, {"S", "K"}), content);
  std::printf("note: kernel32 reads a quoted 1023-byte value as %zu bytes\n",
              Get(kernel32_, path, {"S", "K"}).size());

  // The default comes back as given; Wine also strips its trailing blanks.
  EXPECT_EQ(portable_.GetString(DataText(path), "S", "None", "x  ", 1024), "x  ");
  std::printf("note: kernel32 returns the default \"x  \" as \"%s\"\n",
              kernel32_.GetString(DataText(path), "S", "None", "x  ", 1024).c_str());

  // Of two sections with one name, erasing removes both; Wine only the first.
  const std::string twice = "[T]\r\nA=1\r\n[T]\r\nB=2\r\n";
  const std::string kernel_file = sandbox_.WriteFile("twice-kernel32.ini", twice);
  const std::string portable_file = sandbox_.WriteFile("twice-portable.ini", twice);
  ASSERT_TRUE(portable_.WriteString(DataText(portable_file), "T", std::nullopt, std::nullopt));
  ASSERT_TRUE(kernel32_.WriteString(DataText(kernel_file), "T", std::nullopt, std::nullopt));
  EXPECT_EQ(Get(portable_, portable_file, {"T", "B"}), "<default>");
  std::printf("note: after erasing [T] kernel32 reads B as \"%s\"\n", Get(kernel32_, kernel_file, {"T", "B"}).c_str());

}

}  // namespace
}  // namespace zrnx::test
