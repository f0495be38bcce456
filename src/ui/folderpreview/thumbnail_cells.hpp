#pragma once

#include <QPainter>
#include <QPixmap>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "folderpreview/folder_item.hpp"
#include "ui/folderpreview/thumbnail_loader.hpp"

namespace tavorin::ui {

// The pictures of the cells on screen at one size: a cell shows its file's icon until the
// thumbnail arrives (folders and packages keep their icon). A cell asks for its thumbnail the
// first time it is drawn; cells that leave the screen drop their waits.
class ThumbnailCells {
 public:
  // `updated` runs on the main loop when the thumbnail of a cell on screen arrived.
  ThumbnailCells(ThumbnailLoader& loader, double pointSize,
                 std::function<void(const std::filesystem::path&)> updated);

  // Draws `item`'s picture fitted and centred into the square `frame`.
  void paint(QPainter& painter, const QRectF& frame, const FolderItem& item, double scale);
  // Forgets every cell whose file is not in `onScreen` (paths as strings).
  void retain(const std::unordered_set<std::string>& onScreen);
  // Forgets every cell.
  void clear() { cells_.clear(); }

  // Thumbnails (not icons) get a hairline of `color` around them; none when invalid.
  void setOutline(const QColor& color) { outline_ = color; }

  double pointSize() const { return pointSize_; }
  // Whether the cell of `path` shows a thumbnail (not an icon) now.
  bool showsThumbnail(const std::filesystem::path& path) const;
  // Whether the cell of `path` still waits for its thumbnail.
  bool isWaiting(const std::filesystem::path& path) const;

 private:
  struct Cell {
    QPixmap thumbnail;
    ThumbnailLoader::Request request;
  };

  ThumbnailLoader& loader_;
  double pointSize_;
  std::function<void(const std::filesystem::path&)> updated_;
  QColor outline_;
  std::unordered_map<std::string, Cell> cells_;
};

}  // namespace tavorin::ui
