#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/application.hpp"

namespace tavorin {

struct RunningApplication {
  ProcessId pid = 0;
  std::string name;
  // `regular`: takes part with ordinary windows.
  Application::ActivationPolicy activationPolicy = Application::ActivationPolicy::regular;
  bool isHidden = false;
  bool operator==(const RunningApplication&) const = default;
};

// The workspace's applications (NSWorkspace.runningApplications, frontmostApplication and
// NSRunningApplication.currentApplication).
class RunningApplications {
 public:
  virtual ~RunningApplications() = default;
  // In the order the system lists them.
  virtual std::vector<RunningApplication> runningApplications() = 0;
  // The application in front (whose window has the focus), or none.
  virtual std::optional<RunningApplication> frontmostApplication() = 0;
  // This process.
  virtual ProcessId currentProcessId() const = 0;
};

}  // namespace tavorin
