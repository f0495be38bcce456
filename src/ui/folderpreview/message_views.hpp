#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <string>

namespace tavorin::ui {

// A spinning busy indicator of `diameter` pixels; it turns only while shown.
class BusyIndicator final : public QWidget {
 public:
  explicit BusyIndicator(int diameter, QWidget* parent = nullptr);
  QSize sizeHint() const override { return {diameter_, diameter_}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  int diameter_;
  int step_ = 0;
  QTimer timer_;
};

// A busy indicator above a text, centred in all the space there is ("Loading…").
class LoadingView final : public QWidget {
 public:
  explicit LoadingView(QWidget* parent = nullptr);
  void setText(const std::string& text);
  QString text() const { return label_->text(); }

 private:
  QLabel* label_;
};

// A symbol above a text, both in the secondary colour, centred in all the space there is.
class MessageView final : public QWidget {
 public:
  explicit MessageView(QWidget* parent = nullptr);
  void setMessage(const std::string& symbol, const std::string& text);
  const std::string& symbol() const { return symbol_; }
  QString text() const { return label_->text(); }

 private:
  class SymbolImage;
  SymbolImage* image_;
  QLabel* label_;
  std::string symbol_;
};

}  // namespace tavorin::ui
