#include "ui/folderpreview/preview_window.hpp"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/folderpreview/file_icons.hpp"

namespace tavorin::ui {

PreviewWindow::PreviewWindow(const Platform& platform, ThumbnailLoader& loader)
    : controller_(platform, loader) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(controller_.loadView(this));
  resize(PreviewViewController::preferredContentSize);
  for (const auto key : {Qt::Key_Escape, Qt::Key_Space}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, this, [this] { close(); });
  }
}

void PreviewWindow::preview(const std::filesystem::path& folder) {
  controller_.preparePreviewOfFile(folder, nullptr);
  if (const auto& model = controller_.model()) {
    setWindowTitle(QString::fromStdString(model->folderName()));
    setWindowIcon(fileIcon(model->folderURL()));
  }
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  controller_.viewWillDisappear();
  QWidget::closeEvent(event);
}

}  // namespace tavorin::ui
