#include <iostream>

#include "commands.h"
#include "state_json.h"
#include "text/codepage.h"
#include "writing/description_writer.h"

namespace pellimore::inspect {

// header STATE.json [--utf8-view]: the exact bytes of BuildDescription for the state.
int RunHeader(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "--utf8-view")) {
    std::cerr << "usage: pellimore-inspect header STATE.json [--utf8-view]\n";
    return 2;
  }
  SilentPrompt prompt;
  Workspace workspace;
  workspace.prompt = &prompt;
  SaveSettings settings;
  ApplyState(ReadStateFile(args[0]), workspace, settings);
  const std::string header = BuildDescription(workspace);
  const std::string out = args.size() == 2 ? WorkingToUtf8(header) : header;
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace pellimore::inspect
