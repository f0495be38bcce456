#include "tiling/kit/drag_snap_controller.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/key_event.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "tiling/core/spatial.hpp"
#include "tiling/kit/tiled_windows.hpp"
#include "tiling/kit/tiling_manager.hpp"

namespace tavorin {
namespace {

using Region = EdgeSnap::Region;

const LayoutTemplate twoColumns = LayoutTemplate::defaults()[0];
const LayoutTemplate quadGrid = LayoutTemplate::defaults()[3];

constexpr std::uint64_t control = eventFlags::control;
constexpr std::uint64_t option = eventFlags::option;

// Snaps by dragging, as the window suggestions would hear of them.
struct SnapReport {
  TRect frame;
  std::vector<TRect> zones;
  std::uint32_t displayID = 0;
};

class RecordingSuggestions final : public WindowSuggestionsOffer {
 public:
  void suggestWindows(const std::shared_ptr<AXWindow>&, const TRect& frame,
                      const std::vector<TRect>& zones, const Screen& screen) override {
    reports.push_back({frame, zones, screen.displayID});
  }
  void close() override { ++closed; }

  std::vector<SnapReport> reports;
  int closed = 0;
};

// The whole feature on a simulated desktop: a user drags other applications' windows by their
// title bars, and the applications move (or resize) them as the pointer goes.
struct DragSnapTest : ::testing::Test {
  // The primary screen's height, for the pointer in screen space.
  double screenHeight = 900;

  sim::SimDesktop desktop;
  sim::SimAccessibility& ax = desktop.accessibility;
  sim::SimEventMonitors& events = desktop.eventMonitors;
  // A 24-point menu bar and a 60-point Dock: the zones lie in (0, 24, 1440, 816).
  Screen primary = sim::SimScreens::make(1, {0, 0, 1440, screenHeight}, 24, 60);
  const TRect area{0, 24, 1440, 816};
  const std::vector<TRect> quad = quadGrid.frames(area, 8);
  ProcessId app = ax.addApplication("Editor");
  std::shared_ptr<TilingManager> manager =
      TilingManager::create(desktop.platform(), std::make_unique<TemplateStore>());
  std::shared_ptr<RecordingSuggestions> suggestions = std::make_shared<RecordingSuggestions>();

  AXElement grabbed;
  TPoint pointer;

  void SetUp() override {
    desktop.permissions.accessibilityTrusted = true;
    desktop.screens.setScreens({primary});
    manager->store().assign(quadGrid.id, ScreenGeometry::tilingKey(primary));
    manager->setWindowSuggestions(suggestions);
    manager->start(false);
  }

  DragSnapController& snap() { return manager->dragSnap(); }

  AXElement window(Rect frame) {
    const AXElement element = ax.addWindow(app, {.title = "Notes", .frame = frame});
    ax.focusWindow(element);
    return element;
  }
  Rect frameOf(const AXElement& element) { return ax.frame(element).value_or(Rect{}); }

  void pointTo(TPoint p) {
    pointer = p;
    desktop.screens.setPointerLocation({p.x, screenHeight - p.y});
  }
  // Presses the button at `at` (window space) over `element` and drags once without moving,
  // which is when the window under the pointer is looked up.
  void grab(const AXElement& element, TPoint at) {
    grabbed = element;
    pointTo(at);
    events.mouseDown();
    events.mouseDragged();
  }
  // The pointer moves and the application moves the window with it.
  void dragTo(TPoint to) {
    const Rect frame = frameOf(grabbed);
    ax.setAttributeValue(grabbed, std::string(ax::position),
                         Point{frame.x + to.x - pointer.x, frame.y + to.y - pointer.y});
    pointTo(to);
    events.mouseDragged();
  }
  // The pointer moves within the window, which stays where it is.
  void dragInside(TPoint to) {
    pointTo(to);
    events.mouseDragged();
  }
  void hold(std::uint64_t flags) { events.flagsChanged(flags); }
  void release() { events.mouseUp(); }

