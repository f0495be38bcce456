#include "ui/folderpreview/file_icons.hpp"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QStyle>

namespace tavorin::ui {

namespace {

QIcon themed(const QString& name) {
  if (name.isEmpty()) return {};
  return QIcon::fromTheme(name);
}

}  // namespace

QIcon fileIcon(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  const bool isFolder = !error && std::filesystem::is_directory(status);
  const bool isLink = std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));

  QIcon icon;
  if (isFolder) {
    icon = themed(QStringLiteral("folder"));
    if (icon.isNull()) icon = themed(QStringLiteral("inode-directory"));
  } else {
    const QMimeDatabase database;
    const QMimeType mime = database.mimeTypeForFile(QString::fromStdString(path.string()),
                                                    QMimeDatabase::MatchExtension);
    icon = themed(mime.iconName());
    if (icon.isNull()) icon = themed(mime.genericIconName());
    if (icon.isNull()) icon = themed(QStringLiteral("text-x-generic"));
  }
  if (!icon.isNull()) return icon;

  QStyle* style = QApplication::style();
  if (isFolder) return style->standardIcon(isLink ? QStyle::SP_DirLinkIcon : QStyle::SP_DirIcon);
  return style->standardIcon(isLink ? QStyle::SP_FileLinkIcon : QStyle::SP_FileIcon);
}

void useInstalledIconThemeIfNeeded() {
  const QString probe = QStringLiteral("text-x-generic");
  if (!QIcon::fromTheme(probe).isNull()) return;
  // Themes live in "icons" below every data folder of the XDG convention, and in ~/.icons.
  QStringList paths = QIcon::themeSearchPaths();
  QStringList folders{QDir::homePath() + QStringLiteral("/.icons")};
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
    folders << data + QStringLiteral("/icons");
  for (const QString& folder : folders) {
    if (!paths.contains(folder) && QDir(folder).exists()) paths << folder;
  }
  QIcon::setThemeSearchPaths(paths);
  if (!QIcon::fromTheme(probe).isNull()) return;

  static const char* const themes[] = {"Adwaita", "breeze",     "gnome", "Papirus",
                                       "oxygen",  "elementary", "Tango"};
  for (const char* theme : themes) {
    for (const QString& folder : paths) {
      const QString index =
          folder + QLatin1Char('/') + QLatin1String(theme) + QStringLiteral("/index.theme");
      if (QFileInfo::exists(index)) {
        QIcon::setThemeName(QLatin1String(theme));
        return;
      }
    }
  }
}

}  // namespace tavorin::ui
