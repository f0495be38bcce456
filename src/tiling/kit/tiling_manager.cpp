#include "tiling/kit/tiling_manager.hpp"

#include <algorithm>
#include <string>

#include "localization/localizer.hpp"
#include "tiling/core/window_assignment.hpp"
#include "tiling/kit/accessibility_permission.hpp"
#include "tiling/kit/key_combos.hpp"

namespace tavorin {

namespace {

// A window counts as placed in its zone when it covers most of the smaller of the two and is
// not much larger than the zone.
constexpr double placedCoverage = 0.8;
constexpr double placedOversize = 1.25;
// A zone counts as covered by a window that extends over more than half of it.
constexpr double coveredShare = 0.5;
// Screens this close count as touching.
constexpr double adjacentSlack = 1;

// The warning sign in its text form, then a space.
constexpr const char* warningPrefix = "\u26A0\uFE0E ";

// Whether `candidate` lies further in `direction` than `current` (strictly, so the earlier zone
// keeps a tie).
bool liesFurther(const TRect& candidate, const TRect& current, Direction direction) {
  switch (direction) {
    case Direction::left:
      return candidate.x < current.x;
    case Direction::right:
      return candidate.maxX() > current.maxX();
    case Direction::up:
      return candidate.y < current.y;
    case Direction::down:
      return candidate.maxY() > current.maxY();
  }
  return false;
}

// Whether `other` lies next to `current` in `direction`; both frames in screen space (y up).
bool liesBeside(const Rect& other, const Rect& current, Direction direction) {
  switch (direction) {
    case Direction::up:
      return other.minY() >= current.maxY() - adjacentSlack;
    case Direction::down:
      return other.maxY() <= current.minY() + adjacentSlack;
    case Direction::right:
      return other.minX() >= current.maxX() - adjacentSlack;
    case Direction::left:
      return other.maxX() <= current.minX() + adjacentSlack;
  }
  return false;
}

std::shared_ptr<MenuItem> makeItem(std::string title, std::function<void()> action = {}) {
  auto item = std::make_shared<MenuItem>();
  item->title = std::move(title);
  item->action = std::move(action);
  return item;
}

}  // namespace

std::shared_ptr<TilingManager> TilingManager::create(Platform& platform) {
  return create(platform,
                std::make_unique<TemplateStore>(TemplateStore::defaultURL(platform.process)));
}

std::shared_ptr<TilingManager> TilingManager::create(Platform& platform,
                                                     std::unique_ptr<TemplateStore> store) {
  if (!store) store = std::make_unique<TemplateStore>();
  return std::shared_ptr<TilingManager>(new TilingManager(platform, std::move(store)));
}

TilingManager::TilingManager(Platform& platform, std::unique_ptr<TemplateStore> store)
    : platform_(platform), store_(std::move(store)) {
  if (platform.accessibility != nullptr && platform.runningApplications != nullptr) {
    windows_ = WindowServices::create(*platform.accessibility, *platform.runningApplications);
  }
  if (platform.screens != nullptr) geometry_.emplace(*platform.screens);
  if (platform.hotKeys != nullptr)
    hotKeyCenter_ = std::make_unique<HotKeyCenter>(*platform.hotKeys);
  if (platform.overlays != nullptr) {
    zonePreviews_ = [&platform](const Screen& screen) -> std::unique_ptr<ZonePreview> {
      const auto screens =
          platform.screens != nullptr ? platform.screens->screens() : std::vector<Screen>{};
      const double primaryHeight = screens.empty() ? 0 : screens.front().frame.height;
      return std::make_unique<ZonePreviewController>(*platform.overlays, screen, primaryHeight);
    };
  }
}

TilingManager::~TilingManager() {
  // Hot keys registered with the system outlive their handler otherwise.
  stop();
}

// Lifecycle

void TilingManager::start(bool promptForPermission) {
  if (started_) return;
  started_ = true;
  if (promptForPermission && platform_.accessibility != nullptr) {
    platform_.accessibility->isProcessTrustedWithPrompt();
  }
  if (!hotKeysSuspended_) registerHotKeys();
  dragSnap().start();
  const std::weak_ptr<TilingManager> weak = weak_from_this();
  if (platform_.screens != nullptr) {
    screenChanges_ = platform_.screens->observeChanges([weak] {
      if (auto self = weak.lock()) self->onScreensChanged();
    });
  }
  if (platform_.accessibility != nullptr && !isTrusted()) {
    RunLoop& loop = platform_.runLoop;
    permissionTimer_ = Timer(loop, loop.scheduleRepeating(permissionPollInterval, [weak] {
      if (auto self = weak.lock()) self->onPermissionPoll();
    }));
  }
}

void TilingManager::stop() {
  if (!started_) return;
  started_ = false;
  permissionTimer_.cancel();
  if (hotKeyCenter_) hotKeyCenter_->unregisterAll();
  if (dragSnap_) dragSnap_->stop();
  if (suggestions_) suggestions_->close();
  closeEditor();
  cancelFlash();
  screenChanges_.reset();
}

DragSnapController& TilingManager::dragSnap() {
  if (dragSnap_) return *dragSnap_;
  const std::weak_ptr<TilingManager> weak = weak_from_this();
  DragSnapController::Config config;
  config.templates = [weak] {
    auto self = weak.lock();
    return self ? self->store_->templates() : std::vector<LayoutTemplate>{};
  };
  config.templateForScreen = [weak](const Screen& screen) {
    auto self = weak.lock();
    return self ? self->templateForScreen(screen) : LayoutTemplate{};
  };
  config.settings = [weak] {
    auto self = weak.lock();
    return self ? self->store_->settings() : TilingSettings{};
  };
  config.onResize = [weak](const std::shared_ptr<AXWindow>& window, const TRect& oldFrame,
                           const TRect& newFrame) {
    if (auto self = weak.lock()) self->smartResize(window, oldFrame, newFrame);
  };
  config.onTiled = [weak](const std::shared_ptr<AXWindow>& window, const TRect& frame,
                          const std::vector<TRect>& zones, const Screen& screen) {
    auto self = weak.lock();
    if (self && self->suggestions_)
      self->suggestions_->suggestWindows(window, frame, zones, screen);
  };
  dragSnap_ = DragSnapController::create(platform_, windows_, std::move(config));
  return *dragSnap_;
}

void TilingManager::onPermissionPoll() {
  if (!isTrusted()) return;
  permissionTimer_.cancel();
  // Event monitors made before the grant do not see other applications' events.
  DragSnapController& snap = dragSnap();
  snap.stop();
  snap.start();
}

void TilingManager::onScreensChanged() {
  // Overlays made for the old geometry are made anew on the next drag.
  if (dragSnap_) dragSnap_->screensDidChange();
  if (!editor_) return;
  const std::uint32_t id = editor_->screen.displayID;
  const auto screens =
      platform_.screens != nullptr ? platform_.screens->screens() : std::vector<Screen>{};
  const bool stillThere = std::any_of(screens.begin(), screens.end(),
                                      [&](const Screen& s) { return s.displayID == id; });
  if (!stillThere) closeEditor();
}

// Hot keys

void TilingManager::registerHotKeys() {
  if (!hotKeyCenter_) {
    zoneShortcutFailures_.clear();
    return;
  }
  hotKeyCenter_->unregisterAll();
  const std::weak_ptr<TilingManager> weak = weak_from_this();
  zoneShortcutFailures_ = registerTilingHotKeys(
      *hotKeyCenter_, store_->settings().zoneShortcuts,
      [weak](const CommandShortcut& shortcut) {
        if (auto self = weak.lock()) self->runCommand(shortcut);
      },
      [weak](int zoneIndex) {
        if (auto self = weak.lock()) self->moveFocusedWindowToZone(zoneIndex);
      });
}

void TilingManager::setHotKeysSuspended(bool suspended) {
  if (suspended == hotKeysSuspended_) return;
  hotKeysSuspended_ = suspended;
  if (!started_) return;
  if (hotKeyCenter_) hotKeyCenter_->unregisterAll();
  if (!suspended) registerHotKeys();
}

void TilingManager::settingsDidChange() {
  if (started_ && !hotKeysSuspended_) registerHotKeys();
}

void TilingManager::runCommand(const CommandShortcut& shortcut) {
  switch (shortcut.command) {
    case TilingCommand::openEditor:
      openEditor(false);
      break;
    case TilingCommand::newLayout:
      openEditor(true);
      break;
    case TilingCommand::arrangeAll:
      arrangeAllOnCurrentScreen();
      break;
    case TilingCommand::nextLayout:
      cycleTemplateOnCurrentScreen();
      break;
    case TilingCommand::move:
    case TilingCommand::extend:
      if (shortcut.direction) {
        moveFocusedWindow(*shortcut.direction, shortcut.command == TilingCommand::extend);
      }
      break;
  }
}

// Screens and templates

bool TilingManager::isTrusted() const {
  return platform_.accessibility != nullptr && platform_.accessibility->isProcessTrusted();
}

bool TilingManager::ensureTrusted() {
  if (platform_.accessibility == nullptr) return false;
  if (platform_.accessibility->isProcessTrusted()) return true;
  platform_.accessibility->isProcessTrustedWithPrompt();
  return false;
}

std::optional<Screen> TilingManager::screenUnderMouse() const {
  if (!geometry_) return std::nullopt;
  return geometry_->screenUnderMouse();
}

LayoutTemplate TilingManager::currentTemplate() const {
  if (auto screen = screenUnderMouse()) return templateForScreen(*screen);
  return store_->templates().front();
}

LayoutTemplate TilingManager::templateForScreen(const Screen& screen) const {
  return store_->templateForScreen(ScreenGeometry::tilingKey(screen));
}

std::vector<TRect> TilingManager::zones(const Screen& screen) const {
  if (!geometry_) return {};
  return templateForScreen(screen).frames(geometry_->zoneArea(screen), store_->settings().gap);
}

void TilingManager::setTemplate(const Uuid& id, const Screen& screen) {
  if (!store_->templateWithId(id)) return;
  store_->assign(id, ScreenGeometry::tilingKey(screen));
  flashTemplate(screen);
}

void TilingManager::cycleTemplateOnCurrentScreen() {
  auto screen = screenUnderMouse();
  if (!screen) return;
  const std::string key = ScreenGeometry::tilingKey(*screen);
  store_->assign(store_->nextTemplateForScreen(key).id, key);
  flashTemplate(*screen);
}

// Window commands

std::optional<TilingManager::FocusedWindow> TilingManager::focusedWindow() const {
  if (!geometry_) return std::nullopt;
  auto window = AXWindow::focused(windows_);
  if (!window) return std::nullopt;
  auto frame = window->frame();
  if (!frame) return std::nullopt;
  auto screen = geometry_->screen(*frame);
  if (!screen) return std::nullopt;
  return FocusedWindow{std::move(window), *frame, *screen};
}

void TilingManager::beep() {
  if (platform_.systemBeep != nullptr) platform_.systemBeep->beep();
}

void TilingManager::arrangeAllOnCurrentScreen() {
  if (!ensureTrusted()) return;
  auto screen = screenUnderMouse();
  if (!screen) return;
  const std::vector<TRect> zoneFrames = zones(*screen);
  std::vector<std::shared_ptr<AXWindow>> windows;
  std::vector<TRect> frames;
  for (auto& window : AXWindow::allStandardWindows(windows_)) {
    auto frame = window->frame();
    if (!frame || geometry_->screen(*frame) != screen) continue;
    windows.push_back(std::move(window));
    frames.push_back(*frame);
  }
  const std::vector<int> assignment = WindowAssignment::assign(frames, zoneFrames);
  for (std::size_t i = 0; i < assignment.size(); ++i) {
    if (assignment[i] >= 0)
      windows[i]->setFrame(zoneFrames[static_cast<std::size_t>(assignment[i])]);
  }
}

void TilingManager::moveFocusedWindow(Direction direction, bool extend) {
  if (!ensureTrusted()) return;
  auto focused = focusedWindow();
  if (!focused) return;
  const TRect& frame = focused->frame;
  const std::vector<TRect> zoneFrames = zones(focused->screen);
  const auto best = WindowAssignment::bestZone(frame, zoneFrames);
  if (!best) return;
  AXWindow& window = *focused->window;

  if (!extend) {
    const TRect& zone = zoneFrames[static_cast<std::size_t>(*best)];
    const bool placed =
        frame.intersectionArea(zone) > placedCoverage * std::min(frame.area(), zone.area()) &&
        frame.area() < placedOversize * zone.area();
    // The first press snaps a loose window into its zone.
    if (!placed) {
      window.setFrame(zone);
      return;
    }
    if (auto next = ZoneNavigation::neighbor(*best, direction, zoneFrames)) {
      window.setFrame(zoneFrames[static_cast<std::size_t>(*next)]);
      return;
    }
    moveToNeighbouringScreen(window, frame, focused->screen, direction, false);
    return;
  }

  // Extend from the covered zone that lies furthest that way.
  std::optional<int> source;
  for (std::size_t i = 0; i < zoneFrames.size(); ++i) {
    const TRect& zone = zoneFrames[i];
    if (!(frame.intersectionArea(zone) > coveredShare * zone.area())) continue;
    if (!source || liesFurther(zone, zoneFrames[static_cast<std::size_t>(*source)], direction)) {
      source = static_cast<int>(i);
    }
  }
  auto next = ZoneNavigation::neighbor(source.value_or(*best), direction, zoneFrames);
  if (!next) {
    moveToNeighbouringScreen(window, frame, focused->screen, direction, true);
    return;
  }
  window.setFrame(frame.unionWith(zoneFrames[static_cast<std::size_t>(*next)]));
}

void TilingManager::moveToNeighbouringScreen(AXWindow& window, const TRect& frame,
                                             const Screen& screen, Direction direction,
                                             bool extend) {
  // A window never spans screens.
  if (extend) {
    beep();
    return;
  }
  std::optional<Screen> beside;
  for (const Screen& other : platform_.screens->screens()) {
    if (other == screen) continue;
    if (liesBeside(other.frame, screen.frame, direction)) {
      beside = other;
      break;
    }
  }
  if (!beside) {
    beep();
    return;
  }
  const std::vector<TRect> zoneFrames = zones(*beside);
  if (zoneFrames.empty()) return;
  const TPoint centre = frame.center();
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < zoneFrames.size(); ++i) {
    if (zoneFrames[i].center().distance(centre) < zoneFrames[nearest].center().distance(centre)) {
      nearest = i;
    }
  }
  window.setFrame(zoneFrames[nearest]);
}

