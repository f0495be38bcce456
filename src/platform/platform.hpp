#pragma once

#include "platform/clock.hpp"
#include "platform/executor.hpp"
#include "platform/notification_center.hpp"
#include "platform/preference_store.hpp"
#include "platform/process_info.hpp"
#include "platform/run_loop.hpp"

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

  // The suite both programs read, or the standard store in its place.
  PreferenceStore& sharedDefaults() const {
    return suiteDefaults != nullptr ? *suiteDefaults : standardDefaults;
  }
};

}  // namespace tavorin
