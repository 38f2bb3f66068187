#include "reading/body.h"

#include <exception>

#include "markup/html_parser.h"
#include "reading/book_loading.h"
#include "reading/description_reader.h"
#include "reading/encoding.h"
#include "text/codepage.h"

namespace pellimore {

namespace {

void AppendText(std::string& out, const Workspace& workspace, std::string_view bytes, bool decode) {
  if (decode) {
    out += DecodeDocumentText(workspace, bytes);
  } else {
    out.append(bytes);
  }
}

bool IsBodyTag(const THTMLItem& tag) {
  return tag.Name.size() == 4 && AsciiLower(tag.Name) == "body";
}

// Everything from the first body start tag to the end of the items.
std::string CollectBody(const Workspace& workspace, const THTMLParser& parser, bool decode) {
  std::string out;
  bool collecting = false;
  for (const THTMLItem& item : parser.Items()) {
    if (item.Kind == HTMLItemKind::Tag) {
      if (!collecting && IsBodyTag(item)) {
        collecting = true;
        out.reserve(parser.Content().size());
      }
      if (collecting) AppendTagText(out, workspace, item, decode);
    } else if (collecting && item.Kind == HTMLItemKind::Text) {
      AppendText(out, workspace, item.View, decode);
    } else if (collecting && item.Kind == HTMLItemKind::Comment) {
      out += "<!--";
      AppendText(out, workspace, item.View, decode);
      out += "-->";
    }
  }
  return out;
}

BodyText ReadBody(Workspace& workspace, bool decode) {
  BodyText body;
  std::string text = ReloadCurrentBookText(workspace.header);
  if (text.empty()) return body;
  body.sourceRead = true;
  THTMLParser parser;
  parser.SetOnError([&workspace](std::string_view message, std::string_view text) {
    workspace.Prompt().ReportParserProblem(message, text);
  });
  parser.Content() = std::move(text);
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
