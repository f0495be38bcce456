#pragma once

#include <QStringList>

#include "ui/folderpreview/item_area.hpp"
#include "ui/folderpreview/thumbnail_cells.hpp"

namespace tavorin::ui {

// The grid layout: thumbnails with their names in adaptive columns, built as they scroll into
// view. Hidden items are faded.
class FolderGridView final : public ItemArea {
 public:
  static constexpr int thumbnailSize = 72;
  static constexpr int thumbnailFrameHeight = 76;
  static constexpr int stackSpacing = 6;
  static constexpr int rowSpacing = 14;
  static constexpr int padding = 14;
  static constexpr int minimumColumnWidth = 104;
  static constexpr int maximumColumnWidth = 132;
  static constexpr int columnSpacing = 12;

  explicit FolderGridView(ThumbnailLoader& loader, QWidget* parent = nullptr);

  int columnCount() const { return columns_; }
  int columnWidth() const { return columnWidth_; }
  // The name under a cell's picture: one or two lines, the middle of what does not fit left out.
  QStringList nameLines(std::size_t index) const;
  double cellOpacity(std::size_t index) const;
  ThumbnailCells& thumbnails() { return thumbnails_; }

  QRect cellRect(std::size_t index) const override;

 protected:
  void layoutCells(int width) override;
  int contentHeight() const override;
  std::pair<std::size_t, std::size_t> candidates(int top, int bottom) const override;
  void paintCell(QPainter& painter, std::size_t index, const QRect& rect) override;
  void retainCells(const std::unordered_set<std::string>& onScreen) override;

 private:
  int rowCount() const;

  ThumbnailCells thumbnails_;
  int columns_ = 1;
  int columnWidth_ = minimumColumnWidth;
  int left_ = padding;
  int cellHeight_ = 0;
  int lineHeight_ = 0;
};

}  // namespace tavorin::ui
