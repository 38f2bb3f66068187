#include "text/trim.h"

namespace pellimore {

namespace {
bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::string TrimControls(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsControlOrBlank(text[begin])) ++begin;
  while (end > begin && IsControlOrBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace pellimore