  const ZonePreviewController* preview(std::uint32_t id = 1) { return snap().preview(id); }
  bool previewShown(std::uint32_t id = 1) { return preview(id) && preview(id)->isVisible(); }
  // Writes of the window's frame by anyone but its application.
  std::size_t frameWrites() const {
    std::size_t count = 0;
    for (const auto& write : ax.writes()) {
      if (write.attribute == ax::position || write.attribute == ax::size) ++count;
    }
    return count;
  }
};

TEST_F(DragSnapTest, TheZoneKeyHighlightsTheZoneUnderThePointerAndReleaseSnapsIntoItAMomentLater) {
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({520, 260});
  dragTo({300, 600});  // over zone 3, the bottom-left quarter

  EXPECT_TRUE(snap().isWindowMoving());
  EXPECT_EQ(snap().target(), quad[2]);
  ASSERT_TRUE(previewShown());
  EXPECT_EQ(preview()->view().zones, quad);  // the screen's origin is the window space's
  EXPECT_EQ(preview()->view().highlighted, std::set<int>{2});
  EXPECT_EQ(preview()->view().focus, std::nullopt);
  EXPECT_EQ(preview()->panel().frame(), primary.frame);

  dragTo({1000, 300});  // zone 2 now
  EXPECT_EQ(preview()->view().highlighted, std::set<int>{1});
  dragTo({300, 600});

  const Rect dropped = frameOf(notes);
  release();
  EXPECT_FALSE(previewShown());
  desktop.advance(0.04);
  EXPECT_EQ(frameOf(notes), dropped);
  EXPECT_TRUE(suggestions->reports.empty());
  desktop.advance(0.02);
  EXPECT_EQ(frameOf(notes), quad[2].toRect());
  ASSERT_EQ(suggestions->reports.size(), 1u);
  EXPECT_EQ(suggestions->reports[0].frame, quad[2]);
  EXPECT_EQ(suggestions->reports[0].zones, quad);
  EXPECT_EQ(suggestions->reports[0].displayID, 1u);
}

TEST_F(DragSnapTest, AddingTheSpanKeySpansFromWhereItStartedToTheZoneUnderThePointer) {
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({300, 300});  // zone 1
  hold(control | option);
  EXPECT_EQ(snap().target(), quad[0]);
  EXPECT_EQ(preview()->view().highlighted, std::set<int>{0});
  EXPECT_EQ(preview()->view().focus, quad[0]);

  dragTo({1000, 300});  // zone 2: the top row
  EXPECT_EQ(snap().target(), quad[0].unionWith(quad[1]));
  EXPECT_EQ(preview()->view().highlighted, (std::set<int>{0, 1}));

  dragTo({1000, 700});  // zone 4: the union of zones 1 and 4 covers all four
  const TRect all = quad[0].unionWith(quad[3]);
  EXPECT_EQ(snap().target(), all);
  EXPECT_EQ(preview()->view().highlighted, (std::set<int>{0, 1, 2, 3}));
  EXPECT_EQ(preview()->view().focus, all);

  release();
  desktop.advance(0.05);
  EXPECT_EQ(frameOf(notes), all.toRect());
  ASSERT_EQ(suggestions->reports.size(), 1u);
  EXPECT_EQ(suggestions->reports[0].zones, quad);
}

TEST_F(DragSnapTest, SpanningOnAnotherScreenStartsANewAnchorThere) {
  // A second screen to the right, on the two-column layout.
  const Screen side = sim::SimScreens::make(2, {1440, 0, 1280, 900});
  desktop.screens.setScreens({primary, side});
  const std::vector<TRect> halves = twoColumns.frames({1440, 0, 1280, 900}, 8);
  const AXElement notes = window({300, 200, 400, 300});

  hold(control | option);
  grab(notes, {500, 210});
  dragTo({300, 300});         // zone 1 of the primary screen anchors the span
  dragTo({1000, 700});        // spans the whole primary screen
  dragTo({1440 + 900, 500});  // the right half of the side screen
  EXPECT_EQ(snap().target(), halves[1]);
  EXPECT_EQ(snap().targetScreen()->displayID, 2u);
  EXPECT_FALSE(previewShown(1));
  ASSERT_TRUE(previewShown(2));
  EXPECT_EQ(preview(2)->view().highlighted, std::set<int>{1});
  // The side screen's overlay draws in its own coordinates.
  const TRect& first = halves[0];
  EXPECT_EQ(preview(2)->view().zones[0],
            (TRect{first.x - 1440, first.y, first.width, first.height}));

  dragTo({1440 + 300, 500});  // back to its left half: the anchor stays on this screen
  EXPECT_EQ(snap().target(), halves[0].unionWith(halves[1]));
}

TEST_F(DragSnapTest, WithoutTheZoneKeyAwayFromTheEdgesThereIsNoTargetAndReleaseMovesNothing) {
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({600, 500});
  EXPECT_TRUE(snap().target().has_value());
  hold(0);  // Control goes up before the button
  EXPECT_FALSE(snap().target().has_value());
  EXPECT_FALSE(previewShown());

  ax.clearLog();
  release();
  desktop.advance(0.2);
  EXPECT_EQ(frameWrites(), 0u);
  EXPECT_TRUE(suggestions->reports.empty());
}

TEST_F(DragSnapTest, TheZoneKeyOutsideEveryZoneShowsTheLayoutWithNothingHighlighted) {
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({600, 500});
  dragTo({600, 870});  // over the Dock, below the zones
  EXPECT_FALSE(snap().target().has_value());
  ASSERT_TRUE(previewShown());
  EXPECT_EQ(preview()->view().zones, quad);
  EXPECT_TRUE(preview()->view().highlighted.empty());
}

TEST_F(DragSnapTest, NearTheScreenEdgesTheTargetIsHalfAllOrAQuarterOfTheScreen) {
  struct Case {
    TPoint at;
    std::optional<Region> region;
  };
  const Case cases[] = {
      {{2, 450}, Region::leftHalf},
      {{1439, 450}, Region::rightHalf},
      {{720, 2}, Region::maximize},  // the snap assistant gives the top points to maximising
      {{2, 30}, Region::topLeft},
      {{1400, 2}, Region::topRight},
      {{30, 899}, Region::bottomLeft},
      {{720, 899}, std::nullopt},  // the bottom middle is no region
      {{6, 450}, std::nullopt},    // just beyond the threshold
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << ", " << c.at.y);
    const AXElement notes = window({300, 200, 400, 300});
    grab(notes, {500, 210});
    dragTo({600, 500});
    dragTo(c.at);
    if (!c.region) {
      EXPECT_FALSE(snap().target().has_value());
      EXPECT_FALSE(previewShown());
      release();
      continue;
    }
    const TRect expected = EdgeSnap::frame(*c.region, area, 8);
    EXPECT_EQ(snap().target(), expected);
    std::vector<TRect> zones{expected};
    for (Region other : EdgeSnap::complementaryRegions(*c.region))
      zones.push_back(EdgeSnap::frame(other, area, 8));
    EXPECT_EQ(snap().targetZones(), zones);
    // Only the target, as a focus rectangle.
    ASSERT_TRUE(previewShown());
    EXPECT_TRUE(preview()->view().zones.empty());
    EXPECT_EQ(preview()->view().focus, expected);
    release();
    desktop.advance(0.05);
    EXPECT_EQ(frameOf(notes), expected.toRect());
    ASSERT_FALSE(suggestions->reports.empty());
    EXPECT_EQ(suggestions->reports.back().zones, zones);
  }
}

TEST_F(DragSnapTest, SwitchedOffSnappingAndEdgesShowAndMoveNothing) {
  struct Case {
    const char* name;
    std::function<void(TilingSettings&)> change;
    std::uint64_t flags;
    TPoint at;
  };
  const Case cases[] = {
      {"drag snapping off",
       [](TilingSettings& s) { s.dragSnapEnabled = false; },
       control,
       {300, 600}},
      {"edge snapping off", [](TilingSettings& s) { s.edgeTilingEnabled = false; }, 0, {2, 450}},
      {"another zone key",
       [](TilingSettings& s) { s.dragModifier = DragModifier::command; },
       control,
       {300, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->store().replaceSettings({});
    manager->store().updateSettings(c.change);
    const AXElement notes = window({300, 200, 400, 300});
    hold(c.flags);
    grab(notes, {500, 210});
    dragTo({600, 500});
    dragTo(c.at);
    EXPECT_FALSE(snap().target().has_value());
    EXPECT_FALSE(previewShown());
    ax.clearLog();
    release();
    desktop.advance(0.1);
    EXPECT_EQ(frameWrites(), 0u);
  }
}

TEST_F(DragSnapTest, ADragThatDoesNotMoveTheWindowFor31EventsIsAbandoned) {
  for (const int still : {30, 31}) {
    SCOPED_TRACE(still);
    const AXElement notes = window({300, 200, 400, 300});
    hold(control);
    grab(notes, {500, 300});
    // Selecting text inside the window: the pointer moves, the window does not (a point of
    // jitter counts as not moving).
    for (int i = 0; i < still; ++i) {
      if (i == 5) ax.setAttributeValue(notes, std::string(ax::position), Point{301, 201});
      dragInside({500.0 + i, 300});
    }
    dragTo({300, 600});
    EXPECT_EQ(snap().target().has_value(), still < 31);
    EXPECT_EQ(previewShown(), still < 31);
    release();
    desktop.advance(0.05);
    EXPECT_EQ(frameOf(notes) == quad[2].toRect(), still < 31);
    hold(0);
  }
}

TEST_F(DragSnapTest, ResizingAWindowByDraggingMakesItsNeighbourFollowOnceAfterRelease) {
  const AXElement left = window({0, 24, 720, 816});
  const AXElement right = window({720, 24, 720, 816});
  // The left window's right edge: the application resizes it as the pointer goes.
  grab(left, {719, 400});
  for (double width : {740.0, 790.0, 820.0}) {
    ax.setAttributeValue(left, std::string(ax::size), Size{width, 816});
    dragInside({width - 1, 400});
  }
  EXPECT_FALSE(snap().isWindowMoving());
  EXPECT_FALSE(previewShown());
  release();
  desktop.advance(0.07);
  EXPECT_EQ(frameOf(right), (Rect{720, 24, 720, 816}));
  desktop.advance(0.02);
  EXPECT_EQ(frameOf(right), (Rect{820, 24, 620, 816}));
  EXPECT_EQ(frameOf(left), (Rect{0, 24, 820, 816}));
  EXPECT_TRUE(suggestions->reports.empty());
}

TEST_F(DragSnapTest, ASnappedWindowDraggedOutGetsItsOldSizeBackUnderThePointer) {
  for (const bool restore : {true, false}) {
    SCOPED_TRACE(restore);
    manager->store().updateSettings([&](TilingSettings& s) { s.restoreSizeOnUnsnap = restore; });
    const AXElement notes = window({300, 200, 600, 400});
    hold(control);
    grab(notes, {500, 210});
    dragTo({520, 260});
    dragTo({300, 600});
    release();
    desktop.advance(0.05);
    ASSERT_EQ(frameOf(notes), quad[2].toRect());

    // Dragged out by its title bar, a quarter of the way along.
    hold(0);
    const TPoint grip{quad[2].x + quad[2].width / 4, quad[2].y + 10};
    grab(notes, grip);
    dragTo({grip.x + 30, grip.y - 40});
    const Rect now = frameOf(notes);
    if (restore) {
      EXPECT_EQ(now.size(), (Size{600, 400}));
      // The pointer keeps its place on the window: a quarter across, 10 points down.
      EXPECT_NEAR(now.x + now.width / 4, pointer.x, 1);
      EXPECT_NEAR(now.y + 10, pointer.y, 1);
    } else {
      EXPECT_EQ(now.size(), quad[2].toRect().size());
    }
    release();
    desktop.advance(0.1);
  }
}

TEST_F(DragSnapTest, NearTheTopTheAssistantOffersEveryLayoutAndADropUsesTheZoneOfTheChosenOne) {
  const AXElement notes = window({300, 200, 400, 300});
  grab(notes, {500, 210});
  dragTo({520, 260});
  const SnapAssistant* assistant = snap().assistant(1);
  ASSERT_NE(assistant, nullptr);
  EXPECT_TRUE(assistant->panel().isVisible());  // the pill
  EXPECT_FALSE(assistant->expanded());

  // Five layouts on the 1440-point visible frame: miniatures 105 × 63, the strip 573 wide and
  // centred, 6 points below the menu bar. The screen's own layout comes first.
  dragTo({550, 50});
  ASSERT_TRUE(assistant->expanded());
  EXPECT_EQ(assistant->frameAX(), (TRect{433.5, 30, 573, 79}));
  ASSERT_EQ(assistant->view().minis.size(), 5u);
  EXPECT_EQ(assistant->view().minis[0].zones.size(), 4u);  // the quad grid
  EXPECT_EQ(assistant->view().activeIndex, 0);
  EXPECT_FALSE(snap().target().has_value());  // over the strip between the miniatures

  // The left zone of the second miniature, the two columns (the first template in the list).
  dragTo({570, 70});
  const std::vector<TRect> columns = twoColumns.frames(area, 8);
  EXPECT_EQ(assistant->view().hit, (SnapAssistantHit{1, 0}));
  EXPECT_EQ(snap().target(), columns[0]);
  ASSERT_TRUE(previewShown());
  EXPECT_TRUE(preview()->view().zones.empty());
  EXPECT_EQ(preview()->view().focus, columns[0]);

  release();
  EXPECT_FALSE(assistant->panel().isVisible());
  EXPECT_FALSE(assistant->expanded());
  desktop.advance(0.05);
  EXPECT_EQ(frameOf(notes), columns[0].toRect());
  ASSERT_EQ(suggestions->reports.size(), 1u);
  EXPECT_EQ(suggestions->reports[0].zones, columns);
}

TEST_F(DragSnapTest, TheTopmostPointsBelongToMaximisingOnlyWhileEdgeSnappingIsOn) {
  manager->store().updateSettings(
      [](TilingSettings& s) { s.snapAssistantOpenImmediately = false; });
  for (const bool edges : {true, false}) {
    SCOPED_TRACE(edges);
    manager->store().updateSettings([&](TilingSettings& s) { s.edgeTilingEnabled = edges; });
    const AXElement notes = window({300, 200, 400, 300});
    grab(notes, {500, 210});
    dragTo({520, 260});
    dragTo({720, 2});
    EXPECT_EQ(snap().assistant(1)->expanded(), !edges);
    if (edges) {
      EXPECT_EQ(snap().target(), EdgeSnap::frame(Region::maximize, area, 8));
    } else {
      EXPECT_FALSE(snap().target().has_value());
    }
    release();
    desktop.advance(0.1);
  }
}

TEST_F(DragSnapTest, WithoutTheAssistantSettingNoPillOrStripAppears) {
  manager->store().updateSettings([](TilingSettings& s) { s.snapAssistantEnabled = false; });
  const AXElement notes = window({300, 200, 400, 300});
  grab(notes, {500, 210});
  dragTo({520, 260});
  dragTo({570, 70});
  EXPECT_EQ(snap().assistant(1), nullptr);
  EXPECT_FALSE(snap().target().has_value());
  release();
}

TEST_F(DragSnapTest, ScreenChangesDropTheOverlaysAndTheDragInProgress) {
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({520, 260});
  dragTo({300, 600});
  ASSERT_TRUE(previewShown());
  const std::size_t panels = desktop.overlays.panels().size();

  const Screen larger = sim::SimScreens::make(1, {0, 0, 1920, 1080});
  desktop.screens.setScreens({larger});
  EXPECT_EQ(preview(), nullptr);
  EXPECT_EQ(snap().assistant(1), nullptr);
  EXPECT_LT(desktop.overlays.panels().size(), panels);
  EXPECT_TRUE(desktop.overlays.visiblePanels().empty());
  ax.clearLog();
  release();
  desktop.advance(0.1);
  EXPECT_EQ(frameWrites(), 0u);

  // The next drag draws for the new geometry.
  screenHeight = 1080;
  const AXElement other = window({300, 200, 400, 300});
  grab(other, {500, 210});
  dragTo({520, 260});
  dragTo({300, 800});
  ASSERT_TRUE(previewShown());
  EXPECT_EQ(preview()->view().zones, quadGrid.frames({0, 0, 1920, 1080}, 8));
  EXPECT_EQ(preview()->panel().frame(), larger.frame);
}

TEST_F(DragSnapTest, StoppingRemovesTheMonitorsAndHidesEverything) {
  EXPECT_EQ(snap().monitorCount(), 4u);
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({520, 260});
  dragTo({300, 600});
  ASSERT_TRUE(previewShown());

  manager->stop();
  EXPECT_FALSE(snap().isMonitoring());
  EXPECT_EQ(events.globalMonitorCount(), 0u);
  EXPECT_TRUE(desktop.overlays.visiblePanels().empty());
  EXPECT_EQ(suggestions->closed, 1);
  ax.clearLog();
  release();
  desktop.advance(0.1);
  EXPECT_EQ(frameWrites(), 0u);

  manager->start(false);
  EXPECT_EQ(snap().monitorCount(), 4u);
}

TEST_F(DragSnapTest, WithoutTrustNothingSnapsUntilTheGrantRestartsTheMonitors) {
  manager->stop();
  desktop.permissions.accessibilityTrusted = false;
  // Until the grant the platform hands this program no events of others.
  events.refusesMonitors = true;
  manager->start(false);
  EXPECT_FALSE(snap().isMonitoring());

  desktop.permissions.accessibilityTrusted = true;
  events.refusesMonitors = false;
  desktop.advance(2.0);
  EXPECT_EQ(snap().monitorCount(), 4u);

  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({520, 260});
  dragTo({300, 600});
  release();
  desktop.advance(0.05);
  EXPECT_EQ(frameOf(notes), quad[2].toRect());
}

TEST_F(DragSnapTest, AnUntrustedProcessLooksUpNoWindow) {
  desktop.permissions.accessibilityTrusted = false;
  const AXElement notes = window({300, 200, 400, 300});
  hold(control);
  grab(notes, {500, 210});
  dragTo({520, 260});
  dragTo({300, 600});
  EXPECT_EQ(snap().dragWindow(), nullptr);
  EXPECT_FALSE(previewShown());
}

TEST_F(DragSnapTest, TheLayoutFlashShowsTheLayoutAndItsNameForAMoment) {
  desktop.screens.setPointerLocation({700, 450});
  manager->cycleTemplateOnCurrentScreen();  // after the quad grid: the wide screen layout
  const LayoutTemplate wide = LayoutTemplate::defaults()[4];
  const auto shown = desktop.overlays.visiblePanels();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]->level(), overlayLevel::status);
  EXPECT_TRUE(shown[0]->ignoresMouseEvents());
  EXPECT_EQ(shown[0]->frame(), primary.frame);
  std::vector<std::string> texts;
  for (const auto& operation : shown[0]->content().operations) {
    if (const auto* text = std::get_if<DrawText>(&operation)) texts.push_back(text->text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"1", "2", "3", wide.name}));

