#pragma once

#include <string>
#include <string_view>

#include "markup/html_parser.h"
#include "reading/workspace.h"

namespace pellimore {

// Opens the book at path and fills the header record from its description. A missing file only
// forgets CurrentFileName and CurrentZipName. Failures become "GetDescription : " log lines;
// tokenizer reports go to the workspace's prompt.
void GetDescription(Workspace& workspace, const std::string& path);

// One tag rebuilt as well-formed markup text: "<", the name as written, each attribute as
// name="value" (a bare name when written without "="), ">"; a self-closing tag keeps its slash.
// decode: attribute values converted with DecodeDocumentText; otherwise kept as in the source.
std::string TagToText(const Workspace& workspace, const THTMLItem& tag, bool decode = true);
// TagToText appended to out.
void AppendTagText(std::string& out, const Workspace& workspace, const THTMLItem& tag, bool decode = true);
// The display date of a document-info date tag; also sets the colour of ME_Date.
std::string GetDateFromTag(Workspace& workspace, const THTMLItem& tag);
// The document version as text: "1.0" unless the text is a number.
std::string NormaliseVersion(std::string_view text);
// "; " when both texts are non-empty, else empty.
std::string ListSeparator(std::string_view existing, std::string_view addition);

// Whether a tag closes itself: "<x/>", "<x a="1"/>", "<x a='1'/>" or "<x a="1" />".
bool IsSelfClosingTag(const THTMLItem& tag);

}  // namespace pellimore
