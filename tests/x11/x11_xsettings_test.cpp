#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

// A published settings block, built the way a settings daemon writes it.
class Block {
 public:
  explicit Block(bool bigEndian) : bigEndian_(bigEndian) {
    bytes_ = {static_cast<std::uint8_t>(bigEndian ? 1 : 0), 0, 0, 0};
    number(7, 4);  // serial
    number(0, 4);  // count, filled in by `data`
  }
  Block& integer(std::string_view name, std::int32_t value) {
    head(0, name);
    number(static_cast<std::uint32_t>(value), 4);
    ++count_;
    return *this;
  }
  Block& string(std::string_view name, std::string_view value) {
    head(1, name);
    number(static_cast<std::uint32_t>(value.size()), 4);
    text(value);
    ++count_;
    return *this;
  }
  Block& color(std::string_view name) {
    head(2, name);
    number(0xFFFF, 4);
    number(0xFFFF, 4);
    ++count_;
    return *this;
  }
  std::vector<std::uint8_t> data() const {
    std::vector<std::uint8_t> result = bytes_;
    for (std::size_t i = 0; i < 4; ++i) {
      const std::size_t shift = 8 * (bigEndian_ ? 3 - i : i);
      result[8 + i] = static_cast<std::uint8_t>(count_ >> shift);
    }
    return result;
  }

 private:
  void number(std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      const std::size_t shift = 8 * (bigEndian_ ? size - 1 - i : i);
      bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }
  void text(std::string_view value) {
    bytes_.insert(bytes_.end(), value.begin(), value.end());
    while (bytes_.size() % 4 != 0)
      bytes_.push_back(0);
  }
  void head(std::uint8_t type, std::string_view name) {
    bytes_.push_back(type);
    bytes_.push_back(0);
    number(static_cast<std::uint32_t>(name.size()), 2);
    text(name);
    number(3, 4);  // serial of the last change
  }

  bool bigEndian_;
  std::uint32_t count_ = 0;
  std::vector<std::uint8_t> bytes_;
};

std::optional<std::int32_t> find(const std::vector<std::uint8_t>& block, std::string_view name) {
  return XSettings::findInteger(block.data(), block.size(), name);
}

TEST(XSettingsTest, IntegersAreFoundAmongOtherKindsAndBrokenBlocksReadAsNothing) {
  for (bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian);
    const auto block = Block(bigEndian)
                           .string("Net/ThemeName", "Adwaita")
                           .color("Gtk/Color")
                           .integer("Gtk/CursorBlink", 1)
                           .integer("Gtk/EnableAnimations", 0)
                           .data();
    EXPECT_EQ(find(block, "Gtk/EnableAnimations"), 0);
    EXPECT_EQ(find(block, "Gtk/CursorBlink"), 1);
    EXPECT_EQ(find(block, "Net/ThemeName"), std::nullopt) << "not an integer";
    EXPECT_EQ(find(block, "Gtk/Missing"), std::nullopt);
    // Cut anywhere, the block never reads past its end.
    for (std::size_t size = 0; size < block.size(); ++size) {
      const std::vector<std::uint8_t> cut(block.begin(), block.begin() + size);
      EXPECT_EQ(find(cut, "Gtk/EnableAnimations"), std::nullopt) << size;
    }
  }
  // A count far beyond what the block holds.
  auto lying = Block(false).integer("Gtk/EnableAnimations", 1).data();
  lying[8] = 0xFF;
  lying[9] = 0xFF;
  EXPECT_EQ(find(lying, "Gtk/Other"), std::nullopt);
}

TEST(XSettingsTest, AnimationsTurnedOffByTheSettingsDaemonMeanLessMotion) {
  if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
  auto desktop = X11Desktop::open();
  ASSERT_TRUE(desktop);
  Connection& c = desktop->connection();
  const xcb_atom_t selection = c.internAtom("_XSETTINGS_S0", deadlineIn(2));
  const xcb_atom_t property = c.internAtom("_XSETTINGS_SETTINGS", deadlineIn(2));
  auto owner = c.reply<xcb_get_selection_owner_reply_t>(
      xcb_get_selection_owner(c.xcb(), selection).sequence, deadlineIn(2));
  ASSERT_TRUE(owner);
  if (owner->owner != XCB_WINDOW_NONE) GTEST_SKIP() << "a settings daemon runs on this display";
  EXPECT_FALSE(desktop->xsettings().shouldReduceMotion()) << "no daemon: nothing to go by";

  // Plays the settings daemon.
  const xcb_window_t daemon = xcb_generate_id(c.xcb());
  xcb_create_window(c.xcb(), XCB_COPY_FROM_PARENT, daemon, c.root(), 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  auto publish = [&](std::int32_t animations) {
    const auto block = Block(false).integer("Gtk/EnableAnimations", animations).data();
    xcb_change_property(c.xcb(), XCB_PROP_MODE_REPLACE, daemon, property, property, 8,
                        static_cast<std::uint32_t>(block.size()), block.data());
  };
  publish(0);
  xcb_set_selection_owner(c.xcb(), daemon, selection, XCB_CURRENT_TIME);
  EXPECT_TRUE(desktop->xsettings().shouldReduceMotion());
  publish(1);
  EXPECT_FALSE(desktop->xsettings().shouldReduceMotion());
  publish(0);
  xcb_destroy_window(c.xcb(), daemon);
  EXPECT_FALSE(desktop->xsettings().shouldReduceMotion()) << "the daemon is gone";
}

}  // namespace
}  // namespace tavorin::x11
