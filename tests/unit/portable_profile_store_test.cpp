#include "common/portable_profile_store.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "fakes/temp_folder.h"

namespace zrnx {
namespace {

const LeadBytes kSjis = LeadBytes::ShiftJis();

// All bytes of a literal, 0x00 bytes included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string Read(std::string_view contents, std::string_view section, std::string_view key,
                 std::size_t buffer_size = 1024) {
  return ReadProfileValue(contents, section, key, "<default>", buffer_size, kSjis);
}

std::string Update(std::string_view contents, std::string_view section, std::optional<std::string_view> key,
                   std::optional<std::string_view> value) {
  return UpdateProfileText(contents, section, key, value, kSjis).value_or("<refused>");
}

TEST(ReadProfileValueTest, MissingPiecesGiveTheDefaultAndAnEmptyValueIsEmpty) {
  const std::string ini = "Stray=1\r\n[Option]\r\nDateFormat3=\r\nBare\r\nSendKey_Paste=2\r\n[Other]\r\nX=3\r\n";
  EXPECT_EQ(Read("", "Option", "X"), "<default>");
  EXPECT_EQ(Read(ini, "Missing", "X"), "<default>");
  EXPECT_EQ(Read(ini, "Option", "X"), "<default>");  // in another section
  EXPECT_EQ(Read(ini, "Option", "Stray"), "<default>");  // before any section
  EXPECT_EQ(Read(ini, "Option", "Bare"), "<default>");  // no '='
  EXPECT_EQ(Read(ini, "Option", "DateFormat3"), "");
  EXPECT_EQ(Read(ini, "Option", "SendKey_Paste"), "2");
  EXPECT_EQ(Read(ini, "Other", "X"), "3");
}

TEST(ReadProfileValueTest, NamesMatchWithoutRegardToCaseButDoubleByteCharactersExactly) {
  const std::string ini = "[oPTION]\n  sendkey_PASTE  =  5\n[ア]\nア=katakana a\n";
  EXPECT_EQ(Read(ini, "Option", "SendKey_Paste"), "5");
  EXPECT_EQ(Read(ini, " Option ", " SendKey_Paste "), "5");
  EXPECT_EQ(Read(ini, "ア", "ア"), "katakana a");
  // "ヂ" is "ア" with its second byte 0x41 ('A') lowered to 0x61.
  EXPECT_EQ(Read(ini, "ア", "ヂ"), "<default>");
  EXPECT_EQ(Read(ini, "ヂ", "ア"), "<default>");
}

TEST(ReadProfileValueTest, SectionNamesRunToTheLastClosingBracket) {
  // "ゾ" ends in 0x5D, the byte of ']'.
  const std::string ini = "[ゾ]\nA=1\n[x] ; note\nB=2\n[a]b]\nC=3\n[broken\nD=4\n";
  EXPECT_EQ(Read(ini, "ゾ", "A"), "1");
  EXPECT_EQ(Read(ini, "x", "B"), "2");
  EXPECT_EQ(Read(ini, "a]b", "C"), "3");
  EXPECT_EQ(Read(ini, "a]b", "D"), "4");  // "[broken" is only an entry line
  EXPECT_EQ(Read(ini, "broken", "D"), "<default>");
}

TEST(ReadProfileValueTest, OnlyTheFirstSectionAndTheFirstKeyOfANameCount) {
  const std::string ini = "[S]\nK=first\nK=second\n[s]\nK=third\nL=later\n";
  EXPECT_EQ(Read(ini, "S", "K"), "first");
  EXPECT_EQ(Read(ini, "S", "L"), "<default>");
}

TEST(ReadProfileValueTest, BlanksAroundAndOneEnclosingPairOfQuotesGo) {
  const std::string ini =
      "[Q]\n"
      "a= \t plain text \t \n"
      "b=\"quoted \"\n"
      "c='single'\n"
      "d=\"at \"h\"時\"\n"
      "e=\"mixed'\n"
      "f=\"\n"
      "g=\"\"\n"
      "h=''''\n"
      "i=\"inner\" tail\n";
  EXPECT_EQ(Read(ini, "Q", "a"), "plain text");
  EXPECT_EQ(Read(ini, "Q", "b"), "quoted ");
  EXPECT_EQ(Read(ini, "Q", "c"), "single");
  EXPECT_EQ(Read(ini, "Q", "d"), "at \"h\"時");
  EXPECT_EQ(Read(ini, "Q", "e"), "\"mixed'");
  EXPECT_EQ(Read(ini, "Q", "f"), "\"");
  EXPECT_EQ(Read(ini, "Q", "g"), "");
  EXPECT_EQ(Read(ini, "Q", "h"), "''");
  EXPECT_EQ(Read(ini, "Q", "i"), "\"inner\" tail");
}

TEST(ReadProfileValueTest, LongValuesAreCutToTheBuffer) {
  const std::string long_value(1100, 'v');
  const std::string content(1023, 'q');
  const std::string ini = "[L]\nlong=" + long_value + "\nquoted=\"" + content + "\"\nshort=abc\n";
  EXPECT_EQ(Read(ini, "L", "long"), std::string(1023, 'v'));
  EXPECT_EQ(Read(ini, "L", "quoted"), content);
  EXPECT_EQ(Read(ini, "L", "short", 3), "ab");
  EXPECT_EQ(Read(ini, "L", "short", 1), "");
  EXPECT_EQ(Read(ini, "L", "short", 0), "");
  EXPECT_EQ(ReadProfileValue(ini, "L", "none", "fallback", 4, kSjis), "fal");
}

TEST(ReadProfileValueTest, LineEndingsBinaryBytesAndAMarkAtTheStart) {
  EXPECT_EQ(Read("[S]\r\nK=crlf\r\n", "S", "K"), "crlf");
  EXPECT_EQ(Read("[S]\nK=lf", "S", "K"), "lf");  // no final line break
  EXPECT_EQ(Read("[S]\nK=a\rb\r\r\n", "S", "K"), "a\rb");  // a lone CR stays inside a line
  EXPECT_EQ(Read("\xEF\xBB\xBF[S]\nK=bom\n", "S", "K"), "bom");
  const std::string binary = Bytes("[S]\nK=ab\0cd\nL=\xFF\x01\x7F\n\0\0[T]\nM=\x81\n");
  EXPECT_EQ(Read(binary, "S", "K"), "ab");  // a 0x00 byte ends the value
  EXPECT_EQ(Read(binary, "S", "L"), "\xFF\x01\x7F");
  EXPECT_EQ(Read(binary, "S", "M"), "\x81");  // "\0\0[T]" opens no section
  EXPECT_EQ(Read(binary, "T", "M"), "<default>");
}

TEST(UpdateProfileTextTest, CreatesTheSectionAndTheKeyWhereNeeded) {
  EXPECT_EQ(Update("", "Option", "New", "1"), "[Option]\r\nNew=1\r\n");
  EXPECT_EQ(Update("[A]\nx=1", "B", "y", ""), "[A]\nx=1\n[B]\ny=\n");
  // A new key goes after the section's last line, before the blank lines that follow it.
  EXPECT_EQ(Update("[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\n", "a", "Y", "2"),
            "[A]\r\nx=1\r\nY=2\r\n\r\n[B]\r\nz=3\r\n");
  EXPECT_EQ(Update("[A]\nx=1", "A", "y", "2"), "[A]\nx=1\ny=2\n");
  EXPECT_EQ(Update("[A]", "A", "y", "2"), "[A]\r\ny=2\r\n");
  EXPECT_EQ(Update("[A]\nx=1\r", "A", "y", "2"), "[A]\nx=1\r\ny=2\n");  // a CR at the very end
}

TEST(UpdateProfileTextTest, ReplacesAValueInPlaceAndKeepsEveryOtherByte) {
  const std::string ini = "; settings\r\n[Option]\r\n  PasteMode = 1   \r\nEditor=a=b\r\nBare\r\nNew=1\r\n";
  EXPECT_EQ(Update(ini, "OPTION", "pastemode", "0"),
            "; settings\r\n[Option]\r\n  PasteMode =0\r\nEditor=a=b\r\nBare\r\nNew=1\r\n");
  EXPECT_EQ(Update(ini, "Option", "Editor", "C:\\x.exe"),
            "; settings\r\n[Option]\r\n  PasteMode = 1   \r\nEditor=C:\\x.exe\r\nBare\r\nNew=1\r\n");
  EXPECT_EQ(Update(ini, "Option", "Bare", "v"),
            "; settings\r\n[Option]\r\n  PasteMode = 1   \r\nEditor=a=b\r\nBare=v\r\nNew=1\r\n");
  EXPECT_EQ(Update(ini, "Option", "Editor", std::nullopt),
            "; settings\r\n[Option]\r\n  PasteMode = 1   \r\nBare\r\nNew=1\r\n");
  EXPECT_EQ(Update("[S]\nK=old", "S", "K", "new"), "[S]\nK=new");
}

TEST(UpdateProfileTextTest, ErasesEverySectionOfTheNameWithAllItsLines) {
  const std::string ini = "[A]\nx=1\n[ThroughWindow]\nItemCount=2\n\n[B]\ny=2\n[throughwindow]\nz=3";
  EXPECT_EQ(Update(ini, "ThroughWindow", std::nullopt, std::nullopt), "[A]\nx=1\n[B]\ny=2\n");
  EXPECT_EQ(Update(ini, "Missing", std::nullopt, std::nullopt), ini);
  EXPECT_EQ(Update("", "A", std::nullopt, std::nullopt), "");
}

TEST(UpdateProfileTextTest, RefusesWhatCouldNotBeReadBackAsWritten) {
  EXPECT_EQ(Update("", "S", "K", "two\r\nlines"), "<refused>");
  EXPECT_EQ(Update("", "S", "K", "injected\n[S]"), "<refused>");
  EXPECT_EQ(Update("", "S", "K=V", "x"), "<refused>");
  EXPECT_EQ(Update("", "S", " ", "x"), "<refused>");
  EXPECT_EQ(Update("", "", "K", "x"), "<refused>");
  EXPECT_EQ(Update("", "S\nT", std::nullopt, std::nullopt), "<refused>");
  EXPECT_EQ(Update("", "\x81", "K", "x"), "<refused>");  // its lead byte would swallow the ']'
  EXPECT_EQ(Update("", "S", "[K]x", "x"), "<refused>");
  // A 0x00 byte ends the value, as it would for the platform's call.
  EXPECT_EQ(Update("", "S", "K", Bytes("ab\0cd")), "[S]\r\nK=ab\r\n");
}

class PortableProfileStoreTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  PortableProfileStore store{kSjis};
  std::string Get(const std::string& path, std::string_view section, std::string_view key) {
    return store.GetString(test::Wide(path), section, key, "<default>", 1024);
  }
  bool Write(const std::string& path, std::string_view section, std::optional<std::string_view> key,
             std::optional<std::string_view> value) {
    return store.WriteString(test::Wide(path), section, key, value);
  }
};

