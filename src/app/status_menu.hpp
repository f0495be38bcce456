#pragma once

#include <memory>
#include <string>

#include "platform/menu.hpp"
#include "pointer/core/pointer_locator_settings.hpp"

namespace tavorin {

class AppDelegate;

// The tray icon's menu: one line per feature with a check mark while it runs, a warning line
// while a permission is missing, "Cancel cut" while cut files wait, the Window Layout submenu,
// Settings and Quit. Every title, check mark, tooltip and visibility is worked out afresh each
// time the menu opens, so a language change shows at the next opening. Lines of features that
// are not built into the program are left out.
class StatusMenu {
 public:
  explicit StatusMenu(AppDelegate& controller);
  StatusMenu(const StatusMenu&) = delete;
  StatusMenu& operator=(const StatusMenu&) = delete;

  const std::shared_ptr<Menu>& menu() const { return menu_; }
  // What the tray does right before the menu shows.
  void menuNeedsUpdate();

  // The Pointer Locator line's tooltip: how the highlight is called up.
  static std::string pointerTriggerDescription(const PointerLocatorSettings& settings);

 private:
  void updateTilingSubmenu();

  AppDelegate& controller_;
  std::shared_ptr<Menu> menu_ = std::make_shared<Menu>();
  std::shared_ptr<MenuItem> permissionItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> permissionSeparator_ = MenuItem::separator();
  std::shared_ptr<MenuItem> cutPasteItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> cutPasteCancelItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> folderPreviewItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> pointerItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> smartDockItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> tilingItem_;
  std::shared_ptr<MenuItem> tilingToggleItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> preferencesItem_ = std::make_shared<MenuItem>();
  std::shared_ptr<MenuItem> quitItem_ = std::make_shared<MenuItem>();
  // The Window Layout submenu's own update, kept while the feature is stopped.
  std::function<void(Menu&)> tilingSubmenuDelegate_;
};

}  // namespace tavorin
