#pragma once

#include <memory>

#include "platform/platform.hpp"
#include "platform/sim/sim_accessibility.hpp"
#include "platform/sim/sim_event_monitors.hpp"
#include "platform/sim/sim_executor.hpp"
#include "platform/sim/sim_file_kinds.hpp"
#include "platform/sim/sim_hot_keys.hpp"
#include "platform/sim/sim_keyboard_layout.hpp"
#include "platform/sim/sim_overlays.hpp"
#include "platform/sim/sim_process_info.hpp"
#include "platform/sim/sim_run_loop.hpp"
#include "platform/sim/sim_screens.hpp"
#include "platform/sim/sim_shell_services.hpp"
#include "platform/sim/sim_system_beep.hpp"
#include "platform/sim/virtual_clock.hpp"

namespace tavorin::sim {

struct SimDesktopOptions {
  // Simulates a platform that refuses to open the shared suite.
  bool suiteAvailable = true;
};

// The whole simulated desktop: every service a controller can reach, deterministic and
// inspectable. Tests build one per case and drive time and background work explicitly.
class SimDesktop {
 public:
  explicit SimDesktop(SimDesktopOptions options = {});
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  Platform& platform() { return platform_; }

  VirtualClock clock;
  SimRunLoop runLoop{clock};
  SimExecutor executor;
  NotificationCenter notifications;
  SimProcessInfo process;
  InMemoryPreferenceStore standardDefaults{notifications, runLoop};
  InMemoryPreferenceStore suiteDefaults{notifications, runLoop};
  InMemoryPreferenceStore globalDefaults{notifications, runLoop};
  SimApplication application;
  SimStatusBar statusBar;
  SimWorkspace workspace{runLoop};
  SimPermissions permissions;
  SimAccessibility accessibility{permissions};
  SimScreens screens;
  SimOverlays overlays;
  SimHotKeys hotKeys;
  SimFileKindProvider fileKinds;
  SimKeyboardLayout keyboardLayout;
  SimSystemBeep systemBeep;
  SimEventMonitors eventMonitors{clock, screens};

  // Runs background work and posted work until neither has anything left.
  void settle();
  // Moves time forward, settling background work before and after.
  void advance(Seconds duration);

 private:
  Platform platform_;
};

}  // namespace tavorin::sim
