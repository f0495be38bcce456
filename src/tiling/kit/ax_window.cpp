#include "tiling/kit/ax_window.hpp"

#include "tiling/kit/tiled_windows.hpp"

namespace tavorin {

std::shared_ptr<WindowServices> WindowServices::create(Accessibility& accessibility,
                                                       RunningApplications& applications) {
  return std::shared_ptr<WindowServices>(new WindowServices(accessibility, applications));
}

WindowServices::WindowServices(Accessibility& accessibility, RunningApplications& applications)
    : accessibility_(accessibility),
      applications_(applications),
      systemWide_(accessibility.systemWide()),
      tiledWindows_(std::make_unique<TiledWindows>()) {
  systemWide_.setMessagingTimeout(systemWideTimeout);
}

WindowServices::~WindowServices() = default;

std::shared_ptr<AXWindow> AXWindow::make(const std::shared_ptr<WindowServices>& services,
                                         AXElement element) {
  if (!services || element.isNull()) return nullptr;
  element.setMessagingTimeout(WindowServices::elementTimeout);
  const ProcessId pid = services->accessibility().pid(element).value_or(0);
  return std::shared_ptr<AXWindow>(new AXWindow(services, element, pid));
}

std::shared_ptr<AXWindow> AXWindow::focused(const std::shared_ptr<WindowServices>& services) {
  if (!services) return nullptr;
  auto front = services->applications().frontmostApplication();
  if (!front || front->pid == services->applications().currentProcessId()) return nullptr;
  AXElement application = services->accessibility().application(front->pid);
  application.setMessagingTimeout(WindowServices::elementTimeout);
  auto window = services->accessibility().elementAttribute(application, ax::focusedWindow);
  if (!window) return nullptr;
  return make(services, *window);
}

std::shared_ptr<AXWindow> AXWindow::window(const std::shared_ptr<WindowServices>& services,
                                           TPoint atAXPoint) {
  if (!services) return nullptr;
  Accessibility& ax = services->accessibility();
  auto element = ax.elementAtPosition(services->systemWide(), atAXPoint.toPoint());
  if (!element) return nullptr;
  element->setMessagingTimeout(WindowServices::elementTimeout);
  auto owner = ax.pid(*element);
  if (owner && *owner == services->applications().currentProcessId()) return nullptr;
  if (ax.stringAttribute(*element, ax::role) == ax::windowRole) return make(services, *element);
  if (auto window = ax.elementAttribute(*element, ax::window)) return make(services, *window);
  return nullptr;
}

std::vector<std::shared_ptr<AXWindow>> AXWindow::allStandardWindows(
    const std::shared_ptr<WindowServices>& services) {
  std::vector<std::shared_ptr<AXWindow>> result;
  if (!services) return result;
  Accessibility& ax = services->accessibility();
  const ProcessId self = services->applications().currentProcessId();
  for (const RunningApplication& app : services->applications().runningApplications()) {
    if (app.activationPolicy != Application::ActivationPolicy::regular || app.isHidden ||
        app.pid == self) {
      continue;
    }
    AXElement application = ax.application(app.pid);
    application.setMessagingTimeout(WindowServices::elementTimeout);
    auto windows = ax.elementsAttribute(application, ax::windows);
    if (!windows) continue;
    for (AXElement element : *windows) {
      element.setMessagingTimeout(WindowServices::elementTimeout);
      if (ax.stringAttribute(element, ax::subrole) != ax::standardWindowSubrole) continue;
      // Unreadable states count as not minimised and not full screen.
      if (ax.boolAttribute(element, ax::minimized).value_or(false)) continue;
      if (ax.boolAttribute(element, ax::fullScreen).value_or(false)) continue;
      result.push_back(std::shared_ptr<AXWindow>(new AXWindow(services, element, app.pid)));
    }
  }
  return result;
}

std::string AXWindow::title() const {
  auto services = services_.lock();
  if (!services) return {};
  return services->accessibility().stringAttribute(element_, ax::title).value_or("");
}

std::optional<TPoint> AXWindow::position() const {
  auto services = services_.lock();
  if (!services) return std::nullopt;
  auto point = services->accessibility().pointAttribute(element_, ax::position);
  if (!point) return std::nullopt;
  return TPoint::from(*point);
}

std::optional<Size> AXWindow::size() const {
  auto services = services_.lock();
  if (!services) return std::nullopt;
  return services->accessibility().sizeAttribute(element_, ax::size);
}

std::optional<TRect> AXWindow::frame() const {
  auto origin = position();
  if (!origin) return std::nullopt;
  auto extent = size();
  if (!extent) return std::nullopt;
  return TRect{origin->x, origin->y, extent->width, extent->height};
}

void AXWindow::setSize(Size size) {
  if (auto services = services_.lock()) {
    services->accessibility().setAttribute(element_, ax::size, size);
  }
}

void AXWindow::setPosition(TPoint origin) {
  if (auto services = services_.lock()) {
    services->accessibility().setAttribute(element_, ax::position, origin.toPoint());
  }
}

void AXWindow::setFrame(const TRect& rect) {
  auto services = services_.lock();
  if (!services) return;
  Accessibility& ax = services->accessibility();
  const std::optional<TRect> previous = frame();

  // Applications with the enhanced interface switched on animate and may refuse frame changes.
  AXElement application = ax.application(pid_);
  application.setMessagingTimeout(WindowServices::elementTimeout);
  const bool enhanced = ax.boolAttribute(application, ax::enhancedUserInterface).value_or(false);
  if (enhanced) ax.setAttribute(application, ax::enhancedUserInterface, false);

  // Size first so that the move is not clamped at the screen edge, then size again in case the
  // first one was limited by the old position.
  const Size size{rect.width, rect.height};
  ax.setAttribute(element_, ax::size, size);
  ax.setAttribute(element_, ax::position, Point{rect.x, rect.y});
  ax.setAttribute(element_, ax::size, size);

  if (enhanced) ax.setAttribute(application, ax::enhancedUserInterface, true);
  services->tiledWindows().didTile(shared_from_this(), previous);
}

}  // namespace tavorin
