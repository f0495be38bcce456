#include "ui/folderpreview/item_area.hpp"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

namespace tavorin::ui {

ItemArea::ItemArea(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(false);
}

void ItemArea::setItems(const std::vector<FolderItem>& items) {
  if (items == items_) return;
  items_ = items;
  indexOfPath_.clear();
  indexOfPath_.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i)
    indexOfPath_.emplace(items_[i].url.string(), i);
  itemsChanged();
  relayout();
  viewport()->update();
}

void ItemArea::relayout() {
  layoutCells(viewport()->width());
  QScrollBar* bar = verticalScrollBar();
  const int page = viewport()->height();
  bar->setRange(0, std::max(0, contentHeight() - page));
  bar->setPageStep(page);
  bar->setSingleStep(24);
}

std::vector<std::size_t> ItemArea::visibleIndexes() const {
  const int top = verticalScrollBar()->value();
  const QRect screen(0, top, viewport()->width(), viewport()->height());
  std::vector<std::size_t> result;
  const auto [first, last] = candidates(screen.top(), screen.bottom());
  for (std::size_t i = first; i < std::min(last, items_.size()); ++i) {
    if (cellRect(i).intersects(screen)) result.push_back(i);
  }
  return result;
}

std::optional<std::size_t> ItemArea::indexAt(QPoint point) const {
  const QPoint content = point + QPoint(0, verticalScrollBar()->value());
  const auto [first, last] = candidates(content.y(), content.y());
  for (std::size_t i = first; i < std::min(last, items_.size()); ++i) {
    if (cellRect(i).contains(content)) return i;
  }
  return std::nullopt;
}

void ItemArea::scrollToIndex(std::size_t index) {
  if (index >= items_.size()) return;
  const QRect rect = cellRect(index);
  QScrollBar* bar = verticalScrollBar();
  if (rect.top() < bar->value()) {
    bar->setValue(rect.top());
  } else if (rect.bottom() > bar->value() + viewport()->height()) {
    bar->setValue(rect.bottom() - viewport()->height() + 1);
  }
}

void ItemArea::updateItem(const std::filesystem::path& path) {
  auto it = indexOfPath_.find(path.string());
  if (it == indexOfPath_.end()) return;
  viewport()->update(cellRect(it->second).translated(0, -verticalScrollBar()->value()));
}

void ItemArea::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int top = verticalScrollBar()->value();
  const QRect exposed = event->rect().translated(0, top);
  painter.translate(0, -top);
  const auto [first, last] = candidates(exposed.top(), exposed.bottom());
  for (std::size_t i = first; i < std::min(last, items_.size()); ++i) {
    const QRect rect = cellRect(i);
    if (rect.intersects(exposed)) paintCell(painter, i, rect);
  }
  painter.end();

  std::unordered_set<std::string> onScreen;
  for (std::size_t i : visibleIndexes())
    onScreen.insert(items_[i].url.string());
  retainCells(onScreen);
}

void ItemArea::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  relayout();
}

void ItemArea::scrollContentsBy(int, int) {
  viewport()->update();
}

bool ItemArea::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (auto index = indexAt(help->pos())) {
      const QRect cell = cellRect(*index).translated(0, -verticalScrollBar()->value());
      QToolTip::showText(help->globalPos(), QString::fromStdString(items_[*index].name), viewport(),
                         cell);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace tavorin::ui
