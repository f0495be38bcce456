#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "platform/menu.hpp"
#include "platform/platform.hpp"
#include "platform/run_loop.hpp"
#include "platform/signal.hpp"
#include "tiling/core/spatial.hpp"
#include "tiling/core/template_store.hpp"
#include "tiling/kit/ax_window.hpp"
#include "tiling/kit/drag_snap_controller.hpp"
#include "tiling/kit/hot_key_center.hpp"
#include "tiling/kit/key_combos.hpp"
#include "tiling/kit/screen_geometry.hpp"
#include "tiling/kit/tiling_companions.hpp"

namespace tavorin {

// The window layout feature: owns the template store, starts and stops the feature, registers
// its hot keys, runs every keyboard and menu command and builds the feature's submenu of the
// status menu. Made once by whoever wires the program; timers, hot keys and menu actions hold
// it weakly and do nothing once it is gone. Main loop only.
//
// Commands that touch windows (arranging, moving, extending, zone shortcuts) first check the
// accessibility trust; without it they ask for it (the system may prompt) and do nothing else.
// Commands also work while the feature is stopped.
class TilingManager : public std::enable_shared_from_this<TilingManager> {
 public:
  // Seconds between trust checks after a start without the accessibility permission.
  static constexpr Seconds permissionPollInterval = 2.0;
  // Seconds the layout flash stays on screen.
  static constexpr Seconds flashDuration = 0.9;
  // The window gaps the menu offers, in points.
  static constexpr std::array<int, 6> gapChoices{0, 4, 8, 12, 16, 24};
  // Neighbouring windows follow a resize when they lie within the gap plus this, and only while
  // they keep at least `smartResizeMinSize`.
  static constexpr double smartResizeSlack = 12;
  static constexpr double smartResizeMinSize = 120;

  // With the state file at its usual place.
  static std::shared_ptr<TilingManager> create(Platform& platform);
  static std::shared_ptr<TilingManager> create(Platform& platform,
                                               std::unique_ptr<TemplateStore> store);
  ~TilingManager();
  TilingManager(const TilingManager&) = delete;
  TilingManager& operator=(const TilingManager&) = delete;

  TemplateStore& store() { return *store_; }
  const TemplateStore& store() const { return *store_; }
  // Other applications' windows and the memory of their sizes before snapping; null when the
  // platform has no accessibility interface.
  const std::shared_ptr<WindowServices>& windowServices() const { return windows_; }

  // Starting registers the hot keys (unless suspended), starts snapping by dragging and follows
  // screen changes; without the permission yet it checks every 2 s until it is granted, and then
  // starts drag snapping again so that it sees other applications' events. `promptForPermission`
  // lets the system ask the user. Starting a running feature and stopping a stopped one do
  // nothing.
  void start(bool promptForPermission);
  // Releases every hot key, stops drag snapping, closes the window suggestions, the editor and
  // the flash and stops following screens.
  void stop();
  bool isRunning() const { return started_; }

  // Registers the command shortcuts and the zone shortcuts anew (whatever was registered before
  // is released first) and remembers the zones whose shortcut could not be registered.
  void registerHotKeys();
  // Releases every hot key while suspended (a shortcut is being recorded) and registers them
  // again afterwards, when the feature runs.
  void setHotKeysSuspended(bool suspended);
  bool hotKeysSuspended() const { return hotKeysSuspended_; }
  // After the settings changed elsewhere: registers the hot keys again when running and not
  // suspended.
  void settingsDidChange();
  // Zone numbers whose hot key the system refused in the last registration.
  const std::set<int>& zoneShortcutFailures() const { return zoneShortcutFailures_; }

  // The "Window Layout" item with its submenu, which is built afresh every time it opens.
  std::shared_ptr<MenuItem> makeMenuItem();
  // What the submenu runs before it opens (the submenu's delegate), for a menu that had it taken
  // away; holds the manager weakly.
  std::function<void(Menu&)> menuDelegate();
  // Fills `menu` with the window layout submenu as it is now.
  void menuNeedsUpdate(Menu& menu);

  // The template of the screen under the pointer, or the first template without screens.
  LayoutTemplate currentTemplate() const;
  LayoutTemplate templateForScreen(const Screen& screen) const;
  // The screen's zones: its template laid out in its visible frame (window space) with the gap.
  std::vector<TRect> zones(const Screen& screen) const;
  // Gives the screen that template and flashes it; an unknown id changes nothing.
  void setTemplate(const Uuid& id, const Screen& screen);

