#pragma once

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include "ui/folderpreview/thumbnail_generator.hpp"
#include "ui/folderpreview/thumbnail_loader.hpp"

namespace tavorin::testing {

// The one Qt application of the test program, drawing off screen.
inline QApplication& offscreenApplication() {
  static int argc = 1;
  static char name[] = "quillon-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Draws `widget` (and so everything on it) and keeps the picture as `name`.png under the build
// folder, for a person to look at.
inline QPixmap saveScreenshot(QWidget& widget, const std::string& name) {
  QApplication::processEvents();
  const QPixmap picture = widget.grab();
  std::filesystem::create_directories(SCREENSHOT_DIR);
  picture.save(QString::fromStdString(std::string(SCREENSHOT_DIR) + "/" + name + ".png"));
  return picture;
}

// A thumbnail generator that records what it is asked: files whose name ends in ".png" get a
// coloured picture with their aspect ratio 3:2, anything else nothing.
class RecordingGenerator final : public ui::ThumbnailGenerator {
 public:
  QImage generate(const std::filesystem::path& path, double pointSize,
                  double scale) const override {
    {
      std::lock_guard lock(mutex_);
      ++requests_[ui::ThumbnailLoader::key(path, pointSize).toStdString()];
    }
    ++total_;
    if (path.extension() != ".png") return {};
    const int pixels = static_cast<int>(pointSize * scale);
    QImage image(pixels, pixels * 2 / 3, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(70, 140, 220));
    image.setDevicePixelRatio(scale);
    return image;
  }

  int total() const { return total_; }
  // How often the file and size of `key` ("…/a.png#72") were asked for.
  int requests(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = requests_.find(key);
    return it == requests_.end() ? 0 : it->second;
  }
  int requests(const std::filesystem::path& path, int pointSize) const {
    return requests(path.string() + "#" + std::to_string(pointSize));
  }

 private:
  mutable std::mutex mutex_;
  mutable std::map<std::string, int> requests_;
  mutable std::atomic<int> total_{0};
};

}  // namespace tavorin::testing
