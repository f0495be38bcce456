#include "ui/folderpreview/header_view.hpp"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "localization/localizer.hpp"
#include "ui/folderpreview/message_views.hpp"
#include "ui/folderpreview/preview_style.hpp"
#include "ui/folderpreview/preview_symbols.hpp"

namespace tavorin::ui {

namespace {

using Model = FolderPreviewModel;

constexpr int iconSize = 44;
constexpr int controlHeight = 26;

QString qstring(const std::string& text) {
  return QString::fromStdString(text);
}

// The folder's icon, drawn at its size on any screen.
class IconImage final : public QWidget {
 public:
  explicit IconImage(QWidget* parent) : QWidget(parent) { setFixedSize(iconSize, iconSize); }
  QIcon icon;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    icon.paint(&painter, rect());
  }
};

void useSecondaryText(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, style::secondaryText(palette));
  widget.setPalette(palette);
}

ElidedLabel* secondaryLabel(QWidget* parent) {
  auto* label = new ElidedLabel(Qt::ElideRight, parent);
  label->setFont(style::subheadline());
  useSecondaryText(*label);
  return label;
}

QToolButton* symbolButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIconSize(QSize(15, 15));
  button->setFixedSize(controlHeight + 4, controlHeight);
  return button;
}

}  // namespace

// --- ElidedLabel ---

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QWidget(parent), mode_(mode) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  updateGeometry();
  update();
}

QSize ElidedLabel::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(text_), metrics.height()};
}

QSize ElidedLabel::minimumSizeHint() const {
  const QFontMetrics metrics(font());
  return {std::min(metrics.horizontalAdvance(text_),
                   metrics.horizontalAdvance(QStringLiteral("…")) * 3),
          metrics.height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(text_, mode_, width()));
}

// --- SegmentedControl ---

SegmentedControl::SegmentedControl(std::vector<std::string> symbols, QWidget* parent)
    : QWidget(parent), symbols_(std::move(symbols)) {
  setFocusPolicy(Qt::NoFocus);
}

void SegmentedControl::setSelectedIndex(int index) {
  if (index == selected_) return;
  selected_ = index;
  update();
}

QRect SegmentedControl::segmentRect(int index) const {
  const int count = std::max<int>(1, static_cast<int>(symbols_.size()));
  const int left = width() * index / count;
  const int right = width() * (index + 1) / count;
  return {left, 0, right - left, height()};
}

void SegmentedControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const QPalette& colors = palette();
  QPainterPath outline;
  outline.addRoundedRect(frame, 5, 5);
  painter.fillPath(outline, colors.color(QPalette::Button));
  painter.save();
  painter.setClipPath(outline);
  QColor chosen = colors.color(QPalette::Highlight);
  chosen.setAlphaF(0.22f);
  painter.fillRect(segmentRect(selected_), chosen);
  painter.restore();
  QColor edge = colors.color(QPalette::WindowText);
  edge.setAlphaF(0.25f);
  painter.setPen(QPen(edge, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(outline);
  for (int i = 1; i < static_cast<int>(symbols_.size()); ++i) {
    const double x = segmentRect(i).left() + 0.5;
    painter.drawLine(QPointF(x, frame.top() + 4), QPointF(x, frame.bottom() - 4));
  }
  for (int i = 0; i < static_cast<int>(symbols_.size()); ++i) {
    const QRect segment = segmentRect(i);
    const QRectF glyph(segment.center().x() + 1 - 7.5, segment.center().y() + 1 - 7.5, 15, 15);
    paintSymbol(painter, symbols_[static_cast<std::size_t>(i)], glyph,
                colors.color(QPalette::ButtonText));
  }
}

void SegmentedControl::mousePressEvent(QMouseEvent* event) {
  for (int i = 0; i < static_cast<int>(symbols_.size()); ++i) {
    if (!segmentRect(i).contains(event->position().toPoint())) continue;
    if (i != selected_) {
      setSelectedIndex(i);
      if (onSelected) onSelected(i);
    }
    return;
  }
}

// --- HeaderView ---

HeaderView::HeaderView(std::shared_ptr<FolderPreviewModel> model, ThumbnailLoader& loader,
                       QWidget* parent)
    : QWidget(parent), model_(std::move(model)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(14, 10, 14, 10);
  row->setSpacing(12);

  auto* icon = new IconImage(this);
  icon->icon = loader.icon(model_->folderURL());
  icon_ = icon;
  row->addWidget(icon, 0, Qt::AlignVCenter);

  auto* texts = new QWidget(this);
  texts->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  auto* column = new QVBoxLayout(texts);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  name_ = new ElidedLabel(Qt::ElideMiddle, texts);
  name_->setFont(style::headline());
  column->addWidget(name_);
  auto* details = new QHBoxLayout();
  details->setSpacing(6);
  count_ = secondaryLabel(texts);
  details->addWidget(count_);
  measuring_ = new QWidget(texts);
  auto* measuringRow = new QHBoxLayout(measuring_);
  measuringRow->setContentsMargins(0, 0, 0, 0);
  measuringRow->setSpacing(5);
  auto* dot = new QLabel(QStringLiteral("·"), measuring_);
  dot->setFont(style::subheadline());
  useSecondaryText(*dot);
  measuringRow->addWidget(dot);
  auto* busy = new BusyIndicator(11, measuring_);
  useSecondaryText(*busy);
  measuringRow->addWidget(busy);
  measuringText_ = secondaryLabel(measuring_);
  measuringRow->addWidget(measuringText_);
  details->addWidget(measuring_);
  size_ = secondaryLabel(texts);
  details->addWidget(size_);
  details->addStretch(1);
  column->addLayout(details);
  row->addWidget(texts, 0, Qt::AlignVCenter);

  row->addSpacerItem(new QSpacerItem(8, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));

  sortPicker_ = new QComboBox(this);
  sortPicker_->setFocusPolicy(Qt::NoFocus);
  // 130 wide, giving up some of it only when the preview is at its narrowest.
  sortPicker_->setFixedHeight(controlHeight);
  sortPicker_->setMinimumWidth(100);
  sortPicker_->setMaximumWidth(130);
  sortPicker_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  sortPicker_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  sortPicker_->setMinimumContentsLength(14);
  for (Model::SortKey key : Model::allSortKeys)
    sortPicker_->addItem(qstring(Model::title(key)));
  connect(sortPicker_, &QComboBox::activated, this, [this](int index) {
    if (index >= 0 && index < static_cast<int>(Model::allSortKeys.size()))
      model_->setSortKey(Model::allSortKeys[static_cast<std::size_t>(index)]);
  });
  row->addWidget(sortPicker_, 0, Qt::AlignVCenter);

  ascending_ = symbolButton(this);
  connect(ascending_, &QToolButton::clicked, this,
          [this] { model_->setAscending(!model_->ascending()); });
  row->addWidget(ascending_, 0, Qt::AlignVCenter);

  hidden_ = symbolButton(this);
  connect(hidden_, &QToolButton::clicked, this,
          [this] { model_->setShowHidden(!model_->showHidden()); });
  row->addWidget(hidden_, 0, Qt::AlignVCenter);

  layoutPicker_ = new SegmentedControl({"list.bullet", "square.grid.2x2"}, this);
  layoutPicker_->setFixedSize(80, controlHeight);
  layoutPicker_->onSelected = [this](int index) {
    model_->setLayout(index == 1 ? Model::Layout::grid : Model::Layout::list);
  };
  row->addWidget(layoutPicker_, 0, Qt::AlignVCenter);

  refresh();
}

void HeaderView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  icon_->setVisible(width() >= iconlessWidth);
}

