#include "writing/zip_archive_writer.h"

#include <zip.h>

#include <ctime>
#include <memory>
#include <stdexcept>

#include "text/codepage.h"

namespace pellimore {

namespace {

std::runtime_error ZipError(zip_error_t* error) {
  std::runtime_error failure(zip_error_strerror(error));
  return failure;
}

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

// Adds the entry to a new archive written into target; target keeps the archive's bytes.
void WriteArchive(zip_source_t* target, const std::string& entryName, std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
  if (archive == nullptr) {
    const std::runtime_error failure = ZipError(&error);
    zip_error_fini(&error);
    throw failure;
  }
  zip_error_fini(&error);
  zip_source_keep(target);  // zip_close / zip_discard release one reference

  zip_source_t* entry = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
  // The entry is named like the target file, whose name is already UTF-8.
  const std::string utf8Name = IsWellFormedUtf8(entryName) ? entryName : FileNameFromText(entryName);
  const zip_int64_t index =
      entry == nullptr ? -1
                       : zip_file_add(archive, utf8Name.c_str(), entry, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    if (entry != nullptr) zip_source_free(entry);
    const std::runtime_error failure = ZipError(zip_get_error(archive));
    zip_discard(archive);
    throw failure;
  }
  zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), std::time(nullptr), 0);
  if (zip_close(archive) != 0) {
    const std::runtime_error failure = ZipError(zip_get_error(archive));
    zip_discard(archive);
    throw failure;
  }
}

std::string ReadAll(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
      zip_source_open(source) != 0) {
    throw ZipError(zip_source_error(source));
  }
  std::string bytes(static_cast<std::size_t>(stat.size), '\0');
  const zip_int64_t read = zip_source_read(source, bytes.data(), bytes.size());
  zip_source_close(source);
  if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) throw ZipError(zip_source_error(source));
  return bytes;
}

}  // namespace

std::string BuildOneEntryArchive(const std::string& entryName, std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  SourcePtr target(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!target) {
    const std::runtime_error failure = ZipError(&error);
    zip_error_fini(&error);
    throw failure;
  }
  zip_error_fini(&error);
  WriteArchive(target.get(), entryName, bytes);
  return ReadAll(target.get());
}

}  // namespace pellimore
