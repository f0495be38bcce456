#pragma once

#include "platform/accessibility.hpp"

namespace tavorin {

// Whether this process may read and move other applications' windows.
class AccessibilityPermission {
 public:
  explicit AccessibilityPermission(Accessibility& accessibility) : accessibility_(accessibility) {}

  bool isGranted() const { return accessibility_.isProcessTrusted(); }
  // Asks the system, which shows its own prompt when the process is not trusted yet; answers
  // the trust as it is now.
  bool request() { return accessibility_.isProcessTrustedWithPrompt(); }
  // Opens the place where the user grants the permission; false when the desktop has none.
  bool openSystemSettings() { return accessibility_.openTrustSettings(); }

 private:
  Accessibility& accessibility_;
};

}  // namespace tavorin
