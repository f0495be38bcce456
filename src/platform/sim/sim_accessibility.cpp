#include "platform/sim/sim_accessibility.hpp"

#include <algorithm>

namespace tavorin::sim {

namespace {

constexpr std::uint64_t systemWideIdentity = 1;
constexpr std::uint64_t applicationTag = std::uint64_t{1} << 48;

}  // namespace

SimAccessibility::SimAccessibility(SimPermissions& permissions) : permissions_(permissions) {
  Element systemWide;
  systemWide.kind = Kind::systemWide;
  systemWide.attributes.emplace(std::string(ax::role), AXValue(std::string(ax::systemWideRole)));
  elements_.emplace(systemWideIdentity, std::move(systemWide));
}

std::uint64_t SimAccessibility::applicationIdentity(ProcessId pid) {
  return applicationTag | static_cast<std::uint32_t>(pid);
}

ProcessId SimAccessibility::addApplication(std::string name, Application::ActivationPolicy policy) {
  const ProcessId pid = nextPid_++;
  App app;
  app.info = RunningApplication{pid, name, policy, false};
  apps_.push_back(std::move(app));
  Element element;
  element.kind = Kind::application;
  element.pid = pid;
  element.attributes.emplace(std::string(ax::role), AXValue(std::string(ax::applicationRole)));
  element.attributes.emplace(std::string(ax::title), AXValue(std::move(name)));
  elements_.emplace(applicationIdentity(pid), std::move(element));
  return pid;
}

void SimAccessibility::quitApplication(ProcessId pid) {
  std::erase_if(apps_, [&](const App& a) { return a.info.pid == pid; });
  std::erase_if(stacking_, [&](std::uint64_t id) { return elements_.at(id).pid == pid; });
  std::erase_if(elements_, [&](const auto& entry) {
    return entry.second.kind != Kind::systemWide && entry.second.pid == pid;
  });
  if (frontmost_ == pid) frontmost_.reset();
}

void SimAccessibility::setHidden(ProcessId pid, bool hidden) {
  if (App* a = app(pid)) a->info.isHidden = hidden;
}

void SimAccessibility::setFrontmost(std::optional<ProcessId> pid) {
  frontmost_ = pid;
}

void SimAccessibility::setUnresponsive(ProcessId pid, bool unresponsive) {
  if (App* a = app(pid)) a->unresponsive = unresponsive;
}

void SimAccessibility::setEnhancedUserInterface(ProcessId pid, bool value) {
  if (app(pid) == nullptr) return;
  Element& element = elements_.at(applicationIdentity(pid));
  element.attributes.insert_or_assign(std::string(ax::enhancedUserInterface), AXValue(value));
  element.settable.insert(std::string(ax::enhancedUserInterface));
}

AXElement SimAccessibility::addWindow(ProcessId pid, SimWindowOptions options) {
  const std::uint64_t id = nextElement_++;
  Element element;
  element.kind = Kind::window;
  element.pid = pid;
  element.minSize = options.minSize;
  auto& attributes = element.attributes;
  attributes.emplace(std::string(ax::role), AXValue(std::string(ax::windowRole)));
  attributes.emplace(std::string(ax::subrole), AXValue(std::move(options.subrole)));
  attributes.emplace(std::string(ax::title), AXValue(std::move(options.title)));
  attributes.emplace(std::string(ax::position), AXValue(options.frame.origin()));
  attributes.emplace(std::string(ax::size), AXValue(options.frame.size()));
  attributes.emplace(std::string(ax::minimized), AXValue(options.minimized));
  attributes.emplace(std::string(ax::fullScreen), AXValue(options.fullScreen));
  element.settable = {std::string(ax::position), std::string(ax::size), std::string(ax::minimized),
                      std::string(ax::fullScreen), std::string(ax::main)};
  elements_.emplace(id, std::move(element));
  stacking_.insert(stacking_.begin(), id);
  return AXElement(id);
}

void SimAccessibility::closeWindow(const AXElement& window) {
  std::erase(stacking_, window.identity());
  std::erase_if(elements_, [&](const auto& entry) {
    return entry.first == window.identity() ||
           (entry.second.kind == Kind::child && entry.second.window == window.identity());
  });
}

void SimAccessibility::focusWindow(const AXElement& window) {
  const Element* element = find(window);
  if (element == nullptr || element->kind != Kind::window) return;
  std::erase(stacking_, window.identity());
  stacking_.insert(stacking_.begin(), window.identity());
  elements_.at(window.identity())
      .attributes.insert_or_assign(std::string(ax::minimized), AXValue(false));
  frontmost_ = element->pid;
}

AXElement SimAccessibility::addChildElement(const AXElement& window, std::string role, Rect frame) {
  const Element* parent = find(window);
  if (parent == nullptr || parent->kind != Kind::window) return AXElement();
  const std::uint64_t id = nextElement_++;
  Element element;
  element.kind = Kind::child;
  element.pid = parent->pid;
  element.window = window.identity();
  element.frame = frame;
  element.attributes.emplace(std::string(ax::role), AXValue(std::move(role)));
  elements_.emplace(id, std::move(element));
  return AXElement(id);
}

void SimAccessibility::setAttributeValue(const AXElement& element, std::string name,
                                         std::optional<AXValue> value) {
  Element* found = find(element);
  if (found == nullptr) return;
  if (value) {
    found->attributes.insert_or_assign(std::move(name), std::move(*value));
  } else {
    found->attributes.erase(name);
  }
}

void SimAccessibility::setSettable(const AXElement& element, std::string name, bool settable) {
  Element* found = find(element);
  if (found == nullptr) return;
  if (settable) {
    found->settable.insert(std::move(name));
  } else {
    found->settable.erase(name);
  }
}

std::optional<Rect> SimAccessibility::frame(const AXElement& window) const {
  const Element* element = find(window);
  if (element == nullptr) return std::nullopt;
  if (element->frame) return element->frame;
  auto position = element->attributes.find(ax::position);
  auto size = element->attributes.find(ax::size);
  if (position == element->attributes.end() || size == element->attributes.end()) {
    return std::nullopt;
  }
  auto p = position->second.asPoint();
  auto s = size->second.asSize();
  if (!p || !s) return std::nullopt;
  return Rect{p->x, p->y, s->width, s->height};
}

std::optional<std::string> SimAccessibility::title(const AXElement& window) const {
  const Element* element = find(window);
  if (element == nullptr) return std::nullopt;
  auto it = element->attributes.find(ax::title);
  if (it == element->attributes.end()) return std::nullopt;
  return it->second.asString();
}

std::vector<AXElement> SimAccessibility::stackingOrder() const {
  std::vector<AXElement> result;
  for (std::uint64_t id : stacking_)
    result.emplace_back(id);
  return result;
}

std::optional<AXElement> SimAccessibility::focusedWindow() const {
  if (!frontmost_) return std::nullopt;
  for (std::uint64_t id : stacking_) {
    if (elements_.at(id).pid == *frontmost_ && isVisible(id)) return AXElement(id);
  }
  return std::nullopt;
}

void SimAccessibility::setTrusted(bool trusted) {
  permissions_.accessibilityTrusted = trusted;
  trustChanged_.emit();
}

SimAccessibility::Element* SimAccessibility::find(const AXElement& element) {
  auto it = elements_.find(element.identity());
  return it == elements_.end() ? nullptr : &it->second;
}

const SimAccessibility::Element* SimAccessibility::find(const AXElement& element) const {
  auto it = elements_.find(element.identity());
  return it == elements_.end() ? nullptr : &it->second;
}

SimAccessibility::App* SimAccessibility::app(ProcessId pid) {
  for (App& a : apps_) {
    if (a.info.pid == pid) return &a;
  }
  return nullptr;
}

AXError SimAccessibility::admit(const AXElement& element, std::string_view what,
                                const Element*& found) {
  found = find(element);
  if (found == nullptr) return AXError::invalidUIElement;
  if (!isProcessTrusted()) return AXError::apiDisabled;
  if (found->kind == Kind::systemWide) return AXError::success;
  const App* owner = app(found->pid);
  if (owner == nullptr) return AXError::invalidUIElement;
  if (owner->unresponsive) {
    timedOut_.push_back({element, std::string(what), element.messagingTimeout()});
    return AXError::cannotComplete;
  }
  return AXError::success;
}

bool SimAccessibility::isVisible(std::uint64_t window) const {
  const Element& element = elements_.at(window);
  auto minimized = element.attributes.find(ax::minimized);
  if (minimized != element.attributes.end() && minimized->second.asBool().value_or(false)) {
    return false;
  }
  for (const App& a : apps_) {
    if (a.info.pid == element.pid) return !a.info.isHidden;
  }
  return false;
}

std::vector<AXElement> SimAccessibility::windowsOf(ProcessId pid) const {
  std::vector<AXElement> result;
  for (std::uint64_t id : stacking_) {
    if (elements_.at(id).pid == pid) result.emplace_back(id);
  }
  return result;
}

std::optional<AXValue> SimAccessibility::computed(const AXElement& handle, const Element& element,
                                                  std::string_view name) const {
  switch (element.kind) {
    case Kind::systemWide:
      if (name == ax::focusedApplication && frontmost_) {
        return AXValue(AXElement(applicationIdentity(*frontmost_)));
      }
      return std::nullopt;
    case Kind::application:
      if (name == ax::windows) return AXValue(windowsOf(element.pid));
      if (name == ax::frontmost) return AXValue(frontmost_ == element.pid);
      if (name == ax::focusedWindow) {
        for (std::uint64_t id : stacking_) {
          if (elements_.at(id).pid == element.pid && isVisible(id)) return AXValue(AXElement(id));
        }
      }
      return std::nullopt;
    case Kind::window:
      if (name == ax::window) return AXValue(handle);
      if (name == ax::focused) return AXValue(focusedWindow() == handle);
      if (name == ax::main) {
        for (std::uint64_t id : stacking_) {
          if (elements_.at(id).pid == element.pid && isVisible(id)) {
            return AXValue(id == handle.identity());
          }
        }
        return AXValue(false);
      }
      return std::nullopt;
    case Kind::child:
      if (name == ax::window) return AXValue(AXElement(element.window));
      if (name == ax::position) return AXValue(element.frame->origin());
      if (name == ax::size) return AXValue(element.frame->size());
      return std::nullopt;
  }
  return std::nullopt;
}

AXElement SimAccessibility::systemWide() {
  return AXElement(systemWideIdentity);
}

AXElement SimAccessibility::application(ProcessId pid) {
  return AXElement(applicationIdentity(pid));
}

std::optional<AXElement> SimAccessibility::elementAtPosition(const AXElement& root, Point point) {
  const Element* rootElement = nullptr;
  if (admit(root, "element at position", rootElement) != AXError::success) return std::nullopt;
  for (std::uint64_t id : stacking_) {
    const Element& window = elements_.at(id);
    if (rootElement->kind != Kind::systemWide && window.pid != rootElement->pid) continue;
    if (!isVisible(id)) continue;
    auto windowFrame = frame(AXElement(id));
    if (!windowFrame || !windowFrame->contains(point)) continue;
    const Element* hit = nullptr;
    if (admit(AXElement(id), "element at position", hit) != AXError::success) return std::nullopt;
    // The innermost element wins: the latest child that contains the point.
    for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) {
      if (it->second.kind == Kind::child && it->second.window == id &&
          it->second.frame->contains(point)) {
        return AXElement(it->first);
      }
    }
    return AXElement(id);
  }
  return std::nullopt;
}

