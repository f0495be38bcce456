#include "platform/x11/qt/qt_file_kinds.hpp"

#include <QLocale>
#include <QMimeDatabase>

namespace tavorin::qt {

std::string QtFileKindProvider::kind(const std::filesystem::path& path, FileEntryType type,
                                     std::string_view /*languageCode*/) const {
  // The database is safe to use from several threads; every instance shares one cache.
  const QMimeDatabase database;
  QMimeType mime;
  switch (type) {
    case FileEntryType::folder:
      mime = database.mimeTypeForName(QStringLiteral("inode/directory"));
      break;
    case FileEntryType::symbolicLink:
      mime = database.mimeTypeForName(QStringLiteral("inode/symlink"));
      break;
    case FileEntryType::regularFile:
    case FileEntryType::other:
      mime = database.mimeTypeForFile(QString::fromStdString(path.filename().string()),
                                      QMimeDatabase::MatchExtension);
      break;
  }
  if (!mime.isValid() || mime.isDefault()) return {};
  const QString comment = mime.comment();
  if (comment.isEmpty()) return {};
  // "PNG image" rather than "PNG image" in lower case at the start of a column.
  return (comment.left(1).toUpper() + comment.mid(1)).toStdString();
}

void QtFileKindProvider::followInterfaceLanguage(std::string_view languageCode) {
  QLocale::setDefault(
      QLocale(QString::fromUtf8(languageCode.data(), static_cast<qsizetype>(languageCode.size()))
                  .replace('-', '_')));
}

}  // namespace tavorin::qt
