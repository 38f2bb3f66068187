#include "reading/description_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "reading/book_loading.h"
#include "reading/encoding.h"
#include "text/codepage.h"
#include "text/platform.h"
#include "text/trim.h"

namespace pellimore {

namespace {

// The tail a self-closing tag leaves on its last quoted value: the tokenizer keeps the closing
// quote and the slash with the value.
bool HasSelfClosingTail(std::string_view value) { return value.ends_with("\"/") || value.ends_with("'/"); }

std::string_view WithoutSelfClosingTail(std::string_view value) {
  if (HasSelfClosingTail(value)) value.remove_suffix(2);
  return value;
}

void AppendAttribute(std::string& out, const Workspace& workspace, const THTMLParam& param, bool decode) {
  out += ' ';
  out += param.Name;
  if (!param.Value) return;
  const std::string_view raw = WithoutSelfClosingTail(*param.Value);
  std::string value = decode ? DecodeDocumentText(workspace, raw) : std::string(raw);
  // A value that was quoted with apostrophes may hold double quotes; it keeps apostrophes then.
  char quote = '"';
  if (value.find('"') != std::string::npos) {
    if (value.find('\'') == std::string::npos) {
      quote = '\'';
    } else {
      std::string escaped;
      for (char c : value) escaped += c == '"' ? std::string("&quot;") : std::string(1, c);
      value = std::move(escaped);
    }
  }
  out += '=';
  out += quote;
  out += value;
  out += quote;
  if (HasSelfClosingTail(*param.Value)) out += '/';
}

void AppendTag(std::string& out, const Workspace& workspace, const THTMLItem& tag, std::string_view name,
               bool decode) {
  out += '<';
  out += name;
  for (const THTMLParam& param : tag.Params) AppendAttribute(out, workspace, param, decode);
  out += '>';
}

// The elements that have a flag in the walk, in the order of their flags.
enum Element : std::size_t {
  kTitleInfo,
  kDocumentInfo,
  kSrcTitleInfo,
  kPublishInfo,
  kCustomInfo,
  kOutput,
  kDate,
  kAuthor,
  kTranslator,
  kHistory,
  kSrcOcr,
  kGenre,
  kCoverpage,
  kAnnotation,
  kElementCount
};

constexpr std::array<std::string_view, kElementCount> kStartNames = {
    "title-info", "document-info", "src-title-info", "publish-info", "custom-info", "output",    "date",
    "author",     "translator",    "history",        "src-ocr",      "genre",       "coverpage", "annotation",
};
constexpr std::array<std::string_view, kElementCount> kEndNames = {
    "/title-info", "/document-info", "/src-title-info", "/publish-info", "/custom-info",
    "/output",     "/date",          "/author",         "/translator",   "/history",
    "/src-ocr",    "/genre",         "/coverpage",      "/annotation",
};

constexpr std::size_t kNoElement = kElementCount;

// One walk over the items of a document, up to its first body tag.
class DescriptionWalk {
 public:
  explicit DescriptionWalk(Workspace& workspace) : m_workspace(workspace), m_header(workspace.header) {}

  // Handles one item; false when the walk ends here.
  bool Step(const THTMLItem& item) {
    if (!TakeItem(item)) return true;
    if (m_name == "body") return false;
    if (IsTag()) SetFlags();
    if (IsTag() && m_name == "fictionbook") KeepRootNamespaces();
    if (m_open[kTitleInfo]) TitleInfoRules();
    if (m_open[kDocumentInfo]) DocumentInfoRules();
    WholeSection(kSrcTitleInfo, m_header.SrcTitleInfoRaw);
    Capture(kPublishInfo, m_header.PublishInfoRaw);
    WholeSection(kCustomInfo, m_header.CustomInfoRaw);
    WholeSection(kOutput, m_header.OutputRaw);
    return true;
  }

  const std::string& Annotation() const { return m_annotation; }

 private:
  bool IsTag() const { return m_kind == HTMLItemKind::Tag; }
  bool IsText() const { return m_kind == HTMLItemKind::Text; }

  bool TakeItem(const THTMLItem& item) {
    switch (item.Kind) {
      case HTMLItemKind::Tag:
        m_tag = &item;
        m_name = AsciiLower(item.Name);
        ReadDeclaredEncoding(m_workspace, item);
        m_text.clear();
        break;
      case HTMLItemKind::Text:
        m_text = DecodeDocumentText(m_workspace, item.View);
        break;
      case HTMLItemKind::Comment:
        m_text = "<!--" + DecodeDocumentText(m_workspace, item.View) + "-->";
        break;
      default:
        return false;
    }
    m_kind = item.Kind;
    m_selfClosed = kNoElement;
    return true;
  }

