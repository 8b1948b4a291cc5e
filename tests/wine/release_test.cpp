// What the release carries: the programs' resources as Windows reads them
// (the item sender's two icon groups, each program's manifest and version).

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "wine/support/wine_support.h"

namespace zrnx::test {
namespace {

std::string Resource(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ReleaseTest, ItemSenderCarriesTwoIconsTheSecondForItems) {
  const std::string sender = BuildDir() + "\\Zrnx.exe";
  EXPECT_EQ(ExtractIconExA(sender.c_str(), -1, nullptr, nullptr, 0), 2u);
  HICON item = nullptr;
  EXPECT_EQ(ExtractIconExA(sender.c_str(), 1, &item, nullptr, 1), 1u);
  if (item) DestroyIcon(item);
}

TEST(ReleaseTest, EachProgramCarriesItsManifestAndVersion) {
  for (const char* name : {"Zrnx.exe", "ZrnxSet.exe"}) {
    SCOPED_TRACE(name);
    const std::string program = BuildDir() + "\\" + name;
    if (!Exists(program)) continue;  // the options editor, before it joins the tree

    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    const std::string manifest = Resource(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    FreeLibrary(module);
    EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos) << manifest;
    // Windows 7 and Windows 10/11.
    EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);

    DWORD ignored = 0;
    std::string version(GetFileVersionInfoSizeA(program.c_str(), &ignored), '\0');
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\041103A4\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "1.19");  // "Ver 1.19"
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(19, 1));
  }
}

}  // namespace
}  // namespace zrnx::test