QString HeaderView::sizeText() const {
  if (showsMeasuring()) return QStringLiteral("· ") + measuringText_->text();
  return size_->isVisibleTo(this) ? size_->text() : QString();
}

bool HeaderView::showsMeasuring() const {
  return measuring_->isVisibleTo(this);
}

void HeaderView::refresh() {
  name_->setText(qstring(model_->folderName()));
  count_->setText(qstring(model_->countLine()));
  count_->setVisible(!count_->text().isEmpty());

  const Model::SizeLabel label = model_->sizeLabel();
  measuring_->setVisible(label.form == Model::SizeLabel::Form::measuring);
  measuringText_->setText(qstring(label.text));
  size_->setVisible(label.form == Model::SizeLabel::Form::summary);
  size_->setText(label.form == Model::SizeLabel::Form::summary ? qstring(label.text) : QString());
  size_->setToolTip(qstring(label.tooltip));

  {
    const QSignalBlocker blocker(sortPicker_);
    for (std::size_t i = 0; i < Model::allSortKeys.size(); ++i)
      sortPicker_->setItemText(static_cast<int>(i), qstring(Model::title(Model::allSortKeys[i])));
    for (std::size_t i = 0; i < Model::allSortKeys.size(); ++i) {
      if (Model::allSortKeys[i] == model_->sortKey())
        sortPicker_->setCurrentIndex(static_cast<int>(i));
    }
  }
  sortPicker_->setToolTip(qstring(L("Sort by")));
  sortPicker_->setAccessibleName(qstring(L("Sort")));

  const bool ascending = model_->ascending();
  ascending_->setIcon(symbolIcon(ascending ? "arrow.up" : "arrow.down"));
  ascending_->setToolTip(qstring(L(ascending ? "Ascending" : "Descending")));
  ascending_->setAccessibleName(ascending_->toolTip());

  const bool showHidden = model_->showHidden();
  hidden_->setIcon(symbolIcon(showHidden ? "eye" : "eye.slash"));
  hidden_->setToolTip(qstring(L(showHidden ? "Hide hidden files" : "Show hidden files")));
  hidden_->setAccessibleName(hidden_->toolTip());

  layoutPicker_->setSelectedIndex(model_->layout() == Model::Layout::grid ? 1 : 0);
  layoutPicker_->setToolTip(qstring(L("List / grid")));
  layoutPicker_->setAccessibleName(qstring(L("View")));
}

}  // namespace tavorin::ui
