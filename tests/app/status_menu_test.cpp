#include "app/status_menu.hpp"

#include <gtest/gtest.h>

#include "app/app_delegate.hpp"
#include "localization/localizer.hpp"
#include "platform/sim/sim_desktop.hpp"
#include "tests/app/fake_features.hpp"

namespace tavorin {
namespace {

using testing::Journal;

class StatusMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { desktop.standardDefaults.setBool("tavorin.onboardingDone", true); }
  void TearDown() override { Localizer::setShared(nullptr); }

  void launch(bool withFolderPreview = true) {
    AppDelegate::Parts parts;
    parts.features = {cutPaste, tiling, pointer, smartDock};
    parts.makeSettingsWindow = [] { return std::make_shared<testing::RecordingSettingsWindow>(); };
    if (withFolderPreview) {
      parts.checkFolderPreviewStatus = [this] { return registration; };
      parts.setFolderPreviewEnabled = [this](bool on) {
        journal.push_back(on ? "enable preview" : "disable preview");
        registration = on ? QuickLookExtensionStatus::enabled : QuickLookExtensionStatus::disabled;
      };
    }
    delegate = AppDelegate::install(desktop.platform(), std::move(parts));
    desktop.application.launch();
    desktop.settle();
  }
  // Opens the menu as the tray does and returns it.
  Menu& open() {
    Menu& menu = *desktop.statusBar.items().at(0)->menu();
    menu.prepareToOpen();
    return menu;
  }
  std::shared_ptr<MenuItem> item(const std::string& title) {
    for (const auto& entry : open().items) {
      if (entry->title == title) return entry;
    }
    return nullptr;
  }
  std::vector<std::string> visibleTitles() {
    std::vector<std::string> titles;
    for (const auto& entry : open().items) {
      if (!entry->isHidden) titles.push_back(entry->isSeparator ? "—" : entry->title);
    }
    return titles;
  }

