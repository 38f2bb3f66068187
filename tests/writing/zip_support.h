#pragma once

#include <zip.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pellimore::testing {

using ZipEntries = std::vector<std::pair<std::string, std::string>>;  // name, bytes

// Writes an archive holding the entries, in order.
inline void WriteZip(const std::string& path, const ZipEntries& entries) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot create " + path);
  for (const auto& [name, bytes] : entries) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_GUESS);
  }
  zip_close(archive);
}

// Every entry of an archive with its bytes; throws when the archive cannot be opened.
inline ZipEntries ReadZip(const std::string& path) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) throw std::runtime_error("cannot open " + path);
  ZipEntries entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    zip_fread(file, bytes.data(), bytes.size());
    zip_fclose(file);
    entries.emplace_back(stat.name, bytes);
  }
  zip_close(archive);
  return entries;
}

}  // namespace pellimore::testing
