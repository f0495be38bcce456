#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/running_applications.hpp"
#include "platform/x11/x11_connection.hpp"

namespace tavorin::x11 {

// Other clients' top-level windows as accessibility elements, read and changed through the
// window manager's EWMH interface. A window element's identity is its X window id; an
// application is the set of windows that carry its process id (_NET_WM_PID). Frames are the
// outer frames (decorations included), in global coordinates whose origin is the top-left of
// the primary screen. Writes wait until the window manager has applied them (or the element's
// time-out passed), so that a read right after a write sees the new value. Trust is always
// granted: X11 has no such permission.
class X11Accessibility final : public Accessibility, public RunningApplications {
 public:
  // `origin` gives the primary screen's top-left in root window coordinates.
  X11Accessibility(Connection& connection, std::function<Point()> origin);
  ~X11Accessibility() override;

  AXElement systemWide() override;
  AXElement application(ProcessId pid) override;
  std::optional<AXElement> elementAtPosition(const AXElement& root, Point point) override;
  std::optional<ProcessId> pid(const AXElement& element) override;
  std::optional<AXValue> attribute(const AXElement& element, std::string_view name) override;
  AXError setAttribute(const AXElement& element, std::string_view name,
                       const AXValue& value) override;
  bool isAttributeSettable(const AXElement& element, std::string_view name) override;
  AXError performAction(const AXElement& element, std::string_view action) override;
  bool isProcessTrusted() override { return true; }
  bool isProcessTrustedWithPrompt() override { return true; }
  Subscription observeTrustChanges(std::function<void()>) override { return {}; }
  bool openTrustSettings() override { return false; }

  std::vector<RunningApplication> runningApplications() override;
  std::optional<RunningApplication> frontmostApplication() override;
  ProcessId currentProcessId() const override;

  // A time-out for elements that have none of their own.
  static constexpr Seconds defaultTimeout = 2.0;

 private:
  enum class Kind { systemWide, application, window };
  struct Frame {
    Rect outer;  // root window coordinates
    std::uint32_t left = 0, right = 0, top = 0, bottom = 0;
    std::uint32_t border = 0;
  };
  struct ClientFacts {
    xcb_window_t window = 0;
    std::optional<ProcessId> pid;
    std::string className;
    bool regular = true;
  };

  static Kind kindOf(const AXElement& element);
  static Deadline deadlineFor(const AXElement& element);
  static AXError errorFrom(int xError);

  std::optional<Frame> frameOf(xcb_window_t window, Deadline deadline, AXError& error);
  std::optional<std::vector<xcb_atom_t>> statesOf(xcb_window_t window, Deadline deadline,
                                                  AXError& error);
  std::optional<std::string> titleOf(xcb_window_t window, Deadline deadline, AXError& error);
  std::optional<std::string> subroleOf(xcb_window_t window, Deadline deadline, AXError& error);
  std::optional<ProcessId> pidOf(xcb_window_t window, Deadline deadline);
  bool exists(xcb_window_t window, Deadline deadline, AXError& error);
  std::optional<std::vector<xcb_window_t>> rootWindows(Atom property, Deadline deadline);
  std::optional<xcb_window_t> activeWindow(Deadline deadline);
  // The windows of one process, front to back.
  std::vector<xcb_window_t> windowsOf(ProcessId pid, Deadline deadline);
  std::vector<ClientFacts> clients(Deadline deadline);

  std::optional<AXValue> windowAttribute(xcb_window_t window, std::string_view name,
                                         Deadline deadline);
  std::optional<AXValue> applicationAttribute(ProcessId pid, std::string_view name,
                                              Deadline deadline);

  void sendToRoot(xcb_window_t window, xcb_atom_t type, std::array<std::uint32_t, 5> data);
  void watch(xcb_window_t window);
  AXError unmaximize(xcb_window_t window, const std::vector<xcb_atom_t>& states, Deadline deadline);
  AXError moveResize(xcb_window_t window, std::optional<Point> outerOrigin,
                     std::optional<Size> outerSize, Deadline deadline);
  AXError changeState(xcb_window_t window, Atom state, bool on, Deadline deadline);
  AXError minimize(xcb_window_t window, Deadline deadline);
  AXError activate(xcb_window_t window, Deadline deadline);
  bool isTopOfItsLayer(xcb_window_t window, Deadline deadline);

  Connection& connection_;
  std::function<Point()> origin_;
  std::set<xcb_window_t> watched_;
  Subscription events_;
};

}  // namespace tavorin::x11
