#include "cutpaste/keyboard_layout.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

using sim::SimKeyboardLayout;

class KeyboardLayoutTest : public ::testing::Test {
 protected:
  sim::SimDesktop desktop;
  SimKeyboardLayout& keys = desktop.keyboardLayout;
  KeyboardLayout layout{&desktop.keyboardLayout, desktop.runLoop};
};

TEST_F(KeyboardLayoutTest, LettersFollowTheLayoutAfterASwitch) {
  layout.startObserving();
  EXPECT_EQ(layout.keyCode("x"), 7);
  EXPECT_EQ(layout.cachedSourceID(), std::string(SimKeyboardLayout::us));

  struct Case {
    std::string_view layoutID;
    std::string_view letter;
    std::uint16_t key;
  };
  const Case cases[] = {
      {SimKeyboardLayout::dvorak, "x", 11}, {SimKeyboardLayout::dvorak, "c", 34},
      {SimKeyboardLayout::dvorak, "v", 47}, {SimKeyboardLayout::german, "z", 16},
      {SimKeyboardLayout::german, "y", 6},  {SimKeyboardLayout::french, "a", 12},
      {SimKeyboardLayout::french, "m", 41}, {SimKeyboardLayout::french, "q", 0},
      {SimKeyboardLayout::us, "m", 46},
  };
  for (const auto& [id, letter, key] : cases) {
    keys.select(id);
    EXPECT_TRUE(layout.isStale());
    EXPECT_EQ(layout.keyCode(letter), key) << id << " " << letter;
    EXPECT_FALSE(layout.isStale());
    EXPECT_EQ(layout.cachedSourceID(), std::string(id));
  }
}

TEST_F(KeyboardLayoutTest, OnlyLowerCaseAsciiLettersAreCached) {
  layout.startObserving();
  keys.select(SimKeyboardLayout::german);
  EXPECT_EQ(layout.keyCode("ü"), KeyboardLayout::notFound);
  EXPECT_EQ(layout.keyCode("1"), KeyboardLayout::notFound);
  EXPECT_EQ(layout.keyCode("-"), KeyboardLayout::notFound);
  EXPECT_EQ(layout.keyCode("Z"), KeyboardLayout::notFound);
  EXPECT_EQ(layout.keyCode(""), KeyboardLayout::notFound);
  EXPECT_EQ(layout.cache().size(), 26u);

  // A key typing an upper-case letter stands for the lower-case one; the lowest key wins a
  // letter; texts longer than one unit and non-ASCII letters stay out.
  keys.define("odd",
              {{3, "Q"}, {5, "q"}, {9, "ab"}, {10, "é"}, {11, "𝐀"}, {12, "\xff"}, {14, "k"}});
  keys.select("odd");
  EXPECT_EQ(layout.keyCode("q"), 3);
  EXPECT_EQ(layout.keyCode("k"), 14);
  EXPECT_EQ(layout.cache().size(), 2u);
}

TEST_F(KeyboardLayoutTest, FirstCharacterDecidesAndCombiningMarksMakeAnotherCharacter) {
  EXPECT_EQ(layout.keyCode("xyz"), 7);
  EXPECT_EQ(layout.keyCode("x\u0301"), KeyboardLayout::notFound);
  EXPECT_EQ(layout.keyCode("\xc3"), KeyboardLayout::notFound);  // cut-off UTF-8
}

TEST_F(KeyboardLayoutTest, WithoutAnAsciiCapableLayoutOnlyTheFallbackLetters) {
  keys.selectNone();
  EXPECT_EQ(layout.keyCode("x"), 7);
  EXPECT_EQ(layout.keyCode("c"), 8);
  EXPECT_EQ(layout.keyCode("v"), 9);
  EXPECT_EQ(layout.keyCode("k"), KeyboardLayout::notFound);
  EXPECT_FALSE(layout.cachedSourceID().has_value());

  // A layout without key translation data is remembered but caches nothing.
  keys.define("bare", {{0, "a"}}, /*hasKeyTranslation=*/false);
  keys.select("bare");
  layout.startObserving();
  EXPECT_EQ(layout.keyCode("a"), KeyboardLayout::notFound);
  EXPECT_EQ(layout.cachedSourceID(), "bare");

  KeyboardLayout withoutService;
  withoutService.startObserving();
  EXPECT_EQ(withoutService.keyCode("v"), 9);
  EXPECT_EQ(withoutService.keyCode("a"), KeyboardLayout::notFound);
}

TEST_F(KeyboardLayoutTest, TheCacheIsRebuiltOnlyWhenStaleAndTheLayoutChanged) {
  EXPECT_EQ(layout.keyCode("x"), 7);
  const int afterFirstBuild = keys.translationCount();
  EXPECT_EQ(afterFirstBuild, 128);

  // Not observing yet: a switch goes unnoticed and the old letters stay.
  keys.select(SimKeyboardLayout::dvorak);
  EXPECT_EQ(layout.keyCode("x"), 7);

  layout.startObserving();
  EXPECT_EQ(layout.keyCode("x"), 11);
  EXPECT_EQ(keys.translationCount(), afterFirstBuild + 128);

  // A notice without a change only checks the identifier.
  keys.notifyChange();
  EXPECT_TRUE(layout.isStale());
  EXPECT_EQ(layout.keyCode("x"), 11);
  EXPECT_EQ(keys.translationCount(), afterFirstBuild + 128);

  // When the ASCII-capable layout goes away the letters already known stay.
  keys.selectNone();
  EXPECT_EQ(layout.keyCode("x"), 11);

  // Observing twice registers once and does not mark the cache stale again.
  layout.startObserving();
  EXPECT_FALSE(layout.isStale());
}

TEST_F(KeyboardLayoutTest, ANoticeFromAnotherThreadReachesTheLayoutOnTheMainLoop) {
  layout.startObserving();
  EXPECT_EQ(layout.keyCode("x"), 7);
  std::thread([&] { keys.notifyChange(); }).join();
  EXPECT_FALSE(layout.isStale());
  desktop.settle();
  EXPECT_TRUE(layout.isStale());
}

TEST(KeyboardLayoutSharedTest, InstalledLayoutIsCurrentAndFallbackOtherwise) {
  sim::SimDesktop desktop;
  desktop.keyboardLayout.select(sim::SimKeyboardLayout::dvorak);
  EXPECT_EQ(KeyboardLayout::current().keyCode("x"), 7);
  KeyboardLayout& installed = KeyboardLayout::install(desktop.platform());
  EXPECT_EQ(&KeyboardLayout::current(), &installed);
  EXPECT_EQ(KeyboardLayout::current().keyCode("x"), 11);
  KeyboardLayout::setShared(nullptr);
  EXPECT_EQ(KeyboardLayout::shared(), nullptr);
  EXPECT_EQ(KeyboardLayout::current().keyCode("x"), 7);
}

}  // namespace
}  // namespace tavorin
