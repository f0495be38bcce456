#include "ui/folderpreview/folder_grid_view.hpp"

#include <QPainter>
#include <QTextLayout>

#include "ui/folderpreview/preview_style.hpp"

namespace tavorin::ui {

namespace {

// `text` broken into at most two lines of `width`: what does not fit on the second line loses
// its middle, so that the end of a name (its extension) stays in sight.
QStringList twoLines(const QString& text, const QFont& font, int width) {
  const QFontMetrics metrics(font);
  QTextLayout layout(text, font);
  QTextOption option(Qt::AlignHCenter);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  QStringList lines;
  int secondStart = -1;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    if (lines.size() == 1) {
      secondStart = line.textStart();
      break;
    }
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  if (secondStart >= 0) {
    lines << metrics.elidedText(text.mid(secondStart).trimmed(), Qt::ElideMiddle, width);
  }
  return lines;
}

}  // namespace

FolderGridView::FolderGridView(ThumbnailLoader& loader, QWidget* parent)
    : ItemArea(parent),
      thumbnails_(loader, thumbnailSize,
                  [this](const std::filesystem::path& path) { updateItem(path); }) {
  viewport()->setBackgroundRole(QPalette::Window);
  viewport()->setAutoFillBackground(true);
  setFont(style::caption());
  thumbnails_.setOutline(style::divider(palette()));
  lineHeight_ = QFontMetrics(font()).lineSpacing();
  cellHeight_ = thumbnailFrameHeight + stackSpacing + 2 * lineHeight_;
}

QStringList FolderGridView::nameLines(std::size_t index) const {
  if (index >= items().size()) return {};
  return twoLines(QString::fromStdString(items()[index].name), font(), columnWidth_);
}

double FolderGridView::cellOpacity(std::size_t index) const {
  if (index >= items().size()) return 1.0;
  return items()[index].isHidden ? style::hiddenCellOpacity : 1.0;
}

QRect FolderGridView::cellRect(std::size_t index) const {
  const int row = static_cast<int>(index) / columns_;
  const int column = static_cast<int>(index) % columns_;
  return {left_ + column * (columnWidth_ + columnSpacing),
          padding + row * (cellHeight_ + rowSpacing), columnWidth_, cellHeight_};
}

void FolderGridView::layoutCells(int width) {
  // As many columns of the least width as fit; they share the room, up to their largest
  // width, and the grid is centred in what is left.
  const int room = std::max(1, width - 2 * padding);
  columns_ = std::max(1, (room + columnSpacing) / (minimumColumnWidth + columnSpacing));
  columnWidth_ = std::min(maximumColumnWidth, (room - (columns_ - 1) * columnSpacing) / columns_);
  columnWidth_ = std::max(1, columnWidth_);
  const int gridWidth = columns_ * columnWidth_ + (columns_ - 1) * columnSpacing;
  left_ = std::max(padding, (width - gridWidth) / 2);
}

int FolderGridView::rowCount() const {
  return (static_cast<int>(items().size()) + columns_ - 1) / columns_;
}

int FolderGridView::contentHeight() const {
  const int rows = rowCount();
  if (rows == 0) return 0;
  return 2 * padding + rows * cellHeight_ + (rows - 1) * rowSpacing;
}

std::pair<std::size_t, std::size_t> FolderGridView::candidates(int top, int bottom) const {
  const int stride = cellHeight_ + rowSpacing;
  const int firstRow = std::max(0, (top - padding) / stride);
  const int lastRow = std::max(firstRow, (bottom - padding) / stride + 1);
  return {static_cast<std::size_t>(firstRow * columns_),
          static_cast<std::size_t>(lastRow * columns_)};
}

void FolderGridView::paintCell(QPainter& painter, std::size_t index, const QRect& rect) {
  const FolderItem& item = items()[index];
  painter.save();
  painter.setOpacity(cellOpacity(index));
  const QRectF picture(rect.center().x() + 1 - thumbnailSize / 2.0,
                       rect.top() + (thumbnailFrameHeight - thumbnailSize) / 2.0, thumbnailSize,
                       thumbnailSize);
  thumbnails_.paint(painter, picture, item, devicePixelRatioF());

  painter.setFont(font());
  painter.setPen(palette().color(QPalette::Active, QPalette::WindowText));
  int y = rect.top() + thumbnailFrameHeight + stackSpacing;
  for (const QString& line : nameLines(index)) {
    painter.drawText(QRect(rect.left(), y, rect.width(), lineHeight_),
                     Qt::AlignHCenter | Qt::AlignTop, line);
    y += lineHeight_;
  }
  painter.restore();
}

void FolderGridView::retainCells(const std::unordered_set<std::string>& onScreen) {
  thumbnails_.retain(onScreen);
}

}  // namespace tavorin::ui
