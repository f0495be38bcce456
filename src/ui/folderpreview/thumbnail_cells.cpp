#include "ui/folderpreview/thumbnail_cells.hpp"

namespace tavorin::ui {

ThumbnailCells::ThumbnailCells(ThumbnailLoader& loader, double pointSize,
                               std::function<void(const std::filesystem::path&)> updated)
    : loader_(loader), pointSize_(pointSize), updated_(std::move(updated)) {}

void ThumbnailCells::paint(QPainter& painter, const QRectF& frame, const FolderItem& item,
                           double scale) {
  const std::string id = item.url.string();
  auto found = cells_.find(id);
  if (found == cells_.end()) {
    found = cells_.emplace(id, Cell{}).first;
    if (!item.isDirectory && !item.isPackage) {
      if (auto cached = loader_.cachedThumbnail(item.url, pointSize_)) {
        found->second.thumbnail = *cached;
      } else {
        found->second.request = loader_.thumbnail(
            item.url, pointSize_, scale, [this, id, url = item.url](const QPixmap& thumbnail) {
              auto cell = cells_.find(id);
              if (cell == cells_.end()) return;
              cell->second.thumbnail = thumbnail;
              if (!thumbnail.isNull() && updated_) updated_(url);
            });
      }
    }
  }

  const QPixmap& thumbnail = found->second.thumbnail;
  if (thumbnail.isNull()) {
    loader_.icon(item.url).paint(&painter, frame.toAlignedRect());
    return;
  }
  const QSizeF size = thumbnail.deviceIndependentSize().scaled(frame.size(), Qt::KeepAspectRatio);
  const QRectF target(frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2,
                      size.width(), size.height());
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(target, thumbnail, QRectF(thumbnail.rect()));
  if (outline_.isValid()) {
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target.adjusted(0.5, 0.5, -0.5, -0.5));
  }
  painter.restore();
}

void ThumbnailCells::retain(const std::unordered_set<std::string>& onScreen) {
  std::erase_if(cells_, [&](const auto& entry) { return !onScreen.contains(entry.first); });
}

bool ThumbnailCells::showsThumbnail(const std::filesystem::path& path) const {
  auto it = cells_.find(path.string());
  return it != cells_.end() && !it->second.thumbnail.isNull();
}

bool ThumbnailCells::isWaiting(const std::filesystem::path& path) const {
  auto it = cells_.find(path.string());
  return it != cells_.end() && it->second.request.isPending();
}

}  // namespace tavorin::ui
