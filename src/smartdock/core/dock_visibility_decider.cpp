#include "smartdock/core/dock_visibility_decider.hpp"

namespace tavorin {

std::optional<bool> DockVisibilityDecider::update(bool contact, Seconds now) {
  if (contact == isHidden_) {
    pendingSince_.reset();
    return std::nullopt;
  }
  if (!pendingSince_) pendingSince_ = now;
  const Seconds delay = contact ? hideDelay : showDelay;
  if (delay <= now - *pendingSince_) {
    isHidden_ = contact;
    pendingSince_.reset();
    return contact;
  }
  return std::nullopt;
}

void DockVisibilityDecider::reset(bool isHidden) {
  isHidden_ = isHidden;
  pendingSince_.reset();
}

}  // namespace tavorin
