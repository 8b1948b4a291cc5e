#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "common/text_file.h"

namespace zrnx {
namespace {

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

FileContents ReadWholeFile(const std::string& path) {
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

bool ReplaceWholeFile(const std::string& given_path, std::string_view bytes) {
  // A symbolic link stays a link: its target is the file replaced.
  std::string path = given_path;
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

}  // namespace zrnx
