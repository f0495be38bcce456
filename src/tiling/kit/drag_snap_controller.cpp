#include "tiling/kit/drag_snap_controller.hpp"

#include <algorithm>
#include <cmath>

#include "platform/key_event.hpp"
#include "tiling/core/spatial.hpp"
#include "tiling/kit/tiled_windows.hpp"

namespace tavorin {

namespace {

// A zone counts as covered by a span that reaches over more than half of it.
constexpr double spanCoverage = 0.5;

std::uint64_t flagOf(DragModifier modifier) {
  switch (modifier) {
    case DragModifier::shift:
      return eventFlags::shift;
    case DragModifier::option:
      return eventFlags::option;
    case DragModifier::control:
      return eventFlags::control;
    case DragModifier::command:
      return eventFlags::command;
  }
  return 0;
}

// Whether the pointer (screen space, y up) is on a screen: the left and top edges belong to it,
// the right and bottom edges do not.
bool pointerIsOn(const Rect& frame, Point p) {
  return p.x >= frame.minX() && p.x < frame.maxX() && p.y > frame.minY() && p.y <= frame.maxY();
}

}  // namespace

std::shared_ptr<DragSnapController> DragSnapController::create(
    Platform& platform, std::shared_ptr<WindowServices> windows, Config config) {
  return std::shared_ptr<DragSnapController>(
      new DragSnapController(platform, std::move(windows), std::move(config)));
}

DragSnapController::DragSnapController(Platform& platform, std::shared_ptr<WindowServices> windows,
                                       Config config)
    : platform_(platform), windows_(std::move(windows)), config_(std::move(config)) {}

DragSnapController::~DragSnapController() = default;

// Lifecycle

void DragSnapController::start() {
  if (!monitors_.empty() || platform_.eventMonitors == nullptr) return;
  EventMonitors& events = *platform_.eventMonitors;
  const std::weak_ptr<DragSnapController> weak = weak_from_this();
  auto add = [&](EventType type, std::function<void(DragSnapController&, const InputEvent&)> run) {
    Subscription monitor =
        events.addGlobalMonitor(eventMask(type), [weak, run](const InputEvent& event) {
          if (auto self = weak.lock()) run(*self, event);
        });
    if (monitor) monitors_.push_back(std::move(monitor));
  };
  add(EventType::leftMouseDown, [](DragSnapController& c, const InputEvent&) { c.mouseDown(); });
  add(EventType::leftMouseDragged,
      [](DragSnapController& c, const InputEvent& event) { c.mouseDragged(event); });
  add(EventType::leftMouseUp, [](DragSnapController& c, const InputEvent&) { c.mouseUp(); });
  add(EventType::flagsChanged,
      [](DragSnapController& c, const InputEvent& event) { c.flagsChanged(event); });
}

void DragSnapController::stop() {
  monitors_.clear();
  reset();
}

void DragSnapController::reset() {
  clearVisuals();
  mouseIsDown_ = false;
  lookedUpWindow_ = false;
  windowIsMoving_ = false;
  dragWindow_.reset();
  startPosition_.reset();
  startSize_.reset();
  stillDragEvents_ = 0;
  spanAnchor_.reset();
  resizeWindow_.reset();
  resizeStart_.reset();
  screens_.reset();
}

void DragSnapController::clearVisuals() {
  for (auto& [id, preview] : previews_)
    preview->hide();
  for (auto& [id, assistant] : assistants_)
    assistant->collapse();
  clearTarget();
}

void DragSnapController::screensDidChange() {
  reset();
  previews_.clear();
  assistants_.clear();
}

const ZonePreviewController* DragSnapController::preview(std::uint32_t displayID) const {
  auto it = previews_.find(displayID);
  return it != previews_.end() ? it->second.get() : nullptr;
}

const SnapAssistant* DragSnapController::assistant(std::uint32_t displayID) const {
  auto it = assistants_.find(displayID);
  return it != assistants_.end() ? it->second.get() : nullptr;
}

// Screens and overlays

const std::vector<Screen>& DragSnapController::screens() {
  if (!screens_) {
    screens_ = platform_.screens != nullptr ? platform_.screens->screens() : std::vector<Screen>{};
  }
  return *screens_;
}

double DragSnapController::primaryHeight() {
  const auto& all = screens();
  return all.empty() ? 0 : all.front().frame.height;
}

TRect DragSnapController::toAX(const Rect& rect) {
  return {rect.x, primaryHeight() - rect.maxY(), rect.width, rect.height};
}

ZonePreviewController* DragSnapController::previewFor(const Screen& screen) {
  if (platform_.overlays == nullptr) return nullptr;
  auto& preview = previews_[screen.displayID];
  // A screen that changed without notice (or two screens without an id) gets a fitting overlay.
  if (!preview || preview->screen() != screen) {
    preview.reset();
    preview = std::make_unique<ZonePreviewController>(*platform_.overlays, screen, primaryHeight());
  }
  return preview.get();
}

SnapAssistant* DragSnapController::assistantFor(const Screen& screen) {
  if (platform_.overlays == nullptr) return nullptr;
  auto& assistant = assistants_[screen.displayID];
  if (!assistant || assistant->screen() != screen) {
    assistant.reset();
    assistant = std::make_unique<SnapAssistant>(*platform_.overlays, screen, primaryHeight());
  }
  return assistant.get();
}

// Events

void DragSnapController::mouseDown() {
  reset();
  mouseIsDown_ = true;
}

void DragSnapController::mouseDragged(const InputEvent& event) {
  if (!mouseIsDown_) return;
  if (!lookedUpWindow_) {
    // The first drag event of a press finds the window; the next ones tell whether it moves.
    lookedUpWindow_ = true;
    if (platform_.accessibility != nullptr && platform_.accessibility->isProcessTrusted()) {
      const TPoint pointer{event.location.x, primaryHeight() - event.location.y};
      dragWindow_ = AXWindow::window(windows_, pointer);
      if (dragWindow_) {
        startPosition_ = dragWindow_->position();
        startSize_ = dragWindow_->size();
      }
    }
    return;
  }
  if (!dragWindow_) return;
  if (windowIsMoving_) {
    update(event.location);
    return;
  }
  if (!startPosition_) return;
  const auto position = dragWindow_->position();
  if (!position) return;
  const auto size = dragWindow_->size();

  if (startSize_ && size &&
      (std::abs(size->width - startSize_->width) > resizeDistance ||
       std::abs(size->height - startSize_->height) > resizeDistance)) {
    // The user drags an edge: not a move.
    resizeWindow_ = dragWindow_;
    resizeStart_ =
        TRect{startPosition_->x, startPosition_->y, startSize_->width, startSize_->height};
    dragWindow_.reset();
    return;
  }

  if (std::abs(position->x - startPosition_->x) < stillDistance &&
      std::abs(position->y - startPosition_->y) < stillDistance) {
    // A drag inside the window (a selection, a list) rather than of the window.
    if (++stillDragEvents_ >= maxStillDragEvents) dragWindow_.reset();
    return;
  }

  windowIsMoving_ = true;
  if (config_.settings && config_.settings().restoreSizeOnUnsnap && size && windows_) {
    const TPoint pointer{event.location.x, primaryHeight() - event.location.y};
    windows_->tiledWindows().restoreIfTiled(
        dragWindow_, {position->x, position->y, size->width, size->height}, pointer, false);
  }
  update(event.location);
}

void DragSnapController::flagsChanged(const InputEvent& event) {
  // Pressing or letting go of a key changes the target at once.
  if (windowIsMoving_) update(event.location);
}

void DragSnapController::mouseUp() {
  std::shared_ptr<AXWindow> window = dragWindow_;
  const std::optional<TRect> target = windowIsMoving_ ? target_ : std::nullopt;
  std::vector<TRect> zones = targetZones_;
  std::optional<Screen> screen = targetScreen_;
  std::shared_ptr<AXWindow> resized = resizeWindow_;
  const std::optional<TRect> resizeStart = resizeStart_;
  reset();

  RunLoop& loop = platform_.runLoop;
  const std::weak_ptr<DragSnapController> weak = weak_from_this();
  if (resized && resizeStart) {
    // The application may still be applying the last size; look once it has settled.
    loop.scheduleOnce(resizeCheckDelay, [weak, resized, start = *resizeStart] {
      const auto now = resized->frame();
      if (!now || *now == start) return;
      auto self = weak.lock();
      if (self && self->config_.onResize) self->config_.onResize(resized, start, *now);
    });
  } else if (window && target) {
    loop.scheduleOnce(snapDelay, [weak, window, target = *target, zones = std::move(zones),
                                  screen = std::move(screen)] {
      window->setFrame(target);
      if (!screen) return;
      auto self = weak.lock();
      if (self && self->config_.onTiled) self->config_.onTiled(window, target, zones, *screen);
    });
  }
}

// Targeting

void DragSnapController::setTarget(const TRect& target, std::vector<TRect> zones,
                                   const Screen& screen) {
  target_ = target;
  targetZones_ = std::move(zones);
  targetScreen_ = screen;
}

void DragSnapController::clearTarget() {
  target_.reset();
  targetZones_.clear();
  targetScreen_.reset();
}

void DragSnapController::update(Point location) {
  if (!config_.settings) return;
  const TilingSettings settings = config_.settings();
  const Screen* found = nullptr;
  for (const Screen& candidate : screens()) {
    if (pointerIsOn(candidate.frame, location)) {
      found = &candidate;
      break;
    }
  }
  if (!settings.dragSnapEnabled || found == nullptr) {
    clearVisuals();
    return;
  }
  const Screen screen = *found;
  const std::uint32_t id = screen.displayID;
  const TPoint pointer{location.x, primaryHeight() - location.y};
  const TRect area = toAX(screen.visibleFrame);
  const double gap = settings.gap;
  const std::uint64_t flags =
      platform_.eventMonitors != nullptr ? platform_.eventMonitors->modifierFlags() : 0;

  // Only the screen under the pointer shows anything.
  for (auto& [otherID, preview] : previews_) {
    if (otherID != id) preview->hide();
  }
  for (auto& [otherID, assistant] : assistants_) {
    if (otherID != id) assistant->collapse();
  }

  if (settings.snapAssistantEnabled && updateAssistant(screen, settings, area, pointer)) return;

  ZonePreviewController* preview = previewFor(screen);
  if ((flags & flagOf(settings.dragModifier)) != 0) {
    const LayoutTemplate layout =
        config_.templateForScreen ? config_.templateForScreen(screen) : LayoutTemplate{};
    const std::vector<TRect> frames = layout.frames(area, gap);
    const std::vector<TRect> rects = layout.root.zoneRects(area);
    std::optional<int> under;
    for (std::size_t i = 0; i < rects.size() && i < frames.size(); ++i) {
      if (rects[i].contains(pointer)) {
        under = static_cast<int>(i);
        break;
      }
    }
    if (!under) {
      clearTarget();
      if (preview) {
        preview->setZones(frames);
        preview->present({}, std::nullopt, std::nullopt);
      }
      return;
    }
    const int k = *under;
    if ((flags & flagOf(settings.spanModifier)) != 0) {
      if (!spanAnchor_ || spanAnchor_->displayID != id) spanAnchor_ = SpanAnchor{id, k};
      const int anchor =
          spanAnchor_->zoneIndex < static_cast<int>(frames.size()) ? spanAnchor_->zoneIndex : k;
      const TRect span =
          frames[static_cast<std::size_t>(anchor)].unionWith(frames[static_cast<std::size_t>(k)]);
      std::set<int> covered;
      for (std::size_t j = 0; j < frames.size(); ++j) {
        if (span.intersectionArea(frames[j]) > spanCoverage * frames[j].area()) {
          covered.insert(static_cast<int>(j));
        }
      }
      setTarget(span, frames, screen);
      if (preview) {
        preview->setZones(frames);
        preview->present(std::move(covered), span, std::nullopt);
      }
      return;
    }
    spanAnchor_.reset();
    setTarget(frames[static_cast<std::size_t>(k)], frames, screen);
    if (preview) {
      preview->setZones(frames);
      preview->present({k}, std::nullopt, std::nullopt);
    }
    return;
  }

  spanAnchor_.reset();
  if (settings.edgeTilingEnabled) {
    if (auto region = EdgeSnap::region(pointer, toAX(screen.frame), edgeThreshold, edgeCorner)) {
      const TRect target = EdgeSnap::frame(*region, area, gap);
      std::vector<TRect> zones{target};
      for (EdgeSnap::Region other : EdgeSnap::complementaryRegions(*region)) {
        zones.push_back(EdgeSnap::frame(other, area, gap));
      }
      setTarget(target, std::move(zones), screen);
      if (preview) {
        preview->setZones({});
        preview->present({}, target, std::nullopt);
      }
      return;
    }
  }
  clearTarget();
  if (preview) preview->hide();
}

bool DragSnapController::updateAssistant(const Screen& screen, const TilingSettings& settings,
                                         const TRect& area, TPoint pointer) {
  SnapAssistant* assistant = assistantFor(screen);
  if (assistant == nullptr) return false;
  std::vector<LayoutTemplate> templates =
      config_.templates ? config_.templates() : std::vector<LayoutTemplate>{};
  if (config_.templateForScreen) {
    // The screen's current layout comes first; the others keep their order.
    const LayoutTemplate current = config_.templateForScreen(screen);
    auto it = std::find_if(templates.begin(), templates.end(),
                           [&](const LayoutTemplate& t) { return t.id == current.id; });
    if (it != templates.end()) {
      std::rotate(templates.begin(), it, it + 1);
    } else {
      templates.insert(templates.begin(), current);
    }
  }
  const double top = primaryHeight() - screen.frame.maxY();
  // With edge snapping on, the topmost points belong to the maximise region.
  const bool suppressed = pointer.y <= top + assistantSuppressionBand && settings.edgeTilingEnabled;
  const auto hit = assistant->update(pointer, templates, settings.snapAssistantOpenImmediately,
                                     settings.snapAssistantTriggerDistance, 0, suppressed);
  if (hit && hit->templateIndex >= 0 &&
      static_cast<std::size_t>(hit->templateIndex) < templates.size()) {
    const std::vector<TRect> frames =
        templates[static_cast<std::size_t>(hit->templateIndex)].frames(area, settings.gap);
    if (hit->zoneIndex >= 0 && static_cast<std::size_t>(hit->zoneIndex) < frames.size()) {
      const TRect target = frames[static_cast<std::size_t>(hit->zoneIndex)];
      setTarget(target, frames, screen);
      if (ZonePreviewController* preview = previewFor(screen)) {
        preview->setZones({});
        preview->present({}, target, std::nullopt);
      }
      spanAnchor_.reset();
      return true;
    }
  }
  if (assistant->mouseOver()) {
    // Over the strip but between miniatures: no target, and nothing underneath distracts.
    clearTarget();
    if (ZonePreviewController* preview = previewFor(screen)) preview->hide();
    return true;
  }
  return false;
}

}  // namespace tavorin