TEST_F(PortableProfileStoreTest, CreatesTheFileOnWriteAndLeavesNothingElseBeside) {
  const std::string path = folder.PathOf("Zrnx.ini");
  EXPECT_EQ(Get(path, "Option", "New"), "<default>");
  EXPECT_TRUE(Write(path, "ThroughWindow", std::nullopt, std::nullopt));
  EXPECT_EQ(folder.EntryCount(), 0u);  // erasing in a missing file creates nothing
  EXPECT_TRUE(Write(path, "Option", "New", "1"));
  EXPECT_TRUE(Write(path, "Option", "Data", "C:\\メニュー"));
  EXPECT_TRUE(Write(path, "Option", "New", "0"));
  EXPECT_EQ(folder.Read("Zrnx.ini"), "[Option]\r\nNew=0\r\nData=C:\\メニュー\r\n");
  EXPECT_EQ(Get(path, "option", "data"), "C:\\メニュー");
  EXPECT_EQ(folder.EntryCount(), 1u);  // no temporary file left behind
}

TEST_F(PortableProfileStoreTest, ASeveralMegabyteFileWithBinaryBytesKeepsAllItsBytes) {
  std::string big;
  for (int i = 0; big.size() < 4 * 1024 * 1024; ++i)
    big += "[Section" + std::to_string(i) + "]\nKey=" + std::string(200, static_cast<char>('a' + i % 26)) + "\n";
  big += Bytes("\0\xFF\x81\r\x1a junk without a line end");
  const std::string path = folder.Write("Zrnx.ini", big);
  EXPECT_EQ(Get(path, "Section9000", "Key"), std::string(200, 'a' + 9000 % 26));
  ASSERT_TRUE(Write(path, "Section3", "Key", "new"));
  ASSERT_TRUE(Write(path, "Option", "New", "1"));
  std::string expected = big;
  expected.replace(expected.find("[Section3]\nKey=") + 15, 200, "new");
  expected += "\n[Option]\nNew=1\n";
  EXPECT_EQ(folder.Read("Zrnx.ini"), expected);
}

