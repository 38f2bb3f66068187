#include <iostream>

#include "commands.h"

namespace pellimore::inspect {

int RunRead(const std::vector<std::string>&) {
  std::cerr << "pellimore-inspect: the read command is not built yet\n";
  return 1;
}

}  // namespace pellimore::inspect
