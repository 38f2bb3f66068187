#include "writing/field_text.h"

#include "text/trim.h"

namespace pellimore {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameStart(char c) { return IsAsciiLetter(c) || c == '_' || c == ':'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }

// Length of a run of characters accepted by pred, starting at pos.
template <typename Pred>
std::size_t RunLength(std::string_view text, std::size_t pos, Pred pred) {
  std::size_t end = pos;
  while (end < text.size() && pred(text[end])) ++end;
  return end - pos;
}

std::string Escape(std::string_view text, bool inAttribute) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '&' && ReferenceLengthAt(text, i) == 0) {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '"' && inAttribute) {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::size_t ReferenceLengthAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || text[pos] != '&') return 0;
  std::size_t i = pos + 1;
  std::size_t run = 0;
  if (i < text.size() && text[i] == '#') {
    ++i;
    if (i < text.size() && text[i] == 'x') {
      ++i;
      run = RunLength(text, i, IsHexDigit);
    } else {
      run = RunLength(text, i, IsDigit);
    }
  } else if (i < text.size() && IsNameStart(text[i])) {
    run = RunLength(text, i, IsNameChar);
  }
  i += run;
  if (run == 0 || i >= text.size() || text[i] != ';') return 0;
  return i + 1 - pos;
}

std::vector<std::string> SplitListField(std::string_view field) {
  std::vector<std::string> values;
  std::size_t pieceStart = 0;
  auto takePiece = [&](std::size_t end) {
    std::string piece = TrimControls(field.substr(pieceStart, end - pieceStart));
    if (!piece.empty()) values.push_back(std::move(piece));
    pieceStart = end + 1;
  };
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '&') {
      if (const std::size_t length = ReferenceLengthAt(field, i); length > 0) i += length - 1;
    } else if (field[i] == ';') {
      takePiece(i);
    }
  }
  takePiece(field.size());
  return values;
}

std::string EscapeFieldText(std::string_view text) { return Escape(text, false); }

std::string EscapeAttributeValue(std::string_view text) { return Escape(text, true); }

}  // namespace pellimore
