#include "core/platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

namespace wendlix::platform {

namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Close(); }
  int get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Temporaries whose writer died: nobody holds their lock any more.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsAtomicWriteTemporary(name, entry->d_name)) continue;
    const std::string candidate = folder + entry->d_name;
    Fd fd(::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) continue;
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
      ::unlink(candidate.c_str());
    }
  }
  ::closedir(dir);
}

// A new temporary beside the target, created exclusively and locked; -1 on failure.
int CreateLockedTemporary(const std::string& folder, const std::string& name, std::string& temp) {
  static std::atomic<std::uint32_t> counter{0};
  const auto pid = static_cast<std::uint64_t>(::getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = folder + AtomicWriteTemporaryName(name, pid << 32 | ++counter);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    if (::flock(fd, LOCK_EX) == 0) return fd;
    ::close(fd);
    ::unlink(temp.c_str());
    return -1;
  }
  return -1;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // A file we may not write is not ours to replace, even where the folder would allow it.
  if (path.empty() || DirectoryExists(path) || (FileExists(path) && ::access(path.c_str(), W_OK) != 0))
    return false;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  RemoveStaleTemporaries(folder, name);
  std::string temp;
  Fd fd(CreateLockedTemporary(folder, name, temp));
  if (fd.get() < 0) return false;
  // A new file is private until chmod; keep the mode the replaced file had.
  struct stat old {};
  ::fchmod(fd.get(), ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
  // The lock stays until the rename is done, so a cleaner never takes a live temporary.
  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // The new name reaches the disk with the folder.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace wendlix::platform
