#include "tiling/kit/tiling_manager.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

constexpr std::uint32_t left = 123;
constexpr std::uint32_t right = 124;
constexpr std::uint32_t extendModifiers = controlOption | KeyCombo::shiftKey;

// The built-in templates, in list order.
const Uuid twoColumns = LayoutTemplate::defaults()[0].id;
const Uuid threeColumns = LayoutTemplate::defaults()[1].id;
const Uuid wideScreen = LayoutTemplate::defaults()[4].id;

// What the layout flash showed and hid, in order.
struct PreviewLog {
  struct Shown {
    std::uint32_t displayID;
    std::vector<TRect> zones;
    std::string title;
  };
  std::vector<Shown> shown;
  int hidden = 0;
};

class RecordingPreview final : public ZonePreview {
 public:
  RecordingPreview(std::shared_ptr<PreviewLog> log, std::uint32_t displayID)
      : log_(std::move(log)), displayID_(displayID) {}
  void showLayout(const std::vector<TRect>& zones, const std::string& title) override {
    log_->shown.push_back({displayID_, zones, title});
  }
  void hide() override { ++log_->hidden; }

 private:
  std::shared_ptr<PreviewLog> log_;
  std::uint32_t displayID_;
};

// Layout editors opened by the manager; a test saves or cancels them as the user would.
struct EditorLog {
  std::vector<LayoutEditorRequest> requests;
  int closed = 0;
};

class RecordingEditor final : public LayoutEditorSession {
 public:
  explicit RecordingEditor(std::shared_ptr<EditorLog> log) : log_(std::move(log)) {}
  void close() override { ++log_->closed; }

 private:
  std::shared_ptr<EditorLog> log_;
};

// Two-column layouts on a 1000×800 screen with the default gap of 8.
const Rect leftHalf{8, 8, 488, 784};
const Rect rightHalf{504, 8, 488, 784};

struct TilingManagerTest : ::testing::Test {
  sim::SimDesktop desktop;
  sim::SimAccessibility& ax = desktop.accessibility;
  Screen primary = sim::SimScreens::make(1, {0, 0, 1000, 800});
  ProcessId editorApp = ax.addApplication("Editor");
  std::shared_ptr<TilingManager> manager =
      TilingManager::create(desktop.platform(), std::make_unique<TemplateStore>());
  std::shared_ptr<PreviewLog> previews = std::make_shared<PreviewLog>();
  std::shared_ptr<EditorLog> editors = std::make_shared<EditorLog>();

  void SetUp() override {
    desktop.permissions.accessibilityTrusted = true;
    desktop.screens.setScreens({primary});
    desktop.screens.setPointerLocation({500, 400});
  }

  AXElement focusedWindow(Rect frame) {
    AXElement window = ax.addWindow(editorApp, {.title = "Notes", .frame = frame});
    ax.focusWindow(window);
    return window;
  }
  bool press(std::uint32_t keyCode, std::uint32_t modifiers = controlOption) {
    return desktop.hotKeys.press(keyCode, modifiers);
  }
  int beeps() const { return desktop.systemBeep.beeps(); }
  std::string key(const Screen& screen) const { return ScreenGeometry::tilingKey(screen); }

  void recordPreviews() {
    manager->setZonePreviewFactory([log = previews](const Screen& screen) {
      return std::make_unique<RecordingPreview>(log, screen.displayID);
    });
  }
  void recordEditors() {
    manager->setLayoutEditorFactory([log = editors](LayoutEditorRequest request) {
      log->requests.push_back(std::move(request));
      return std::make_unique<RecordingEditor>(log);
    });
  }

  // The window layout submenu as it shows when opened now.
  std::shared_ptr<Menu> openMenu() {
    auto item = manager->makeMenuItem();
    item->submenu->prepareToOpen();
    return item->submenu;
  }
  static std::shared_ptr<MenuItem> find(const Menu& menu, std::string_view title) {
    for (const auto& item : menu.items) {
      if (item->title == title) return item;
    }
    ADD_FAILURE() << "no menu item \"" << title << "\"";
    return std::make_shared<MenuItem>();
  }
};

