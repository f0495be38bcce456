#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

using testing::TestClient;
using testing::waitUntil;

class X11WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
  }

  X11Accessibility& ax() { return desktop->accessibility(); }

  // The frame as the server's window tree has it: the ancestor of the client right below the
  // root window (the window manager's frame), independent of the frame extents.
  Rect frameFromTree(xcb_window_t window) {
    Connection& c = desktop->connection();
    xcb_window_t current = window;
    for (;;) {
      auto tree =
          c.reply<xcb_query_tree_reply_t>(xcb_query_tree(c.xcb(), current).sequence, deadlineIn(2));
      if (!tree) return {};
      if (tree->parent == c.root()) break;
      current = tree->parent;
    }
    auto g = c.reply<xcb_get_geometry_reply_t>(xcb_get_geometry(c.xcb(), current).sequence,
                                               deadlineIn(2));
    if (!g) return {};
    const Point origin = desktop->screens().origin();
    return Rect{g->x - origin.x, g->y - origin.y, double(g->width + 2 * g->border_width),
                double(g->height + 2 * g->border_width)};
  }

  std::optional<Rect> frameOf(const AXElement& window) {
    auto position = ax().pointAttribute(window, ax::position);
    auto size = ax().sizeAttribute(window, ax::size);
    if (!position || !size) return std::nullopt;
    return Rect{position->x, position->y, size->width, size->height};
  }

  void place(const AXElement& window, Rect frame) {
    ASSERT_EQ(ax().setAttribute(window, ax::size, frame.size()), AXError::success);
    ASSERT_EQ(ax().setAttribute(window, ax::position, frame.origin()), AXError::success);
  }

  std::unique_ptr<X11Desktop> desktop;
};

TEST_F(X11WindowsTest, ListsTheClientsWindowsWithTitlesRolesAndApplication) {
  auto client = TestClient::start({"Alpha", "--legacy-name", "Gämma", "--dialog", "Delta"});
  ASSERT_TRUE(client);
  const ProcessId pid = client->pid();

  auto apps = ax().runningApplications();
  auto app = std::find_if(apps.begin(), apps.end(), [&](const auto& a) { return a.pid == pid; });
  ASSERT_NE(app, apps.end());
  EXPECT_EQ(app->name, "TavorinTestClient");
  EXPECT_EQ(app->activationPolicy, Application::ActivationPolicy::regular);
  EXPECT_NE(ax().currentProcessId(), pid);

  auto windows = ax().elementsAttribute(ax().application(pid), ax::windows);
  ASSERT_TRUE(windows);
  ASSERT_EQ(windows->size(), 3u);
  // Front to back: the reverse of the window manager's stacking list.
  Connection& c = desktop->connection();
  auto stacking = getProperty(c, c.root(), c.atom(Atom::_NET_CLIENT_LIST_STACKING), deadlineIn(2));
  std::vector<AXElement> expected;
  for (std::uint32_t id : propertyValues32(stacking.get()).value_or(std::vector<std::uint32_t>{})) {
    if (client->window("Alpha") == id || client->window("Gämma") == id ||
        client->window("Delta") == id) {
      expected.insert(expected.begin(), AXElement(id));
    }
  }
  EXPECT_EQ(*windows, expected);

  std::set<std::string> titles;
  for (const AXElement& window : *windows) {
    titles.insert(ax().stringAttribute(window, ax::title).value_or("?"));
    EXPECT_EQ(ax().stringAttribute(window, ax::role), "AXWindow");
    EXPECT_EQ(ax().pid(window), pid);
    EXPECT_EQ(ax().boolAttribute(window, ax::minimized), false);
    EXPECT_EQ(ax().boolAttribute(window, ax::fullScreen), false);
  }
  // The legacy window has only WM_NAME, in Latin-1.
  EXPECT_EQ(titles, (std::set<std::string>{"Alpha", "Gämma", "Delta"}));
  EXPECT_EQ(ax().stringAttribute(AXElement(client->window("Delta")), ax::subrole), "AXDialog");
  EXPECT_EQ(ax().stringAttribute(AXElement(client->window("Alpha")), ax::subrole),
            "AXStandardWindow");
}

TEST_F(X11WindowsTest, MovesAndResizesAWindowToTheExactFrame) {
  auto client = TestClient::start({"Mover"});
  ASSERT_TRUE(client);
  AXElement window(client->window("Mover"));
  window.setMessagingTimeout(0.5);
  EXPECT_TRUE(ax().isAttributeSettable(window, ax::position));
  EXPECT_TRUE(ax().isAttributeSettable(window, ax::size));

  // Writes wait for the window manager: a read right after sees the new frame.
  for (Rect target : {Rect{123, 77, 517, 389}, Rect{0, 30, 1000, 700}, Rect{801, 402, 61, 43}}) {
    place(window, target);
    EXPECT_EQ(frameOf(window), target);
    EXPECT_EQ(frameFromTree(window.identity()), target);
  }
}

