#pragma once

#include <QWidget>
#include <filesystem>

#include "ui/folderpreview/preview_view_controller.hpp"

namespace tavorin::ui {

// A window that previews a folder the way a quick look does: titled with the folder's name,
// closed by Escape or Space, and its work stopped when it closes.
class PreviewWindow final : public QWidget {
 public:
  PreviewWindow(const Platform& platform, ThumbnailLoader& loader);

  // Shows `folder` in this window (replacing what it showed).
  void preview(const std::filesystem::path& folder);
  PreviewViewController& controller() { return controller_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  PreviewViewController controller_;
};

}  // namespace tavorin::ui
