#pragma once

#include <string>
#include <vector>

#include "app/features.hpp"

namespace tavorin::testing {

// Features that record what the shell asks of them, in one shared journal.
using Journal = std::vector<std::string>;

inline std::string promptText(bool prompt) {
  return prompt ? "(prompt)" : "";
}

class FakeCutPaste final : public CutPasteFeature {
 public:
  explicit FakeCutPaste(Journal& journal) : journal_(journal) {}
  CutPasteState state() const override { return state_; }
  bool hasPendingCut() const override { return pendingCut; }
  void start(bool prompt) override {
    journal_.push_back("start cutPaste" + promptText(prompt));
    setState(startsWaiting ? CutPasteState::waitingForPermission : CutPasteState::running);
  }
  void stop() override {
    journal_.push_back("stop cutPaste");
    setState(CutPasteState::stopped);
  }
  void cancelCut() override {
    pendingCut = false;
    if (onCutCancelled) onCutCancelled();
  }
  std::string cutShortcutDisplay() const override { return "⌘X"; }
  std::string pasteShortcutDisplay() const override { return "⌘V"; }
  // The controller changing state on its own.
  void setState(CutPasteState state) {
    state_ = state;
    if (onStateChange) onStateChange(state);
  }

  bool pendingCut = false;
  bool startsWaiting = false;

 private:
  Journal& journal_;
  CutPasteState state_ = CutPasteState::stopped;
};

class FakeTiling final : public TilingFeature {
 public:
  explicit FakeTiling(Journal& journal) : journal_(journal) {}
  bool isRunning() const override { return running_; }
  void start(bool prompt) override {
    journal_.push_back("start tiling" + promptText(prompt));
    running_ = true;
  }
  void stop() override {
    journal_.push_back("stop tiling");
    running_ = false;
  }
  // An item with a submenu the feature fills itself, like the real one.
  std::shared_ptr<MenuItem> makeMenuItem() override {
    auto item = std::make_shared<MenuItem>();
    item->title = "Window Layout";
    item->submenu = std::make_shared<Menu>("Window Layout");
    item->submenu->needsUpdate = [](Menu& menu) {
      menu.removeAll();
      auto own = std::make_shared<MenuItem>();
      own->title = "own submenu";
      menu.add(own);
    };
    return item;
  }

 private:
  Journal& journal_;
  bool running_ = false;
};

class FakePointer final : public PointerFeature {
 public:
  explicit FakePointer(Journal& journal) : journal_(journal) {}
  bool isRunning() const override { return running_; }
  bool needsPermission() const override { return needs; }
  PointerLocatorSettings settings() const override { return currentSettings; }
  void start(bool prompt) override {
    journal_.push_back("start pointer" + promptText(prompt));
    running_ = true;
    if (onStateChange) onStateChange();
  }
  void stop() override {
    journal_.push_back("stop pointer");
    running_ = false;
    if (onStateChange) onStateChange();
  }

  bool needs = true;
  PointerLocatorSettings currentSettings;

 private:
  Journal& journal_;
  bool running_ = false;
};

class FakeSmartDock final : public SmartDockFeature {
 public:
  explicit FakeSmartDock(Journal& journal) : journal_(journal) {}
  bool isRunning() const override { return running_; }
  void start() override {
    journal_.push_back("start smartDock");
    running_ = true;
  }
  void stop() override {
    journal_.push_back("stop smartDock");
    running_ = false;
    if (onStop) onStop();
  }

  // Stopping restores what the feature changed, which writes preferences.
  std::function<void()> onStop;

 private:
  Journal& journal_;
  bool running_ = false;
};

class RecordingSettingsWindow final : public SettingsWindow {
 public:
  void show(std::optional<std::string> pane) override { shown.push_back(pane.value_or("(last)")); }
  std::vector<std::string> shown;
};

}  // namespace tavorin::testing
