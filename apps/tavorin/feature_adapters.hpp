#pragma once

#include <memory>

#include "app/features.hpp"
#include "pointer/kit/pointer_locator.hpp"
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

// Pointer Locator as the shell sees it; its state changes reach the shell's callback.
class PointerFeatureAdapter final : public PointerFeature {
 public:
  explicit PointerFeatureAdapter(std::shared_ptr<PointerLocator> locator)
      : locator_(std::move(locator)) {
    locator_->onStateChange = [this] {
      if (onStateChange) onStateChange();
    };
  }
  ~PointerFeatureAdapter() override { locator_->onStateChange = nullptr; }
  PointerFeatureAdapter(const PointerFeatureAdapter&) = delete;
  PointerFeatureAdapter& operator=(const PointerFeatureAdapter&) = delete;

  bool isRunning() const override { return locator_->isRunning(); }
  bool needsPermission() const override { return locator_->needsPermission(); }
  void start(bool promptForPermission) override { locator_->start(promptForPermission); }
  void stop() override { locator_->stop(); }
  PointerLocatorSettings settings() const override { return locator_->settings(); }

 private:
  std::shared_ptr<PointerLocator> locator_;
};

}  // namespace tavorin
