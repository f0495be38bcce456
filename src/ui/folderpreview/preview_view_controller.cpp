#include "ui/folderpreview/preview_view_controller.hpp"

#include <QVBoxLayout>

#include "localization/localizer.hpp"

namespace tavorin::ui {

PreviewViewController::PreviewViewController(const Platform& platform, ThumbnailLoader& loader)
    : platform_(platform), loader_(loader) {}

PreviewViewController::~PreviewViewController() {
  if (model_) model_->stop();
}

QWidget* PreviewViewController::loadView(QWidget* parent) {
  auto* view = new QWidget(parent);
  view->resize(preferredContentSize);
  auto* layout = new QVBoxLayout(view);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (parent == nullptr) ownedView_.reset(view);
  view_ = view;
  return view;
}

void PreviewViewController::preparePreviewOfFile(const std::filesystem::path& folder,
                                                 const std::function<void()>& completion) {
  if (!view_) loadView();
  // The same controller may be handed another folder: the first one's work ends before the
  // second one's starts, and none of its results reach the new view.
  if (model_) model_->stop();
  if (hostingView_) {
    hostingView_->hide();
    hostingView_->setParent(nullptr);
    hostingView_->deleteLater();
  }
  if (Localizer* localizer = Localizer::shared()) localizer->reloadFromStore();

  auto model = FolderPreviewModel::make(platform_, folder, platform_.sharedDefaults());
  model->load();
  auto* hostingView = new FolderPreviewView(model, platform_, loader_, view_);
  view_->layout()->addWidget(hostingView);
  model_ = std::move(model);
  hostingView_ = hostingView;
  model_->startMeasuring();
  if (completion) completion();
}

void PreviewViewController::viewWillDisappear() {
  if (model_) model_->stop();
}

}  // namespace tavorin::ui
