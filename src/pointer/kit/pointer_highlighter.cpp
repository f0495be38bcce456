#include "pointer/kit/pointer_highlighter.hpp"

#include "pointer/kit/highlight_geometry.hpp"

namespace tavorin {

namespace {

Color highlightColor(const PointerLocatorSettings& settings) {
  const SRGBColor color = settings.color();
  return {color.red, color.green, color.blue, color.alpha};
}

}  // namespace

std::shared_ptr<PointerHighlighter> PointerHighlighter::create(Platform& platform) {
  std::shared_ptr<PointerHighlighter> highlighter(new PointerHighlighter(platform));
  if (platform.screens != nullptr) {
    highlighter->screenObserver_ =
        platform.screens->observeChanges([weak = std::weak_ptr<PointerHighlighter>(highlighter)] {
          if (auto self = weak.lock()) self->screensChanged();
        });
  }
  return highlighter;
}

std::unique_ptr<OverlayPanel> PointerHighlighter::makePanel() {
  auto panel = platform_.overlays->createPanel();
  panel->setLevel(overlayLevel::screenSaver);
  panel->setIgnoresMouseEvents(true);
  return panel;
}

void PointerHighlighter::show(const PointerLocatorSettings& settings) {
  settings_ = settings;
  reduceMotion_ = platform_.workspace != nullptr &&
                  platform_.workspace->accessibilityDisplayShouldReduceMotion();
  hide();
  if (platform_.overlays == nullptr || platform_.screens == nullptr) return;
  if (settings_.style == HighlightStyle::spotlight) {
    prepareSpotlight();
  } else {
    prepareRings();
  }
  start_ = platform_.clock.uptime();
  tick();
  timer_ = Timer(platform_.runLoop,
                 platform_.runLoop.scheduleRepeating(frameInterval, [weak = weak_from_this()] {
                   if (auto self = weak.lock()) self->tick();
                 }));
}

void PointerHighlighter::hide() {
  timer_.cancel();
  if (ringWindow_) ringWindow_->orderOut();
  for (SpotOverlay& spot : spots_)
    spot.window->orderOut();
}

void PointerHighlighter::tick() {
  const Seconds elapsed = platform_.clock.uptime() - start_;
  if (!(elapsed < settings_.duration)) {
    hide();
    return;
  }
  const double progress = elapsed / settings_.duration;
  if (settings_.style == HighlightStyle::spotlight) {
    drawSpotlight(progress);
  } else {
    drawRings(progress);
  }
}

void PointerHighlighter::prepareRings() {
  if (!ringWindow_) ringWindow_ = makePanel();
  // Both rings start invisible; the first frame draws them.
  ringWindow_->setContent({});
  moveRingPanel(platform_.screens->pointerLocation());
  ringWindow_->orderFront();
}

void PointerHighlighter::moveRingPanel(Point pointer) {
  const double side = highlight::ringPanelSide(settings_.size);
  const Point origin = highlight::ringPanelOrigin(pointer, side);
  ringWindow_->setFrame({origin.x, origin.y, side, side});
}

void PointerHighlighter::drawRings(double progress) {
  if (!ringWindow_) return;
  moveRingPanel(platform_.screens->pointerLocation());
  const double centre = settings_.size + 8;
  const Color color = highlightColor(settings_);
  Drawing drawing;
  for (int ring = 0; ring < 2; ++ring) {
    const highlight::RingFrame frame =
        highlight::ringFrame(settings_.style, settings_.size, progress, ring, reduceMotion_);
    if (!frame.radius || frame.opacity <= 0) continue;
    Path circle;
    circle.addCircle({centre, centre}, *frame.radius);
    // Only the first ring is filled; the second is an outline.
    if (ring == 0) drawing.fill(circle, color.withAlpha(ringFillOpacity * frame.opacity));
    drawing.stroke(std::move(circle), color.withAlpha(color.alpha * frame.opacity), lineWidth);
  }
  ringWindow_->setContent(std::move(drawing));
}

void PointerHighlighter::prepareSpotlight() {
  if (spots_.empty()) {
    for (const Screen& screen : platform_.screens->screens()) {
      SpotOverlay spot{makePanel()};
      spot.window->setFrame(screen.frame);
      spots_.push_back(std::move(spot));
    }
  }
  for (SpotOverlay& spot : spots_) {
    spot.window->setContent({});
    spot.window->orderFront();
  }
}

void PointerHighlighter::drawSpotlight(double progress) {
  const double zoom = highlight::spotlightZoom(progress, reduceMotion_);
  const double opacity = highlight::spotlightOpacity(progress);
  const double radius = highlight::spotlightHoleRadius(settings_.size, zoom);
  const Point pointer = platform_.screens->pointerLocation();
  const Color color = highlightColor(settings_);
  for (SpotOverlay& spot : spots_) {
    Drawing drawing;
    if (opacity > 0) {
      const Rect frame = spot.window->frame();
      const Point centre = highlight::panelPoint(pointer, frame);
      drawing.fill(Path().addRect({0, 0, frame.width, frame.height}).addCircle(centre, radius),
                   Color::black().withAlpha(dimOpacity * opacity), FillRule::evenOdd);
      drawing.stroke(Path().addCircle(centre, radius), color.withAlpha(color.alpha * opacity),
                     lineWidth);
    }
    spot.window->setContent(std::move(drawing));
  }
}

void PointerHighlighter::screensChanged() {
  hide();
  // The spotlight's panels are made anew for the new screens at its next showing.
  spots_.clear();
}

}  // namespace tavorin
