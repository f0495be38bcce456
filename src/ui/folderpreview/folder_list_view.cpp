#include "ui/folderpreview/folder_list_view.hpp"

#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "folderpreview/byte_count_format.hpp"
#include "localization/localizer.hpp"
#include "ui/folderpreview/modified_date_format.hpp"
#include "ui/folderpreview/preview_style.hpp"
#include "ui/folderpreview/preview_symbols.hpp"

namespace tavorin::ui {

namespace {

using SortKey = FolderPreviewModel::SortKey;

constexpr int headerVerticalPadding = 5;
constexpr int chevronSize = 8;
constexpr int chevronGap = 4;

QString qstring(const std::string& text) {
  return QString::fromStdString(text);
}

// A plain widget that reports its resizes.
class HeaderRow final : public QWidget {
 public:
  explicit HeaderRow(QWidget* parent) : QWidget(parent) {}
  std::function<void()> resized;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (resized) resized();
  }
};

}  // namespace

ListColumns ListColumns::forWidth(int contentWidth) {
  ListColumns columns;
  columns.nameX = thumbnailSize + spacing;
  const int tail = spacing + sizeWidth;
  const int withModified = tail + spacing + modifiedWidth;
  const int withKind = withModified + spacing + kindWidth;
  const int room = contentWidth - columns.nameX;
  int used = tail;
  bool showModified = false;
  bool showKind = false;
  if (room - withKind >= minimumNameWidth) {
    used = withKind;
    showModified = showKind = true;
  } else if (room - withModified >= minimumNameWidth) {
    used = withModified;
    showModified = true;
  }
  columns.nameWidth = std::max(0, room - used);
  int x = columns.nameX + columns.nameWidth + spacing;
  if (showModified) {
    columns.modifiedX = x;
    x += modifiedWidth + spacing;
  }
  columns.sizeX = x;
  x += sizeWidth + spacing;
  if (showKind) columns.kindX = x;
  return columns;
}

// --- ColumnHeaderButton ---

ColumnHeaderButton::ColumnHeaderButton(SortKey key, Qt::Alignment alignment, QWidget* parent)
    : QAbstractButton(parent), key_(key), alignment_(alignment) {
  setFocusPolicy(Qt::NoFocus);
  setFont(style::captionSemibold());
  setCursor(Qt::PointingHandCursor);
}

void ColumnHeaderButton::setIndicator(Indicator indicator) {
  if (indicator == indicator_) return;
  indicator_ = indicator;
  update();
}

std::string ColumnHeaderButton::indicatorSymbol() const {
  switch (indicator_) {
    case Indicator::ascending:
      return "chevron.up";
    case Indicator::descending:
      return "chevron.down";
    case Indicator::none:
      break;
  }
  return {};
}

QSize ColumnHeaderButton::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(text()) + chevronGap + chevronSize, metrics.height()};
}

void ColumnHeaderButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor color = style::secondaryText(palette());
  const QFontMetrics metrics(font());
  const std::string symbol = indicatorSymbol();
  const int indicatorWidth = symbol.empty() ? 0 : chevronGap + chevronSize;
  const int textRoom = std::max(0, width() - indicatorWidth);
  const QString title = metrics.elidedText(text(), Qt::ElideRight, textRoom);
  const int textWidth = metrics.horizontalAdvance(title);
  const int left = alignment_.testFlag(Qt::AlignRight) ? width() - textWidth - indicatorWidth : 0;
  painter.setPen(isDown() ? color.darker(140) : color);
  painter.drawText(QRect(left, 0, textWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, title);
  if (!symbol.empty()) {
    const QRectF box(left + textWidth + chevronGap, (height() - chevronSize) / 2.0, chevronSize,
                     chevronSize);
    paintSymbol(painter, symbol, box, color);
  }
}

// --- FolderListArea ---

FolderListArea::FolderListArea(const Platform& platform, ThumbnailLoader& loader, QWidget* parent)
    : ItemArea(parent),
      thumbnails_(loader, ListColumns::thumbnailSize,
                  [this](const std::filesystem::path& path) { updateItem(path); }),
      childCounts_(platform.runLoop, platform.executor,
                   [this](const std::filesystem::path& path) { updateItem(path); }) {
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setFont(style::rowFont());
  connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
    // The scroll bar takes width from the rows when it appears.
    if (viewport()->width() != width_) layoutCells(viewport()->width());
  });
}

FolderListArea::RowTexts FolderListArea::rowTexts(std::size_t index) {
  RowTexts texts;
  if (index >= items().size()) return texts;
  const FolderItem& item = items()[index];
  const std::string language(Localizer::currentLanguage().code);
  texts.name = item.name;
  texts.modified = item.modified ? formatModifiedDate(*item.modified, language) : "—";
  if (item.size) {
    texts.size = formatByteCount(*item.size, language);
  } else if (!item.isDirectory) {
    texts.size = "—";
  } else if (auto count = childCounts_.count(item.url)) {
    texts.size = L("%d items", *count);
  } else {
    texts.size = "…";
  }
  texts.kind = item.kind;
  texts.dimmed = item.isHidden;
  return texts;
}

QRect FolderListArea::cellRect(std::size_t index) const {
  return {0, static_cast<int>(index) * rowHeight, width_, rowHeight};
}

void FolderListArea::layoutCells(int width) {
  const bool changed = width != width_;
  width_ = width;
  columns_ = ListColumns::forWidth(width - 2 * ListColumns::sidePadding);
  if (changed && columnsChanged_) columnsChanged_();
}

