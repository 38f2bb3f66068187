#include "reading/header_record.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pellimore {
namespace {

// Every text field of a record set to the given value, the version included.
HeaderRecord RecordWithAllFields(const std::string& value) {
  HeaderRecord record;
  for (const auto& [name, field] : HeaderTextFields()) record.*field = value;
  record.DocAuthor = DocAuthorChoice::Replace;
  record.SourceIsUtf8 = true;
  record.SaveAsUtf8 = true;
  record.SourceCharset = 204;
  record.SaveCharset = 161;
  return record;
}

// The names of the fields whose value differs from the given one.
std::set<std::string> ChangedFields(const HeaderRecord& record, const std::string& value) {
  std::set<std::string> changed;
  for (const auto& [name, field] : HeaderTextFields()) {
    if (record.*field != value) changed.insert(name);
  }
  return changed;
}

TEST(HeaderRecordTest, ClearHeaderEmptiesTheShownFieldsOnly) {
  HeaderRecord record = RecordWithAllFields("x");
  ClearHeader(record);
  const std::set<std::string> cleared = {
      "E_TI_BookTitle",
      "E_TI_ALName",
      "E_TI_AFName",
      "E_TI_AMName",
      "E_TI_ALName2",
      "E_TI_AFName2",
      "E_TI_AMName2",
      "E_TI_ALName3",
      "E_TI_AFName3",
      "E_TI_AMName3",
      "E_TI_ALName4",
      "E_TI_AFName4",
      "E_TI_AMName4",
      "E_TI_Genre",
      "E_CoverPage",
      "E_TI_Language",
      "E_DI_Date",
      "E_DI_ID",
      "ME_Date",
      "E_DI_Version",
      "E_DI_Src_Url",
      "Memo3",
      "Memo2",
      "E_DI_LName_Orig",
      "E_DI_FName_Orig",
      "E_DI_MName_Orig",
      "E_DI_NickName_Orig",
      "E_DI_HomePage_Orig",
      "E_DI_EMail_orig",
  };
  EXPECT_EQ(ChangedFields(record, "x"), cleared);
  for (const auto& [name, field] : HeaderTextFields()) {
    if (cleared.count(name) && std::string(name) != "E_DI_Version") {
      EXPECT_EQ(record.*field, "") << name;
    }
  }
  EXPECT_EQ(record.E_DI_Version, "1.0");
  EXPECT_EQ(record.DocAuthor, DocAuthorChoice::Replace);
  EXPECT_TRUE(record.SourceIsUtf8);
  EXPECT_TRUE(record.SaveAsUtf8);
  EXPECT_EQ(record.SourceCharset, 204);
  EXPECT_EQ(record.SaveCharset, 161);
}

TEST(HeaderRecordTest, ClearHiddenFieldsEmptiesTheHiddenFieldsOnly) {
  HeaderRecord record = RecordWithAllFields("x");
  ClearHiddenFields(record);
  const std::set<std::string> cleared = {
      "TI_ANickName",  "TI_ANickName2",    "TI_ANickName3",     "TI_ANickName4",  "TI_AHomePage",
      "TI_AHomePage2", "TI_AHomePage3",    "TI_AHomePage4",     "TI_AEMail",      "TI_AEMail2",
      "TI_AEMail3",    "TI_AEMail4",       "TI_MoreAuthorsRaw", "TI_Keywords",    "TI_SrcLang",
      "TI_DateRaw",    "TI_TranslatorRaw", "TI_SequenceRaw",    "DI_AuthorRaw",   "DI_ProgramUsed",
      "DI_SrcOcrRaw",  "DI_HistoryRaw",    "SrcTitleInfoRaw",   "PublishInfoRaw", "CustomInfoRaw",
      "OutputRaw",         "RootNamespacesRaw",
  };
  EXPECT_EQ(ChangedFields(record, "x"), cleared);
}

TEST(HeaderRecordTest, TrimHeaderTrimsTheSingleLineEdits) {
  const std::string padded = " \t\r\n\x01x y\x1F \t";
  HeaderRecord record = RecordWithAllFields(padded);
  TrimHeader(record);
  const std::set<std::string> trimmed = {
      "E_TI_BookTitle",     "E_TI_ALName",     "E_TI_AFName",     "E_TI_AMName",     "E_TI_ALName2",
      "E_TI_AFName2",       "E_TI_AMName2",    "E_TI_ALName3",    "E_TI_AFName3",    "E_TI_AMName3",
      "E_TI_ALName4",       "E_TI_AFName4",    "E_TI_AMName4",    "E_TI_Genre",      "E_CoverPage",
      "E_TI_Language",      "E_DI_Date",       "E_DI_ID",         "E_DI_Version",    "E_DI_LName",
      "E_DI_FName",         "E_DI_MName",      "E_DI_NickName",   "E_DI_HomePage",   "E_DI_EMail",
      "E_DI_Src_Url",       "E_DI_LName_Orig", "E_DI_FName_Orig", "E_DI_MName_Orig", "E_DI_NickName_Orig",
      "E_DI_HomePage_Orig", "E_DI_EMail_orig",
  };
  EXPECT_EQ(ChangedFields(record, padded), trimmed);
  for (const auto& [name, field] : HeaderTextFields()) {
    if (trimmed.count(name)) {
      EXPECT_EQ(record.*field, "x y") << name;
    }
  }
}

TEST(HeaderRecordTest, TrimKeepsInnerBlanksAndBytesAbove32) {
  HeaderRecord record;
  record.E_TI_BookTitle = " \xA0Title\xA0 ";  // no-break spaces of 1251 are not trimmed
  record.Memo3 = "  <p>annotation</p>  ";
  record.ME_Date = " 5.03.2007";
  TrimHeader(record);
  EXPECT_EQ(record.E_TI_BookTitle, "\xA0Title\xA0");
  EXPECT_EQ(record.Memo3, "  <p>annotation</p>  ");
  EXPECT_EQ(record.ME_Date, " 5.03.2007");
}

TEST(HeaderRecordTest, TitleAuthorBindsTheFieldsOfOneAuthor) {
  HeaderRecord record;
  for (int n = 1; n <= 4; ++n) {
    TitleAuthorFields author = TitleAuthor(record, n);
    author.LName = "L" + std::to_string(n);
    author.EMail = "E" + std::to_string(n);
  }
  EXPECT_EQ(record.E_TI_ALName, "L1");
  EXPECT_EQ(record.E_TI_ALName3, "L3");
  EXPECT_EQ(record.TI_AEMail2, "E2");
  EXPECT_EQ(record.TI_AEMail4, "E4");
}

}  // namespace
}  // namespace pellimore
