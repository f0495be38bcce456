#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <gtest/gtest.h>

#include <vector>

#include "x11_test_support.hpp"

namespace tavorin::x11 {
namespace {

using testing::waitUntil;

constexpr std::uint16_t keyZ = 6;
constexpr std::uint16_t keyY = 16;

class X11KeyboardLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto reason = testing::missingDisplayReason(); !reason.empty()) GTEST_SKIP() << reason;
    desktop = X11Desktop::open();
    ASSERT_TRUE(desktop);
  }

  void TearDown() override {
    // The server's keyboard is shared by every test: put back what was changed.
    for (const auto& [keycode, symbols] : saved)
      setSymbols(keycode, symbols);
    // The window manager takes its key bindings anew after a keymap change; later tests rely
    // on them.
    if (!saved.empty()) {
      EXPECT_TRUE(testing::syncWithWindowManager(*desktop));
    }
  }

  std::vector<xcb_keysym_t> symbols(xcb_keycode_t keycode, std::uint8_t& perKeycode) {
    Connection& c = desktop->connection();
    auto reply = c.reply<xcb_get_keyboard_mapping_reply_t>(
        xcb_get_keyboard_mapping(c.xcb(), keycode, 1).sequence, deadlineIn(2));
    if (!reply) return {};
    perKeycode = reply->keysyms_per_keycode;
    const xcb_keysym_t* data = xcb_get_keyboard_mapping_keysyms(reply.get());
    return std::vector<xcb_keysym_t>(data, data + reply->keysyms_per_keycode);
  }

  void setSymbols(xcb_keycode_t keycode, const std::vector<xcb_keysym_t>& symbols) {
    Connection& c = desktop->connection();
    xcb_change_keyboard_mapping(c.xcb(), 1, keycode, static_cast<std::uint8_t>(symbols.size()),
                                symbols.data());
    c.sync(deadlineIn(2));
  }

  // Swaps what two keys type, as switching between a QWERTY and a QWERTZ layout does.
  void swapKeys(std::string_view first, std::string_view second) {
    auto a = desktop->keyboard().keycode(first);
    auto b = desktop->keyboard().keycode(second);
    ASSERT_TRUE(a && b);
    std::uint8_t perKeycode = 0;
    auto symbolsA = symbols(static_cast<xcb_keycode_t>(*a), perKeycode);
    auto symbolsB = symbols(static_cast<xcb_keycode_t>(*b), perKeycode);
    ASSERT_FALSE(symbolsA.empty());
    saved.emplace_back(static_cast<xcb_keycode_t>(*a), symbolsA);
    saved.emplace_back(static_cast<xcb_keycode_t>(*b), symbolsB);
    setSymbols(static_cast<xcb_keycode_t>(*a), symbolsB);
    setSymbols(static_cast<xcb_keycode_t>(*b), symbolsA);
  }

  std::unique_ptr<X11Desktop> desktop;
  std::vector<std::pair<xcb_keycode_t, std::vector<xcb_keysym_t>>> saved;
};

TEST_F(X11KeyboardLayoutTest, KeysTypeWhatTheirPlaceTypesInTheCurrentLayout) {
  auto& layout = desktop->keyboardLayout();
  auto current = layout.currentLayout();
  ASSERT_TRUE(current);
  EXPECT_EQ(current->id.rfind("xkb:", 0), 0u) << current->id;
  EXPECT_TRUE(current->hasKeyTranslation);

  struct Case {
    std::uint16_t keyCode;
    std::optional<std::string> text;
  };
  for (const Case& c : {Case{0, "a"}, Case{7, "x"}, Case{8, "c"}, Case{9, "v"}, Case{keyZ, "z"},
                        Case{18, "1"}, Case{49, " "}, Case{50, "`"}, Case{27, "-"},
                        Case{56, std::nullopt} /* Shift types nothing */,
                        Case{52, std::nullopt} /* no such key */, Case{127, std::nullopt}}) {
    EXPECT_EQ(layout.translateKey(c.keyCode), c.text) << c.keyCode;
  }
}

TEST_F(X11KeyboardLayoutTest, ANewKeymapIsAnnouncedAndLettersMove) {
  auto& layout = desktop->keyboardLayout();
  const auto before = layout.currentLayout();
  ASSERT_TRUE(before);
  int notices = 0;
  auto token = layout.observeLayoutChanges([&] { ++notices; });

  swapKeys("AB01", "AD06");
  ASSERT_TRUE(waitUntil(*desktop, [&] { return layout.translateKey(keyZ) == "y"; }));
  EXPECT_GT(notices, 0);
  EXPECT_EQ(layout.translateKey(keyY), "z");
  EXPECT_NE(layout.currentLayout()->id, before->id);

  // Hot keys follow the key to its place: ⌃⌥ on the key at Z's place still registers.
  EXPECT_TRUE(desktop->hotKeys()
                  .registerHotKey(keyZ, hotKeyModifiers::control | hotKeyModifiers::option, {1, 1})
                  .succeeded());
}

TEST_F(X11KeyboardLayoutTest, AGroupWithoutLatinLettersFallsBackToTheFirstLatinGroup) {
  auto& layout = desktop->keyboardLayout();
  // A second group on every letter key that types Cyrillic, as a Russian layout does.
  const char* letters[] = {"AC01", "AC02", "AC03", "AC04", "AC05", "AC06", "AC07", "AC08", "AC09",
                           "AD01", "AD02", "AD03", "AD04", "AD05", "AD06", "AD07", "AD08", "AD09",
                           "AD10", "AB01", "AB02", "AB03", "AB04", "AB05", "AB06", "AB07"};
  std::uint32_t cyrillic = 0x6c1;
  for (const char* name : letters) {
    auto keycode = desktop->keyboard().keycode(name);
    ASSERT_TRUE(keycode) << name;
    std::uint8_t perKeycode = 0;
    auto original = symbols(static_cast<xcb_keycode_t>(*keycode), perKeycode);
    ASSERT_GE(original.size(), 4u);
    saved.emplace_back(static_cast<xcb_keycode_t>(*keycode), original);
    auto twoGroups = original;
    twoGroups[2] = cyrillic;
    twoGroups[3] = cyrillic + 0x20;
    ++cyrillic;
    setSymbols(static_cast<xcb_keycode_t>(*keycode), twoGroups);
  }
  ASSERT_TRUE(waitUntil(*desktop, [&] {
    return xkb_keymap_num_layouts(desktop->keyboard().keymap()) == 2 &&
           layout.translateKey(16) == "y";
  }));
  const auto latin = layout.currentLayout();

  int notices = 0;
  auto token = layout.observeLayoutChanges([&] { ++notices; });
  Connection& c = desktop->connection();
  xcb_xkb_latch_lock_state(c.xcb(), XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, XCB_XKB_GROUP_2, 0, 0, 0);
  c.sync(deadlineIn(2));
  ASSERT_TRUE(waitUntil(*desktop, [&] { return desktop->keyboard().currentGroup() == 1; }));
  EXPECT_GT(notices, 0);
  // The Cyrillic group types no Latin letters: lookups go through the first group.
  EXPECT_EQ(layout.translateKey(0), "a");
  EXPECT_EQ(layout.currentLayout(), latin);

  xcb_xkb_latch_lock_state(c.xcb(), XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, XCB_XKB_GROUP_1, 0, 0, 0);
  c.sync(deadlineIn(2));
  EXPECT_TRUE(waitUntil(*desktop, [&] { return desktop->keyboard().currentGroup() == 0; }));
}

}  // namespace
}  // namespace tavorin::x11
