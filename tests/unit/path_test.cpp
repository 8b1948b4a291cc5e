#include "common/path.h"

#include <gtest/gtest.h>

namespace zrnx {
namespace {

const LeadBytes kSjis = LeadBytes::ShiftJis();
const LeadBytes kSingle;

TEST(PathTest, ExtensionIsTakenAfterTheLastFolderDelimiter) {
  EXPECT_EQ(FileExtension("C:\\Items\\Greeting.zrx", kSjis), ".zrx");
  EXPECT_EQ(FileExtension("C:\\a.b\\noext", kSjis), "");
  EXPECT_EQ(FileExtension("archive.tar.gz", kSjis), ".gz");
  EXPECT_EQ(FileExtension("C:name.", kSjis), ".");
  EXPECT_EQ(FileExtension("C:.zrx", kSjis), ".zrx");
  EXPECT_EQ(FileExtension("", kSjis), "");
}

// "表" is 0x95 0x5C in Shift-JIS: its second byte looks like a backslash.
TEST(PathTest, SecondByteOfADoubleByteCharacterIsNoDelimiter) {
  const std::string folder = "C:\\a.表";  // ends in 0x5C as a second byte
  EXPECT_EQ(FileExtension(folder, kSjis), ".表");
  EXPECT_EQ(FileExtension(folder, kSingle), "");
  EXPECT_EQ(FolderPart(folder + "\\x.zrx", kSjis), folder + "\\");
  EXPECT_EQ(NamePart("C:\\表", kSjis), "表");
  EXPECT_EQ(DirectoryPart("C:\\表\\x.lnk", kSjis), "C:\\表");
  // With the trailing lead byte taken as a character of its own, the 0x5C is a delimiter.
  EXPECT_EQ(NamePart("C:\\表", kSingle), "");
}

TEST(PathTest, APathInAFolderHasOneBackslashBetweenAndATrailByteIsNone) {
  EXPECT_EQ(PathInFolder("C:\\A", "x.lnk", kSjis), "C:\\A\\x.lnk");
  EXPECT_EQ(PathInFolder("C:\\A\\", "x.lnk", kSjis), "C:\\A\\x.lnk");
  EXPECT_EQ(PathInFolder("C:\\表", "x.lnk", kSjis), "C:\\表\\x.lnk");
  EXPECT_EQ(PathInFolder("", "x.lnk", kSjis), "\\x.lnk");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\A\\", kSjis), "C:\\A");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\表", kSjis), "C:\\表");
  EXPECT_EQ(WithoutTrailingBackslash("C:\\表", kSingle), "C:\\\x95");
  EXPECT_FALSE(EndsWithBackslash("", kSjis));
}

