#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/text_file.h"

namespace zrnx {
namespace {

// Each wide unit as one code point (a lone surrogate too, so no two paths meet).
std::string Utf8Path(const std::wstring& path) {
  std::string bytes;
  for (wchar_t c : path) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u < 0x80) {
      bytes += static_cast<char>(u);
    } else if (u < 0x800) {
      bytes += static_cast<char>(0xC0 | (u >> 6));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
      bytes += static_cast<char>(0xE0 | (u >> 12));
      bytes += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | ((u >> 18) & 0x07));
      bytes += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return bytes;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

FileContents ReadWholeFile(const std::wstring& wide_path) {
  const std::string path = Utf8Path(wide_path);
  FileContents contents;
  Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    contents.status = (errno == ENOENT) ? FileRead::kMissing : FileRead::kFailed;
    return contents;
  }
  struct stat info {};
  if (fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    contents.status = FileRead::kFailed;
    return contents;
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      contents.status = FileRead::kFailed;
      contents.bytes.clear();
      return contents;
    }
    if (n == 0) break;
    contents.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  contents.status = FileRead::kOk;
  return contents;
}

bool ReplaceWholeFile(const std::wstring& given_path, std::string_view bytes) {
  // A symbolic link stays a link: its target is the file replaced.
  std::string path = Utf8Path(given_path);
  struct stat link {};
  if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* target = realpath(path.c_str(), nullptr);
    if (!target) return false;
    path = target;
    free(target);
  }
  // A file the user made read-only stays as it is, although its folder would
  // let us rename over it.
  struct stat old {};
  const bool exists = stat(path.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || access(path.c_str(), W_OK) != 0)) return false;

  std::string temp;
  int raw = -1;
  for (unsigned attempt = 0; raw < 0 && attempt < 100; ++attempt) {
    temp = path + ".~" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    raw = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) return false;
  }
  if (raw < 0) return false;
  Descriptor fd(raw);
  bool ok = WriteAll(fd.Get(), bytes);
  if (ok && exists) ok = fchmod(fd.Get(), old.st_mode & 07777) == 0;
  ok = ok && fsync(fd.Get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

void RemoveWholeFile(const std::wstring& path) { std::remove(Utf8Path(path).c_str()); }

}  // namespace zrnx