TEST_F(TilingManagerTest, MovingRightSnapsALooseWindowThenMovesItThenBeepsAtTheEdge) {
  manager->start(false);
  const AXElement window =
      focusedWindow({200, 100, 500, 600});  // mostly over the left half, partly over the right

  EXPECT_TRUE(press(right));
  EXPECT_EQ(ax.frame(window), leftHalf);
  EXPECT_TRUE(press(right));
  EXPECT_EQ(ax.frame(window), rightHalf);
  EXPECT_EQ(beeps(), 0);
  EXPECT_TRUE(press(right));  // no zone and no screen to the right
  EXPECT_EQ(ax.frame(window), rightHalf);
  EXPECT_EQ(beeps(), 1);

  EXPECT_TRUE(press(left));
  EXPECT_EQ(ax.frame(window), leftHalf);
}

TEST_F(TilingManagerTest, AWindowCountsAsPlacedOnlyWhenItFitsItsZone) {
  struct Case {
    Rect frame;
    Rect afterRight;
  };
  const Case cases[] = {
      {leftHalf, rightHalf},              // exactly the zone
      {{20, 30, 440, 700}, rightHalf},    // a little smaller, inside
      {{100, 100, 300, 300}, rightHalf},  // small but wholly inside: the smaller area counts
      {{300, 8, 400, 784}, leftHalf},     // straddling both halves: snapped into the first
      {{0, 0, 700, 800}, leftHalf},       // larger than the zone by more than a quarter
  };
  for (const Case& c : cases) {
    const AXElement window = focusedWindow(c.frame);
    manager->moveFocusedWindow(Direction::right, false);
    EXPECT_EQ(ax.frame(window), c.afterRight) << c.frame.x << ", " << c.frame.width;
    ax.closeWindow(window);
  }
  EXPECT_EQ(beeps(), 0);
}

TEST_F(TilingManagerTest, ExtendingGrowsAcrossColumnsThenBeepsAndRecordsNothing) {
  manager->store().assign(threeColumns, key(primary));
  const TilingState before = manager->store().state();
  manager->start(false);
  const auto zones = manager->zones(primary);
  ASSERT_EQ(zones.size(), 3u);
  const AXElement window = focusedWindow(zones[0].toRect());

  EXPECT_TRUE(press(right, extendModifiers));
  EXPECT_EQ(ax.frame(window), zones[0].unionWith(zones[1]).toRect());
  EXPECT_TRUE(press(right, extendModifiers));
  EXPECT_EQ(ax.frame(window), zones[0].unionWith(zones[2]).toRect());
  EXPECT_TRUE(press(right, extendModifiers));
  EXPECT_EQ(ax.frame(window), zones[0].unionWith(zones[2]).toRect());
  EXPECT_EQ(beeps(), 1);

  // Extending left starts from the left-most covered zone: there is none further left.
  EXPECT_TRUE(press(left, extendModifiers));
  EXPECT_EQ(beeps(), 2);
  EXPECT_EQ(manager->store().state(), before);
}

TEST_F(TilingManagerTest, AtTheLastZoneAWindowMovesToTheNearestZoneOfTheNeighbouringScreen) {
  // Side by side; a third screen above the primary one uses the three-column layout.
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  const Screen above = sim::SimScreens::make(3, {0, 800, 1500, 600});
  desktop.screens.setScreens({primary, second, above});
  manager->store().assign(threeColumns, key(above));
  const AXElement window = focusedWindow({1008, 8, 488, 784});  // left zone of the right screen

  manager->moveFocusedWindow(Direction::left, true);  // never across screens while extending
  EXPECT_EQ(ax.frame(window), (Rect{1008, 8, 488, 784}));
  EXPECT_EQ(beeps(), 1);

  manager->moveFocusedWindow(Direction::left, false);
  EXPECT_EQ(ax.frame(window), rightHalf);              // its centre is nearest
  manager->moveFocusedWindow(Direction::down, false);  // nothing below the primary screen
  EXPECT_EQ(beeps(), 2);

  // Up from the right half of the primary screen: the upper screen's nearest column. In the
  // window space that screen lies above y = 0.
  manager->moveFocusedWindow(Direction::up, false);
  const auto upper = manager->zones(above);
  ASSERT_EQ(upper.size(), 3u);
  EXPECT_EQ(upper[0].y, -600 + 8);
  EXPECT_EQ(ax.frame(window), upper[1].toRect());
  EXPECT_EQ(beeps(), 2);
}