TEST_F(X11WindowsTest, AMaximisedWindowIsRestoredBeforeItMoves) {
  auto client = TestClient::start({"Maximised"});
  ASSERT_TRUE(client);
  const xcb_window_t id = client->window("Maximised");
  Connection& c = desktop->connection();
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = c.atom(Atom::_NET_WM_STATE);
  message.data.data32[0] = 1;  // add
  message.data.data32[1] = c.atom(Atom::_NET_WM_STATE_MAXIMIZED_VERT);
  message.data.data32[2] = c.atom(Atom::_NET_WM_STATE_MAXIMIZED_HORZ);
  message.data.data32[3] = 2;
  xcb_send_event(c.xcb(), 0, c.root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  c.flush();
  auto maximised = [&] {
    auto state = getProperty(c, id, c.atom(Atom::_NET_WM_STATE), deadlineIn(1));
    auto atoms = propertyValues32(state.get()).value_or(std::vector<std::uint32_t>{});
    return std::count(atoms.begin(), atoms.end(), c.atom(Atom::_NET_WM_STATE_MAXIMIZED_VERT)) > 0;
  };
  ASSERT_TRUE(waitUntil(*desktop, maximised));

  const Rect target{200, 150, 640, 480};
  place(AXElement(id), target);
  EXPECT_FALSE(maximised());
  EXPECT_EQ(frameOf(AXElement(id)), target);
}

TEST_F(X11WindowsTest, RaiseFocusesTheWindowAndPutsItInFront) {
  auto client = TestClient::start({"Back", "Front"});
  ASSERT_TRUE(client);
  const AXElement back(client->window("Back"));
  const AXElement front(client->window("Front"));
  place(back, {100, 100, 400, 300});
  place(front, {200, 150, 400, 300});
  const Point overlap{250, 200};
  ASSERT_EQ(ax().elementAtPosition(ax().systemWide(), overlap), front);

  EXPECT_EQ(ax().performAction(back, ax::raiseAction), AXError::success);
  EXPECT_EQ(ax().boolAttribute(back, ax::focused), true);
  EXPECT_EQ(ax().boolAttribute(front, ax::focused), false);
  EXPECT_EQ(ax().elementAttribute(ax().systemWide(), ax::focusedApplication),
            ax().application(client->pid()));
  EXPECT_EQ(ax().elementAttribute(ax().application(client->pid()), ax::focusedWindow), back);
  EXPECT_EQ(ax().boolAttribute(ax().application(client->pid()), ax::frontmost), true);
  EXPECT_EQ(ax().frontmostApplication().value_or(RunningApplication{}).pid, client->pid());
  // Raising is seen in the stacking order at once.
  EXPECT_EQ(ax().elementAtPosition(ax().systemWide(), overlap), back);
  EXPECT_EQ(ax().performAction(back, ax::pressAction), AXError::actionUnsupported);
}

TEST_F(X11WindowsTest, ElementAtAPositionFollowsTheStackingAndSkipsMinimisedWindows) {
  auto client = TestClient::start({"Lower", "Upper"});
  ASSERT_TRUE(client);
  const AXElement lower(client->window("Lower"));
  const AXElement upper(client->window("Upper"));
  place(lower, {50, 300, 300, 300});
  place(upper, {250, 300, 300, 300});

  struct Case {
    Point point;
    std::optional<AXElement> expected;
  };
  for (const Case& c : {Case{{60, 310}, lower}, Case{{300, 400}, upper}, Case{{549, 599}, upper},
                        Case{{550, 599}, std::nullopt}}) {
    auto hit = ax().elementAtPosition(ax().application(client->pid()), c.point);
    EXPECT_EQ(hit, c.expected) << c.point.x << "," << c.point.y;
  }

  EXPECT_TRUE(ax().isAttributeSettable(upper, ax::minimized));
  ASSERT_EQ(ax().setAttribute(upper, ax::minimized, true), AXError::success);
  EXPECT_EQ(ax().boolAttribute(upper, ax::minimized), true);
  EXPECT_EQ(ax().elementAtPosition(ax().systemWide(), {300, 400}), lower);
  // Restoring a minimised window brings it back in front.
  ASSERT_EQ(ax().setAttribute(upper, ax::minimized, false), AXError::success);
  EXPECT_EQ(ax().boolAttribute(upper, ax::minimized), false);
  EXPECT_EQ(ax().elementAtPosition(ax().systemWide(), {300, 400}), upper);
}

TEST_F(X11WindowsTest, FullScreenIsReadAndWritten) {
  auto client = TestClient::start({"Wide"});
  ASSERT_TRUE(client);
  const AXElement window(client->window("Wide"));
  ASSERT_EQ(ax().setAttribute(window, ax::fullScreen, true), AXError::success);
  EXPECT_EQ(ax().boolAttribute(window, ax::fullScreen), true);
  ASSERT_EQ(ax().setAttribute(window, ax::fullScreen, false), AXError::success);
  EXPECT_EQ(ax().boolAttribute(window, ax::fullScreen), false);
}

TEST_F(X11WindowsTest, AVanishedWindowReadsAsAbsentAndRefusesWrites) {
  AXElement gone;
  {
    auto client = TestClient::start({"Short-lived"});
    ASSERT_TRUE(client);
    gone = AXElement(client->window("Short-lived"));
  }
  ASSERT_TRUE(waitUntil(*desktop, [&] { return !ax().stringAttribute(gone, ax::role); }));
  EXPECT_EQ(ax().stringAttribute(gone, ax::title), std::nullopt);
  EXPECT_EQ(ax().pointAttribute(gone, ax::position), std::nullopt);
  EXPECT_EQ(ax().setAttribute(gone, ax::position, Point{1, 1}), AXError::invalidUIElement);
  EXPECT_EQ(ax().setAttribute(gone, ax::size, Size{10, 10}), AXError::invalidUIElement);
  EXPECT_EQ(ax().performAction(gone, ax::raiseAction), AXError::invalidUIElement);
  EXPECT_FALSE(ax().isAttributeSettable(gone, ax::size));
  // An application whose windows are all gone is unknown.
  EXPECT_EQ(ax().elementsAttribute(ax().application(999999), ax::windows), std::nullopt);
  // The connection survived every error.
  EXPECT_FALSE(desktop->connection().isBroken());
}

}  // namespace
}  // namespace tavorin::x11
