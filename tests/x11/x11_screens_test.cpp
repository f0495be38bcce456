#include <gtest/gtest.h>
#include <sys/uio.h>
#include <xcb/randr.h>
#include <xcb/xcbext.h>
#include <xcb/xtest.h>

#include <cstring>

#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

using testing::TestClient;
using testing::waitUntil;

class X11ScreensTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
  }

  void TearDown() override {
    if (!desktop) return;
    // Whatever happened, the desktop gets its one automatic monitor back.
    Connection& c = desktop->connection();
    for (xcb_atom_t name : monitorsSet)
      xcb_randr_delete_monitor(c.xcb(), c.root(), name);
    c.sync(deadlineIn(2));
    waitUntil(*desktop, [&] { return desktop->screens().screens().size() == 1; });
  }

  // Defines a monitor by hand, as `xrandr --setmonitor` does.
  void setMonitor(const char* name, bool primary, Rect rect,
                  std::optional<xcb_randr_output_t> output) {
    Connection& c = desktop->connection();
    const xcb_atom_t atom = c.internAtom(name, deadlineIn(2));
    std::vector<std::uint8_t> buffer(sizeof(xcb_randr_monitor_info_t) + sizeof(xcb_randr_output_t));
    auto* info = reinterpret_cast<xcb_randr_monitor_info_t*>(buffer.data());
    info->name = atom;
    info->primary = primary ? 1 : 0;
    info->automatic = 0;
    info->nOutput = output ? 1 : 0;
    info->x = static_cast<std::int16_t>(rect.x);
    info->y = static_cast<std::int16_t>(rect.y);
    info->width = static_cast<std::uint16_t>(rect.width);
    info->height = static_cast<std::uint16_t>(rect.height);
    info->width_in_millimeters = 300;
    info->height_in_millimeters = 200;
    if (output) std::memcpy(buffer.data() + sizeof *info, &*output, sizeof *output);
    // Sent by hand: the library's own wrapper aborts on a monitor without outputs after one
    // with outputs was set on the same connection.
    xcb_randr_set_monitor_request_t request{};
    request.window = c.root();
    iovec parts[4];
    parts[2] = {&request, sizeof request};
    parts[3] = {buffer.data(), sizeof *info + (output ? sizeof *output : 0)};
    const xcb_protocol_request_t protocol{2, &xcb_randr_id, XCB_RANDR_SET_MONITOR, 1};
    xcb_send_request(c.xcb(), 0, parts + 2, &protocol);
    monitorsSet.push_back(atom);
  }

  xcb_randr_output_t firstOutput() {
    Connection& c = desktop->connection();
    auto resources = c.reply<xcb_randr_get_screen_resources_current_reply_t>(
        xcb_randr_get_screen_resources_current(c.xcb(), c.root()).sequence, deadlineIn(2));
    if (!resources || resources->num_outputs == 0) return XCB_NONE;
    return xcb_randr_get_screen_resources_current_outputs(resources.get())[0];
  }

  void movePointer(int x, int y) {
    Connection& c = desktop->connection();
    xcb_test_fake_input(c.xcb(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, c.root(),
                        static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0);
    c.sync(deadlineIn(2));
  }

  std::unique_ptr<X11Desktop> desktop;
  std::vector<xcb_atom_t> monitorsSet;
};

TEST_F(X11ScreensTest, TheRootScreenIsReportedBottomUpWithThePointerFlipped) {
  auto screens = desktop->screens().screens();
  ASSERT_EQ(screens.size(), 1u);
  const Rect root{0, 0, double(desktop->connection().screen().width_in_pixels),
                  double(desktop->connection().screen().height_in_pixels)};
  EXPECT_EQ(screens[0].frame, root);
  EXPECT_FALSE(screens[0].localizedName.empty());
  EXPECT_NE(screens[0].displayID, 0u);
  // Xvfb's display has no EDID: no vendor, model or serial.
  EXPECT_EQ(screens[0].vendorNumber, 0u);
  const Rect& visible = screens[0].visibleFrame;
  EXPECT_GE(visible.x, root.x);
  EXPECT_GE(visible.y, root.y);
  EXPECT_LE(visible.maxX(), root.maxX());
  EXPECT_LE(visible.maxY(), root.maxY());

  movePointer(100, 200);
  EXPECT_EQ(desktop->screens().pointerLocation(), (Point{100, root.height - 200}));
}

TEST_F(X11ScreensTest, APanelsStrutIsLeftOutOfTheVisibleFrameAndAnnounced) {
  int notices = 0;
  auto token = desktop->screens().observeChanges([&] { ++notices; });
  const double width = desktop->connection().screen().width_in_pixels;
  const double height = desktop->connection().screen().height_in_pixels;
  const Rect full{0, 0, width, height};
  ASSERT_EQ(desktop->screens().screens()[0].visibleFrame, full);
  {
    auto panel = TestClient::start({"--dock=30", "Panel"});
    ASSERT_TRUE(panel);
    ASSERT_TRUE(waitUntil(*desktop, [&] {
      return notices > 0 &&
             desktop->screens().screens()[0].visibleFrame == Rect{0, 0, width, height - 30};
    }));
  }
  // The panel is gone: the whole screen is visible again, and that is announced too.
  const int before = notices;
  EXPECT_TRUE(waitUntil(*desktop, [&] {
    return notices > before && desktop->screens().screens()[0].visibleFrame == full;
  }));
}

