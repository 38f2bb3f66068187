#include "reading/header_record.h"

#include "text/trim.h"

namespace pellimore {

TitleAuthorFields TitleAuthor(HeaderRecord& r, int n) {
  switch (n) {
    case 2:
      return {r.E_TI_ALName2, r.E_TI_AFName2, r.E_TI_AMName2, r.TI_ANickName2, r.TI_AHomePage2, r.TI_AEMail2};
    case 3:
      return {r.E_TI_ALName3, r.E_TI_AFName3, r.E_TI_AMName3, r.TI_ANickName3, r.TI_AHomePage3, r.TI_AEMail3};
    case 4:
      return {r.E_TI_ALName4, r.E_TI_AFName4, r.E_TI_AMName4, r.TI_ANickName4, r.TI_AHomePage4, r.TI_AEMail4};
    default:
      return {r.E_TI_ALName, r.E_TI_AFName, r.E_TI_AMName, r.TI_ANickName, r.TI_AHomePage, r.TI_AEMail};
  }
}

namespace {

using Field = std::string HeaderRecord::*;

// The twelve author name edits of title-info.
constexpr Field kAuthorNameEdits[] = {
    &HeaderRecord::E_TI_ALName,  &HeaderRecord::E_TI_AFName,  &HeaderRecord::E_TI_AMName,
    &HeaderRecord::E_TI_ALName2, &HeaderRecord::E_TI_AFName2, &HeaderRecord::E_TI_AMName2,
    &HeaderRecord::E_TI_ALName3, &HeaderRecord::E_TI_AFName3, &HeaderRecord::E_TI_AMName3,
    &HeaderRecord::E_TI_ALName4, &HeaderRecord::E_TI_AFName4, &HeaderRecord::E_TI_AMName4,
};

constexpr Field kOrigEdits[] = {
    &HeaderRecord::E_DI_LName_Orig,    &HeaderRecord::E_DI_FName_Orig,
    &HeaderRecord::E_DI_MName_Orig,    &HeaderRecord::E_DI_NickName_Orig,
    &HeaderRecord::E_DI_HomePage_Orig, &HeaderRecord::E_DI_EMail_orig,
};

constexpr Field kNewAuthorEdits[] = {
    &HeaderRecord::E_DI_LName,    &HeaderRecord::E_DI_FName,    &HeaderRecord::E_DI_MName,
    &HeaderRecord::E_DI_NickName, &HeaderRecord::E_DI_HomePage, &HeaderRecord::E_DI_EMail,
};

constexpr Field kOtherShownEdits[] = {
    &HeaderRecord::E_TI_BookTitle, &HeaderRecord::E_TI_Genre, &HeaderRecord::E_CoverPage,
    &HeaderRecord::E_TI_Language,  &HeaderRecord::E_DI_Date,  &HeaderRecord::E_DI_ID,
    &HeaderRecord::E_DI_Src_Url,
};

constexpr Field kHiddenFields[] = {
    &HeaderRecord::TI_MoreAuthorsRaw, &HeaderRecord::TI_Keywords,    &HeaderRecord::TI_DateRaw,
    &HeaderRecord::TI_SrcLang,        &HeaderRecord::TI_TranslatorRaw, &HeaderRecord::TI_SequenceRaw,
    &HeaderRecord::DI_ProgramUsed,    &HeaderRecord::DI_HistoryRaw,  &HeaderRecord::DI_SrcOcrRaw,
    &HeaderRecord::DI_AuthorRaw,      &HeaderRecord::SrcTitleInfoRaw, &HeaderRecord::PublishInfoRaw,
    &HeaderRecord::CustomInfoRaw,     &HeaderRecord::OutputRaw,      &HeaderRecord::RootNamespacesRaw,
    &HeaderRecord::TI_ANickName,      &HeaderRecord::TI_ANickName2,  &HeaderRecord::TI_ANickName3,
    &HeaderRecord::TI_ANickName4,     &HeaderRecord::TI_AHomePage,   &HeaderRecord::TI_AHomePage2,
    &HeaderRecord::TI_AHomePage3,     &HeaderRecord::TI_AHomePage4,  &HeaderRecord::TI_AEMail,
    &HeaderRecord::TI_AEMail2,        &HeaderRecord::TI_AEMail3,     &HeaderRecord::TI_AEMail4,
};

template <std::size_t N>
void ClearAll(HeaderRecord& record, const Field (&fields)[N]) {
  for (Field f : fields) (record.*f).clear();
}

template <std::size_t N>
void TrimAll(HeaderRecord& record, const Field (&fields)[N]) {
  for (Field f : fields) record.*f = TrimControls(record.*f);
}

}  // namespace

void ClearHeader(HeaderRecord& record) {
  ClearAll(record, kAuthorNameEdits);
  ClearAll(record, kOtherShownEdits);
  ClearAll(record, kOrigEdits);
  record.ME_Date.clear();
  record.E_DI_Version = "1.0";
  record.Memo3.clear();
  record.Memo2.clear();
}

void ClearHiddenFields(HeaderRecord& record) { ClearAll(record, kHiddenFields); }

void TrimHeader(HeaderRecord& record) {
  TrimAll(record, kAuthorNameEdits);
  TrimAll(record, kOtherShownEdits);
  TrimAll(record, kOrigEdits);
  TrimAll(record, kNewAuthorEdits);
  record.E_DI_Version = TrimControls(record.E_DI_Version);
}

const std::vector<HeaderTextField>& HeaderTextFields() {
#define PELLIMORE_FIELD(name) HeaderTextField{#name, &HeaderRecord::name}
  static const std::vector<HeaderTextField> fields = {
      PELLIMORE_FIELD(E_TI_BookTitle),
      PELLIMORE_FIELD(E_TI_ALName), PELLIMORE_FIELD(E_TI_AFName), PELLIMORE_FIELD(E_TI_AMName),
      PELLIMORE_FIELD(E_TI_ALName2), PELLIMORE_FIELD(E_TI_AFName2), PELLIMORE_FIELD(E_TI_AMName2),
      PELLIMORE_FIELD(E_TI_ALName3), PELLIMORE_FIELD(E_TI_AFName3), PELLIMORE_FIELD(E_TI_AMName3),
      PELLIMORE_FIELD(E_TI_ALName4), PELLIMORE_FIELD(E_TI_AFName4), PELLIMORE_FIELD(E_TI_AMName4),
      PELLIMORE_FIELD(E_TI_Genre), PELLIMORE_FIELD(E_TI_Language), PELLIMORE_FIELD(E_CoverPage),
      PELLIMORE_FIELD(Memo3),
      PELLIMORE_FIELD(TI_ANickName), PELLIMORE_FIELD(TI_ANickName2), PELLIMORE_FIELD(TI_ANickName3),
      PELLIMORE_FIELD(TI_ANickName4),
      PELLIMORE_FIELD(TI_AHomePage), PELLIMORE_FIELD(TI_AHomePage2), PELLIMORE_FIELD(TI_AHomePage3),
      PELLIMORE_FIELD(TI_AHomePage4),
      PELLIMORE_FIELD(TI_AEMail), PELLIMORE_FIELD(TI_AEMail2), PELLIMORE_FIELD(TI_AEMail3),
      PELLIMORE_FIELD(TI_AEMail4),
      PELLIMORE_FIELD(TI_MoreAuthorsRaw), PELLIMORE_FIELD(TI_Keywords), PELLIMORE_FIELD(TI_SrcLang),
      PELLIMORE_FIELD(TI_DateRaw), PELLIMORE_FIELD(TI_TranslatorRaw), PELLIMORE_FIELD(TI_SequenceRaw),
      PELLIMORE_FIELD(ME_Date), PELLIMORE_FIELD(E_DI_Date), PELLIMORE_FIELD(E_DI_ID),
      PELLIMORE_FIELD(E_DI_Version), PELLIMORE_FIELD(E_DI_Src_Url),
      PELLIMORE_FIELD(E_DI_LName_Orig), PELLIMORE_FIELD(E_DI_FName_Orig), PELLIMORE_FIELD(E_DI_MName_Orig),
      PELLIMORE_FIELD(E_DI_NickName_Orig), PELLIMORE_FIELD(E_DI_HomePage_Orig),
      PELLIMORE_FIELD(E_DI_EMail_orig),
      PELLIMORE_FIELD(DI_AuthorRaw), PELLIMORE_FIELD(DI_ProgramUsed), PELLIMORE_FIELD(DI_SrcOcrRaw),
      PELLIMORE_FIELD(DI_HistoryRaw),
      PELLIMORE_FIELD(SrcTitleInfoRaw), PELLIMORE_FIELD(PublishInfoRaw), PELLIMORE_FIELD(CustomInfoRaw),
      PELLIMORE_FIELD(OutputRaw), PELLIMORE_FIELD(RootNamespacesRaw),
      PELLIMORE_FIELD(E_DI_LName), PELLIMORE_FIELD(E_DI_FName), PELLIMORE_FIELD(E_DI_MName),
      PELLIMORE_FIELD(E_DI_NickName), PELLIMORE_FIELD(E_DI_HomePage), PELLIMORE_FIELD(E_DI_EMail),
      PELLIMORE_FIELD(Memo2),
      PELLIMORE_FIELD(CurrentFileName), PELLIMORE_FIELD(CurrentZipName), PELLIMORE_FIELD(CurrentFileDate),
  };
#undef PELLIMORE_FIELD
  return fields;
}

}  // namespace pellimore
