#include <iostream>

#include "commands.h"

namespace pellimore::inspect {

int RunTokenize(const std::vector<std::string>&) {
  std::cerr << "pellimore-inspect: the tokenize command is not built yet\n";
  return 1;
}

}  // namespace pellimore::inspect