TEST_F(PortableProfileStoreTest, AHundredThousandByteValueIsStoredWholeAndReadBackCut) {
  const std::string path = folder.PathOf("Zrnx.ini");
  const std::string value(100000, 'x');
  ASSERT_TRUE(Write(path, "Option", "Data", value));
  EXPECT_EQ(Get(path, "Option", "Data"), std::string(1023, 'x'));
  EXPECT_EQ(folder.Read("Zrnx.ini"), "[Option]\r\nData=" + value + "\r\n");
}

#ifndef _WIN32
TEST_F(PortableProfileStoreTest, AWidePathOutsideAnyCodePageNamesItsFile) {
  // An emoji and a lone surrogate: each wide path is a file of its own.
  const std::wstring emoji = test::Wide(folder.PathOf("")) + L"\x8FD4\x4FE1\U0001F600.ini";
  const std::wstring lone = test::Wide(folder.PathOf("")) + L"a\xD800.ini";
  ASSERT_TRUE(store.WriteString(emoji, "S", "K", "emoji"));
  ASSERT_TRUE(store.WriteString(lone, "S", "K", "lone"));
  EXPECT_EQ(folder.Read("\xE8\xBF\x94\xE4\xBF\xA1\xF0\x9F\x98\x80.ini"), "[S]\r\nK=emoji\r\n");
  EXPECT_EQ(store.GetString(emoji, "S", "K", "", 1024), "emoji");
  EXPECT_EQ(store.GetString(lone, "S", "K", "", 1024), "lone");
  EXPECT_EQ(folder.EntryCount(), 2u);
}

