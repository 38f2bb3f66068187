#include <iostream>
#include <string>

#include "commands.h"
#include "markup/html_parser.h"

namespace pellimore::inspect {
namespace {

nlohmann::json TextOf(std::string_view bytes) { return Text(std::string(bytes)); }

nlohmann::json TagJson(const THTMLItem& tag) {
  nlohmann::json attributes = nlohmann::json::array();
  for (const THTMLParam& param : tag.Params) {
    attributes.push_back({{"name", TextOf(param.Name)},
                          {"value", param.Value ? TextOf(*param.Value) : nlohmann::json(nullptr)}});
  }
  return {{"kind", "tag"}, {"name", TextOf(tag.Name)}, {"attributes", attributes}};
}

nlohmann::json ItemJson(const THTMLItem& item) {
  switch (item.Kind) {
    case HTMLItemKind::Tag:
      return TagJson(item);
    case HTMLItemKind::Text:
      return {{"kind", "text"}, {"text", TextOf(item.View)}};
    case HTMLItemKind::Comment:
      return {{"kind", "comment"}, {"text", TextOf(item.View)}};
    case HTMLItemKind::ServerScript:
      return {{"kind", "server-script"}, {"text", TextOf(item.View)}};
  }
  return nullptr;
}

}  // namespace

int RunTokenize(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: pellimore-inspect tokenize FILE\n";
    return 2;
  }
  THTMLParser parser;
  parser.Content() = ReadWholeFile(args[0]);
  nlohmann::json reports = nlohmann::json::array();
  parser.SetOnError([&reports](std::string_view message, std::string_view text) {
    reports.push_back({{"message", std::string(message)}, {"text", TextOf(text)}});
  });
  parser.Parse();

  nlohmann::json items = nlohmann::json::array();
  for (const THTMLItem& item : parser.Items()) items.push_back(ItemJson(item));
  Print({{"items", items}, {"reports", reports}});
  return 0;
}

}  // namespace pellimore::inspect
