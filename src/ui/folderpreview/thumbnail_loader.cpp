#include "ui/folderpreview/thumbnail_loader.hpp"

#include <cmath>
#include <vector>

#include "ui/folderpreview/file_icons.hpp"

namespace tavorin::ui {

namespace {

// The life of one piece of generator work, shared with the thread that does it.
enum JobState : int { queued, started, abandoned };

}  // namespace

struct ThumbnailLoader::Request::Impl : std::enable_shared_from_this<Impl> {
  struct Job {
    std::uint64_t id = 0;
    std::shared_ptr<std::atomic<int>> state;
    std::map<std::uint64_t, Completion> waiters;
  };

  Impl(RunLoop& loop, Executor& work, std::shared_ptr<const ThumbnailGenerator> maker,
       IconSource iconSource)
      : runLoop(loop), executor(work), generator(std::move(maker)), icons(std::move(iconSource)) {
    thumbnails.setMaxCost(thumbnailCacheLimit);
    iconCache.setMaxCost(iconCacheLimit);
  }

  void finish(const QString& key, std::uint64_t jobId, const QImage& image) {
    auto it = jobs.find(key);
    if (it == jobs.end() || it->second.id != jobId) return;
    // The job goes before anyone is told, so that a waiter that withdraws or asks again from its
    // completion finds the answer settled.
    std::map<std::uint64_t, Completion> waiters = std::move(it->second.waiters);
    jobs.erase(it);
    QPixmap pixmap;
    if (image.isNull()) {
      misses.insert(key);
    } else {
      pixmap = QPixmap::fromImage(image);
      thumbnails.insert(key, new QPixmap(pixmap));
    }
    for (auto& [waiter, done] : waiters) {
      if (done) done(pixmap);
    }
  }

  void withdraw(const QString& key, std::uint64_t waiter) {
    auto it = jobs.find(key);
    if (it == jobs.end()) return;
    it->second.waiters.erase(waiter);
    if (!it->second.waiters.empty()) return;
    int expected = queued;
    // Work already under way is let finish: its answer is cached for the next cell that asks.
    if (it->second.state->compare_exchange_strong(expected, abandoned)) jobs.erase(it);
  }

  bool isWaiting(const QString& key, std::uint64_t waiter) const {
    auto it = jobs.find(key);
    return it != jobs.end() && it->second.waiters.contains(waiter);
  }

  RunLoop& runLoop;
  Executor& executor;
  std::shared_ptr<const ThumbnailGenerator> generator;
  IconSource icons;
  QCache<QString, QPixmap> thumbnails;
  QCache<QString, QIcon> iconCache;
  QSet<QString> misses;
  std::map<QString, Job> jobs;
  std::uint64_t nextId = 1;
};

ThumbnailLoader::Request::Request(std::weak_ptr<Impl> loader, QString key, std::uint64_t waiter)
    : loader_(std::move(loader)), key_(std::move(key)), waiter_(waiter) {}

ThumbnailLoader::Request::Request(Request&& other) noexcept
    : loader_(std::move(other.loader_)),
      key_(std::move(other.key_)),
      waiter_(std::exchange(other.waiter_, 0)) {}

ThumbnailLoader::Request& ThumbnailLoader::Request::operator=(Request&& other) noexcept {
  if (this != &other) {
    withdraw();
    loader_ = std::move(other.loader_);
    key_ = std::move(other.key_);
    waiter_ = std::exchange(other.waiter_, 0);
  }
  return *this;
}

ThumbnailLoader::Request::~Request() {
  withdraw();
}

void ThumbnailLoader::Request::withdraw() {
  if (waiter_ == 0) return;
  if (auto loader = loader_.lock()) loader->withdraw(key_, waiter_);
  waiter_ = 0;
  loader_.reset();
}

bool ThumbnailLoader::Request::isPending() const {
  auto loader = loader_.lock();
  return loader && waiter_ != 0 && loader->isWaiting(key_, waiter_);
}

ThumbnailLoader::ThumbnailLoader(RunLoop& runLoop, Executor& executor,
                                 std::shared_ptr<const ThumbnailGenerator> generator,
                                 IconSource icons)
    : impl_(std::make_shared<Request::Impl>(runLoop, executor, std::move(generator),
                                            icons ? std::move(icons) : IconSource(fileIcon))) {}

ThumbnailLoader::~ThumbnailLoader() {
  // Queued work is not done any more; work under way finds nobody to report to.
  for (auto& [key, job] : impl_->jobs) {
    int expected = queued;
    job.state->compare_exchange_strong(expected, abandoned);
  }
}

QString ThumbnailLoader::key(const std::filesystem::path& path, double pointSize) {
  const double whole = std::isfinite(pointSize) ? std::trunc(pointSize) : 0.0;
  return QString::fromStdString(path.string()) + QLatin1Char('#') +
         QString::number(static_cast<long long>(whole));
}

std::optional<QPixmap> ThumbnailLoader::cachedThumbnail(const std::filesystem::path& path,
                                                        double pointSize) const {
  if (const QPixmap* pixmap = impl_->thumbnails.object(key(path, pointSize))) return *pixmap;
  return std::nullopt;
}

ThumbnailLoader::Request ThumbnailLoader::thumbnail(const std::filesystem::path& path,
                                                    double pointSize, double scale,
                                                    Completion done) {
  Request::Impl& impl = *impl_;
  const QString cacheKey = key(path, pointSize);
  if (const QPixmap* pixmap = impl.thumbnails.object(cacheKey)) {
    if (done) done(*pixmap);
    return {};
  }
  if (impl.misses.contains(cacheKey)) {
    if (done) done(QPixmap());
    return {};
  }

  const std::uint64_t waiter = impl.nextId++;
  auto existing = impl.jobs.find(cacheKey);
  if (existing != impl.jobs.end()) {
    existing->second.waiters.emplace(waiter, std::move(done));
    return Request(impl_, cacheKey, waiter);
  }

  Request::Impl::Job job;
  job.id = impl.nextId++;
  job.state = std::make_shared<std::atomic<int>>(queued);
  job.waiters.emplace(waiter, std::move(done));
  impl.executor.submit(QualityOfService::userInitiated,
                       [weak = std::weak_ptr<Request::Impl>(impl_), runLoop = &impl.runLoop,
                        generator = impl.generator, state = job.state, jobId = job.id, cacheKey,
                        path, pointSize, scale = std::max(scale, 1.0)] {
                         int expected = queued;
                         if (!state->compare_exchange_strong(expected, started)) return;
                         QImage image =
                             generator ? generator->generate(path, pointSize, scale) : QImage();
                         runLoop->post([weak, cacheKey, jobId, image = std::move(image)] {
                           if (auto impl = weak.lock()) impl->finish(cacheKey, jobId, image);
                         });
                       });
  impl.jobs.emplace(cacheKey, std::move(job));
  return Request(impl_, cacheKey, waiter);
}

QIcon ThumbnailLoader::icon(const std::filesystem::path& path) {
  const QString cacheKey = QString::fromStdString(path.string());
  if (const QIcon* icon = impl_->iconCache.object(cacheKey)) return *icon;
  QIcon icon = impl_->icons(path);
  impl_->iconCache.insert(cacheKey, new QIcon(icon));
  return icon;
}

}  // namespace tavorin::ui