void TilingManager::moveFocusedWindowToZone(int index) {
  if (!ensureTrusted()) return;
  auto focused = focusedWindow();
  if (!focused) return;
  const std::vector<TRect> zoneFrames = zones(focused->screen);
  if (index < 0 || static_cast<std::size_t>(index) >= zoneFrames.size()) {
    beep();
    return;
  }
  focused->window->setFrame(zoneFrames[static_cast<std::size_t>(index)]);
}

void TilingManager::smartResize(const std::shared_ptr<AXWindow>& window, const TRect& oldFrame,
                                const TRect& newFrame) {
  const TilingSettings& settings = store_->settings();
  if (!settings.smartResizeEnabled || !window || !geometry_) return;
  auto screen = geometry_->screen(newFrame);
  if (!screen) return;
  std::vector<std::shared_ptr<AXWindow>> others;
  std::vector<TRect> frames;
  for (auto& other : AXWindow::allStandardWindows(windows_)) {
    if (*other == *window) continue;
    auto frame = other->frame();
    if (!frame || geometry_->screen(*frame) != screen) continue;
    others.push_back(std::move(other));
    frames.push_back(*frame);
  }
  const auto adjustments = SmartResize::adjustments(
      oldFrame, newFrame, frames, settings.gap + smartResizeSlack, smartResizeMinSize);
  for (const auto& [index, rect] : adjustments) {
    others[static_cast<std::size_t>(index)]->setFrame(rect);
  }
}

