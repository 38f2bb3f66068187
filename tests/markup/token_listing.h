#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "markup/html_parser.h"

namespace pellimore::markup_testing {

// A tokenized document written out one line per item, so that tables of cases stay readable:
//   tag NAME {key=value} {bare}    text "..."    comment "..."    script "..."
// Reports are written as "MESSAGE: TEXT".
struct TokenListing {
  std::vector<std::string> items;
  std::vector<std::string> reports;
};

inline std::string DescribeItem(const THTMLItem& item) {
  switch (item.Kind) {
    case HTMLItemKind::Tag: {
      std::string line = "tag " + std::string(item.Name);
      for (const THTMLParam& param : item.Params) {
        line += " {" + std::string(param.Name);
        if (param.Value) line += "=" + std::string(*param.Value);
        line += "}";
      }
      return line;
    }
    case HTMLItemKind::Text:
      return "text \"" + item.Text() + "\"";
    case HTMLItemKind::Comment:
      return "comment \"" + item.Text() + "\"";
    case HTMLItemKind::ServerScript:
      return "script \"" + item.Text() + "\"";
  }
  return "?";
}

inline TokenListing Tokenize(std::string_view document) {
  TokenListing listing;
  THTMLParser parser;
  parser.Content() = std::string(document);
  parser.SetOnError([&listing](std::string_view message, std::string_view text) {
    listing.reports.push_back(std::string(message) + ": " + std::string(text));
  });
  parser.Parse();
  for (const THTMLItem& item : parser.Items()) listing.items.push_back(DescribeItem(item));
  return listing;
}

// The document rebuilt from its items with the delimiters each kind stands between.
inline std::string Rebuild(const THTMLParser& parser) {
  std::string text;
  for (const THTMLItem& item : parser.Items()) {
    switch (item.Kind) {
      case HTMLItemKind::Tag:
        text += "<" + item.Text() + ">";
        break;
      case HTMLItemKind::Text:
        text += item.Text();
        break;
      case HTMLItemKind::Comment:
        text += "<!--" + item.Text() + "-->";
        break;
      case HTMLItemKind::ServerScript:
        text += "<%" + item.Text() + "%>";
        break;
    }
  }
  return text;
}

}  // namespace pellimore::markup_testing
