#include "windows/file_browser.h"

#include <QDir>
#include <QStorageInfo>

namespace pellimore {

const std::vector<FileFilter>& FileFilters() {
  static const std::vector<FileFilter> filters = {
      {QStringLiteral("All supported files (*.fb2;*.zip)"), QStringLiteral("*.fb2;*.zip")},
      {QStringLiteral("Fiction Book files (*.fb2)"), QStringLiteral("*.fb2")},
      {QStringLiteral("Zip files (*.zip)"), QStringLiteral("*.zip")},
      {QStringLiteral("All files (*.*)"), QStringLiteral("*.*")},
  };
  return filters;
}

QStringList ListBookFiles(const QString& folder, const QString& mask) {
  QStringList patterns = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  // "*.*" stands for every file, also those without a point in their names.
  for (QString& pattern : patterns) {
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  const QDir dir(folder);
  return dir.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QStringList ListSubFolders(const QString& folder) {
  const QDir dir(folder);
  return dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QStringList VolumeRoots() {
  QStringList roots{QDir::rootPath()};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    if (!roots.contains(root)) roots.append(root);
  }
  return roots;
}

QString VolumeOf(const QString& folder, const QStringList& roots) {
  QString best = QDir::rootPath();
  for (const QString& root : roots) {
    const bool holds =
        folder == root || folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
    if (holds && root.size() > best.size()) best = root;
  }
  return best;
}

QStringList FolderChain(const QString& root, const QString& folder) {
  QStringList chain;
  QDir dir(folder);
  const QString cleanRoot = QDir::cleanPath(root);
  while (true) {
    const QString path = QDir::cleanPath(dir.absolutePath());
    chain.prepend(path);
    if (path == cleanRoot || dir.isRoot() || !dir.cdUp()) break;
  }
  return chain;
}

}  // namespace pellimore
