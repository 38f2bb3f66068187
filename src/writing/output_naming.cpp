#include "writing/output_naming.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "text/codepage.h"
#include "text/translit.h"
#include "text/trim.h"

namespace pellimore {

namespace {

constexpr char kSeparator = '/';
constexpr std::size_t kMaxComparedComponents = 180;

bool FolderExists(const std::string& folder) {
  std::error_code error;
  return !folder.empty() && std::filesystem::is_directory(folder, error);
}

std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find(kSeparator, start);
    parts.push_back(path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string WithoutControls(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c < 1 || c > 31) out += c;
  }
  return out;
}

std::string AuthorPiece(const SaveSettings& settings, const std::string& last, const std::string& first,
                        const std::string& middle) {
  if (settings.nameTemplate == NameTemplate::Cyrillic) {
    return AuthorWithInitials(TrimControls(last), TrimControls(first), TrimControls(middle));
  }
  return AuthorWithInitial(TrimControls(last), TrimControls(first));
}

std::string AuthorPart(const HeaderRecord& r, const SaveSettings& settings) {
  std::string part = AuthorPiece(settings, r.E_TI_ALName, r.E_TI_AFName, r.E_TI_AMName);
  const std::string* coAuthors[][3] = {{&r.E_TI_ALName2, &r.E_TI_AFName2, &r.E_TI_AMName2},
                                       {&r.E_TI_ALName3, &r.E_TI_AFName3, &r.E_TI_AMName3},
                                       {&r.E_TI_ALName4, &r.E_TI_AFName4, &r.E_TI_AMName4}};
  for (const auto& names : coAuthors) {
    const std::string piece = AuthorPiece(settings, *names[0], *names[1], *names[2]);
    if (!piece.empty()) part += " " + piece;
  }
  return part;
}

// Mode "Save to dir:" with mirrored sub-folders.
std::string MirroredTarget(Workspace& workspace, const SaveSettings& settings) {
  const std::string& saveFolder = settings.E_Dir_To_Save;
  if (!FolderExists(saveFolder)) {
    workspace.Prompt().ShowMessage(saveFolder + " not found");
    return {};
  }
  const std::string folder =
      saveFolder + std::string(FolderPart(RelativeFolder(settings, workspace.header.CurrentFileName)));
  if (FolderExists(folder) || EnsureFolder(folder)) return folder + MakeTargetName(workspace, settings);
  workspace.Prompt().ShowMessage("Dir " + folder + " not found");
  return {};
}

}  // namespace

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind(kSeparator);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderPart(std::string_view path) {
  const std::size_t slash = path.rfind(kSeparator);
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string AuthorWithInitials(std::string_view last, std::string_view first, std::string_view middle) {
  if (last.empty()) return {};
  std::string piece(last);
  if (!first.empty()) {
    piece.append(" ").append(1, first.front()).append(".");
    if (!middle.empty()) piece.append(1, middle.front()).append(".");
  }
  return RemoveBadFileChars(piece);
}

std::string AuthorWithInitial(std::string_view last, std::string_view first) {
  return AuthorWithInitials(last, first, {});
}

std::string MakeTargetName(const Workspace& workspace, const SaveSettings& settings) {
  const HeaderRecord& r = workspace.header;
  const std::string defaultName(FileNamePart(r.CurrentFileName));
  const std::string title = TrimControls(r.E_TI_BookTitle);
  if (settings.nameTemplate == NameTemplate::NoRename || title.empty()) return defaultName;

  const std::string author = AuthorPart(r, settings);
  std::string name;
  if (!author.empty()) name = author + (author.back() == '.' ? " " : ". ");
  name += RemoveBadFileChars(title);
  if (settings.nameTemplate == NameTemplate::Transliterated) {
    name = CapitalizeWords(SpacesToUnderscores(Transliterate(name)));
  }
  name = WithoutControls(name);
  return name.empty() ? defaultName : FileNameFromText(name) + ".fb2";
}

std::string CommonFolderPrefix(const SaveSettings& settings, std::string_view path) {
  if (path.empty()) return {};
  const std::vector<std::string_view> folder = Components(settings.E_Dir_To_Save);
  const std::vector<std::string_view> target = Components(path);
  std::string prefix;
  for (std::size_t i = 0; i < folder.size() && i < target.size() && i < kMaxComparedComponents; ++i) {
    if (folder[i] != target[i]) break;
    prefix.append(folder[i]).append(1, kSeparator);
  }
  return prefix;
}

std::string RelativeFolder(const SaveSettings& settings, std::string_view path) {
  if (path.empty()) return {};
  const std::string common = CommonFolderPrefix(settings, path);
  std::string_view rest = path;
  if (!common.empty())
    rest = common.size() <= path.size() ? path.substr(common.size() - 1) : std::string_view();
  if (!rest.empty() && rest.front() == kSeparator) rest.remove_prefix(1);
  return std::string(rest);
}

bool EnsureFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return FolderExists(folder);
}

void SpeedButton5Click(Workspace& workspace, SaveSettings& settings) {
  std::error_code error;
  const std::string start = std::filesystem::current_path(error).string();
  const std::optional<std::string> chosen = workspace.Prompt().ChooseFolder(start);
  if (!chosen || chosen->empty()) return;
  settings.E_Dir_To_Save = *chosen;
  if (settings.E_Dir_To_Save.back() != kSeparator) settings.E_Dir_To_Save += kSeparator;
}

std::string MakeTargetPath(Workspace& workspace, SaveSettings& settings) {
  if (settings.E_Dir_To_Save.empty()) {
    SpeedButton5Click(workspace, settings);
    if (settings.E_Dir_To_Save.empty()) {
      workspace.Prompt().ShowMessage("Empty path");
      return {};
    }
  }
  const std::string& source = workspace.header.CurrentFileName;
  if (settings.mode == SaveMode::ReplaceSource) return source;
  if (settings.ChBSubfolders) return MirroredTarget(workspace, settings);

  const bool folderExists = FolderExists(settings.E_Dir_To_Save);
  if (settings.nameTemplate == NameTemplate::NoRename) {
    return folderExists ? settings.E_Dir_To_Save + std::string(FileNamePart(source)) : source;
  }
  return folderExists ? settings.E_Dir_To_Save + MakeTargetName(workspace, settings) : std::string();
}

}  // namespace pellimore
