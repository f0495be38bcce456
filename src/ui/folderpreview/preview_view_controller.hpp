#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "folderpreview/folder_preview_model.hpp"
#include "platform/platform.hpp"
#include "ui/folderpreview/folder_preview_view.hpp"
#include "ui/folderpreview/thumbnail_loader.hpp"

namespace tavorin::ui {

// Shows one folder at a time: makes its model, hosts its preview view and stops the model's
// background work when the preview goes away or another folder takes its place. The options
// come from the suite both programs share, and the interface language is read again before
// every preview, so that choices made in the menu-bar program since the last one count.
class PreviewViewController {
 public:
  static constexpr QSize preferredContentSize{760, 520};

  PreviewViewController(const Platform& platform, ThumbnailLoader& loader);
  ~PreviewViewController();
  PreviewViewController(const PreviewViewController&) = delete;
  PreviewViewController& operator=(const PreviewViewController&) = delete;

  // Makes the root view, 760 × 520 to begin with. With a `parent`, the parent owns it;
  // otherwise this controller does.
  QWidget* loadView(QWidget* parent = nullptr);
  QWidget* view() const { return view_; }

  // Builds the preview of `folder` and reports it ready through `completion` at once, before
  // anything is listed; listing and measuring go on in the background.
  void preparePreviewOfFile(const std::filesystem::path& folder,
                            const std::function<void()>& completion);
  // The preview is going away: its background work stops.
  void viewWillDisappear();

  const std::shared_ptr<FolderPreviewModel>& model() const { return model_; }
  FolderPreviewView* hostingView() const { return hostingView_; }

 private:
  const Platform& platform_;
  ThumbnailLoader& loader_;
  std::unique_ptr<QWidget> ownedView_;
  QPointer<QWidget> view_;
  std::shared_ptr<FolderPreviewModel> model_;
  QPointer<FolderPreviewView> hostingView_;
};

}  // namespace tavorin::ui
