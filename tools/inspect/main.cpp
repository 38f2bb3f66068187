#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "text/charset.h"
#include "text/codepage.h"
#include "text/platform.h"

namespace {

constexpr const char* kUsage =
    "usage: pellimore-inspect [--codepage N] [--date-format PATTERN] [--decimal-mark C] COMMAND ...\n"
    "  tokenize FILE              the tokenizer's items and reports\n"
    "  read PATH [--body]         the header record after reading a .fb2 or .zip\n"
    "  header STATE.json [--utf8-view]\n"
    "                             the exact bytes of the new description\n"
    "  save PATH STATE.json       opens PATH, applies STATE and runs \"Save\"\n"
    "Defaults: --codepage 1251 --date-format dd.MM.yyyy --decimal-mark .\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pellimore;
  std::vector<std::string> args(argv + 1, argv + argc);
  int codePage = 1251;
  std::string dateFormat = "dd.MM.yyyy";
  char decimalMark = '.';

  std::size_t i = 0;
  for (; i + 1 < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
    if (args[i] == "--codepage") {
      codePage = std::atoi(args[i + 1].c_str());
    } else if (args[i] == "--date-format") {
      dateFormat = args[i + 1];
    } else if (args[i] == "--decimal-mark" && args[i + 1].size() == 1) {
      decimalMark = args[i + 1][0];
    } else {
      return Usage();
    }
  }
  if (i >= args.size()) return Usage();
  const std::string command = args[i];
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());

  try {
    SetWorkingCodePage(codePage);
    SetSystemEncodingName(EncodingFromCodePage(codePage));
    SetShortDateFormat(dateFormat);
    SetDecimalMark(decimalMark);
    if (command == "tokenize") return inspect::RunTokenize(rest);
    if (command == "read") return inspect::RunRead(rest);
    if (command == "header") return inspect::RunHeader(rest);
    if (command == "save") return inspect::RunSave(rest);
  } catch (const std::exception& e) {
    std::cerr << "pellimore-inspect: " << e.what() << '\n';
    return 1;
  }
  return Usage();
}
