#include "markup/html_parser.h"

#include <exception>
#include <limits>

#include "markup/html_search.h"

namespace pellimore {
namespace {

using html::FindBlankOutsideQuotes;
using html::FindByte;
using html::FindOutsideQuotes;
using html::FindTextNoCase;
using html::SkipBlanks;
using html::SkipBlanksBack;

constexpr std::int32_t kNotFound = -1;
constexpr std::size_t kMaxDocumentSize = std::numeric_limits<std::int32_t>::max();

bool IsQuote(char c) { return c == '"' || c == '\''; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, std::string_view lowerCase) {
  if (text.size() < lowerCase.size()) return false;
  for (std::size_t i = 0; i < lowerCase.size(); ++i) {
    if (AsciiLower(text[i]) != lowerCase[i]) return false;
  }
  return true;
}

bool EqualsNoCase(std::string_view text, std::string_view lowerCase) {
  return text.size() == lowerCase.size() && StartsWithNoCase(text, lowerCase);
}

// Whether the document holds "<html", "<body" or "<script" in any case, the markers that make it
// worth tokenizing. One scan from "<" to "<" looks for all three at once.
bool HasMarkupMarker(std::string_view buffer) {
  for (std::int32_t at = FindByte(buffer, '<', 0); at != kNotFound; at = FindByte(buffer, '<', at + 1)) {
    const std::string_view rest = buffer.substr(static_cast<std::size_t>(at));
    if (StartsWithNoCase(rest, "<html") || StartsWithNoCase(rest, "<body") ||
        StartsWithNoCase(rest, "<script")) {
      return true;
    }
  }
  return false;
}

std::string_view Bytes(std::string_view buffer, std::int32_t first, std::int32_t last) {
  if (last < first) return buffer.substr(static_cast<std::size_t>(first), 0);
  return buffer.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
}

// The value of an attribute whose "=" stands at eq; sets valueEnd to the blank (or the content's
// length) where the value run ends. A quote is taken off each end on its own, so a run ending in
// a quote and a slash keeps both.
std::string_view AttributeValue(std::string_view content, std::int32_t eq, std::int32_t& valueEnd) {
  const std::int32_t length = static_cast<std::int32_t>(content.size());
  std::int32_t vs = SkipBlanks(content, eq + 1);
  if (vs == kNotFound) vs = length;
  std::int32_t ve = FindBlankOutsideQuotes(content, vs);
  if (ve == kNotFound) ve = length;
  valueEnd = ve;
  const std::int32_t first = vs < length && IsQuote(content[static_cast<std::size_t>(vs)]) ? vs + 1 : vs;
  const std::int32_t last = IsQuote(content[static_cast<std::size_t>(ve - 1)]) ? ve - 2 : ve - 1;
  if (last < first) return content.substr(static_cast<std::size_t>(vs < length ? vs : length), 0);
  return Bytes(content, first, last);
}

// "<", the content and ">".
std::string Markup(std::string_view content) {
  std::string text;
  text.reserve(content.size() + 2);
  text.push_back('<');
  text.append(content);
  text.push_back('>');
  return text;
}

class Tokenizer {
 public:
  Tokenizer(std::string_view buffer, const HTMLErrorCallback& onError, std::vector<THTMLItem>& items)
      : m_buffer(buffer),
        m_length(static_cast<std::int32_t>(buffer.size())),
        m_onError(onError),
        m_items(items) {}

  void Run() {
    while (m_buffer[static_cast<std::size_t>(m_start)] == '<' ? TakeMarkup() : TakeText()) {
    }
  }

 private:
  std::size_t At(std::int32_t position) const { return static_cast<std::size_t>(position); }
  // The byte that many places after m_start, or NUL beyond the buffer.
  char ByteAfterStart(std::int64_t offset) const {
    const std::int64_t position = m_start + offset;
    return position < m_length ? m_buffer[static_cast<std::size_t>(position)] : '\0';
  }

  void Report(std::string_view message, std::string_view text) const {
    if (m_onError) m_onError(message, text);
  }

  // The markup starting with the "<" at m_start; false when tokenizing stops.
  bool TakeMarkup() {
    if (ByteAfterStart(1) == '%') {
      m_end = FindTextNoCase(m_buffer, "%>", m_start + 2);
      if (m_end != kNotFound) m_end += 1;
    } else if (ByteAfterStart(1) == '!' && ByteAfterStart(2) == '-' && ByteAfterStart(3) == '-') {
      // Searching from the first hyphen makes "<!-->" a complete, empty comment.
      m_end = FindTextNoCase(m_buffer, "-->", m_start + 2);
      if (m_end != kNotFound) m_end += 2;
    } else {
      m_end = FindOutsideQuotes(m_buffer, '>', m_start + 1);
    }
    if (m_end == kNotFound) {
      Report("> not found", m_buffer.substr(At(m_start)));
      return false;
    }
    AddMarkup(Bytes(m_buffer, m_start + 1, m_end - 1));
    m_start = m_end;
    m_lastEnd = m_end;
    return true;
  }

