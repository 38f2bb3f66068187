#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>

#include "commands.h"
#include "text/codepage.h"

namespace pellimore::inspect {

nlohmann::json Text(const std::string& bytes) { return WorkingToUtf8(bytes); }

nlohmann::json PathText(const std::string& bytes) {
  return IsWellFormedUtf8(bytes) ? bytes : WorkingToUtf8(bytes);
}

bool IsPathField(std::string_view name) { return name == "CurrentFileName" || name == "CurrentZipName"; }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Print(const nlohmann::json& document) { std::cout << document.dump(2) << '\n'; }

}  // namespace pellimore::inspect
