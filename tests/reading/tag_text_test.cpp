#include <gtest/gtest.h>

#include "markup/html_parser.h"
#include "reader_fixtures.h"
#include "reading/description_reader.h"
#include "text/platform.h"

namespace pellimore {
namespace {

using testing::ReaderFixture;
using testing::W;

// Tokenizes one tag (a body marker makes the tokenizer run) and rebuilds it.
class OneTag {
 public:
  explicit OneTag(std::string_view markup) {
    m_parser.Content() = std::string(markup) + "<body>";
    m_parser.Parse();
  }
  const THTMLItem& tag() const { return m_parser.Item(0); }

 private:
  THTMLParser m_parser;
};

TEST(TagToText, RebuildsWellFormedTags) {
  const struct {
    const char* written;
    const char* rebuilt;
  } cases[] = {
      {"<p>", "<p>"},
      {"</p>", "</p>"},
      {"<empty-line/>", "<empty-line/>"},
      {"<section\r\n>", "<section>"},
      {"<image l:href=\"#a.jpg\"/>", "<image l:href=\"#a.jpg\"/>"},
      {"<image l:href='#c.jpg'/>", "<image l:href=\"#c.jpg\"/>"},
      {"<image l:href=\"#a.jpg\" />", "<image l:href=\"#a.jpg\" />"},
      {"<image l:href=\"#a.jpg\" alt=\"\"/>", "<image l:href=\"#a.jpg\" alt=\"\"/>"},
      {"<a name=\"\">", "<a name=\"\">"},
      {"<a name = 'x'  id =\"1\">", "<a name=\"x\" id=\"1\">"},
      {"<td colspan=2>", "<td colspan=\"2\">"},
      {"<option selected>", "<option selected>"},
      {"<a title='say \"hi\"'>", "<a title='say \"hi\"'>"},
      {"<a href=\"x?a=1&amp;b=2\">", "<a href=\"x?a=1&amp;b=2\">"},
      {"<p id=\"a>b\">", "<p id=\"a>b\">"},
  };
  ReaderFixture f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    OneTag tag(c.written);
    EXPECT_EQ(TagToText(f.workspace, tag.tag()), c.rebuilt);
  }
}

TEST(TagToText, DecodesValuesOnlyWhenAsked) {
  ReaderFixture f;
  f.workspace.header.SourceIsUtf8 = true;
  OneTag tag("<sequence name=\"Мир\" number=\"1\"/>");
  EXPECT_EQ(TagToText(f.workspace, tag.tag()), W("<sequence name=\"Мир\" number=\"1\"/>"));
  EXPECT_EQ(TagToText(f.workspace, tag.tag(), false), "<sequence name=\"Мир\" number=\"1\"/>");
}

TEST(IsSelfClosingTag, RecognisesEveryForm) {
  const struct {
    const char* written;
    bool selfClosing;
  } cases[] = {
      {"<br/>", true},
      {"<date value=\"x\"/>", true},
      {"<date value='x'/>", true},
      {"<date value=\"x\" />", true},
      {"<date value=\"x\">", false},
      {"</date>", false},
      {"<date>", false},
      {"<a href=\"http://x/\">", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    OneTag tag(c.written);
    EXPECT_EQ(IsSelfClosingTag(tag.tag()), c.selfClosing);
  }
}

TEST(GetDateFromTag, ReadsTheValueAttribute) {
  const struct {
    const char* written;
    const char* date;
  } cases[] = {
      {"<date value=\"2007-03-05\">", "05.03.2007"},
      {"<date value=\"2007-03-05\"/>", "05.03.2007"},
      {"<date value='2007-03-05'/>", "05.03.2007"},
      {"<date value=\"2007\">", ""},
      {"<date value=\"2007-03\">", "..2007"},
      {"<date value=\"2007-03-\">", ".03.2007"},
      {"<date value=\"201-105-26\">", "26.105.201"},
      {"<date value=\"12345-678901-23456\">", "2345.6789.1234"},
      {"<date value=\"2007-03-05-09\">", "05-0.03.2007"},
      {"<date Value=\"2007-03-05\">", ""},
      {"<date xml:lang=\"ru\">", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    ReaderFixture f;
    f.workspace.meDateColour = DateColour::FromFile;
    OneTag tag(c.written);
    EXPECT_EQ(GetDateFromTag(f.workspace, tag.tag()), c.date);
    EXPECT_EQ(f.workspace.meDateColour, DateColour::Window);
  }
}

TEST(GetDateFromTag, TakesTheFileDateWithoutAttributes) {
  ReaderFixture f;
  OneTag tag("<date>");
  f.workspace.header.CurrentFileDate = "07.03.2009";
  EXPECT_EQ(GetDateFromTag(f.workspace, tag.tag()), "07.03.2009");
  EXPECT_EQ(f.workspace.meDateColour, DateColour::FromFile);
  EXPECT_TRUE(f.workspace.LogList.empty());

  f.workspace.header.CurrentFileDate = "2009-03-07";
  f.workspace.meDateColour = DateColour::Window;
  EXPECT_EQ(GetDateFromTag(f.workspace, tag.tag()), "");
  EXPECT_EQ(f.workspace.meDateColour, DateColour::FromFile);
  ASSERT_EQ(f.workspace.LogList.size(), 1u);
  EXPECT_EQ(f.workspace.LogList[0], "GetDateFromTag : '2009-03-07' is not a valid date");
}

TEST(NormaliseVersion, WritesOneOrTwoDecimals) {
  const struct {
    const char* text;
    const char* version;
  } cases[] = {
      {"1", "1.0"},
      {"1.25", "1.25"},
      {"2.5", "2.5"},
      {"1.234", "1.23"},
      {"1.999", "2.0"},
      {" 3.1 ", "3.1"},
      {"+2", "2.0"},
      {"-1.5", "-1.5"},
      {"1e1", "10.0"},
      {"2.5E-1", "0.25"},
      {".5", "0.5"},
      {"1.", "1.0"},
      {"v2", "1.0"},
      {"", "1.0"},
      {"1.0\r\n", "1.0"},
      {"2,5", "1.0"},
      {"1.2.3", "1.0"},
      {"inf", "1.0"},
      {"nan", "1.0"},
      {"1e999", "1.0"},
      {"0x10", "1.0"},
      {"12 3", "1.0"},
      {"1000000", "1000000.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NormaliseVersion(c.text), c.version);
  }
}

TEST(NormaliseVersion, TriesTheLocaleMarkFirst) {
  SetDecimalMark(',');
  const std::string comma = NormaliseVersion("2,5");
  const std::string point = NormaliseVersion("2.5");
  SetDecimalMark('.');
  EXPECT_EQ(comma, "2.5");
  EXPECT_EQ(point, "2.5");
}

TEST(ListSeparator, OnlyBetweenTwoTexts) {
  EXPECT_EQ(ListSeparator("a", "b"), "; ");
  EXPECT_EQ(ListSeparator("", "b"), "");
  EXPECT_EQ(ListSeparator("a", ""), "");
  EXPECT_EQ(ListSeparator("", ""), "");
}

}  // namespace
}  // namespace pellimore