TEST_F(TilingManagerTest, ZoneShortcutsMoveTheFocusedWindowOrBeepBeyondTheLayout) {
  manager->start(false);
  const AXElement window = focusedWindow({100, 100, 300, 300});
  EXPECT_TRUE(press(19));  // ⌃⌥2
  EXPECT_EQ(ax.frame(window), rightHalf);
  EXPECT_TRUE(press(23));  // ⌃⌥5: the layout has two zones
  EXPECT_EQ(ax.frame(window), rightHalf);
  EXPECT_EQ(beeps(), 1);

  // Without a focused window nothing happens, silently.
  ax.setFrontmost(std::nullopt);
  EXPECT_TRUE(press(18));
  EXPECT_TRUE(press(right));
  EXPECT_EQ(beeps(), 1);
}

TEST_F(TilingManagerTest, ArrangeAllFillsTheZonesOfTheScreenUnderThePointerOnly) {
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  desktop.screens.setScreens({primary, second});
  const AXElement a = ax.addWindow(editorApp, {.title = "A", .frame = {600, 100, 300, 300}});
  const AXElement b = ax.addWindow(editorApp, {.title = "B", .frame = {50, 50, 300, 300}});
  const AXElement elsewhere =
      ax.addWindow(editorApp, {.title = "C", .frame = {1200, 100, 300, 300}});
  const AXElement dialog =
      ax.addWindow(editorApp, {.title = "D", .frame = {10, 10, 100, 100}, .subrole = "AXDialog"});
  manager->start(false);

  EXPECT_TRUE(press(0));  // ⌃⌥A
  EXPECT_EQ(ax.frame(a), rightHalf);
  EXPECT_EQ(ax.frame(b), leftHalf);
  EXPECT_EQ(ax.frame(elsewhere), (Rect{1200, 100, 300, 300}));
  EXPECT_EQ(ax.frame(dialog), (Rect{10, 10, 100, 100}));
}

TEST_F(TilingManagerTest, WithoutTrustWindowCommandsOnlyAskForIt) {
  desktop.permissions.accessibilityTrusted = false;
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  desktop.screens.setScreens({primary, second});
  manager->start(false);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 0);  // started without prompting
  desktop.permissions.accessibilityTrusted = true;
  const AXElement window = focusedWindow({200, 100, 500, 600});
  desktop.permissions.accessibilityTrusted = false;
  ax.clearLog();

  int prompts = 0;
  for (std::uint32_t keyCode : {right, std::uint32_t{0}, std::uint32_t{18}, std::uint32_t{23}}) {
    EXPECT_TRUE(press(keyCode));
    EXPECT_EQ(desktop.permissions.accessibilityPrompts, ++prompts);
  }
  EXPECT_TRUE(press(right, extendModifiers));
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, ++prompts);
  EXPECT_TRUE(ax.writes().empty());
  EXPECT_EQ(beeps(), 0);

  desktop.permissions.accessibilityTrusted = true;
  EXPECT_TRUE(press(right));
  EXPECT_EQ(ax.frame(window), leftHalf);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, prompts);
}

TEST_F(TilingManagerTest, StartingWithoutTrustPromptsWhenAllowedAndPollsUntilGranted) {
  desktop.permissions.accessibilityTrusted = false;
  manager->start(true);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);
  EXPECT_TRUE(manager->isRunning());
  EXPECT_EQ(desktop.hotKeys.registered().size(), 12u + 9u);  // hot keys do not wait for trust
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 1u);
  EXPECT_DOUBLE_EQ(desktop.runLoop.timeUntilNextTimer(), 2.0);

  manager->start(true);  // already running: nothing
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);

  desktop.advance(4);
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 1u);
  desktop.permissions.accessibilityTrusted = true;
  desktop.advance(2);
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 0u);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);

  // Trusted from the start: no poll at all.
  manager->stop();
  manager->start(false);
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 0u);
}

