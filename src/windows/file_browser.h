#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace pellimore {

// The entries of the "Files" page's filter box.
struct FileFilter {
  QString caption;
  QString mask;  // patterns separated by ";"
};
const std::vector<FileFilter>& FileFilters();

// The names of the ordinary files of folder (no folders, no hidden or special files) that match
// one of the mask's patterns, letter case ignored, sorted by name.
QStringList ListBookFiles(const QString& folder, const QString& mask);
// The sub-folders of folder shown in the folder list, hidden ones left out, sorted by name.
QStringList ListSubFolders(const QString& folder);
// The file system's root followed by the roots of the other mounted volumes.
QStringList VolumeRoots();
// The volume root among roots that holds folder (the longest one that is a prefix of it).
QString VolumeOf(const QString& folder, const QStringList& roots);
// The folders from root down to folder, both included.
QStringList FolderChain(const QString& root, const QString& folder);

}  // namespace pellimore
