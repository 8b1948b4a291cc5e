// What the release carries: the item sender's resources as Windows reads
// them (both icon groups, the manifest, the version).

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
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

TEST(ReleaseTest, ItemSenderCarriesTwoIconsAManifestAndItsVersion) {
  const std::string sender = BuildDir() + "\\Zrnx.exe";
  // Icon index 1 is the icon of item files.
  EXPECT_EQ(ExtractIconExA(sender.c_str(), -1, nullptr, nullptr, 0), 2u);
  HICON item = nullptr;
  EXPECT_EQ(ExtractIconExA(sender.c_str(), 1, &item, nullptr, 1), 1u);
  if (item) DestroyIcon(item);

  HMODULE module = LoadLibraryExA(sender.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(module);
  const std::string manifest = Resource(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
  EXPECT_NE(manifest.find(R"(level="asInvoker")"), std::string::npos) << manifest;
  // Windows 7 and Windows 10/11.
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
  FreeLibrary(module);

  DWORD ignored = 0;
  std::string version(GetFileVersionInfoSizeA(sender.c_str(), &ignored), '\0');
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoA(sender.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  char* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\041103A4\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, "1.19");
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(19, 1));
}

}  // namespace
}  // namespace zrnx::test
