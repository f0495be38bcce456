#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavorin {

class Menu;

// One line of a menu (`NSMenuItem`), as a model the backend renders. Controllers keep the items
// they change and edit them in place before the menu opens.
struct MenuItem {
  std::string title;
  // A system symbol name ("scissors", "folder"); the backend maps it to an icon.
  std::string symbol;
  std::string toolTip;
  // The keyboard shortcut shown beside the title, as its display text ("⌃⌥E"); only shown; the
  // key itself is handled elsewhere (a global hot key). Empty: none.
  std::string keyEquivalent;
  bool isSeparator = false;
  bool isHidden = false;
  bool isChecked = false;
  int indentationLevel = 0;
  // An item without an action is shown disabled.
  std::function<void()> action;
  std::shared_ptr<Menu> submenu;

  static std::shared_ptr<MenuItem> separator() {
    auto item = std::make_shared<MenuItem>();
    item->isSeparator = true;
    return item;
  }
  bool isEnabled() const { return static_cast<bool>(action) || submenu != nullptr; }
};

// A menu (`NSMenu` with its delegate's `menuNeedsUpdate`): the backend calls `needsUpdate` just
// before it shows the menu, then renders the items as they are then.
class Menu {
 public:
  explicit Menu(std::string title = {}) : title(std::move(title)) {}

  std::string title;
  std::vector<std::shared_ptr<MenuItem>> items;
  std::function<void(Menu&)> needsUpdate;

  void add(std::shared_ptr<MenuItem> item) { items.push_back(std::move(item)); }
  void removeAll() { items.clear(); }
  // What the backend does right before showing the menu.
  void prepareToOpen() {
    if (needsUpdate) needsUpdate(*this);
  }
};

}  // namespace tavorin