  void SetFlags() {
    const bool selfClosing = IsSelfClosingTag(*m_tag);
    for (std::size_t e = 0; e < kElementCount; ++e) {
      if (m_name == kStartNames[e]) {
        // An element that closes itself opens and ends with this one tag.
        m_open[e] = !selfClosing;
        if (selfClosing) m_selfClosed = e;
      } else if (m_name == kEndNames[e]) {
        m_open[e] = false;
      }
    }
    if (m_name == "author" && m_open[kTitleInfo]) ++m_authorNumber;
    if (m_name == "/title-info") CloseOpenSequence();
  }

  // The writer declares xlink and the default namespace itself; other prefixes of the source's
  // root are kept for the body that uses them.
  void KeepRootNamespaces() {
    for (const THTMLParam& param : m_tag->Params) {
      if (param.Name.starts_with("xmlns:") && param.Name != "xmlns:xlink" && param.Value) {
        AppendAttribute(m_header.RootNamespacesRaw, m_workspace, param, true);
      }
    }
  }

  void AppendCurrent(std::string& field, bool lowerName) {
    if (IsTag()) {
      AppendTag(field, m_workspace, *m_tag, lowerName ? std::string_view(m_name) : m_tag->Name, true);
    } else {
      field += m_text;
    }
  }

  // Markup text of an element from its start tag to its end tag and CR LF.
  void Capture(Element e, std::string& field, bool lowerName = false) {
    if (m_open[e]) {
      AppendCurrent(field, lowerName);
    } else if (IsTag() && m_name == kEndNames[e]) {
      field += '<';
      field += kEndNames[e];
      field += ">\r\n";
    } else if (IsTag() && m_selfClosed == e) {
      AppendCurrent(field, lowerName);
      field += "\r\n";
    }
  }

  // As Capture, with every tag name in lower case.
  void WholeSection(Element e, std::string& field) { Capture(e, field, true); }

  void TitleInfoRules() {
    if (IsText()) TitleInfoText();
    if (IsTag() && m_open[kCoverpage] && m_name != "coverpage" && !m_name.starts_with('/')) CoverTag();
    Capture(kDate, m_header.TI_DateRaw);
    if (m_open[kAnnotation] && !(IsTag() && m_name == "annotation")) AppendCurrent(m_annotation, false);
    Capture(kTranslator, m_header.TI_TranslatorRaw);
    SequenceRule();
    if (m_authorNumber > 3) Capture(kAuthor, m_header.TI_MoreAuthorsRaw);
  }

  // The cover is one empty element (the image that links the picture), written back between the
  // coverpage tags: an image written with its own end tag is kept as its start tag, closed.
  void CoverTag() {
    std::string cover = TagToText(m_workspace, *m_tag);
    if (!IsSelfClosingTag(*m_tag)) cover.insert(cover.size() - 1, "/");
    m_header.E_CoverPage = std::move(cover);
  }

  void TitleInfoText() {
    if (m_open[kGenre]) Join(m_header.E_TI_Genre, m_text);
    if (m_open[kAuthor] && m_authorNumber >= 0 && m_authorNumber <= 3) {
      TitleAuthorFields author = TitleAuthor(m_header, m_authorNumber + 1);
      if (m_name == "first-name") author.FName = TrimControls(m_text);
      if (m_name == "last-name") author.LName = TrimControls(m_text);
      if (m_name == "middle-name") author.MName = TrimControls(m_text);
      if (m_name == "nickname") author.NickName = TrimControls(m_text);
      if (m_name == "home-page") Join(author.HomePage, TrimControls(m_text));
      if (m_name == "email") Join(author.EMail, TrimControls(m_text));
    }
    if (m_name == "book-title") m_header.E_TI_BookTitle = m_text;
    if (m_name == "keywords") m_header.TI_Keywords = m_text;
    if (m_name == "lang") m_header.E_TI_Language = m_text;
    if (m_name == "src-lang") m_header.TI_SrcLang = m_text;
  }

  // Every sequence tag followed by CR LF; a sequence with content (a nested series) whole, from
  // its start tag to its end tag and CR LF.
  void SequenceRule() {
    std::string& field = m_header.TI_SequenceRaw;
    if (m_sequenceDepth > 0) {
      AppendCurrent(field, false);
      if (!IsTag()) return;
      if (m_name == "sequence" && !IsSelfClosingTag(*m_tag)) ++m_sequenceDepth;
      if (m_name == "/sequence" && --m_sequenceDepth == 0) field += "\r\n";
      return;
    }
    if (!IsTag() || m_name != "sequence") return;
    AppendCurrent(field, false);
    if (IsSelfClosingTag(*m_tag)) {
      field += "\r\n";
    } else {
      m_sequenceDepth = 1;
    }
  }