// As GetFullPathName resolves a full path.
TEST(PathTest, NormalPathResolvesAsTheSystemDoes) {
  struct Case {
    const char* path;
    const char* normal;
  };
  const Case cases[] = {
      {"C:\\M\\Startup", "C:\\M\\Startup"},
      {"C:\\M\\Startup.", "C:\\M\\Startup"},
      {"C:\\M\\Startup .. ", "C:\\M\\Startup"},
      {"C:\\M\\Startup\\", "C:\\M\\Startup"},
      {"C:\\M\\Startup\\.", "C:\\M\\Startup"},
      {"C:\\M\\Startup\\Sub\\..", "C:\\M\\Startup"},
      {"C:\\M\\.\\Startup\\\\", "C:\\M\\Startup"},
      {"C:/M/Startup", "C:\\M\\Startup"},
      {"C:\\M.\\a", "C:\\M\\a"},        // one period off a folder's name
      {"C:\\M..\\a", "C:\\M..\\a"},     // but not two
      {"C:\\M\\...\\a", "C:\\M\\...\\a"},  // a name of three periods is a name
      {"C:\\M\\...", "C:\\M"},
      {"C:\\..\\..\\M", "C:\\M"},        // never above the root
      {"C:\\", "C:\\"},
      {"C:\\.", "C:\\"},
      {"\\\\srv\\share\\..\\M.", "\\\\srv\\share\\M"},
      {"\\\\?\\C:\\M.", "\\\\?\\C:\\M."},  // taken as it is
      {"..\\a\\.\\b", "..\\a\\b"},
      {"C:\\表\\..\\表", "C:\\表"},     // 0x95 0x5C is one character
      {"C:\\表\\表.\\a", "C:\\表\\表\\a"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalPath(c.path, kSjis), c.normal) << c.path;
}

TEST(PathTest, DirectoryPartKeepsTheBackslashOfARoot) {
  EXPECT_EQ(DirectoryPart("C:\\A\\X.lnk", kSjis), "C:\\A");
  EXPECT_EQ(DirectoryPart("C:\\X.lnk", kSjis), "C:\\");
  EXPECT_EQ(DirectoryPart("\\X.lnk", kSjis), "\\");
  EXPECT_EQ(DirectoryPart("\\\\server\\X.lnk", kSjis), "\\\\server");
  EXPECT_EQ(DirectoryPart("C:X.lnk", kSjis), "C:");
  EXPECT_EQ(DirectoryPart("X.lnk", kSjis), "");
  EXPECT_EQ(FolderPart("C:\\A\\X.lnk", kSjis), "C:\\A\\");
}

TEST(PathTest, ChangeExtensionReplacesOrAppends) {
  EXPECT_EQ(ChangeExtension("C:\\Tools\\Zrnx.exe", ".ini", kSjis), "C:\\Tools\\Zrnx.ini");
  EXPECT_EQ(ChangeExtension("C:\\Tools.d\\Zrnx", ".ini", kSjis), "C:\\Tools.d\\Zrnx.ini");
  EXPECT_EQ(ChangeExtension("C:\\表\\Other.exe", ".ini", kSjis), "C:\\表\\Other.ini");
}

TEST(PathTest, LowerAsciiLeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(LowerAscii(".ZRX", kSjis), ".zrx");
  // "ア" in Shift-JIS is 0x83 0x41: its second byte is an ASCII 'A'.
  EXPECT_EQ(LowerAscii("アB", kSjis), "アb");
  EXPECT_EQ(LowerAscii("アB", kSingle), "\x83" "ab");
}

// The wide forms follow the same rules; a unit whose low byte is a
// backslash (U+8868) is a character of its own.
TEST(PathTest, WidePathsFollowTheSameRules) {
  const struct {
    std::wstring path, extension, folder, directory;
  } cases[] = {
      {L"C:\\Items\\Greeting.ZRX", L".ZRX", L"C:\\Items\\", L"C:\\Items"},
      {L"C:\\a.b\\noext", L"", L"C:\\a.b\\", L"C:\\a.b"},
      {L"C:name.", L".", L"C:", L"C:"},
      {L"C:\\X.lnk", L".lnk", L"C:\\", L"C:\\"},
      {L"\\X.lnk", L".lnk", L"\\", L"\\"},
      {L"\\\\server\\X.lnk", L".lnk", L"\\\\server\\", L"\\\\server"},
      {L"X.lnk", L".lnk", L"", L""},
      {L"C:\\\x8868\\\xD83D\xDE00.txt", L".txt", L"C:\\\x8868\\", L"C:\\\x8868"},
      {L"C:\\a.\x8868", L".\x8868", L"C:\\", L"C:\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileExtension(c.path), c.extension);
    EXPECT_EQ(FolderPart(c.path), c.folder);
    EXPECT_EQ(DirectoryPart(c.path), c.directory);
  }
  EXPECT_EQ(ChangeExtension(L"C:\\Tools\\Zrnx.exe", L".ini"), L"C:\\Tools\\Zrnx.ini");
  EXPECT_EQ(ChangeExtension(L"C:\\a.b\\Zrnx", L".ini"), L"C:\\a.b\\Zrnx.ini");
  EXPECT_EQ(LowerAscii(L"A.ZRX\x00C9\xFF3A"), L"a.zrx\x00C9\xFF3A");  // only ASCII capitals
}

// Code page 932: lead bytes 81-9F and E0-FC, nothing else; off Windows the
// system's lead bytes are these.
TEST(LeadBytesTest, ShiftJisLeadBytesAreExactlyTheTwoRanges) {
  const LeadBytes sjis = LeadBytes::ShiftJis();
  for (int byte = 0; byte < 256; ++byte) {
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(sjis.IsLead(static_cast<unsigned char>(byte)), lead) << std::hex << byte;
#ifndef _WIN32
    EXPECT_EQ(SystemLeadBytes().IsLead(static_cast<unsigned char>(byte)), lead) << std::hex << byte;
#endif
  }
  EXPECT_EQ(sjis.CharLength("\x81", 0), 1u);  // a lead byte at the end stands alone
  EXPECT_EQ(sjis.CharLength("\x81\x5C", 0), 2u);
  EXPECT_TRUE(LeadBytes().Empty());
}

TEST(PathTest, UnquotedPathTakesOffOnePairOfEnclosingQuotesOnly) {
  const std::string long_path = "C:\\" + std::string(1015, 'e') + ".exe";
  const std::pair<std::string, std::string> cases[] = {
      {"\"C:\\A B\\ed.exe\"", "C:\\A B\\ed.exe"},
      {"  \"C:\\ed.exe\"\t", "C:\\ed.exe"},
      {"\"C:\\表\"", "C:\\表"},  // 0x95 0x5C before the quote
      {"\"" + long_path + "\"", long_path},
      {"C:\\ed.exe", "C:\\ed.exe"},
      {" C:\\ed.exe ", " C:\\ed.exe "},
      {"\"\"", ""},
      {"\"", "\""},
      {"\"C:\\ed.exe", "\"C:\\ed.exe"},
      {"C:\\ed.exe\"", "C:\\ed.exe\""},
      {"\"C:\\ed.exe\" -n", "\"C:\\ed.exe\" -n"},
      {"\"a\" \"b\"", "\"a\" \"b\""},
      {"", ""},
  };
  for (const auto& [text, path] : cases) EXPECT_EQ(UnquotedPath(text), path) << text;
}

}  // namespace
}  // namespace zrnx
