#pragma once
// A fresh folder under the temporary directory for tests that touch files,
// removed with its content when the object goes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace zrnx::test {

// A path of ASCII bytes as the wide path the stores take.
inline std::wstring Wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    for (;;) {
      path_ = std::filesystem::temp_directory_path() / ("zrnx-unit-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary | std::ios::trunc) << bytes;
    return PathOf(name);
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // The names of the entries in the folder, for proving that nothing was left behind.
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace zrnx::test