// Editor, flash and backup dialogs

void TilingManager::openEditor(bool newTemplate) {
  if (editor_ || !editors_) return;
  auto screen = screenUnderMouse();
  if (!screen) return;
  LayoutTemplate layout =
      newTemplate
          ? LayoutTemplate{Uuid::random(), L("New layout %d", store_->templates().size() + 1),
                           LayoutNode::leaf()}
          : templateForScreen(*screen);
  const std::uint64_t generation = ++editorGeneration_;
  const std::weak_ptr<TilingManager> weak = weak_from_this();
  // Reports of an editor that is no longer the open one are ignored.
  auto current = [weak, generation]() -> std::shared_ptr<TilingManager> {
    auto self = weak.lock();
    if (!self || !self->editor_ || self->editor_->generation != generation) return nullptr;
    return self;
  };
  LayoutEditorRequest request{*screen, std::move(layout), store_->settings().gap,
                              [current](const LayoutTemplate& edited) {
                                auto self = current();
                                if (!self) return;
                                self->store_->upsert(edited);
                                const std::uint32_t id = self->editor_->screen.displayID;
                                if (self->platform_.screens != nullptr) {
                                  for (const Screen& s : self->platform_.screens->screens()) {
                                    if (s.displayID == id) {
                                      self->store_->assign(edited.id, ScreenGeometry::tilingKey(s));
                                      break;
                                    }
                                  }
                                }
                                self->closeEditor();
                              },
                              [current] {
                                if (auto self = current()) self->closeEditor();
                              }};
  auto session = editors_(std::move(request));
  if (!session) return;
  editor_ =
      OpenEditor{std::shared_ptr<LayoutEditorSession>(std::move(session)), *screen, generation};
}

