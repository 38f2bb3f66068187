#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "markup/html_search.h"

namespace pellimore {

// A lenient HTML-style tokenizer: turns a whole document into a flat list of tags, text runs,
// comments and server-script blocks. It builds no tree, checks no nesting and decodes nothing.
// Items are views into the parser's buffer, valid while the parser lives and its buffer is
// unchanged; reading an item's Text() makes a copy.

enum class HTMLItemKind : std::uint8_t { Tag, Text, Comment, ServerScript };

struct THTMLParam {
  std::string_view Name;
  std::optional<std::string_view> Value;  // nothing when the attribute was written without "="
};

struct THTMLItem {
  HTMLItemKind Kind = HTMLItemKind::Text;
  // Text: the run's bytes. Comment: the bytes between "<!--" and "-->". Server script: the bytes
  // between "<%" and "%>". Tag: the raw content, every byte between "<" and ">".
  std::string_view View;
  std::string_view Name;           // tags only, as written: "p", "/p", "?xml", "empty-line/"
  std::vector<THTMLParam> Params;  // tags only, in the order written

  bool IsTag() const { return Kind == HTMLItemKind::Tag; }
  std::string Text() const { return std::string(View); }
};

// message, text
using HTMLErrorCallback = std::function<void(std::string_view, std::string_view)>;

class THTMLParser {
 public:
  // The document bytes; load them before Parse and leave them unchanged while reading items.
  std::string& Content() { return m_content; }
  const std::string& Content() const { return m_content; }

  // Receives "> not found", "</script> not match", "</style> not match" and
  // "key not defined in tag" with the text concerned (a view, valid during the call).
  void SetOnError(HTMLErrorCallback callback) { m_onError = std::move(callback); }

  // Drops earlier items and tokenizes the whole buffer. No input makes it fail: unclosed markup
  // ends tokenizing with a report, and an item that cannot be built is dropped. A buffer of 2 GiB
  // or more is beyond the tokenizer's positions and becomes one text item.
  void Parse();

  std::size_t Count() const { return m_items.size(); }
  const THTMLItem& Item(std::size_t index) const { return m_items[index]; }
  const std::vector<THTMLItem>& Items() const { return m_items; }

 private:
  std::string m_content;
  HTMLErrorCallback m_onError;
  std::vector<THTMLItem> m_items;
};

}  // namespace pellimore