TEST_F(TilingManagerTest, StoppingReleasesEverythingAndMenuCommandsStillWork) {
  recordEditors();
  recordPreviews();
  desktop.permissions.accessibilityTrusted = false;
  manager->start(false);
  desktop.permissions.accessibilityTrusted = true;
  EXPECT_TRUE(press(14));  // ⌃⌥E
  ASSERT_EQ(editors->requests.size(), 1u);
  EXPECT_TRUE(press(17));  // ⌃⌥T flashes
  EXPECT_TRUE(manager->isFlashing());

  manager->stop();
  EXPECT_FALSE(manager->isRunning());
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  EXPECT_FALSE(press(right));
  EXPECT_FALSE(manager->isEditorOpen());
  EXPECT_EQ(editors->closed, 1);
  EXPECT_FALSE(manager->isFlashing());
  EXPECT_EQ(desktop.runLoop.scheduledTimerCount(), 0u);  // neither poll nor flash timer
  manager->stop();
  EXPECT_EQ(editors->closed, 1);

  // Commands from the menu still work.
  const auto zones = manager->zones(primary);  // three columns since ⌃⌥T
  ASSERT_EQ(zones.size(), 3u);
  const AXElement window = focusedWindow({200, 100, 500, 600});
  auto menu = openMenu();
  find(*menu, "Arrange windows into layout")->action();
  EXPECT_EQ(ax.frame(window), (Rect{200, 100, 500, 600}));  // only once the menu has closed
  desktop.settle();
  EXPECT_EQ(ax.frame(window), zones[1].toRect());

  manager->start(false);
  EXPECT_TRUE(press(right));
  EXPECT_EQ(ax.frame(window), zones[2].toRect());
}

TEST_F(TilingManagerTest, AManagerThatGoesAwayReleasesItsHotKeysAndIgnoresLateCallbacks) {
  manager->start(false);
  const AXElement window = focusedWindow({200, 100, 500, 600});
  auto item = manager->makeMenuItem();
  item->submenu->prepareToOpen();
  const std::size_t shown = item->submenu->items.size();
  find(*item->submenu, "Arrange windows into layout")->action();
  manager.reset();
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  desktop.settle();
  EXPECT_EQ(ax.frame(window), (Rect{200, 100, 500, 600}));
  item->submenu->prepareToOpen();
  EXPECT_EQ(item->submenu->items.size(), shown);
}

TEST_F(TilingManagerTest, NextLayoutWrapsFlashesForAMomentAndIsSavedForThatScreenOnly) {
  const auto file =
      std::filesystem::path(::testing::TempDir()) / "tiling-manager-next" / "state.json";
  std::filesystem::remove_all(file.parent_path());
  manager = TilingManager::create(desktop.platform(), std::make_unique<TemplateStore>(file));
  recordPreviews();
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  desktop.screens.setScreens({primary, second});
  manager->store().assign(wideScreen, key(primary));
  manager->store().assign(threeColumns, key(second));
  manager->start(false);

  EXPECT_TRUE(press(17));  // ⌃⌥T with the pointer on the primary screen
  EXPECT_EQ(manager->templateForScreen(primary).id, twoColumns);
  EXPECT_EQ(manager->templateForScreen(second).id, threeColumns);
  ASSERT_EQ(previews->shown.size(), 1u);
  EXPECT_EQ(previews->shown[0].displayID, 1u);
  EXPECT_EQ(previews->shown[0].title, "İki sütun");
  EXPECT_EQ(previews->shown[0].zones, manager->zones(primary));

  desktop.advance(0.89);
  EXPECT_EQ(previews->hidden, 0);
  desktop.advance(0.02);
  EXPECT_EQ(previews->hidden, 1);
  EXPECT_FALSE(manager->isFlashing());

  // A second switch while a flash shows replaces it.
  EXPECT_TRUE(press(17));
  desktop.advance(0.5);
  EXPECT_TRUE(press(17));
  EXPECT_EQ(previews->hidden, 2);
  ASSERT_EQ(previews->shown.size(), 3u);
  EXPECT_EQ(previews->shown[2].title, "Ana + yan yığın");
  desktop.advance(0.5);
  EXPECT_EQ(previews->hidden, 2);
  desktop.advance(0.5);
  EXPECT_EQ(previews->hidden, 3);

  // Saved in the state file, per screen.
  TemplateStore reloaded(file);
  EXPECT_EQ(reloaded.templateForScreen(key(primary)).name, "Ana + yan yığın");
  EXPECT_EQ(reloaded.templateForScreen(key(second)).id, threeColumns);
  std::filesystem::remove_all(file.parent_path());
}