void TilingManager::closeEditor() {
  if (!editor_) return;
  auto session = std::move(editor_->session);
  editor_.reset();
  session->close();
  // The editor may be reporting a save or cancel right now: it goes away after that call ends.
  platform_.runLoop.post([keep = std::move(session)] {});
}

void TilingManager::flashTemplate(const Screen& screen) {
  cancelFlash();
  if (!zonePreviews_) return;
  auto preview = zonePreviews_(screen);
  if (!preview) return;
  preview->showLayout(zones(screen), templateForScreen(screen).name);
  flash_.preview = std::move(preview);
  const std::weak_ptr<TilingManager> weak = weak_from_this();
  RunLoop& loop = platform_.runLoop;
  flash_.hide = Timer(loop, loop.scheduleOnce(flashDuration, [weak] {
    if (auto self = weak.lock()) self->cancelFlash();
  }));
}

void TilingManager::cancelFlash() {
  flash_.hide.cancel();
  if (auto preview = std::move(flash_.preview)) preview->hide();
}

void TilingManager::importTemplatesInteractively(std::function<void()> completion) {
  if (backupDialogs_) backupDialogs_->importInteractively(std::move(completion));
}

void TilingManager::exportTemplatesInteractively() {
  if (backupDialogs_) backupDialogs_->exportInteractively();
}

