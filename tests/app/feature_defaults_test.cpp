#include "app/feature_defaults.hpp"

#include <gtest/gtest.h>

#include "app/defaults_store.hpp"
#include "platform/sim/sim_desktop.hpp"

namespace tavorin {
namespace {

TEST(FeatureDefaultsTest, SwitchesReadAfreshAndTolerateWrongTypes) {
  sim::SimDesktop desktop;
  FeatureDefaults switches(desktop.standardDefaults);
  EXPECT_TRUE(switches.cutPasteEnabled());
  EXPECT_TRUE(switches.showMenuBarIcon());

  desktop.standardDefaults.setBool("tavorin.tilingEnabled", false);
  desktop.standardDefaults.setString("tavorin.smartDockEnabled", "no");
  desktop.standardDefaults.setInt("tavorin.pointerLocatorEnabled", 0);
  EXPECT_FALSE(switches.tilingEnabled());
  EXPECT_TRUE(switches.smartDockEnabled());
  EXPECT_TRUE(switches.pointerLocatorEnabled());
  EXPECT_EQ(desktop.standardDefaults.getString("tavorin.smartDockEnabled"), "no");  // untouched

  EXPECT_EQ(&FeatureDefaults::shared(desktop.platform()), &desktop.suiteDefaults);
  sim::SimDesktop withoutSuite({.suiteAvailable = false});
  EXPECT_EQ(&FeatureDefaults::shared(withoutSuite.platform()), &withoutSuite.standardDefaults);
}

TEST(DefaultsStoreTest, BindingsAnnounceThenWriteAndRepublishOnAnyStoreChange) {
  sim::SimDesktop desktop;
  auto store = DefaultsStore::create(desktop.standardDefaults, desktop.notifications);
  std::vector<std::string> seen;
  auto token = store->observeWillChange([&] {
    seen.push_back(desktop.standardDefaults.getBool("tavorin.tilingEnabled") ? "written"
                                                                             : "before");
  });

  auto tiling = store->binding("tavorin.tilingEnabled", true);
  auto language = store->binding("tavorin.language", std::string("system"));
  EXPECT_TRUE(tiling.get());
  tiling.set(false);
  EXPECT_FALSE(tiling.get());
  // Announced before the value was stored, and once more by the store's own change notice.
  EXPECT_EQ(seen, (std::vector<std::string>{"before", "written"}));

  desktop.suiteDefaults.setString("FolderPreview.layout", "grid");  // another store
  EXPECT_EQ(seen.size(), 3u);

  desktop.standardDefaults.setInt("tavorin.language", 3);  // wrong type reads as the default
  EXPECT_EQ(language.get(), "system");
}

TEST(DefaultsStoreTest, BindingOutlivingItsStoreKeepsItsLastValueAndWritesNothing) {
  sim::SimDesktop desktop;
  auto store = DefaultsStore::create(desktop.standardDefaults, desktop.notifications);
  auto icon = store->binding("tavorin.showMenuBarIcon", true);
  desktop.standardDefaults.setBool("tavorin.showMenuBarIcon", false);
  EXPECT_FALSE(icon.get());
  store.reset();

  desktop.standardDefaults.setBool("tavorin.showMenuBarIcon", true);
  EXPECT_FALSE(icon.get());
  icon.set(false);
  EXPECT_EQ(desktop.standardDefaults.getBool("tavorin.showMenuBarIcon"), true);
}

}  // namespace
}  // namespace tavorin
