#include "reading/body.h"

#include <exception>

#include "markup/html_parser.h"
#include "reading/book_loading.h"
#include "reading/description_reader.h"
#include "reading/encoding.h"
#include "text/codepage.h"

namespace pellimore {

namespace {

std::string TextOf(const Workspace& workspace, std::string_view bytes, bool decode) {
  return decode ? DecodeDocumentText(workspace, bytes) : std::string(bytes);
}

// Everything from the first body start tag to the end of the items.
std::string CollectBody(const Workspace& workspace, const THTMLParser& parser, bool decode) {
  std::string out;
  bool collecting = false;
  for (const THTMLItem& item : parser.Items()) {
    if (item.Kind == HTMLItemKind::Tag) {
      if (!collecting && AsciiLower(item.Name) == "body") {
        collecting = true;
        out.reserve(parser.Content().size());
      }
      if (collecting) out += TagToText(workspace, item, decode);
    } else if (collecting && item.Kind == HTMLItemKind::Text) {
      out += TextOf(workspace, item.View, decode);
    } else if (collecting && item.Kind == HTMLItemKind::Comment) {
      out += "<!--";
      out += TextOf(workspace, item.View, decode);
      out += "-->";
    }
  }
  return out;
}

BodyText ReadBody(Workspace& workspace, bool decode) {
  BodyText body;
  Lines lines;
  ReloadCurrentBook(lines, workspace.header);
  if (lines.empty()) return body;
  body.sourceRead = true;
  THTMLParser parser;
  parser.SetOnError([&workspace](std::string_view message, std::string_view text) {
    workspace.Prompt().ReportParserProblem(message, text);
  });
  parser.Content() = JoinLines(lines);
  lines.clear();
  parser.Parse();
  body.text = CollectBody(workspace, parser, decode);
  return body;
}

}  // namespace

BodyText ExtractBody(Workspace& workspace, bool decode) {
  try {
    return ReadBody(workspace, decode);
  } catch (const std::exception& error) {
    BodyText failed;
    failed.error = error.what();
    workspace.AddToLog("GetBody : " + failed.error);
    return failed;
  }
}

std::string GetBody(Workspace& workspace) { return ExtractBody(workspace, true).text; }

void SpeedButton3Click(Workspace& workspace) { workspace.header.Memo2 = GetBody(workspace); }

}  // namespace pellimore