TEST_F(TilingManagerTest, TheMenuListsCommandsLayoutsAndSettingsWithTheirMarks) {
  manager->store().assign(threeColumns, key(primary));
  auto menu = openMenu();
  std::vector<std::string> titles;
  for (const auto& item : menu->items)
    titles.push_back(item->isSeparator ? "---" : item->title);
  EXPECT_EQ(titles, (std::vector<std::string>{
                        "Edit layout",
                        "Draw new layout",
                        "Arrange windows into layout",
                        "---",
                        "Layout for this screen (Display 1)",
                        "İki sütun  ·  2 zones",
                        "Üç sütun  ·  3 zones",
                        "Ana + yan yığın  ·  3 zones",
                        "Dörtlü ızgara  ·  4 zones",
                        "Geniş ekran (25/50/25)  ·  3 zones",
                        "Delete current layout",
                        "---",
                        "Settings",
                        "⌃⌥ arrows: next zone · ⌃⌥⇧ arrows: extend · ⌃⌥T: next layout",
                    }));
  EXPECT_EQ(menu->items[0]->keyEquivalent, "⌃⌥E");
  EXPECT_EQ(menu->items[1]->keyEquivalent, "⌃⌥N");
  EXPECT_EQ(menu->items[2]->keyEquivalent, "⌃⌥A");
  // Without an editor its two commands are shown disabled; heading and help are never enabled.
  EXPECT_FALSE(menu->items[0]->isEnabled());
  EXPECT_TRUE(menu->items[2]->isEnabled());
  EXPECT_FALSE(menu->items[4]->isEnabled());
  EXPECT_FALSE(menu->items.back()->isEnabled());
  for (int i = 5; i < 10; ++i) {
    EXPECT_EQ(menu->items[i]->isChecked, i == 6) << i;
  }

  // Choosing a layout assigns it once the menu has closed, and flashes it.
  recordPreviews();
  menu->items[8]->action();
  EXPECT_EQ(manager->templateForScreen(primary).id, threeColumns);
  desktop.settle();
  EXPECT_EQ(manager->templateForScreen(primary).name, "Dörtlü ızgara");
  ASSERT_EQ(previews->shown.size(), 1u);
  menu->prepareToOpen();  // rebuilt from scratch on every opening
  EXPECT_EQ(menu->items.size(), titles.size());
  EXPECT_TRUE(menu->items[8]->isChecked);
  EXPECT_FALSE(menu->items[6]->isChecked);

  // Without screens the heading has no name and the first layout is the current one.
  desktop.screens.setScreens({});
  menu->prepareToOpen();
  EXPECT_EQ(menu->items[4]->title, "Layout for this screen");
  EXPECT_TRUE(menu->items[5]->isChecked);
}

TEST_F(TilingManagerTest, TheSettingsSubmenuShowsAndChangesTheSettings) {
  auto settings = find(*openMenu(), "Settings")->submenu;
  ASSERT_TRUE(settings);
  std::vector<std::string> titles;
  for (const auto& item : settings->items) {
    titles.push_back(item->isSeparator ? "---" : item->title + (item->isChecked ? " ✓" : ""));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{
                        "Snap while dragging ✓",
                        "Snap Assistant (top of screen) ✓",
                        "Keep Snap Assistant open while dragging",
                        "Snap to screen edges ✓",
                        "Smart resize (neighbouring windows follow) ✓",
                        "Window suggestions ✓",
                        "Key that shows zones",
                        "Key to span zones",
                        "Window gap",
                        "---",
                        "---",
                        "Import window layout settings…",
                        "Export window layout settings…",
                    }));
  auto checked = [](const Menu& menu) {
    std::vector<std::string> result;
    for (const auto& item : menu.items) {
      if (item->isChecked) result.push_back(item->title);
    }
    return result;
  };
  EXPECT_EQ(checked(*find(*settings, "Key that shows zones")->submenu),
            std::vector<std::string>{"Control ⌃"});
  EXPECT_EQ(checked(*find(*settings, "Key to span zones")->submenu),
            std::vector<std::string>{"Option ⌥"});
  auto gaps = find(*settings, "Window gap")->submenu;
  ASSERT_EQ(gaps->items.size(), 6u);
  EXPECT_EQ(gaps->items[0]->title, "0 pt");
  EXPECT_EQ(gaps->items[5]->title, "24 pt");
  EXPECT_EQ(checked(*gaps), std::vector<std::string>{"8 pt"});
  EXPECT_TRUE(find(*settings, "Keep Snap Assistant open while dragging")->isEnabled());
  EXPECT_FALSE(find(*settings, "Import window layout settings…")->isEnabled());

  find(*gaps, "16 pt")->action();
  find(*find(*settings, "Key to span zones")->submenu, "Control ⌃")->action();
  find(*settings, "Snap Assistant (top of screen)")->action();
  find(*settings, "Window suggestions")->action();
  const TilingSettings& now = manager->store().settings();
  EXPECT_EQ(now.gap, 16);
  EXPECT_EQ(now.spanModifier, DragModifier::control);  // may equal the zone key
  EXPECT_FALSE(now.snapAssistantEnabled);
  EXPECT_FALSE(now.windowSuggestionsEnabled);
  EXPECT_TRUE(now.dragSnapEnabled);

  settings = find(*openMenu(), "Settings")->submenu;
  EXPECT_FALSE(find(*settings, "Keep Snap Assistant open while dragging")->isEnabled());
  EXPECT_FALSE(find(*settings, "Window suggestions")->isChecked);
  EXPECT_EQ(checked(*find(*settings, "Window gap")->submenu), std::vector<std::string>{"16 pt"});
  EXPECT_EQ(manager->zones(primary)[0], (TRect{16, 16, 476, 768}));
}

