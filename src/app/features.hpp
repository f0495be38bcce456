#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/menu.hpp"
#include "pointer/core/pointer_locator_settings.hpp"

namespace tavorin {

// How the application shell sees the four features that run inside the program. Each feature's
// controller is adapted to one of these; a feature that is not built in is simply absent.

enum class CutPasteState { stopped, waitingForPermission, running };

class CutPasteFeature {
 public:
  virtual ~CutPasteFeature() = default;
  virtual CutPasteState state() const = 0;
  virtual bool hasPendingCut() const = 0;
  virtual void start(bool promptForPermission) = 0;
  virtual void stop() = 0;
  virtual void cancelCut() = 0;
  // The display texts of the cut and the paste shortcut ("⌘X", "⌘V").
  virtual std::string cutShortcutDisplay() const = 0;
  virtual std::string pasteShortcutDisplay() const = 0;

  // Installed by the shell; the feature calls them on the main loop.
  std::function<void(CutPasteState)> onStateChange;
  std::function<void(int files)> onCut;
  std::function<void(int files)> onMove;
  std::function<void()> onCutCancelled;
  std::function<void()> onRelaunchNeeded;
};

class TilingFeature {
 public:
  virtual ~TilingFeature() = default;
  virtual bool isRunning() const = 0;
  virtual void start(bool promptForPermission) = 0;
  virtual void stop() = 0;
  // The "Window Layout" item with the feature's own submenu, for the status menu.
  virtual std::shared_ptr<MenuItem> makeMenuItem() = 0;
};

class PointerFeature {
 public:
  virtual ~PointerFeature() = default;
  virtual bool isRunning() const = 0;
  // Whether the configured trigger needs the Accessibility permission.
  virtual bool needsPermission() const = 0;
  virtual void start(bool promptForPermission) = 0;
  virtual void stop() = 0;
  virtual PointerLocatorSettings settings() const = 0;

  std::function<void()> onStateChange;
};

class SmartDockFeature {
 public:
  virtual ~SmartDockFeature() = default;
  virtual bool isRunning() const = 0;
  virtual void start() = 0;
  virtual void stop() = 0;
};

struct Features {
  std::shared_ptr<CutPasteFeature> cutPaste;
  std::shared_ptr<TilingFeature> tiling;
  std::shared_ptr<PointerFeature> pointer;
  std::shared_ptr<SmartDockFeature> smartDock;
};

// The settings window, as the shell opens it.
class SettingsWindow {
 public:
  virtual ~SettingsWindow() = default;
  // Opens the window on `pane` ("general", "permissions", ...), or on the pane last selected.
  virtual void show(std::optional<std::string> pane) = 0;
};

// Whether the system has the folder previewer registered and switched on.
enum class QuickLookExtensionStatus { enabled, disabled, notRegistered, unknown };

}  // namespace tavorin
