#pragma once

#include <QImage>
#include <filesystem>
#include <string>

namespace tavorin::ui {

// Makes thumbnails of files (`QLThumbnailGenerator`). Called on background threads, several at
// a time: implementations are thread-safe.
class ThumbnailGenerator {
 public:
  virtual ~ThumbnailGenerator() = default;
  // A thumbnail of the file at `path` that fits a square of `pointSize` points at `scale`
  // pixels per point (its device pixel ratio is `scale`), or a null image when there is none.
  virtual QImage generate(const std::filesystem::path& path, double pointSize,
                          double scale) const = 0;
};

// The thumbnails a Linux desktop has: pictures in a format Qt reads are scaled down as they are
// read; for other files, a thumbnail that a file manager left in the shared thumbnail cache
// (the freedesktop.org convention) is used while it is up to date with the file.
class DesktopThumbnailGenerator final : public ThumbnailGenerator {
 public:
  // `cacheFolder`: the shared thumbnail cache, "$XDG_CACHE_HOME/thumbnails".
  explicit DesktopThumbnailGenerator(std::filesystem::path cacheFolder);

  QImage generate(const std::filesystem::path& path, double pointSize, double scale) const override;

  // The URI the cache names a file by: "file://" and the absolute path, every byte escaped
  // except letters, digits, "-._~!$&'()*+,;=:@/".
  static std::string fileURI(const std::filesystem::path& absolutePath);
  // The cache's file name for that URI: the MD5 digest of the URI in hexadecimal, ".png".
  static std::string cacheFileName(const std::string& uri);

 private:
  QImage fromCache(const std::filesystem::path& path, long long modifiedSeconds, int pixels) const;

  std::filesystem::path cacheFolder_;
};

}  // namespace tavorin::ui
