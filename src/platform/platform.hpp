#pragma once

#include "platform/accessibility.hpp"
#include "platform/application.hpp"
#include "platform/clock.hpp"
#include "platform/event_monitors.hpp"
#include "platform/executor.hpp"
#include "platform/file_kind_provider.hpp"
#include "platform/hot_keys.hpp"
#include "platform/keyboard_layout_service.hpp"
#include "platform/notification_center.hpp"
#include "platform/overlays.hpp"
#include "platform/permissions.hpp"
#include "platform/preference_store.hpp"
#include "platform/process_info.hpp"
#include "platform/run_loop.hpp"
#include "platform/running_applications.hpp"
#include "platform/screens.hpp"
#include "platform/status_bar.hpp"
#include "platform/system_beep.hpp"
#include "platform/workspace.hpp"

namespace tavorin {

// The desktop services a controller may use, assembled by a backend (the simulated desktop in
// tests, the real desktop in the programs). Controllers reach the desktop through nothing else.
struct Platform {
  RunLoop& runLoop;
  Executor& executor;
  Clock& clock;
  NotificationCenter& notifications;
  ProcessInfo& process;
  // The application's own preference domain.
  PreferenceStore& standardDefaults;
  // The shared application group's suite, null when it could not be opened.
  PreferenceStore* suiteDefaults = nullptr;
  // The user's global preference domain, where the desktop has one.
  const PreferenceStore* globalDefaults = nullptr;

  // The application shell's services; null in a program that has no use for them.
  Application* application = nullptr;
  StatusBar* statusBar = nullptr;
  Workspace* workspace = nullptr;
  Permissions* permissions = nullptr;

  // Other applications' windows, the screens and global hot keys; null where a program has no
  // use for them.
  Accessibility* accessibility = nullptr;
  RunningApplications* runningApplications = nullptr;
  Screens* screens = nullptr;
  HotKeys* hotKeys = nullptr;

  // The current keyboard layout; null where a program has no use for it.
  KeyboardLayoutService* keyboardLayout = nullptr;

  // Kinds of files for the folder preview; null: no kinds, no packages.
  const FileKindProvider* fileKinds = nullptr;

  // Non-activating overlay panels with vector drawings; null where nothing is drawn.
  Overlays* overlays = nullptr;

  // The system's alert sound; null: silence.
  SystemBeep* systemBeep = nullptr;

  // Keyboard and mouse events of the whole desktop; null where nothing listens to them.
  EventMonitors* eventMonitors = nullptr;

  // The suite both programs read, or the standard store in its place.
  PreferenceStore& sharedDefaults() const {
    return suiteDefaults != nullptr ? *suiteDefaults : standardDefaults;
  }
};

}  // namespace tavorin