  // The text after the markup that ended at m_end; false when tokenizing stops.
  bool TakeText() {
    if (EqualsNoCase(m_lastTagName, "script")) return TakeRawText("</script", "</script> not match");
    if (EqualsNoCase(m_lastTagName, "style")) return TakeRawText("</style", "</style> not match");
    m_start = FindByte(m_buffer, '<', m_end + 1);
    if (m_start == kNotFound) {
      m_start = m_length;
      AddTextRun();
      return false;
    }
    AddTextRun();
    return true;
  }

  // Everything up to the closing tag is one text run, whatever it holds.
  bool TakeRawText(std::string_view closingTag, std::string_view message) {
    m_start = FindTextNoCase(m_buffer, closingTag, m_end + 1);
    if (m_start == kNotFound) {
      Report(message, m_buffer.substr(At(m_end + 1)));
      return false;
    }
    AddTextRun();
    return true;
  }

  void AddTextRun() {
    const std::int32_t length = m_start - m_lastEnd - 1;
    if (length <= 0) return;
    AddItem([&] {
      return THTMLItem{HTMLItemKind::Text, Bytes(m_buffer, m_lastEnd + 1, m_start - 1), {}, {}};
    });
  }

  void AddMarkup(std::string_view content) {
    if (content.empty()) return;
    const std::int32_t length = static_cast<std::int32_t>(content.size());
    if (content[0] == '%') {
      AddItem([&] { return THTMLItem{HTMLItemKind::ServerScript, Bytes(content, 1, length - 2), {}, {}}; });
    } else if (content.size() >= 3 && content.substr(0, 3) == "!--") {
      // Between "<!--" and "-->"; "<!-->" and "<!--->" are empty comments.
      const std::int32_t commentLength = length - 5;
      AddItem([&] {
        return THTMLItem{
            HTMLItemKind::Comment, content.substr(3, commentLength > 0 ? At(commentLength) : 0), {}, {}};
      });
    } else {
      AddItem([&] { return ParseTag(content); });
    }
  }

  // Builds one item; an item that cannot be built is dropped and tokenizing goes on.
  template <typename Build>
  void AddItem(Build build) {
    try {
      m_items.push_back(build());
      if (m_items.back().IsTag()) m_lastTagName = m_items.back().Name;
    } catch (const std::exception&) {
    }
  }

  THTMLItem ParseTag(std::string_view content) const {
    THTMLItem tag{HTMLItemKind::Tag, content, content, {}};
    const std::int32_t length = static_cast<std::int32_t>(content.size());
    std::int32_t cursor = FindBlankOutsideQuotes(content, 0);
    if (cursor == kNotFound) return tag;
    tag.Name = content.substr(0, At(cursor));
    for (;;) {
      const std::int32_t pos = SkipBlanks(content, cursor + 1);
      if (pos == kNotFound) break;
      const std::int32_t eq = FindOutsideQuotes(content, '=', pos);
      if (eq == kNotFound) {
        // No "=" left: the rest, without trailing blanks, is one attribute without value.
        const std::int32_t last = SkipBlanksBack(content, length - 1);
        if (last != kNotFound && pos <= last) tag.Params.push_back({Bytes(content, pos, last), std::nullopt});
        break;
      }
      std::int32_t valueEnd = length;
      const std::string_view value = AttributeValue(content, eq, valueEnd);
      const std::int32_t nameEnd = SkipBlanksBack(content, eq - 1);
      if (nameEnd != kNotFound && pos <= nameEnd) {
        tag.Params.push_back({Bytes(content, pos, nameEnd), value});
      } else {
        Report("key not defined in tag", Markup(content));
      }
      cursor = valueEnd;
    }
    return tag;
  }

  std::string_view m_buffer;
  std::int32_t m_length;
  const HTMLErrorCallback& m_onError;
  std::vector<THTMLItem>& m_items;
  std::string_view m_lastTagName;
  std::int32_t m_start = 0;
  std::int32_t m_end = 0;
  std::int32_t m_lastEnd = -1;
};

}  // namespace

void THTMLParser::Parse() {
  m_items.clear();
  if (m_content.empty()) return;
  const std::string_view buffer(m_content);
  if (buffer.size() > kMaxDocumentSize || !HasMarkupMarker(buffer)) {
    m_items.push_back({HTMLItemKind::Text, buffer, {}, {}});
    return;
  }
  // A rough guess of one item per hundred bytes saves most regrowing of the list.
  m_items.reserve(buffer.size() / 100 + 16);
  Tokenizer(buffer, m_onError, m_items).Run();
}

}  // namespace pellimore
