#include "markup/html_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "markup/token_listing.h"

namespace pellimore {
namespace {

using namespace std::string_literals;
using markup_testing::Tokenize;
using markup_testing::TokenListing;

struct TokenCase {
  const char* label;
  std::string document;
  std::vector<std::string> items;
  std::vector<std::string> reports = {};
};

void ExpectTokens(const TokenCase& c, const TokenListing& listing) {
  SCOPED_TRACE(c.label);
  EXPECT_EQ(listing.items, c.items);
  EXPECT_EQ(listing.reports, c.reports);
}

// Fragments tokenized after a "<body>" start tag, which makes the document worth tokenizing;
// the expectations leave that first tag out.
void ExpectFragmentTokens(const std::vector<TokenCase>& cases) {
  for (const TokenCase& c : cases) {
    TokenListing listing = Tokenize("<body>" + c.document);
    ASSERT_FALSE(listing.items.empty()) << c.label;
    EXPECT_EQ(listing.items.front(), "tag body") << c.label;
    listing.items.erase(listing.items.begin());
    ExpectTokens(c, listing);
  }
}

TEST(HTMLParserTest, TokenizesOnlyDocumentsWithAMarker) {
  const std::vector<TokenCase> cases = {
      {"empty buffer", "", {}},
      {"tags without a marker stay one text", "<p>a</p>\r\n<br/>", {"text \"<p>a</p>\r\n<br/>\""}},
      {"unclosed markup without a marker is no error", "<p a=\"x", {"text \"<p a=\"x\""}},
      {"a near miss is no marker", "< body><bod><htm>", {"text \"< body><bod><htm>\""}},
      {"html in any case", "<HtMl>", {"tag HtMl"}},
      {"body in any case", "a<BODY>", {"text \"a\"", "tag BODY"}},
      {"script in any case", "<SCRIPT>x</script>", {"tag SCRIPT", "text \"x\"", "tag /script"}},
      {"the marker may start a longer name", "<bodyx/>", {"tag bodyx/"}},
      {"a marker inside a comment counts",
       "<p>x</p><!--<body>-->",
       {"tag p", "text \"x\"", "tag /p", "comment \"<body>\""}},
      {"text before the first tag keeps its line break",
       "hello\r\n<body>",
       {"text \"hello\r\n\"", "tag body"}},
  };
  for (const TokenCase& c : cases) ExpectTokens(c, Tokenize(c.document));
}

TEST(HTMLParserTest, SplitsTagsAndTextRuns) {
  ExpectFragmentTokens({
      {"paragraph with CR LF", "<p>a</p>\r\n", {"tag p", "text \"a\"", "tag /p", "text \"\r\n\""}},
      {"line breaks between tags are a text of their own",
       "<p>\r\n</p>\n\n<p>",
       {"tag p", "text \"\r\n\"", "tag /p", "text \"\n\n\"", "tag p"}},
      {"text at the end of the buffer", "<p>rest", {"tag p", "text \"rest\""}},
      {"end tag", "</author>", {"tag /author"}},
      {"a < in text starts a tag", "x<y z>w", {"text \"x\"", "tag y {z}", "text \"w\""}},
      {"<> yields no item", "a<>b", {"text \"a\"", "text \"b\""}},
      {"entities are left as written",
       "<p>&amp;&#1040;&lt;</p>",
       {"tag p", "text \"&amp;&#1040;&lt;\"", "tag /p"}},
      {"NUL bytes are plain text", "a\0b<p>"s, {"text \"a\0b\""s, "tag p"}},
      {"bytes above 127 are plain text",
       "\xC0\xFF<p \xE0=\"\xE1\">",
       {"text \"\xC0\xFF\"", "tag p {\xE0=\xE1}"}},
  });
}

TEST(HTMLParserTest, ReadsTagNamesAndAttributes) {
  ExpectFragmentTokens({
      {"double quotes", "<a href=\"#n1\" type=\"note\">", {"tag a {href=#n1} {type=note}"}},
      {"apostrophes and blanks around =",
       "<a href = '#n1'  type\t=\r\n'note'>",
       {"tag a {href=#n1} {type=note}"}},
      {"unquoted values run to the next blank",
       "<td colspan=2 align=left>",
       {"tag td {colspan=2} {align=left}"}},
      {"an apostrophe-quoted value may hold a double quote", "<a x='1\"' y=\"2\">", {"tag a {x=1\"} {y=2}"}},
      {"quote kinds are taken off each end on their own", "<a x=\"1' y='2\">", {"tag a {x=1' y='2}"}},
      {"empty quoted value", "<a x=\"\" y>", {"tag a {x=} {y}"}},
      {"= at the end gives an empty value", "<a x=>", {"tag a {x=}"}},
      {"blanks after = at the end give an empty value", "<a x=  >", {"tag a {x=}"}},
      {"a > inside quotes belongs to the value",
       "<a title=\"1>2\" b='>'>t",
       {"tag a {title=1>2} {b=>}", "text \"t\""}},
      {"name split from its attributes by CR LF", "<a\r\nhref=\"x\">", {"tag a {href=x}"}},
      {"only blanks after the name", "<p\r\n>", {"tag p"}},
      {"the words after the last = are one bare attribute", "<a b=\"1\" c d >", {"tag a {b=1} {c d}"}},
      {"words before an = are one name", "<a b c=\"1\">", {"tag a {b c=1}"}},
      {"a blank before the name gives an empty name", "< p>", {"tag  {p}"}},
      {"case is kept", "<Image L:HREF=\"#Pic\">", {"tag Image {L:HREF=#Pic}"}},
  });
}

TEST(HTMLParserTest, KeepsTheSlashOfSelfClosingTags) {
  ExpectFragmentTokens({
      {"slash right after the name", "<empty-line/>", {"tag empty-line/"}},
      {"slash right after a quoted value", "<image l:href=\"#cover\"/>", {"tag image {l:href=#cover\"/}"}},
      {"slash right after an apostrophe-quoted value",
       "<image l:href='#cover'/>",
       {"tag image {l:href=#cover'/}"}},
      {"slash after a blank is one more attribute",
       "<image l:href=\"#cover\" />",
       {"tag image {l:href=#cover} {/}"}},
      {"slash after a bare name", "<br />", {"tag br {/}"}},
  });
}

TEST(HTMLParserTest, ReadsDeclarationsAsTags) {
  ExpectFragmentTokens({
      {"XML declaration keeps the tail in its last value",
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n",
       {"tag ?xml {version=1.0} {encoding=utf-8\"?}", "text \"\r\n\""}},
      {"declaration with apostrophes",
       "<?xml version='1.0' encoding='windows-1251'?>",
       {"tag ?xml {version=1.0} {encoding=windows-1251'?}"}},
      {"declaration with a blank before ?",
       "<?xml encoding=\"koi8-r\" ?>",
       {"tag ?xml {encoding=koi8-r} {?}"}},
      {"document type", "<!DOCTYPE html>", {"tag !DOCTYPE {html}"}},
      {"CDATA ends at the first > outside quotes", "<![CDATA[a > b]]>", {"tag ![CDATA[a", "text \" b]]>\""}},
      {"CDATA without blanks", "<![CDATA[x<y]]>", {"tag ![CDATA[x<y]]"}},
      {"<! without two hyphens is a tag", "<!-x y>", {"tag !-x {y}"}},
  });
}

TEST(HTMLParserTest, ReadsCommentsAndServerScripts) {
  ExpectFragmentTokens({
      {"comment keeps its blanks", "<!--  a\r\nb  -->", {"comment \"  a\r\nb  \""}},
      {"empty comment", "<!---->", {"comment \"\""}},
      {"<!--> is a complete empty comment", "<!-->x", {"comment \"\"", "text \"x\""}},
      {"<!---> is a complete empty comment", "<!--->x", {"comment \"\"", "text \"x\""}},
      {"a comment ends at the first -->",
       "<!-- a -- b --> c -->",
       {"comment \" a -- b \"", "text \" c -->\""}},
      {"markup and > inside a comment", "<!-- <p a=\"> -->", {"comment \" <p a=\"> \""}},
      {"a comment inside a script is script text",
       "<script><!--x--></script>",
       {"tag script", "text \"<!--x-->\"", "tag /script"}},
      {"server script", "<% x = 1 %>t", {"script \" x = 1 \"", "text \"t\""}},
      {"empty server script", "<%%>", {"script \"\""}},
      {"server script holding >", "<%a > b%>", {"script \"a > b\""}},
      {"<%> does not close itself", "<%>%>", {"script \">\""}},
  });
}

TEST(HTMLParserTest, KeepsScriptAndStyleContentAsOneText) {
  ExpectFragmentTokens({
      {"script content with <",
       "<script>if (a<b) x();</script>",
       {"tag script", "text \"if (a<b) x();\"", "tag /script"}},
      {"end tag in any case",
       "<SCRIPT type=\"t\">a<b</Script >",
       {"tag SCRIPT {type=t}", "text \"a<b\"", "tag /Script"}},
      {"empty script", "<script></script><p>", {"tag script", "tag /script", "tag p"}},
      {"style content", "<style>p<q {}</STYLE>", {"tag style", "text \"p<q {}\"", "tag /STYLE"}},
      {"self-closing script name is not script", "<script/>a<b>", {"tag script/", "text \"a\"", "tag b"}},
      {"unclosed script",
       "<p>x<script>a<b",
       {"tag p", "text \"x\"", "tag script"},
       {"</script> not match: a<b"}},
      {"script at the end of the buffer",
       "<script src=\"a.js\">",
       {"tag script {src=a.js}"},
       {"</script> not match: "}},
      {"unclosed style", "<style>x", {"tag style"}, {"</style> not match: x"}},
  });
}

TEST(HTMLParserTest, ReportsProblems) {
  ExpectFragmentTokens({
      {"unclosed quote keeps the earlier items",
       "<p>a</p><a href=\"x>b",
       {"tag p", "text \"a\"", "tag /p"},
       {"> not found: <a href=\"x>b"}},
      {"< at the end", "ab<", {"text \"ab\""}, {"> not found: <"}},
      {"unclosed comment", "<!-- x >", {}, {"> not found: <!-- x >"}},
      {"unclosed server script", "<% x >", {}, {"> not found: <% x >"}},
      {"= without a name", "<a =\"x\">t", {"tag a", "text \"t\""}, {"key not defined in tag: <a =\"x\">"}},
      {"pair without a name is skipped, the others stay",
       "<a b=\"1\" = \"2\" c=3>",
       {"tag a {b=1} {c=3}"},
       {"key not defined in tag: <a b=\"1\" = \"2\" c=3>"}},
  });
}

TEST(HTMLParserTest, ItemsAreViewsIntoTheBuffer) {
  THTMLParser parser;
  parser.Content() = "<body><p class=\"x\">text</p><!--c--><%s%>";
  parser.Parse();
  const std::string& content = parser.Content();
  ASSERT_EQ(parser.Count(), 6u);
  for (const THTMLItem& item : parser.Items()) {
    EXPECT_GE(item.View.data(), content.data());
    EXPECT_LE(item.View.data() + item.View.size(), content.data() + content.size());
  }
  EXPECT_EQ(parser.Item(1).View.data(), content.data() + 7);
  EXPECT_EQ(parser.Item(1).Params.at(0).Value->data(), content.data() + 16);
  EXPECT_EQ(parser.Item(2).View.data(), content.data() + 19);
}

TEST(HTMLParserTest, ParseStartsFromACleanState) {
  THTMLParser parser;
  std::vector<std::string> reports;
  parser.SetOnError([&](std::string_view message, std::string_view) { reports.emplace_back(message); });
  parser.Content() = "<body><script>x";
  parser.Parse();
  EXPECT_EQ(parser.Count(), 2u);
  EXPECT_EQ(reports, std::vector<std::string>{"</script> not match"});

  // The last tag name of the earlier run must not make this text a script.
  parser.Content() = "a<b<body>";
  parser.Parse();
  ASSERT_EQ(parser.Count(), 2u);
  EXPECT_EQ(markup_testing::DescribeItem(parser.Item(0)), "text \"a\"");
  EXPECT_EQ(markup_testing::DescribeItem(parser.Item(1)), "tag b<body");
  EXPECT_EQ(reports.size(), 1u);
}

TEST(HTMLParserTest, ReportsWithoutCallbackAreDropped) {
  THTMLParser parser;
  parser.Content() = "<body><a =1><script>";
  parser.Parse();
  ASSERT_EQ(parser.Count(), 3u);
  EXPECT_TRUE(parser.Item(1).Params.empty());
}

TEST(HTMLParserTest, ACallbackThatThrowsDropsOnlyThatTag) {
  THTMLParser parser;
  parser.SetOnError([](std::string_view, std::string_view) { throw std::runtime_error("no"); });
  parser.Content() = "<body><a =1><p>";
  parser.Parse();
  ASSERT_EQ(parser.Count(), 2u);
  EXPECT_EQ(parser.Item(1).Name, "p");
}

}  // namespace
}  // namespace pellimore
