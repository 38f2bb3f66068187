#include "writing/description_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "reading/encoding.h"
#include "text/codepage.h"
#include "text/platform.h"
#include "text/trim.h"
#include "writing/field_text.h"

namespace pellimore {

const char* const kRootStartTag =
    "<FictionBook xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">";

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kProductName = "Pellimore";

// Appends indent + <tag>value</tag> + CR LF; the value is escaped as typed text.
void AppendElement(std::string& out, std::string_view indent, std::string_view tag, std::string_view value) {
  out.append(indent).append("<").append(tag).append(">");
  out.append(EscapeFieldText(value));
  out.append("</").append(tag).append(">").append(kCrLf);
}

void AppendListElements(std::string& out, std::string_view indent, std::string_view tag,
                        std::string_view field) {
  for (const std::string& value : SplitListField(field)) AppendElement(out, indent, tag, value);
}

struct AuthorValues {
  std::string_view first, middle, last, nick, homePages, emails;
};

void AppendAuthorBlock(std::string& out, const AuthorValues& a) {
  constexpr std::string_view kPart = "     ";
  out.append("   <author>").append(kCrLf);
  if (!a.first.empty() || !a.last.empty()) {
    AppendElement(out, kPart, "first-name", a.first);
    if (!a.middle.empty()) AppendElement(out, kPart, "middle-name", a.middle);
    AppendElement(out, kPart, "last-name", a.last);
    if (!a.nick.empty()) AppendElement(out, kPart, "nickname", a.nick);
  } else if (!a.nick.empty()) {
    AppendElement(out, kPart, "nickname", a.nick);
  } else {
    AppendElement(out, kPart, "first-name", "");
    AppendElement(out, kPart, "last-name", "");
  }
  AppendListElements(out, kPart, "home-page", a.homePages);
  AppendListElements(out, kPart, "email", a.emails);
  out.append("   </author>").append(kCrLf);
}

AuthorValues TitleAuthorValues(HeaderRecord& record, int n) {
  const TitleAuthorFields f = TitleAuthor(record, n);
  return {f.FName, f.MName, f.LName, f.NickName, f.HomePage, f.EMail};
}

// A co-author is written when anything but a middle name is known of them.
bool HasCoAuthor(const AuthorValues& a) {
  return !a.first.empty() || !a.last.empty() || !a.nick.empty() || !a.homePages.empty() || !a.emails.empty();
}

std::string TitleAuthors(HeaderRecord& record) {
  std::string out;
  AppendAuthorBlock(out, TitleAuthorValues(record, 1));
  for (int n = 2; n <= 4; ++n) {
    const AuthorValues coAuthor = TitleAuthorValues(record, n);
    if (HasCoAuthor(coAuthor)) AppendAuthorBlock(out, coAuthor);
  }
  out += record.TI_MoreAuthorsRaw;
  return out;
}

std::string DocumentAuthors(const HeaderRecord& r) {
  std::string out;
  if (r.DocAuthor != DocAuthorChoice::Replace) out += r.DI_AuthorRaw;
  if (r.DocAuthor != DocAuthorChoice::Ignore) {
    AppendAuthorBlock(
        out, {r.E_DI_FName, r.E_DI_MName, r.E_DI_LName, r.E_DI_NickName, r.E_DI_HomePage, r.E_DI_EMail});
  }
  return out;
}

std::string ProgramText(const std::string& programUsed) {
  if (programUsed.empty()) return std::string(kProductName);
  if (LowerCase(programUsed).find(LowerCase(kProductName)) != std::string::npos)
    return TrimControls(programUsed);
  return TrimControls(programUsed + ", " + std::string(kProductName));
}

std::string DateLine(const HeaderRecord& r) {
  const std::string value = IsoDateFromMask(r.ME_Date).value_or(r.E_DI_Date);
  std::string line = "   <date";
  if (!value.empty()) line.append(" value=\"").append(EscapeAttributeValue(value)).append("\"");
  line.append(">").append(EscapeFieldText(r.E_DI_Date)).append("</date>").append(kCrLf);
  return line;
}

std::string Annotation(const std::string& memo) {
  const std::string text = TrimControls(memo);
  if (text.empty()) return {};
  std::string out = "   <annotation>";
  out.append(kCrLf).append(text).append(kCrLf).append("   </annotation>").append(kCrLf);
  return out;
}

std::string TitleInfo(HeaderRecord& r) {
  std::string out = " <title-info>";
  out.append(kCrLf);
  AppendListElements(out, "   ", "genre", r.E_TI_Genre);
  out += TitleAuthors(r);
  AppendElement(out, "   ", "book-title", r.E_TI_BookTitle);
  out += Annotation(r.Memo3);
  if (!r.TI_Keywords.empty()) AppendElement(out, "   ", "keywords", r.TI_Keywords);
  out += r.TI_DateRaw;
  if (!r.E_CoverPage.empty())
    out.append("   <coverpage>").append(r.E_CoverPage).append("</coverpage>").append(kCrLf);
  AppendElement(out, "   ", "lang", r.E_TI_Language.empty() ? std::string_view("ru") : r.E_TI_Language);
  if (!r.TI_SrcLang.empty()) AppendElement(out, "   ", "src-lang", r.TI_SrcLang);
  out += r.TI_TranslatorRaw;
  out += r.TI_SequenceRaw;
  out.append(" </title-info>").append(kCrLf);
  return out;
}

std::string DocumentInfo(const HeaderRecord& r) {
  std::string out = " <document-info>";
  out.append(kCrLf);
  out += DocumentAuthors(r);
  AppendElement(out, "   ", "program-used", ProgramText(r.DI_ProgramUsed));
  out += DateLine(r);
  AppendListElements(out, "   ", "src-url", r.E_DI_Src_Url);
  out += r.DI_SrcOcrRaw;
  AppendElement(out, "   ", "id", r.E_DI_ID);
  AppendElement(out, "   ", "version", VersionText(r.E_DI_Version));
  out += r.DI_HistoryRaw;
  out.append(" </document-info>").append(kCrLf);
  return out;
}

// A date part: leading blanks allowed, then digits only.
std::optional<int> DatePart(std::string_view text, std::size_t maxDigits) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The numeric value of the version edit; a text that holds no number counts as 0, as the
// numeric edit shows it.
double VersionValue(std::string_view text) {
  std::string number;
  for (char c : TrimControls(text)) {
    if (c == DecimalMark()) c = '.';
    number += c;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return 0;
  return value;
}

}  // namespace

std::optional<std::string> IsoDateFromMask(std::string_view maskedDate) {
  const char separator = DateSeparator();
  const std::size_t first = maskedDate.find(separator);
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = maskedDate.find(separator, first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto day = DatePart(maskedDate.substr(0, first), 2);
  const auto month = DatePart(maskedDate.substr(first + 1, second - first - 1), 2);
  const std::string_view yearText = maskedDate.substr(second + 1);
  const auto year = yearText.size() == 4 ? DatePart(yearText, 4) : std::nullopt;
  if (!day || !month || !year) return std::nullopt;
  const CalendarDate date{*year, *month, *day};
  if (date.year < 1 || !IsValidDate(date)) return std::nullopt;
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return std::string(text);
}

std::string VersionText(std::string_view version) {
  const double rounded = std::round(VersionValue(version) * 100.0);
  // Beyond this a version is no version; 0 as for any other text that is no number.
  const long long hundredths = std::fabs(rounded) < 1e15 ? static_cast<long long>(rounded) : 0;
  const long long whole = std::llabs(hundredths) / 100;
  const long long cents = std::llabs(hundredths) % 100;
  std::string text = hundredths < 0 ? "-" : "";
  text += std::to_string(whole) + "." + std::to_string(cents / 10);
  if (cents % 10 != 0) text += std::to_string(cents % 10);
  return text;
}

std::string RootStartTag(const HeaderRecord& header) {
  if (header.RootNamespacesRaw.empty()) return kRootStartTag;
  std::string tag = kRootStartTag;
  tag.insert(tag.size() - 1, header.RootNamespacesRaw);
  return tag;
}

std::string BuildDescription(Workspace& workspace) {
  HeaderRecord& r = workspace.header;
  TrimHeader(r);
  const std::string encoding = ChooseOutputEncoding(workspace);
  std::string out = "<?xml version=\"1.0\" encoding=\"";
  out.append(encoding).append("\"?>").append(kCrLf);
  out.append(RootStartTag(r)).append(kCrLf);
  out.append("<description>").append(kCrLf);
  out += TitleInfo(r);
  out += r.SrcTitleInfoRaw;
  out += DocumentInfo(r);
  out += r.PublishInfoRaw;
  out += r.CustomInfoRaw;
  out += r.OutputRaw;
  out.append("</description>").append(kCrLf);
  return out;
}

}  // namespace pellimore
