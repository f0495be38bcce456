#include "ui/folderpreview/message_views.hpp"

#include <QPainter>
#include <QVBoxLayout>
#include <cmath>

#include "ui/folderpreview/preview_style.hpp"
#include "ui/folderpreview/preview_symbols.hpp"

namespace tavorin::ui {

namespace {

constexpr int spokes = 12;

void useSecondaryText(QLabel& label) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, style::secondaryText(palette));
  label.setPalette(palette);
}

}  // namespace

// --- BusyIndicator ---

BusyIndicator::BusyIndicator(int diameter, QWidget* parent) : QWidget(parent), diameter_(diameter) {
  setFixedSize(diameter, diameter);
  timer_.setInterval(1000 / spokes);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] {
    step_ = (step_ + 1) % spokes;
    update();
  });
}

void BusyIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width() / 2.0, height() / 2.0);
  const double outer = diameter_ / 2.0;
  const double inner = outer * 0.48;
  const double thickness = std::max(1.2, diameter_ / 11.0);
  QColor ink = palette().color(QPalette::Active, QPalette::WindowText);
  const double strength = ink.alphaF();
  for (int i = 0; i < spokes; ++i) {
    // The spoke at the current step is darkest; the ones behind it fade out.
    const int age = (step_ - i + spokes) % spokes;
    ink.setAlphaF(static_cast<float>(strength * (0.85 - 0.6 * age / (spokes - 1))));
    const double angle = 2 * M_PI * i / spokes;
    const QPointF direction(std::sin(angle), -std::cos(angle));
    painter.setPen(QPen(ink, thickness, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + direction * inner, centre + direction * (outer - thickness / 2));
  }
}

void BusyIndicator::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  timer_.start();
}

void BusyIndicator::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_.stop();
}

// --- LoadingView ---

LoadingView::LoadingView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(8);
  layout->addStretch(1);
  auto* indicator = new BusyIndicator(24, this);
  layout->addWidget(indicator, 0, Qt::AlignHCenter);
  label_ = new QLabel(this);
  label_->setFont(style::subheadline());
  label_->setAlignment(Qt::AlignHCenter);
  useSecondaryText(*label_);
  layout->addWidget(label_, 0, Qt::AlignHCenter);
  layout->addStretch(1);
}

void LoadingView::setText(const std::string& text) {
  label_->setText(QString::fromStdString(text));
}

// --- MessageView ---

class MessageView::SymbolImage final : public QWidget {
 public:
  explicit SymbolImage(QWidget* parent) : QWidget(parent) { setFixedSize(40, 40); }
  std::string symbol;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintSymbol(painter, symbol, QRectF(rect()), style::secondaryText(palette()));
  }
};

MessageView::MessageView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 24, 24, 24);
  layout->setSpacing(10);
  layout->addStretch(1);
  image_ = new SymbolImage(this);
  layout->addWidget(image_, 0, Qt::AlignHCenter);
  label_ = new QLabel(this);
  label_->setFont(style::body());
  label_->setAlignment(Qt::AlignHCenter);
  label_->setWordWrap(true);
  label_->setTextFormat(Qt::PlainText);
  useSecondaryText(*label_);
  layout->addWidget(label_);
  layout->addStretch(1);
}

void MessageView::setMessage(const std::string& symbol, const std::string& text) {
  symbol_ = symbol;
  image_->symbol = symbol;
  image_->update();
  label_->setText(QString::fromStdString(text));
}

}  // namespace tavorin::ui
