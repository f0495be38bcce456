#pragma once

#include <functional>
#include <memory>

#include "app/features.hpp"
#include "app/status_menu.hpp"
#include "platform/platform.hpp"

namespace tavorin {

// The spine of the tray program: it owns the status item, starts and stops the features as their
// switches say, keeps the icon in step with them, asks for permission at most once per process,
// opens the settings on first launch, and stops every feature before the process ends.
class AppDelegate final : public ApplicationDelegate,
                          public std::enable_shared_from_this<AppDelegate> {
 public:
  struct Parts {
    Features features;
    // Makes the settings window the first time something asks for it; absent until it exists.
    std::function<std::shared_ptr<SettingsWindow>()> makeSettingsWindow;
    // Reads the previewer's registration; blocks, so it runs in the background. Absent, the
    // program has no Folder Preview switch.
    std::function<QuickLookExtensionStatus()> checkFolderPreviewStatus;
    // Registers or unregisters the previewer; blocks, so it runs in the background.
    std::function<void(bool enabled)> setFolderPreviewEnabled;
  };

  static std::shared_ptr<AppDelegate> create(Platform& platform, Parts parts);

  // The entry point's work: install a new controller as the application's delegate and choose
  // the tray-only activation policy. The launch itself starts when the event loop runs.
  static std::shared_ptr<AppDelegate> install(Platform& platform, Parts parts);

  void applicationDidFinishLaunching() override;
  void applicationWillTerminate() override;
  bool applicationShouldHandleReopen(bool hasVisibleWindows) override;

  void applyFeatureToggles();
  void refreshIcon();
  void refreshFolderPreviewStatus();
  void cutPasteStateChanged();
  // Starts a fresh copy of the program once a permission grant needs a new process; at most
  // once a minute.
  void relaunch();

  // Menu commands.
  void toggleCutPaste();
  void toggleTiling();
  void togglePointer();
  void toggleSmartDock();
  void toggleFolderPreview();
  void cancelCut();
  void openPermissions() { showSettings("permissions"); }
  void showSettings(std::optional<std::string> pane);

  // A permission is missing while a feature that needs it is switched on: the warning icon and
  // the warning line of the menu.
  bool isMissingPermission() const;
  bool hasSettingsWindow() const { return static_cast<bool>(parts_.makeSettingsWindow); }
  bool hasFolderPreviewSwitch() const { return static_cast<bool>(parts_.checkFolderPreviewStatus); }
  StatusMenu* statusMenu() const { return statusMenu_.get(); }

  bool isTerminating() const { return isTerminating_; }
  bool hasPromptedForPermission() const { return hasPromptedForPermission_; }
  QuickLookExtensionStatus folderPreviewStatus() const { return folderPreviewStatus_; }
  void setFolderPreviewStatus(QuickLookExtensionStatus status) { folderPreviewStatus_ = status; }
  const std::shared_ptr<StatusItem>& statusItem() const { return statusItem_; }
  const Features& features() const { return parts_.features; }
  Platform& platform() const { return platform_; }

  static constexpr Seconds relaunchGuard = 60;
  static constexpr const char* openSettingsArgument = "--open-settings";

 private:
  AppDelegate(Platform& platform, Parts parts) : platform_(platform), parts_(std::move(parts)) {}

  void applyFeatureTogglesOnce();
  void stopFeatures();
  bool permissionsComplete() const;
  bool anyFeatureNeedsPermission() const;
  void updateStatusItemVisibility();

  Platform& platform_;
  Parts parts_;
  std::shared_ptr<StatusItem> statusItem_;
  std::unique_ptr<StatusMenu> statusMenu_;
  std::shared_ptr<SettingsWindow> settingsWindow_;
  Subscription preferencesObserver_;
  bool isTerminating_ = false;
  bool hasPromptedForPermission_ = false;
  bool applyingToggles_ = false;
  bool togglesChangedMeanwhile_ = false;
  QuickLookExtensionStatus folderPreviewStatus_ = QuickLookExtensionStatus::unknown;
};

}  // namespace tavorin