  // Opens the layout editor on the current layout of the screen under the pointer, or on a new
  // one. Nothing while an editor is open, without a screen, or without the editor.
  void openEditor(bool newTemplate);
  bool isEditorOpen() const { return editor_.has_value(); }
  // Moves the standard windows of the screen under the pointer into the zones of its layout.
  void arrangeAllOnCurrentScreen();
  // Switches the screen under the pointer to its next layout and flashes it.
  void cycleTemplateOnCurrentScreen();
  // Moves the focused window to the next zone in `direction` (the first press snaps a loose
  // window into its zone), or with `extend` grows it over the next zone. At the last zone the
  // window moves on to the nearest zone of the neighbouring screen; without one, or while
  // extending, the system beeps.
  void moveFocusedWindow(Direction direction, bool extend);
  // Moves the focused window into zone `index` (0-based) of its screen; beeps when the layout
  // has no such zone.
  void moveFocusedWindowToZone(int index);
  // After the user resized `window` from `oldFrame` to `newFrame` by dragging: windows of the
  // same screen that shared a moved edge follow it (when smart resize is on).
  void smartResize(const std::shared_ptr<AXWindow>& window, const TRect& oldFrame,
                   const TRect& newFrame);
  // The backup file dialogs; nothing without them.
  void importTemplatesInteractively(std::function<void()> completion);
  void exportTemplatesInteractively();
  // Shows the screen's layout for a moment (replacing a flash still on screen).
  void flashTemplate(const Screen& screen);
  bool isFlashing() const { return flash_.preview != nullptr; }

  // Snapping by dragging, made on first use with the store's templates and settings; a resize
  // by dragging runs smart resize, a snap goes to the window suggestions.
  DragSnapController& dragSnap();

  // The parts that join later. The zone preview factory replaces the manager's own overlay.
  void setZonePreviewFactory(ZonePreviewFactory factory) { zonePreviews_ = std::move(factory); }
  void setLayoutEditorFactory(LayoutEditorFactory factory) { editors_ = std::move(factory); }
  void setBackupDialogs(std::shared_ptr<BackupDialogs> dialogs) {
    backupDialogs_ = std::move(dialogs);
  }
  void setWindowSuggestions(std::shared_ptr<WindowSuggestionsOffer> suggestions) {
    suggestions_ = std::move(suggestions);
  }

 private:
  struct OpenEditor {
    std::shared_ptr<LayoutEditorSession> session;
    Screen screen;
    std::uint64_t generation = 0;
  };
  struct Flash {
    std::unique_ptr<ZonePreview> preview;
    Timer hide;
  };
  struct FocusedWindow {
    std::shared_ptr<AXWindow> window;
    TRect frame;
    Screen screen;
  };

  TilingManager(Platform& platform, std::unique_ptr<TemplateStore> store);

  bool isTrusted() const;
  // The trust test of every window command: asks with the prompt when not trusted.
  bool ensureTrusted();
  std::optional<Screen> screenUnderMouse() const;
  std::optional<FocusedWindow> focusedWindow() const;
  void beep();
  // Moves a window that has no neighbouring zone in `direction` to the neighbouring screen.
  void moveToNeighbouringScreen(AXWindow& window, const TRect& frame, const Screen& screen,
                                Direction direction, bool extend);
  void runCommand(const CommandShortcut& shortcut);
  void onScreensChanged();
  void onPermissionPoll();
  void closeEditor();
  void cancelFlash();
  // An action that runs `command` on the main loop after the menu closed.
  std::function<void()> afterMenuCloses(std::function<void(TilingManager&)> command);
  std::shared_ptr<Menu> makeSettingsMenu();

  Platform& platform_;
  std::unique_ptr<TemplateStore> store_;
  std::shared_ptr<WindowServices> windows_;
  std::optional<ScreenGeometry> geometry_;
  std::unique_ptr<HotKeyCenter> hotKeyCenter_;
  std::set<int> zoneShortcutFailures_;
  bool hotKeysSuspended_ = false;
  bool started_ = false;
  Timer permissionTimer_;
  Subscription screenChanges_;
  std::optional<OpenEditor> editor_;
  std::uint64_t editorGeneration_ = 0;
  Flash flash_;
  ZonePreviewFactory zonePreviews_;
  LayoutEditorFactory editors_;
  std::shared_ptr<BackupDialogs> backupDialogs_;
  std::shared_ptr<WindowSuggestionsOffer> suggestions_;
  std::shared_ptr<DragSnapController> dragSnap_;
};

}  // namespace tavorin
