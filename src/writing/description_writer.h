#pragma once

#include <string>

#include "reading/workspace.h"

namespace pellimore {

// The declaration, the FictionBook root start tag and the new description, CR LF after every
// line. Trims the header record and decides the output encoding as side effects.
std::string BuildDescription(Workspace& workspace);

}  // namespace pellimore