// Menu

std::shared_ptr<MenuItem> TilingManager::makeMenuItem() {
  auto item = makeItem(L("Window Layout"));
  item->submenu = std::make_shared<Menu>(L("Window Layout"));
  item->submenu->needsUpdate = menuDelegate();
  return item;
}

std::function<void(Menu&)> TilingManager::menuDelegate() {
  return [weak = weak_from_this()](Menu& menu) {
    if (auto self = weak.lock()) self->menuNeedsUpdate(menu);
  };
}

std::function<void()> TilingManager::afterMenuCloses(std::function<void(TilingManager&)> command) {
  return [weak = weak_from_this(), command = std::move(command)] {
    auto self = weak.lock();
    if (!self) return;
    self->platform_.runLoop.post([weak, command] {
      if (auto self = weak.lock()) command(*self);
    });
  };
}

void TilingManager::menuNeedsUpdate(Menu& menu) {
  menu.removeAll();
  const std::weak_ptr<TilingManager> weak = weak_from_this();

  if (platform_.accessibility != nullptr && !isTrusted()) {
    menu.add(makeItem(warningPrefix + L("Grant Accessibility permission…"), [weak] {
      auto self = weak.lock();
      if (!self || self->platform_.accessibility == nullptr) return;
      AccessibilityPermission permission(*self->platform_.accessibility);
      permission.request();
      permission.openSystemSettings();
    }));
    menu.add(MenuItem::separator());
  }

  // The editor commands are there once the editor is.
  auto editorCommand = [&](bool newTemplate) -> std::function<void()> {
    if (!editors_) return {};
    return afterMenuCloses([newTemplate](TilingManager& m) { m.openEditor(newTemplate); });
  };
  auto edit = makeItem(L("Edit layout"), editorCommand(false));
  edit->keyEquivalent = "⌃⌥E";
  menu.add(edit);
  auto draw = makeItem(L("Draw new layout"), editorCommand(true));
  draw->keyEquivalent = "⌃⌥N";
  menu.add(draw);
  auto arrange = makeItem(L("Arrange windows into layout"),
                          afterMenuCloses([](TilingManager& m) { m.arrangeAllOnCurrentScreen(); }));
  arrange->keyEquivalent = "⌃⌥A";
  menu.add(arrange);
  menu.add(MenuItem::separator());

  const auto screen = screenUnderMouse();
  std::string heading = L("Layout for this screen");
  if (screen) heading += " (" + screen->localizedName + ")";
  menu.add(makeItem(std::move(heading)));

  const LayoutTemplate current = currentTemplate();
  for (const LayoutTemplate& layout : store_->templates()) {
    std::function<void()> choose;
    if (screen) {
      choose = afterMenuCloses(
          [id = layout.id, screen = *screen](TilingManager& m) { m.setTemplate(id, screen); });
    }
    auto item =
        makeItem(layout.name + "  ·  " + L("%d zones", layout.root.zoneCount()), std::move(choose));
    item->isChecked = layout.id == current.id;
    menu.add(std::move(item));
  }

  std::function<void()> deleteCurrent;
  if (store_->templates().size() > 1) {
    deleteCurrent = [weak, id = current.id] {
      if (auto self = weak.lock()) self->store_->deleteTemplate(id);
    };
  }
  menu.add(makeItem(L("Delete current layout"), std::move(deleteCurrent)));
  menu.add(MenuItem::separator());

  auto settings = makeItem(L("Settings"));
  settings->submenu = makeSettingsMenu();
  menu.add(std::move(settings));

  menu.add(makeItem(L("⌃⌥ arrows: next zone · ⌃⌥⇧ arrows: extend · ⌃⌥T: next layout")));
}

