#include "app/app_delegate.hpp"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.hpp"
#include "tests/app/fake_features.hpp"

namespace tavorin {
namespace {

using testing::Journal;

class AppDelegateTest : public ::testing::Test {
 protected:
  std::shared_ptr<AppDelegate> launch() {
    AppDelegate::Parts parts;
    parts.features = {cutPaste, tiling, pointer, smartDock};
    parts.makeSettingsWindow = [this] { return settings; };
    parts.checkFolderPreviewStatus = [] { return QuickLookExtensionStatus::enabled; };
    delegate = AppDelegate::install(desktop.platform(), std::move(parts));
    desktop.application.launch();
    return delegate;
  }
  const sim::SimStatusItem& statusItem() const { return *desktop.statusBar.items().at(0); }
  std::optional<bool> stored(std::string_view key) { return desktop.standardDefaults.getBool(key); }

  sim::SimDesktop desktop;
  Journal journal;
  std::shared_ptr<testing::FakeCutPaste> cutPaste =
      std::make_shared<testing::FakeCutPaste>(journal);
  std::shared_ptr<testing::FakeTiling> tiling = std::make_shared<testing::FakeTiling>(journal);
  std::shared_ptr<testing::FakePointer> pointer = std::make_shared<testing::FakePointer>(journal);
  std::shared_ptr<testing::FakeSmartDock> smartDock =
      std::make_shared<testing::FakeSmartDock>(journal);
  std::shared_ptr<testing::RecordingSettingsWindow> settings =
      std::make_shared<testing::RecordingSettingsWindow>();
  std::shared_ptr<AppDelegate> delegate;
};

TEST_F(AppDelegateTest, FirstLaunchStartsEveryFeatureWithOnePromptAndOpensPermissions) {
  launch();
  EXPECT_EQ(journal, (Journal{"start cutPaste(prompt)", "start tiling", "start pointer",
                              "start smartDock"}));
  EXPECT_EQ(desktop.application.activationPolicy(), Application::ActivationPolicy::accessory);
  EXPECT_EQ(stored("tavorin.onboardingDone"), true);
  EXPECT_EQ(settings->shown, (std::vector<std::string>{"permissions"}));
  EXPECT_TRUE(statusItem().isVisible());
  EXPECT_EQ(statusItem().symbol(), "exclamationmark.triangle");
  EXPECT_EQ(statusItem().accessibilityDescription(), "Tavorin");

  // The previewer's registration is read in the background and lands on the main loop.
  EXPECT_EQ(delegate->folderPreviewStatus(), QuickLookExtensionStatus::unknown);
  EXPECT_EQ(desktop.executor.lastQuality(), QualityOfService::utility);
  desktop.settle();
  EXPECT_EQ(delegate->folderPreviewStatus(), QuickLookExtensionStatus::enabled);
}

TEST_F(AppDelegateTest, FirstLaunchWithPermissionsOpensGeneral) {
  desktop.permissions.grantAll();
  launch();
  EXPECT_EQ(settings->shown, (std::vector<std::string>{"general"}));
  EXPECT_EQ(statusItem().symbol(), "square.grid.2x2");
}

TEST_F(AppDelegateTest, LaterLaunchesOpenSettingsOnlyWhenAsked) {
  desktop.standardDefaults.setBool("tavorin.onboardingDone", true);
  launch();
  EXPECT_TRUE(settings->shown.empty());

  sim::SimDesktop again;
  again.standardDefaults.setBool("tavorin.onboardingDone", true);
  again.process.setArguments({"tavorin", "--open-settings"});
  again.permissions.grantAll();
  AppDelegate::Parts parts;
  parts.makeSettingsWindow = [this] { return settings; };
  auto second = AppDelegate::install(again.platform(), std::move(parts));
  again.application.launch();
  EXPECT_EQ(settings->shown, (std::vector<std::string>{"general"}));
}

TEST_F(AppDelegateTest, IconFollowsPendingCutPermissionsAndSwitches) {
  struct Case {
    bool pendingCut;
    bool granted;
    std::vector<std::string> switchedOff;
    bool pointerNeedsPermission;
    std::string symbol;
  };
  const std::vector<Case> cases{
      {true, false, {}, true, "scissors.circle.fill"},  // a pending cut beats the warning
      {false, false, {}, true, "exclamationmark.triangle"},
      {false, true, {}, true, "square.grid.2x2"},
      {false,
       false,
       {"tavorin.cutPasteEnabled", "tavorin.tilingEnabled", "tavorin.pointerLocatorEnabled",
        "tavorin.smartDockEnabled"},
       true,
       "square.grid.2x2"},
      // Only a Pointer Locator that needs no permission is on.
      {false,
       false,
       {"tavorin.cutPasteEnabled", "tavorin.tilingEnabled"},
       false,
       "square.grid.2x2"},
      {false,
       false,
       {"tavorin.cutPasteEnabled", "tavorin.tilingEnabled"},
       true,
       "exclamationmark.triangle"},
  };
  launch();
  for (const auto& c : cases) {
    for (const char* key : {"tavorin.cutPasteEnabled", "tavorin.tilingEnabled",
                            "tavorin.pointerLocatorEnabled", "tavorin.smartDockEnabled"}) {
      desktop.standardDefaults.remove(key);
    }
    for (const auto& key : c.switchedOff)
      desktop.standardDefaults.setBool(key, false);
    cutPaste->pendingCut = c.pendingCut;
    desktop.permissions.accessibilityTrusted = desktop.permissions.postEventsAllowed = c.granted;
    pointer->needs = c.pointerNeedsPermission;
    delegate->refreshIcon();
    EXPECT_EQ(statusItem().symbol(), c.symbol)
        << "cut " << c.pendingCut << " granted " << c.granted << " off " << c.switchedOff.size()
        << " pointer needs " << c.pointerNeedsPermission;
  }

  // Event posting alone missing counts as missing permission.
  desktop.permissions.accessibilityTrusted = true;
  desktop.permissions.postEventsAllowed = false;
  desktop.standardDefaults.remove("tavorin.tilingEnabled");
  delegate->refreshIcon();
  EXPECT_EQ(statusItem().symbol(), "exclamationmark.triangle");
}

TEST_F(AppDelegateTest, WithoutAnyFeatureTheIconIsTheGridEvenWithoutPermission) {
  delegate = AppDelegate::install(desktop.platform(), {});
  desktop.application.launch();
  EXPECT_EQ(statusItem().symbol(), "square.grid.2x2");
  EXPECT_TRUE(desktop.application.reopen());  // no settings window yet: nothing to show
}

TEST_F(AppDelegateTest, SwitchingAFeatureOffAndOnStopsAndStartsItExactlyOnce) {
  launch();
  journal.clear();
  delegate->toggleTiling();
  delegate->toggleTiling();
  delegate->toggleSmartDock();
  EXPECT_EQ(journal, (Journal{"stop tiling", "start tiling", "stop smartDock"}));
  EXPECT_EQ(stored("tavorin.tilingEnabled"), true);
  EXPECT_EQ(stored("tavorin.smartDockEnabled"), false);

  // An unrelated preference change starts nothing twice.
  journal.clear();
  desktop.standardDefaults.setString("pointer.color", "#00FF00");
  EXPECT_TRUE(journal.empty());
}

TEST_F(AppDelegateTest, CutPasteMenuCommandFollowsTheControllerState) {
  cutPaste->startsWaiting = true;
  launch();
  journal.clear();
  delegate->toggleCutPaste();  // waiting for permission: the command switches it off
  EXPECT_EQ(stored("tavorin.cutPasteEnabled"), false);
  EXPECT_EQ(journal, (Journal{"stop cutPaste"}));

  journal.clear();
  delegate->toggleCutPaste();
  EXPECT_EQ(stored("tavorin.cutPasteEnabled"), true);
  // No second prompt in the same process.
  EXPECT_EQ(journal, (Journal{"start cutPaste"}));
}

TEST_F(AppDelegateTest, CutPasteStoppingItselfWritesItsSwitchButQuittingDoesNot) {
  launch();
  cutPaste->setState(CutPasteState::stopped);
  EXPECT_EQ(stored("tavorin.cutPasteEnabled"), false);

  delegate->toggleCutPaste();
  EXPECT_EQ(cutPaste->state(), CutPasteState::running);
  desktop.application.terminate();
  EXPECT_TRUE(delegate->isTerminating());
  EXPECT_EQ(stored("tavorin.cutPasteEnabled"), true);
}

TEST_F(AppDelegateTest, ShutdownStopsInOrderAndPreferenceWritesOnTheWayStartNothing) {
  launch();
  smartDock->onStop = [this] { desktop.standardDefaults.remove("smartdock.savedAutoHide"); };
  journal.clear();
  desktop.application.terminate();
  EXPECT_EQ(journal, (Journal{"stop cutPaste", "stop tiling", "stop pointer", "stop smartDock"}));
}

TEST_F(AppDelegateTest, PointerWithoutPermissionNeedsDoesNotUseUpThePrompt) {
  pointer->needs = false;
  desktop.standardDefaults.setBool("tavorin.cutPasteEnabled", false);
  desktop.standardDefaults.setBool("tavorin.tilingEnabled", false);
  launch();
  EXPECT_FALSE(delegate->hasPromptedForPermission());
  journal.clear();
  delegate->toggleTiling();
  EXPECT_EQ(journal, (Journal{"start tiling(prompt)"}));
}

TEST_F(AppDelegateTest, RelaunchHappensOnceAMinuteAndStopsEverythingFirst) {
  launch();
  journal.clear();
  cutPaste->onRelaunchNeeded();
  EXPECT_EQ(journal, (Journal{"stop cutPaste", "stop tiling", "stop pointer", "stop smartDock"}));
  EXPECT_EQ(desktop.workspace.openedInstances(), 1);
  desktop.settle();
  EXPECT_TRUE(desktop.application.isTerminated());
  EXPECT_NE(stored("tavorin.cutPasteEnabled"), false);  // the stop for relaunch is not recorded

  // The guard holds for a minute.
  sim::SimDesktop second;
  second.standardDefaults.setDouble("lastPermissionRelaunch", second.clock.now() - 30);
  auto other = AppDelegate::install(second.platform(), {});
  second.application.launch();
  other->relaunch();
  EXPECT_EQ(second.workspace.openedInstances(), 0);
  second.advance(31);
  other->relaunch();
  other->relaunch();
  EXPECT_EQ(second.workspace.openedInstances(), 1);
}

TEST_F(AppDelegateTest, FailedRelaunchKeepsThisProcessRunning) {
  desktop.workspace.newInstanceStarts = false;
  launch();
  journal.clear();
  delegate->relaunch();
  desktop.settle();
  EXPECT_FALSE(desktop.application.isTerminated());
  EXPECT_FALSE(delegate->isTerminating());
  EXPECT_EQ(journal,
            (Journal{"stop cutPaste", "stop tiling", "stop pointer", "stop smartDock",
                     "start cutPaste", "start tiling", "start pointer", "start smartDock"}));
  // The stored guard prevents a loop.
  delegate->relaunch();
  EXPECT_EQ(desktop.workspace.openedInstances(), 1);
}

TEST_F(AppDelegateTest, HidingTheIconKeepsTheProgramAndReopenShowsSettings) {
  desktop.standardDefaults.setBool("tavorin.onboardingDone", true);
  launch();
  desktop.standardDefaults.setBool("tavorin.showMenuBarIcon", false);
  EXPECT_FALSE(statusItem().isVisible());
  EXPECT_TRUE(tiling->isRunning());
  EXPECT_TRUE(desktop.application.reopen());
  EXPECT_EQ(settings->shown, (std::vector<std::string>{"(last)"}));
}

TEST_F(AppDelegateTest, CallbacksDoNothingOnceTheControllerIsGone) {
  launch();
  delegate.reset();
  desktop.application.setDelegate({});
  cutPaste->setState(CutPasteState::stopped);
  cutPaste->onRelaunchNeeded();
  EXPECT_EQ(stored("tavorin.cutPasteEnabled"), std::nullopt);
  EXPECT_EQ(desktop.workspace.openedInstances(), 0);
}

}  // namespace
}  // namespace tavorin
