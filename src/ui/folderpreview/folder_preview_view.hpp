#pragma once

#include <QLabel>
#include <QStackedWidget>
#include <QWidget>
#include <memory>

#include "folderpreview/folder_preview_model.hpp"
#include "platform/platform.hpp"
#include "platform/signal.hpp"
#include "ui/folderpreview/folder_grid_view.hpp"
#include "ui/folderpreview/folder_list_view.hpp"
#include "ui/folderpreview/header_view.hpp"
#include "ui/folderpreview/message_views.hpp"
#include "ui/folderpreview/thumbnail_loader.hpp"

namespace tavorin::ui {

// The whole preview of one folder: the header, then the list, the grid or a message, and a
// note when not every item is shown. Redraws whenever the model publishes a change.
class FolderPreviewView final : public QWidget {
 public:
  static constexpr QSize minimumPreviewSize{420, 280};

  FolderPreviewView(std::shared_ptr<FolderPreviewModel> model, const Platform& platform,
                    ThumbnailLoader& loader, QWidget* parent = nullptr);

  // Takes the model's state (also called on every change the model publishes).
  void refresh();

  const std::shared_ptr<FolderPreviewModel>& model() const { return model_; }
  HeaderView& header() { return *header_; }
  FolderListView& listView() { return *list_; }
  FolderGridView& gridView() { return *grid_; }
  LoadingView& loadingView() { return *loading_; }
  MessageView& messageView() { return *message_; }
  // The view filling the space below the header now.
  QWidget* content() const { return content_->currentWidget(); }
  // The note below the items, empty while every item is shown.
  QString truncationNote() const;

 private:
  std::shared_ptr<FolderPreviewModel> model_;
  HeaderView* header_;
  QStackedWidget* content_;
  LoadingView* loading_;
  MessageView* message_;
  FolderListView* list_;
  FolderGridView* grid_;
  QWidget* noteDivider_;
  QLabel* note_;
  Subscription observation_;
};

}  // namespace tavorin::ui
