#pragma once

#include <string>

#include "reading/workspace.h"

namespace pellimore {

// The open book from its first body start tag to its end, rebuilt from tokens.
struct BodyText {
  // false: no book open, its file or archive is missing or could not be read, or it holds no
  // document at all; the text is empty then.
  bool sourceRead = false;
  std::string text;   // empty also when the source holds no body tag
  std::string error;  // the read error's message, when there was one
};

// decode: convert texts and attribute values from UTF-8 when SourceIsUtf8 (what GetBody shows);
// otherwise the source's own bytes are kept, so a UTF-8 save can carry them over unchanged.
// Read errors are logged as "GetBody : " lines. Tokenizer reports go to the workspace's prompt.
BodyText ExtractBody(Workspace& workspace, bool decode);

// The body in the working code page; empty without a book or a body. Read errors become a
// "GetBody : " log line and an empty result.
std::string GetBody(Workspace& workspace);
// The "Load Body" button: Memo2 := GetBody.
void SpeedButton3Click(Workspace& workspace);

}  // namespace pellimore
