#include "writing/save_pipeline.h"

#include "reading/body.h"
#include "reading/book_loading.h"
#include "reading/encoding.h"
#include "text/codepage.h"
#include "writing/description_writer.h"
#include "writing/file_replace.h"
#include "writing/output_naming.h"
#include "writing/zip_archive_writer.h"

namespace pellimore {

namespace {

std::string SourcePath(const HeaderRecord& header) {
  return header.CurrentZipName.empty() ? header.CurrentFileName : header.CurrentZipName;
}

[[noreturn]] void AbandonSave(Workspace& workspace, const std::string& reason) {
  const std::string message = "Cannot read the source \"" + SourcePath(workspace.header) + "\"" +
                              (reason.empty() ? "" : ": " + reason) + ". The book was not saved.";
  workspace.Prompt().ShowMessage(message);
  throw SaveAbandoned(message);
}

// The new header and the source's body in the output encoding. Only the header passes through
// the working code page when a UTF-8 book is saved as UTF-8.
std::string ComposeDocument(Workspace& workspace) {
  const std::string header = BuildDescription(workspace);
  const HeaderRecord& h = workspace.header;
  const bool keepUtf8Body = h.SourceIsUtf8 && h.SaveAsUtf8;
  BodyText body = ExtractBody(workspace, /*decode=*/!keepUtf8Body);
  if (!body.sourceRead) AbandonSave(workspace, body.error);
  // A source without a body tag gives the header only; the root element still needs its end tag.
  if (body.text.empty()) body.text = "</FictionBook>\r\n";
  if (!h.SaveAsUtf8) return header + body.text;
  return WorkingToUtf8(header) + (keepUtf8Body ? body.text : WorkingToUtf8(body.text));
}

}  // namespace

std::string ZipArchivePath(const HeaderRecord& header, const SaveSettings& settings,
                           const std::string& target) {
  if (settings.zipName == ZipNameFrom::ZipFileName && !header.CurrentZipName.empty()) {
    return std::string(FolderPart(target)) + std::string(FileNamePart(header.CurrentZipName));
  }
  return target + ".zip";
}

std::string ZipEntryName(const std::string& target) {
  const std::string_view name = FileNamePart(target);
  return std::string(name.substr(0, name.rfind('.'))) + ".fb2";
}

std::string WriteZippedDocument(const HeaderRecord& header, const SaveSettings& settings,
                                std::string_view crlfText, const std::string& target) {
  const std::string archivePath = ZipArchivePath(header, settings, target);
  std::string archive;
  try {
    archive = BuildOneEntryArchive(ZipEntryName(target), crlfText);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error("Cannot create file \"" + archivePath + "\". " + e.what());
  }
  ReplaceFile(archivePath, archive);
  return archivePath;
}

std::string WriteEncodedDocument(const HeaderRecord& header, const SaveSettings& settings,
                                 std::string_view bytes, const std::string& target) {
  if (target.empty()) return {};
  std::string normalised;
  if (!IsCrLfText(bytes)) normalised = CrLfText(bytes);
  const std::string_view text = normalised.empty() ? bytes : std::string_view(normalised);
  if (settings.ChBZip) return WriteZippedDocument(header, settings, text, target);
  ReplaceFile(target, text);
  return target;
}

std::string WriteDocument(const Workspace& workspace, const SaveSettings& settings, std::string_view text,
                          const std::string& target) {
  const HeaderRecord& header = workspace.header;
  if (!header.SaveAsUtf8) return WriteEncodedDocument(header, settings, text, target);
  return WriteEncodedDocument(header, settings, WorkingToUtf8(text), target);
}

SaveResult SaveOpenBook(Workspace& workspace, SaveSettings& settings, const SaveTarget& target) {
  if (workspace.header.CurrentFileName.empty()) return {};
  ChooseOutputEncoding(workspace);
  SaveResult result;
  result.targetPath = target.fromNaming ? MakeTargetPath(workspace, settings) : target.chosenPath;
  if (result.targetPath.empty()) return result;
  const std::string document = ComposeDocument(workspace);
  result.writtenPath = WriteEncodedDocument(workspace.header, settings, document, result.targetPath);
  return result;
}

SaveResult Act_SaveExecute(Workspace& workspace, SaveSettings& settings) {
  return SaveOpenBook(workspace, settings, SaveTarget::Naming());
}

SaveResult ButSaveClick(Workspace& workspace, SaveSettings& settings) {
  return Act_SaveExecute(workspace, settings);
}

SaveResult Act_SaveAsExecute(Workspace& workspace, SaveSettings& settings, const std::string& chosenPath) {
  if (workspace.header.CurrentFileName.empty() || chosenPath.empty()) return {};
  return SaveOpenBook(workspace, settings, SaveTarget::Chosen(chosenPath));
}

}  // namespace pellimore
