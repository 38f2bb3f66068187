#pragma once

#include <string>
#include <utility>
#include <vector>

#include "text/charset.h"

namespace pellimore {

// What the new document author does to the document authors already recorded.
enum class DocAuthorChoice { Add /* RB3 */, Replace /* RB4 */, Ignore /* RB5 */ };

// Everything held about the open book. Field names are those of the window's controls and
// hidden fields; every text is a byte string of the working code page.
struct HeaderRecord {
  // Title-info, shown.
  std::string E_TI_BookTitle;
  std::string E_TI_ALName, E_TI_AFName, E_TI_AMName;
  std::string E_TI_ALName2, E_TI_AFName2, E_TI_AMName2;
  std::string E_TI_ALName3, E_TI_AFName3, E_TI_AMName3;
  std::string E_TI_ALName4, E_TI_AFName4, E_TI_AMName4;
  std::string E_TI_Genre;
  std::string E_TI_Language;
  std::string E_CoverPage;
  std::string Memo3;  // annotation markup, without the annotation tags

  // Title-info, hidden.
  std::string TI_ANickName, TI_ANickName2, TI_ANickName3, TI_ANickName4;
  std::string TI_AHomePage, TI_AHomePage2, TI_AHomePage3, TI_AHomePage4;
  std::string TI_AEMail, TI_AEMail2, TI_AEMail3, TI_AEMail4;
  std::string TI_MoreAuthorsRaw;
  std::string TI_Keywords;
  std::string TI_SrcLang;
  std::string TI_DateRaw;
  std::string TI_TranslatorRaw;
  std::string TI_SequenceRaw;

  // Document-info, shown.
  std::string ME_Date;  // day, month, four-digit year; at most 10 characters
  std::string E_DI_Date;
  std::string E_DI_ID;
  std::string E_DI_Version = "1.0";
  std::string E_DI_Src_Url;
  std::string E_DI_LName_Orig, E_DI_FName_Orig, E_DI_MName_Orig, E_DI_NickName_Orig;
  std::string E_DI_HomePage_Orig, E_DI_EMail_orig;

  // Document-info, hidden.
  std::string DI_AuthorRaw;
  std::string DI_ProgramUsed;
  std::string DI_SrcOcrRaw;
  std::string DI_HistoryRaw;

  // Other sections of description, carried through unchanged.
  std::string SrcTitleInfoRaw;
  std::string PublishInfoRaw;
  std::string CustomInfoRaw;
  std::string OutputRaw;

  // Namespace declarations of the source's root start tag beyond the two the writer always
  // declares (e.g. ` xmlns:l="http://www.w3.org/1999/xlink"`), so prefixes the body uses stay bound.
  std::string RootNamespacesRaw;

  // The new document author (the user), kept from book to book.
  std::string E_DI_LName, E_DI_FName, E_DI_MName, E_DI_NickName, E_DI_HomePage, E_DI_EMail;
  DocAuthorChoice DocAuthor = DocAuthorChoice::Ignore;

  // Body preview; filled on request, never written back.
  std::string Memo2;

  // State of the open document.
  std::string CurrentFileName;
  std::string CurrentZipName;
  std::string CurrentFileDate;
  bool SourceIsUtf8 = false;
  bool SaveAsUtf8 = false;
  CharsetId SourceCharset = 0;
  CharsetId SaveCharset = 0;
};

// The fields of one title-info author (n = 1..4).
struct TitleAuthorFields {
  std::string& LName;
  std::string& FName;
  std::string& MName;
  std::string& NickName;
  std::string& HomePage;
  std::string& EMail;
};
TitleAuthorFields TitleAuthor(HeaderRecord& record, int n);

// Empties the shown fields (the version becomes "1.0"); leaves the new author, the choice, the
// hidden fields and the document state alone.
void ClearHeader(HeaderRecord& record);
// Empties the hidden title-info, document-info and section fields, as the reader does before a read.
void ClearHiddenFields(HeaderRecord& record);
// Removes codes 0..32 from both ends of every single-line edit.
void TrimHeader(HeaderRecord& record);

// Every text field of the record with its name, in declaration order (for tools and tests).
using HeaderTextField = std::pair<const char*, std::string HeaderRecord::*>;
const std::vector<HeaderTextField>& HeaderTextFields();

}  // namespace pellimore