  sim::SimDesktop desktop;
  Journal journal;
  QuickLookExtensionStatus registration = QuickLookExtensionStatus::unknown;
  std::shared_ptr<testing::FakeCutPaste> cutPaste =
      std::make_shared<testing::FakeCutPaste>(journal);
  std::shared_ptr<testing::FakeTiling> tiling = std::make_shared<testing::FakeTiling>(journal);
  std::shared_ptr<testing::FakePointer> pointer = std::make_shared<testing::FakePointer>(journal);
  std::shared_ptr<testing::FakeSmartDock> smartDock =
      std::make_shared<testing::FakeSmartDock>(journal);
  std::shared_ptr<AppDelegate> delegate;
};

TEST_F(StatusMenuTest, LinesInOrderWithTheWarningOnlyWhileAPermissionIsMissing) {
  launch();
  EXPECT_EQ(visibleTitles(), (std::vector<std::string>{
                                 "⚠︎ Accessibility permission needed…", "—", "Cut & Paste",
                                 "Folder Preview", "Pointer Locator", "Smart Dock Hiding", "—",
                                 "Window Layout", "—", "Settings…", "—", "Quit Tavorin"}));
  desktop.permissions.grantAll();
  EXPECT_EQ(visibleTitles().front(), "Cut & Paste");

  // No permission, but only features that need none are on: no warning either.
  desktop.permissions.accessibilityTrusted = false;
  pointer->needs = false;
  desktop.standardDefaults.setBool("tavorin.cutPasteEnabled", false);
  desktop.standardDefaults.setBool("tavorin.tilingEnabled", false);
  EXPECT_EQ(visibleTitles().front(), "Cut & Paste");
  EXPECT_TRUE(item("⚠︎ Accessibility permission needed…")->action) << "it opens Permissions";
}

TEST_F(StatusMenuTest, CutPasteLineFollowsTheControllerAndCancelsAPendingCut) {
  cutPaste->startsWaiting = true;
  launch();
  auto line = item("Cut & Paste");
  EXPECT_TRUE(line->isChecked);
  EXPECT_EQ(line->toolTip, "Waiting for permission");

  cutPaste->setState(CutPasteState::running);
  cutPaste->pendingCut = true;
  delegate->refreshIcon();
  EXPECT_EQ(item("Cut & Paste")->toolTip, "Cut ⌘X · Move ⌘V");
  auto cancel = item("Cancel cut (Esc)");
  ASSERT_FALSE(cancel->isHidden);
  EXPECT_EQ(cancel->indentationLevel, 1);
  EXPECT_EQ(desktop.statusBar.items().at(0)->symbol(), "scissors.circle.fill");
  cancel->action();
  EXPECT_FALSE(cutPaste->hasPendingCut());
  EXPECT_NE(desktop.statusBar.items().at(0)->symbol(), "scissors.circle.fill");
  EXPECT_TRUE(item("Cancel cut (Esc)")->isHidden);
}

TEST_F(StatusMenuTest, FolderPreviewLineShowsTheLastKnownStatusAndSwitchesIt) {
  launch();
  auto line = item("Folder Preview");
  EXPECT_FALSE(line->isChecked);
  EXPECT_EQ(line->toolTip, "Status unknown");

  line->action();  // unknown: the wish is to enable
  EXPECT_TRUE(item("Folder Preview")->isChecked) << "shown at once, before the check";
  desktop.settle();
  EXPECT_EQ(journal.back(), "enable preview");
  EXPECT_EQ(item("Folder Preview")->toolTip, "On · select a folder in Finder and press Space");

  registration = QuickLookExtensionStatus::notRegistered;
  open();
  desktop.settle();
  EXPECT_EQ(item("Folder Preview")->toolTip,
            "Extension not registered · move Tavorin to the Applications folder");
}

TEST_F(StatusMenuTest, PointerTooltipSaysHowToCallTheHighlight) {
  launch();
  EXPECT_EQ(item("Pointer Locator")->toolTip, "Waiting for permission");
  pointer->needs = false;
  EXPECT_EQ(item("Pointer Locator")->toolTip, "Press ⌃ twice");

  PointerLocatorSettings settings;
  settings.trigger = PointerTrigger::singleTap;
  settings.modifier = ModifierKey::option;
  EXPECT_EQ(StatusMenu::pointerTriggerDescription(settings), "Press ⌥ once");
  settings.trigger = PointerTrigger::shortcut;
  pointer->currentSettings = settings;
  EXPECT_EQ(item("Pointer Locator")->toolTip, "⌃⌥P");

  delegate->togglePointer();
  EXPECT_FALSE(item("Pointer Locator")->isChecked);
  EXPECT_EQ(item("Pointer Locator")->toolTip, "");
}

TEST_F(StatusMenuTest, StoppedWindowLayoutOffersTurnOnThenGetsItsOwnSubmenuBack) {
  desktop.standardDefaults.setBool("tavorin.tilingEnabled", false);
  launch();
  Menu& submenu = *item("Window Layout")->submenu;
  submenu.prepareToOpen();
  ASSERT_EQ(submenu.items.size(), 2u);
  EXPECT_EQ(submenu.items[0]->title, "Off");
  EXPECT_FALSE(submenu.items[0]->isEnabled());
  EXPECT_EQ(submenu.items[1]->title, "Turn On");

  submenu.items[1]->action();
  EXPECT_TRUE(tiling->isRunning());
  open();
  submenu.prepareToOpen();
  ASSERT_EQ(submenu.items.size(), 1u);
  EXPECT_EQ(submenu.items[0]->title, "own submenu");
}

TEST_F(StatusMenuTest, TitlesFollowTheLanguageAndAbsentFeaturesHaveNoLine) {
  desktop.suiteDefaults.setString("tavorin.language", "de");
  Localizer::install(desktop.platform());
  delegate = AppDelegate::install(desktop.platform(), {});
  desktop.application.launch();
  // Without a settings window there is no Settings line either.
  EXPECT_EQ(visibleTitles(), (std::vector<std::string>{"—", L("Quit Tavorin")}));
  EXPECT_NE(L("Quit Tavorin"), "Quit Tavorin");
}

}  // namespace
}  // namespace tavorin
