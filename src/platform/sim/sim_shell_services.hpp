#pragma once

#include <memory>
#include <vector>

#include "platform/application.hpp"
#include "platform/permissions.hpp"
#include "platform/run_loop.hpp"
#include "platform/status_bar.hpp"
#include "platform/workspace.hpp"

namespace tavorin::sim {

// The application object: launching, reopening and terminating are test actions.
class SimApplication final : public Application {
 public:
  void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) override {
    delegate_ = std::move(delegate);
  }
  void setActivationPolicy(ActivationPolicy policy) override { policy_ = policy; }
  void terminate() override;

  // The event loop starts: the delegate finishes launching.
  void launch();
  // The user opens the program again; answers what the delegate answered.
  bool reopen();

  ActivationPolicy activationPolicy() const { return policy_; }
  bool isTerminated() const { return terminated_; }

 private:
  std::weak_ptr<ApplicationDelegate> delegate_;
  ActivationPolicy policy_ = ActivationPolicy::regular;
  bool terminated_ = false;
};

// A recorded status item.
class SimStatusItem final : public StatusItem {
 public:
  void setVisible(bool visible) override { visible_ = visible; }
  void setSymbol(const std::string& symbolName) override { symbol_ = symbolName; }
  void setAccessibilityDescription(const std::string& description) override {
    description_ = description;
  }
  void setMenu(std::shared_ptr<Menu> menu) override { menu_ = std::move(menu); }

  bool isVisible() const { return visible_; }
  const std::string& symbol() const { return symbol_; }
  const std::string& accessibilityDescription() const { return description_; }
  const std::shared_ptr<Menu>& menu() const { return menu_; }

 private:
  bool visible_ = true;
  std::string symbol_;
  std::string description_;
  std::shared_ptr<Menu> menu_;
};

class SimStatusBar final : public StatusBar {
 public:
  std::shared_ptr<StatusItem> createSquareItem() override;
  const std::vector<std::shared_ptr<SimStatusItem>>& items() const { return items_; }

 private:
  std::vector<std::shared_ptr<SimStatusItem>> items_;
};

// Records every new instance it is asked to open; whether one starts is up to the test.
class SimWorkspace final : public Workspace {
 public:
  explicit SimWorkspace(RunLoop& runLoop) : runLoop_(runLoop) {}
  void openNewInstance(std::function<void(bool started)> completion) override;

  bool accessibilityDisplayShouldReduceMotion() const override { return reduceMotion; }

  bool newInstanceStarts = true;
  bool reduceMotion = false;
  int openedInstances() const { return opened_; }

 private:
  RunLoop& runLoop_;
  int opened_ = 0;
};

// Grants a test flips. A request counts as one prompt shown to the user.
class SimPermissions final : public Permissions {
 public:
  bool isAccessibilityTrusted() const override { return accessibilityTrusted; }
  bool requestAccessibility() override {
    ++accessibilityPrompts;
    return accessibilityTrusted;
  }
  bool canPostEvents() const override { return postEventsAllowed; }
  bool requestPostEventAccess() override {
    ++postEventRequests;
    return postEventsAllowed;
  }

  bool accessibilityTrusted = false;
  bool postEventsAllowed = false;
  int accessibilityPrompts = 0;
  int postEventRequests = 0;

  void grantAll() { accessibilityTrusted = postEventsAllowed = true; }
};

}  // namespace tavorin::sim
