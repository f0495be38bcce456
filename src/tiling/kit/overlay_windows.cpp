#include "tiling/kit/overlay_windows.hpp"

#include <algorithm>

namespace tavorin {

Color tilingAccentColor() {
  return {0.0, 122.0 / 255.0, 1.0, 1.0};
}

TPoint screenOriginAX(const Screen& screen, double primaryHeight) {
  return {screen.frame.x, primaryHeight - screen.frame.maxY()};
}

double ZonePreviewView::numberFontSize(const TRect& zone) {
  return std::min(std::max(std::min(zone.width, zone.height) / 5, 18.0), 64.0);
}

Drawing ZonePreviewView::draw(const Overlays& overlays) const {
  const Color accent = tilingAccentColor();
  Drawing drawing;
  for (std::size_t i = 0; i < zones.size(); ++i) {
    const TRect& zone = zones[i];
    if (!(zone.width > minimumZoneExtent && zone.height > minimumZoneExtent)) continue;
    const bool lit = highlighted.contains(static_cast<int>(i));
    Path shape;
    shape.addRoundedRect(zone.toRect(), cornerRadius);
    drawing.fill(shape, accent.withAlpha(lit ? highlightedFillOpacity : fillOpacity));
    drawing.stroke(shape, accent.withAlpha(lit ? 1.0 : 0.8), lit ? 4 : 2);
    drawing.text({.text = std::to_string(i + 1),
                  .box = zone.toRect(),
                  .fontSize = numberFontSize(zone),
                  .weight = FontWeight::bold,
                  .color = Color::white(),
                  .alignment = TextAlignment::center,
                  .shadow = TextShadow{Color::black().withAlpha(0.6), {0, 0}, 4}});
  }
  if (focus) {
    Path shape;
    shape.addRoundedRect(focus->toRect(), cornerRadius);
    drawing.fill(shape, accent.withAlpha(focusFillOpacity));
    drawing.stroke(shape, Color::white().withAlpha(0.9), 3);
  }
  if (title) {
    const Size text = overlays.measureText(*title, titleFontSize, FontWeight::semibold);
    const Rect box{area.midX() - text.width * 0.5, area.y + titleTopOffset, text.width,
                   text.height};
    Path background;
    background.addRoundedRect({box.x - titlePaddingX, box.y - titlePaddingY,
                               box.width + 2 * titlePaddingX, box.height + 2 * titlePaddingY},
                              cornerRadius);
    drawing.fill(background, Color::black().withAlpha(0.65));
    // A point of slack on each side, so that rounding in the renderer never elides the text.
    drawing.text({.text = *title,
                  .box = {box.x - 1, box.y, box.width + 2, box.height},
                  .fontSize = titleFontSize,
                  .weight = FontWeight::semibold,
                  .color = Color::white(),
                  .alignment = TextAlignment::center,
                  .shadow = std::nullopt});
  }
  return drawing;
}

ZonePreviewController::ZonePreviewController(Overlays& overlays, const Screen& screen,
                                             double primaryHeight)
    : overlays_(overlays),
      screen_(screen),
      originAX_(screenOriginAX(screen, primaryHeight)),
      panel_(overlays.createPanel()) {
  panel_->setLevel(overlayLevel::status);
  panel_->setIgnoresMouseEvents(true);
  panel_->setFrame(screen.frame);
  const Rect& frame = screen.frame;
  const Rect& visible = screen.visibleFrame;
  view_.area = {visible.minX() - frame.minX(), frame.maxY() - visible.maxY(), visible.width,
                visible.height};
}

ZonePreviewController::~ZonePreviewController() {
  panel_->orderOut();
}

TRect ZonePreviewController::toView(const TRect& rectAX) const {
  return {rectAX.x - originAX_.x, rectAX.y - originAX_.y, rectAX.width, rectAX.height};
}

void ZonePreviewController::setZones(const std::vector<TRect>& zonesAX) {
  view_.zones.clear();
  view_.zones.reserve(zonesAX.size());
  for (const TRect& zone : zonesAX)
    view_.zones.push_back(toView(zone));
}

void ZonePreviewController::present(std::set<int> highlighted, std::optional<TRect> focusAX,
                                    std::optional<std::string> title) {
  view_.highlighted = std::move(highlighted);
  view_.focus = focusAX ? std::optional<TRect>(toView(*focusAX)) : std::nullopt;
  view_.title = std::move(title);
  redraw();
  if (!panel_->isVisible()) panel_->orderFront();
}

void ZonePreviewController::redraw() {
  // Drag events come many times a second and mostly change nothing on screen.
  Drawing drawing = view_.draw(overlays_);
  if (shown_ && *shown_ == drawing) return;
  shown_ = drawing;
  panel_->setContent(std::move(drawing));
}

void ZonePreviewController::showLayout(const std::vector<TRect>& zones, const std::string& title) {
  setZones(zones);
  present({}, std::nullopt, title);
}

void ZonePreviewController::hide() {
  panel_->orderOut();
}

}  // namespace tavorin