  desktop.advance(0.89);
  EXPECT_TRUE(shown[0]->isVisible());
  desktop.advance(0.02);
  EXPECT_TRUE(desktop.overlays.visiblePanels().empty());
  EXPECT_FALSE(manager->isFlashing());
}

// The controller on its own, for what it reports.
TEST(DragSnapControllerTest, AResizeIsReportedOnceWithTheFramesBeforeAndAfter) {
  sim::SimDesktop desktop;
  desktop.permissions.accessibilityTrusted = true;
  desktop.screens.setScreens({sim::SimScreens::make(1, {0, 0, 1000, 800})});
  sim::SimAccessibility& ax = desktop.accessibility;
  const ProcessId app = ax.addApplication("Editor");
  const AXElement element = ax.addWindow(app, {.title = "W", .frame = {100, 100, 400, 300}});
  struct Report {
    TRect before;
    TRect after;
  };
  std::vector<Report> reports;
  DragSnapController::Config config;
  config.templates = [] { return LayoutTemplate::defaults(); };
  config.templateForScreen = [](const Screen&) { return LayoutTemplate::defaults()[0]; };
  config.settings = [] { return TilingSettings{}; };
  config.onResize = [&](const std::shared_ptr<AXWindow>&, const TRect& before, const TRect& after) {
    reports.push_back({before, after});
  };
  auto controller = DragSnapController::create(desktop.platform(), WindowServices::create(ax, ax),
                                               std::move(config));
  controller->start();
  controller->start();  // already monitoring
  EXPECT_EQ(controller->monitorCount(), 4u);

  // The bottom-left corner: the window grows to the left and down, so it moves as well.
  desktop.screens.setPointerLocation({101, 800 - 399});
  desktop.eventMonitors.mouseDown();
  desktop.eventMonitors.mouseDragged();
  ax.setAttributeValue(element, std::string(ax::position), Point{60, 100});
  ax.setAttributeValue(element, std::string(ax::size), Size{440, 350});
  desktop.eventMonitors.mouseDragged();
  desktop.eventMonitors.mouseDragged();
  desktop.eventMonitors.mouseUp();
  desktop.advance(0.07);
  EXPECT_TRUE(reports.empty());
  desktop.advance(0.02);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].before, (TRect{100, 100, 400, 300}));
  EXPECT_EQ(reports[0].after, (TRect{60, 100, 440, 350}));

  // A press that ends with the window back where it was reports nothing.
  desktop.eventMonitors.mouseDown();
  desktop.eventMonitors.mouseDragged();
  ax.setAttributeValue(element, std::string(ax::size), Size{500, 350});
  desktop.eventMonitors.mouseDragged();
  ax.setAttributeValue(element, std::string(ax::size), Size{440, 350});
  desktop.eventMonitors.mouseUp();
  desktop.advance(0.1);
  EXPECT_EQ(reports.size(), 1u);

  // Released while its owner is gone, nothing is reported and nothing fails.
  desktop.eventMonitors.mouseDown();
  desktop.eventMonitors.mouseDragged();
  ax.setAttributeValue(element, std::string(ax::size), Size{600, 350});
  desktop.eventMonitors.mouseDragged();
  desktop.eventMonitors.mouseUp();
  controller.reset();
  desktop.advance(0.1);
  EXPECT_EQ(reports.size(), 1u);
}

}  // namespace
}  // namespace tavorin
