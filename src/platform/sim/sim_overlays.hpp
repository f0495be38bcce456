#pragma once

#include <memory>
#include <vector>

#include "platform/overlays.hpp"

namespace tavorin::sim {

// A recorded overlay panel: tests read its frame, level and drawing.
class SimOverlayPanel final : public OverlayPanel {
 public:
  void setFrame(Rect frame) override { frame_ = frame; }
  Rect frame() const override { return frame_; }
  void setLevel(int level) override { level_ = level; }
  void setIgnoresMouseEvents(bool ignores) override { ignoresMouseEvents_ = ignores; }
  void setContent(Drawing drawing) override {
    content_ = std::move(drawing);
    ++contentUpdates_;
  }
  void orderFront() override { visible_ = true; }
  void orderOut() override { visible_ = false; }
  bool isVisible() const override { return visible_; }

  int level() const { return level_; }
  bool ignoresMouseEvents() const { return ignoresMouseEvents_; }
  const Drawing& content() const { return content_; }
  int contentUpdates() const { return contentUpdates_; }

 private:
  Rect frame_;
  int level_ = 0;
  bool ignoresMouseEvents_ = false;
  bool visible_ = false;
  Drawing content_;
  int contentUpdates_ = 0;
};

class SimOverlays final : public Overlays {
 public:
  std::unique_ptr<OverlayPanel> createPanel() override;

  // The panels made so far that still exist, oldest first.
  std::vector<SimOverlayPanel*> panels() const;
  std::vector<SimOverlayPanel*> visiblePanels() const;

 private:
  std::vector<std::weak_ptr<SimOverlayPanel>> made_;
};

}  // namespace tavorin::sim