std::optional<ProcessId> SimAccessibility::pid(const AXElement& element) {
  const Element* found = find(element);
  if (found == nullptr || found->kind == Kind::systemWide) return std::nullopt;
  return found->pid;
}

std::optional<AXValue> SimAccessibility::attribute(const AXElement& element,
                                                   std::string_view name) {
  const Element* found = nullptr;
  if (admit(element, name, found) != AXError::success) return std::nullopt;
  if (auto it = found->attributes.find(name); it != found->attributes.end()) return it->second;
  return computed(element, *found, name);
}

AXError SimAccessibility::setAttribute(const AXElement& element, std::string_view name,
                                       const AXValue& value) {
  const Element* found = nullptr;
  if (AXError error = admit(element, name, found); error != AXError::success) return error;
  if (!found->settable.contains(name)) {
    return found->attributes.contains(name) ? AXError::illegalArgument
                                            : AXError::attributeUnsupported;
  }
  auto current = found->attributes.find(name);
  if (current != found->attributes.end() &&
      current->second.storage().index() != value.storage().index()) {
    return AXError::illegalArgument;
  }
  Element& target = elements_.at(element.identity());
  AXValue stored = value;
  if (name == ax::size) {
    if (auto size = value.asSize()) {
      stored = AXValue(Size{std::max(size->width, target.minSize.width),
                            std::max(size->height, target.minSize.height)});
    }
  }
  if (name == ax::main && value.asBool().value_or(false)) {
    std::erase(stacking_, element.identity());
    stacking_.insert(stacking_.begin(), element.identity());
  }
  if (name != ax::main) target.attributes.insert_or_assign(std::string(name), stored);
  writes_.push_back({element, std::string(name), stored});
  return AXError::success;
}

