#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellimore {

// A lenient HTML-style tokenizer: turns a whole document into a flat list of tags, text runs,
// comments and server-script blocks. It builds no tree and decodes nothing. Items are views
// into the parser's buffer, valid while the parser lives and its buffer is unchanged.

enum class HTMLItemKind : std::uint8_t { Tag, Text, Comment, ServerScript };

struct THTMLParam {
  std::string_view Name;
  std::optional<std::string_view> Value;  // nothing when the attribute was written without "="
};

struct THTMLItem {
  HTMLItemKind Kind = HTMLItemKind::Text;
  // Text, comment, server script: their bytes. Tag: the raw content between "<" and ">".
  std::string_view View;
  std::string_view Name;            // tags only, as written
  std::vector<THTMLParam> Params;   // tags only, in the order written

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

  // Receives "> not found", "</script> not match", "</style> not match", "key not defined in tag".
  void SetOnError(HTMLErrorCallback callback) { m_onError = std::move(callback); }

  // Drops earlier items and tokenizes the whole buffer. Never fails.
  void Parse();

  std::size_t Count() const { return m_items.size(); }
  const THTMLItem& Item(std::size_t index) const { return m_items[index]; }
  const std::vector<THTMLItem>& Items() const { return m_items; }

 private:
  std::string m_content;
  HTMLErrorCallback m_onError;
  std::vector<THTMLItem> m_items;
};

// The search routines of the tokenizer, over a buffer; each gives -1 when nothing is found or
// the start lies outside the buffer. Blanks are TAB, LF, CR and space.
namespace html {
std::int32_t FindTextNoCase(std::string_view buffer, std::string_view pattern, std::int32_t start);
std::int32_t FindByte(std::string_view buffer, char byte, std::int32_t start);
std::int32_t FindOutsideQuotes(std::string_view buffer, char byte, std::int32_t start);
std::int32_t FindBlankOutsideQuotes(std::string_view buffer, std::int32_t start);
std::int32_t SkipBlanks(std::string_view buffer, std::int32_t start);
std::int32_t SkipBlanksBack(std::string_view buffer, std::int32_t start);
}  // namespace html

}  // namespace pellimore
