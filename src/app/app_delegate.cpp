#include "app/app_delegate.hpp"

#include "app/feature_defaults.hpp"
#include "preferences/preference_reading.hpp"

namespace tavorin {

namespace {

// Runs `action` on the controller if it still exists.
template <typename Action>
auto weakly(const std::weak_ptr<AppDelegate>& weak, Action action) {
  return [weak, action](auto&&...) {
    if (auto self = weak.lock()) action(*self);
  };
}

}  // namespace

std::shared_ptr<AppDelegate> AppDelegate::create(Platform& platform, Parts parts) {
  return std::shared_ptr<AppDelegate>(new AppDelegate(platform, std::move(parts)));
}

std::shared_ptr<AppDelegate> AppDelegate::install(Platform& platform, Parts parts) {
  auto delegate = create(platform, std::move(parts));
  if (platform.application != nullptr) {
    platform.application->setDelegate(delegate);
    platform.application->setActivationPolicy(Application::ActivationPolicy::accessory);
  }
  return delegate;
}

void AppDelegate::applicationDidFinishLaunching() {
  const std::weak_ptr<AppDelegate> weak = weak_from_this();
  auto& features = parts_.features;

  if (platform_.statusBar != nullptr) statusItem_ = platform_.statusBar->createSquareItem();
  statusMenu_ = std::make_unique<StatusMenu>(*this);
  if (statusItem_) statusItem_->setMenu(statusMenu_->menu());
  refreshFolderPreviewStatus();

  if (features.cutPaste) {
    features.cutPaste->onStateChange =
        weakly(weak, [](AppDelegate& self) { self.cutPasteStateChanged(); });
    features.cutPaste->onCut = weakly(weak, [](AppDelegate& self) { self.refreshIcon(); });
    features.cutPaste->onMove = weakly(weak, [](AppDelegate& self) { self.refreshIcon(); });
    features.cutPaste->onCutCancelled = weakly(weak, [](AppDelegate& self) { self.refreshIcon(); });
    features.cutPaste->onRelaunchNeeded = weakly(weak, [](AppDelegate& self) { self.relaunch(); });
  }

  // Any preference change re-applies the switches; harmless, since only a stopped feature is
  // ever started and only a running one stopped.
  preferencesObserver_ =
      platform_.notifications.addObserver(std::string(PreferenceStore::didChangeNotification),
                                          nullptr, weakly(weak, [](AppDelegate& self) {
                                            self.updateStatusItemVisibility();
                                            self.applyFeatureToggles();
                                          }));
  updateStatusItemVisibility();

  if (features.pointer) {
    features.pointer->onStateChange = weakly(weak, [](AppDelegate& self) { self.refreshIcon(); });
  }

  applyFeatureToggles();
  refreshIcon();

  auto& defaults = platform_.standardDefaults;
  if (read(defaults, prefs::onboardingDone) &&
      !platform_.process.hasArgument(openSettingsArgument)) {
    return;
  }
  defaults.setBool(prefs::onboardingDone.name, true);
  showSettings(permissionsComplete() ? "general" : "permissions");
}

void AppDelegate::applicationWillTerminate() {
  stopFeatures();
}

bool AppDelegate::applicationShouldHandleReopen(bool /*hasVisibleWindows*/) {
  showSettings(std::nullopt);
  return true;
}

void AppDelegate::stopFeatures() {
  // The switches stay as they are: the features start again at the next launch.
  isTerminating_ = true;
  auto& features = parts_.features;
  if (features.cutPaste) features.cutPaste->stop();
  if (features.tiling) features.tiling->stop();
  if (features.pointer) features.pointer->stop();
  if (features.smartDock) features.smartDock->stop();
}

void AppDelegate::applyFeatureToggles() {
  // Stopping for shutdown writes preferences too (the Dock's saved setting, for one); those
  // changes must not start the features again.
  if (isTerminating_) return;
  // A start may change preferences and so ask for this again; run it once more afterwards
  // instead of starting features from inside another feature's start.
  if (applyingToggles_) {
    togglesChangedMeanwhile_ = true;
    return;
  }
  applyingToggles_ = true;
  do {
    togglesChangedMeanwhile_ = false;
    applyFeatureTogglesOnce();
  } while (togglesChangedMeanwhile_ && !isTerminating_);
  applyingToggles_ = false;
  refreshIcon();
}

void AppDelegate::applyFeatureTogglesOnce() {
  const FeatureDefaults switches(platform_.standardDefaults);
  auto& features = parts_.features;

  // The first feature allowed to prompt uses up the one prompt of this process.
  auto takePrompt = [this] { return !std::exchange(hasPromptedForPermission_, true); };

  if (auto& cutPaste = features.cutPaste) {
    if (switches.cutPasteEnabled()) {
      if (cutPaste->state() == CutPasteState::stopped) cutPaste->start(takePrompt());
    } else if (cutPaste->state() != CutPasteState::stopped) {
      cutPaste->stop();
    }
  }
  if (auto& tiling = features.tiling) {
    if (switches.tilingEnabled()) {
      if (!tiling->isRunning()) tiling->start(takePrompt());
    } else if (tiling->isRunning()) {
      tiling->stop();
    }
  }
  if (auto& pointer = features.pointer) {
    if (switches.pointerLocatorEnabled()) {
      if (!pointer->isRunning()) {
        // A configuration that needs no permission does not use up the prompt.
        pointer->start(!hasPromptedForPermission_ && pointer->needsPermission());
        if (pointer->needsPermission()) hasPromptedForPermission_ = true;
      }
    } else if (pointer->isRunning()) {
      pointer->stop();
    }
  }
  if (auto& smartDock = features.smartDock) {
    if (switches.smartDockEnabled()) {
      if (!smartDock->isRunning()) smartDock->start();
    } else if (smartDock->isRunning()) {
      smartDock->stop();
    }
  }
}

bool AppDelegate::permissionsComplete() const {
  // A desktop without such grants (X11) counts as granted.
  const auto* permissions = platform_.permissions;
  return permissions == nullptr ||
         (permissions->isAccessibilityTrusted() && permissions->canPostEvents());
}

bool AppDelegate::anyFeatureNeedsPermission() const {
  // An absent feature counts as switched off.
  const FeatureDefaults switches(platform_.standardDefaults);
  const auto& features = parts_.features;
  return (features.cutPaste && switches.cutPasteEnabled()) ||
         (features.tiling && switches.tilingEnabled()) ||
         (features.pointer && switches.pointerLocatorEnabled() &&
          features.pointer->needsPermission());
}

bool AppDelegate::isMissingPermission() const {
  return !permissionsComplete() && anyFeatureNeedsPermission();
}

void AppDelegate::refreshIcon() {
  if (!statusItem_) return;
  const auto& cutPaste = parts_.features.cutPaste;
  const char* symbol = "square.grid.2x2";
  if (cutPaste && cutPaste->hasPendingCut()) {
    symbol = "scissors.circle.fill";
  } else if (isMissingPermission()) {
    symbol = "exclamationmark.triangle";
  }
  statusItem_->setSymbol(symbol);
  statusItem_->setAccessibilityDescription("Tavorin");
}

void AppDelegate::updateStatusItemVisibility() {
  if (statusItem_) {
    statusItem_->setVisible(FeatureDefaults(platform_.standardDefaults).showMenuBarIcon());
  }
}

void AppDelegate::refreshFolderPreviewStatus() {
  if (!parts_.checkFolderPreviewStatus) return;
  platform_.executor.submit(QualityOfService::utility,
                            [check = parts_.checkFolderPreviewStatus, runLoop = &platform_.runLoop,
                             weak = weak_from_this()] {
                              const QuickLookExtensionStatus status = check();
                              runLoop->post([weak, status] {
                                if (auto self = weak.lock()) self->folderPreviewStatus_ = status;
                              });
                            });
}

void AppDelegate::cutPasteStateChanged() {
  const auto& cutPaste = parts_.features.cutPaste;
  if (!isTerminating_ && cutPaste) {
    const bool active = cutPaste->state() != CutPasteState::stopped;
    if (active != FeatureDefaults(platform_.standardDefaults).cutPasteEnabled()) {
      platform_.standardDefaults.setBool(prefs::cutPasteEnabled.name, active);
    }
  }
  refreshIcon();
}

void AppDelegate::relaunch() {
  auto& defaults = platform_.standardDefaults;
  const Seconds now = platform_.clock.now();
  // Guards against a relaunch loop when the new process still lacks the permission.
  if (now <= read(defaults, prefs::lastPermissionRelaunch) + relaunchGuard) return;
  defaults.setDouble(prefs::lastPermissionRelaunch.name, now);
  if (platform_.workspace == nullptr || platform_.application == nullptr) return;

  // Stop first, as for a quit: otherwise the new process would take the Dock setting this one
  // still holds for a crash leftover, and could not grab the hot keys this one holds.
  stopFeatures();
  platform_.workspace->openNewInstance([weak = weak_from_this()](bool started) {
    auto self = weak.lock();
    if (!self) return;
    if (started) {
      self->platform_.application->terminate();
      return;
    }
    // No new process: keep this one running rather than leave the user without the program.
    self->isTerminating_ = false;
    self->applyFeatureToggles();
  });
}

void AppDelegate::toggleCutPaste() {
  const auto& cutPaste = parts_.features.cutPaste;
  // The controller's state decides, not the stored switch.
  const bool on = !cutPaste || cutPaste->state() == CutPasteState::stopped;
  if (on != FeatureDefaults(platform_.standardDefaults).cutPasteEnabled()) {
    platform_.standardDefaults.setBool(prefs::cutPasteEnabled.name, on);
  }
  applyFeatureToggles();
}

void AppDelegate::toggleTiling() {
  platform_.standardDefaults.setBool(prefs::tilingEnabled.name,
                                     !FeatureDefaults(platform_.standardDefaults).tilingEnabled());
}

void AppDelegate::togglePointer() {
  platform_.standardDefaults.setBool(
      prefs::pointerLocatorEnabled.name,
      !FeatureDefaults(platform_.standardDefaults).pointerLocatorEnabled());
}

void AppDelegate::toggleSmartDock() {
  platform_.standardDefaults.setBool(
      prefs::smartDockEnabled.name,
      !FeatureDefaults(platform_.standardDefaults).smartDockEnabled());
}

void AppDelegate::cancelCut() {
  if (parts_.features.cutPaste) parts_.features.cutPaste->cancelCut();
  refreshIcon();
}

void AppDelegate::toggleFolderPreview() {
  if (folderPreviewStatus_ == QuickLookExtensionStatus::notRegistered) {
    // The pane explains how to make the previewer known to the system.
    showSettings("folderpreview");
    return;
  }
  const bool enable = folderPreviewStatus_ != QuickLookExtensionStatus::enabled;
  // The next opening of the menu shows the wish at once; the check below corrects it.
  folderPreviewStatus_ =
      enable ? QuickLookExtensionStatus::enabled : QuickLookExtensionStatus::disabled;
  if (!parts_.setFolderPreviewEnabled) return;
  platform_.executor.submit(QualityOfService::userInitiated,
                            [setEnabled = parts_.setFolderPreviewEnabled,
                             runLoop = &platform_.runLoop, weak = weak_from_this(), enable] {
                              setEnabled(enable);
                              runLoop->post([weak] {
                                if (auto self = weak.lock()) self->refreshFolderPreviewStatus();
                              });
                            });
}

void AppDelegate::showSettings(std::optional<std::string> pane) {
  if (!settingsWindow_ && parts_.makeSettingsWindow) settingsWindow_ = parts_.makeSettingsWindow();
  if (settingsWindow_) settingsWindow_->show(std::move(pane));
}

}  // namespace tavorin
