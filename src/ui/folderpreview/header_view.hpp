#pragma once

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "folderpreview/folder_preview_model.hpp"
#include "ui/folderpreview/thumbnail_loader.hpp"

namespace tavorin::ui {

// One line of text that loses its middle (or its end) when it does not fit.
class ElidedLabel final : public QWidget {
 public:
  explicit ElidedLabel(Qt::TextElideMode mode = Qt::ElideMiddle, QWidget* parent = nullptr);
  void setText(const QString& text);
  const QString& text() const { return text_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::TextElideMode mode_;
  QString text_;
};

// A row of symbol buttons of which one is chosen, drawn as one control.
class SegmentedControl final : public QWidget {
 public:
  SegmentedControl(std::vector<std::string> symbols, QWidget* parent = nullptr);
  int selectedIndex() const { return selected_; }
  // Chooses a segment without telling `onSelected`.
  void setSelectedIndex(int index);
  QRect segmentRect(int index) const;
  // Runs when the user chooses a segment.
  std::function<void(int)> onSelected;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::vector<std::string> symbols_;
  int selected_ = 0;
};

// The head of the preview: the folder's icon, name, counts and size, and the view options.
class HeaderView final : public QWidget {
 public:
  HeaderView(std::shared_ptr<FolderPreviewModel> model, ThumbnailLoader& loader,
             QWidget* parent = nullptr);

  // Takes the model's state.
  void refresh();

  // Below this width the folder's icon makes room for its name.
  static constexpr int iconlessWidth = 540;

  QString folderName() const { return name_->text(); }
  QString countText() const { return count_->text(); }
  // The size label as shown: empty when there is none; "· calculating size…" while measuring.
  QString sizeText() const;
  QString sizeToolTip() const { return size_->toolTip(); }
  bool showsMeasuring() const;
  QComboBox& sortPicker() { return *sortPicker_; }
  QToolButton& ascendingButton() { return *ascending_; }
  QToolButton& hiddenFilesButton() { return *hidden_; }
  SegmentedControl& layoutPicker() { return *layoutPicker_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::shared_ptr<FolderPreviewModel> model_;
  QWidget* icon_;
  ElidedLabel* name_;
  ElidedLabel* count_;
  QWidget* measuring_;
  ElidedLabel* measuringText_;
  ElidedLabel* size_;
  QComboBox* sortPicker_;
  QToolButton* ascending_;
  QToolButton* hidden_;
  SegmentedControl* layoutPicker_;
};

}  // namespace tavorin::ui
