#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/running_applications.hpp"
#include "platform/sim/sim_shell_services.hpp"

namespace tavorin::sim {

struct SimWindowOptions {
  std::string title;
  // Global, top-left origin, y down.
  Rect frame;
  std::string subrole = std::string(ax::standardWindowSubrole);
  bool minimized = false;
  bool fullScreen = false;
  // The window refuses to become smaller than this.
  Size minSize{0, 0};
};

// Other applications and their windows as the accessibility interface shows them, and the
// workspace's list of those applications. Every attribute can be read and written the way the
// real interface allows; a test can make an application stop answering (its calls time out) and
// take the permission away. Windows are kept in one front-to-back stacking order.
class SimAccessibility final : public Accessibility, public RunningApplications {
 public:
  struct Write {
    AXElement element;
    std::string attribute;
    AXValue value;
  };
  struct TimedOutCall {
    AXElement element;
    std::string what;  // the attribute or action
    Seconds timeout;   // the element's time-out at the call
  };

  // Trust is the simulated desktop's Accessibility grant.
  explicit SimAccessibility(SimPermissions& permissions);

  // Applications. Pids are handed out from 1001 on, in the order the system lists them.
  ProcessId addApplication(std::string name, Application::ActivationPolicy policy =
                                                 Application::ActivationPolicy::regular);
  void quitApplication(ProcessId pid);
  void setHidden(ProcessId pid, bool hidden);
  void setFrontmost(std::optional<ProcessId> pid);
  // Makes `pid` this process (the program's own application).
  void setCurrentProcess(ProcessId pid) { currentProcess_ = pid; }
  // Every call on the application's elements times out.
  void setUnresponsive(ProcessId pid, bool unresponsive);
  // The application has "AXEnhancedUserInterface" (initially with this value).
  void setEnhancedUserInterface(ProcessId pid, bool value);

  // Windows. A new window opens in front of every other one.
  AXElement addWindow(ProcessId pid, SimWindowOptions options);
  void closeWindow(const AXElement& window);
  // Raises the window, focuses it and brings its application to the front.
  void focusWindow(const AXElement& window);
  // A user-interface element inside a window (a button, a list), found at its frame.
  AXElement addChildElement(const AXElement& window, std::string role, Rect frame);
  // Sets or removes any attribute directly, as the application itself would.
  void setAttributeValue(const AXElement& element, std::string name, std::optional<AXValue> value);
  void setSettable(const AXElement& element, std::string name, bool settable);

  // What a window looks like now (its frame is global, top-left, y down).
  std::optional<Rect> frame(const AXElement& window) const;
  std::optional<std::string> title(const AXElement& window) const;
  // Every window, front to back.
  std::vector<AXElement> stackingOrder() const;
  std::optional<AXElement> focusedWindow() const;

  // Changes the grant and sends the trust-change notice.
  void setTrusted(bool trusted);
  int trustSettingsOpened() const { return trustSettingsOpened_; }

  // Every accepted attribute write, in order, and every call that timed out.
  const std::vector<Write>& writes() const { return writes_; }
  const std::vector<TimedOutCall>& timedOutCalls() const { return timedOut_; }
  void clearLog() {
    writes_.clear();
    timedOut_.clear();
  }

  // Accessibility
  AXElement systemWide() override;
  AXElement application(ProcessId pid) override;
  std::optional<AXElement> elementAtPosition(const AXElement& root, Point point) override;
  std::optional<ProcessId> pid(const AXElement& element) override;
  std::optional<AXValue> attribute(const AXElement& element, std::string_view name) override;
  AXError setAttribute(const AXElement& element, std::string_view name,
                       const AXValue& value) override;
  bool isAttributeSettable(const AXElement& element, std::string_view name) override;
  AXError performAction(const AXElement& element, std::string_view action) override;
  bool isProcessTrusted() override { return permissions_.isAccessibilityTrusted(); }
  bool isProcessTrustedWithPrompt() override;
  Subscription observeTrustChanges(std::function<void()> onChange) override;
  bool openTrustSettings() override;

  // RunningApplications
  std::vector<RunningApplication> runningApplications() override;
  std::optional<RunningApplication> frontmostApplication() override;
  ProcessId currentProcessId() const override { return currentProcess_; }

 private:
  enum class Kind { systemWide, application, window, child };
  struct Element {
    Kind kind = Kind::window;
    ProcessId pid = 0;
    std::uint64_t window = 0;   // the owning window of a child element
    std::optional<Rect> frame;  // children only
    Size minSize;
    std::map<std::string, AXValue, std::less<>> attributes;
    std::set<std::string, std::less<>> settable;
  };
  struct App {
    RunningApplication info;
    bool unresponsive = false;
    std::optional<bool> enhancedUserInterface;
  };

  static std::uint64_t applicationIdentity(ProcessId pid);
  Element* find(const AXElement& element);
  const Element* find(const AXElement& element) const;
  App* app(ProcessId pid);
  // Whether a call on `element` goes through; records a time-out when it does not.
  AXError admit(const AXElement& element, std::string_view what, const Element*& found);
  std::optional<AXValue> computed(const AXElement& handle, const Element& element,
                                  std::string_view name) const;
  bool isVisible(std::uint64_t window) const;
  std::vector<AXElement> windowsOf(ProcessId pid) const;

  std::vector<App> apps_;
  std::map<std::uint64_t, Element> elements_;
  std::vector<std::uint64_t> stacking_;  // front to back
  std::uint64_t nextElement_ = 0x100;
  ProcessId nextPid_ = 1001;
  ProcessId currentProcess_ = 999;
  std::optional<ProcessId> frontmost_;
  SimPermissions& permissions_;
  int trustSettingsOpened_ = 0;
  Signal<> trustChanged_;
  std::vector<Write> writes_;
  std::vector<TimedOutCall> timedOut_;
};

}  // namespace tavorin::sim
