#include "ui/folderpreview/thumbnail_generator.hpp"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QImageReader>
#include <QMimeDatabase>
#include <array>
#include <cmath>
#include <vector>

namespace tavorin::ui {

namespace {

// The cache's size folders and the edge of their thumbnails in pixels, smallest first.
constexpr std::array<std::pair<const char*, int>, 4> cacheSizes{
    {{"normal", 128}, {"large", 256}, {"x-large", 512}, {"xx-large", 1024}}};

bool isUnescaped(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  static constexpr std::string_view allowed = "-._~!$&'()*+,;=:@/";
  return allowed.find(static_cast<char>(c)) != std::string_view::npos;
}

bool isReadableImage(const QMimeType& mime) {
  static const QList<QByteArray> supported = QImageReader::supportedMimeTypes();
  if (supported.contains(mime.name().toUtf8())) return true;
  for (const QString& alias : mime.aliases()) {
    if (supported.contains(alias.toUtf8())) return true;
  }
  return false;
}

QImage readScaled(const QString& file, int pixels) {
  QImageReader reader(file);
  reader.setAutoTransform(true);
  // The box is square, so a picture turned by its orientation tag after reading fits it too.
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > pixels || size.height() > pixels)) {
    reader.setScaledSize(size.scaled(pixels, pixels, Qt::KeepAspectRatio).expandedTo({1, 1}));
  }
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (image.width() > pixels || image.height() > pixels) {
    image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return image;
}

}  // namespace

DesktopThumbnailGenerator::DesktopThumbnailGenerator(std::filesystem::path cacheFolder)
    : cacheFolder_(std::move(cacheFolder)) {}

std::string DesktopThumbnailGenerator::fileURI(const std::filesystem::path& absolutePath) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : absolutePath.string()) {
    if (isUnescaped(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 0xF];
    }
  }
  return uri;
}

std::string DesktopThumbnailGenerator::cacheFileName(const std::string& uri) {
  const QByteArray digest =
      QCryptographicHash::hash(QByteArray::fromStdString(uri), QCryptographicHash::Md5);
  return digest.toHex().toStdString() + ".png";
}

QImage DesktopThumbnailGenerator::generate(const std::filesystem::path& path, double pointSize,
                                           double scale) const {
  // Only regular files are opened: a named pipe would block the reader for ever.
  struct stat attributes {};
  if (::stat(path.c_str(), &attributes) != 0 || !S_ISREG(attributes.st_mode)) return {};
  const double pixelScale = std::max(scale, 1.0);
  const int pixels = std::max(1, static_cast<int>(std::ceil(pointSize * pixelScale)));
  const QString file = QString::fromStdString(path.string());

  QImage image;
  const QMimeDatabase database;
  if (isReadableImage(database.mimeTypeForFile(file))) image = readScaled(file, pixels);
  if (image.isNull()) {
    const std::filesystem::path absolute = std::filesystem::absolute(path).lexically_normal();
    image = fromCache(absolute, static_cast<long long>(attributes.st_mtim.tv_sec), pixels);
  }
  if (!image.isNull()) image.setDevicePixelRatio(pixelScale);
  return image;
}

QImage DesktopThumbnailGenerator::fromCache(const std::filesystem::path& path,
                                            long long modifiedSeconds, int pixels) const {
  const std::string uri = fileURI(path);
  const std::string name = cacheFileName(uri);
  // The smallest thumbnail at least as large as asked; else the largest smaller one.
  std::vector<std::pair<const char*, int>> order;
  for (const auto& size : cacheSizes) {
    if (size.second >= pixels) order.push_back(size);
  }
  for (auto it = cacheSizes.rbegin(); it != cacheSizes.rend(); ++it) {
    if (it->second < pixels) order.push_back(*it);
  }
  for (const auto& [folder, edge] : order) {
    const std::filesystem::path candidate = cacheFolder_ / folder / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(candidate, error)) continue;
    QImage image(QString::fromStdString(candidate.string()), "PNG");
    if (image.isNull()) continue;
    // A thumbnail of another file with the same digest, or of an older version of this one,
    // is not this file's.
    if (image.text(QStringLiteral("Thumb::URI")).toStdString() != uri) continue;
    bool isNumber = false;
    const long long stored = image.text(QStringLiteral("Thumb::MTime")).toLongLong(&isNumber);
    if (!isNumber || stored != modifiedSeconds) continue;
    if (image.width() > pixels || image.height() > pixels) {
      image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
  }
  return {};
}

}  // namespace tavorin::ui