TEST_F(PortableProfileStoreTest, ALinkedSettingsFileStaysALink) {
  const std::string target = folder.Write("real.ini", "[S]\nK=old\n");
  std::filesystem::create_symlink(target, folder.PathOf("Zrnx.ini"));
  ASSERT_TRUE(Write(folder.PathOf("Zrnx.ini"), "S", "K", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.PathOf("Zrnx.ini")));
  EXPECT_EQ(folder.Read("real.ini"), "[S]\nK=new\n");
}
#endif

TEST_F(PortableProfileStoreTest, WhatCannotBeWrittenFailsAndLosesNothing) {
  // A folder that does not exist, a file where a folder should be, a folder
  // where the file should be.
  const std::string blocker = folder.Write("blocker", "keep");
  EXPECT_FALSE(Write(folder.PathOf("gone") + "/Zrnx.ini", "S", "K", "v"));
  EXPECT_FALSE(Write(blocker + "/Zrnx.ini", "S", "K", "v"));
  std::filesystem::create_directory(folder.PathOf("Zrnx.ini"));
  EXPECT_EQ(Get(folder.PathOf("Zrnx.ini"), "S", "K"), "<default>");
  EXPECT_FALSE(Write(folder.PathOf("Zrnx.ini"), "S", "K", "v"));
  EXPECT_FALSE(Write(folder.PathOf("Zrnx.ini"), "S", std::nullopt, std::nullopt));
  EXPECT_TRUE(std::filesystem::is_directory(folder.PathOf("Zrnx.ini")));
  EXPECT_EQ(folder.Read("blocker"), "keep");
  EXPECT_EQ(folder.EntryCount(), 2u);

  // A refused value leaves the file as it was.
  const std::string path = folder.Write("Other.ini", "[S]\nK=old\n");
  EXPECT_FALSE(Write(path, "S", "K", "a\nb"));
  EXPECT_EQ(folder.Read("Other.ini"), "[S]\nK=old\n");
}

#ifndef _WIN32
// A file its owner may write but not read: the probe must refuse it, not
// write back the nothing it read. Root reads every file, so the probe runs
// in a child that has given root up for an owner of folder and file.
TEST_F(PortableProfileStoreTest, AFileThatCanBeWrittenButNotReadIsNeverCalledWritable) {
  const std::string path = folder.Write("Zrnx.ini", "[S]\r\nK=keep\r\n");
  constexpr uid_t kNobody = 65534;
  const bool root = geteuid() == 0;
  if (root) {
    // The folder too, so that a replacement could be written beside the file.
    ASSERT_EQ(chown(folder.PathOf("").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
  }
  ASSERT_EQ(chmod(path.c_str(), 0200), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(3);
    _exit(store.CanWrite(test::Wide(path)) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: called writable, 3: could not give up root";
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  EXPECT_EQ(folder.Read("Zrnx.ini"), "[S]\r\nK=keep\r\n");
}
#endif

// The probe answers as the write would and leaves the folder as it found it.
TEST_F(PortableProfileStoreTest, TheWriteProbeAnswersAsAWriteWouldAndChangesNothing) {
  const std::string blocker = folder.Write("blocker", "keep");
  const std::string existing = folder.Write("Zrnx.ini", "[S]\r\nK=old\r\n");
  std::filesystem::create_directory(folder.PathOf("dir.ini"));
  struct Case {
    std::string path;
    bool writable;
  };
  const Case cases[] = {
      {existing, true},
      {folder.PathOf("new.ini"), true},
      {folder.PathOf("dir.ini"), false},
      {folder.PathOf("gone") + "/Zrnx.ini", false},
      {blocker + "/Zrnx.ini", false},
  };
  for (const Case& c : cases) {
    const std::wstring path = test::Wide(c.path);
    EXPECT_EQ(store.CanWrite(path), c.writable) << c.path;
    EXPECT_EQ(store.CanWrite(path), store.WriteString(path, "S", "K", "old")) << c.path;
  }
  std::filesystem::remove(folder.PathOf("new.ini"));
  EXPECT_TRUE(store.CanWrite(test::Wide(folder.PathOf("new.ini"))));
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("new.ini"))) << "the probe is removed";
  EXPECT_EQ(folder.Read("Zrnx.ini"), "[S]\r\nK=old\r\n");
  EXPECT_EQ(folder.Read("blocker"), "keep");
  EXPECT_EQ(folder.EntryCount(), 3u);
}

}  // namespace
}  // namespace zrnx
