#include <iostream>

#include "commands.h"

namespace pellimore::inspect {

int RunHeader(const std::vector<std::string>&) {
  std::cerr << "pellimore-inspect: the header command is not built yet\n";
  return 1;
}

}  // namespace pellimore::inspect
