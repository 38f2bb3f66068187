#include "writing/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace pellimore {

namespace {

std::optional<std::size_t> g_failAfter;

std::string SystemReason(int error) { return std::strerror(error); }

class FileSink : public ByteSink {
 public:
  FileSink(int fd, std::optional<std::size_t> failAfter) : m_fd(fd), m_failAfter(failAfter) {}

  void Write(std::string_view bytes) override {
    if (m_failAfter) {
      const std::size_t room = *m_failAfter > m_written ? *m_failAfter - m_written : 0;
      if (bytes.size() > room) {
        WriteAll(bytes.substr(0, room));
        throw std::runtime_error(SystemReason(ENOSPC));
      }
    }
    WriteAll(bytes);
  }

 private:
  void WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        throw std::runtime_error(SystemReason(errno));
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
      m_written += static_cast<std::size_t>(n);
    }
  }

  int m_fd;
  std::optional<std::size_t> m_failAfter;
  std::size_t m_written = 0;
};

// A new, empty file beside path; its name returned through tempPath.
int CreateTempBeside(const std::string& path, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath =
        folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The replaced file keeps its permissions; a new one gets those the umask allows.
void KeepPermissions(int fd, const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
}

// Closes fd (and sets it to -1) before renaming.
void WriteAndReplace(int& fd, const std::string& tempPath, const std::string& path, std::string_view bytes) {
  FileSink sink(fd, g_failAfter);
  sink.Write(bytes);
  KeepPermissions(fd, path);
  if (::fsync(fd) != 0) throw std::runtime_error(SystemReason(errno));
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) throw std::runtime_error(SystemReason(errno));
  if (::rename(tempPath.c_str(), path.c_str()) != 0) throw std::runtime_error(SystemReason(errno));
}

}  // namespace

void ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string failurePrefix = "Cannot create file \"" + path + "\". ";
  std::string tempPath;
  int fd = CreateTempBeside(path, tempPath);
  if (fd < 0) throw std::runtime_error(failurePrefix + SystemReason(errno));
  try {
    WriteAndReplace(fd, tempPath, path, bytes);
  } catch (const std::runtime_error& e) {
    if (fd >= 0) ::close(fd);
    ::unlink(tempPath.c_str());
    throw std::runtime_error(failurePrefix + e.what());
  }
}

ScopedWriteFailure::ScopedWriteFailure(std::size_t bytesBeforeFailure) : m_previous(g_failAfter) {
  g_failAfter = bytesBeforeFailure;
}

ScopedWriteFailure::~ScopedWriteFailure() { g_failAfter = m_previous; }

}  // namespace pellimore
