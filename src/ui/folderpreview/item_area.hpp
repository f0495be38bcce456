#pragma once

#include <QAbstractScrollArea>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "folderpreview/folder_item.hpp"

namespace tavorin::ui {

// A vertically scrolling area of item cells that builds only what is on screen: cells are drawn
// as they come into view, and cells that leave it are told so that they drop their work.
class ItemArea : public QAbstractScrollArea {
 public:
  explicit ItemArea(QWidget* parent = nullptr);

  // Shows `items` in their order. The scroll position stays where it is, as far as it can.
  void setItems(const std::vector<FolderItem>& items);
  const std::vector<FolderItem>& items() const { return items_; }

  // The cell of item `index`, in content coordinates (the top of the content is 0).
  virtual QRect cellRect(std::size_t index) const = 0;
  // Items whose cells are at least partly on screen, in order.
  std::vector<std::size_t> visibleIndexes() const;
  // The item under `point` of the viewport.
  std::optional<std::size_t> indexAt(QPoint point) const;
  // Scrolls so that item `index` is on screen.
  void scrollToIndex(std::size_t index);

 protected:
  // Places the cells for a viewport `width` pixels wide.
  virtual void layoutCells(int width) = 0;
  virtual int contentHeight() const = 0;
  // Items that may meet the content rows `top` to `bottom`: [first, last).
  virtual std::pair<std::size_t, std::size_t> candidates(int top, int bottom) const = 0;
  virtual void paintCell(QPainter& painter, std::size_t index, const QRect& rect) = 0;
  // Called after drawing with the paths of the items on screen.
  virtual void retainCells(const std::unordered_set<std::string>& onScreen) = 0;
  // The items were replaced.
  virtual void itemsChanged() {}

  // Draws the cell of `path` again, if it is shown.
  void updateItem(const std::filesystem::path& path);
  // Lays the cells out again for the current width.
  void relayout();

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool viewportEvent(QEvent* event) override;

 private:
  std::vector<FolderItem> items_;
  std::unordered_map<std::string, std::size_t> indexOfPath_;
};

}  // namespace tavorin::ui