TEST_F(TilingManagerTest, TheMenuOffersThePermissionOnlyWhileItIsMissing) {
  desktop.permissions.accessibilityTrusted = false;
  auto menu = openMenu();
  ASSERT_GE(menu->items.size(), 2u);
  EXPECT_EQ(menu->items[0]->title, "\u26A0\uFE0E Grant Accessibility permission…");
  EXPECT_TRUE(menu->items[1]->isSeparator);
  menu->items[0]->action();
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);
  EXPECT_EQ(ax.trustSettingsOpened(), 1);

  desktop.permissions.accessibilityTrusted = true;
  menu->prepareToOpen();
  EXPECT_EQ(menu->items[0]->title, "Edit layout");
}

TEST_F(TilingManagerTest, DeletingIsOfferedWithSeveralLayoutsAndSendsItsScreensToTheFirst) {
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  desktop.screens.setScreens({primary, second});
  manager->store().assign(threeColumns, key(primary));
  manager->store().assign(threeColumns, key(second));

  find(*openMenu(), "Delete current layout")->action();
  EXPECT_FALSE(manager->store().templateWithId(threeColumns));
  EXPECT_EQ(manager->templateForScreen(primary).id, twoColumns);
  EXPECT_EQ(manager->templateForScreen(second).id, twoColumns);

  while (manager->store().templates().size() > 1) {
    manager->store().deleteTemplate(manager->store().templates().back().id);
  }
  auto lastOne = find(*openMenu(), "Delete current layout");
  EXPECT_FALSE(lastOne->isEnabled());
}

TEST_F(TilingManagerTest, SuspendedHotKeysAndChangedShortcutsAreRegisteredAnew) {
  desktop.hotKeys.takeByOtherApplication(20, controlOption);  // ⌃⌥3
  manager->setHotKeysSuspended(true);
  manager->start(false);
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
  manager->settingsDidChange();
  EXPECT_TRUE(desktop.hotKeys.registered().empty());

  manager->setHotKeysSuspended(false);
  EXPECT_EQ(desktop.hotKeys.registered().size(), 12u + 8u);
  EXPECT_EQ(manager->zoneShortcutFailures(), (std::set<int>{3}));

  manager->store().updateSettings([](TilingSettings& s) {
    s.zoneShortcuts.erase("3");
    s.zoneShortcuts["12"] = KeyCombo{105, 0, "F13"};
  });
  manager->registerHotKeys();  // registering twice keeps one set
  manager->settingsDidChange();
  EXPECT_EQ(desktop.hotKeys.registered().size(), 12u + 9u);
  EXPECT_TRUE(manager->zoneShortcutFailures().empty());

  const AXElement window = focusedWindow({100, 100, 300, 300});
  EXPECT_TRUE(press(105, 0));  // zone 12 of a two-zone layout
  EXPECT_EQ(beeps(), 1);
  EXPECT_EQ(ax.frame(window), (Rect{100, 100, 300, 300}));

  manager->setHotKeysSuspended(true);
  EXPECT_FALSE(press(right));
  manager->stop();
  manager->setHotKeysSuspended(false);  // stopped: stays unregistered
  EXPECT_TRUE(desktop.hotKeys.registered().empty());
}