  // A series left open at the end of title-info is closed, so the stored text stays well-formed.
  void CloseOpenSequence() {
    if (m_sequenceDepth == 0) return;
    for (; m_sequenceDepth > 0; --m_sequenceDepth) m_header.TI_SequenceRaw += "</sequence>";
    m_header.TI_SequenceRaw += "\r\n";
  }

  void DocumentInfoRules() {
    if (IsText()) {
      if (m_name == "program-used") m_header.DI_ProgramUsed = m_text;
      if (m_name == "id") m_header.E_DI_ID = m_text;
      if (m_name == "version") m_header.E_DI_Version = NormaliseVersion(m_text);
      if (m_name == "src-url") Join(m_header.E_DI_Src_Url, m_text);
    }
    Capture(kAuthor, m_header.DI_AuthorRaw);
    if (IsText() && m_open[kAuthor]) DocumentAuthorText();
    if (m_name == "date") {
      if (IsTag()) m_header.ME_Date = GetDateFromTag(m_workspace, *m_tag);
      // A self-closing date holds no text: what follows it is not its text.
      if (IsText() && m_open[kDate]) m_header.E_DI_Date = m_text;
    }
    Capture(kHistory, m_header.DI_HistoryRaw);
    Capture(kSrcOcr, m_header.DI_SrcOcrRaw);
  }

  void DocumentAuthorText() {
    if (m_name == "first-name") m_header.E_DI_FName_Orig = TrimControls(m_text);
    if (m_name == "last-name") m_header.E_DI_LName_Orig = TrimControls(m_text);
    if (m_name == "middle-name") m_header.E_DI_MName_Orig = TrimControls(m_text);
    if (m_name == "nickname") m_header.E_DI_NickName_Orig = TrimControls(m_text);
    if (m_name == "home-page") Join(m_header.E_DI_HomePage_Orig, TrimControls(m_text));
    if (m_name == "email") Join(m_header.E_DI_EMail_orig, TrimControls(m_text));
  }

  static void Join(std::string& field, const std::string& addition) {
    field += ListSeparator(field, addition);
    field += addition;
  }

  Workspace& m_workspace;
  HeaderRecord& m_header;

