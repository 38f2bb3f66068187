#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pellimore {

// Where the bytes of a written file go. Write throws std::runtime_error with the system's reason.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

// Writes the file at path through a temporary file beside it, renamed over path once it is
// complete: the old file stays as it was on any failure, and the temporary file is removed.
// Throws std::runtime_error("Cannot create file \"<path>\". <reason>").
void ReplaceFile(const std::string& path, std::string_view bytes);

// While one lives, every file sink of ReplaceFile fails after the given number of bytes as a
// full disk would. For tests of the failure paths.
class ScopedWriteFailure {
 public:
  explicit ScopedWriteFailure(std::size_t bytesBeforeFailure);
  ~ScopedWriteFailure();
  ScopedWriteFailure(const ScopedWriteFailure&) = delete;
  ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;

 private:
  std::optional<std::size_t> m_previous;
};

}  // namespace pellimore
