#pragma once

#include <memory>

#include "app/features.hpp"
#include "tiling/kit/tiling_manager.hpp"

namespace tavorin {

// Window Layout as the shell sees it.
class TilingFeatureAdapter final : public TilingFeature {
 public:
  explicit TilingFeatureAdapter(std::shared_ptr<TilingManager> manager)
      : manager_(std::move(manager)) {}
  bool isRunning() const override { return manager_->isRunning(); }
  void start(bool promptForPermission) override { manager_->start(promptForPermission); }
  void stop() override { manager_->stop(); }
  std::shared_ptr<MenuItem> makeMenuItem() override { return manager_->makeMenuItem(); }

 private:
  std::shared_ptr<TilingManager> manager_;
};

}  // namespace tavorin
