#pragma once

namespace tavorin {

// The process's privacy grants: Accessibility trust (`AXIsProcessTrusted`,
// `AXIsProcessTrustedWithOptions` with the prompt option) and synthetic event posting
// (`CGPreflightPostEventAccess`, `CGRequestPostEventAccess`). Checks never prompt; only the
// request calls may show the system's prompt.
class Permissions {
 public:
  virtual ~Permissions() = default;
  virtual bool isAccessibilityTrusted() const = 0;
  // Shows the system's Accessibility request when not yet trusted; answers the trust as it is now.
  virtual bool requestAccessibility() = 0;
  virtual bool canPostEvents() const = 0;
  virtual bool requestPostEventAccess() = 0;
};

}  // namespace tavorin