TEST_F(TilingManagerTest, SmartResizeMovesTheNeighboursThatSharedTheMovedEdge) {
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  desktop.screens.setScreens({primary, second});
  const AXElement resized = ax.addWindow(editorApp, {.title = "A", .frame = {8, 8, 588, 784}});
  const AXElement neighbour = ax.addWindow(editorApp, {.title = "B", .frame = rightHalf});
  const AXElement far = ax.addWindow(editorApp, {.title = "C", .frame = {530, 8, 462, 784}});
  auto window = AXWindow::make(manager->windowServices(), resized);

  manager->store().updateSettings([](TilingSettings& s) { s.smartResizeEnabled = false; });
  manager->smartResize(window, TRect::from(leftHalf), {8, 8, 588, 784});
  EXPECT_EQ(ax.frame(neighbour), rightHalf);

  manager->store().updateSettings([](TilingSettings& s) { s.smartResizeEnabled = true; });
  manager->smartResize(window, TRect::from(leftHalf), {8, 8, 588, 784});
  EXPECT_EQ(ax.frame(neighbour), (Rect{604, 8, 388, 784}));
  EXPECT_EQ(ax.frame(far), (Rect{530, 8, 462, 784}));  // 34 points away: beyond gap + 12
  EXPECT_EQ(ax.frame(resized), (Rect{8, 8, 588, 784}));
}

TEST_F(TilingManagerTest, TheEditorOpensOnceSavesIntoTheStoreAndClosesWithItsScreen) {
  recordEditors();
  const Screen second = sim::SimScreens::make(2, {1000, 0, 1000, 800});
  desktop.screens.setScreens({primary, second});
  manager->store().assign(threeColumns, key(primary));
  manager->start(false);

  EXPECT_TRUE(press(14));  // ⌃⌥E
  EXPECT_TRUE(press(45));  // ⌃⌥N while open: nothing
  ASSERT_EQ(editors->requests.size(), 1u);
  LayoutEditorRequest& edit = editors->requests[0];
  EXPECT_EQ(edit.screen, primary);
  EXPECT_EQ(edit.layout.id, threeColumns);
  EXPECT_EQ(edit.gap, 8);

  LayoutTemplate edited = edit.layout;
  edited.name = "Mine";
  edit.onSave(edited);
  EXPECT_FALSE(manager->isEditorOpen());
  EXPECT_EQ(editors->closed, 1);
  EXPECT_EQ(manager->templateForScreen(primary).name, "Mine");
  edit.onCancel();  // a late report of a closed editor changes nothing
  EXPECT_EQ(editors->closed, 1);

  // A new layout on the second screen.
  desktop.screens.setPointerLocation({1500, 400});
  manager->openEditor(true);
  ASSERT_EQ(editors->requests.size(), 2u);
  LayoutEditorRequest& draw = editors->requests[1];
  EXPECT_EQ(draw.layout.name, "New layout 6");
  EXPECT_EQ(draw.layout.root, LayoutNode::leaf());
  EXPECT_FALSE(manager->store().templateWithId(draw.layout.id));
  draw.onSave(draw.layout);
  EXPECT_EQ(manager->store().templates().size(), 6u);
  EXPECT_EQ(manager->templateForScreen(second).id, draw.layout.id);

  // Unplugging the edited screen closes the editor without saving.
  manager->openEditor(false);
  ASSERT_EQ(editors->requests.size(), 3u);
  desktop.screens.setScreens({primary, sim::SimScreens::make(2, {1000, 0, 1280, 800})});
  EXPECT_TRUE(manager->isEditorOpen());  // the same display, resized
  desktop.screens.setScreens({primary});
  EXPECT_FALSE(manager->isEditorOpen());
  EXPECT_EQ(editors->closed, 3);
  const auto templates = manager->store().templates();
  editors->requests[2].onSave(editors->requests[2].layout);
  EXPECT_EQ(manager->store().templates(), templates);
  desktop.settle();
}

}  // namespace
}  // namespace tavorin
