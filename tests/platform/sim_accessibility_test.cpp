#include "platform/sim/sim_accessibility.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin::sim {
namespace {

struct SimAccessibilityTest : ::testing::Test {
  SimDesktop desktop;
  SimAccessibility& ax = desktop.accessibility;
  ProcessId editor = ax.addApplication("Editor");
  ProcessId viewer = ax.addApplication("Viewer");
  AXElement notes = ax.addWindow(editor, {.title = "Notes", .frame = {0, 0, 800, 600}});
  AXElement photo = ax.addWindow(viewer, {.title = "Photo", .frame = {100, 100, 400, 300}});

  void SetUp() override { desktop.permissions.accessibilityTrusted = true; }
};

TEST_F(SimAccessibilityTest, WindowsReadAndWriteTheirAttributesByKind) {
  EXPECT_EQ(ax.stringAttribute(notes, ax::title), "Notes");
  EXPECT_EQ(ax.stringAttribute(notes, ax::role), "AXWindow");
  EXPECT_EQ(ax.stringAttribute(notes, ax::subrole), "AXStandardWindow");
  EXPECT_EQ(ax.pointAttribute(photo, ax::position), (Point{100, 100}));
  EXPECT_EQ(ax.sizeAttribute(photo, ax::size), (Size{400, 300}));
  EXPECT_EQ(ax.boolAttribute(photo, ax::minimized), false);
  // Asking for another kind than the stored one reads as absent.
  EXPECT_EQ(ax.sizeAttribute(photo, ax::position), std::nullopt);
  EXPECT_EQ(ax.stringAttribute(photo, "AXNoSuchThing"), std::nullopt);

  EXPECT_TRUE(ax.isAttributeSettable(photo, ax::position));
  EXPECT_FALSE(ax.isAttributeSettable(photo, ax::title));
  EXPECT_EQ(ax.setAttribute(photo, ax::position, Point{5, 6}), AXError::success);
  EXPECT_EQ(ax.setAttribute(photo, ax::title, "Other"), AXError::illegalArgument);
  EXPECT_EQ(ax.setAttribute(photo, ax::size, Point{1, 2}), AXError::illegalArgument);
  EXPECT_EQ(ax.frame(photo), (Rect{5, 6, 400, 300}));
  ASSERT_EQ(ax.writes().size(), 1u);
  EXPECT_EQ(ax.writes()[0].attribute, "AXPosition");
}

TEST_F(SimAccessibilityTest, MinimumSizeClampsASizeWrite) {
  AXElement small =
      ax.addWindow(editor, {.title = "Small", .frame = {0, 0, 500, 500}, .minSize = {300, 200}});
  ax.setAttribute(small, ax::size, Size{100, 400});
  EXPECT_EQ(ax.sizeAttribute(small, ax::size), (Size{300, 400}));
}

TEST_F(SimAccessibilityTest, ApplicationsAndSystemWideElementKnowTheFocus) {
  ax.focusWindow(notes);
  auto focusedApp = ax.elementAttribute(ax.systemWide(), ax::focusedApplication);
  ASSERT_TRUE(focusedApp);
  EXPECT_EQ(ax.pid(*focusedApp), editor);
  EXPECT_EQ(ax.elementAttribute(*focusedApp, ax::focusedWindow), notes);
  EXPECT_EQ(ax.frontmostApplication()->pid, editor);

  AXElement second = ax.addWindow(editor, {.title = "Draft", .frame = {}});
  EXPECT_EQ(ax.elementsAttribute(ax.application(editor), ax::windows),
            (std::vector<AXElement>{second, notes}));
  EXPECT_EQ(ax.boolAttribute(second, ax::main), true);
  EXPECT_EQ(ax.boolAttribute(notes, ax::main), false);
}

TEST_F(SimAccessibilityTest, ElementAtPositionFindsTheInnermostVisibleElementInFront) {
  AXElement button = ax.addChildElement(photo, "AXButton", {120, 120, 50, 20});
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {130, 125}), button);
  EXPECT_EQ(ax.elementAttribute(button, ax::window), photo);
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {300, 300}), photo);
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {50, 50}), notes);
  EXPECT_EQ(ax.elementAtPosition(ax.application(editor), {300, 300}), notes);
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {900, 900}), std::nullopt);

  ax.setAttribute(photo, ax::minimized, true);
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {300, 300}), notes);
  ax.setHidden(editor, true);
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {300, 300}), std::nullopt);
}

TEST_F(SimAccessibilityTest, AnUnresponsiveApplicationTimesOutWithTheElementsTimeOut) {
  ax.setUnresponsive(viewer, true);
  AXElement slow = photo;
  slow.setMessagingTimeout(0.5);
  EXPECT_EQ(ax.stringAttribute(slow, ax::title), std::nullopt);
  EXPECT_EQ(ax.setAttribute(slow, ax::position, Point{0, 0}), AXError::cannotComplete);
  EXPECT_EQ(ax.elementAtPosition(ax.systemWide(), {300, 300}), std::nullopt);
  ASSERT_EQ(ax.timedOutCalls().size(), 3u);
  EXPECT_EQ(ax.timedOutCalls()[0].what, "AXTitle");
  EXPECT_DOUBLE_EQ(ax.timedOutCalls()[0].timeout, 0.5);
  // The other application still answers.
  EXPECT_EQ(ax.stringAttribute(notes, ax::title), "Notes");

  ax.setUnresponsive(viewer, false);
  EXPECT_EQ(ax.stringAttribute(slow, ax::title), "Photo");
}

TEST_F(SimAccessibilityTest, WithoutTheGrantEveryCallFailsAndThePromptIsCounted) {
  int notices = 0;
  auto token = ax.observeTrustChanges([&] { ++notices; });
  ax.setTrusted(false);
  EXPECT_EQ(notices, 1);
  EXPECT_FALSE(ax.isProcessTrusted());
  EXPECT_EQ(ax.stringAttribute(notes, ax::title), std::nullopt);
  EXPECT_EQ(ax.setAttribute(notes, ax::position, Point{}), AXError::apiDisabled);
  EXPECT_EQ(ax.performAction(notes, ax::raiseAction), AXError::apiDisabled);
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 0);
  EXPECT_FALSE(ax.isProcessTrustedWithPrompt());
  EXPECT_EQ(desktop.permissions.accessibilityPrompts, 1);

  ax.setTrusted(true);
  EXPECT_EQ(notices, 2);
  EXPECT_EQ(ax.stringAttribute(notes, ax::title), "Notes");
}

TEST_F(SimAccessibilityTest, ClosedWindowsAndQuitApplicationsAreInvalid) {
  ax.closeWindow(photo);
  EXPECT_EQ(ax.setAttribute(photo, ax::position, Point{}), AXError::invalidUIElement);
  ax.quitApplication(editor);
  EXPECT_EQ(ax.stringAttribute(notes, ax::title), std::nullopt);
  EXPECT_EQ(ax.runningApplications().size(), 1u);
  EXPECT_EQ(ax.performAction(photo, ax::raiseAction), AXError::invalidUIElement);
}

TEST_F(SimAccessibilityTest, RaiseBringsTheWindowToTheFrontOfTheStack) {
  EXPECT_EQ(ax.stackingOrder().front(), photo);
  EXPECT_EQ(ax.performAction(notes, ax::raiseAction), AXError::success);
  EXPECT_EQ(ax.stackingOrder().front(), notes);
  EXPECT_EQ(ax.performAction(notes, ax::pressAction), AXError::actionUnsupported);
}

}  // namespace
}  // namespace tavorin::sim
