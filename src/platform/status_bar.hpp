#pragma once

#include <memory>
#include <string>

#include "platform/menu.hpp"

namespace tavorin {

// An item of the system status bar (`NSStatusItem`): the tray icon.
class StatusItem {
 public:
  virtual ~StatusItem() = default;
  virtual void setVisible(bool visible) = 0;
  // A system symbol name; the backend maps it to an icon of its own.
  virtual void setSymbol(const std::string& symbolName) = 0;
  virtual void setAccessibilityDescription(const std::string& description) = 0;
  virtual void setMenu(std::shared_ptr<Menu> menu) = 0;
};

// The system status bar (`NSStatusBar.system`).
class StatusBar {
 public:
  virtual ~StatusBar() = default;
  // A square item, like `NSStatusItem.squareLength`.
  virtual std::shared_ptr<StatusItem> createSquareItem() = 0;
};

}  // namespace tavorin