int FolderListArea::contentHeight() const {
  return static_cast<int>(items().size()) * rowHeight;
}

std::pair<std::size_t, std::size_t> FolderListArea::candidates(int top, int bottom) const {
  const int first = std::max(0, top / rowHeight);
  const int last = std::max(first, bottom / rowHeight + 1);
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(last)};
}

void FolderListArea::paintCell(QPainter& painter, std::size_t index, const QRect& rect) {
  // Every second row is banded, as tables are.
  if (index % 2 == 1) painter.fillRect(rect, style::alternateRow(palette()));

  const FolderItem& item = items()[index];
  const RowTexts texts = rowTexts(index);
  const QRect content = rect.adjusted(ListColumns::sidePadding, 3, -ListColumns::sidePadding, -3);
  const ListColumns& columns = columns_;
  const QRectF thumbnail(content.x(), content.center().y() + 1 - ListColumns::thumbnailSize / 2.0,
                         ListColumns::thumbnailSize, ListColumns::thumbnailSize);
  thumbnails_.paint(painter, thumbnail, item, devicePixelRatioF());

  const QColor primary = palette().color(QPalette::Active, QPalette::Text);
  const QColor secondary = style::secondaryText(palette());
  const QColor ink = texts.dimmed ? secondary : primary;
  const QFontMetrics metrics(font());
  painter.setFont(font());
  auto column = [&](int x, int width, const std::string& text, Qt::TextElideMode elide,
                    Qt::Alignment alignment, const QColor& color) {
    if (width <= 0) return;
    const QRect box(content.x() + x, rect.y(), width, rect.height());
    painter.setPen(color);
    painter.drawText(box, alignment | Qt::AlignVCenter,
                     metrics.elidedText(qstring(text), elide, width));
  };
  column(columns.nameX, columns.nameWidth, texts.name, Qt::ElideMiddle, Qt::AlignLeft, ink);
  if (columns.modifiedX) {
    column(*columns.modifiedX, ListColumns::modifiedWidth, texts.modified, Qt::ElideRight,
           Qt::AlignLeft, ink);
  }
  column(columns.sizeX, ListColumns::sizeWidth, texts.size, Qt::ElideRight, Qt::AlignRight,
         secondary);
  if (columns.kindX) {
    column(*columns.kindX, ListColumns::kindWidth, texts.kind, Qt::ElideRight, Qt::AlignLeft, ink);
  }
}

void FolderListArea::retainCells(const std::unordered_set<std::string>& onScreen) {
  thumbnails_.retain(onScreen);
  childCounts_.retain(onScreen);
}

// --- FolderListView ---

FolderListView::FolderListView(std::shared_ptr<FolderPreviewModel> model, const Platform& platform,
                               ThumbnailLoader& loader, QWidget* parent)
    : QWidget(parent), model_(std::move(model)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* headerRow = new HeaderRow(this);
  headerRow_ = headerRow;
  headerRow->setFixedHeight(QFontMetrics(style::captionSemibold()).height() +
                            2 * headerVerticalPadding);
  for (SortKey key : FolderPreviewModel::allSortKeys) {
    const Qt::Alignment alignment = key == SortKey::size ? Qt::AlignRight : Qt::AlignLeft;
    auto* button = new ColumnHeaderButton(key, alignment, headerRow);
    connect(button, &QAbstractButton::clicked, this, [this, key] { model_->toggleSort(key); });
    headerButtons_[static_cast<std::size_t>(key)] = button;
  }
  layout->addWidget(headerRow);

  auto* divider = new QWidget(this);
  divider->setFixedHeight(1);
  divider->setAutoFillBackground(true);
  QPalette dividerPalette = divider->palette();
  dividerPalette.setColor(QPalette::Window, style::divider(palette()));
  divider->setPalette(dividerPalette);
  layout->addWidget(divider);

  area_ = new FolderListArea(platform, loader, this);
  layout->addWidget(area_, 1);

  headerRow->resized = [this] { placeHeaderButtons(); };
  area_->setColumnsChanged([this] { placeHeaderButtons(); });
  refresh();
}

ColumnHeaderButton& FolderListView::headerButton(SortKey key) {
  return *headerButtons_[static_cast<std::size_t>(key)];
}

void FolderListView::refresh() {
  for (ColumnHeaderButton* button : headerButtons_) {
    button->setText(qstring(FolderPreviewModel::title(button->key())));
    using Indicator = ColumnHeaderButton::Indicator;
    button->setIndicator(button->key() != model_->sortKey() ? Indicator::none
                         : model_->ascending()              ? Indicator::ascending
                                                            : Indicator::descending);
  }
  area_->setItems(model_->items());
  placeHeaderButtons();
}

void FolderListView::placeHeaderButtons() {
  const ListColumns columns = area_->columns();
  const int left = ListColumns::sidePadding;
  const int height = headerRow_->height();
  auto place = [&](SortKey key, std::optional<int> x, int width) {
    ColumnHeaderButton& button = headerButton(key);
    button.setVisible(x.has_value() && width > 0);
    if (x) button.setGeometry(left + *x, 0, width, height);
  };
  place(SortKey::name, columns.nameX, columns.nameWidth);
  place(SortKey::modified, columns.modifiedX, ListColumns::modifiedWidth);
  place(SortKey::size, columns.sizeX, ListColumns::sizeWidth);
  place(SortKey::kind, columns.kindX, ListColumns::kindWidth);
}

}  // namespace tavorin::ui
