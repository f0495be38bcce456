#include "tiling/kit/ax_window.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"
#include "tiling/kit/tiled_windows.hpp"

namespace tavorin {
namespace {

struct AXWindowTest : ::testing::Test {
  sim::SimDesktop desktop;
  sim::SimAccessibility& ax = desktop.accessibility;
  std::shared_ptr<WindowServices> services = WindowServices::create(ax, ax);
  ProcessId editor = ax.addApplication("Editor");
  ProcessId viewer = ax.addApplication("Viewer");
  AXElement notes = ax.addWindow(editor, {.title = "Notes", .frame = {0, 0, 800, 600}});
  AXElement photo = ax.addWindow(viewer, {.title = "Photo", .frame = {900, 100, 400, 300}});

  void SetUp() override { desktop.permissions.accessibilityTrusted = true; }
};

TEST_F(AXWindowTest, FocusedIsTheFrontApplicationsWindowButNeverOurOwn) {
  EXPECT_EQ(AXWindow::focused(services), nullptr);  // nothing in front

  ax.focusWindow(notes);
  auto focused = AXWindow::focused(services);
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->element(), notes);
  EXPECT_EQ(focused->pid(), editor);
  EXPECT_EQ(focused->title(), "Notes");
  EXPECT_DOUBLE_EQ(focused->element().messagingTimeout(), 0.5);

  const ProcessId self = ax.addApplication("Tavorin");
  ax.setCurrentProcess(self);
  ax.focusWindow(ax.addWindow(self, {.title = "Settings", .frame = {0, 0, 10, 10}}));
  EXPECT_EQ(AXWindow::focused(services), nullptr);

  // An application that does not answer has no focused window; the wait was 0.5 s.
  ax.focusWindow(photo);
  ax.setUnresponsive(viewer, true);
  EXPECT_EQ(AXWindow::focused(services), nullptr);
  ASSERT_FALSE(ax.timedOutCalls().empty());
  EXPECT_DOUBLE_EQ(ax.timedOutCalls().back().timeout, 0.5);
}

TEST_F(AXWindowTest, WindowAtAPointIsTheWindowOfTheElementThere) {
  AXElement button = ax.addChildElement(photo, "AXButton", {950, 150, 40, 20});
  auto viaChild = AXWindow::window(services, {960, 160});
  ASSERT_NE(viaChild, nullptr);
  EXPECT_EQ(viaChild->element(), photo);
  EXPECT_EQ(AXWindow::window(services, {10, 10})->element(), notes);
  EXPECT_EQ(AXWindow::window(services, {850, 10}), nullptr);  // no window there
  EXPECT_DOUBLE_EQ(services->systemWide().messagingTimeout(), 0.25);

  // An element that is neither a window nor in one.
  ax.setAttributeValue(button, std::string(ax::window), AXValue("no window"));
  EXPECT_EQ(AXWindow::window(services, {960, 160}), nullptr);

  ax.setCurrentProcess(viewer);
  EXPECT_EQ(AXWindow::window(services, {1000, 300}), nullptr);
}

TEST_F(AXWindowTest, StandardWindowsComeFromVisibleRegularApplicationsInListOrder) {
  const AXElement draft = ax.addWindow(editor, {.title = "Draft", .frame = {0, 0, 10, 10}});
  ax.addWindow(editor, {.title = "Find", .frame = {}, .subrole = "AXDialog"});
  ax.addWindow(editor, {.title = "Minimised", .frame = {}, .minimized = true});
  ax.addWindow(viewer, {.title = "Slides", .frame = {}, .fullScreen = true});
  const AXElement odd = ax.addWindow(viewer, {.title = "Odd", .frame = {}});
  // Unreadable states count as false.
  ax.setAttributeValue(odd, std::string(ax::minimized), std::nullopt);
  ax.setAttributeValue(odd, std::string(ax::fullScreen), AXValue("yes"));
  const ProcessId hidden = ax.addApplication("Hidden");
  ax.addWindow(hidden, {.title = "Secret", .frame = {}});
  ax.setHidden(hidden, true);
  const ProcessId agent = ax.addApplication("Agent", Application::ActivationPolicy::accessory);
  ax.addWindow(agent, {.title = "Panel", .frame = {}});
  const ProcessId self = ax.addApplication("Tavorin");
  ax.addWindow(self, {.title = "Settings", .frame = {}});
  ax.setCurrentProcess(self);
  const ProcessId silent = ax.addApplication("Silent");
  ax.addWindow(silent, {.title = "Frozen", .frame = {}});
  ax.setUnresponsive(silent, true);

  std::vector<std::string> titles;
  for (const auto& window : AXWindow::allStandardWindows(services)) {
    titles.push_back(window->title());
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Draft", "Notes", "Odd", "Photo"}));
  EXPECT_EQ(AXWindow::allStandardWindows(services).front()->element(), draft);
}

TEST_F(AXWindowTest, SetFrameWritesSizePositionSizeAroundTheEnhancedInterface) {
  ax.setEnhancedUserInterface(editor, true);
  auto window = AXWindow::make(services, notes);
  window->setFrame({100, 50, 640, 480});
  EXPECT_EQ(window->frame(), (TRect{100, 50, 640, 480}));

  std::vector<std::string> writes;
  for (const auto& write : ax.writes())
    writes.push_back(write.attribute);
  EXPECT_EQ(writes, (std::vector<std::string>{"AXEnhancedUserInterface", "AXSize", "AXPosition",
                                              "AXSize", "AXEnhancedUserInterface"}));
  EXPECT_EQ(ax.writes().front().value, AXValue(false));
  EXPECT_EQ(ax.writes().back().value, AXValue(true));
  // The move was remembered with the size from before.
  ASSERT_EQ(services->tiledWindows().entries().size(), 1u);
  EXPECT_EQ(services->tiledWindows().entries()[0].originalSize, (Size{800, 600}));

  // Without the enhanced interface nothing is switched.
  ax.clearLog();
  AXWindow::make(services, photo)->setFrame({0, 0, 400, 300});
  EXPECT_EQ(ax.writes().size(), 3u);
}

TEST_F(AXWindowTest, AnUnansweringWindowReadsAsAbsentAndIsNotMoved) {
  auto window = AXWindow::make(services, photo);
  ax.setUnresponsive(viewer, true);
  EXPECT_EQ(window->title(), "");
  EXPECT_EQ(window->frame(), std::nullopt);
  window->setFrame({0, 0, 10, 10});
  ax.setUnresponsive(viewer, false);
  EXPECT_EQ(window->frame(), (TRect{900, 100, 400, 300}));
  EXPECT_TRUE(services->tiledWindows().entries().empty());

  // Once the services are gone, a window does nothing.
  services.reset();
  EXPECT_EQ(window->frame(), std::nullopt);
  window->setFrame({0, 0, 10, 10});
  EXPECT_EQ(ax.frame(photo), (Rect{900, 100, 400, 300}));
}

}  // namespace
}  // namespace tavorin
