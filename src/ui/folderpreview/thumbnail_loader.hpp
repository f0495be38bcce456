#pragma once

#include <QCache>
#include <QIcon>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/executor.hpp"
#include "platform/run_loop.hpp"
#include "ui/folderpreview/thumbnail_generator.hpp"

namespace tavorin::ui {

// Thumbnails and icons of files for the preview's cells, with three caches: thumbnails by path
// and size, icons by path, and the path and size pairs the generator had nothing for, which are
// never sent to it again. A thumbnail that several cells wait for is made once. Used on the main
// loop; the generator runs on the executor.
class ThumbnailLoader {
 public:
  static constexpr int thumbnailCacheLimit = 600;
  static constexpr int iconCacheLimit = 2000;
  using IconSource = std::function<QIcon(const std::filesystem::path&)>;
  using Completion = std::function<void(const QPixmap& thumbnail)>;

  // A wait for one thumbnail. Dropping it withdraws the wait: its completion never runs, and
  // work that nobody else waits for and that has not started is not done at all.
  class Request {
   public:
    Request() = default;
    Request(Request&& other) noexcept;
    Request& operator=(Request&& other) noexcept;
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    ~Request();
    // Still waiting for its thumbnail.
    bool isPending() const;

   private:
    friend class ThumbnailLoader;
    struct Impl;
    Request(std::weak_ptr<Impl> loader, QString key, std::uint64_t waiter);
    void withdraw();

    std::weak_ptr<Impl> loader_;
    QString key_;
    std::uint64_t waiter_ = 0;
  };

  ThumbnailLoader(RunLoop& runLoop, Executor& executor,
                  std::shared_ptr<const ThumbnailGenerator> generator, IconSource icons = nullptr);
  ~ThumbnailLoader();
  ThumbnailLoader(const ThumbnailLoader&) = delete;
  ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

  // The cache key of a file at a size: the path, "#", and the size in whole points ("…/a.png#72").
  static QString key(const std::filesystem::path& path, double pointSize);

  // The thumbnail already made for `path` at `pointSize`, without asking for one.
  std::optional<QPixmap> cachedThumbnail(const std::filesystem::path& path, double pointSize) const;

  // The thumbnail of `path` for a square of `pointSize` points at `scale` (at least 1) pixels per
  // point, handed to `done` — a null pixmap when the file has none. An answer already known
  // (cached, or known to fail) is handed over before this returns and the request is empty;
  // otherwise `done` runs later on the main loop while the request is kept.
  [[nodiscard]] Request thumbnail(const std::filesystem::path& path, double pointSize, double scale,
                                  Completion done);

  // The file's icon, looked up once per path.
  QIcon icon(const std::filesystem::path& path);

 private:
  std::shared_ptr<Request::Impl> impl_;
};

}  // namespace tavorin::ui