// The server does not announce monitors defined by hand (there is no RandR event for them), so
// this test looks at the screens only.
TEST_F(X11ScreensTest, TwoMonitorsOfDifferentHeightsPrimaryFirstAndFollowedByWindows) {
  setMonitor("TavorinLeft", true, {0, 0, 1200, 1080}, firstOutput());
  setMonitor("TavorinRight", false, {1200, 0, 720, 800}, std::nullopt);
  ASSERT_TRUE(waitUntil(*desktop, [&] { return desktop->screens().screens().size() == 2; }));

  auto screens = desktop->screens().screens();
  EXPECT_EQ(screens[0].localizedName, "TavorinLeft");
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 1200, 1080}));
  // The shorter screen hangs from the top: its bottom is 280 points above the primary's.
  EXPECT_EQ(screens[1].frame, (Rect{1200, 280, 720, 800}));
  EXPECT_NE(screens[1].displayID, 0u);
  EXPECT_NE(screens[1].displayID, screens[0].displayID);

  // With the right-hand monitor primary, it holds the origin of both spaces.
  auto client = TestClient::start({"--at=1300,50,200,100", "Placed"});
  ASSERT_TRUE(client);
  const AXElement window(client->window("Placed"));
  for (xcb_atom_t name : monitorsSet) {
    xcb_randr_delete_monitor(desktop->connection().xcb(), desktop->connection().root(), name);
  }
  monitorsSet.clear();
  setMonitor("TavorinLeft", false, {0, 0, 1200, 1080}, firstOutput());
  setMonitor("TavorinRight", true, {1200, 0, 720, 800}, std::nullopt);
  ASSERT_TRUE(waitUntil(*desktop, [&] {
    auto now = desktop->screens().screens();
    return now.size() == 2 && now[0].localizedName == "TavorinRight";
  }));
  screens = desktop->screens().screens();
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 720, 800}));
  EXPECT_EQ(screens[1].frame, (Rect{-1200, -280, 1200, 1080}));

  auto& ax = desktop->accessibility();
  ASSERT_EQ(ax.setAttribute(window, ax::position, Point{100, 50}), AXError::success);
  EXPECT_EQ(ax.pointAttribute(window, ax::position), (Point{100, 50}));
  EXPECT_EQ(ax.elementAtPosition(ax.application(client->pid()), {110, 60}), window);
  movePointer(1210, 20);
  EXPECT_EQ(desktop->screens().pointerLocation(), (Point{10, 780}));
}

}  // namespace
}  // namespace tavorin::x11

namespace tavorin::x11 {
namespace {

TEST(EdidTest, VendorModelSerialAndNameComeFromTheDisplaysBlock) {
  std::vector<std::uint8_t> edid(128, 0);
  const std::uint8_t header[] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
  std::copy(std::begin(header), std::end(header), edid.begin());
  edid[8] = 0x10;  // "DEL", packed big-endian
  edid[9] = 0xac;
  edid[10] = 0xc4;  // product 0xa0c4, little-endian
  edid[11] = 0xa0;
  edid[12] = 0x78;  // serial 0x12345678, little-endian
  edid[13] = 0x56;
  edid[14] = 0x34;
  edid[15] = 0x12;
  const std::uint8_t nameDescriptor[] = {0, 0, 0, 0xfc, 0};
  std::copy(std::begin(nameDescriptor), std::end(nameDescriptor), edid.begin() + 72);
  const std::string name = "DELL U2720Q\n ";
  std::copy(name.begin(), name.end(), edid.begin() + 77);

  Screen screen;
  screen.localizedName = "DP-1";
  X11Screens::describeFromEdid(edid.data(), edid.size(), screen);
  EXPECT_EQ(screen.vendorNumber, 0x10acu);
  EXPECT_EQ(screen.modelNumber, 0xa0c4u);
  EXPECT_EQ(screen.serialNumber, 0x12345678u);
  EXPECT_EQ(screen.localizedName, "DELL U2720Q");

  // Without a name descriptor the output's name stays; a broken or short block changes nothing.
  Screen unnamed;
  unnamed.localizedName = "HDMI-1";
  edid[75] = 0xff;  // a serial-number descriptor instead
  X11Screens::describeFromEdid(edid.data(), edid.size(), unnamed);
  EXPECT_EQ(unnamed.localizedName, "HDMI-1");
  EXPECT_EQ(unnamed.vendorNumber, 0x10acu);
  for (auto broken : {std::vector<std::uint8_t>(edid.begin(), edid.begin() + 100),
                      std::vector<std::uint8_t>(128, 0xff)}) {
    Screen untouched;
    X11Screens::describeFromEdid(broken.data(), broken.size(), untouched);
    EXPECT_EQ(untouched, Screen{});
  }
}

}  // namespace
}  // namespace tavorin::x11
