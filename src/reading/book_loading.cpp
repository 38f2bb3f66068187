#include "reading/book_loading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>
#include <stdexcept>

#include "text/codepage.h"
#include "text/platform.h"

namespace pellimore {

namespace {

constexpr char kPathSeparator = '/';

std::string FileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderOf(std::string_view path) {
  const std::size_t slash = path.rfind(kPathSeparator);
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// The extension of a file name (from its last "." on) in ASCII lower case; empty without a ".".
std::string LowerExtension(std::string_view path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : AsciiLower(name.substr(dot));
}

[[noreturn]] void ThrowFileError(const std::string& what, const std::string& path, int errorCode) {
  throw std::runtime_error(what + " \"" + path + "\": " + std::strerror(errorCode));
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

std::string ReadWholeFile(const std::string& path) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) ThrowFileError("Cannot open file", path, errno);
  struct stat info {};
  if (fstat(file.Get(), &info) != 0) ThrowFileError("Cannot read file", path, errno);
  if (!S_ISREG(info.st_mode)) ThrowFileError("Cannot read file", path, EISDIR);

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(file.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ThrowFileError("Cannot read file", path, errno);
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

std::string DayMonthYear(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  return text;
}

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipEntryFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

[[noreturn]] void ThrowZipError(const std::string& what, const std::string& path, zip_error_t* error) {
  const std::string message = what + " \"" + path + "\": " + zip_error_strerror(error);
  throw std::runtime_error(message);
}

ZipArchive OpenArchive(const std::string& path) {
  int errorCode = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &errorCode);
  if (archive == nullptr) {
    zip_error_t error;
    zip_error_init_with_code(&error, errorCode);
    std::string message = "Cannot open archive \"" + path + "\": " + zip_error_strerror(&error);
    zip_error_fini(&error);
    throw std::runtime_error(message);
  }
  return ZipArchive(archive);
}

// The entry's name without folders, as a file name (UTF-8) like every path. Names that are not
// UTF-8 come from single-byte systems and are taken as bytes of the working code page.
std::string EntryFileName(zip_t* archive, zip_uint64_t index) {
  const char* raw = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
  if (raw == nullptr) return {};
  std::string name = FileNameOf(raw);
  if (!IsWellFormedUtf8(name)) name = FileNameFromText(name);
  return name;
}

std::string ExtractEntry(zip_t* archive, zip_uint64_t index, const std::string& archivePath) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, index, 0, &stat) != 0)
    ThrowZipError("Cannot read archive", archivePath, zip_get_error(archive));
  ZipEntryFile file(zip_fopen_index(archive, index, 0));
  if (!file) ThrowZipError("Cannot read archive", archivePath, zip_get_error(archive));

  std::string bytes;
  if (stat.valid & ZIP_STAT_SIZE) bytes.reserve(static_cast<std::size_t>(stat.size));
  char buffer[1 << 16];
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
    if (got < 0) ThrowZipError("Cannot read archive", archivePath, zip_file_get_error(file.get()));
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

std::time_t EntryTime(zip_t* archive, zip_uint64_t index) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_MTIME)) return 0;
  return stat.mtime;
}

}  // namespace

Lines SplitLines(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::string JoinLines(const Lines& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string FileDateText(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) ThrowFileError("Cannot read the date of file", path, errno);
  std::tm local{};
  localtime_r(&info.st_mtime, &local);
  return FormatShortDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

ZipBookEntry ReadFirstBookEntry(const std::string& archivePath) {
  ZipArchive archive = OpenArchive(archivePath);
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  ZipBookEntry entry;
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    std::string name = EntryFileName(archive.get(), index);
    if (LowerExtension(name) != ".fb2") continue;
    entry.found = true;
    entry.name = std::move(name);
    entry.date = DayMonthYear(EntryTime(archive.get(), index));
    entry.bytes = ExtractEntry(archive.get(), index, archivePath);
    break;
  }
  return entry;
}

bool IsCrLfText(std::string_view text) {
  if (text.empty()) return true;
  if (!text.ends_with("\r\n") || text.find('\0') != std::string_view::npos) return false;
  for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', cr + 1)) {
    if (cr + 1 >= text.size() || text[cr + 1] != '\n') return false;
  }
  for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1)) {
    if (lf == 0 || text[lf - 1] != '\r') return false;
  }
  return true;
}

void MakeCrLfText(std::string& text) {
  if (!IsCrLfText(text)) text = CrLfText(text);
}

std::string CrLfText(std::string_view text) {
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::string out;
  out.reserve(text.size() + text.size() / 32 + 2);
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* lineEnd = p;
    while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
    out.append(p, lineEnd).append("\r\n");
    if (lineEnd == end) break;
    p = lineEnd + 1;
    if (*lineEnd == '\r' && p < end && *p == '\n') ++p;
  }
  return out;
}

std::string LoadBookText(const std::string& path, Workspace& workspace) {
  HeaderRecord& header = workspace.header;
  header.CurrentFileName.clear();
  header.CurrentZipName.clear();
  header.CurrentFileDate.clear();

  const std::string extension = LowerExtension(path);
  if (extension == ".fb2") {
    std::string text = ReadWholeFile(path);
    MakeCrLfText(text);
    header.CurrentFileName = path;
    workspace.statusPanels[0] = path;
    header.CurrentFileDate = FileDateText(path);
    return text;
  }
  if (extension == ".zip") {
    ZipBookEntry entry = ReadFirstBookEntry(path);
    if (!entry.found) return {};
    header.CurrentFileDate = entry.date;
    header.CurrentFileName = FolderOf(path) + entry.name;
    header.CurrentZipName = path;
    workspace.statusPanels[0] = path;
    MakeCrLfText(entry.bytes);
    return std::move(entry.bytes);
  }
  return {};
}

void LoadBookLines(Lines& lines, const std::string& path, Workspace& workspace) {
  lines.clear();
  lines = SplitLines(LoadBookText(path, workspace));
}

std::string ReloadCurrentBookText(const HeaderRecord& header) {
  struct stat info {};
  if (!header.CurrentZipName.empty()) {
    if (stat(header.CurrentZipName.c_str(), &info) != 0) return {};
    ZipBookEntry entry = ReadFirstBookEntry(header.CurrentZipName);
    MakeCrLfText(entry.bytes);
    return std::move(entry.bytes);
  }
  if (!header.CurrentFileName.empty()) {
    if (stat(header.CurrentFileName.c_str(), &info) != 0) return {};
    std::string text = ReadWholeFile(header.CurrentFileName);
    MakeCrLfText(text);
    return text;
  }
  return {};
}

void ReloadCurrentBook(Lines& lines, const HeaderRecord& header) {
  lines = SplitLines(ReloadCurrentBookText(header));
}

}  // namespace pellimore
