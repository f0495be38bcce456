#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>

#include "platform/status_bar.hpp"

namespace tavorin::qt {

// A status item as a tray icon. Its menu model is rendered afresh every time the menu opens,
// right after the model's owner updated it; a left click opens the menu too.
class QtStatusItem final : public StatusItem {
 public:
  QtStatusItem();
  ~QtStatusItem() override;

  void setVisible(bool visible) override;
  void setSymbol(const std::string& symbolName) override;
  void setAccessibilityDescription(const std::string& description) override;
  void setMenu(std::shared_ptr<Menu> menu) override;

  QSystemTrayIcon& trayIcon() { return tray_; }

 private:
  void updateVisibility();

  QSystemTrayIcon tray_;
  std::unique_ptr<QMenu> qmenu_;
  std::shared_ptr<Menu> menu_;
  std::string symbol_;
  bool visible_ = true;
};

class QtStatusBar final : public StatusBar {
 public:
  std::shared_ptr<StatusItem> createSquareItem() override;
};

// Fills `target` from `model` (after letting the model update itself) and keeps doing so each
// time `target` opens.
void bindMenu(QMenu& target, std::shared_ptr<Menu> model);

}  // namespace tavorin::qt
