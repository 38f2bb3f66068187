#include <iostream>

#include "commands.h"

namespace pellimore::inspect {

int RunSave(const std::vector<std::string>&) {
  std::cerr << "pellimore-inspect: the save command is not built yet\n";
  return 1;
}

}  // namespace pellimore::inspect
