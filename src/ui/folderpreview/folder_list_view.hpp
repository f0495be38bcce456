#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "folderpreview/folder_preview_model.hpp"
#include "platform/platform.hpp"
#include "ui/folderpreview/child_counts.hpp"
#include "ui/folderpreview/item_area.hpp"
#include "ui/folderpreview/thumbnail_cells.hpp"

namespace tavorin::ui {

// Where the list's columns sit within a row's content (the row less its side padding). The
// name takes what the fixed columns leave; when that gets too narrow the kind column, then the
// date column, make room.
struct ListColumns {
  static constexpr int thumbnailSize = 20;
  static constexpr int spacing = 8;
  static constexpr int modifiedWidth = 150;
  static constexpr int sizeWidth = 80;
  static constexpr int kindWidth = 130;
  static constexpr int minimumNameWidth = 110;
  // Rows and the header are padded this much on both sides.
  static constexpr int sidePadding = 14;

  int nameX = 0;
  int nameWidth = 0;
  std::optional<int> modifiedX;
  int sizeX = 0;
  std::optional<int> kindX;

  static ListColumns forWidth(int contentWidth);
};

// A column title of the list; pressing it sorts by its column. Shows a chevron for the
// direction while its column is the sort key.
class ColumnHeaderButton final : public QAbstractButton {
 public:
  enum class Indicator { none, ascending, descending };

  ColumnHeaderButton(FolderPreviewModel::SortKey key, Qt::Alignment alignment,
                     QWidget* parent = nullptr);
  FolderPreviewModel::SortKey key() const { return key_; }
  void setIndicator(Indicator indicator);
  Indicator indicator() const { return indicator_; }
  // The symbol drawn beside the title ("chevron.up", "chevron.down"), empty without one.
  std::string indicatorSymbol() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  FolderPreviewModel::SortKey key_;
  Qt::Alignment alignment_;
  Indicator indicator_ = Indicator::none;
};

// The rows of the list, built as they scroll into view.
class FolderListArea final : public ItemArea {
 public:
  static constexpr int rowHeight = ListColumns::thumbnailSize + 2 * 3;

  // What a row shows, in the current interface language.
  struct RowTexts {
    std::string name;
    std::string modified;
    std::string size;
    std::string kind;
    // Hidden items are written in the secondary colour.
    bool dimmed = false;
  };

  FolderListArea(const Platform& platform, ThumbnailLoader& loader, QWidget* parent = nullptr);

  RowTexts rowTexts(std::size_t index);
  ThumbnailCells& thumbnails() { return thumbnails_; }
  ListColumns columns() const { return columns_; }
  // Runs whenever the columns moved (the width changed, the scroll bar came or went).
  void setColumnsChanged(std::function<void()> changed) { columnsChanged_ = std::move(changed); }

  QRect cellRect(std::size_t index) const override;

 protected:
  void layoutCells(int width) override;
  int contentHeight() const override;
  std::pair<std::size_t, std::size_t> candidates(int top, int bottom) const override;
  void paintCell(QPainter& painter, std::size_t index, const QRect& rect) override;
  void retainCells(const std::unordered_set<std::string>& onScreen) override;

 private:
  ThumbnailCells thumbnails_;
  ChildCounts childCounts_;
  ListColumns columns_;
  int width_ = 0;
  std::function<void()> columnsChanged_;
};

// The list layout: a row of column titles that sort, a divider and the rows.
class FolderListView final : public QWidget {
 public:
  FolderListView(std::shared_ptr<FolderPreviewModel> model, const Platform& platform,
                 ThumbnailLoader& loader, QWidget* parent = nullptr);

  // Takes the model's items and sort order.
  void refresh();

  FolderListArea& area() { return *area_; }
  ColumnHeaderButton& headerButton(FolderPreviewModel::SortKey key);

 private:
  void placeHeaderButtons();

  std::shared_ptr<FolderPreviewModel> model_;
  QWidget* headerRow_;
  std::array<ColumnHeaderButton*, 4> headerButtons_{};
  FolderListArea* area_;
};

}  // namespace tavorin::ui