  HTMLItemKind m_kind = HTMLItemKind::Text;
  const THTMLItem* m_tag = nullptr;
  std::string m_name;
  std::string m_text;
  std::array<bool, kElementCount> m_open{};
  std::size_t m_selfClosed = kNoElement;
  int m_authorNumber = -1;
  int m_sequenceDepth = 0;
  std::string m_annotation;  // TI_AnnotationRaw
};

// The tokenizer takes a buffer for plain text unless it holds "<html", "<script" or "<body". A
// book without a body (a header-only file) is markup all the same: the marker, added after the
// document, makes it tokenize. Unclosed, it yields no item, only a "> not found" report of its own,
// which is dropped (or cut from the report of an unclosed tag before it).
constexpr std::string_view kMarkupMarker = "<body";

bool HasMarkupMarker(std::string_view content) {
  for (std::string_view marker : {"<html", "<script", "<body"}) {
    if (html::FindTextNoCase(content, marker, 0) >= 0) return true;
  }
  return false;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

void ReadDescription(Workspace& workspace, const std::string& path) {
  THTMLParser parser;
  bool markerAdded = false;
  parser.SetOnError([&workspace, &markerAdded](std::string_view message, std::string_view text) {
    if (markerAdded && text.ends_with(kMarkupMarker)) {
      if (text == kMarkupMarker) return;
      text.remove_suffix(kMarkupMarker.size());
    }
    workspace.Prompt().ReportParserProblem(message, text);
  });
  std::string& content = parser.Content();
  content = LoadBookText(path, workspace);
  StartDocumentEncoding(workspace, content);
  const std::size_t documentSize = content.size();
  markerAdded = !content.empty() && !HasMarkupMarker(content);
  if (markerAdded) content += kMarkupMarker;
  parser.Parse();
  if (parser.Count() == 0) return;
  DescriptionWalk walk(workspace);
  for (const THTMLItem& item : parser.Items()) {
    if (item.View.data() >= content.data() + documentSize) break;  // nothing of the marker
    if (!walk.Step(item)) break;
  }
  workspace.header.Memo3 = walk.Annotation();
}

// Day, month and year of a date value "yyyy-mm-dd", each part at most 4 characters.
std::string DateFromValue(std::string_view value) {
  const std::size_t first = value.find('-');
  if (first == std::string_view::npos) return {};
  const std::string_view year = value.substr(0, first);
  std::string_view month;
  std::string_view day;
  const std::size_t second = value.find('-', first + 1);
  if (second != std::string_view::npos) {
    month = value.substr(first + 1, second - first - 1);
    day = value.substr(second + 1);
  }
  auto part = [](std::string_view text) { return std::string(text.substr(0, 4)); };
  return part(day) + "." + part(month) + "." + part(year);
}

std::string DateFromFileDate(Workspace& workspace) {
  const std::string& text = workspace.header.CurrentFileDate;
  const std::optional<CalendarDate> date = ParseShortDate(text);
  if (!date) {
    workspace.AddToLog("GetDateFromTag : '" + text + "' is not a valid date");
    return {};
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%d", date->day, date->month, date->year);
  return buffer;
}

// A decimal number with optional sign and exponent, spaces allowed around it, mark as the
// decimal mark.
std::optional<double> ReadNumber(std::string_view text, char mark) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return std::nullopt;
  std::size_t end = text.find_last_not_of(' ') + 1;
  std::string number(text.substr(begin, end - begin));
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  if (mark != '.') {
    if (number.find('.') != std::string::npos) return std::nullopt;
    const std::size_t at = number.find(mark);
    if (at != std::string::npos) number[at] = '.';
  }
  double value = 0;
  const char* first = number.data();
  const char* last = number.data() + number.size();
  if (first == last || *first == '+') return std::nullopt;
  const auto [ptr, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
  // from_chars also reads "inf" and "nan"; those were refused above, hex is not accepted here.
  return value;
}

}  // namespace

void GetDescription(Workspace& workspace, const std::string& path) {
  HeaderRecord& header = workspace.header;
  if (!FileExists(path)) {
    header.CurrentFileName.clear();
    header.CurrentZipName.clear();
    return;
  }
  ClearHeader(header);
  ClearHiddenFields(header);
  StartDocumentEncoding(workspace, {});
  try {
    ReadDescription(workspace, path);
  } catch (const std::exception& error) {
    workspace.AddToLog(std::string("GetDescription : ") + error.what());
  } catch (...) {
    workspace.AddToLog("GetDescription : unknown error");
  }
}

std::string TagToText(const Workspace& workspace, const THTMLItem& tag, bool decode) {
  std::string out;
  AppendTagText(out, workspace, tag, decode);
  return out;
}

void AppendTagText(std::string& out, const Workspace& workspace, const THTMLItem& tag, bool decode) {
  AppendTag(out, workspace, tag, tag.Name, decode);
}

bool IsSelfClosingTag(const THTMLItem& tag) {
  if (!tag.IsTag() || tag.Name.starts_with('/')) return false;
  if (tag.Params.empty()) return tag.Name.ends_with('/');
  const THTMLParam& last = tag.Params.back();
  if (last.Value) return HasSelfClosingTail(*last.Value);
  return last.Name.ends_with('/');
}

std::string GetDateFromTag(Workspace& workspace, const THTMLItem& tag) {
  if (tag.Params.empty()) {
    workspace.meDateColour = DateColour::FromFile;
    return DateFromFileDate(workspace);
  }
  workspace.meDateColour = DateColour::Window;
  for (const THTMLParam& param : tag.Params) {
    if (param.Name != "value") continue;
    const std::string_view raw = WithoutSelfClosingTail(param.Value.value_or(std::string_view{}));
    return DateFromValue(DecodeDocumentText(workspace, raw));
  }
  return {};
}

std::string NormaliseVersion(std::string_view text) {
  std::optional<double> value = ReadNumber(text, DecimalMark());
  if (!value) value = ReadNumber(text, '.');
  if (!value) return "1.0";
  double rounded = std::round(*value * 100.0) / 100.0;
  if (!std::isfinite(rounded)) rounded = *value;
  std::string out(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.2f", rounded)), '\0');
  std::snprintf(out.data(), out.size() + 1, "%.2f", rounded);
  if (out.ends_with('0')) out.pop_back();
  if (out == "-0.0") out = "0.0";
  return out;
}

std::string ListSeparator(std::string_view existing, std::string_view addition) {
  return !existing.empty() && !addition.empty() ? "; " : "";
}

}  // namespace pellimore
