#include "platform/sim/sim_overlays.hpp"

namespace tavorin::sim {

namespace {

// Hands out a panel that the overlay list can still see, without owning it.
class PanelHandle final : public OverlayPanel {
 public:
  explicit PanelHandle(std::shared_ptr<SimOverlayPanel> panel) : panel_(std::move(panel)) {}
  void setFrame(Rect frame) override { panel_->setFrame(frame); }
  Rect frame() const override { return panel_->frame(); }
  void setLevel(int level) override { panel_->setLevel(level); }
  void setIgnoresMouseEvents(bool ignores) override { panel_->setIgnoresMouseEvents(ignores); }
  void setContent(Drawing drawing) override { panel_->setContent(std::move(drawing)); }
  void orderFront() override { panel_->orderFront(); }
  void orderOut() override { panel_->orderOut(); }
  bool isVisible() const override { return panel_->isVisible(); }

 private:
  std::shared_ptr<SimOverlayPanel> panel_;
};

}  // namespace

std::unique_ptr<OverlayPanel> SimOverlays::createPanel() {
  auto panel = std::make_shared<SimOverlayPanel>();
  made_.push_back(panel);
  return std::make_unique<PanelHandle>(std::move(panel));
}

std::vector<SimOverlayPanel*> SimOverlays::panels() const {
  std::vector<SimOverlayPanel*> alive;
  for (const auto& weak : made_) {
    if (auto panel = weak.lock()) alive.push_back(panel.get());
  }
  return alive;
}

std::vector<SimOverlayPanel*> SimOverlays::visiblePanels() const {
  std::vector<SimOverlayPanel*> visible;
  for (auto* panel : panels()) {
    if (panel->isVisible()) visible.push_back(panel);
  }
  return visible;
}

}  // namespace tavorin::sim