std::shared_ptr<Menu> TilingManager::makeSettingsMenu() {
  auto menu = std::make_shared<Menu>(L("Settings"));
  const TilingSettings& settings = store_->settings();
  const std::weak_ptr<TilingManager> weak = weak_from_this();
  auto edit = [weak](std::function<void(TilingSettings&)> change) -> std::function<void()> {
    return [weak, change = std::move(change)] {
      if (auto self = weak.lock()) self->store_->updateSettings(change);
    };
  };

  auto check = [&](std::string title, bool TilingSettings::*field, bool enabled = true) {
    auto item = makeItem(std::move(title));
    item->isChecked = settings.*field;
    if (enabled) item->action = edit([field](TilingSettings& s) { s.*field = !(s.*field); });
    menu->add(std::move(item));
  };
  check(L("Snap while dragging"), &TilingSettings::dragSnapEnabled);
  check(L("Snap Assistant (top of screen)"), &TilingSettings::snapAssistantEnabled);
  check(L("Keep Snap Assistant open while dragging"), &TilingSettings::snapAssistantOpenImmediately,
        settings.snapAssistantEnabled);
  check(L("Snap to screen edges"), &TilingSettings::edgeTilingEnabled);
  check(L("Smart resize (neighbouring windows follow)"), &TilingSettings::smartResizeEnabled);
  check(L("Window suggestions"), &TilingSettings::windowSuggestionsEnabled);

  auto modifierMenu = [&](std::string title, DragModifier TilingSettings::*field) {
    auto item = makeItem(title);
    item->submenu = std::make_shared<Menu>(std::move(title));
    for (DragModifier modifier : allDragModifiers) {
      auto choice = makeItem(displayName(modifier),
                             edit([field, modifier](TilingSettings& s) { s.*field = modifier; }));
      choice->isChecked = settings.*field == modifier;
      item->submenu->add(std::move(choice));
    }
    menu->add(std::move(item));
  };
  modifierMenu(L("Key that shows zones"), &TilingSettings::dragModifier);
  modifierMenu(L("Key to span zones"), &TilingSettings::spanModifier);

  auto gaps = makeItem(L("Window gap"));
  gaps->submenu = std::make_shared<Menu>(L("Window gap"));
  for (int gap : gapChoices) {
    auto choice =
        makeItem(std::to_string(gap) + " pt", edit([gap](TilingSettings& s) { s.gap = gap; }));
    choice->isChecked = settings.gap == gap;
    gaps->submenu->add(std::move(choice));
  }
  menu->add(std::move(gaps));

  menu->add(MenuItem::separator());
  menu->add(MenuItem::separator());
  std::function<void()> importFile;
  std::function<void()> exportFile;
  if (backupDialogs_) {
    importFile = afterMenuCloses([](TilingManager& m) { m.importTemplatesInteractively({}); });
    exportFile = afterMenuCloses([](TilingManager& m) { m.exportTemplatesInteractively(); });
  }
  menu->add(makeItem(L("Import window layout settings…"), std::move(importFile)));
  menu->add(makeItem(L("Export window layout settings…"), std::move(exportFile)));
  return menu;
}

}  // namespace tavorin
