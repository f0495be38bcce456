#include "platform/sim/sim_desktop.hpp"

namespace tavorin::sim {

SimDesktop::SimDesktop(SimDesktopOptions options)
    : platform_{runLoop,
                executor,
                clock,
                notifications,
                process,
                standardDefaults,
                options.suiteAvailable ? &suiteDefaults : nullptr,
                &globalDefaults} {
  platform_.application = &application;
  platform_.statusBar = &statusBar;
  platform_.workspace = &workspace;
  platform_.permissions = &permissions;
  platform_.accessibility = &accessibility;
  platform_.runningApplications = &accessibility;
  platform_.screens = &screens;
  platform_.hotKeys = &hotKeys;
  platform_.fileKinds = &fileKinds;
  platform_.keyboardLayout = &keyboardLayout;
  platform_.systemBeep = &systemBeep;
  platform_.overlays = &overlays;
  platform_.eventMonitors = &eventMonitors;
}

void SimDesktop::settle() {
  while (executor.drain() + runLoop.runPending() > 0) {
  }
}

void SimDesktop::advance(Seconds duration) {
  settle();
  runLoop.advance(duration);
  settle();
}

}  // namespace tavorin::sim
