#pragma once

#include <functional>
#include <memory>

namespace tavorin {

// What the application object tells its delegate (`NSApplicationDelegate`).
class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  virtual void applicationDidFinishLaunching() = 0;
  virtual void applicationWillTerminate() = 0;
  // The user opened the program again while it runs. Answers whether it was handled.
  virtual bool applicationShouldHandleReopen(bool hasVisibleWindows) = 0;
};

// The application object (`NSApplication.shared`).
class Application {
 public:
  enum class ActivationPolicy { regular, accessory, prohibited };

  virtual ~Application() = default;
  virtual void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) = 0;
  virtual void setActivationPolicy(ActivationPolicy policy) = 0;
  // Lets the delegate run its shutdown, then ends the event loop and the process.
  virtual void terminate() = 0;
};

}  // namespace tavorin