bool SimAccessibility::isAttributeSettable(const AXElement& element, std::string_view name) {
  const Element* found = nullptr;
  if (admit(element, name, found) != AXError::success) return false;
  return found->settable.contains(name);
}

AXError SimAccessibility::performAction(const AXElement& element, std::string_view action) {
  const Element* found = nullptr;
  if (AXError error = admit(element, action, found); error != AXError::success) return error;
  if (found->kind == Kind::window && action == ax::raiseAction) {
    std::erase(stacking_, element.identity());
    stacking_.insert(stacking_.begin(), element.identity());
    return AXError::success;
  }
  return AXError::actionUnsupported;
}

bool SimAccessibility::isProcessTrustedWithPrompt() {
  return permissions_.requestAccessibility();
}

Subscription SimAccessibility::observeTrustChanges(std::function<void()> onChange) {
  return trustChanged_.connect([onChange = std::move(onChange)] { onChange(); });
}

bool SimAccessibility::openTrustSettings() {
  ++trustSettingsOpened_;
  return true;
}

std::vector<RunningApplication> SimAccessibility::runningApplications() {
  std::vector<RunningApplication> result;
  for (const App& a : apps_)
    result.push_back(a.info);
  return result;
}

std::optional<RunningApplication> SimAccessibility::frontmostApplication() {
  if (!frontmost_) return std::nullopt;
  if (App* a = app(*frontmost_)) return a->info;
  if (*frontmost_ == currentProcess_) return RunningApplication{currentProcess_, "tavorin"};
  return std::nullopt;
}

}  // namespace tavorin::sim
