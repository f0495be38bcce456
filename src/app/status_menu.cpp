#include "app/status_menu.hpp"

#include "app/app_delegate.hpp"
#include "app/feature_defaults.hpp"
#include "localization/localizer.hpp"

namespace tavorin {

namespace {

// The first character of a modifier's display name ("⌃ Control" gives "⌃").
std::string modifierSymbol(ModifierKey key) {
  const std::string_view name = displayName(key);
  const auto space = name.find(' ');
  return std::string(name.substr(0, space));
}

}  // namespace

StatusMenu::StatusMenu(AppDelegate& controller) : controller_(controller) {
  const Features& features = controller_.features();
  const std::weak_ptr<AppDelegate> weak = controller_.weak_from_this();
  auto action = [weak](void (AppDelegate::*command)()) {
    return [weak, command] {
      if (auto self = weak.lock()) ((*self).*command)();
    };
  };

  menu_->needsUpdate = [this](Menu&) { menuNeedsUpdate(); };
  permissionItem_->action = action(&AppDelegate::openPermissions);
  menu_->add(permissionItem_);
  menu_->add(permissionSeparator_);

  cutPasteItem_->symbol = "scissors";
  cutPasteItem_->action = action(&AppDelegate::toggleCutPaste);
  cutPasteCancelItem_->action = action(&AppDelegate::cancelCut);
  cutPasteCancelItem_->indentationLevel = 1;
  folderPreviewItem_->symbol = "folder";
  folderPreviewItem_->action = action(&AppDelegate::toggleFolderPreview);
  pointerItem_->symbol = "cursorarrow.rays";
  pointerItem_->action = action(&AppDelegate::togglePointer);
  smartDockItem_->symbol = "dock.rectangle";
  smartDockItem_->action = action(&AppDelegate::toggleSmartDock);
  if (features.cutPaste) {
    menu_->add(cutPasteItem_);
    menu_->add(cutPasteCancelItem_);
  }
  if (controller_.hasFolderPreviewSwitch()) menu_->add(folderPreviewItem_);
  if (features.pointer) menu_->add(pointerItem_);
  if (features.smartDock) menu_->add(smartDockItem_);

  tilingToggleItem_->action = action(&AppDelegate::toggleTiling);
  if (features.tiling) {
    tilingItem_ = features.tiling->makeMenuItem();
    tilingItem_->symbol = "rectangle.split.3x1";
    if (tilingItem_->submenu) tilingSubmenuDelegate_ = tilingItem_->submenu->needsUpdate;
    menu_->add(MenuItem::separator());
    menu_->add(tilingItem_);
  }

  preferencesItem_->action = [weak] {
    if (auto self = weak.lock()) self->showSettings(std::nullopt);
  };
  quitItem_->action = [weak] {
    auto self = weak.lock();
    if (self && self->platform().application != nullptr) self->platform().application->terminate();
  };
  if (controller_.hasSettingsWindow()) {
    menu_->add(MenuItem::separator());
    menu_->add(preferencesItem_);
  }
  menu_->add(MenuItem::separator());
  menu_->add(quitItem_);
}

void StatusMenu::menuNeedsUpdate() {
  const Features& features = controller_.features();

  const bool warn = controller_.isMissingPermission();
  permissionItem_->title = "⚠︎ " + L("Accessibility permission needed…");
  permissionItem_->isHidden = !warn;
  permissionSeparator_->isHidden = !warn;

  if (const auto& cutPaste = features.cutPaste) {
    const CutPasteState state = cutPaste->state();
    cutPasteItem_->title = L("Cut & Paste");
    cutPasteItem_->isChecked = state != CutPasteState::stopped;
    cutPasteItem_->toolTip = state == CutPasteState::waitingForPermission
                                 ? L("Waiting for permission")
                                 : L("Cut %@ · Move %@", cutPaste->cutShortcutDisplay(),
                                     cutPaste->pasteShortcutDisplay());
    cutPasteCancelItem_->title = L("Cancel cut (Esc)");
    cutPasteCancelItem_->isHidden = !cutPaste->hasPendingCut();
  }

  if (controller_.hasFolderPreviewSwitch()) {
    const QuickLookExtensionStatus status = controller_.folderPreviewStatus();
    folderPreviewItem_->title = L("Folder Preview");
    folderPreviewItem_->isChecked = status == QuickLookExtensionStatus::enabled;
    switch (status) {
      case QuickLookExtensionStatus::enabled:
        folderPreviewItem_->toolTip = L("On · select a folder in Finder and press Space");
        break;
      case QuickLookExtensionStatus::disabled:
        folderPreviewItem_->toolTip = L("Off");
        break;
      case QuickLookExtensionStatus::notRegistered:
        folderPreviewItem_->toolTip =
            L("Extension not registered · move Tavorin to the Applications folder");
        break;
      case QuickLookExtensionStatus::unknown:
        folderPreviewItem_->toolTip = L("Status unknown");
        break;
    }
    // The menu shows the last known status; the fresh one is there at the next opening.
    controller_.refreshFolderPreviewStatus();
  }

  if (const auto& pointer = features.pointer) {
    pointerItem_->title = L("Pointer Locator");
    pointerItem_->isChecked = pointer->isRunning();
    pointerItem_->toolTip.clear();
    if (pointer->isRunning()) {
      pointerItem_->toolTip = pointer->needsPermission()
                                  ? L("Waiting for permission")
                                  : pointerTriggerDescription(pointer->settings());
    }
  }

  if (const auto& smartDock = features.smartDock) {
    smartDockItem_->title = L("Smart Dock Hiding");
    smartDockItem_->isChecked = smartDock->isRunning();
    smartDockItem_->toolTip = L("Hide the Dock while a window touches it");
  }

  preferencesItem_->title = L("Settings…");
  quitItem_->title = L("Quit Tavorin");
  updateTilingSubmenu();
}

void StatusMenu::updateTilingSubmenu() {
  const auto& tiling = controller_.features().tiling;
  if (!tiling || !tilingItem_ || !tilingItem_->submenu) return;
  Menu& submenu = *tilingItem_->submenu;
  if (tiling->isRunning()) {
    // The feature fills its own submenu each time it opens.
    if (!submenu.needsUpdate) {
      submenu.removeAll();
      submenu.needsUpdate = tilingSubmenuDelegate_;
    }
    return;
  }
  submenu.needsUpdate = nullptr;
  submenu.removeAll();
  auto off = std::make_shared<MenuItem>();
  off->title = L("Off");
  submenu.add(off);
  tilingToggleItem_->title = L("Turn On");
  submenu.add(tilingToggleItem_);
}

std::string StatusMenu::pointerTriggerDescription(const PointerLocatorSettings& settings) {
  switch (settings.trigger) {
    case PointerTrigger::doubleTap:
      return L("Press %@ twice", modifierSymbol(settings.modifier));
    case PointerTrigger::singleTap:
      return L("Press %@ once", modifierSymbol(settings.modifier));
    case PointerTrigger::shortcut:
      return settings.shortcut.displayString;
  }
  return {};
}

}  // namespace tavorin
